// A stand-in for Windows.Media.Control's session manager, for the tests under Wine, whose combase
// activates a class from the DLL the registry names for it. It keeps the sessions in memory and
// does only what the media sessions' watcher calls, declared as the watcher declares it (so it
// cannot tell a wrong IID or slot from a right one); like the runtime, it completes the request
// and raises every event on a thread of its own. The tests drive it by the functions it exports.
#include <activation.h>
#include <asyncinfo.h>
#include <winstring.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/win32/media_control_abi.h"

// AsyncOperationCompletedHandler<GlobalSystemMediaTransportControlsSessionManager> as the runtime
// calls it: the operation, and its status by value. Outside the unnamed namespace, where the
// compiler would see that nothing of this file implements it, and drop the call.
struct CompletedHandler : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE
  Invoke(coverstrip::win32::media_control::IManagerRequest* operation, AsyncStatus status) = 0;
};

namespace {

using namespace coverstrip::win32::media_control;
using Operation = IInspectable**;
using Token = EventRegistrationToken;

// What the watcher never calls.
// clang-format off
#define NOT_CALLED(name, ...) \
  HRESULT STDMETHODCALLTYPE name(__VA_ARGS__) override { return E_NOTIMPL; }
// clang-format on

// IUnknown and IInspectable for the interfaces an object implements; the first one stands for
// the object.
template <class First, class... More>
class Object : public First, public More... {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    *object = Find(iid);
    if (*object == nullptr) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }
  NOT_CALLED(GetIids, ULONG*, IID**);
  NOT_CALLED(GetRuntimeClassName, HSTRING*);
  NOT_CALLED(GetTrustLevel, TrustLevel*);

 protected:
  virtual ~Object() = default;
  virtual void* Find(REFIID iid) {
    const bool any = iid == kIidUnknown || iid == __uuidof(IInspectable) || iid == kIidAgileObject;
    return any ? static_cast<First*>(this) : nullptr;
  }

 private:
  std::atomic<ULONG> references_{1};
};

template <class Interface>
Interface* Referenced(Interface* object) {
  object->AddRef();
  return object;
}

struct Releaser {
  template <class Object>
  void operator()(Object* object) const {
    object->Release();
  }
};
// One reference to an object.
template <class Object>
using Held = std::unique_ptr<Object, Releaser>;

// The runtime's errors that mingw-w64's headers lack.
constexpr HRESULT kOutOfBounds = static_cast<HRESULT>(0x8000000B);
constexpr HRESULT kNotYet = static_cast<HRESULT>(0x8000000E);  // E_ILLEGAL_METHOD_CALL

// An event's handlers, raised as the runtime raises them: on another thread, with arguments.
class Event {
 public:
  HRESULT Add(IDelegate* handler, Token* token) {
    token->value = ++lastToken_;
    handlers_.emplace_back(token->value, Held<IDelegate>(Referenced(handler)));
    return S_OK;
  }
  HRESULT Remove(Token token) {
    std::erase_if(handlers_, [token](const auto& h) { return h.first == token.value; });
    return S_OK;
  }
  void Raise(IUnknown* sender) {
    std::thread([this, sender] {
      const Held<IInspectable> arguments(new Object<IInspectable>);
      for (const auto& [token, handler] : handlers_) handler->Invoke(sender, arguments.get());
    }).join();
  }

 private:
  std::vector<std::pair<INT64, Held<IDelegate>>> handlers_;
  INT64 lastToken_ = 0;
};

struct SessionState {
  int id;
  PlaybackStatus status;
  bool fresh;  // handed out as another object at every reading of the list
  Event playbackInfoChanged;
};

