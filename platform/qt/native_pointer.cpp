#include "platform/qt/native_pointer.h"

#include <xcb/xcb.h>
#include <xcb/xinput.h>

#include <QCoreApplication>
#include <cmath>

#include "platform/qt/x11_connection.h"

namespace coverstrip::qt {
namespace {

constexpr std::size_t kMostKept = 256;

double FromFixed(xcb_input_fp1616_t value) {
  return value / 65536.0;
}

}  // namespace

void NativePointer::Watch(std::uintptr_t window) {
  window_ = window;
  xcb_connection_t* connection = X11Connection();
  if (connection == nullptr) return;
  inputOpcode_ = XInputOpcode(connection);
  QCoreApplication::instance()->installNativeEventFilter(this);
}

NativePointer::~NativePointer() {
  if (QCoreApplication::instance() != nullptr) {
    QCoreApplication::instance()->removeNativeEventFilter(this);
  }
}

// Sees the events as xcb delivered them, before Qt handles them; keeps their positions only.
bool NativePointer::nativeEventFilter(const QByteArray& type, void* message, qintptr* /*result*/) {
  if (window_ == 0 || type != "xcb_generic_event_t") return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  const std::uint8_t kind = event->response_type & 0x7F;
  QPointF position;
  if (kind == XCB_GE_GENERIC && inputOpcode_ >= 0) {
    const auto* generic = static_cast<const xcb_ge_generic_event_t*>(message);
    if (generic->extension != inputOpcode_) return false;
    if (generic->event_type != XCB_INPUT_MOTION && generic->event_type != XCB_INPUT_BUTTON_PRESS &&
        generic->event_type != XCB_INPUT_BUTTON_RELEASE) {
      return false;
    }
    // Motion, press and release share this layout.
    const auto* pointer = static_cast<const xcb_input_button_press_event_t*>(message);
    if (pointer->event != window_) return false;
    position = {FromFixed(pointer->root_x), FromFixed(pointer->root_y)};
  } else if (kind == XCB_MOTION_NOTIFY || kind == XCB_BUTTON_PRESS || kind == XCB_BUTTON_RELEASE) {
    // Motion, press and release share this layout too.
    const auto* pointer = static_cast<const xcb_button_press_event_t*>(message);
    if (pointer->event != window_) return false;
    position = {static_cast<double>(pointer->root_x), static_cast<double>(pointer->root_y)};
  } else {
    return false;
  }
  positions_.push_back(position);
  if (positions_.size() > kMostKept) positions_.pop_front();
  return false;
}

std::optional<QPointF> NativePointer::Take(QPointF logical, QPointF origin, double ratio) {
  constexpr double kRounding = 0.5 + 1e-6;
  for (auto it = positions_.begin(); it != positions_.end(); ++it) {
    const QPointF projected = origin + (*it - origin) / ratio;
    if (std::fabs(projected.x() - logical.x()) <= kRounding &&
        std::fabs(projected.y() - logical.y()) <= kRounding) {
      const QPointF device = *it;
      positions_.erase(positions_.begin(), it + 1);
      return device;
    }
  }
  return std::nullopt;
}

}  // namespace coverstrip::qt
