// RunApplication on Qt 6 under X11: Form1 is built hidden, loaded, shown without taking the
// focus and activated once; then the keep-on-top timer starts and Qt's event loop runs. With no
// X server to connect to it ends with exit code 1 and one line on stderr before Qt starts; Qt's
// xcb plugin does the same if the X connection breaks later.
#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <memory>

#include "platform/application.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/x_display.h"

namespace coverstrip {

int RunApplication(int argc, char** argv, const WindowDesign& design, const FormFactory& makeForm) {
  if (const auto missing = qt::UseXDisplay()) {
    std::fprintf(stderr, "%s\n", missing->c_str());
    return 1;
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
