#pragma once

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "render/bitmap.h"

namespace trochodraw {

// A picture drawn as rows of characters, one colour per character.
inline TBitmap PictureFromRows(const std::vector<std::string>& Rows, const std::map<char, TColor>& Inks,
                               TPixelFormat Format = TPixelFormat::pf24bit) {
  TBitmap b(int(Rows.empty() ? 0 : Rows[0].size()), int(Rows.size()), Format);
  for (size_t y = 0; y < Rows.size(); ++y)
    for (size_t x = 0; x < Rows[y].size(); ++x) b.SetPixel(int(x), int(y), Inks.at(Rows[y][x]));
  return b;
}

// "" when both pictures have the same size and colours, else where they first differ.
inline std::string FirstDifference(const TBitmap& Actual, const TBitmap& Expected) {
  if (Actual.Width() != Expected.Width() || Actual.Height() != Expected.Height())
    return "size " + std::to_string(Actual.Width()) + "x" + std::to_string(Actual.Height()) + ", expected " +
           std::to_string(Expected.Width()) + "x" + std::to_string(Expected.Height());
  for (int y = 0; y < Actual.Height(); ++y)
    for (int x = 0; x < Actual.Width(); ++x)
      if (Actual.GetPixel(x, y) != Expected.GetPixel(x, y)) {
        char text[96];
        std::snprintf(text, sizeof text, "pixel (%d, %d) is %06X, expected %06X", x, y, Actual.GetPixel(x, y),
                      Expected.GetPixel(x, y));
        return text;
      }
  return "";
}

// A white disc inside a black ring whose inner edge is anti-aliased grey, on white.
inline constexpr TColor kRingEdge = 0x808080;
inline bool InsideRing(int X, int Y) { return std::hypot(X - 7, Y - 7) < 3.5; }
inline TBitmap RingPicture(TPixelFormat Format = TPixelFormat::pf24bit) {
  TBitmap b(15, 15, Format);
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 15; ++x) {
      const double r = std::hypot(x - 7, y - 7);
      b.SetPixel(x, y, r < 3.5 ? clWhite : r < 4.5 ? kRingEdge : r < 6.0 ? clBlack : clWhite);
    }
  return b;
}

}  // namespace trochodraw
