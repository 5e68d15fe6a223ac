# Warnings are errors in project code. Third-party headers come in as system
# headers, so their warnings do not fail the build. The warnings are chosen
# for g++; a build with another compiler (the fuzz preset's clang) reports its
# own extra ones without failing on them.
option(KQ_WARNINGS_AS_ERRORS "Fail the build on a warning in project code" ON)
function(kq_project_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
    -Wcast-align -Woverloaded-virtual -Wformat=2 -Wimplicit-fallthrough)
  if(KQ_WARNINGS_AS_ERRORS)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