// An object for a session, which is its own playback info: the watcher reads that as soon as it
// has it.
class Session final : public Object<ISession, IPlaybackInfo> {
 public:
  explicit Session(std::shared_ptr<SessionState> state) : state(std::move(state)) {}
  HRESULT STDMETHODCALLTYPE GetPlaybackInfo(IPlaybackInfo** info) override {
    *info = Referenced(static_cast<IPlaybackInfo*>(this));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_PlaybackStatus(PlaybackStatus* status) override {
    *status = state->status;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE add_PlaybackInfoChanged(IDelegate* handler, Token* token) override {
    return state->playbackInfoChanged.Add(handler, token);
  }
  HRESULT STDMETHODCALLTYPE remove_PlaybackInfoChanged(Token token) override {
    return state->playbackInfoChanged.Remove(token);
  }
  // Each session's program its own.
  HRESULT STDMETHODCALLTYPE get_SourceAppUserModelId(HSTRING* id) override {
    const std::wstring app = L"player" + std::to_wstring(state->id);
    return WindowsCreateString(app.c_str(), static_cast<UINT32>(app.size()), id);
  }

  NOT_CALLED(get_Controls, IInspectable**);
  NOT_CALLED(TryGetMediaPropertiesAsync, Operation);
  NOT_CALLED(GetTimelineProperties, IInspectable**);
  NOT_CALLED(TryPlayAsync, Operation);
  NOT_CALLED(TryPauseAsync, Operation);
  NOT_CALLED(TryStopAsync, Operation);
  NOT_CALLED(TryRecordAsync, Operation);
  NOT_CALLED(TryFastForwardAsync, Operation);
  NOT_CALLED(TryRewindAsync, Operation);
  NOT_CALLED(TrySkipNextAsync, Operation);
  NOT_CALLED(TrySkipPreviousAsync, Operation);
  NOT_CALLED(TryChangeChannelUpAsync, Operation);
  NOT_CALLED(TryChangeChannelDownAsync, Operation);
  NOT_CALLED(TryTogglePlayPauseAsync, Operation);
  NOT_CALLED(TryChangeAutoRepeatModeAsync, INT32, Operation);
  NOT_CALLED(TryChangePlaybackRateAsync, DOUBLE, Operation);
  NOT_CALLED(TryChangeShuffleActiveAsync, boolean, Operation);
  NOT_CALLED(TryChangePlaybackPositionAsync, INT64, Operation);
  NOT_CALLED(add_TimelinePropertiesChanged, IUnknown*, Token*);
  NOT_CALLED(remove_TimelinePropertiesChanged, Token);

  const std::shared_ptr<SessionState> state;
};

// The manager, which is its own list of sessions (IVectorView<Session>): the watcher reads that
// through as soon as it has it.
class Manager final : public Object<IManager, ISessionList> {
 public:
  HRESULT STDMETHODCALLTYPE GetSessions(ISessionList** list) override {
    ++readings;
    *list = Referenced(static_cast<ISessionList*>(this));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetAt(UINT32 index, ISession** session) override {
    if (index >= sessions.size()) return kOutOfBounds;
    Session* const listed = sessions[index].get();
    *session = listed->state->fresh ? new Session(listed->state) : Referenced(listed);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_Size(UINT32* size) override {
    *size = static_cast<UINT32>(sessions.size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE add_SessionsChanged(IDelegate* handler, Token* token) override {
    return sessionsChanged.Add(handler, token);
  }
  HRESULT STDMETHODCALLTYPE remove_SessionsChanged(Token token) override {
    return sessionsChanged.Remove(token);
  }

  NOT_CALLED(GetCurrentSession, ISession**);
  NOT_CALLED(add_CurrentSessionChanged, IUnknown*, Token*);
  NOT_CALLED(remove_CurrentSessionChanged, Token);

  std::vector<Held<Session>> sessions;
  Event sessionsChanged;
  int readings = 0;  // of the list of sessions
  int lastId = 0;
};

// One for the process, as the system has one.
Manager& TheManager() {
  static Manager* const manager = new Manager;
  return *manager;
}

// IAsyncOperation<GlobalSystemMediaTransportControlsSessionManager>, completed on a thread of its
// own once it has a handler to tell.
class Request final : public Object<IManagerRequest> {
 public:
  ~Request() override {
    if (completion_.joinable()) completion_.join();
  }
  HRESULT STDMETHODCALLTYPE put_Completed(IDelegate* handler) override {
    handler_.reset(Referenced(handler));
    completion_ = std::thread([this] {
      done_ = true;
      reinterpret_cast<CompletedHandler*>(handler_.get())->Invoke(this, Completed);
    });
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetResults(IManager** manager) override {
    if (!done_) return kNotYet;
    *manager = Referenced(&TheManager());
    return S_OK;
  }
  NOT_CALLED(get_Completed, IDelegate**);

 private:
  std::atomic<bool> done_{false};
  Held<IDelegate> handler_;
  std::thread completion_;
};

class Factory final : public Object<IActivationFactory, IManagerStatics> {
 public:
  NOT_CALLED(ActivateInstance, IInspectable**);
  HRESULT STDMETHODCALLTYPE RequestAsync(IManagerRequest** operation) override {
    *operation = new Request;
    return S_OK;
  }

 protected:
  void* Find(REFIID iid) override {
    if (iid == IManagerStatics::kIid) return static_cast<IManagerStatics*>(this);
    return iid == __uuidof(IActivationFactory) ? static_cast<IActivationFactory*>(this)
                                               : Object::Find(iid);
  }
};

SessionState* SessionNumbered(int id) {
  for (const auto& session : TheManager().sessions) {
    if (session->state->id == id) return session->state.get();
  }
  return nullptr;
}

void RaiseSessionsChanged() {
  Manager& manager = TheManager();
  manager.sessionsChanged.Raise(static_cast<IManager*>(&manager));
}

}  // namespace

extern "C" {

__declspec(dllexport) HRESULT WINAPI
    DllGetActivationFactory(HSTRING, IActivationFactory** factory) {
  *factory = new Factory;
  return S_OK;
}

// A session appears with a playback status; answers its number. Fresh, the list holds another
// object for it at every reading.
__declspec(dllexport) int StandInAddSession(PlaybackStatus status, bool fresh) {
  Manager& manager = TheManager();
  manager.sessions.emplace_back(new Session(std::make_shared<SessionState>(SessionState{
      .id = ++manager.lastId, .status = status, .fresh = fresh, .playbackInfoChanged = {}})));
  RaiseSessionsChanged();
  return manager.lastId;
}

__declspec(dllexport) void StandInSetStatus(int session, PlaybackStatus status) {
  SessionState* const changed = SessionNumbered(session);
  changed->status = status;
  changed->playbackInfoChanged.Raise(nullptr);
}

__declspec(dllexport) void StandInRemoveSession(int session) {
  std::erase_if(TheManager().sessions,
                [session](const auto& s) { return s->state->id == session; });
  RaiseSessionsChanged();
}

// How many times the list of sessions was asked for.
__declspec(dllexport) int StandInReadings() {
  return TheManager().readings;
}
}
