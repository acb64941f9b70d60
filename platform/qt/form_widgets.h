// Form1, the strip and the close mark as Qt widgets. The strip and the mark only decode Qt's
// pointer events (buttons, modifiers, global position) and pass them to a StripInput, behind
// which sit the form's handlers; the window reports geometry that Qt took from the X server.
#pragma once

#include <QLabel>
#include <QPointF>
#include <QWidget>
#include <cstdint>
#include <functional>

namespace coverstrip::qt {

struct PointerEvent {
  std::int16_t button = 0;  // the button pressed or released; on a move, the sum of those held
  std::int16_t shift = 0;
  QPointF global;  // screen position in logical pixels
};

class StripInput {
 public:
  virtual ~StripInput() = default;
  virtual void StripMouseDown(const PointerEvent& event) = 0;
  virtual void StripMouseMove(const PointerEvent& event) = 0;
  virtual void StripMouseUp(const PointerEvent& event) = 0;
  virtual void StripDblClick() = 0;
  virtual void CloseMarkDblClick() = 0;
};

// Form1's top-level. Pointer input on it, where the strip does not cover it, does nothing.
class FormWidget final : public QWidget {
 public:
  // Called, outside Qt's own event handling, after the X server reported a geometry for the
  // window other than the one Qt holds as set.
  explicit FormWidget(std::function<void()> onGeometryReport);

 protected:
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void GeometryReported();

  std::function<void()> onGeometryReport_;
  bool reportQueued_ = false;
};

// Picture1. Mouse tracking is on, so moves without a button arrive too; Qt's implicit grab
// brings every move and the release after a press, also outside the strip.
class StripWidget final : public QWidget {
 public:
  StripWidget(QWidget& parent, StripInput& input);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void ReportPress(QMouseEvent& event);

  StripInput& input_;
  // Buttons whose press was reported and whose release was not yet: the second press of a
  // double-click is reported once, whether Qt sends it as a press, a double-click or both.
  Qt::MouseButtons pressed_;
};

// Label1. It takes every pointer event over itself, so none reaches the strip; only a left
// double-click does something.
class CloseMarkWidget final : public QLabel {
 public:
  CloseMarkWidget(QWidget& parent, StripInput& input);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  StripInput& input_;
};

}  // namespace coverstrip::qt
