// Everything the logic reaches of the platform, handed to Form1 by the backend that owns it.
#pragma once

#include "platform/contract/colour_chooser.h"
#include "platform/contract/keyboard.h"
#include "platform/contract/media_players.h"
#include "platform/contract/toolkit_objects.h"
#include "platform/contract/window_manager.h"
#include "platform/contract/z_order.h"

namespace coverstrip {

struct Platform {
  Screen& screen;
  FormWindow& form;
  PictureBox& picture;
  Label& label;
  Timer& timer;
  WindowManager& windowManager;
  ColourChooserFactory& colourChoosers;
  Process& process;
  const Keyboard& keyboard;
  ZOrder& zOrder;
  MediaPlayers& mediaPlayers;
};

}  // namespace coverstrip
