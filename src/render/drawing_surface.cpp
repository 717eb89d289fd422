#include "render/drawing_surface.h"

#include <QPainter>

#include "render/paint_cache.h"

namespace trochodraw {

TGDPCanvas::TGDPCanvas(TBitmap& Bitmap)
    : FPainter(&Bitmap.PaintCache().Painter()),
      FPen(QColor::fromRgba(ColorToARGB(clBlack)), 1.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin),
      FBrush(QColor::fromRgba(ColorToARGB(clWhite))) {
  SetSmoothingMode(5);
}

TGDPCanvas::~TGDPCanvas() = default;

void TGDPCanvas::SetSmoothingMode(int Mode) {
  if (FPainter->isActive()) FPainter->setRenderHint(QPainter::Antialiasing, Mode == 2 || Mode == 4 || Mode >= 5);
}

void TGDPCanvas::SetPenColor(uint32_t ARGB) { FPen.setColor(QColor::fromRgba(ARGB | 0xFF000000u)); }
void TGDPCanvas::SetPenWidth(double Width) { FPen.setWidthF(Width); }
void TGDPCanvas::SetBrushColor(uint32_t ARGB) { FBrush.setColor(QColor::fromRgba(ARGB | 0xFF000000u)); }

void TGDPCanvas::DrawLine(double X1, double Y1, double X2, double Y2) {
  if (!FPainter->isActive()) return;
  FPainter->setPen(FPen);
  FPainter->drawLine(QLineF(X1, Y1, X2, Y2));
}

void TGDPCanvas::DrawEllipse(double X, double Y, double W, double H) {
  if (!FPainter->isActive()) return;
  FPainter->setPen(FPen);
  FPainter->setBrush(Qt::NoBrush);
  FPainter->drawEllipse(QRectF(X, Y, W, H));
}

void TGDPCanvas::FillEllipse(double X, double Y, double W, double H) {
  if (!FPainter->isActive()) return;
  FPainter->setPen(Qt::NoPen);
  FPainter->setBrush(FBrush);
  FPainter->drawEllipse(QRectF(X, Y, W, H));
}

void DrawCircle(TGDPCanvas& G, TPoint Center, int Radius, bool Fill, TColor PenColor, TColor BrushColor) {
  G.SetPenColor(ColorToARGB(PenColor));
  G.SetBrushColor(ColorToARGB(BrushColor));
  const auto x = static_cast<float>(Center.X - Radius);
  const auto y = static_cast<float>(Center.Y - Radius);
  const auto d = static_cast<float>(2 * Radius);
  if (Fill) G.FillEllipse(x, y, d, d);
  G.DrawEllipse(x, y, d, d);
}

void DrawSpokes(TGDPCanvas& G, TColor Color, int Width, TVector2 Center, TVector2 Q0, TVector2 Q1, TVector2 Q2,
                TVector2 Q3) {
  G.SetSmoothingMode(5);
  G.SetPenColor(ColorToARGB(Color));
  G.SetPenWidth(Width);
  G.DrawLine(Center, Q0);
  G.DrawLine(Center, Q1);
  G.DrawLine(Center, Q2);
  G.DrawLine(Center, Q3);
}

}  // namespace trochodraw
