// Colours between the logic's 0x00BBGGRR values and Qt's QColor.
#pragma once

#include <QColor>

#include "platform/contract/types.h"

namespace coverstrip::qt {

inline QColor ToQColor(Colour colour) {
  return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

inline Colour FromQColor(const QColor& colour) {
  const QColor rgb = colour.toRgb();
  return static_cast<Colour>(rgb.red()) | (static_cast<Colour>(rgb.green()) << 8) |
         (static_cast<Colour>(rgb.blue()) << 16);
}

}  // namespace coverstrip::qt
