// Presses and releases keys through kwin's fake input (the org_kde_kwin_fake_input Wayland
// protocol of plasma-wayland-protocols' fake-input.xml, whose requests are declared here), as a
// keyboard of the compositor's own would. It reads one command a line on stdin and answers "ok"
// on stdout once kwin has handled it:
//   key CODE 1|0    the key of that evdev code (29 the left Ctrl, 56 the left Alt) down or up
// kwin offers the protocol only to programs whose desktop entry names it in
// X-KDE-Wayland-Interfaces. Relies on libwayland-client and WAYLAND_DISPLAY.
#include <wayland-client.h>

#include <cstdint>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>

namespace {

constexpr std::uint32_t kVersion = 4;  // keyboard_key came with version 4
constexpr std::uint32_t kAuthenticate = 0, kKeyboardKey = 10;

// The requests in the protocol's order (their opcodes), none of them with an object argument.
const wl_interface* kNoTypes[] = {nullptr, nullptr, nullptr};
const wl_message kRequests[] = {
    {"authenticate", "ss", kNoTypes},  {"pointer_motion", "ff", kNoTypes},
    {"button", "uu", kNoTypes},        {"axis", "uf", kNoTypes},
    {"touch_down", "2uff", kNoTypes},  {"touch_motion", "2uff", kNoTypes},
    {"touch_up", "2u", kNoTypes},      {"touch_cancel", "2", kNoTypes},
    {"touch_frame", "2", kNoTypes},    {"pointer_motion_absolute", "3ff", kNoTypes},
    {"keyboard_key", "4uu", kNoTypes},
};
const wl_interface kFakeInput = {"org_kde_kwin_fake_input", kVersion, 11, kRequests, 0, nullptr};

wl_proxy* fakeInput = nullptr;

void Global(void*, wl_registry* registry, std::uint32_t name, const char* interface,
            std::uint32_t version) {
  if (std::strcmp(interface, kFakeInput.name) != 0 || version < kVersion) return;
  fakeInput = static_cast<wl_proxy*>(wl_registry_bind(registry, name, &kFakeInput, kVersion));
}

void GlobalRemove(void*, wl_registry*, std::uint32_t) {}

const wl_registry_listener kListener = {Global, GlobalRemove};

}  // namespace

int main() {
  wl_display* display = wl_display_connect(nullptr);
  if (display == nullptr) {
    std::cerr << "no Wayland display\n";
    return 1;
  }
  wl_registry* registry = wl_display_get_registry(display);
  wl_registry_add_listener(registry, &kListener, nullptr);
  wl_display_roundtrip(display);
  if (fakeInput == nullptr) {
    std::cerr << "the compositor offers no " << kFakeInput.name << " version " << kVersion << '\n';
    return 1;
  }
  wl_proxy_marshal_flags(fakeInput, kAuthenticate, nullptr, kVersion, 0, "coverstrip tests",
                         "pressing keys");
  std::string line;
  while (std::getline(std::cin, line)) {
    std::istringstream in(line);
    std::string command;
    std::uint32_t code = 0, state = 0;
    if (!(in >> command >> code >> state) || command != "key" || state > 1) {
      std::cout << "error usage: key CODE 1|0" << std::endl;
      continue;
    }
    wl_proxy_marshal_flags(fakeInput, kKeyboardKey, nullptr, kVersion, 0, code, state);
    if (wl_display_roundtrip(display) < 0) {
      std::cout << "error the compositor has gone" << std::endl;
      return 1;
    }
    std::cout << "ok" << std::endl;
  }
  wl_display_disconnect(display);
  return 0;
}
