// The real Win32 form, run under Wine on an X display of its own, and sent the messages that
// Windows sends and Wine never does by itself: a change of DPI, a change of the displays, a window
// creation that fails; and the colour dialog, for who has the keyboard around it.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/form1.h"
#include "app/form1_design.h"
#include "platform/shared/application.h"
#include "platform/shared/toolkit.h"
#include "platform/win32/win32_backend.h"

namespace coverstrip::testing {
namespace {

// Form1 on the real windows, as the program starts it, or as it starts on Windows.
struct RealForm {
  explicit RealForm(bool underWine = win32::WineQuirks::Detect())
      : backend(::GetModuleHandleW(nullptr), Form1Design(), underWine) {
    toolkit.StartUp(form);
  }
  HWND Window() const { return reinterpret_cast<HWND>(backend.FormHandle()); }
  HWND Strip() const { return ::FindWindowExW(Window(), nullptr, L"coverstrip.Picture1", nullptr); }
  FormWindow& Form() { return toolkit.platform().form; }
  bool OnAMonitor() const {
    RECT rect{};
    ::GetWindowRect(Window(), &rect);
    return ::MonitorFromRect(&rect, MONITOR_DEFAULTTONULL) != nullptr;
  }
  void Send(HWND window, UINT message, WPARAM wParam, POINT at) const {
    ::SendMessageW(window, message, wParam, MAKELPARAM(at.x, at.y));
  }

  win32::Win32Backend backend;
  Toolkit toolkit{backend, Form1Design()};
  Form1 form{toolkit.platform()};
};

// What a CBT hook of this thread saw, and what it does to the dialogs it sees activated.
struct CbtWatch {
  CbtWatch() { current = this; }
  ~CbtWatch() {
    if (hook != nullptr) ::UnhookWindowsHookEx(hook);
    current = nullptr;
  }
  void Start() { hook = ::SetWindowsHookExW(WH_CBT, &Hook, nullptr, ::GetCurrentThreadId()); }

  static std::wstring ClassOf(HWND window) {
    wchar_t name[64]{};
    ::GetClassNameW(window, name, 64);
    return name;
  }
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    CbtWatch& watch = *current;
    const auto window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_CREATEWND && ClassOf(window) == watch.refuseClass) return 1;
    if (code == HCBT_ACTIVATE) {
      if (window == watch.neverActive) ++watch.activations;
      if (ClassOf(window) == L"#32770") {  // a dialog: read it, then confirm it
        wchar_t text[256]{};
        ::GetDlgItemTextW(window, 0xFFFF, text, 256);  // a message box's text
        watch.dialogText = text;
        ++watch.dialogs;
        ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
      }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
  }

