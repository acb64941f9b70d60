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

# HACK(libstdc++): the Windows program is built without exceptions and RTTI. It catches nothing and
# asks no type, and either would bring library code into the exe; the library's own pieces that
# still throw are replaced in platform/win32/library_replacements.cpp.
function(coverstrip_without_exceptions target)
  target_compile_options(${target} PRIVATE -fno-exceptions -fno-rtti)
endfunction()
