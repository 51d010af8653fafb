# Warnings are errors for the project's own targets on every compiler.
# -Wcast-function-type is named although g++'s -Wextra holds it, so clang checks it too: a cast
# between function types hides a calling convention, which on 32-bit Windows unbalances the stack.
# A pointer cast to a narrower integer needs no flag: C++ refuses it outright on every compiler.
function(nimbrel_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion -Wcast-function-type
    -Werror)
endfunction()