  inline static CbtWatch* current = nullptr;
  HHOOK hook = nullptr;
  std::wstring refuseClass;
  HWND neverActive = nullptr;
  int activations = 0;
  int dialogs = 0;
  std::wstring dialogText;
};

TEST(RealForm, DpiChangesKeepTheSizeInTwipsAndThePressPointUnderThePointer) {
  for (const bool dragging : {false, true}) {
    SCOPED_TRACE(dragging ? "during a drag" : "at rest");
    RealForm real;
    const Twips width = real.Form().Width(), height = real.Form().Height();
    const POINT press{200, 20};
    if (dragging) {
      POINT pointer = press;
      ::ClientToScreen(real.Strip(), &pointer);
      ::SetCursorPos(pointer.x, pointer.y);
      real.Send(real.Strip(), WM_LBUTTONDOWN, MK_LBUTTON, press);
    }
    // The first change after start, then back.
    for (const UINT dpi : {144u, 96u}) {
      SCOPED_TRACE(dpi);
      const PixelRect before = real.backend.FormRect();
      const RECT suggested{before.left + 7, before.top + 3, before.left + 7 + 100,
                           before.top + 3 + 20};
      ::SendMessageW(real.Window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
      const PixelRect after = real.backend.FormRect();
      EXPECT_EQ(real.Form().Width(), width);
      EXPECT_EQ(real.Form().Height(), height);
      EXPECT_EQ(after.width, std::lround(width * static_cast<double>(dpi) / 1440));
      EXPECT_TRUE(real.OnAMonitor());
      if (!dragging) {
        EXPECT_EQ(after.left, suggested.left);
        EXPECT_EQ(after.top, suggested.top);
        continue;
      }
      // A move to where the pointer is moves nothing: the press point is under it.
      POINT pointer{};
      ::GetCursorPos(&pointer);
      ::ScreenToClient(real.Strip(), &pointer);
      real.Send(real.Strip(), WM_MOUSEMOVE, MK_LBUTTON, pointer);
      EXPECT_EQ(real.backend.FormRect(), after);
    }
    if (dragging) real.Send(real.Strip(), WM_LBUTTONUP, 0, press);
  }
}

TEST(RealForm, ADisplayChangeBringsBackAStripLeftOnNoMonitorAndLeavesOneStillShown) {
  struct Case {
    const char* what;
    Twips beyondRightEdge;  // where the left edge is put, from the screen's right edge
    bool backAtStart;
  };
  for (const Case& c : {Case{"on no monitor", 15000, true}, Case{"partly shown", -1500, false}}) {
    SCOPED_TRACE(c.what);
    RealForm real;
    const PixelRect start = real.backend.FormRect();
    real.Form().Move(real.toolkit.platform().screen.Width() + c.beyondRightEdge, 600);
    const PixelRect moved = real.backend.FormRect();
    ::SendMessageW(real.Window(), WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
    EXPECT_EQ(real.backend.FormRect(), c.backAtStart ? start : moved);
  }
}

TEST(RealForm, AButtonCountsFromAPressOnTheStripUntilItsRelease) {
  CbtWatch watch;
  RealForm real(false);
  watch.Start();
  const PixelRect start = real.backend.FormRect();
  // Held in from a drag another program began without the capture: the moves carry the buttons.
  real.Send(real.Strip(), WM_MOUSEMOVE, MK_LBUTTON, POINT{300, 20});
  real.Send(real.Strip(), WM_MOUSEMOVE, MK_RBUTTON, POINT{310, 20});
  real.Send(real.Strip(), WM_LBUTTONUP, 0, POINT{310, 20});
  EXPECT_EQ(real.backend.FormRect(), start);
  EXPECT_EQ(watch.dialogs, 0);
  // Pressed on the strip, the same move drags.
  real.Send(real.Strip(), WM_LBUTTONDOWN, MK_LBUTTON, POINT{300, 20});
  real.Send(real.Strip(), WM_MOUSEMOVE, MK_LBUTTON, POINT{310, 25});
  real.Send(real.Strip(), WM_LBUTTONUP, 0, POINT{310, 25});
  EXPECT_EQ(real.backend.FormRect(),
            (PixelRect{start.left + 10, start.top + 5, start.width, start.height}));
}

TEST(RealForm, AFormThatCannotBeCreatedSaysSoAndEndsWithStatusOne) {
  CbtWatch watch;
  watch.refuseClass = L"coverstrip.Form1";
  watch.Start();
  char name[] = "coverstrip";
  char* argv[] = {name, nullptr};
  struct Form1Factory final : FormFactory {
    std::unique_ptr<FormEvents> Make(Platform& platform) const override {
      return std::make_unique<Form1>(platform);
    }
  };
  const int status = RunApplication(1, argv, Form1Design(), Form1Factory());
  EXPECT_EQ(status, 1);
  EXPECT_EQ(watch.dialogs, 1);
  EXPECT_EQ(watch.dialogText, L"The overlay window could not be created.");
}

TEST(RealForm, TheColourDialogLeavesTheKeyboardWithTheWindowThatHadIt) {
  WNDCLASSW peerClass{};
  peerClass.lpfnWndProc = ::DefWindowProcW;
  peerClass.hInstance = ::GetModuleHandleW(nullptr);
  peerClass.lpszClassName = L"coverstrip.test.Player";
  ::RegisterClassW(&peerClass);
  const HWND player =
      ::CreateWindowExW(0, peerClass.lpszClassName, L"player", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200,
                        nullptr, nullptr, peerClass.hInstance, nullptr);
  ::ShowWindow(player, SW_SHOW);
  ::SetForegroundWindow(player);

  CbtWatch watch;
  RealForm real;
  watch.neverActive = real.Window();
  watch.Start();
  EXPECT_EQ(::GetForegroundWindow(), player);
  // A move with the right button held opens the dialog; the hook confirms it.
  real.Send(real.Strip(), WM_RBUTTONDOWN, MK_RBUTTON, POINT{200, 20});
  real.Send(real.Strip(), WM_MOUSEMOVE, MK_RBUTTON, POINT{210, 20});
  EXPECT_EQ(watch.dialogs, 1);
  EXPECT_EQ(watch.activations, 0);
  EXPECT_EQ(::GetForegroundWindow(), player);
  EXPECT_EQ(::GetActiveWindow(), player);
  ::DestroyWindow(player);
}

// Runs this thread's messages, the form's timer among them, until done() or the deadline; the
// last done().
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds deadline) {
  const auto end = std::chrono::steady_clock::now() + deadline;
  for (;;) {
    MSG message{};
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

// The shown top-levels in USER32's z-order, top-most first.
std::vector<HWND> ZOrder() {
  std::vector<HWND> windows;
  for (HWND w = ::GetTopWindow(nullptr); w != nullptr; w = ::GetWindow(w, GW_HWNDNEXT)) {
    if (::IsWindowVisible(w)) windows.push_back(w);
  }
  return windows;
}

bool Above(HWND upper, HWND lower) {
  const std::vector<HWND> order = ZOrder();
  const auto at = [&order](HWND w) { return std::find(order.begin(), order.end(), w); };
  return at(upper) < at(lower) && at(lower) != order.end();
}

// Another program as USER32 sees one: a thread of its own with a topmost window over the strip,
// which opens a popup menu (TrackPopupMenu, whose loop runs until the menu closes) or raises
// itself when told.
class PeerThread {
 public:
  enum : UINT { kRaise = WM_APP + 1, kOpenMenu, kCloseMenu };

  explicit PeerThread(RECT over) : thread_([this, over] { Run(over); }) {
    while (window_.load() == nullptr) std::this_thread::yield();
  }
  ~PeerThread() {
    ::PostMessageW(window_, WM_CLOSE, 0, 0);
    thread_.join();
  }
  HWND Window() const { return window_; }
  void Tell(UINT command) const { ::PostMessageW(window_, command, 0, 0); }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case kRaise:
        ::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return 0;
      case kOpenMenu: {
        const HMENU menu = ::CreatePopupMenu();
        ::AppendMenuW(menu, MF_STRING, 1, L"Pause");
        ::AppendMenuW(menu, MF_STRING, 2, L"Subtitles");
        RECT rect{};
        ::GetWindowRect(window, &rect);
        ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, rect.left + 60, rect.top + 30, 0,
                         window, nullptr);
        ::DestroyMenu(menu);
        return 0;
      }
      case kCloseMenu:  // dispatched by the menu's own loop
        ::EndMenu();
        return 0;
      case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
      default:
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
  }

  void Run(RECT over) {
    WNDCLASSW peerClass{};
    peerClass.lpfnWndProc = &Procedure;
    peerClass.hInstance = ::GetModuleHandleW(nullptr);
    peerClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
    peerClass.lpszClassName = L"coverstrip.test.PeerThread";
    ::RegisterClassW(&peerClass);
    const HWND window =
        ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, peerClass.lpszClassName, L"peer",
                          WS_POPUP, over.left, over.top, over.right - over.left,
                          over.bottom - over.top, nullptr, nullptr, peerClass.hInstance, nullptr);
    ::ShowWindow(window, SW_SHOWNOACTIVATE);
    window_ = window;
    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) ::DispatchMessageW(&message);
  }

