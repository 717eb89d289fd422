#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "render/bitmap.h"

namespace trochodraw {

// The standard Windows bitmap file: "BM" header, info header, colour table for the palette
// formats, rows bottom-up. A device-dependent bitmap is written at the display's 32 bits.
std::vector<uint8_t> EncodeBMP(const TBitmap& Bitmap);
// Reads bottom-up and top-down files, BI_RGB, BI_BITFIELDS (16/32 bits), RLE4 and RLE8.
TBitmap DecodeBMP(const uint8_t* Data, size_t Size);

}  // namespace trochodraw
