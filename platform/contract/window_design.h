// The window tree as designed: what a toolkit creates before Form_Load runs. Texts are UTF-8.
#pragma once

#include <cstdint>
#include <string>

#include "platform/contract/types.h"

namespace coverstrip {

struct FontDesign {
  std::string face;
  float points = 0;
  int weight = 400;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
  int charset = 0;  // Windows character set, 134 = GB2312
};

struct WindowDesign {
  std::string caption;
  TwipsRect form;
  Colour formBackColor = 0;

  TwipsRect picture;
  Colour pictureBackColor = 0;
  std::int16_t pictureMousePointer = 0;
  std::string pictureToolTip;

  TwipsRect label;
  std::string labelCaption;
  Colour labelForeColor = 0;
  FontDesign labelFont;
  std::string labelToolTip;

  int timerIntervalMs = 0;
  bool timerEnabled = false;
};

}  // namespace coverstrip
