#include "platform/qt/qt_toolkit.h"

#include <QCursor>
#include <QFont>
#include <QGuiApplication>
#include <QIcon>
#include <QPalette>
#include <QScreen>
#include <cstdlib>

#include "platform/pixel_geometry.h"
#include "platform/qt/qt_colours.h"
#include "platform/qt/x11_flush.h"

namespace coverstrip::qt {
namespace {

std::optional<std::int32_t> Pixels(const TwipsScale& scale, Twips twips) {
  return scale.ToPixels(twips, kCoordinateLimitPixels);
}

QRect PixelRect(const TwipsScale& scale, const RectDesign& design) {
  const PixelGeometry pixels = DesignedGeometry(scale, kCoordinateLimitPixels, design);
  return QRect(pixels.left, pixels.top, pixels.width, pixels.height);
}

QSize ScreenPixels() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->geometry().size() : QSize();
}

void SetPaletteColour(QWidget& widget, QPalette::ColorRole role, Colour colour) {
  QPalette palette = widget.palette();
  palette.setColor(role, ToQColor(colour));
  widget.setPalette(palette);
}

Qt::CursorShape CursorFor(std::int16_t shape) {
  switch (shape) {
    case mouse_pointer::kSizeWestEast:
      return Qt::SizeHorCursor;
    case mouse_pointer::kSizeNorthSouth:
      return Qt::SizeVerCursor;
    case mouse_pointer::kSizeAll:
      return Qt::SizeAllCursor;
    default:
      return Qt::ArrowCursor;
  }
}

}  // namespace

// --- screen ---

Twips QtScreen::Width() const {
  return scale_.ToTwips(ScreenPixels().width());
}

Twips QtScreen::Height() const {
  return scale_.ToTwips(ScreenPixels().height());
}

Twips QtScreen::CoordinateLimit() const {
  return scale_.ToTwips(kCoordinateLimitPixels);
}

// --- window ---

QtForm::QtForm(FormWidget& widget, const TwipsScale& scale, const WindowDesign& design)
    : widget_(widget), scale_(scale), rect_(PixelRect(scale, design.form)) {
  // NOTE: window managers put a focused fullscreen window above "above" windows; one that
  // bypasses the window manager and is raised on each keep-on-top call stays above it. Such a
  // window never gets the focus or a taskbar entry.
  widget_.setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint |
                         Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus);
  widget_.setAttribute(Qt::WA_ShowWithoutActivating);
  widget_.setAttribute(Qt::WA_X11DoNotAcceptFocus);
  // Qt shows tooltips only for the active window, and this one never is.
  widget_.setAttribute(Qt::WA_AlwaysShowToolTips);
  widget_.setFocusPolicy(Qt::NoFocus);
  widget_.setWindowTitle(QString::fromStdString(design.caption));
  widget_.setWindowIcon(QIcon(QStringLiteral(":/coverstrip.png")));
  widget_.setAutoFillBackground(true);
  SetPaletteColour(widget_, QPalette::Window, design.formBackColor);
  widget_.setGeometry(rect_);
}

Twips QtForm::Left() const {
  return scale_.ToTwips(rect_.x());
}
Twips QtForm::Top() const {
  return scale_.ToTwips(rect_.y());
}
Twips QtForm::Width() const {
  return scale_.ToTwips(rect_.width());
}
Twips QtForm::Height() const {
  return scale_.ToTwips(rect_.height());
}

void QtForm::SetWidth(Twips width) {
  const auto pixels = Pixels(scale_, width);
  if (!pixels || *pixels < 0) return;
  QRect rect = rect_;
  rect.setWidth(*pixels);
  Apply(rect);
}

void QtForm::SetHeight(Twips height) {
  const auto pixels = Pixels(scale_, height);
  if (!pixels || *pixels < 0) return;
  QRect rect = rect_;
  rect.setHeight(*pixels);
  Apply(rect);
}

void QtForm::Move(Twips left, Twips top) {
  const auto x = Pixels(scale_, left);
  const auto y = Pixels(scale_, top);
  if (!x || !y) return;
  Apply(QRect(QPoint(*x, *y), rect_.size()));
}

void QtForm::SetBackColor(Colour colour) {
  SetPaletteColour(widget_, QPalette::Window, colour);
}

NativeHandle QtForm::hWnd() const {
  return static_cast<NativeHandle>(widget_.winId());
}

void QtForm::Apply(const QRect& rect) {
  rect_ = rect;
  widget_.setGeometry(rect_);
  FlushX11();
}

