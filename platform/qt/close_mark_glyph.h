// The close mark's caption as its font covers the pixels at 96 dpi, pixel ratio 1, on
// Debian 12's fonts. Written by close_mark_maker.cpp; do not edit.
#pragma once

namespace coverstrip::qt::close_mark_glyph {

inline constexpr char kCaption[] = "\xC3\x97";
inline constexpr char kFont[] = "宋体,14.25,-1,5,400,0,0,0,0,0,0,0,0,0,0,1";
inline constexpr int kDpi = 96;
inline constexpr int kWidth = 14;
inline constexpr int kHeight = 18;
// Row by row, 0 (none) to 255 (all).
// clang-format off
inline constexpr unsigned char kCoverage[] = {
      0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,
      0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,
      0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,
      0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,
      0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,
      0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,
      0,   0,   0, 101,  19,   0,   0,   0,   0,   0,   0,  28,  93,   0,
      0,   0,  41, 253, 205,  16,   0,   0,   0,   0,  24, 218, 249,  28,
      0,   0,   0, 100, 254, 200,  13,   0,   0,  21, 214, 252,  84,   0,
      0,   0,   0,   0, 109, 255, 194,  10,  18, 209, 253,  92,   0,   0,
      0,   0,   0,   0,   0, 119, 255, 189, 205, 254, 101,   0,   0,   0,
      0,   0,   0,   0,   0,   0, 133, 255, 255, 113,   0,   0,   0,   0,
      0,   0,   0,   0,   0,   8, 189, 255, 255, 174,   4,   0,   0,   0,
      0,   0,   0,   0,   6, 183, 255, 120, 143, 255, 168,   3,   0,   0,
      0,   0,   0,   5, 177, 255, 128,   0,   0, 150, 255, 161,   2,   0,
      0,   0,   3, 170, 255, 136,   0,   0,   0,   1, 157, 255, 155,   1,
      0,   0,  37, 241, 144,   0,   0,   0,   0,   0,   2, 163, 233,  27,
      0,   0,   0,  36,   0,   0,   0,   0,   0,   0,   0,   3,  34,   0,
};
// clang-format on

}  // namespace coverstrip::qt::close_mark_glyph
