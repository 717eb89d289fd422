#pragma once

#include <cstdint>
#include <string>

#include "machine/simulation.h"

namespace trochodraw {

__extension__ typedef __int128 TInt128;

// Periods beyond this are reported as "more than 1e18 ticks" rather than exactly.
inline constexpr uint64_t kPeriodLimit = 1'000'000'000'000'000'000ULL;

// After how many ticks the machine is back where it started. Worked out exactly from the
// decimal values the machine runs with, so a figure can be drawn exactly once.
struct TFigurePeriod {
  bool Moves = false;          // false: both wheel speeds are 0, nothing turns
  bool Exact = false;          // Ticks holds the period; false: more than kPeriodLimit ticks
  uint64_t Ticks = 0;
  bool PlanetsMatter = false;  // the planetary modes
  // Whole turns in one period (negative for reverse), valid when Exact.
  TInt128 WheelTurns[2] = {0, 0};
  TInt128 PlanetTurns[2] = {0, 0};
};

// The first time every angle that matters has gone round at least once and is back within
// Tolerance degrees of its start: the figure looks closed.
struct TNearClosure {
  bool Found = false;  // false: not within the search limit
  uint64_t Ticks = 0;
  double Tolerance = 0.5;
};

TFigurePeriod FigurePeriod(const TTickSettings& Settings);
// Searches up to the exact period (always a closure), at most SearchLimit ticks and at most
// MaxSteps jumps of the search, which bound its time (a few nanoseconds each).
inline constexpr uint64_t kNearSearchSteps = 20'000'000;
TNearClosure NearClosure(const TTickSettings& Settings, double Tolerance, uint64_t SearchLimit,
                         uint64_t MaxSteps = kNearSearchSteps);

// The decimal digits of a whole number, with a minus sign when negative.
std::string IntegerText(TInt128 Value);
// 3450 -> "3,450": for the status line, independent of the locale's separators.
std::string GroupedIntegerText(uint64_t Value);
// Seconds of Ticks timer intervals with one decimal, rounded half up: 345 ticks -> "3.5".
std::string TickSecondsText(uint64_t Ticks, int TimerInterval);

}  // namespace trochodraw
