// The window rectangles a top-level asked for in the last moment, to tell an outside change from
// a late report of one of its own earlier requests.
// NOTE: under Wine a window managed by the X window manager follows the manager's ConfigureNotify
// events. When two requests go out back to back (a gesture step resizes the form, then moves
// it), the report of the first can arrive after the second was made, and Wine would put the
// window back where the first one left it. Such an echo is recognised here and refused.
#pragma once

#include <chrono>
#include <deque>

#include "platform/win32/windows_api.h"

namespace coverstrip::win32 {

class GeometryEchoes {
 public:
  // A rectangle the window was just given by its own request.
  void Requested(const RECT& rect);
  // Whether a change to rect from outside is only the late report of an earlier request: it
  // equals one of the recent requests, but not the latest.
  bool IsStaleEcho(const RECT& rect);
  // An outside change was taken: earlier requests tell nothing any more.
  void Forget() { requests_.clear(); }

 private:
  using Clock = std::chrono::steady_clock;
  struct Request {
    RECT rect;
    Clock::time_point when;
  };
  void DropOld();

  std::deque<Request> requests_;
};

}  // namespace coverstrip::win32
