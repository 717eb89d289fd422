#pragma once

#include <cstddef>
#include <cstdint>

#include "render/bitmap.h"

namespace trochodraw::fuzz {

// Runs one reader on the input. A clear error (EImageError) is a fine answer; any other
// exception escapes and libFuzzer reports it. A picture is read back pixel by pixel, so a
// palette shorter than its indexes or rows shorter than the width show up under ASan.
inline int CheckReader(TBitmap (*Decode)(const uint8_t*, size_t), const uint8_t* Data, size_t Size) {
  try {
    const TBitmap b = Decode(Data, Size);
    if (uint64_t(b.Width()) * uint64_t(b.Height()) <= (uint64_t{1} << 22)) {
      volatile TColor sum = 0;
      for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) sum = sum + b.GetPixel(x, y);
    }
  } catch (const EImageError&) {
  }
  return 0;
}

}  // namespace trochodraw::fuzz
