#pragma once

#include <cstdint>
#include <functional>

#include "machine/vector2.h"
#include "render/color.h"

namespace trochodraw {

enum TLineColorMode : int { lcSingle = 0, lcStep = 1, lcPhase1 = 2, lcPhase2 = 3, lcDistance = 4 };

// The settings of the Lines tab, read at every segment.
struct TLineColorSettings {
  TLineColorMode Mode = lcSingle;
  TColor SingleColor = clBlack;
  TColor StartColor = clFuchsia;
  TColor EndColor = clRed;
  int32_t StepSpin = 10000;  // strokes per half cycle; its sign is the direction
  int32_t PixelRange = 100;
  int32_t PixelOffset = 0;
  int32_t PenWidth = 1;
};

// What a segment needs besides its end point.
struct TLineColorContext {
  int FigureWidth = 640;
  int FigureHeight = 480;
  double OffX = 0.0;
  double OffY = 0.0;
  double Phase1 = 0.0;
  double Phase2 = 0.0;
};

struct TLineStyle {
  TColor Color = clBlack;
  int Width = 1;
};

// The per-segment colour and width, with the gradient position and stroke counter it keeps.
class TLineColoring {
 public:
  TLineStyle GetLineColor(TVector2 Pos, const TLineColorContext& Ctx);
  void Reset();

  // The gauge value: the position in thousandths, clamped to 0..1000.
  int Progress() const;
  double GradientPosition() const { return FGradientPosition; }
  int32_t StepCount() const { return FStepCount; }

  TLineColorSettings Settings;
  // Told when the step gradient flips the sign of StepSpin, so a bound control can follow.
  std::function<void(int32_t)> OnStepSpinChanged;

 private:
  double FGradientPosition = 0.0;
  int32_t FStepCount = 0;
};

}  // namespace trochodraw
