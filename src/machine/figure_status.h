#pragma once

#include <cstdint>
#include <string>

#include "machine/figure_period.h"

namespace trochodraw {

// What the main window's status bar says about the figure: when it closes, and how much of
// it has been drawn since the figure was cleared or the machine changed. Counts in ticks of
// the normal pace; an accelerated tick counts ten.
class TFigureStatus {
 public:
  // True when S draws another figure than the one counted (Accelerate and antialiasing do not).
  bool Changed(const TTickSettings& S) const;
  // Works the period out for S and starts counting again.
  void SetSettings(const TTickSettings& S);
  void Restart() { FDrawn = 0; }
  void TicksRun(uint64_t Ticks, bool Accelerated);

  const TFigurePeriod& Period() const { return FPeriod; }
  const TNearClosure& Near() const { return FNear; }
  std::string Text() const;

  // The exact period this long (normal ticks) or longer gets its near closure beside it.
  static constexpr uint64_t kLongPeriod = 6000;
  // Bounds the near closure search, which runs on every change of a setting.
  static constexpr uint64_t kStatusSearchSteps = 200'000;

 private:
  TTickSettings FSettings;
  bool FKnown = false;
  TFigurePeriod FPeriod, FAccelerated;
  TNearClosure FNear;
  uint64_t FDrawn = 0;
};

// A duration for people: "34.5 s", "12.5 min", "26.0 h", "1,083 days".
std::string DurationText(uint64_t Ticks, int TimerInterval);

}  // namespace trochodraw
