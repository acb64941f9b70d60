#include "platform/qt/form_widgets.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QTimer>
#include <algorithm>
#include <utility>

#include "platform/qt/close_mark_glyph.h"

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

bool CloseMarkWidget::CoverageFits() const {
  return !asText_ && text_ == QString::fromUtf8(close_mark_glyph::kCaption) &&
         font().toString() == QString::fromUtf8(close_mark_glyph::kFont) &&
         logicalDpiY() == close_mark_glyph::kDpi && devicePixelRatioF() == 1;
}

// As QLabel draws plain text; from the coverage, every pixel the text covers at all, blended
// over the strip's colour, which shows around it.
void CloseMarkWidget::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  if (!CoverageFits()) {
    style()->drawItemText(&painter, rect(), Qt::AlignLeft | Qt::AlignTop, palette(), isEnabled(),
                          text_, QPalette::WindowText);
    return;
  }
  using namespace close_mark_glyph;
  const int width = std::min(kWidth, this->width()), height = std::min(kHeight, this->height());
  if (width <= 0 || height <= 0) return;
  const QRgb text = palette().color(QPalette::WindowText).rgb();
  const QRgb back = parentWidget()->palette().color(QPalette::Window).rgb();
  QImage glyph(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(glyph.scanLine(y));
    for (int x = 0; x < width; ++x) line[x] = BlendCoverage(text, back, kCoverage[y * kWidth + x]);
  }
  painter.drawImage(0, 0, glyph);
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

// Qt's INTERPOLATE_PIXEL_255: each channel text x c + back x (255 - c), divided by 255 rounded.
QRgb BlendCoverage(QRgb text, QRgb back, int coverage) {
  const auto channel = [coverage](int a, int b) {
    const int sum = a * coverage + b * (255 - coverage);
    return (sum + (sum >> 8) + 0x80) >> 8;
  };
  return qRgb(channel(qRed(text), qRed(back)), channel(qGreen(text), qGreen(back)),
              channel(qBlue(text), qBlue(back)));
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
