#pragma once

#include <cstdint>

#include "machine/vector2.h"
#include "render/bitmap.h"

class QPainter;

namespace trochodraw {

// One antialiased drawing pass over a bitmap: one pen (flat ends, opaque colour) and one
// solid brush. Colours are ARGB as the graphics service takes them.
class TGDPCanvas {
 public:
  explicit TGDPCanvas(TBitmap& Bitmap);
  ~TGDPCanvas();
  TGDPCanvas(const TGDPCanvas&) = delete;
  TGDPCanvas& operator=(const TGDPCanvas&) = delete;

  // Mode 5 is 8x8 antialiasing; modes 3 and below draw without it.
  void SetSmoothingMode(int Mode);
  void SetPenColor(uint32_t ARGB);
  void SetPenWidth(double Width);
  double PenWidth() const { return FPenWidth; }
  void SetBrushColor(uint32_t ARGB);
  void DrawLine(double X1, double Y1, double X2, double Y2);
  void DrawLine(TVector2 A, TVector2 B) { DrawLine(A.X, A.Y, B.X, B.Y); }
  void DrawEllipse(double X, double Y, double W, double H);
  void FillEllipse(double X, double Y, double W, double H);
  // A circle of whole-pixel centre and radius, filled with the brush when asked, outlined
  // with the pen.
  void DrawCircleSprite(TPoint Center, int Radius, bool Fill);
  bool Antialiased() const;

 private:
  // Hands the pen or brush to the painter only when it differs from the painter's own, so
  // a run of equal segments costs no allocation.
  void ApplyPen();
  void ApplyBrush();

  QPainter* FPainter;
  uint32_t FPenColor;
  double FPenWidth = 1.0;
  uint32_t FBrushColor;
};

void DrawCircle(TGDPCanvas& G, TPoint Center, int Radius, bool Fill, TColor PenColor, TColor BrushColor);
void DrawSpokes(TGDPCanvas& G, TColor Color, int Width, TVector2 Center, TVector2 Q0, TVector2 Q1, TVector2 Q2,
                TVector2 Q3);

}  // namespace trochodraw
