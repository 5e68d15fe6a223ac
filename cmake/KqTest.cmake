# kq_add_test(<name> SOURCES <files...> LIBS <targets...> [LABELS <labels...>] [QT])
#
# The one way test executables are registered: GoogleTest discovery, a label
# per subsystem, the pinned time zone every time test relies on, and the
# offscreen Qt platform for the few tests that need Qt.
include(GoogleTest)

function(kq_add_test name)
  cmake_parse_arguments(ARG "QT" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    KQ_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    KQ_TEST_BINARY="$<TARGET_FILE:${name}>")
  kq_project_warnings(${name})
  set(env "TZ=Asia/Taipei")
  if(ARG_QT)
    list(APPEND env "QT_QPA_PLATFORM=offscreen")
  endif()
  gtest_discover_tests(${name}
    PROPERTIES LABELS "${ARG_LABELS}" ENVIRONMENT "${env}"
    DISCOVERY_TIMEOUT 60)
endfunction()
