#include "imagefiles/decode_limits.h"

#include <string>

#include "render/bitmap.h"

namespace trochodraw {

void CheckPictureSize(int64_t Width, int64_t Height) {
  if (Width <= 0 || Height <= 0) throw EImageError("Picture has no pixels");
  if (Width > kMaxPictureSide || Height > kMaxPictureSide ||
      static_cast<uint64_t>(Width) * static_cast<uint64_t>(Height) > kMaxPicturePixels)
    throw EImageError("Picture is too large (" + std::to_string(Width) + " x " + std::to_string(Height) + ")");
}

}  // namespace trochodraw
