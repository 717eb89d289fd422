#pragma once

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
};

// Throws EDrawingError when the options cannot make a page.
void ValidateExportOptions(const TExportOptions& Options);

}  // namespace trochodraw
