#include "platform/qt/qt_monitors.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <utility>

#include "platform/qt/device_pixels.h"
#include "platform/qt/x11_monitors.h"

namespace coverstrip::qt {
namespace {

// NOTE: Qt 6 keeps a screen's top-left corner in device pixels and scales only its size, which
// it rounds to whole logical pixels; the X server's monitor at that corner has the exact size.
PixelRect DeviceRect(const QScreen& screen, const std::vector<QRect>& x11Monitors) {
  const QRect rect = screen.geometry();
  for (const QRect& monitor : x11Monitors) {
    if (monitor.topLeft() == rect.topLeft()) {
      return {monitor.x(), monitor.y(), monitor.width(), monitor.height()};
    }
  }
  const double ratio = screen.devicePixelRatio();
  return {rect.x(), rect.y(), Scaled(rect.width(), ratio), Scaled(rect.height(), ratio)};
}

}  // namespace

QtMonitors::QtMonitors(QObject& context, std::function<void()> changed)
    : context_(context), changed_(std::move(changed)) {
  Read();
  Watch();
}

// NOTE: a RandR monitor removed on Xvfb changes only the root's monitor property, which Qt still
// reports as a screen removed.
void QtMonitors::Watch() {
  const auto watch = [this](QScreen* screen) {
    QObject::connect(screen, &QScreen::geometryChanged, &context_, [this] { Changed(); });
  };
  for (QScreen* screen : QGuiApplication::screens()) watch(screen);
  QObject::connect(qGuiApp, &QGuiApplication::screenAdded, &context_,
                   [this, watch](QScreen* screen) {
                     watch(screen);
                     Changed();
                   });
  QObject::connect(qGuiApp, &QGuiApplication::screenRemoved, &context_, [this] { Changed(); });
  QObject::connect(qGuiApp, &QGuiApplication::primaryScreenChanged, &context_,
                   [this] { Changed(); });
}

void QtMonitors::Changed() {
  if (changeQueued_) return;
  changeQueued_ = true;
  QTimer::singleShot(0, &context_, [this] {
    changeQueued_ = false;
    Read();
    changed_();
  });
}

void QtMonitors::Read() {
  const std::vector<QRect> x11Monitors = X11Monitors();
  monitors_.clear();
  for (const QScreen* screen : QGuiApplication::screens()) {
    monitors_.push_back(DeviceRect(*screen, x11Monitors));
  }
  const QScreen* primary = QGuiApplication::primaryScreen();
  primary_ = primary != nullptr ? DeviceRect(*primary, x11Monitors) : PixelRect{};
}

}  // namespace coverstrip::qt
