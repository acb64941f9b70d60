// HACK(Wine): the window manager's reports of the form's own moves and resizes, told from its
// other changes. Under Wine a managed form's SetWindowPos is sent to the X window manager, which
// answers each request with a ConfigureNotify; Wine applies every such report back to the form
// with a SetWindowPos of its own. Seen here under openbox, in Wine's message order: a report can
// arrive after the next request (it then undoes that request), and a resize of a form that
// reaches past the screen's edge is answered first with the form kept on the screen (the
// position Wine reads as the report arrives is the screen's edge less the new width), then with
// the place asked for. Neither the older reports nor that first answer are made of what the form
// asked for, so no rule over the requests' values tells them: only their time does. While the
// strip holds the pointer (a drag) and for a while after the latest request, a change that is not
// that request is a report about the form's own requests and is refused; the window manager's
// last answer is the latest request, so the X window ends where the form asked. Any other change
// stands (the window manager moving the form after a change of the screen, say).
#pragma once

#include <cstdint>
#include <optional>

#include "platform/shared/backend.h"

namespace coverstrip::win32 {

class LateReports {
 public:
  // How long after a request its reports may still come, in milliseconds: far longer than the
  // window manager takes, which is a few milliseconds on an idle machine.
  static constexpr std::uint64_t kReportTimeMs = 1000;

  // The form took rect at its own request, at now (milliseconds of a monotonic clock).
  void Requested(const PixelRect& rect, std::uint64_t now);

  // Whether a change the form did not ask for, to target at now, is a report to refuse.
  bool Refuses(const PixelRect& target, std::uint64_t now, bool dragging) const;

 private:
  std::optional<PixelRect> latest_;
  std::uint64_t latestAt_ = 0;
};

}  // namespace coverstrip::win32
