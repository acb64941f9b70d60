// Writes close_mark_glyph.h on stdout: the coverage of the close mark's caption in its font, as
// the close mark draws it as text on this X display (run it at 96 dpi, pixel ratio 1, on the
// system whose fonts it is to match):
//   cmake --build build/linux --target coverstrip_close_mark_maker
//   build/linux/coverstrip_close_mark_maker > platform/qt/close_mark_glyph.h
// White on black gives the coverage itself; the other colour pairs, drawn as text too, must
// come out as BlendCoverage gives them from it, or it writes nothing and fails.
#include <QApplication>
#include <QImage>
#include <QPalette>
#include <QWidget>
#include <cstdio>
#include <vector>

#include "app/form1_design.h"
#include "platform/qt/form_widgets.h"
#include "platform/qt/x_display.h"

namespace {

using coverstrip::qt::CloseMarkWidget;

// Larger than the close mark, so that the text is not cut off here.
constexpr int kWidth = 48;
constexpr int kHeight = 36;

class NoInput final : public coverstrip::qt::StripInput {
  void StripPointer(coverstrip::qt::PointerKind, const QMouseEvent&) override {}
  void CloseMarkDoubleClicked(const QMouseEvent&) override {}
};

QImage Draw(QRgb text, QRgb back) {
  NoInput input;
  QWidget strip;
  CloseMarkWidget mark(strip, input);
  const coverstrip::WindowDesign design = coverstrip::Form1Design();
  mark.SetCaption(QString::fromStdString(design.labelCaption));
  mark.setFont(coverstrip::qt::CloseMarkFont(design.labelFont));
  mark.DrawAsText();
  QPalette palette = strip.palette();
  palette.setColor(QPalette::Window, back);
  strip.setPalette(palette);
  strip.setAutoFillBackground(true);
  palette.setColor(QPalette::WindowText, text);
  mark.setPalette(palette);
  strip.setGeometry(0, 0, kWidth, kHeight);
  mark.setGeometry(0, 0, kWidth, kHeight);
  return strip.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

}  // namespace

int main(int argc, char** argv) {
  if (const auto missing = coverstrip::qt::UseXDisplay()) {
    std::fprintf(stderr, "%s\n", missing->c_str());
    return 1;
  }
  QApplication application(argc, argv);
  if (const auto missing = coverstrip::qt::TakenXDisplay()) {
    std::fprintf(stderr, "%s\n", missing->c_str());
    return 1;
  }
  const QImage white = Draw(qRgb(255, 255, 255), qRgb(0, 0, 0));
  if (white.width() != kWidth || white.height() != kHeight || white.devicePixelRatio() != 1) {
    std::fprintf(stderr, "run it at a pixel ratio of 1\n");
    return 1;
  }
  std::vector<int> coverage;
  int width = 0, height = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      coverage.push_back(qRed(white.pixel(x, y)));
      if (coverage.back() != 0) {
        width = std::max(width, x + 1);
        height = std::max(height, y + 1);
      }
    }
  }
  const QRgb pairs[][2] = {{qRgb(255, 0, 0), qRgb(0, 0, 0)},
                           {qRgb(0, 0, 0), qRgb(255, 0, 0)},
                           {qRgb(255, 0, 0), qRgb(255, 255, 255)},
                           {qRgb(255, 0, 0), qRgb(0x2E, 0x8B, 0x57)}};
  for (const auto& [text, back] : pairs) {
    const QImage drawn = Draw(text, back);
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        const QRgb expected = coverstrip::qt::BlendCoverage(text, back, coverage[y * kWidth + x]);
        if ((drawn.pixel(x, y) & 0xFFFFFF) != (expected & 0xFFFFFF)) {
          std::fprintf(stderr, "at (%d, %d) text 0x%06X over 0x%06X is 0x%06X, not 0x%06X\n", x, y,
                       text & 0xFFFFFF, back & 0xFFFFFF, drawn.pixel(x, y) & 0xFFFFFF,
                       expected & 0xFFFFFF);
          return 1;
        }
      }
    }
  }
  QWidget probe;
  const coverstrip::WindowDesign design = coverstrip::Form1Design();
  std::printf(
      "// The close mark's caption as its font covers the pixels at 96 dpi, pixel ratio 1, on\n"
      "// Debian 12's fonts. Written by close_mark_maker.cpp; do not edit.\n"
      "#pragma once\n\nnamespace coverstrip::qt::close_mark_glyph {\n\n");
  std::printf("inline constexpr char kCaption[] = \"");
  for (const unsigned char c : design.labelCaption) std::printf("\\x%02X", c);
  std::printf("\";\ninline constexpr char kFont[] = \"%s\";\n",
              coverstrip::qt::CloseMarkFont(design.labelFont).toString().toUtf8().constData());
  std::printf("inline constexpr int kDpi = %d;\n", probe.logicalDpiY());
  std::printf("inline constexpr int kWidth = %d;\ninline constexpr int kHeight = %d;\n", width,
              height);
  std::printf(
      "// Row by row, 0 (none) to 255 (all).\n// clang-format off\n"
      "inline constexpr unsigned char kCoverage[] = {");
  for (int y = 0; y < height; ++y) {
    std::printf("\n   ");
    for (int x = 0; x < width; ++x) std::printf(" %3d,", coverage[y * kWidth + x]);
  }
  std::printf("\n};\n// clang-format on\n\n}  // namespace coverstrip::qt::close_mark_glyph\n");
  return 0;
}
