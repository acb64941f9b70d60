// HACK(libstdc++): the Windows program replaces two pieces of the C++ library, for one reason:
// the exe's size. It is built without exceptions (see cmake/CompilerSettings.cmake), catches
// nothing and asks no type, yet the library's own operator new and its throw helpers would bring
// the whole exception machinery (unwinding, the exception classes, their strings and a
// demangler) into it. The release exe (the package-windows preset), last measured: 94,208 bytes
// with both, 206,336 without the operator new, 263,168 without the throw helpers.
//  - Global operator new and delete (replaceable, as the language allows), on the process heap:
//    memory that cannot be had ends the process, where the library's operator new would throw.
//  - The three helpers through which the standard containers report a size that cannot be had:
//    they end the process, as the library does when it is itself built without exceptions.
//    Should the program ever call another of the library's throwing functions, the library's
//    definitions of these come with it and the link fails on the duplicates rather than growing
//    the exe unnoticed.
#include <cstdlib>
#include <new>

#include "platform/win32/windows_api.h"

namespace {

void* Allocate(std::size_t size) {
  void* memory = ::HeapAlloc(::GetProcessHeap(), 0, size != 0 ? size : 1);
  if (memory == nullptr) std::abort();
  return memory;
}

void Free(void* memory) noexcept {
  if (memory != nullptr) ::HeapFree(::GetProcessHeap(), 0, memory);
}

}  // namespace

void* operator new(std::size_t size) {
  return Allocate(size);
}

void* operator new[](std::size_t size) {
  return Allocate(size);
}

void operator delete(void* memory) noexcept {
  Free(memory);
}

void operator delete[](void* memory) noexcept {
  Free(memory);
}

void operator delete(void* memory, std::size_t) noexcept {
  Free(memory);
}

void operator delete[](void* memory, std::size_t) noexcept {
  Free(memory);
}

namespace std {

[[noreturn]] void __throw_bad_alloc() {
  std::abort();
}

[[noreturn]] void __throw_bad_array_new_length() {
  std::abort();
}

[[noreturn]] void __throw_length_error(const char*) {
  std::abort();
}

}  // namespace std
