// RunApplication on Qt 6 under X11: the backend's windows are built hidden, the shared toolkit
// starts the form over them, and Qt's event loop runs. With no X server to connect to it ends
// with exit code 1 and one line on stderr before Qt starts; Qt's xcb plugin does the same if the
// X connection breaks later.
#if __has_include(<malloc.h>)
#include <malloc.h>
#endif

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "platform/qt/qt_backend.h"
#include "platform/qt/x_display.h"
#include "platform/shared/application.h"
#include "platform/shared/toolkit.h"

namespace coverstrip {
namespace {

// Read as the PNG it is: left to find the format, Qt loads every image plugin to ask it first.
QImage ReadIcon() {
  QImageReader reader(QStringLiteral(":/coverstrip.png"), "png");
  reader.setAutoDetectImageFormat(false);
  return reader.read();
}

}  // namespace

int RunApplication(int argc, char** argv, const WindowDesign& design, const FormFactory& forms) {
  if (const auto missing = qt::UseXDisplay()) {
    std::fprintf(stderr, "%s\n", missing->c_str());
    return 1;
  }
  // NOTE: Qt's xcb thread allocates each X event, the main thread frees it. In an arena of the
  // xcb thread's own, the events queued behind a burst of input leave pages that the next burst
  // touches anew in other places, and the resident size creeps up; one arena reuses them, and
  // what is left free at its top after a burst goes back to the system above 32 KiB, not 128.
  // Kept because the benchmark needs it: without it one of nine repetitions' second batch of
  // drags grew by 152 KiB (its limit is 128); with it none of six grew (bench/README.md).
#ifdef M_ARENA_MAX
  mallopt(M_ARENA_MAX, 1);
  mallopt(M_TRIM_THRESHOLD, 32 * 1024);
#endif
  QApplication application(argc, argv);
  if (const auto missing = qt::TakenXDisplay()) {
    std::fprintf(stderr, "%s\n", missing->c_str());
    return 1;
  }

  qt::QtBackend backend(design);
  Toolkit toolkit(backend, design);
  const std::unique_ptr<FormEvents> form = forms.Make(toolkit.platform());
  toolkit.StartUp(*form);
  // Once the window is up: it has no frame or taskbar entry to show the icon, its dialog has.
  QTimer::singleShot(0, [] { QApplication::setWindowIcon(QIcon(QPixmap::fromImage(ReadIcon()))); });
  return QApplication::exec();
}

}  // namespace coverstrip