  std::atomic<HWND> window_{nullptr};
  std::thread thread_;
};

HWND ShownMenu() {
  const HWND menu = ::FindWindowW(L"#32768", nullptr);
  return menu != nullptr && ::IsWindowVisible(menu) ? menu : nullptr;
}

TEST(RealForm, CoversARaisedWindowAgainAndStaysBelowAMenuWhileItIsOpen) {
  using std::chrono_literals::operator""ms;
  RealForm real;
  RECT strip{};
  ::GetWindowRect(real.Window(), &strip);
  PeerThread peer(RECT{strip.left - 40, strip.top - 40, strip.right + 40, strip.bottom + 40});
  const HWND form = real.Window();

  peer.Tell(PeerThread::kRaise);
  EXPECT_TRUE(PumpUntil([&] { return Above(form, peer.Window()); }, 1000ms))
      << "the strip is not back above the raised window";

  peer.Tell(PeerThread::kOpenMenu);
  ASSERT_TRUE(PumpUntil([] { return ShownMenu() != nullptr; }, 2000ms)) << "no menu opened";
  const HWND menu = ShownMenu();
  int samples = 0;
  // Ten ticks and more: the menu stays above the strip at every sample.
  EXPECT_FALSE(PumpUntil(
      [&] {
        ++samples;
        return !Above(menu, form);
      },
      600ms))
      << "the strip went above the open menu";
  EXPECT_GT(samples, 10);
  EXPECT_TRUE(Above(form, peer.Window()));

  peer.Tell(PeerThread::kCloseMenu);
  EXPECT_TRUE(PumpUntil([] { return ShownMenu() == nullptr; }, 2000ms)) << "the menu stayed";
  EXPECT_TRUE(PumpUntil([&] { return Above(form, peer.Window()); }, 1000ms))
      << "the strip is not back above the window once the menu closed";
}

}  // namespace
}  // namespace coverstrip::testing
