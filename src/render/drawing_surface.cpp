#include "render/drawing_surface.h"

#include <QPainter>
#include <cmath>
#include <compare>
#include <map>

#include "render/paint_cache.h"

namespace trochodraw {

TGDPCanvas::TGDPCanvas(TBitmap& Bitmap)
    : FPainter(&Bitmap.PaintCache().Painter()), FPenColor(ColorToARGB(clBlack)), FBrushColor(ColorToARGB(clWhite)) {
  SetSmoothingMode(5);
}

TGDPCanvas::~TGDPCanvas() = default;

void TGDPCanvas::SetSmoothingMode(int Mode) {
  const bool on = Mode == 2 || Mode == 4 || Mode >= 5;
  if (FPainter->isActive() && FPainter->testRenderHint(QPainter::Antialiasing) != on)
    FPainter->setRenderHint(QPainter::Antialiasing, on);
}

void TGDPCanvas::SetPenColor(uint32_t ARGB) { FPenColor = ARGB | 0xFF000000u; }
void TGDPCanvas::SetPenWidth(double Width) { FPenWidth = Width; }
void TGDPCanvas::SetBrushColor(uint32_t ARGB) { FBrushColor = ARGB | 0xFF000000u; }

void TGDPCanvas::ApplyPen() {
  const QPen& cur = FPainter->pen();
  if (cur.style() != Qt::SolidLine || cur.color().rgba() != FPenColor || cur.widthF() != FPenWidth ||
      cur.capStyle() != Qt::FlatCap)
    FPainter->setPen(QPen(QColor::fromRgba(FPenColor), FPenWidth, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
}

void TGDPCanvas::ApplyBrush() {
  const QBrush& cur = FPainter->brush();
  if (cur.style() != Qt::SolidPattern || cur.color().rgba() != FBrushColor)
    FPainter->setBrush(QColor::fromRgba(FBrushColor));
}

void TGDPCanvas::DrawLine(double X1, double Y1, double X2, double Y2) {
  if (!FPainter->isActive()) return;
  ApplyPen();
  FPainter->drawLine(QLineF(X1, Y1, X2, Y2));
}

void TGDPCanvas::DrawEllipse(double X, double Y, double W, double H) {
  if (!FPainter->isActive()) return;
  ApplyPen();
  FPainter->setBrush(Qt::NoBrush);
  FPainter->drawEllipse(QRectF(X, Y, W, H));
}

void TGDPCanvas::FillEllipse(double X, double Y, double W, double H) {
  if (!FPainter->isActive()) return;
  FPainter->setPen(Qt::NoPen);
  ApplyBrush();
  FPainter->drawEllipse(QRectF(X, Y, W, H));
}

bool TGDPCanvas::Antialiased() const {
  return FPainter->isActive() && FPainter->testRenderHint(QPainter::Antialiasing);
}

namespace {

struct TCircleKey {
  int Radius;
  bool Fill;
  uint32_t Pen, Brush;
  double Width;
  bool Antialias;
  auto operator<=>(const TCircleKey&) const = default;
};

// A circle at whole-pixel centre and radius always covers the same pixels relative to its
// centre, so it is drawn once onto a transparent sprite and then blended into place: the
// same coverage blend as drawing it there, at a fraction of the stroking cost.
const QImage& CircleSprite(const TCircleKey& K, int Margin) {
  static std::map<TCircleKey, QImage> cache;
  auto it = cache.find(K);
  if (it != cache.end()) return it->second;
  if (cache.size() >= 64) cache.clear();
  const int side = 2 * (K.Radius + Margin) + 1;
  QImage sprite(side, side, QImage::Format_ARGB32_Premultiplied);
  sprite.fill(Qt::transparent);
  {
    QPainter p(&sprite);
    p.setRenderHint(QPainter::Antialiasing, K.Antialias);
    p.translate(0.5 + K.Radius + Margin, 0.5 + K.Radius + Margin);
    const QRectF r(-K.Radius, -K.Radius, 2.0 * K.Radius, 2.0 * K.Radius);
    if (K.Fill) {
      p.setPen(Qt::NoPen);
      p.setBrush(QColor::fromRgba(K.Brush));
      p.drawEllipse(r);
    }
    p.setPen(QPen(QColor::fromRgba(K.Pen), K.Width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(r);
  }
  return cache.emplace(K, std::move(sprite)).first->second;
}

}  // namespace

void TGDPCanvas::DrawCircleSprite(TPoint Center, int Radius, bool Fill) {
  if (!FPainter->isActive()) return;
  const TCircleKey key{Radius, Fill, FPenColor, FBrushColor, FPenWidth, Antialiased()};
  const int margin = static_cast<int>(std::ceil(FPenWidth)) + 2;
  const QImage& sprite = CircleSprite(key, margin);
  // The painter is shifted half a pixel; the sprite's pixel grid already carries the shift.
  FPainter->drawImage(QPointF(Center.X - Radius - margin - 0.5, Center.Y - Radius - margin - 0.5), sprite);
}

void DrawCircle(TGDPCanvas& G, TPoint Center, int Radius, bool Fill, TColor PenColor, TColor BrushColor) {
  G.SetPenColor(ColorToARGB(PenColor));
  G.SetBrushColor(ColorToARGB(BrushColor));
  if (Radius >= 0 && Radius <= 256) {
    G.DrawCircleSprite(Center, Radius, Fill);
    return;
  }
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
