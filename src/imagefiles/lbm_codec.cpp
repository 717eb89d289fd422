#include "imagefiles/lbm_codec.h"

namespace trochodraw {

std::vector<uint8_t> EncodeLBM(const TBitmap&) { throw EImageError("LBM files are not supported yet"); }

TBitmap DecodeLBM(const uint8_t*, size_t) { throw EImageError("LBM files are not supported yet"); }

}  // namespace trochodraw
