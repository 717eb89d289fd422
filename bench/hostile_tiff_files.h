#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace trochodraw {

struct THostileTIFF {
  std::string Name;
  std::vector<uint8_t> File;
};

// The worst TIFF files of about Bytes bytes we know how to make for the reader: the densest
// LZW a writer can make, claimed as one wide strip, as one pixel wide and as one-row strips
// that all read the same bytes; and files whose strips cannot hold what they claim.
std::vector<THostileTIFF> HostileTIFFs(size_t Bytes);

}  // namespace trochodraw
