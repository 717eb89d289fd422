#pragma once

#include <cstdint>

namespace trochodraw {

// The largest picture a reader accepts: 16384 x 16384 pixels, and no side beyond 1048576.
// A bigger picture could not be held or shown anyway; checking the header first keeps a
// damaged or hostile file from asking for gigabytes before a single pixel is decoded.
inline constexpr int64_t kMaxPictureSide = int64_t{1} << 20;
#ifdef TROCHODRAW_FUZZ_PICTURE_LIMIT
// Fuzzing builds take pictures of up to 4 megapixels, so the fuzzer spends its time on the
// readers' logic rather than on decoding vast pictures from a few bytes (libjpeg-turbo's own
// fuzzers do the same).
inline constexpr uint64_t kMaxPicturePixels = uint64_t{1} << 22;
#else
inline constexpr uint64_t kMaxPicturePixels = uint64_t{1} << 28;
#endif

// Throws EImageError("Picture is too large (W x H)") for a size outside those limits and
// "Picture has no pixels" for a zero or negative side.
void CheckPictureSize(int64_t Width, int64_t Height);

}  // namespace trochodraw
