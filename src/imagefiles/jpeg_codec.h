#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/bitmap.h"

namespace trochodraw {

// A JFIF file from a 24-bit copy of the bitmap: colour, quality 100 with baseline tables,
// floating-point DCT, sequential; otherwise the library's defaults, so one picture always
// gives the same bytes. Throws EImageError.
std::vector<uint8_t> EncodeJPEG(const TBitmap& Bitmap);

// Decodes the whole picture into a 24-bit bitmap of the file's size (greyscale and CMYK
// files included). Damaged data decodes as far as the library can take it, and a file that
// ends early keeps the rows decoded so far (the rest stays white); a file the library cannot
// read at all gets an EImageError.
TBitmap DecodeJPEG(const uint8_t* Data, size_t Size);

}  // namespace trochodraw
