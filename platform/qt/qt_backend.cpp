#include "platform/qt/qt_backend.h"

#include <QApplication>
#include <QColorDialog>
#include <QCursor>
#include <QFont>
#include <QGuiApplication>
#include <QIcon>
#include <QMouseEvent>
#include <QPalette>
#include <QScreen>
#include <cstdlib>
#include <optional>

#include "platform/qt/qt_colours.h"
#include "platform/qt/x11_flush.h"

namespace coverstrip::qt {
namespace {

// X11 carries window coordinates and sizes as 16-bit values.
constexpr std::int32_t kCoordinateLimitPixels = 32767;
constexpr double kTwipsPerInch = 1440;

void SetPaletteColour(QWidget& widget, QPalette::ColorRole role, Colour colour) {
  QPalette palette = widget.palette();
  palette.setColor(role, ToQColor(colour));
  widget.setPalette(palette);
}

QRect ToQRect(const PixelRect& rect) {
  return QRect(rect.left, rect.top, rect.width, rect.height);
}

std::optional<PointerButton> ButtonOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return PointerButton::kLeft;
    case Qt::RightButton:
      return PointerButton::kRight;
    case Qt::MiddleButton:
      return PointerButton::kMiddle;
    default:
      return std::nullopt;
  }
}

// Qt's widget dialog rather than a desktop's native one, so that it behaves alike everywhere: a
// managed window that the window manager maps above the lowered overlay and gives the focus to.
class QtColourDialog final : public ColourDialog {
 public:
  std::optional<Colour> Show() override {
    QColorDialog dialog;
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return FromQColor(dialog.selectedColor());
  }
};

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
  form_.setWindowIcon(QIcon(QStringLiteral(":/coverstrip.png")));
  form_.setAutoFillBackground(true);

  strip_.setToolTip(QString::fromStdString(design.pictureToolTip));

  closeMark_.setText(QString::fromStdString(design.labelCaption));
  closeMark_.setAlignment(Qt::AlignLeft | Qt::AlignTop);
  // The character set has no meaning here; where the face is missing, fontconfig picks the
  // nearest installed one.
  QFont font(QString::fromStdString(design.labelFont.face));
  font.setPointSizeF(static_cast<qreal>(design.labelFont.points));
  font.setWeight(static_cast<QFont::Weight>(design.labelFont.weight));
  font.setItalic(design.labelFont.italic);
  font.setUnderline(design.labelFont.underline);
  font.setStrikeOut(design.labelFont.strikeout);
  closeMark_.setFont(font);
  closeMark_.setToolTip(QString::fromStdString(design.labelToolTip));

  timer_.setInterval(design.timerIntervalMs);
  QObject::connect(&timer_, &QTimer::timeout, [this] { input().TimerTicked(); });
}

// --- screen ---

Monitor QtBackend::PrimaryMonitor() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect rect = screen != nullptr ? screen->geometry() : QRect();
  return {{rect.x(), rect.y(), rect.width(), rect.height()}, TwipsPerPixel()};
}

float QtBackend::TwipsPerPixel() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return static_cast<float>(kTwipsPerInch /
                            (screen != nullptr ? screen->logicalDotsPerInch() : 96));
}

std::int32_t QtBackend::CoordinateLimit() const {
  return kCoordinateLimitPixels;
}

// --- geometry ---

void QtBackend::SetFormRect(const PixelRect& rect) {
  formRect_ = rect;
  form_.setGeometry(ToQRect(rect));
  FlushX11();
}

// NOTE: Qt takes each ConfigureNotify as the window's geometry, stale ones included, and skips a
// later request equal to that copy; setting the geometry again whenever the copy drifts keeps
// the X server at the geometry last set.
void QtBackend::ReassertFormGeometry() {
  if (form_.geometry() != ToQRect(formRect_)) SetFormRect(formRect_);
}

PixelRect QtBackend::StripRect() const {
  const QRect rect = strip_.geometry();
  return {rect.x(), rect.y(), rect.width(), rect.height()};
}

void QtBackend::SetStripRect(const PixelRect& rect) {
  strip_.setGeometry(ToQRect(rect));
}

void QtBackend::SetCloseMarkRect(const PixelRect& rect) {
  closeMark_.setGeometry(ToQRect(rect));
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

NativeHandle QtBackend::FormHandle() const {
  return static_cast<NativeHandle>(form_.winId());
}

// Unmapping keeps the X window and its properties, _NET_WM_WINDOW_OPACITY included; showing maps
// it again at the geometry last set. The caller raises it afterwards.
void QtBackend::SetFormVisible(bool visible) {
  form_.setVisible(visible);
  if (visible) ReassertFormGeometry();
  FlushX11();
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

// --- window-manager calls ---

// NOTE: Qt leaves a restack request made from a timer in its xcb buffer; without the flush the
// re-assertion does nothing while the pointer is still. Not topmost lowers the window below
// every other one, so that the colour dialog is never hidden under it; this process's visible
// tooltips go above it, as their owner's topmost band would keep them.
void QtBackend::Restack(bool topmost, bool /*activate*/) {
  if (topmost) {
    form_.raise();
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (widget->windowType() == Qt::ToolTip && widget->isVisible()) widget->raise();
    }
  } else {
    form_.lower();
  }
  FlushX11();
}

// Qt writes _NET_WM_WINDOW_OPACITY as alpha x 0x01010101, shown only where a compositor runs.
void QtBackend::SetOpacity(std::uint8_t alpha) {
  form_.setWindowOpacity(alpha / 255.0);
  FlushX11();
}

// --- input ---

// Positions come from the pointer's screen position and the window's geometry as last set, so a
// window moved by the previous event is already where the next one is measured from.
void QtBackend::StripPointer(PointerKind kind, const QMouseEvent& event) {
  const QPointF at =
      event.globalPosition() - QPointF(formRect_.left, formRect_.top) - QPointF(strip_.pos());
  const Qt::MouseButtons held = event.buttons();
  const Qt::KeyboardModifiers keys = event.modifiers();
  const PointerEvent pointer{.x = at.x(),
                             .y = at.y(),
                             .left = held.testFlag(Qt::LeftButton),
                             .right = held.testFlag(Qt::RightButton),
                             .middle = held.testFlag(Qt::MiddleButton),
                             .shift = keys.testFlag(Qt::ShiftModifier),
                             .ctrl = keys.testFlag(Qt::ControlModifier),
                             .alt = keys.testFlag(Qt::AltModifier)};
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
