// The pointer positions of the X server's input events for the form's window, in device pixels
// as the server sent them. NOTE: Qt 6.4 hands pointer positions over in logical pixels rounded
// to whole ones, so at a scale factor of 2 a pointer at device x = 549 arrives as 275, 550;
// matched against these, the strip's events get their exact device positions back.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QPointF>
#include <cstdint>
#include <deque>
#include <optional>

namespace coverstrip::qt {

class NativePointer final : public QAbstractNativeEventFilter {
 public:
  NativePointer() = default;
  ~NativePointer() override;
  NativePointer(const NativePointer&) = delete;
  NativePointer& operator=(const NativePointer&) = delete;

  // Watches the events of one top-level X window from now on; needs a QApplication on X11.
  void Watch(std::uintptr_t window);

  bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

  // The device position of the event that Qt reports at `logical`, where logical positions count
  // from `origin` at `ratio` device pixels each; nothing when none of the events seen matches.
  std::optional<QPointF> Take(QPointF logical, QPointF origin, double ratio);

 private:
  std::uintptr_t window_ = 0;
  int inputOpcode_ = -1;  // the XInput extension's events, which Qt reads the pointer from
  std::deque<QPointF> positions_;
};

}  // namespace coverstrip::qt