// NOTE: Qt takes each ConfigureNotify as the window's geometry, stale ones included, and skips a
// later request equal to that copy; setting the geometry again whenever the copy drifts keeps
// the X server at the geometry last set.
void QtForm::Reassert() {
  if (widget_.geometry() != rect_) Apply(rect_);
}

// --- strip ---

QtPicture::QtPicture(StripWidget& widget, const TwipsScale& scale, const WindowDesign& design)
    : widget_(widget), scale_(scale) {
  widget_.setGeometry(PixelRect(scale, design.picture));
  SetPaletteColour(widget_, QPalette::Window, design.pictureBackColor);
  widget_.setToolTip(QString::fromStdString(design.pictureToolTip));
  mousePointer_ = design.pictureMousePointer;
  widget_.setCursor(CursorFor(mousePointer_));
}

Twips QtPicture::Left() const {
  return scale_.ToTwips(widget_.x());
}
Twips QtPicture::Top() const {
  return scale_.ToTwips(widget_.y());
}
Twips QtPicture::Width() const {
  return scale_.ToTwips(widget_.width());
}
Twips QtPicture::Height() const {
  return scale_.ToTwips(widget_.height());
}

bool QtPicture::SetWidth(Twips width) {
  return Move(Left(), Top(), width, std::nullopt);
}

bool QtPicture::SetHeight(Twips height) {
  return Move(Left(), Top(), std::nullopt, height);
}

bool QtPicture::Move(Twips left, Twips top, std::optional<Twips> width,
                     std::optional<Twips> height) {
  const auto requested = RequestedStripGeometry(scale_, kCoordinateLimitPixels, left, top, width,
                                                height, widget_.width(), widget_.height());
  if (!requested) return false;

  // Qt delivers a hidden widget's resize event only when it is shown, so the form hears of
  // the change here, once per real change of size.
  const QSize before = widget_.size();
  widget_.setGeometry(requested->left, requested->top, requested->width, requested->height);
  if (widget_.size() != before && events_ != nullptr) events_->Picture1_Resize();
  return true;
}

void QtPicture::SetMousePointer(std::int16_t shape) {
  if (shape == mousePointer_) return;
  mousePointer_ = shape;
  widget_.setCursor(CursorFor(shape));
}

void QtPicture::SetBackColor(Colour colour) {
  SetPaletteColour(widget_, QPalette::Window, colour);
}

Colour QtPicture::BackColor() const {
  return FromQColor(widget_.palette().color(QPalette::Window));
}

// --- close mark ---

QtLabel::QtLabel(CloseMarkWidget& widget, const TwipsScale& scale, const WindowDesign& design)
    : widget_(widget), scale_(scale) {
  widget_.setGeometry(PixelRect(scale, design.label));
  widget_.setText(QString::fromStdString(design.labelCaption));
  widget_.setAlignment(Qt::AlignLeft | Qt::AlignTop);
  SetPaletteColour(widget_, QPalette::WindowText, design.labelForeColor);
  // The character set has no meaning here; where the face is missing, fontconfig picks the
  // nearest installed one.
  QFont font(QString::fromStdString(design.labelFont.face));
  font.setPointSizeF(static_cast<qreal>(design.labelFont.points));
  font.setWeight(static_cast<QFont::Weight>(design.labelFont.weight));
  font.setItalic(design.labelFont.italic);
  font.setUnderline(design.labelFont.underline);
  font.setStrikeOut(design.labelFont.strikeout);
  widget_.setFont(font);
  widget_.setToolTip(QString::fromStdString(design.labelToolTip));
}

void QtLabel::Move(Twips left, Twips top) {
  const auto x = Pixels(scale_, left);
  const auto y = Pixels(scale_, top);
  if (!x || !y) return;
  widget_.move(*x, *y);
}

void QtLabel::SetContainer(PictureBox& container) {
  auto* picture = dynamic_cast<QtPicture*>(&container);
  if (picture == nullptr || widget_.parentWidget() == &picture->widget()) return;
  widget_.setParent(&picture->widget());
  widget_.show();
}

void QtLabel::SetForeColor(Colour colour) {
  SetPaletteColour(widget_, QPalette::WindowText, colour);
}

// --- timer, process ---

QtTimer::QtTimer(const WindowDesign& design) : enabled_(design.timerEnabled) {
  timer_.setInterval(design.timerIntervalMs);
}

void QtTimer::Attach(FormEvents& events) {
  QObject::connect(&timer_, &QTimer::timeout, [&events] { events.Timer1_Timer(); });
}

void QtTimer::Start() {
  if (enabled_) timer_.start();
}

void QtTimer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (enabled) {
    timer_.start();
  } else {
    timer_.stop();
  }
}

void QtProcess::End() {
  std::_Exit(0);
}

}  // namespace coverstrip::qt
