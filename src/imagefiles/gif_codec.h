#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/bitmap.h"

namespace trochodraw {

// One LZW-compressed image. A 1-, 4- or 8-bit bitmap keeps its palette; any other format is
// mapped pixel by pixel to the nearest colour of the fixed 216-colour cube (levels 0, 51, ...,
// 255; red outermost), without dithering. A transparent bitmap also gets a transparent index.
// Throws EImageError.
std::vector<uint8_t> EncodeGIF(const TBitmap& Bitmap);

// The index of the nearest colour of the 216-colour cube.
int NearestCubeIndex(TColor C);

// Decodes the first image of the file at its own size (as other GIF converters do, whatever
// the logical screen says): a 1-, 4- or 8-bit bitmap with the image's colour map; a transparent index sets the transparent flag and colour. Never
// reads outside Data; a damaged file gets an EImageError.
TBitmap DecodeGIF(const uint8_t* Data, size_t Size);

}  // namespace trochodraw
