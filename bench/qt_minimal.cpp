// The Qt reference for start-up and memory: one frameless black widget where the overlay starts
// (a quarter of the screen's width from the left, 602 px down, half the screen wide, 40 px high),
// bypassing the window manager as the overlay's Linux build does. Nothing else.
#include <QApplication>
#include <QPalette>
#include <QScreen>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QWidget window(
      nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::X11BypassWindowManagerHint);
  QPalette palette = window.palette();
  palette.setColor(QPalette::Window, Qt::black);
  window.setPalette(palette);
  window.setAutoFillBackground(true);
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  window.setGeometry(screen.width() / 4, 602, screen.width() / 2, 40);
  window.show();
  return QApplication::exec();
}
