#include "imagefiles/tga_codec.h"

namespace trochodraw {

std::vector<uint8_t> EncodeTGA(const TBitmap&) { throw EImageError("TGA files are not supported yet"); }

TBitmap DecodeTGA(const uint8_t*, size_t) { throw EImageError("TGA files are not supported yet"); }

}  // namespace trochodraw
