# Warnings every target of ours gets; call tamsel_warnings(target).
function(tamsel_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                             -Wno-sign-conversion)
endfunction()
