#include "platform/qt/qt_backend.h"

#include <QApplication>
#include <QCursor>
#include <QIcon>
#include <QMouseEvent>
#include <QPalette>
#include <QScreen>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "platform/qt/device_pixels.h"
#include "platform/qt/qt_colour_dialog.h"
#include "platform/qt/qt_colours.h"
#include "platform/qt/qt_pointer_events.h"
#include "platform/qt/x11_connection.h"

namespace coverstrip::qt {
namespace {

void SetPaletteColour(QWidget& widget, QPalette::ColorRole role, Colour colour) {
  QPalette palette = widget.palette();
  palette.setColor(role, ToQColor(colour));
  widget.setPalette(palette);
}

}  // namespace

QtBackend::QtBackend(const WindowDesign& design)
    : form_([this] { ReassertFormGeometry(); }), strip_(form_, *this), closeMark_(strip_, *this) {
  // NOTE: window managers put a focused fullscreen window above "above" windows; one that
  // bypasses the window manager and is raised on each keep-on-top call stays above it. Such a
  // window never gets the focus or a taskbar entry.
  form_.setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint |
                       Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus);
  form_.setAttribute(Qt::WA_ShowWithoutActivating);
  form_.setAttribute(Qt::WA_X11DoNotAcceptFocus);
  // Qt shows tooltips only for the active window, and this one never is.
  form_.setAttribute(Qt::WA_AlwaysShowToolTips);
  form_.setFocusPolicy(Qt::NoFocus);
  form_.setWindowTitle(QString::fromStdString(design.caption));
  form_.setAutoFillBackground(true);

  strip_.setToolTip(QString::fromStdString(design.pictureToolTip));
  // Shown once the window is: see SetFormVisible.
  strip_.hide();

  closeMark_.SetCaption(QString::fromStdString(design.labelCaption));
  closeMark_.setFont(CloseMarkFont(design.labelFont));
  closeMark_.setToolTip(QString::fromStdString(design.labelToolTip));

  timer_.setInterval(design.timerIntervalMs);
  QObject::connect(&timer_, &QTimer::timeout, [this] { input().TimerTicked(); });
  // The window's id is its last one once its flags are set. At a ratio of 1 Qt's positions are
  // the server's.
  if (Ratio() != 1) nativePointer_.Watch(form_.winId());
}

// --- screen ---

Monitor QtBackend::PrimaryMonitor() const {
  return {monitors_.Primary(), TwipsPerPixel()};
}

std::vector<Monitor> QtBackend::Monitors() const {
  std::vector<Monitor> monitors;
  for (const PixelRect& rect : monitors_.All()) monitors.push_back({rect, TwipsPerPixel()});
  return monitors;
}

float QtBackend::TwipsPerPixel() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const double dpi = screen != nullptr ? screen->logicalDotsPerInch() : 96;
  return static_cast<float>(kTwipsPerInch / (dpi * Ratio()));
}

double QtBackend::Ratio() const {
  return form_.devicePixelRatioF();
}

QPoint QtBackend::ScreenOrigin() const {
  const QScreen* screen = form_.screen();
  return screen != nullptr ? screen->geometry().topLeft() : QPoint();
}

QPointF QtBackend::DevicePoint(QPointF logical) const {
  return qt::DevicePoint(logical, ScreenOrigin(), Ratio());
}

QRect QtBackend::LogicalTopLevel(const PixelRect& rect) const {
  return qt::LogicalTopLevel(rect, ScreenOrigin(), Ratio());
}

std::int32_t QtBackend::CoordinateLimit() const {
  return kX11CoordinateLimit;
}

// --- geometry ---

// Qt's own geometry first, so that it lays the window out, then the exact one in device pixels.
void QtBackend::SetFormRect(const PixelRect& rect) {
  formRect_ = rect;
  form_.setGeometry(LogicalTopLevel(rect));
  if (Ratio() == 1) {
    FlushX11();  // Qt's geometry is the exact one
  } else {
    ConfigureX11Window(form_.winId(), rect.left, rect.top, rect.width, rect.height);
  }
}

