#include "platform/win32/win32_media_sessions.h"

#include <algorithm>
#include <atomic>
#include <iterator>
#include <utility>

#include "platform/win32/module_function.h"

namespace coverstrip::win32 {
namespace {

using namespace media_control;

// Posted by the runtime's events: the sessions or one's playback changed.
constexpr UINT kSessionsChanged = WM_APP + 1;

// A delegate of the Windows Runtime: called on any thread, it only posts kSessionsChanged. Agile,
// so that the runtime calls it where the event is raised instead of marshalling it.
class PostingDelegate final : public IDelegate {
 public:
  PostingDelegate(HWND window, const GUID& iid) : window_(window), iid_(iid) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (iid == kIidUnknown || iid == kIidAgileObject || iid == iid_) {
      *object = this;
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE Invoke(IUnknown* /*sender*/, IUnknown* /*arguments*/) override {
    ::PostMessageW(window_, kSessionsChanged, 0, 0);
    return S_OK;
  }

 private:
  const HWND window_;
  const GUID iid_;
  std::atomic<ULONG> references_{1};
};

Playback PlaybackOf(ISession& session) {
  IPlaybackInfo* info = nullptr;
  if (FAILED(session.GetPlaybackInfo(&info)) || info == nullptr) return Playback::kStopped;
  const UniqueCom<IPlaybackInfo> owned(info);
  PlaybackStatus status = PlaybackStatus::kClosed;
  if (FAILED(info->get_PlaybackStatus(&status))) return Playback::kStopped;
  if (status == PlaybackStatus::kPlaying) return Playback::kPlaying;
  if (status == PlaybackStatus::kPaused) return Playback::kPaused;
  return Playback::kStopped;
}

const void* IdentityOf(ISession& session) {
  IUnknown* identity = nullptr;
  if (FAILED(session.QueryInterface(kIidUnknown, reinterpret_cast<void**>(&identity)))) {
    return &session;
  }
  // Still referenced by the session held beside it.
  identity->Release();
  return identity;
}

}  // namespace

Win32MediaSessions::Win32MediaSessions(Backend& backend) : backend_(backend) {
  if (!Start()) {
    window_.reset();
    windowClass_.reset();
  }
}

bool Win32MediaSessions::Start() {
  runtime_.reset(::LoadLibraryExW(L"combase.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
  if (!runtime_) return false;
  const auto initialize = ModuleFunction<RoInitializeFunction>(runtime_.get(), "RoInitialize");
  const auto uninitialize =
      ModuleFunction<RoUninitializeFunction>(runtime_.get(), "RoUninitialize");
  const auto activationFactory =
      ModuleFunction<RoGetActivationFactoryFunction>(runtime_.get(), "RoGetActivationFactory");
  const auto stringReference = ModuleFunction<WindowsCreateStringReferenceFunction>(
      runtime_.get(), "WindowsCreateStringReference");
  stringText_ = ModuleFunction<WindowsGetStringRawBufferFunction>(runtime_.get(),
                                                                  "WindowsGetStringRawBuffer");
  deleteString_ =
      ModuleFunction<WindowsDeleteStringFunction>(runtime_.get(), "WindowsDeleteString");
  if (!initialize || !uninitialize || !activationFactory || !stringReference || !stringText_ ||
      !deleteString_) {
    return false;
  }

  // The thread may have COM already, in either model; both serve.
  const HRESULT initialized = initialize(RO_INIT_SINGLETHREADED);
  if (FAILED(initialized) && initialized != RPC_E_CHANGED_MODE) return false;
  if (SUCCEEDED(initialized)) uninitialize_ = uninitialize;

  HSTRING_HEADER header;
  HSTRING className = nullptr;
  IManagerStatics* statics = nullptr;
  if (FAILED(stringReference(kManagerClass, static_cast<UINT32>(std::size(kManagerClass) - 1),
                             &header, &className)) ||
      FAILED(activationFactory(className, IManagerStatics::kIid,
                               reinterpret_cast<void**>(&statics)))) {
    return false;
  }
  const UniqueCom<IManagerStatics> factory(statics);

  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  windowClass_.emplace(instance, WindowClassDesign{.name = L"coverstrip.MediaSessions"},
                       &RouteToOwner<Win32MediaSessions>);
  window_.reset(::CreateWindowExW(0, windowClass_->Name(), L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                  nullptr, instance, this));
  IManagerRequest* request = nullptr;
  if (!window_ || FAILED(factory->RequestAsync(&request)) || request == nullptr) return false;
  request_.reset(request);
  const UniqueCom<IDelegate> completed(
      new PostingDelegate(window_.get(), kIidManagerRequestCompletedHandler));
  return SUCCEEDED(request_->put_Completed(completed.get()));
}

Win32MediaSessions::~Win32MediaSessions() {
  for (Session& session : sessions_) Forget(session);
  sessions_.clear();
  if (manager_) manager_->remove_SessionsChanged(sessionsChanged_);
  manager_.reset();
  request_.reset();
  window_.reset();
  if (uninitialize_) uninitialize_();
}

LRESULT Win32MediaSessions::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kSessionsChanged) return ::DefWindowProcW(window, message, wParam, lParam);
  // One reading answers every change told so far.
  MSG more;
  while (::PeekMessageW(&more, window, kSessionsChanged, kSessionsChanged, PM_REMOVE)) {
  }
  if (!manager_) TakeManager();
  if (manager_) ReadSessions();
  return 0;
}

void Win32MediaSessions::TakeManager() {
  IManager* manager = nullptr;
  if (!request_ || FAILED(request_->GetResults(&manager)) || manager == nullptr) return;
  manager_.reset(manager);
  request_.reset();
  const UniqueCom<IDelegate> changed(
      new PostingDelegate(window_.get(), kIidSessionsChangedHandler));
  manager_->add_SessionsChanged(changed.get(), &sessionsChanged_);
}

// A session first seen stopped is not worth telling of: to the logic, a player it never heard of
// is stopped.
void Win32MediaSessions::ReadSessions() {
  ISessionList* list = nullptr;
  if (FAILED(manager_->GetSessions(&list)) || list == nullptr) return;
  const UniqueCom<ISessionList> listed(list);
  UINT32 count = 0;
  if (FAILED(listed->get_Size(&count))) return;

  for (Session& session : sessions_) session.listed = false;
  for (UINT32 i = 0; i < count; ++i) {
    ISession* got = nullptr;
    if (FAILED(listed->GetAt(i, &got)) || got == nullptr) continue;
    UniqueCom<ISession> session(got);
    const void* identity = IdentityOf(*session);
    auto known = std::find_if(sessions_.begin(), sessions_.end(),
                              [identity](const Session& s) { return s.identity == identity; });
    if (known == sessions_.end()) {
      // The list may hold another object for a session it held before: the same player when
      // its program is that of a session not seen yet in this reading.
      std::vector<wchar_t> app = AppOf(*session);
      known = std::find_if(sessions_.begin(), sessions_.end(), [&app](const Session& s) {
        return !s.listed && !app.empty() && s.app == app;
      });
      if (known != sessions_.end()) {
        Forget(*known);
        known->session = std::move(session);
        known->identity = identity;
      } else {
        sessions_.push_back(
            {std::move(session), identity, std::move(app), nextId_++, {}, Playback::kStopped});
        known = sessions_.end() - 1;
      }
      Watch(*known);
    }
    known->listed = true;
    if (const Playback now = PlaybackOf(*known->session); now != known->reported) {
      known->reported = now;
      backend_.input().MediaPlaybackChanged(known->id, now);
    }
  }

  for (std::size_t i = sessions_.size(); i-- > 0;) {
    if (sessions_[i].listed) continue;
    Forget(sessions_[i]);
    if (sessions_[i].reported != Playback::kStopped) {
      backend_.input().MediaPlaybackChanged(sessions_[i].id, Playback::kStopped);
    }
    std::swap(sessions_[i], sessions_.back());
    sessions_.pop_back();
  }
}

std::vector<wchar_t> Win32MediaSessions::AppOf(ISession& session) const {
  HSTRING id = nullptr;
  if (FAILED(session.get_SourceAppUserModelId(&id)) || id == nullptr) return {};
  UINT32 length = 0;
  const PCWSTR text = stringText_(id, &length);
  std::vector<wchar_t> app(text, text + length);
  deleteString_(id);
  return app;
}

void Win32MediaSessions::Watch(Session& session) {
  const UniqueCom<IDelegate> changed(
      new PostingDelegate(window_.get(), kIidPlaybackInfoChangedHandler));
  session.session->add_PlaybackInfoChanged(changed.get(), &session.playbackChanged);
}

void Win32MediaSessions::Forget(Session& session) {
  session.session->remove_PlaybackInfoChanged(session.playbackChanged);
}

}  // namespace coverstrip::win32
