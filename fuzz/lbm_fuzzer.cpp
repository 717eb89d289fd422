#include <cstddef>
#include <cstdint>

#include "imagefiles/lbm_codec.h"
#include "own_fuzz_round_trip.h"

using namespace trochodraw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TBitmap picture;
  try {
    picture = DecodeLBM(Data, Size);
  } catch (const EImageError&) {
    return 0;
  }
  if (picture.Empty() || !fuzzing::SmallEnough(picture)) return 0;
  // The writer reduces to 256 colours, so only its own 8-bit copy comes back exactly.
  TBitmap reduced = picture;
  reduced.SetPixelFormat(TPixelFormat::pf8bit);
  for (bool compress : {false, true})
    fuzzing::RequireRoundTrip(
        reduced, [compress](const TBitmap& B) { return EncodeLBM(B, compress); }, DecodeLBM);
  return 0;
}
