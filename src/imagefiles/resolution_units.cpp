#include "imagefiles/resolution_units.h"

namespace trochodraw {

namespace {

// Numerator / Denominator rounded to the nearest integer, halves to even (both positive).
uint64_t RoundQuotient(uint64_t Numerator, uint64_t Denominator) {
  const uint64_t q = Numerator / Denominator, r = Numerator % Denominator;
  if (2 * r > Denominator || (2 * r == Denominator && (q & 1))) return q + 1;
  return q;
}

}  // namespace

// An inch is 0.0254 m = 127 / 5000 m, so the conversions are exact in integers.
uint16_t DotsPerInchFromPelsPerMeter(int32_t PelsPerMeter) {
  if (PelsPerMeter <= 0) return 0;
  const uint64_t dpi = RoundQuotient(uint64_t(PelsPerMeter) * 127, 5000);
  return static_cast<uint16_t>(dpi > 0xFFFF ? 0xFFFF : dpi);
}

int32_t PelsPerMeterFromDotsPerInch(uint16_t DotsPerInch) {
  return static_cast<int32_t>(RoundQuotient(uint64_t(DotsPerInch) * 5000, 127));
}

}  // namespace trochodraw
