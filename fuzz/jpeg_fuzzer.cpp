// Feeds arbitrary bytes to the JPEG reader: it must return a picture or throw EImageError.
#include <cstddef>
#include <cstdint>

#include "fuzz_picture_check.h"
#include "imagefiles/jpeg_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  return trochodraw::fuzz::CheckReader(trochodraw::DecodeJPEG, Data, Size);
}
