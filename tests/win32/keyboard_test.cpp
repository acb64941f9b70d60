// The keyboard as the peek reads it, with keys pressed through SendInput, which sets the state
// GetAsyncKeyState reads.
#include <gtest/gtest.h>

#include "platform/win32/win32_keyboard.h"

namespace coverstrip::testing {
namespace {

void Key(WORD key, bool down) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  ::SendInput(1, &input, sizeof input);
}

bool HeldNow(WORD key) {
  const ULONGLONG deadline = ::GetTickCount64() + 2000;
  while ((::GetAsyncKeyState(key) & 0x8000) == 0 && ::GetTickCount64() < deadline) ::Sleep(10);
  return (::GetAsyncKeyState(key) & 0x8000) != 0;
}

TEST(RealKeyboard, InputModeKeysLeftDownDoNotCountAsOtherKeysHeldWithCtrlAlt) {
  struct Case {
    WORD key;
    bool other;
  };
  for (const Case c : {Case{VK_KANA, false}, Case{VK_KANJI, false}, Case{VK_IME_OFF, false},
                       Case{VK_OEM_ATTN, false}, Case{VK_OEM_AUTO, false}, Case{VK_OEM_ENLW, false},
                       Case{VK_OEM_BACKTAB, false}, Case{VK_CONVERT, true}, Case{'A', true}}) {
    SCOPED_TRACE(c.key);
    for (const WORD key : {WORD{VK_LCONTROL}, WORD{VK_LMENU}, c.key}) Key(key, true);
    ASSERT_TRUE(HeldNow(c.key));
    const KeysHeld held = win32::KeyboardReader().Read();
    EXPECT_TRUE(held.leftCtrl && held.leftAlt);
    EXPECT_EQ(held.other, c.other);
    for (const WORD key : {c.key, WORD{VK_LMENU}, WORD{VK_LCONTROL}}) Key(key, false);
  }
}

}  // namespace
}  // namespace coverstrip::testing
