#include "imagefiles/pcx_codec.h"

namespace trochodraw {

std::vector<uint8_t> EncodePCX(const TBitmap&) { throw EImageError("PCX files are not supported yet"); }

TBitmap DecodePCX(const uint8_t*, size_t) { throw EImageError("PCX files are not supported yet"); }

}  // namespace trochodraw
