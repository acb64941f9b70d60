// Qt's logical pixels and the X server's device pixels. Qt keeps a screen's top-left corner in
// device pixels and counts logical positions from it at the scale factor (ratio: device pixels
// a logical pixel).
#pragma once

#include <QPoint>
#include <QPointF>
#include <QRect>

#include "platform/shared/backend.h"

namespace coverstrip::qt {

// Pixels times ratio, to the nearest whole pixel.
int Scaled(double pixels, double ratio);

// A child's rectangle: device pixels to the nearest logical ones.
QRect LogicalChild(const PixelRect& rect, double ratio);

// A top-level's rectangle in device pixels to the nearest logical one, on the screen whose corner
// is origin.
QRect LogicalTopLevel(const PixelRect& rect, QPoint origin, double ratio);

// A point on the screen whose corner is origin, from logical pixels to device pixels.
QPointF DevicePoint(QPointF logical, QPointF origin, double ratio);

}  // namespace coverstrip::qt
