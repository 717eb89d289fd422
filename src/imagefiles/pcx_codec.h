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

// Reads 1 plane of 1, 2 or 8 bits (8 bits with the 256-colour palette or as grey), 3 planes
// of 1 or 8 bits and 4 planes of 1 bit into a 24-bit bitmap with the file's resolution.
// Never reads outside Data; a damaged or hostile file gets an EImageError.
TBitmap DecodePCX(const uint8_t* Data, size_t Size);

}  // namespace trochodraw
