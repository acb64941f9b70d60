// The Windows program's own global operator new and delete (replaceable, as the language allows),
// on the process heap. The program is built without exceptions: memory that cannot be had ends
// it, where the library's operator new would throw, and would bring the whole exception machinery
// into the exe with it.
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
