// The shared layer between Form1 and a backend, written once for every platform: it builds the
// toolkit's objects (toolkit_parts.h) over the backend, connects the backend's native input
// (input_translation.h) and starts the form in the one order every platform and test uses.
#pragma once

#include "platform/contract/form_events.h"
#include "platform/contract/platform.h"
#include "platform/contract/window_design.h"
#include "platform/shared/backend.h"
#include "platform/shared/dpi_rescale.h"
#include "platform/shared/input_translation.h"
#include "platform/shared/toolkit_parts.h"
#include "platform/shared/toolkit_state.h"

namespace coverstrip {

class Toolkit final {
 public:
  // Gives the backend's windows their designed geometry, colours and cursor.
  Toolkit(Backend& backend, const WindowDesign& design);
  Toolkit(const Toolkit&) = delete;
  Toolkit& operator=(const Toolkit&) = delete;

  Platform& platform() { return platform_; }

  // Attaches the form's handlers, runs Form_Load, shows the window, runs Form_Activate and
  // starts the timer.
  void StartUp(FormEvents& form);

 private:
  ToolkitState state_;
  ScreenPart screen_{state_};
  FormPart form_{state_};
  PicturePart picture_;
  LabelPart label_;
  TimerPart timer_;
  ProcessPart process_{state_};
  ChooserFactoryPart choosers_{state_};
  KeyboardPart keyboard_{state_};
  MediaPlayersPart mediaPlayers_{state_};
  DpiRescale rescale_{state_, label_};
  InputTranslation input_{state_, timer_, rescale_};
  Platform platform_{screen_,      form_,
                     picture_,     label_,
                     timer_,       state_.backend.windowManager(),
                     choosers_,    process_,
                     keyboard_,    state_.backend.zOrder(),
                     mediaPlayers_};
};

}  // namespace coverstrip
