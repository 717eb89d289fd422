#include "patterns/image_size.h"

namespace trochodraw {

std::optional<TImageSize> ImageSizeOfItem(int Index) {
  if (Index < 0 || Index >= static_cast<int>(kImageSizeItems.size())) return std::nullopt;
  return kImageSizeItems[static_cast<size_t>(Index)].Size;
}

}  // namespace trochodraw
