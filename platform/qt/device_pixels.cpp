#include "platform/qt/device_pixels.h"

#include <cmath>

namespace coverstrip::qt {

int Scaled(double pixels, double ratio) {
  return static_cast<int>(std::lround(pixels * ratio));
}

QRect LogicalChild(const PixelRect& rect, double ratio) {
  return QRect(Scaled(rect.left, 1 / ratio), Scaled(rect.top, 1 / ratio),
               Scaled(rect.width, 1 / ratio), Scaled(rect.height, 1 / ratio));
}

QRect LogicalTopLevel(const PixelRect& rect, QPoint origin, double ratio) {
  return QRect(origin.x() + Scaled(rect.left - origin.x(), 1 / ratio),
               origin.y() + Scaled(rect.top - origin.y(), 1 / ratio), Scaled(rect.width, 1 / ratio),
               Scaled(rect.height, 1 / ratio));
}

QPointF DevicePoint(QPointF logical, QPointF origin, double ratio) {
  return origin + (logical - origin) * ratio;
}

}  // namespace coverstrip::qt
