#include "platform/qt/qt_colour_chooser.h"

#include <QColorDialog>

#include "platform/qt/qt_colours.h"

namespace coverstrip::qt {

bool QtColourChooser::ShowColor() {
  QColorDialog dialog;
  dialog.setOption(QColorDialog::DontUseNativeDialog);
  const bool confirmed = dialog.exec() == QDialog::Accepted;
  if (confirmed) colour_ = FromQColor(dialog.selectedColor());
  return confirmed || !cancelError_;
}

std::unique_ptr<ColourChooser> QtColourChooserFactory::Create(std::string_view progId) {
  if (progId != "MSComDlg.CommonDialog") return nullptr;
  return std::make_unique<QtColourChooser>();
}

}  // namespace coverstrip::qt
