// What the media sessions' watcher calls of the Windows Runtime's Windows.Media.Control (Windows
// 10 1809 and later), declared from Microsoft's documentation of the namespace and the layouts its
// metadata gives the interfaces, since mingw-w64's headers have no windows.media.control.h. Every
// method up to the last one called is declared, in the metadata's order, which is the vtable's.
// The IIDs of the parameterised delegates are the ones the Windows Runtime derives from their
// signatures. The runtime's few functions are taken from combase.dll when the watch starts, so
// the exe imports none of them.
#pragma once

#include "platform/win32/windows_api.h"
// windows.h first
#include <eventtoken.h>
#include <inspectable.h>
#include <roapi.h>
#include <winstring.h>

#include <memory>

namespace coverstrip::win32::media_control {

inline constexpr wchar_t kManagerClass[] =
    L"Windows.Media.Control.GlobalSystemMediaTransportControlsSessionManager";

// GlobalSystemMediaTransportControlsSessionPlaybackStatus
enum class PlaybackStatus : INT32 {
  kClosed = 0,
  kOpened = 1,
  kChanging = 2,
  kStopped = 3,
  kPlaying = 4,
  kPaused = 5,
};

inline constexpr GUID kIidUnknown = {
    0x00000000, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr GUID kIidAgileObject = {
    0x94ea2b94, 0xe9cc, 0x49e0, {0xc0, 0xff, 0xee, 0x64, 0xca, 0x8f, 0x5b, 0x90}};

// GlobalSystemMediaTransportControlsSessionPlaybackInfo
struct IPlaybackInfo : IInspectable {
  virtual HRESULT STDMETHODCALLTYPE get_Controls(IInspectable** controls) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_PlaybackStatus(PlaybackStatus* status) = 0;
};

// The delegates handed to the runtime: TypedEventHandler<Sender, Args>'s Invoke(sender, args) and
// AsyncOperationCompletedHandler<T>'s Invoke(operation, status). The watcher's ignore both
// arguments, so one shape serves all three: the status, a 32-bit enumeration, takes the place of a
// pointer in every Windows calling convention (a register, or a 4-byte stack slot on x86).
struct IDelegate : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Invoke(IUnknown* sender, IUnknown* arguments) = 0;
};

// TypedEventHandler<GlobalSystemMediaTransportControlsSession, PlaybackInfoChangedEventArgs>
inline constexpr GUID kIidPlaybackInfoChangedHandler = {
    0x2bdf1426, 0xd41f, 0x5896, {0x89, 0x7f, 0xef, 0xc0, 0xb0, 0xfa, 0x73, 0x92}};
// TypedEventHandler<GlobalSystemMediaTransportControlsSessionManager, SessionsChangedEventArgs>
inline constexpr GUID kIidSessionsChangedHandler = {
    0x2e2a8630, 0xdc8c, 0x530a, {0x97, 0x46, 0xbc, 0x98, 0x4d, 0x4b, 0x02, 0x9e}};
// AsyncOperationCompletedHandler<GlobalSystemMediaTransportControlsSessionManager>
inline constexpr GUID kIidManagerRequestCompletedHandler = {
    0x10f0074e, 0x923d, 0x5510, {0x8f, 0x4a, 0xdd, 0xe3, 0x77, 0x54, 0xca, 0x0e}};

// GlobalSystemMediaTransportControlsSession (IGlobalSystemMediaTransportControlsSession)
struct ISession : IInspectable {
  virtual HRESULT STDMETHODCALLTYPE get_SourceAppUserModelId(HSTRING* id) = 0;
  virtual HRESULT STDMETHODCALLTYPE TryGetMediaPropertiesAsync(IInspectable** operation) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetTimelineProperties(IInspectable** properties) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetPlaybackInfo(IPlaybackInfo** info) = 0;
  virtual HRESULT STDMETHODCALLTYPE TryPlayAsync(IInspectable** operation) = 0;
  virtual HRESULT STDMETHODCALLTYPE TryPauseAsync(IInspectable** operation) = 0;
  virtual HRESULT STDMETHODCALLTYPE TryStopAsync(IInspectable** operation) = 0;
  virtual HRESULT STDMETHODCALLTYPE TryRecordAsync(IInspectable** operation) = 0;
  virtual HRESULT STDMETHODCALLTYPE TryFastForwardAsync(IInspectable** operation) = 0;
  virtual HRESULT STDMETHODCALLTYPE TryRewindAsync(IInspectable** operation) = 0;
  virtual HRESULT STDMETHODCALLTYPE TrySkipNextAsync(IInspectable** operation) = 0;
  virtual HRESULT STDMETHODCALLTYPE TrySkipPreviousAsync(IInspectable** operation) = 0;
  virtual HRESULT STDMETHODCALLTYPE TryChangeChannelUpAsync(IInspectable** operation) = 0;
  virtual HRESULT STDMETHODCALLTYPE TryChangeChannelDownAsync(IInspectable** operation) = 0;
  virtual HRESULT STDMETHODCALLTYPE TryTogglePlayPauseAsync(IInspectable** operation) = 0;
  virtual HRESULT STDMETHODCALLTYPE TryChangeAutoRepeatModeAsync(INT32 mode,
                                                                 IInspectable** operation) = 0;
  virtual HRESULT STDMETHODCALLTYPE TryChangePlaybackRateAsync(DOUBLE rate,
                                                               IInspectable** operation) = 0;
  virtual HRESULT STDMETHODCALLTYPE TryChangeShuffleActiveAsync(boolean active,
                                                                IInspectable** operation) = 0;
  virtual HRESULT STDMETHODCALLTYPE TryChangePlaybackPositionAsync(INT64 position,
                                                                   IInspectable** operation) = 0;
  virtual HRESULT STDMETHODCALLTYPE
  add_TimelinePropertiesChanged(IUnknown* handler, EventRegistrationToken* token) = 0;
  virtual HRESULT STDMETHODCALLTYPE
  remove_TimelinePropertiesChanged(EventRegistrationToken token) = 0;
  virtual HRESULT STDMETHODCALLTYPE add_PlaybackInfoChanged(IDelegate* handler,
                                                            EventRegistrationToken* token) = 0;
  virtual HRESULT STDMETHODCALLTYPE remove_PlaybackInfoChanged(EventRegistrationToken token) = 0;
};

// IVectorView<GlobalSystemMediaTransportControlsSession>
struct ISessionList : IInspectable {
  virtual HRESULT STDMETHODCALLTYPE GetAt(UINT32 index, ISession** session) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Size(UINT32* size) = 0;
};

// GlobalSystemMediaTransportControlsSessionManager
struct IManager : IInspectable {
  virtual HRESULT STDMETHODCALLTYPE GetCurrentSession(ISession** session) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetSessions(ISessionList** sessions) = 0;
  virtual HRESULT STDMETHODCALLTYPE add_CurrentSessionChanged(IUnknown* handler,
                                                              EventRegistrationToken* token) = 0;
  virtual HRESULT STDMETHODCALLTYPE remove_CurrentSessionChanged(EventRegistrationToken token) = 0;
  virtual HRESULT STDMETHODCALLTYPE add_SessionsChanged(IDelegate* handler,
                                                        EventRegistrationToken* token) = 0;
  virtual HRESULT STDMETHODCALLTYPE remove_SessionsChanged(EventRegistrationToken token) = 0;
};

// IAsyncOperation<GlobalSystemMediaTransportControlsSessionManager>
struct IManagerRequest : IInspectable {
  virtual HRESULT STDMETHODCALLTYPE put_Completed(IDelegate* handler) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Completed(IDelegate** handler) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetResults(IManager** manager) = 0;
};

// IGlobalSystemMediaTransportControlsSessionManagerStatics, the class's activation factory.
struct IManagerStatics : IInspectable {
  static constexpr GUID kIid = {
      0x2050c4ee, 0x11a0, 0x57de, {0xae, 0xd7, 0xc9, 0x7c, 0x70, 0x33, 0x82, 0x45}};
  virtual HRESULT STDMETHODCALLTYPE RequestAsync(IManagerRequest** operation) = 0;
};

// combase.dll's functions, as roapi.h and winstring.h declare them.
using RoInitializeFunction = HRESULT(WINAPI*)(RO_INIT_TYPE type);
using RoUninitializeFunction = void(WINAPI*)();
using RoGetActivationFactoryFunction = HRESULT(WINAPI*)(HSTRING classId, REFIID iid,
                                                        void** factory);
using WindowsCreateStringReferenceFunction = HRESULT(WINAPI*)(PCWSTR text, UINT32 length,
                                                              HSTRING_HEADER* header,
                                                              HSTRING* string);
using WindowsGetStringRawBufferFunction = PCWSTR(WINAPI*)(HSTRING string, UINT32* length);
using WindowsDeleteStringFunction = HRESULT(WINAPI*)(HSTRING string);

struct Releaser {
  void operator()(IUnknown* object) const { object->Release(); }
};

// An interface pointer that holds one reference.
template <class Interface>
using UniqueCom = std::unique_ptr<Interface, Releaser>;

}  // namespace coverstrip::win32::media_control
