# Warnings are errors for our own targets; third-party sources keep their own flags.
# Fields carry no prefix, so constructor parameters may share their names:
# only locals that shadow locals are reported.
function(vantor_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /WX /utf-8 /permissive-)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror -Wnon-virtual-dtor)
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
      target_compile_options(${target} PRIVATE -Wshadow=local)
    endif()
  endif()
endfunction()