// NOTE: Qt takes each ConfigureNotify as the window's geometry, stale ones included, and skips a
// later request equal to that copy; setting the geometry again whenever the copy drifts keeps
// the X server at the geometry last set. Below a whole logical pixel the drift is only Qt's
// rounding of an exact device geometry.
void QtBackend::ReassertFormGeometry() {
  const QRect set = LogicalTopLevel(formRect_), held = form_.geometry();
  const int slack = Ratio() == 1 ? 0 : 1;
  const auto drifted = [slack](int a, int b) { return std::abs(a - b) > slack; };
  if (drifted(held.x(), set.x()) || drifted(held.y(), set.y()) ||
      drifted(held.width(), set.width()) || drifted(held.height(), set.height())) {
    SetFormRect(formRect_);
  }
}

void QtBackend::SetStripRect(const PixelRect& rect) {
  stripRect_ = rect;
  strip_.setGeometry(LogicalChild(rect, Ratio()));
}

void QtBackend::SetCloseMarkRect(const PixelRect& rect) {
  closeMark_.setGeometry(LogicalChild(rect, Ratio()));
}

// --- colours, cursor ---

void QtBackend::SetFormColour(Colour colour) {
  SetPaletteColour(form_, QPalette::Window, colour);
}

void QtBackend::SetStripColour(Colour colour) {
  SetPaletteColour(strip_, QPalette::Window, colour);
}

void QtBackend::SetCloseMarkColour(Colour colour) {
  SetPaletteColour(closeMark_, QPalette::WindowText, colour);
}

void QtBackend::SetStripCursor(std::int16_t shape) {
  switch (shape) {
    case mouse_pointer::kSizeWestEast:
      strip_.setCursor(Qt::SizeHorCursor);
      break;
    case mouse_pointer::kSizeNorthSouth:
      strip_.setCursor(Qt::SizeVerCursor);
      break;
    case mouse_pointer::kSizeAll:
      strip_.setCursor(Qt::SizeAllCursor);
      break;
    default:
      strip_.setCursor(Qt::ArrowCursor);
  }
}

// --- window, timer, dialog, process ---

PixelPoint QtBackend::PointerPosition() const {
  const QPointF device = DevicePoint(QCursor::pos());
  return {static_cast<std::int32_t>(std::lround(device.x())),
          static_cast<std::int32_t>(std::lround(device.y()))};
}

NativeHandle QtBackend::FormHandle() const {
  return static_cast<NativeHandle>(form_.winId());
}

// Unmapping keeps the X window and its properties, _NET_WM_WINDOW_OPACITY included. Qt maps it
// at its own, logical, geometry: the exact one follows. The caller raises it afterwards.
// NOTE: Qt announces each child shown to the accessibility bridge, whose first use connects to
// the session bus (and may start one); the children are first shown after the window has
// mapped, so that the window does not wait for it.
void QtBackend::SetFormVisible(bool visible) {
  form_.setVisible(visible);
  if (visible) SetFormRect(formRect_);
  FlushX11();
  if (visible && strip_.isHidden()) strip_.show();
}

void QtBackend::SetTimerRunning(bool running) {
  if (running) {
    timer_.start();
  } else {
    timer_.stop();
  }
}

std::unique_ptr<ColourDialog> QtBackend::NewColourDialog() {
  return std::make_unique<QtColourDialog>();
}

void QtBackend::EndProcess() {
  std::_Exit(0);
}

// --- input ---

// Positions come from the pointer's screen position, in device pixels again, and the geometry as
// last set, so a window moved by the previous event is already where the next one is measured
// from.
void QtBackend::StripPointer(PointerKind kind, const QMouseEvent& event) {
  const QPointF device = nativePointer_.Take(event.globalPosition(), ScreenOrigin(), Ratio())
                             .value_or(DevicePoint(event.globalPosition()));
  const QPointF at =
      device - QPointF(formRect_.left + stripRect_.left, formRect_.top + stripRect_.top);
  const PointerEvent pointer = ToPointerEvent(at, event);
  if (kind == PointerKind::kMove) return input().StripMoved(pointer);
  const std::optional<PointerButton> button = ButtonOf(event.button());
  if (!button) return;
  if (kind == PointerKind::kPress) input().StripPressed(*button, pointer);
  if (kind == PointerKind::kDoubleClick) input().StripDoubleClicked(*button, pointer);
  if (kind == PointerKind::kRelease) input().StripReleased(*button, pointer);
}

void QtBackend::CloseMarkDoubleClicked(const QMouseEvent& event) {
  if (const auto button = ButtonOf(event.button())) input().CloseMarkDoubleClicked(*button);
}

}  // namespace coverstrip::qt
