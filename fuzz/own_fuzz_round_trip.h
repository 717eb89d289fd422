#pragma once

// What the own codecs' fuzzers check besides "no crash": a picture a reader accepted is
// written again by the format's writer, and where that writer keeps every pixel, reading its
// file gives the same picture.

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "render/bitmap.h"

namespace trochodraw::fuzzing {

// Small pictures only, so each input stays quick.
inline bool SmallEnough(const TBitmap& B) { return uint64_t(B.Width()) * uint64_t(B.Height()) <= (1u << 16); }

inline void RequireSamePixels(const TBitmap& A, const TBitmap& B) {
  if (A.Width() != B.Width() || A.Height() != B.Height()) std::abort();
  for (int y = 0; y < A.Height(); ++y)
    for (int x = 0; x < A.Width(); ++x)
      if (A.GetPixel(x, y) != B.GetPixel(x, y)) std::abort();
}

template <typename TEncode, typename TDecode>
void RequireRoundTrip(const TBitmap& Picture, TEncode Encode, TDecode Decode) {
  const std::vector<uint8_t> file = Encode(Picture);
  RequireSamePixels(Picture, Decode(file.data(), file.size()));
}

}  // namespace trochodraw::fuzzing
