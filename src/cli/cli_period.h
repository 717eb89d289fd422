#pragma once

#include <cstdint>

#include "machine/simulation.h"

namespace trochodraw::cli {

int RunPeriod(int argc, char** argv);

// The ticks of one whole figure for `render --complete` (Near: its near closure within
// Tolerance degrees). Throws a runtime error, in words, when there is no such count.
uint64_t CompleteFigureTicks(const TTickSettings& Settings, bool Near, double Tolerance);

}  // namespace trochodraw::cli
