// What the shared layer's parts share: the backend, the primary monitor, the conversion at the
// form's DPI, Form1's events and the buttons pressed on the strip.
#pragma once

#include <cstdint>

#include "platform/contract/form_events.h"
#include "platform/shared/backend.h"
#include "platform/shared/pixel_conversion.h"

namespace coverstrip {

struct ToolkitState {
  explicit ToolkitState(Backend& b)
      : backend(b), primary(b.PrimaryMonitor()), pixels(b.TwipsPerPixel(), b.CoordinateLimit()) {}

  const PixelRect& Primary() const { return primary.rect; }

  Backend& backend;
  // Read again when the backend reports a change of the monitors or of the DPI.
  Monitor primary;
  // At the form's DPI as its pixels now have it: the one place this is kept.
  PixelConversion pixels;
  FormEvents* events = nullptr;
  // Buttons whose press went to the strip and whose release has not come.
  std::int16_t pressed = 0;
};

}  // namespace coverstrip
