#include "platform/qt/x_display.h"

#include <QGuiApplication>
#include <QtGlobal>
#include <cstdlib>
#include <vector>

namespace coverstrip::qt {
namespace {

constexpr char kHowToGetOne[] = "run it in an X11 session, or in a Wayland session with XWayland";

struct HeldMessage {
  QtMsgType type;
  const char* file;
  int line;
  const char* function;
  const char* category;
  QString text;
};

// A message handler has no state of its own to keep them in. NOTE: Qt's "could not connect to
// display" and the platform plugin's failure come as messages while QApplication starts.
std::vector<HeldMessage> held;
QtMessageHandler previous = nullptr;

void Pass(const HeldMessage& message) {
  const QMessageLogContext context(message.file, message.line, message.function, message.category);
  previous(message.type, context, message.text);
}

void Hold(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  const HeldMessage message{type, context.file, context.line, context.function, context.category,
                            text};
  if (type != QtFatalMsg) {
    held.push_back(message);
    return;
  }
  for (const HeldMessage& earlier : held) Pass(earlier);
  held.clear();
  Pass(message);
}

}  // namespace

std::optional<std::string> UseXDisplay() {
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || *display == '\0') {
    return std::string("coverstrip needs an X server and DISPLAY is not set: ") + kHowToGetOne;
  }
  setenv("QT_QPA_PLATFORM", "xcb;offscreen", 1);
  previous = qInstallMessageHandler(Hold);
  return std::nullopt;
}

// NOTE: a server that refuses the connection (no authorization) gets its reason written on stderr
// by Xlib itself, before the line that says what to do.
std::optional<std::string> TakenXDisplay() {
  qInstallMessageHandler(previous);
  const bool taken = QGuiApplication::platformName() == QLatin1String("xcb");
  if (taken) {
    for (const HeldMessage& message : held) Pass(message);
  }
  held.clear();
  if (taken) return std::nullopt;
  return std::string("coverstrip needs an X server and cannot connect to DISPLAY=\"") +
         std::getenv("DISPLAY") + "\": " + kHowToGetOne;
}

}  // namespace coverstrip::qt
