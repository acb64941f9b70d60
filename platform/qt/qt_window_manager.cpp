#include "platform/qt/qt_window_manager.h"

#include <QApplication>
#include <QWidget>

#include "platform/qt/x11_flush.h"

namespace coverstrip::qt {
namespace {

void RaiseToolTips() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->windowType() == Qt::ToolTip && widget->isVisible()) widget->raise();
  }
}

}  // namespace

// NOTE: Qt leaves a restack request made from a timer in its xcb buffer; without the flush the
// re-assertion does nothing while the pointer is still.
bool QtWindowManager::SetWindowPos(NativeHandle window, NativeHandle insertAfter,
                                   std::int32_t /*x*/, std::int32_t /*y*/, std::int32_t /*cx*/,
                                   std::int32_t /*cy*/, std::uint32_t /*flags*/) {
  if (!IsForm(window)) return false;
  if (insertAfter == wm::kInsertTopmost) {
    styles_.SetTopmost(true);
    form_.widget().raise();
    RaiseToolTips();
  } else if (insertAfter == wm::kInsertNotTopmost) {
    styles_.SetTopmost(false);
    form_.widget().lower();
  } else {
    return false;
  }
  FlushX11();
  return true;
}

std::int32_t QtWindowManager::GetWindowLongA(NativeHandle window, std::int32_t index) {
  return IsForm(window) ? styles_.Get(index) : 0;
}

std::int32_t QtWindowManager::SetWindowLongA(NativeHandle window, std::int32_t index,
                                             std::int32_t value) {
  return IsForm(window) ? styles_.Set(index, value) : 0;
}

bool QtWindowManager::SetLayeredWindowAttributes(NativeHandle window, Colour /*key*/,
                                                 std::uint8_t alpha, std::uint32_t flags) {
  if (!IsForm(window)) return false;
  const auto shown = styles_.AlphaFor(alpha, flags);
  if (!shown) return false;
  form_.widget().setWindowOpacity(*shown / 255.0);
  FlushX11();
  return true;
}

}  // namespace coverstrip::qt
