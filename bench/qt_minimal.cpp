// The Qt reference for start-up, memory and idle time: one frameless black widget where the
// overlay starts (a quarter of the screen's width from the left, 602 px down, half the screen
// wide, 40 px high), bypassing the window manager as the overlay's Linux build does, and raised
// every 50 ms as the overlay keeps itself on top, with the overlay's tooltip shown as the
// overlay shows it, though the window is never active. Nothing else.
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <QApplication>
#include <QPalette>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include "app/form1_design.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QWidget window(
      nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::X11BypassWindowManagerHint);
  QPalette palette = window.palette();
  palette.setColor(QPalette::Window, Qt::black);
  window.setPalette(palette);
  window.setAutoFillBackground(true);
  window.setAttribute(Qt::WA_AlwaysShowToolTips);
  window.setToolTip(QString::fromStdString(coverstrip::Form1Design().pictureToolTip));
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  window.setGeometry(screen.width() / 4, 602, screen.width() / 2, 40);
  window.show();
  // Qt leaves a request made from a timer in its xcb buffer until it next reads an event.
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  QTimer raise;
  QObject::connect(&raise, &QTimer::timeout, [&window, x11] {
    window.raise();
    if (x11 != nullptr) xcb_flush(x11->connection());
  });
  raise.start(50);
  return QApplication::exec();
}
