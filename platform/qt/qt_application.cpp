// RunApplication on Qt 6 under X11: the backend's windows are built hidden, the shared toolkit
// starts the form over them, and Qt's event loop runs. Qt's xcb plugin ends the process with
// exit code 1 and one line on stderr if the X connection breaks.
#include <QApplication>
#include <QIcon>
#include <memory>

#include "platform/qt/qt_backend.h"
#include "platform/shared/application.h"
#include "platform/shared/toolkit.h"

namespace coverstrip {

int RunApplication(int argc, char** argv, const WindowDesign& design, const FormFactory& makeForm) {
  // Wayland clients can neither place their windows nor keep them on top: go through XWayland.
  if (qEnvironmentVariableIsSet("WAYLAND_DISPLAY") &&
      !qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "xcb");
  }
  QApplication application(argc, argv);
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/coverstrip.png")));

  qt::QtBackend backend(design);
  Toolkit toolkit(backend, design);
  const std::unique_ptr<FormEvents> form = makeForm(toolkit.platform());
  toolkit.StartUp(*form);
  return QApplication::exec();
}

}  // namespace coverstrip
