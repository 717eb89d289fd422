#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/bitmap.h"

namespace trochodraw {

// 1-, 4- and 8-bit bitmaps become palette images with a full colour table, every other
// format 8-bit RGB; filter Sub on every row, deflate level 7, IDAT chunks of at most 65535
// bytes, tRNS only for a transparent bitmap. Throws EImageError.
std::vector<uint8_t> EncodePNG(const TBitmap& Bitmap);

// Decodes into a 1-, 4-, 8-, 24- or 32-bit bitmap, whichever holds the file's pixels; a
// single transparent colour sets the bitmap's transparent flag and colour. Never reads
// outside Data; a damaged file gets an EImageError.
TBitmap DecodePNG(const uint8_t* Data, size_t Size);

}  // namespace trochodraw
