// Form1, the strip and the close mark as Qt widgets. The strip and the mark only hand Qt's
// pointer events on, by kind, to a StripInput; the window reports geometry that Qt took from the
// X server.
#pragma once

#include <QFont>
#include <QWidget>
#include <functional>

#include "platform/contract/window_design.h"

class QMouseEvent;

namespace coverstrip::qt {

enum class PointerKind { kPress, kDoubleClick, kMove, kRelease };

class StripInput {
 public:
  virtual ~StripInput() = default;
  virtual void StripPointer(PointerKind kind, const QMouseEvent& event) = 0;
  virtual void CloseMarkDoubleClicked(const QMouseEvent& event) = 0;
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
  StripInput& input_;
};

// Label1. It takes every pointer event over itself, so none reaches the strip; only a
// double-click is handed on. Its caption is drawn as a label draws its text, left and top
// aligned in the text colour over the strip's.
class CloseMarkWidget final : public QWidget {
 public:
  CloseMarkWidget(QWidget& parent, StripInput& input);

  void SetCaption(const QString& text);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  StripInput& input_;
  QString text_;
};

// The close mark's font as designed.
QFont CloseMarkFont(const FontDesign& design);

}  // namespace coverstrip::qt
