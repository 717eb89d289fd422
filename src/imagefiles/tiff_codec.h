#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/bitmap.h"

namespace trochodraw {

// One little-endian file, one directory, one strip, in a fixed layout; PackBits on. Takes
// 1-, 4-, 8- and 24-bit bitmaps (15- and 16-bit ones are written as RGB); any other format
// gets "Invalid Pixel Format". Builds the whole file in memory.
std::vector<uint8_t> EncodeTIFF(const TBitmap& Bitmap);
// The same with PackBits compression on or off.
std::vector<uint8_t> EncodeTIFF(const TBitmap& Bitmap, bool PackBits);
bool TIFFWriterTakes(TPixelFormat Format);

// Reads the first directory of a file in either byte order: uncompressed, LZW or PackBits,
// horizontal predictor, several strips; 1, 2, 4 and 8 bits with a palette or grey, 16-bit
// grey (as a 15-bit bitmap), RGB, RGBA and CMYK. A file whose first directory offset is 0
// has no picture and gives an empty bitmap. Never reads outside Data; a damaged or hostile
// file gets an EImageError with the system's message.
TBitmap DecodeTIFF(const uint8_t* Data, size_t Size);

}  // namespace trochodraw
