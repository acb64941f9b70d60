// The desktop's monitors as Qt reports them, in device pixels, read again at each change; the
// change is reported once Qt has taken all of it in.
#pragma once

#include <QObject>
#include <functional>
#include <vector>

#include "platform/shared/backend.h"

namespace coverstrip::qt {

class QtMonitors {
 public:
  // changed runs, from the event loop, after each change; context is the object whose life
  // bounds the watching.
  QtMonitors(QObject& context, std::function<void()> changed);
  QtMonitors(const QtMonitors&) = delete;
  QtMonitors& operator=(const QtMonitors&) = delete;

  const PixelRect& Primary() const { return primary_; }
  const std::vector<PixelRect>& All() const { return monitors_; }

 private:
  void Watch();
  void Read();
  void Changed();

  QObject& context_;
  std::function<void()> changed_;
  std::vector<PixelRect> monitors_;
  PixelRect primary_;
  bool changeQueued_ = false;
};

}  // namespace coverstrip::qt
