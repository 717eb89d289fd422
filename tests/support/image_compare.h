#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "render/bitmap.h"

namespace trochodraw::testing {

inline std::string Hex(TColor c) {
  std::ostringstream s;
  s << "0x" << std::hex << c;
  return s.str();
}

// Compares two bitmaps and names the first differing pixel with both colours.
inline ::testing::AssertionResult SamePixels(const TBitmap& a, const TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height())
    return ::testing::AssertionFailure() << "size " << a.Width() << "x" << a.Height() << " vs " << b.Width() << "x"
                                         << b.Height();
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.GetPixel(x, y) != b.GetPixel(x, y))
        return ::testing::AssertionFailure() << "first difference at (" << x << ", " << y << "): "
                                             << Hex(a.GetPixel(x, y)) << " vs " << Hex(b.GetPixel(x, y));
  return ::testing::AssertionSuccess();
}

}  // namespace trochodraw::testing
