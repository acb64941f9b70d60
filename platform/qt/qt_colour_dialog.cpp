#include "platform/qt/qt_colour_dialog.h"

#include <QColorDialog>

#include "platform/qt/qt_colours.h"

namespace coverstrip::qt {

std::optional<Colour> QtColourDialog::Show() {
  QColorDialog dialog;
  dialog.setOption(QColorDialog::DontUseNativeDialog);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return FromQColor(dialog.selectedColor());
}

}  // namespace coverstrip::qt
