#include "render/line_coloring.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "colouring/colour_arithmetic.h"

namespace trochodraw {

TLineStyle TLineColoring::GetLineColor(TVector2 Pos, const TLineColorContext& Ctx) {
  const TVector2 centre{Ctx.FigureWidth / 2 + Ctx.OffX, Ctx.FigureHeight / 2 + Ctx.OffY};
  TLineStyle out;
  out.Width = Settings.PenWidth;
  const TColor s = Settings.StartColor, e = Settings.EndColor;
  switch (Settings.Mode) {
    case lcSingle: out.Color = Settings.SingleColor; break;
    case lcStep:
      // A zero step count has no direction: the colour stays where it is.
      if (Settings.StepSpin != 0) {
        FGradientPosition += 1.0 / static_cast<double>(Settings.StepSpin);
        if (FGradientPosition > 1.0 || FGradientPosition < 0.0) {
          Settings.StepSpin = Settings.StepSpin == INT32_MIN ? INT32_MAX : -Settings.StepSpin;
          if (OnStepSpinChanged) OnStepSpinChanged(Settings.StepSpin);
        }
      }
      out.Color = GradientColor(s, e, FGradientPosition);
      break;
    case lcPhase1:
      FGradientPosition = (Ctx.Phase1 + 180.0) / 360.0;
      out.Color = GradientColor(s, e, FGradientPosition);
      break;
    case lcPhase2:
      FGradientPosition = (Ctx.Phase2 + 180.0) / 360.0;
      out.Color = GradientColor(s, e, FGradientPosition);
      break;
    case lcDistance: {
      const double d = VecLength(VecSub(Pos, centre)) - Settings.PixelOffset;
      double R = Settings.PixelRange;
      if (R == 0.0) R = 1.0;
      FGradientPosition = FloatMod(d, R) / R;
      out.Color = GradientColor(s, e, FGradientPosition);
      break;
    }
  }
  FStepCount = static_cast<int32_t>(static_cast<uint32_t>(FStepCount) + 1u);
  return out;
}

void TLineColoring::Reset() {
  FGradientPosition = 0.0;
  FStepCount = 0;
  const int32_t a = Settings.StepSpin == INT32_MIN ? INT32_MAX : std::abs(Settings.StepSpin);
  if (a != Settings.StepSpin) {
    Settings.StepSpin = a;
    if (OnStepSpinChanged) OnStepSpinChanged(a);
  }
}

int TLineColoring::Progress() const {
  const double p = std::nearbyint(FGradientPosition * 1000.0);
  return static_cast<int>(std::clamp(p, 0.0, 1000.0));
}

}  // namespace trochodraw
