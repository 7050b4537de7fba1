# Every target of ours builds with the full warning set and stops on any warning.
function(qv_strict_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()
