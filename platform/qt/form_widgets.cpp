#include "platform/qt/form_widgets.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QTimer>
#include <utility>

namespace coverstrip::qt {

// --- window ---

FormWidget::FormWidget(std::function<void()> onGeometryReport)
    : onGeometryReport_(std::move(onGeometryReport)) {}

// Spontaneous move and resize events come from ConfigureNotify; those Qt sends itself while
// setting the geometry are not spontaneous.
void FormWidget::moveEvent(QMoveEvent* event) {
  if (event->spontaneous()) GeometryReported();
}

void FormWidget::resizeEvent(QResizeEvent* event) {
  if (event->spontaneous()) GeometryReported();
}

void FormWidget::GeometryReported() {
  if (reportQueued_) return;
  reportQueued_ = true;
  QTimer::singleShot(0, this, [this] {
    reportQueued_ = false;
    onGeometryReport_();
  });
}

// --- strip ---

StripWidget::StripWidget(QWidget& parent, StripInput& input) : QWidget(&parent), input_(input) {
  setMouseTracking(true);
  setFocusPolicy(Qt::NoFocus);
  setAutoFillBackground(true);
}

void StripWidget::mousePressEvent(QMouseEvent* event) {
  event->accept();
  input_.StripPointer(PointerKind::kPress, *event);
}

void StripWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  event->accept();
  input_.StripPointer(PointerKind::kDoubleClick, *event);
}

void StripWidget::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  input_.StripPointer(PointerKind::kMove, *event);
}

void StripWidget::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  input_.StripPointer(PointerKind::kRelease, *event);
}

// --- close mark ---

CloseMarkWidget::CloseMarkWidget(QWidget& parent, StripInput& input)
    : QWidget(&parent), input_(input) {
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_NoMousePropagation);
}

void CloseMarkWidget::SetCaption(const QString& text) {
  text_ = text;
  update();
}

// As QLabel draws plain text.
void CloseMarkWidget::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  style()->drawItemText(&painter, rect(), Qt::AlignLeft | Qt::AlignTop, palette(), isEnabled(),
                        text_, QPalette::WindowText);
}

// The character set has no meaning here; where the face is missing, fontconfig picks the nearest
// installed one.
QFont CloseMarkFont(const FontDesign& design) {
  QFont font(QString::fromStdString(design.face));
  font.setPointSizeF(static_cast<qreal>(design.points));
  font.setWeight(static_cast<QFont::Weight>(design.weight));
  font.setItalic(design.italic);
  font.setUnderline(design.underline);
  font.setStrikeOut(design.strikeout);
  return font;
}

void CloseMarkWidget::mousePressEvent(QMouseEvent* event) {
  event->accept();
}

void CloseMarkWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  event->accept();
  input_.CloseMarkDoubleClicked(*event);
}

void CloseMarkWidget::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
}

void CloseMarkWidget::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
}

}  // namespace coverstrip::qt
