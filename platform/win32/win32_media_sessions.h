// The media sessions of Windows 10 1809 and later, as the system's media controls list them
// (Windows.Media.Control's session manager): every session is a player, its playback status read
// when it appears and again whenever it tells of a change, and a session that leaves the list is
// reported stopped. A session is known by its object, or, where the list holds another object
// for it (Windows does not promise the same one), by its program's application ID. The manager
// and the sessions raise their events on threads of the runtime's
// own; those only post a message to a window of this watcher's, and every call on the sessions is
// made on the user-interface thread. Where combase.dll has no Windows Runtime or the class cannot
// be activated (older Windows, Wine 8), nothing is reported and nothing more is done.
#pragma once

#include <memory>
#include <optional>
#include <type_traits>
#include <vector>

#include "platform/shared/backend.h"
#include "platform/win32/media_control_abi.h"
#include "platform/win32/unique_handles.h"
#include "platform/win32/window_class.h"
#include "platform/win32/windows_api.h"

namespace coverstrip::win32 {

class Win32MediaSessions {
 public:
  // Loads the Windows Runtime and asks for the session manager; the answer comes later.
  explicit Win32MediaSessions(Backend& backend);
  ~Win32MediaSessions();
  Win32MediaSessions(const Win32MediaSessions&) = delete;
  Win32MediaSessions& operator=(const Win32MediaSessions&) = delete;

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  struct Session {
    media_control::UniqueCom<media_control::ISession> session;
    const void* identity;      // the session's IUnknown, which tells two references to it apart
    std::vector<wchar_t> app;  // the program's application user model ID
    PlayerId id;
    EventRegistrationToken playbackChanged;
    Playback reported;
    bool listed = true;  // in the latest reading of the list
  };

  bool Start();
  void TakeManager();
  void ReadSessions();
  std::vector<wchar_t> AppOf(media_control::ISession& session) const;
  void Watch(Session& session);
  void Forget(Session& session);

  Backend& backend_;
  struct LibraryFreer {
    void operator()(HMODULE library) const { ::FreeLibrary(library); }
  };
  std::unique_ptr<std::remove_pointer_t<HMODULE>, LibraryFreer> runtime_;
  media_control::RoUninitializeFunction uninitialize_ = nullptr;
  media_control::WindowsGetStringRawBufferFunction stringText_ = nullptr;
  media_control::WindowsDeleteStringFunction deleteString_ = nullptr;
  std::optional<WindowClass> windowClass_;
  UniqueWindow window_;
  media_control::UniqueCom<media_control::IManagerRequest> request_;
  media_control::UniqueCom<media_control::IManager> manager_;
  EventRegistrationToken sessionsChanged_{};
  std::vector<Session> sessions_;
  PlayerId nextId_ = 1;
};

}  // namespace coverstrip::win32
