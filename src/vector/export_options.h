#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace trochodraw {

// A vector export that cannot be made as asked: the message names the problem.
class EDrawingError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A sheet of paper. A named size may be turned to landscape when the drawing fits better so;
// a size given as WxHmm is taken as it stands.
struct TPageSize {
  double WidthMM = 210.0;
  double HeightMM = 297.0;
  bool Turnable = true;
};

// "A4", "A3", "Letter" (any case) or "WxHmm" such as "300x200mm"; throws EDrawingError.
TPageSize ParsePageSize(const std::string& Text);

// How a plotter moves: speeds for the plot time and the G-code feed rates, and the G-code
// commands that lift and lower the pen (a servo's by default; Z moves work as well).
struct TPlotMotion {
  double PenSpeed = 25.0;     // mm/s with the pen down
  double TravelSpeed = 75.0;  // mm/s with the pen up
  std::string PenUp = "M3 S0";
  std::string PenDown = "M3 S1000";
};

inline constexpr double kSlowestMMPerS = 0.1;
inline constexpr double kFastestMMPerS = 10000.0;

struct TExportOptions {
  // Plotter mode: no background, the drawing fitted on a page, paths ordered for short pen-up
  // travel and joined where they touch, one layer per pen colour.
  bool Plotter = false;
  TPageSize Page;
  double MarginMM = 10.0;
  // Largest distance a simplified path may stray from the drawn one; 0 keeps every point.
  double SimplifyMM = 0.0;
  // Plotter mode: reorder paths to shorten pen-up travel (off keeps the drawing order).
  bool Reorder = true;
  // Plotter mode: the pen stops to be re-inked after drawing this far (mm); 0 never.
  double ReinkAfterMM = 0.0;
  // Only what the first this many ticks of the record drew (one period of the figure, so
  // that no line is plotted twice); 0 keeps the whole record.
  uint64_t KeepTicks = 0;
  TPlotMotion Motion;
};

// The shortest and longest re-inking distance (mm).
inline constexpr double kReinkMinMM = 1.0;
inline constexpr double kReinkMaxMM = 1e6;

// Throws EDrawingError when the options cannot make a page or a plot.
void ValidateExportOptions(const TExportOptions& Options);

}  // namespace trochodraw
