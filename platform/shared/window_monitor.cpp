#include "platform/shared/window_monitor.h"

#include <algorithm>
#include <cstdint>

namespace coverstrip {
namespace {

// How far apart two spans are: negative by their overlap when they overlap.
std::int64_t Gap(std::int64_t a, std::int64_t aSize, std::int64_t b, std::int64_t bSize) {
  return std::max(a, b) - std::min(a + aSize, b + bSize);
}

std::int64_t Overlap(const PixelRect& a, const PixelRect& b) {
  return std::max<std::int64_t>(0, -Gap(a.left, a.width, b.left, b.width)) *
         std::max<std::int64_t>(0, -Gap(a.top, a.height, b.top, b.height));
}

std::int64_t Distance(const PixelRect& a, const PixelRect& b) {
  return std::max<std::int64_t>(0, Gap(a.left, a.width, b.left, b.width)) +
         std::max<std::int64_t>(0, Gap(a.top, a.height, b.top, b.height));
}

}  // namespace

const Monitor& MonitorHolding(const PixelRect& window, const std::vector<Monitor>& monitors) {
  const Monitor* most = &monitors.front();
  const Monitor* nearest = most;
  for (const Monitor& monitor : monitors) {
    if (Overlap(window, monitor.rect) > Overlap(window, most->rect)) most = &monitor;
    if (Distance(window, monitor.rect) < Distance(window, nearest->rect)) nearest = &monitor;
  }
  return Overlap(window, most->rect) > 0 ? *most : *nearest;
}

}  // namespace coverstrip
