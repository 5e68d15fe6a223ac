# kq_add_test(<name> SOURCES <files...> LIBS <targets...> [LABELS <labels...>] [QT])
#
# The one way test executables are registered: GoogleTest discovery, a label
# per subsystem, the pinned time zone every time test relies on, and the
# offscreen Qt platform for the few tests that need Qt.
include(GoogleTest)

function(kq_add_test name)
  cmake_parse_arguments(ARG "QT" "" "SOURCES;LIBS;LABELS" ${ARGN})
  # The time zone and the offscreen platform are set by a static initializer
  # linked into every test, so runs by hand behave as runs under CTest.
  add_executable(${name} ${ARG_SOURCES} ${PROJECT_SOURCE_DIR}/tests/support/TestEnvironment.cpp)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    KQ_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    KQ_TEST_BINARY="$<TARGET_FILE:${name}>")
  kq_project_warnings(${name})
  # One label string ("backend/feed"): ctest -L matches it by regular
  # expression, so -L backend and -L feed both find these tests. (A list
  # would not survive test discovery.)
  list(JOIN ARG_LABELS "/" label)
  gtest_discover_tests(${name} PROPERTIES LABELS "${label}" DISCOVERY_TIMEOUT 60)
endfunction()

# kq_require_targets(<suite> <targets...>)
#
# A suite whose libraries are missing (or only headers so far) fails the
# configuration with a reason, rather than being left out without a word.
function(kq_require_targets suite)
  foreach(target ${ARGN})
    if(NOT TARGET ${target})
      message(FATAL_ERROR "The test suite ${suite} needs the target ${target}, which this "
                          "build does not define (configure with -DKQ_BUILD_TESTS=OFF to build "
                          "without tests)")
    endif()
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
      message(FATAL_ERROR "The test suite ${suite} needs the library ${target}, which has no "
                          "sources in this tree")
    endif()
  endforeach()
endfunction()
