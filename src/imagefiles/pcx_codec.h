#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/bitmap.h"

namespace trochodraw {

// Version 5, run-length encoded, a 24-bit copy of the bitmap as three 8-bit planes (red,
// green, blue), each plane of each row encoded by itself; no 256-colour palette. Builds the
// whole file in memory.
std::vector<uint8_t> EncodePCX(const TBitmap& Bitmap);

// Reads 1 to 4 planes of 1 bit and one plane of 2 or 4 bits (header palette), one plane of 8
// bits (the 256-colour palette, or grey without it) and three planes of 8 bits into a 24-bit
// bitmap with the file's resolution.
// Never reads outside Data; a damaged or hostile file gets an EImageError.
TBitmap DecodePCX(const uint8_t* Data, size_t Size);

}  // namespace trochodraw
