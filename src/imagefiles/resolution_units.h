#pragma once

#include <cstdint>

namespace trochodraw {

// The bitmap keeps its resolution in pixels per metre; PCX files hold dots per inch. Both
// directions round to the nearest integer with halves to even and clamp to what the target
// can hold (negative values become 0).
uint16_t DotsPerInchFromPelsPerMeter(int32_t PelsPerMeter);
int32_t PelsPerMeterFromDotsPerInch(uint16_t DotsPerInch);

}  // namespace trochodraw
