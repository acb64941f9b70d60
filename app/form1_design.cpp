#include "app/form1_design.h"

namespace coverstrip {

WindowDesign Form1Design() {
  WindowDesign design;
  design.caption = "Form1";
  design.form = {5520, 9030, 11100, 750};
  design.formBackColor = 0x000000;

  design.picture = {0, 0, 11175, 735};
  design.pictureBackColor = 0x000000;
  design.pictureMousePointer = mouse_pointer::kSizeAll;
  // "Right button changes the covering colour; a double-click steps the transparency up."
  design.pictureToolTip = "右键更改遮盖颜色；双击循环递增更改遮条透明度";

  design.label = {0, 0, 375, 255};
  design.labelCaption = "×";
  design.labelForeColor = 0x0000FF;
  design.labelFont = {.face = "宋体", .points = 14.25f, .weight = 400, .charset = 134};
  // "Double-click to close", padded as designed with 19 spaces: a literal, where a string built
  // at run time would bring the library's string splicing into the Windows exe (512 bytes).
  design.labelToolTip =
      "双击关闭"
      "                   ";

  design.timerIntervalMs = 50;
  design.timerEnabled = true;
  return design;
}

}  // namespace coverstrip
