#include "platform/win32/win32_keyboard.h"

#include "platform/win32/windows_api.h"

namespace coverstrip::win32 {
namespace {

bool Down(int key) {
  return (static_cast<unsigned short>(::GetAsyncKeyState(key)) & 0x8000u) != 0;
}

// The input-mode keys of Japanese and Korean keyboards: Kana, IME on and off, Junja, Final,
// Kanji/Hanja; Eisu, Katakana, Hiragana, Hankaku, Zenkaku and Romaji. Their keyboards send many
// of them without a release (Hankaku/Zenkaku alternates VK_OEM_AUTO and VK_OEM_ENLW), so that
// they read as held from the first press on.
bool IsInputModeKey(int key) {
  return (key >= VK_KANA && key <= VK_IME_OFF) || (key >= VK_OEM_ATTN && key <= VK_OEM_BACKTAB);
}

// The key codes that are not keys of their own: the pointer buttons, and Ctrl and Alt without a
// side, which are down exactly when one of their sided codes is; and the input-mode keys, which
// may read as held when no finger is on them.
bool CountsAsOther(int key) {
  if (IsInputModeKey(key)) return false;
  switch (key) {
    case VK_LBUTTON:
    case VK_RBUTTON:
    case VK_MBUTTON:
    case VK_XBUTTON1:
    case VK_XBUTTON2:
    case VK_CONTROL:
    case VK_MENU:
    case VK_LCONTROL:
    case VK_RCONTROL:
    case VK_LMENU:
    case VK_RMENU:
      return false;
    default:
      return true;
  }
}

// Windows types AltGr's characters as Ctrl+Alt: a layout has AltGr when some key gives a
// character with both held.
bool HasAltGr(HKL layout) {
  BYTE state[256]{};
  state[VK_CONTROL] = state[VK_MENU] = 0x80;
  constexpr UINT kKeepKeyboardState = 4;  // no dead key is consumed or left behind
  for (UINT key = '0'; key <= VK_OEM_102; ++key) {
    const UINT scanCode = ::MapVirtualKeyExW(key, MAPVK_VK_TO_VSC, layout);
    wchar_t typed[4]{};
    if (scanCode != 0 &&
        ::ToUnicodeEx(key, scanCode, state, typed, 4, kKeepKeyboardState, layout) > 0 &&
        typed[0] >= L' ') {
      return true;
    }
  }
  return false;
}

}  // namespace

bool KeyboardReader::FrontLayoutHasAltGr() {
  const DWORD thread = ::GetWindowThreadProcessId(::GetForegroundWindow(), nullptr);
  const HKL layout = ::GetKeyboardLayout(thread);
  if (layout != layout_) {
    layout_ = layout;
    layoutHasAltGr_ = HasAltGr(layout);
  }
  return layoutHasAltGr_;
}

KeysHeld KeyboardReader::Read() {
  KeysHeld held{.leftCtrl = Down(VK_LCONTROL),
                .rightCtrl = Down(VK_RCONTROL),
                .leftAlt = Down(VK_LMENU),
                .rightAlt = Down(VK_RMENU)};
  // Under Wine each read is a round trip to the wineserver: the scan of every other key, 250
  // reads, is made only while a Ctrl or an Alt is held. VK_CANCEL (3) is Ctrl+Break, a key;
  // codes 1 to 7 are otherwise pointer buttons.
  if (!held.leftCtrl && !held.rightCtrl && !held.leftAlt && !held.rightAlt) return held;
  if (held.rightAlt && FrontLayoutHasAltGr()) {
    held.rightAlt = false;
    held.other = true;
    return held;
  }
  for (int key = VK_CANCEL; key <= 0xFE && !held.other; ++key) {
    held.other = CountsAsOther(key) && Down(key);
  }
  return held;
}

}  // namespace coverstrip::win32
