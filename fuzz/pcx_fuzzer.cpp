#include <cstddef>
#include <cstdint>

#include "imagefiles/pcx_codec.h"
#include "own_fuzz_round_trip.h"

using namespace trochodraw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TBitmap picture;
  try {
    picture = DecodePCX(Data, Size);
  } catch (const EImageError&) {
    return 0;
  }
  if (picture.Empty() || !fuzzing::SmallEnough(picture)) return 0;
  fuzzing::RequireRoundTrip(picture, [](const TBitmap& B) { return EncodePCX(B); }, DecodePCX);
  return 0;
}
