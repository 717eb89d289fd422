#include "colouring/mosaic.h"

#include <chrono>
#include <cmath>
#include <vector>

#include "colouring/image_undoer.h"

namespace trochodraw {

TMosaicRandom TMosaicRandom::FromClock() {
  return TMosaicRandom(static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()) ^
                       0x9E3779B97F4A7C15ull);
}

uint64_t TMosaicRandom::Next() {
  // splitmix64: small, fast and the same everywhere.
  uint64_t z = (FState += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

TColor TMosaicRandom::NextColor() {
  // 24 random bits; the two values that do not fit 16777214 choices are drawn again.
  for (;;) {
    const auto r = static_cast<TColor>(Next() >> 40);
    if (r < 16777214u) return r + 1;
  }
}

bool IsBandColor(const TColorBandPalette& Palette, TColor C) {
  for (int k = 1; k < Palette.Count(); ++k)
    if (Palette.EntryColor(k) == C) return true;
  return false;
}

void MozaicImage(TBitmap& Figure, const TColorBandPalette& Palette, const TMosaicSettings& Settings,
                 TMosaicRandom& Random, const TFillProgress& Progress) {
  const int W = Figure.Width(), H = Figure.Height();
  if (W == 0 || H == 0) {
    if (Progress) Progress(100);
    return;
  }
  Figure.SetPixelFormat(TPixelFormat::pf24bit);
  TFloodFiller filler(Settings.Threshold);
  const double cx = W / 2.0, cy = H / 2.0;
  const TColor bg = Figure.GetPixel(0, H - 1);
  const TColorTriple bgt = ColorToTriple(bg);
  const int corners[4][2] = {{0, 0}, {W - 1, 0}, {0, H - 1}, {W - 1, H - 1}};

  for (const auto& c : corners) filler.Fill(Figure, c[0], c[1], bg, kOutsideMarker);

  std::vector<TColor> bands;
  for (int k = 1; k < Palette.Count(); ++k) bands.push_back(Palette.EntryColor(k));
  TColor lastBand = bands.empty() ? 0 : bands[0];  // neighbours mostly share their region's colour
  auto isBand = [&](TColor c) {
    if (!bands.empty() && c == lastBand) return true;
    for (TColor b : bands)
      if (b == c) return (lastBand = b), true;
    return false;
  };

  // The scan reads the rows directly; they stay put because the figure is 24-bit already.
  const uint8_t* const bits = Figure.Bits();
  const size_t stride = static_cast<size_t>(Figure.BytesPerLine());
  int shown = -1;
  for (int y = 0; y < H; ++y) {
    const int percent = static_cast<int>(int64_t{y} * 100 / H);
    if (Progress && percent != shown) Progress(shown = percent);
    const uint8_t* row = bits + size_t(y) * stride;
    for (int x = 0; x < W; ++x) {
      const uint8_t* px = row + size_t(x) * 3;
      const TColorTriple p{px[0], px[1], px[2]};
      const TColor pc = RGBColor(p.Red, p.Green, p.Blue);
      if (Settings.Colors == mcGradient) {
        if (pc == kOutsideMarker || filler.Beyond(p, bgt) || isBand(pc)) continue;
        const double dx = x - cx, dy = y - cy;
        filler.Fill(Figure, x, y, bg, Palette.ColorAt(std::sqrt(dx * dx + dy * dy)));
      } else if (pc == bg) {
        filler.Fill(Figure, x, y, bg, Random.NextColor());
      }
    }
  }

  for (const auto& c : corners) filler.Fill(Figure, c[0], c[1], kOutsideMarker, Settings.BackColor);
  if (Progress) Progress(100);
}

void MozaicImage(TImageUndoer& Undoer, const TColorBandPalette& Palette, const TMosaicSettings& Settings,
                 TMosaicRandom& Random, const TFillProgress& Progress) {
  Undoer.Store();
  TImageHolder& image = *Undoer.Image();
  MozaicImage(image.Picture, Palette, Settings, Random, Progress);
  image.PictureChanged();
}

}  // namespace trochodraw
