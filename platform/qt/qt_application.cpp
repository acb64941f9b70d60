// RunApplication on Qt 6 under X11: Form1 is built hidden, loaded, shown without taking the
// focus and activated once; then the keep-on-top timer starts and Qt's event loop runs. Qt's
// xcb plugin ends the process with exit code 1 and one line on stderr if the X connection
// breaks.
#include <QApplication>
#include <QIcon>
#include <memory>

#include "platform/application.h"
#include "platform/qt/qt_platform.h"

namespace coverstrip {

int RunApplication(int argc, char** argv, const WindowDesign& design, const FormFactory& makeForm) {
  // Wayland clients can neither place their windows nor keep them on top: go through XWayland.
  if (qEnvironmentVariableIsSet("WAYLAND_DISPLAY") &&
      !qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "xcb");
  }
  QApplication application(argc, argv);
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/coverstrip.png")));

  qt::QtPlatform qt(design);
  const std::unique_ptr<FormEvents> form = makeForm(qt.platform());
  qt.Attach(*form);
  form->Form_Load();
  qt.Show();
  form->Form_Activate();
  qt.StartTimer();
  return QApplication::exec();
}

}  // namespace coverstrip
