#include "render/mechanism_view.h"

#include <cstring>

#include "render/canvas.h"
#include "render/drawing_surface.h"

namespace trochodraw {

namespace {

void DrawPantograph(TGDPCanvas& G, const TPantographLinkage& L) {
  G.SetPenColor(ColorToARGB(clTeal));
  G.SetPenWidth(4);
  G.DrawLine(L.Anchor1, L.End1);
  G.DrawLine(L.Anchor2, L.End2);
  G.DrawLine(L.End1, L.Pen);
  G.DrawLine(L.End2, L.Pen);
}

void DrawTBar(TGDPCanvas& G, const TTBarLinkage& L) {
  G.SetPenColor(ColorToARGB(clTeal));
  G.SetPenWidth(4);
  G.DrawLine(L.Anchor, L.BarEnd);
  G.DrawLine(L.Middle, L.Pen);
}

int RoundRadius(double R) { return RoundHalfEven(R); }

// The white pane with the two maximum circles depends only on the pane and the wheel places,
// so it is drawn once and copied at every redraw; the copy has the very same pixels.
struct TBackgroundCache {
  TBitmap Image;
  TPixelFormat Format = TPixelFormat::pfDevice;
  TPoint Centre1, Centre2;
  int Radius1 = -1, Radius2 = -1;
};

const TBitmap& Background(const TBitmap& Pane, const TMachine& M) {
  static TBackgroundCache cache;
  const TPoint c1 = VecRound(M.Wheel1.Center), c2 = VecRound(M.Wheel2.Center);
  const int r1 = RoundRadius(M.Wheel1.MaxRadius), r2 = RoundRadius(M.Wheel2.MaxRadius);
  if (cache.Image.Width() != Pane.Width() || cache.Image.Height() != Pane.Height() ||
      cache.Format != Pane.PixelFormat() || !(cache.Centre1 == c1) || !(cache.Centre2 == c2) ||
      cache.Radius1 != r1 || cache.Radius2 != r2) {
    cache.Image = TBitmap(Pane.Width(), Pane.Height(), Pane.PixelFormat());
    TCanvas C(cache.Image);
    ClearCanvas(C, clWhite);
    TGDPCanvas G(cache.Image);
    G.SetSmoothingMode(5);
    G.SetPenWidth(4);
    DrawCircle(G, c1, r1, true, clBlack, clGray);
    DrawCircle(G, c2, r2, true, clBlack, clGray);
    cache.Format = Pane.PixelFormat();
    cache.Centre1 = c1;
    cache.Centre2 = c2;
    cache.Radius1 = r1;
    cache.Radius2 = r2;
  }
  return cache.Image;
}

}  // namespace

void DrawMechanism(TBitmap& Image1, const TMachine& M, TPlanetMode Mode, TArmMode Mechanism) {
  MarkRadius = 3;
  TCanvas C(Image1);
  if (Image1.Empty()) return;
  // Clearing to white and drawing the two maximum circles (outline width 4, grey fill).
  const TBitmap& background = Background(Image1, M);
  std::memcpy(Image1.Bits(), background.Bits(), Image1.ByteCount());
  TGDPCanvas G(Image1);
  G.SetSmoothingMode(5);
  G.SetPenWidth(4);
  const auto& r1 = M.Wheel1.RimPoints;
  const auto& r2 = M.Wheel2.RimPoints;
  DrawSpokes(G, clBlack, 2, M.Wheel1.Center, r1[0], r1[1], r1[2], r1[3]);
  DrawSpokes(G, clBlack, 2, M.Wheel2.Center, r2[0], r2[1], r2[2], r2[3]);
  DrawCircle(G, VecRound(M.Wheel1.Center), RoundRadius(M.Wheel1.Radius), false, clRed, clWhite);
  DrawCircle(G, VecRound(M.Wheel2.Center), RoundRadius(M.Wheel2.Radius), false, clBlue, clWhite);
  if (Mode != pmTwoWheel) {
    G.SetPenWidth(2);
    DrawCircle(G, VecRound(M.Planet1.Center), RoundRadius(M.Planet1.Radius), true, clBlack, clSilver);
    DrawCircle(G, VecRound(M.Planet2.Center), RoundRadius(M.Planet2.Radius), true, clBlack, clSilver);
    const auto& p1 = M.Planet1.RimPoints;
    const auto& p2 = M.Planet2.RimPoints;
    DrawSpokes(G, clGray, 1, M.Planet1.Center, p1[0], p1[1], p1[2], p1[3]);
    DrawSpokes(G, clGray, 1, M.Planet2.Center, p2[0], p2[1], p2[2], p2[3]);
    MarkPoint(C, VecRound(p1[0]), clLime);
    MarkPoint(C, VecRound(p2[0]), clLime);
  }
  if (Mechanism == amPantograph)
    DrawPantograph(G, M.PantographLinkage);
  else
    DrawTBar(G, M.TBarLinkage);
  MarkPoint(C, VecRound(r1[0]), clGreen);
  MarkPoint(C, VecRound(r2[0]), clGreen);
}

void ClearFigureImage(TBitmap& Image2, TColor BackColor, bool MarkCenter, int CanvasPenWidth) {
  TCanvas C(Image2);
  ClearCanvas(C, BackColor);
  if (!MarkCenter) return;
  C.PenColor = clWhite;
  C.PenMode = TPenMode::pmXor;
  C.PenWidth = CanvasPenWidth;
  const int cx = Image2.Width() / 2, cy = Image2.Height() / 2;
  C.MoveTo(cx - 5, cy);
  C.LineTo(cx + 6, cy);
  C.MoveTo(cx, cy - 5);
  C.LineTo(cx, cy + 6);
}

}  // namespace trochodraw
