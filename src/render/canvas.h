#pragma once

#include <vector>

#include "machine/vector2.h"
#include "render/bitmap.h"

namespace trochodraw {

enum class TPenMode { pmCopy, pmXor, pmNot };

struct TRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;  // right and bottom exclusive
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

// The toolkit's plain canvas over a bitmap: whole pixels, no antialiasing, the GDI rules
// (rectangles and ellipse boxes exclude their right and bottom edges, lines their end pixel).
class TCanvas {
 public:
  explicit TCanvas(TBitmap& Bitmap) : FBitmap(Bitmap) {}

  TColor PenColor = clBlack;
  int PenWidth = 1;
  TPenMode PenMode = TPenMode::pmCopy;
  TColor BrushColor = clWhite;

  TBitmap& Bitmap() { return FBitmap; }
  void FillRect(const TRect& R);
  void Ellipse(int X1, int Y1, int X2, int Y2);
  void MoveTo(int X, int Y) { FPos = {X, Y}; }
  void LineTo(int X, int Y);
  TPoint PenPos() const { return FPos; }
  TColor Pixel(int X, int Y) const;
  void SetPixelColor(int X, int Y, TColor C);

 private:
  void Plot(int X, int Y, TColor C);
  // The pen at (X, Y): plotted at once, or its pixels gathered into Covered when given.
  void Stamp(int X, int Y, std::vector<TPoint>* Covered);

  TBitmap& FBitmap;
  TPoint FPos;
};

void ClearCanvas(TCanvas& C, TColor Color);
// A disc of half size MarkRadius filled with Color and outlined in white.
void MarkPoint(TCanvas& C, TPoint P, TColor Color);

// Half size of the marks drawn by MarkPoint.
extern int MarkRadius;

}  // namespace trochodraw
