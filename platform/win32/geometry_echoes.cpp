// Keeps the requests of the last second, at most a few dozen: reports arrive within
// milliseconds, and an outside change long after is taken even if it lands on an old rectangle.
#include "platform/win32/geometry_echoes.h"

#include <algorithm>

namespace coverstrip::win32 {
namespace {

constexpr auto kEchoWindow = std::chrono::seconds(1);
constexpr std::size_t kMostRequests = 32;

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

void GeometryEchoes::Requested(const RECT& rect) {
  requests_.push_back({rect, Clock::now()});
  if (requests_.size() > kMostRequests) requests_.pop_front();
}

bool GeometryEchoes::IsStaleEcho(const RECT& rect) {
  DropOld();
  if (requests_.empty() || SameRect(requests_.back().rect, rect)) return false;
  return std::any_of(requests_.begin(), requests_.end(),
                     [&](const Request& request) { return SameRect(request.rect, rect); });
}

void GeometryEchoes::DropOld() {
  const Clock::time_point oldest = Clock::now() - kEchoWindow;
  while (!requests_.empty() && requests_.front().when < oldest) requests_.pop_front();
}

}  // namespace coverstrip::win32
