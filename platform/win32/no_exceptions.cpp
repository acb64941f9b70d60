// The Windows program is built without exceptions. The standard containers report a size that
// cannot be had through these three functions; the library's own throw, and would bring the
// whole exception machinery (unwinding, the exception classes, their strings and a demangler:
// about 120 KB) into an exe that never catches anything. Here they end the process, as the
// library does when it is itself built without exceptions. Should the program ever call another
// of the library's throwing functions, the library's definitions of these come with it and the
// link fails on the duplicates rather than growing the exe unnoticed.
#include <cstdlib>

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
