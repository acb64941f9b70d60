#include "platform/win32/late_reports.h"

namespace coverstrip::win32 {

void LateReports::Requested(const PixelRect& rect, std::uint64_t now) {
  latest_ = rect;
  latestAt_ = now;
}

bool LateReports::Refuses(const PixelRect& target, std::uint64_t now, bool dragging) const {
  if (!latest_ || target == *latest_) return false;
  return dragging || now - latestAt_ < kReportTimeMs;
}

}  // namespace coverstrip::win32
