#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/bitmap.h"

namespace trochodraw {

// A picture class of the format registry: how a file of its extensions is written from the
// figure and read back. Each is a bitmap that adds nothing but a file reader and writer.
struct TPictureClass {
  const char* Name;
  // Encodes the whole file from the figure; the figure itself is never changed.
  std::vector<uint8_t> (*SaveToData)(const TBitmap& Figure);
  // Decodes a whole file into a new bitmap; throws EImageError.
  TBitmap (*LoadFromData)(const uint8_t* Data, size_t Size);
};

// The toolkit's own classes: metafiles and icons are written as BMP data, as the bitmap is.
extern const TPictureClass MetafileClass;
extern const TPictureClass IconClass;
extern const TPictureClass BitmapClass;
// The image-format module's seven classes.
extern const TPictureClass LBMBitmapClass;
extern const TPictureClass PCXBitmapClass;
extern const TPictureClass TGABitmapClass;
extern const TPictureClass TIFFBitmapClass;
extern const TPictureClass JPGBitmapClass;
extern const TPictureClass PNGBitmapClass;
extern const TPictureClass GIFBitmapClass;

}  // namespace trochodraw
