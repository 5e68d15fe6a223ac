# Runs the include check on a small tree of its own: a lower library, an
# upper one that links it, and a host folder; each case plants one include
# and says whether the check must pass or fail.
#
# cmake -DCHECKER=<cmake/CheckIncludes.cmake> -DWORK=<scratch folder> -P CheckIncludesTest.cmake
cmake_minimum_required(VERSION 3.25)

set(cases
  "upper/u.cpp|#include \"low/l.h\"|pass"
  "upper/u.cpp|#include \"u.h\"|pass"
  "host/h.cpp|#include <QWidget>|pass"
  "low/l.cpp|#include \"upper/u.h\"|fail"
  "upper/u.cpp|#include \"../low/l.h\"|fail"
  "low/l.cpp|#include <QString>|fail"
  "low/l.cpp|#include \"host/h.h\"|fail"
)

set(failures "")
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" parts "${case}")
  list(GET parts 0 file)
  list(GET parts 1 line)
  list(GET parts 2 expected)
  set(root ${WORK}/tree)
  file(REMOVE_RECURSE ${root})
  file(WRITE ${root}/low/l.h "#pragma once\n")
  file(WRITE ${root}/low/l.cpp "#include \"l.h\"\n")
  file(WRITE ${root}/upper/u.h "#pragma once\n#include \"low/l.h\"\n")
  file(WRITE ${root}/upper/u.cpp "#include \"u.h\"\n")
  file(WRITE ${root}/host/h.h "#pragma once\n")
  file(WRITE ${root}/host/h.cpp "#include \"h.h\"\n")
  file(APPEND ${root}/${file} "${line}\n")
  string(MAKE_C_IDENTIFIER "${root}/low" low)
  string(MAKE_C_IDENTIFIER "${root}/upper" upper)
  string(MAKE_C_IDENTIFIER "${root}/host" host)
  file(WRITE ${WORK}/graph.cmake
    "set(KQ_OWNER_${low} lib_low)\nset(KQ_ALLOWED_lib_low \"lib_low\")\n"
    "set(KQ_OWNER_${upper} lib_upper)\nset(KQ_ALLOWED_lib_upper \"lib_upper;lib_low\")\n"
    "set(KQ_OWNER_${host} lib_host)\nset(KQ_ALLOWED_lib_host \"lib_host;lib_upper;lib_low\")\n"
    "set(KQ_DIRS \"${root}/low;${root}/upper;${root}/host\")\n"
    "set(KQ_ROOTS \"${root}\")\n")
  execute_process(
    COMMAND ${CMAKE_COMMAND} -DROOT=${root} -DGRAPH=${WORK}/graph.cmake -P ${CHECKER}
    RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE error)
  if(result EQUAL 0)
    set(outcome pass)
  else()
    set(outcome fail)
  endif()
  if(NOT outcome STREQUAL expected)
    list(APPEND failures "${file} with '${line}': expected ${expected}, got ${outcome} ${error}")
  endif()
endforeach()
file(REMOVE_RECURSE ${WORK}/tree)
if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "include check:\n  ${text}")
endif()
list(LENGTH cases count)
message(STATUS "include check: ${count} cases as expected")
