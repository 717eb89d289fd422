#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/bitmap.h"

namespace trochodraw {

// Builds the whole file in memory; throws EImageError with the system's message.
std::vector<uint8_t> EncodeLBM(const TBitmap& Bitmap);
// Never reads outside Data; a damaged or hostile file gets an EImageError.
TBitmap DecodeLBM(const uint8_t* Data, size_t Size);

}  // namespace trochodraw
