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

struct RectDesign {
  Twips left = 0;
  Twips top = 0;
  Twips width = 0;
  Twips height = 0;
};

struct WindowDesign {
  std::string caption;
  RectDesign form;
  Colour formBackColor = 0;

  RectDesign picture;
  Colour pictureBackColor = 0;
  std::int16_t pictureMousePointer = 0;
  std::string pictureToolTip;

  RectDesign label;
  std::string labelCaption;
  Colour labelForeColor = 0;
  FontDesign labelFont;
  std::string labelToolTip;

  int timerIntervalMs = 0;
  bool timerEnabled = false;
};

}  // namespace coverstrip
