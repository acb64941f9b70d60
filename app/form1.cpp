#include "app/form1.h"

#include "colour/colour_choice.h"
#include "gestures/gesture_step.h"
#include "gestures/zones.h"
#include "overlay/keep_on_top.h"
#include "overlay/opacity.h"
#include "overlay/peek.h"
#include "overlay/size_rules.h"

namespace coverstrip {
namespace {

constexpr double kStartWidthFraction = 0.5;
constexpr Twips kStartHeight = 600;
constexpr double kStartLeftFraction = 0.25;
constexpr Twips kCloseMarkStart = 5;

// Without SWP_NOACTIVATE each re-assertion would take the keyboard focus from the program the
// user is working in.
constexpr std::uint32_t kKeepOnTopFlags = wm::kNoSize | wm::kNoMove | wm::kNoActivate;

// The design top edge, unless no part of the window would be on the screen there: then the top
// that shows all of it, so that the close mark can always be reached.
Twips StartTop(Twips designTop, Twips windowHeight, Twips screenHeight) {
  if (designTop < screenHeight) return designTop;
  const Twips top = screenHeight - windowHeight;
  return top > 0 ? top : 0;
}

}  // namespace

void Form1::Form_Load() {
  PlaceAsAtStartUp();
  platform_.label.SetContainer(platform_.picture);
  platform_.label.Move(kCloseMarkStart, kCloseMarkStart);
  KeepOnTop();
}

void Form1::PlaceAsAtStartUp() {
  (void)platform_.picture.SetWidth(
      static_cast<Twips>(platform_.screen.Width() * kStartWidthFraction));
  (void)platform_.picture.SetHeight(kStartHeight);
  const Twips screenWidth = platform_.screen.Width();
  // At load the window is still at its design top.
  if (!designTop_) designTop_ = platform_.form.Top();
  const Twips top = StartTop(*designTop_, platform_.form.Height(), platform_.screen.Height());
  platform_.form.Move(static_cast<Twips>(screenWidth * kStartLeftFraction), top);
}

bool Form1::OnAnyMonitor() const {
  const Twips left = platform_.form.Left(), top = platform_.form.Top();
  const Twips right = left + platform_.form.Width(), bottom = top + platform_.form.Height();
  for (const TwipsRect& monitor : platform_.screen.Monitors()) {
    if (left < monitor.left + monitor.width && monitor.left < right &&
        top < monitor.top + monitor.height && monitor.top < bottom) {
      return true;
    }
  }
  return false;
}

// A strip left on no monitor, with no frame, menu or taskbar button to bring it back by, goes
// back where start-up would place it now; one still partly shown stays where the user put it.
void Form1::Screen_Change() {
  screenChangePending_ = platform_.picture.ButtonsPressed() != 0 || choosingColour_;
  if (!screenChangePending_ && !OnAnyMonitor()) PlaceAsAtStartUp();
}

void Form1::Form_Activate() {
  KeepOnTop();
  // Once the window shows, so that start-up waits for no player.
  if (options_.peekWhilePaused) platform_.mediaPlayers.Watch();
}

void Form1::Timer1_Timer() {
  KeepOnTop();
  // Back from a peek: above whatever was raised while the window was hidden.
  if (overlay::PeekStep(platform_.keyboard, platform_.form, pausedPeek_.SteppingAside())) {
    KeepOnTop();
  }
}

// Carried out at once, as the next tick would: players tell of a pause some 70 ms after it. Not
// while the colour dialog is open, which stops the ticks; the first one after it does it.
void Form1::MediaPlayer_Change(PlayerId player, Playback playback) {
  pausedPeek_.Change(player, playback);
  if (!choosingColour_) Timer1_Timer();
}

// Back on top of the topmost band, but never above another program's transient window: once in
// the band, the window goes just above the top-most ordinary window over it, if there is one.
void Form1::KeepOnTop() {
  const NativeHandle hWnd = platform_.form.hWnd();
  WindowManager& windowManager = platform_.windowManager;
  const bool topmost =
      (windowManager.GetWindowLongA(hWnd, wm::kExStyleIndex) & wm::kExStyleTopmost) != 0;
  NativeHandle insertAfter = wm::kInsertTopmost;
  if (topmost && platform_.zOrder.WindowsAbove(hWnd, windowsAbove_)) {
    const std::optional<NativeHandle> place = overlay::KeepOnTopInsertAfter(windowsAbove_);
    if (!place) return;
    insertAfter = *place;
  }
  windowManager.SetWindowPos(hWnd, insertAfter, 0, 0, 0, 0, kKeepOnTopFlags);
}

void Form1::Picture1_MouseDown(std::int16_t button, std::int16_t /*shift*/, float x, float y) {
  if (choosingColour_) return;
  // The zone the left button goes down in chooses the gesture for the whole drag: a brisk
  // motion that crosses into another band must not turn a move into a stretch or back.
  if (button == mouse_button::kLeft) platform_.picture.SetMousePointer(gestures::ZoneShape(x, y));
  const auto downX = gestures::RoundPressCoordinate(x);
  const auto downY = gestures::RoundPressCoordinate(y);
  if (!downX || !downY) return;
  DownX = *downX;
  DownY = *downY;
}

void Form1::Picture1_MouseMove(std::int16_t button, std::int16_t /*shift*/, float x, float y) {
  if (choosingColour_) return;
  // Until the left button's release the pointer keeps the shape of the gesture it holds.
  if ((platform_.picture.ButtonsPressed() & mouse_button::kLeft) == 0) {
    platform_.picture.SetMousePointer(gestures::ZoneShape(x, y));
  }
  if (button == mouse_button::kRight) {
    choosingColour_ = true;
    colour::ChooseCoveringColour(platform_);
    choosingColour_ = false;
    if (screenChangePending_) Screen_Change();
  } else if (button == mouse_button::kLeft) {
    gestures::GestureStep(platform_.form, platform_.picture, {DownX, DownY}, x, y);
  }
}

void Form1::Picture1_MouseUp(std::int16_t /*button*/, std::int16_t /*shift*/, float /*x*/,
                             float /*y*/) {
  if (choosingColour_) return;
  DownX = -1;
  DownY = -1;
  const Twips width = platform_.form.Width();
  const Twips height = platform_.form.Height();
  (void)platform_.picture.Move(0, 0, width, height);
  if (screenChangePending_) Screen_Change();
}

void Form1::Picture1_DblClick() {
  if (choosingColour_) return;
  SetTransparency(platform_.form.hWnd(), TransparencyPercent);
  TransparencyPercent = overlay::NextTransparency(TransparencyPercent);
}

void Form1::SetTransparency(NativeHandle hWnd, std::int16_t percent) {
  overlay::ApplyTransparency(platform_.windowManager, hWnd, percent);
}

void Form1::Picture1_Resize() {
  overlay::ApplySizeRules(platform_.form, platform_.picture, platform_.screen, platform_.label);
}

void Form1::Label1_DblClick() {
  if (choosingColour_) return;
  platform_.process.End();
}

}  // namespace coverstrip
