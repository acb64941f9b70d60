// The four USER32 calls for toolkits that have no USER32, kept with the Win32 rules: the
// extended-style word is read and written by GWL_EXSTYLE, its topmost bit follows SetWindowPos
// (a window put after a window of the topmost band is in it too),
// and a constant alpha takes effect only on a layered window with LWA_ALPHA. What the calls
// change on the screen is carried out by the toolkit's Stacking.
#pragma once

#include <cstdint>

#include "platform/contract/window_manager.h"
#include "platform/shared/backend.h"

namespace coverstrip {

class Stacking {
 public:
  virtual ~Stacking() = default;
  // Into (and to the top of) the topmost band, or out of it below every other window.
  virtual void Restack(bool topmost, bool activate) = 0;
  // Into the topmost band just below another window of it.
  virtual void StackBelow(NativeHandle window) = 0;
  virtual void SetOpacity(std::uint8_t alpha) = 0;
};

class EmulatedWindowManager final : public WindowManager {
 public:
  EmulatedWindowManager(const Backend& backend, Stacking& stacking)
      : backend_(backend), stacking_(stacking) {}
  bool SetWindowPos(NativeHandle window, NativeHandle insertAfter, std::int32_t x, std::int32_t y,
                    std::int32_t cx, std::int32_t cy, std::uint32_t flags) override;
  std::int32_t GetWindowLongA(NativeHandle window, std::int32_t index) override;
  std::int32_t SetWindowLongA(NativeHandle window, std::int32_t index, std::int32_t value) override;
  bool SetLayeredWindowAttributes(NativeHandle window, Colour key, std::uint8_t alpha,
                                  std::uint32_t flags) override;

 private:
  bool IsForm(NativeHandle window) const { return window == backend_.FormHandle(); }

  const Backend& backend_;
  Stacking& stacking_;
  std::int32_t exStyle_ = 0;
};

}  // namespace coverstrip
