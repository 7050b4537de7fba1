# Every target of ours builds with the full warning set of its compiler and stops on any
# warning: GCC and Clang (MinGW included) -Wall -Wextra -Werror; MSVC and clang-cl /W4 /WX, with
# /permissive- for the standard's rules.
function(qv_strict_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /WX /permissive-)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  endif()
endfunction()
