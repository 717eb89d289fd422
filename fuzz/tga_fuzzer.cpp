#include <cstddef>
#include <cstdint>

#include "imagefiles/tga_codec.h"
#include "own_fuzz_round_trip.h"

using namespace trochodraw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TBitmap picture;
  try {
    picture = DecodeTGA(Data, Size);
  } catch (const EImageError&) {
    return 0;
  }
  if (picture.Empty() || !fuzzing::SmallEnough(picture)) return 0;
  // The writer takes 24 and 32 bits; 15-bit pictures go through a 24-bit copy.
  if (picture.PixelFormat() == TPixelFormat::pf15bit) picture.SetPixelFormat(TPixelFormat::pf24bit);
  fuzzing::RequireRoundTrip(picture, [](const TBitmap& B) { return EncodeTGA(B); }, DecodeTGA);
  return 0;
}
