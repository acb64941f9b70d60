// The real Win32 form, run under Wine on an X display of its own, and sent the messages that
// Windows sends and Wine never does by itself: a change of DPI, a change of the displays, a window
// creation that fails; the colour dialog, for who has the keyboard around it; and the system's
// media sessions, which Wine has not.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "app/form1.h"
#include "app/form1_design.h"
#include "platform/shared/application.h"
#include "platform/shared/toolkit.h"
#include "platform/win32/module_function.h"
#include "platform/win32/win32_backend.h"

namespace coverstrip::testing {
namespace {

// Form1 on the real windows, as the program starts it, or as it starts on Windows.
struct RealForm {
  explicit RealForm(bool underWine = win32::WineQuirks::Detect(), StripOptions options = {})
      : backend(::GetModuleHandleW(nullptr), Form1Design(), underWine),
        form(toolkit.platform(), options) {
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
  Form1 form;
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
  // A change of resolution, and of a monitor's scale, which Windows tells as a change of settings.
  for (const UINT message : {WM_DISPLAYCHANGE, WM_SETTINGCHANGE}) {
    for (const Case& c : {Case{"on no monitor", 15000, true}, Case{"partly shown", -1500, false}}) {
      SCOPED_TRACE(c.what);
      RealForm real;
      const PixelRect start = real.backend.FormRect();
      real.Form().Move(real.toolkit.platform().screen.Width() + c.beyondRightEdge, 600);
      const PixelRect moved = real.backend.FormRect();
      ::SendMessageW(real.Window(), message, message == WM_DISPLAYCHANGE ? 32 : 0,
                     message == WM_DISPLAYCHANGE ? MAKELPARAM(1024, 768) : 0);
      EXPECT_EQ(real.backend.FormRect(), c.backAtStart ? start : moved);
    }
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

TEST(RealForm, PixelsScaledForAnotherDpiThanTheWindowsAreReconciledOnceItSettles) {
  for (const bool dragging : {false, true}) {
    SCOPED_TRACE(dragging ? "at the release" : "at a move from outside");
    RealForm real(false);
    const PixelRect start = real.backend.FormRect();
    if (dragging) real.Send(real.Strip(), WM_LBUTTONDOWN, MK_LBUTTON, POINT{200, 20});
    // As a second rescale leaves it: the pixels for 144 dpi, the window at Wine's 96.
    const RECT suggested{start.left, start.top, start.left + 1, start.top + 1};
    ::SendMessageW(real.Window(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                   reinterpret_cast<LPARAM>(&suggested));
    ASSERT_EQ(real.backend.FormRect().width, start.width * 3 / 2);
    if (dragging) {
      real.Send(real.Strip(), WM_LBUTTONUP, 0, POINT{200, 20});
    } else {
      ::SetWindowPos(real.Window(), nullptr, start.left + 5, start.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    EXPECT_EQ(real.backend.FormRect().width, start.width);
    EXPECT_EQ(real.backend.FormRect().height, start.height);
  }
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

// Runs this thread's messages, the form's timer among them, until done() or the deadline.
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

// Whether upper is above lower in USER32's z-order.
bool Above(HWND upper, HWND lower) {
  for (HWND w = ::GetWindow(lower, GW_HWNDPREV); w != nullptr; w = ::GetWindow(w, GW_HWNDPREV)) {
    if (w == upper) return true;
  }
  return false;
}

HWND ShownMenu() {
  const HWND menu = ::FindWindowW(L"#32768", nullptr);
  return menu != nullptr && ::IsWindowVisible(menu) ? menu : nullptr;
}

// Another program as USER32 sees one: a thread of its own. Its topmost window opens over the
// strip; told to, it opens a popup menu, which its own timer closes 0.8 s later.
TEST(RealForm, CoversARaisedWindowAgainAndStaysBelowAMenuWhileItIsOpen) {
  using std::chrono_literals::operator""ms;
  RealForm real;
  const HWND form = real.Window();
  RECT strip{};
  ::GetWindowRect(form, &strip);
  std::atomic<HWND> peer{nullptr};
  std::atomic<bool> openMenu{false}, done{false};
  std::thread peerThread([&] {
    const HWND window = ::CreateWindowExW(
        WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"STATIC", L"peer", WS_POPUP | WS_VISIBLE,
        strip.left - 40, strip.top - 40, strip.right - strip.left + 80,
        strip.bottom - strip.top + 80, nullptr, nullptr, nullptr, nullptr);
    peer = window;
    const auto pump = [](const std::atomic<bool>& until) {
      PumpUntil([&until] { return until.load(); }, 10000ms);
    };
    pump(openMenu);
    const HMENU menu = ::CreatePopupMenu();
    ::AppendMenuW(menu, MF_STRING, 1, L"Pause");
    // Dispatched by the menu's own loop, which runs until the menu closes.
    ::SetTimer(nullptr, 0, 800, [](HWND, UINT, UINT_PTR, DWORD) { ::EndMenu(); });
    ::TrackPopupMenu(menu, 0, strip.left + 60, strip.top + 10, 0, window, nullptr);
    ::DestroyMenu(menu);
    pump(done);
    ::DestroyWindow(window);
  });
  ASSERT_TRUE(PumpUntil([&] { return peer.load() != nullptr; }, 2000ms));
  EXPECT_TRUE(PumpUntil([&] { return Above(form, peer); }, 1000ms))
      << "the strip is not back above the window raised over it";

  openMenu = true;
  EXPECT_TRUE(PumpUntil([] { return ShownMenu() != nullptr; }, 2000ms)) << "no menu opened";
  const HWND menu = ShownMenu();
  int samples = 0;
  // Over ten ticks, until the menu closes: above the strip at every sample.
  PumpUntil(
      [&] {
        ++samples;
        EXPECT_TRUE(ShownMenu() == nullptr || Above(menu, form)) << "at sample " << samples;
        return ShownMenu() == nullptr;
      },
      3000ms);
  EXPECT_GT(samples, 20);
  EXPECT_TRUE(PumpUntil([&] { return Above(form, peer); }, 1000ms))
      << "the strip is not above the window once the menu closed";
  done = true;
  peerThread.join();
}

// The system's media session manager, stood in for by a DLL of the tests' own
// (media_sessions_stand_in.cpp), registered where Wine's combase looks for the class; not where
// the system has a session manager of its own.
class StandInSessions {
 public:
  StandInSessions() {
    wchar_t exe[MAX_PATH]{};
    ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring dll = exe;
    dll.replace(dll.rfind(L'\\') + 1, std::wstring::npos, L"media_sessions_stand_in.dll");
    wchar_t registered[MAX_PATH]{};
    DWORD size = sizeof registered;
    const LSTATUS found = ::RegGetValueW(HKEY_LOCAL_MACHINE, kKey.c_str(), L"DllPath",
                                         RRF_RT_REG_SZ, nullptr, registered, &size);
    if (found == ERROR_SUCCESS ? dll != registered : found != ERROR_FILE_NOT_FOUND) return;
    const DWORD inProcess = 0;
    ::RegSetKeyValueW(HKEY_LOCAL_MACHINE, kKey.c_str(), L"DllPath", REG_SZ, dll.c_str(),
                      static_cast<DWORD>((dll.size() + 1) * sizeof(wchar_t)));
    ::RegSetKeyValueW(HKEY_LOCAL_MACHINE, kKey.c_str(), L"ActivationType", REG_DWORD, &inProcess,
                      sizeof inProcess);
    module_ = ::LoadLibraryW(dll.c_str());
    add = win32::ModuleFunction<int (*)(Status, bool)>(module_, "StandInAddSession");
    set = win32::ModuleFunction<void (*)(int, Status)>(module_, "StandInSetStatus");
    remove = win32::ModuleFunction<void (*)(int)>(module_, "StandInRemoveSession");
    readings = win32::ModuleFunction<int (*)()>(module_, "StandInReadings");
  }
  ~StandInSessions() {
    if (module_ == nullptr) return;
    ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, kKey.c_str());
    ::FreeLibrary(module_);
  }
  bool Standing() const { return add && set && remove && readings; }

  using Status = win32::media_control::PlaybackStatus;
  // Answers the session's number. Fresh: the list holds another object for it at every reading.
  int (*add)(Status, bool fresh) = nullptr;
  void (*set)(int, Status) = nullptr;
  void (*remove)(int) = nullptr;
  int (*readings)() = nullptr;  // of the list of sessions, so far

 private:
  inline static const std::wstring kKey =
      std::wstring(L"Software\\Microsoft\\WindowsRuntime\\ActivatableClassId\\") +
      win32::media_control::kManagerClass;
  HMODULE module_ = nullptr;
};

TEST(RealForm, StepsAsideWhileTheOnlyPlayingMediaSessionIsPaused) {
  using std::chrono_literals::operator""ms;
  using Status = StandInSessions::Status;
  StandInSessions sessions;
  if (!sessions.Standing()) GTEST_SKIP() << "the system has a media session manager of its own";
  sessions.add(Status::kPaused, false);  // before the start: never a pause to step aside for
  RealForm real(win32::WineQuirks::Detect(), {.peekWhilePaused = true});
  const auto covering = [&] { return ::IsWindowVisible(real.Window()) != FALSE; };
  ASSERT_TRUE(PumpUntil([&] { return sessions.readings() > 0; }, 5000ms)) << "never read";
  EXPECT_TRUE(covering());

  int first = 0, second = 0;
  struct Step {
    const char* what;
    std::function<void()> change;
    bool covering;
  };
  const Step steps[] = {
      {"one appears playing", [&] { first = sessions.add(Status::kPlaying, false); }, true},
      {"it pauses", [&] { sessions.set(first, Status::kPaused); }, false},
      {"it plays again", [&] { sessions.set(first, Status::kPlaying); }, true},
      // Windows does not promise the same object for a session at each reading.
      {"another appears playing, another object at every reading",
       [&] { second = sessions.add(Status::kPlaying, true); }, true},
      {"the first pauses", [&] { sessions.set(first, Status::kPaused); }, true},
      {"the other pauses too", [&] { sessions.set(second, Status::kPaused); }, false},
      {"the other goes away paused", [&] { sessions.remove(second); }, true},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    const int read = sessions.readings();
    step.change();
    // Raised on another thread; the sessions are read again once its message is handled.
    ASSERT_TRUE(PumpUntil([&] { return sessions.readings() > read; }, 5000ms)) << "not read";
    EXPECT_EQ(covering(), step.covering);
  }
}

}  // namespace
}  // namespace coverstrip::testing
