# Fails the build when a source includes what its target does not link:
# every quoted include is looked up as the compiler would (the including
# file's folder, then the include folders) and the folder it is found in
# names the target that owns it; that target must be the includer's own or
# one the includer links (cmake/KqIncludeGraph.cmake writes the graph).
# Also: no "../" includes (headers are named by their layer path), and no
# Qt header outside host/ (the module and the back-end run headless).
#
# cmake -DROOT=<source dir> -DGRAPH=<graph file> -P CheckIncludes.cmake
cmake_minimum_required(VERSION 3.25)
include(${GRAPH})
set(offenders "")
foreach(dir IN LISTS KQ_DIRS)
  string(MAKE_C_IDENTIFIER "${dir}" key)
  set(target ${KQ_OWNER_${key}})
  set(allowed ${KQ_ALLOWED_${target}})
  file(RELATIVE_PATH rel_dir ${ROOT} ${dir})
  file(GLOB sources "${dir}/*.h" "${dir}/*.cpp")
  foreach(src IN LISTS sources)
    file(STRINGS "${src}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    file(RELATIVE_PATH rel_src ${ROOT} ${src})
    foreach(line IN LISTS lines)
      if(NOT rel_dir MATCHES "^host(/|$)" AND
         line MATCHES "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]+|Qt[A-Za-z]*/)")
        list(APPEND offenders "${rel_src}: Qt header outside host/: ${line}")
        continue()
      endif()
      if(NOT line MATCHES "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\"")
        continue()
      endif()
      set(name ${CMAKE_MATCH_1})
      if(name MATCHES "^\\.\\./")
        list(APPEND offenders "${rel_src}: \"${name}\" climbs out of its folder (name the header by its layer path)")
        continue()
      endif()
      set(found "")
      foreach(base IN ITEMS ${dir} ${KQ_ROOTS})
        if(EXISTS "${base}/${name}" AND NOT IS_DIRECTORY "${base}/${name}")
          get_filename_component(found "${base}/${name}" ABSOLUTE)
          break()
        endif()
      endforeach()
      if(NOT found)
        continue()  # a header of the build or of a third party
      endif()
      get_filename_component(found_dir ${found} DIRECTORY)
      string(MAKE_C_IDENTIFIER "${found_dir}" found_key)
      set(owner ${KQ_OWNER_${found_key}})
      if(owner AND NOT owner IN_LIST allowed)
        list(APPEND offenders "${rel_src} (${target}) includes \"${name}\" of ${owner}, which ${target} does not link")
      endif()
    endforeach()
  endforeach()
endforeach()
if(offenders)
  list(JOIN offenders "\n  " text)
  message(FATAL_ERROR "Includes that do not follow the link graph:\n  ${text}")
endif()
