# Warnings as errors, UTF-8 sources, and floating point kept to plain double-precision arithmetic
# (no fused or extended-precision intermediates), since the opacity and size rules depend on
# exactly rounded products. Both programs are built with GCC: natively, and with mingw-w64's for
# Windows.
function(coverstrip_settings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wconversion -Werror
                                           -ffp-contract=off)
  if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i[3-6]86|x86)$")
    target_compile_options(${target} PRIVATE -msse2 -mfpmath=sse)
  endif()
endfunction()
