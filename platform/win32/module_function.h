// A function of a loaded module, looked up by name at run time, for what the exe must not import.
#pragma once

#include "platform/win32/windows_api.h"

namespace coverstrip::win32 {

// Null when the module has no function of that name.
template <typename Function>
Function ModuleFunction(HMODULE module, const char* name) {
  // Through a function type that takes nothing: GetProcAddress's FARPROC converts to no other
  // function pointer type without a warning.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

}  // namespace coverstrip::win32
