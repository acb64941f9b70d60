# Warnings as errors on every compiler, UTF-8 sources, and floating point kept to plain
# double-precision arithmetic (no fused or extended-precision intermediates), since the opacity
# and size rules depend on exactly rounded products.
function(coverstrip_settings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /WX /utf-8 /fp:precise /permissive-)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wconversion -Werror
                                             -ffp-contract=off)
    if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i[3-6]86|x86)$")
      target_compile_options(${target} PRIVATE -msse2 -mfpmath=sse)
    endif()
  endif()
endfunction()
