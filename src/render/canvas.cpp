#include "render/canvas.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace trochodraw {

int MarkRadius = 5;

namespace {

bool IsTrueColour32(const TBitmap& B) { return B.BitsPerPixel() == 32; }

}  // namespace

TColor TCanvas::Pixel(int X, int Y) const {
  if (X < 0 || Y < 0 || X >= FBitmap.Width() || Y >= FBitmap.Height()) return clBlack;
  return FBitmap.GetPixel(X, Y);
}

void TCanvas::SetPixelColor(int X, int Y, TColor C) {
  if (X < 0 || Y < 0 || X >= FBitmap.Width() || Y >= FBitmap.Height()) return;
  FBitmap.SetPixel(X, Y, C);
}

void TCanvas::Plot(int X, int Y, TColor C) {
  if (X < 0 || Y < 0 || X >= FBitmap.Width() || Y >= FBitmap.Height()) return;
  switch (PenMode) {
    case TPenMode::pmCopy: FBitmap.SetPixel(X, Y, C); break;
    case TPenMode::pmXor: FBitmap.SetPixel(X, Y, (FBitmap.GetPixel(X, Y) ^ C) & 0xFFFFFF); break;
    case TPenMode::pmNot: FBitmap.SetPixel(X, Y, ~FBitmap.GetPixel(X, Y) & 0xFFFFFF); break;
  }
}

void TCanvas::FillRect(const TRect& R) {
  const int l = std::max(R.Left, 0), t = std::max(R.Top, 0);
  const int r = std::min(R.Right, FBitmap.Width()), b = std::min(R.Bottom, FBitmap.Height());
  if (r <= l || b <= t) return;
  const TColor c = BrushColor & 0xFFFFFF;
  if (IsTrueColour32(FBitmap) || FBitmap.PixelFormat() == TPixelFormat::pf24bit) {
    const int bpp = FBitmap.BitsPerPixel() / 8;
    const uint8_t px[4] = {BlueOf(c), GreenOf(c), RedOf(c), 0};
    std::vector<uint8_t> row(size_t(r - l) * bpp);
    for (int x = 0; x < r - l; ++x) std::memcpy(&row[size_t(x) * bpp], px, bpp);
    for (int y = t; y < b; ++y) std::memcpy(FBitmap.ScanLine(y) + size_t(l) * bpp, row.data(), row.size());
    return;
  }
  for (int y = t; y < b; ++y)
    for (int x = l; x < r; ++x) FBitmap.SetPixel(x, y, c);
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
  if (X2 < X1) std::swap(X1, X2);
  if (Y2 < Y1) std::swap(Y1, Y2);
  const int w = X2 - X1, h = Y2 - Y1;
  if (w <= 0 || h <= 0) return;
  // Pixel centres inside the ellipse inscribed in [X1, X2) x [Y1, Y2).
  const double cx = (X1 + X2) / 2.0, cy = (Y1 + Y2) / 2.0, a = w / 2.0, b = h / 2.0;
  auto inside = [&](int x, int y) {
    if (x < X1 || x >= X2 || y < Y1 || y >= Y2) return false;
    const double dx = (x + 0.5 - cx) / a, dy = (y + 0.5 - cy) / b;
    return dx * dx + dy * dy <= 1.0 + 1e-9;
  };
  const int pw = std::max(PenWidth, 1);
  for (int y = Y1; y < Y2; ++y)
    for (int x = X1; x < X2; ++x) {
      if (!inside(x, y)) continue;
      bool edge = false;
      for (int k = 1; k <= pw && !edge; ++k)
        edge = !inside(x - k, y) || !inside(x + k, y) || !inside(x, y - k) || !inside(x, y + k);
      Plot(x, y, edge ? PenColor & 0xFFFFFF : BrushColor & 0xFFFFFF);
    }
}

void TCanvas::Stamp(int X, int Y, std::vector<TPoint>* Covered) {
  auto put = [&](int PX, int PY) {
    if (Covered)
      Covered->push_back({PX, PY});
    else
      Plot(PX, PY, PenColor & 0xFFFFFF);
  };
  if (PenWidth <= 1) {
    put(X, Y);
    return;
  }
  // A round pen of PenWidth pixels across, as a wide GDI pen draws.
  const int lo = -(PenWidth / 2), hi = lo + PenWidth;
  const double r = PenWidth / 2.0, c = (lo + hi - 1) / 2.0;
  for (int dy = lo; dy < hi; ++dy)
    for (int dx = lo; dx < hi; ++dx) {
      const double ex = dx - c, ey = dy - c;
      if (ex * ex + ey * ey <= r * r) put(X + dx, Y + dy);
    }
}

void TCanvas::LineTo(int X, int Y) {
  // The stamps of a wide pen overlap; XOR and NOT must change each pixel the line covers
  // once, so they gather the covered pixels first. Copy mode may paint a pixel again.
  std::vector<TPoint> covered;
  std::vector<TPoint>* gather = PenWidth > 1 && PenMode != TPenMode::pmCopy ? &covered : nullptr;
  // Bresenham from the current position, the end pixel itself left out.
  int x = FPos.X, y = FPos.Y;
  const int dx = std::abs(X - x), dy = -std::abs(Y - y);
  const int sx = x < X ? 1 : -1, sy = y < Y ? 1 : -1;
  int err = dx + dy;
  while (!(x == X && y == Y)) {
    Stamp(x, y, gather);
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
  if (gather) {
    auto before = [](const TPoint& A, const TPoint& B) { return A.Y != B.Y ? A.Y < B.Y : A.X < B.X; };
    std::sort(covered.begin(), covered.end(), before);
    covered.erase(std::unique(covered.begin(), covered.end()), covered.end());
    for (const TPoint& p : covered) Plot(p.X, p.Y, PenColor & 0xFFFFFF);
  }
  FPos = {X, Y};
}

void ClearCanvas(TCanvas& C, TColor Color) {
  C.BrushColor = Color;
  C.FillRect({0, 0, C.Bitmap().Width(), C.Bitmap().Height()});
}

void MarkPoint(TCanvas& C, TPoint P, TColor Color) {
  const int r = MarkRadius;
  C.BrushColor = Color;
  C.PenColor = clWhite;
  C.PenMode = TPenMode::pmCopy;
  C.Ellipse(P.X - r, P.Y - r, P.X + r, P.Y + r);
}

}  // namespace trochodraw
