// The form moved to a monitor of another DPI: every pixel size and position scales by the ratio
// of the DPIs, so that everything keeps its size in twips and the strip its physical size.
#pragma once

#include <optional>

#include "platform/shared/toolkit_parts.h"
#include "platform/shared/toolkit_state.h"

namespace coverstrip {

class DpiRescale {
 public:
  DpiRescale(ToolkitState& state, LabelPart& label) : s(state), label_(label) {}
  // The form is now at twipsPerPixel; the platform may suggest its new top-left corner.
  void Change(float twipsPerPixel, std::optional<PixelPoint> suggestedTopLeft);
  // The form has settled on a monitor (no button is held on the strip, the platform moved it):
  // pixels left scaled for another DPI than the window's, as a second pass can leave them, are
  // scaled for the window's.
  void Settled();

 private:
  // Scales every pixel size and position by ratio, keeping a point of the form where it is.
  void Rescale(double ratio, std::optional<PixelPoint> suggestedTopLeft, bool aroundPointer);

  ToolkitState& s;
  LabelPart& label_;
  bool rescaling_ = false;
  // A change of DPI that the rescaling itself brought about, to take up once it is done.
  std::optional<float> changedAgain_;
};

}  // namespace coverstrip
