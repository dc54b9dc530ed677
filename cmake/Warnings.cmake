# Warnings are errors for our own targets; third-party sources keep their own flags.
function(vantor_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror -Wshadow -Wnon-virtual-dtor)
endfunction()
