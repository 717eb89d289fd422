#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/bitmap.h"

namespace trochodraw {

// Failures of the TGA codec.
class ETGAException : public EImageError {
 public:
  using EImageError::EImageError;
};

// A bitmap that writes itself as an uncompressed true-colour TGA (24 or 32 bits, bottom row
// first) and reads types 0, 1, 2, 3, 9, 10 and 11 in either row order.
class TTGAImage : public TBitmap {
 public:
  using TBitmap::TBitmap;
  TTGAImage() = default;
  explicit TTGAImage(const TBitmap& Bitmap) : TBitmap(Bitmap) {}

  std::vector<uint8_t> SaveToStream() const;
  // Replaces the picture by the one in Data; never reads outside it.
  void LoadFromStream(const uint8_t* Data, size_t Size);
};

// Takes 24- and 32-bit bitmaps; any other gets "Unsupported Bitmap format".
std::vector<uint8_t> EncodeTGA(const TBitmap& Bitmap);
bool TGAWriterTakes(TPixelFormat Format);
// Colour-mapped and greyscale files become 24-bit, true-colour ones 15-, 24- or 32-bit.
// A damaged or hostile file gets an ETGAException with the system's message.
TBitmap DecodeTGA(const uint8_t* Data, size_t Size);

}  // namespace trochodraw
