#include "platform/qt/qt_platform.h"

#include <QGuiApplication>
#include <QScreen>

namespace coverstrip::qt {
namespace {

float TwipsPerLogicalPixel() {
  constexpr double kTwipsPerInch = 1440;
  const QScreen* screen = QGuiApplication::primaryScreen();
  const double dpi = screen != nullptr ? screen->logicalDotsPerInch() : 96;
  return static_cast<float>(kTwipsPerInch / dpi);
}

}  // namespace

QtPlatform::QtPlatform(const WindowDesign& design)
    : scale_(TwipsPerLogicalPixel()),
      formWidget_([this] { form_.Reassert(); }),
      stripWidget_(formWidget_, *this),
      closeMarkWidget_(stripWidget_, *this),
      form_(formWidget_, scale_, design),
      picture_(stripWidget_, scale_, design),
      label_(closeMarkWidget_, scale_, design),
      timer_(design) {}

void QtPlatform::Attach(FormEvents& events) {
  events_ = &events;
  picture_.Attach(events);
  timer_.Attach(events);
}

void QtPlatform::Show() {
  formWidget_.show();
}

QPointF QtPlatform::StripTwips(QPointF global) const {
  const QPointF local = global - QPointF(form_.Origin()) - QPointF(stripWidget_.pos());
  const double twipsPerPixel = scale_.TwipsPerPixel();
  return {local.x() * twipsPerPixel, local.y() * twipsPerPixel};
}

void QtPlatform::StripMouseDown(const PointerEvent& event) {
  if (events_ == nullptr) return;
  const QPointF at = StripTwips(event.global);
  events_->Picture1_MouseDown(event.button, event.shift, static_cast<float>(at.x()),
                              static_cast<float>(at.y()));
}

void QtPlatform::StripMouseMove(const PointerEvent& event) {
  if (events_ == nullptr) return;
  const QPointF at = StripTwips(event.global);
  events_->Picture1_MouseMove(event.button, event.shift, static_cast<float>(at.x()),
                              static_cast<float>(at.y()));
}

void QtPlatform::StripMouseUp(const PointerEvent& event) {
  if (events_ == nullptr) return;
  const QPointF at = StripTwips(event.global);
  events_->Picture1_MouseUp(event.button, event.shift, static_cast<float>(at.x()),
                            static_cast<float>(at.y()));
}

void QtPlatform::StripDblClick() {
  if (events_ != nullptr) events_->Picture1_DblClick();
}

void QtPlatform::CloseMarkDblClick() {
  if (events_ != nullptr) events_->Label1_DblClick();
}

}  // namespace coverstrip::qt
