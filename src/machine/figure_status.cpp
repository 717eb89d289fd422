#include "machine/figure_status.h"

#include <cmath>
#include <cstdio>

namespace trochodraw {

namespace {

std::string OneDecimal(double V, const char* Unit) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.1f %s", V, Unit);
  return buf;
}

}  // namespace

std::string DurationText(uint64_t Ticks, int TimerInterval) {
  const double seconds = static_cast<double>(Ticks) * TimerInterval / 1000.0;
  if (seconds < 99.95) return TickSecondsText(Ticks, TimerInterval) + " s";
  if (seconds < 99.95 * 60) return OneDecimal(seconds / 60, "min");
  if (seconds < 48 * 3600) return OneDecimal(seconds / 3600, "h");
  return GroupedIntegerText(static_cast<uint64_t>(std::llround(seconds / 86400))) + " days";
}

bool TFigureStatus::Changed(const TTickSettings& S) const {
  const TTickSettings& o = FSettings;
  return !FKnown || S.Machine.Radius1Percent != o.Machine.Radius1Percent ||
         S.Machine.Radius2Percent != o.Machine.Radius2Percent || S.Machine.Mode != o.Machine.Mode ||
         S.Machine.Mechanism != o.Machine.Mechanism ||
         S.RPM1 != o.RPM1 || S.RPM2 != o.RPM2 || S.Scale != o.Scale || S.OffX != o.OffX || S.OffY != o.OffY ||
         S.TimerInterval != o.TimerInterval;
}

void TFigureStatus::SetSettings(const TTickSettings& S) {
  FSettings = S;
  FSettings.Accelerate = false;
  FKnown = true;
  FPeriod = FigurePeriod(FSettings);
  TTickSettings fast = FSettings;
  fast.Accelerate = true;
  FAccelerated = FigurePeriod(fast);
  FNear = {};
  if (FPeriod.Moves && (!FPeriod.Exact || FPeriod.Ticks >= kLongPeriod))
    FNear = NearClosure(FSettings, 0.5, UINT64_MAX, kStatusSearchSteps);
  FDrawn = 0;
}

void TFigureStatus::TicksRun(uint64_t Ticks, bool Accelerated) { FDrawn += Ticks * (Accelerated ? 10 : 1); }

std::string TFigureStatus::Text() const {
  if (!FKnown) return "";
  if (!FPeriod.Moves) return "Nothing moves: both wheel speeds are 0";
  const int interval = FSettings.TimerInterval;
  std::string s;
  if (FPeriod.Exact) {
    s = "Closes after " + GroupedIntegerText(FPeriod.Ticks) + " ticks (" + DurationText(FPeriod.Ticks, interval);
    if (FAccelerated.Exact) s += "; " + DurationText(FAccelerated.Ticks, interval) + " accelerated";
    s += ")";
  } else {
    s = "Closes after more than 10^18 ticks";
  }
  if (FNear.Found && (!FPeriod.Exact || FNear.Ticks < FPeriod.Ticks))
    s += "; looks closed after " + GroupedIntegerText(FNear.Ticks) + " ticks (" + DurationText(FNear.Ticks, interval) +
         ")";
  if (FDrawn > 0 && FPeriod.Exact) {
    if (FDrawn >= FPeriod.Ticks) {
      s += " \u2014 complete";
    } else {
      // Whole percents, rounded down, so 100% means closed.
      s += " \u2014 " + IntegerText(TInt128(FDrawn) * 100 / FPeriod.Ticks) + "% drawn";
    }
  }
  return s;
}

}  // namespace trochodraw
