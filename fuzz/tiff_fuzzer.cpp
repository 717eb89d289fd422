#include <cstddef>
#include <cstdint>

#include "imagefiles/tiff_codec.h"
#include "own_fuzz_round_trip.h"

using namespace trochodraw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TBitmap picture;
  try {
    picture = DecodeTIFF(Data, Size);
  } catch (const EImageError&) {
    return 0;
  }
  if (picture.Empty() || !fuzzing::SmallEnough(picture)) return 0;
  // Bilevel pictures keep only black and white, and 32 bits are refused by the writer.
  const TPixelFormat f = picture.PixelFormat();
  if (f == TPixelFormat::pf1bit || f == TPixelFormat::pf32bit) return 0;
  for (bool packBits : {false, true})
    fuzzing::RequireRoundTrip(
        picture, [packBits](const TBitmap& B) { return EncodeTIFF(B, packBits); }, DecodeTIFF);
  return 0;
}
