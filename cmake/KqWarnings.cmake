# Warnings are errors in project code. Third-party headers come in as system
# headers, so their warnings do not fail the build.
function(kq_project_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
    -Wcast-align -Woverloaded-virtual -Wformat=2 -Wimplicit-fallthrough
    -Werror)
endfunction()
