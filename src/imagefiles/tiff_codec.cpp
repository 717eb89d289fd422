#include "imagefiles/tiff_codec.h"

namespace trochodraw {

std::vector<uint8_t> EncodeTIFF(const TBitmap&) { throw EImageError("TIFF files are not supported yet"); }

TBitmap DecodeTIFF(const uint8_t*, size_t) { throw EImageError("TIFF files are not supported yet"); }

}  // namespace trochodraw
