#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/bitmap.h"

namespace trochodraw {

// An IFF picture of form type "PBM " (chunky, one byte a pixel) from an 8-bit copy of the
// bitmap, rows ByteRun1-compressed. Builds the whole file in memory.
std::vector<uint8_t> EncodeLBM(const TBitmap& Bitmap);
// The same with compression on or off.
std::vector<uint8_t> EncodeLBM(const TBitmap& Bitmap, bool Compress);

// Reads "ILBM" (bit planes, also 24- and 32-plane true colour) and "PBM " (chunky) pictures,
// uncompressed or ByteRun1, into a 24-bit bitmap. Never reads outside Data; a damaged or
// hostile file gets an EImageError with the system's message.
TBitmap DecodeLBM(const uint8_t* Data, size_t Size);

}  // namespace trochodraw
