#include "colouring/colour_band_palette.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <stdexcept>

#include "colouring/colour_arithmetic.h"

namespace trochodraw {

namespace {

constexpr TColor Hex(uint32_t RRGGBB) { return RGBColor(uint8_t(RRGGBB >> 16), uint8_t(RRGGBB >> 8), uint8_t(RRGGBB)); }

int32_t ClampToInt32(int64_t V) {
  return static_cast<int32_t>(
      std::clamp<int64_t>(V, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

}  // namespace

std::vector<TColor> BuiltInPalette(TColorCount Count) {
  std::vector<uint32_t> rgb;
  switch (Count) {
    case dc12:
      rgb = {0x000000, 0x800000, 0xFF0000, 0xFFFF00, 0x808000, 0x00FF00, 0x008000,
             0x008080, 0x00FFFF, 0x0000FF, 0x000080, 0x800080, 0xFF00FF};
      break;
    case dc20:
      rgb = {0x000000, 0xFFFFFF, 0xBFBFBF, 0xA0A0A0, 0xBF80BF, 0xD000D0, 0xD000A0, 0xFF0000, 0xFF7F00, 0xFFBF00,
             0xFFFF00, 0xBFFF00, 0x7FFF00, 0x00FF3F, 0x00FFBF, 0x00FFFF, 0x00BFFF, 0x007FFF, 0x0000D0, 0x000080};
      break;
    case dc24:
      rgb = {0x000000, 0xFF0000, 0xFF3F00, 0xFF7F00, 0xFFBF00, 0xFFFF00, 0xBFFF00, 0x7FFF00,
             0x3FFF00, 0x00FF00, 0x00FF3F, 0x00FF7F, 0x00FFBF, 0x00FFFF, 0x00BFFF, 0x007FFF,
             0x003FFF, 0x0000FF, 0x3F00FF, 0x7F00FF, 0xBF00FF, 0xFF00FF, 0xFF00BF, 0xFF007F};
      break;
    case dc30:
      rgb = {0x000000, 0xFFFFFF, 0xD0D0D0, 0xBFBFBF, 0xA0A0A0, 0x808080, 0xD040D0, 0xFF00FF, 0xD000D0, 0x800080,
             0xD00040, 0xFF0000, 0xFF3F00, 0xFF7F00, 0xFFBF00, 0xFFFF00, 0xBFFF00, 0x7FFF00, 0x3FFF00, 0x00FF00,
             0x00FF3F, 0x00FF7F, 0x00FFBF, 0x00FFFF, 0x00BFFF, 0x007FFF, 0x003FFF, 0x0000FF, 0x0000D0, 0x000080};
      break;
    case dc32:
      rgb.push_back(0x000000);
      for (uint32_t g = 0xF0;; g -= 0x10) {
        rgb.push_back(0xFF0000 | (g << 8));
        if (g == 0) break;
      }
      for (uint32_t r = 0xF0;; r -= 0x10) {
        rgb.push_back(r << 16);
        if (r == 0) break;
      }
      break;
  }
  std::vector<TColor> out;
  out.reserve(rgb.size());
  for (uint32_t c : rgb) out.push_back(Hex(c));
  return out;
}

TColorBandPalette::TColorBandPalette() {
  SetRange(100000, 0);
  FColorCount = dc12;
  LoadPalette();
  ResetSpacing();
}

void TColorBandPalette::Repaint() const {
  if (OnRepaint) OnRepaint();
}

void TColorBandPalette::SetColorCount(TColorCount Value) {
  if (Value == FColorCount) return;
  FColorCount = Value;
  LoadPalette();
  ResetSpacing();
}

void TColorBandPalette::SetEntryColor(int Index, TColor Color) {
  if (Index < 0 || Index >= FCount) throw std::out_of_range("Band index out of range");
  FEntries[static_cast<size_t>(Index)].Color = Color;
  Repaint();
}

bool TColorBandPalette::SetSelected(int Value) {
  if (Value == FSelected || Value < 0 || Value >= FCount) return false;
  FSelected = Value;
  Repaint();
  if (OnChangeSelect) OnChangeSelect();
  return true;
}

void TColorBandPalette::SetRange(double Top, double Bottom) {
  FTopValue = Top;
  FBottomValue = Bottom;
  FSpan = Top - Bottom;
  RecomputeDepths();
}

double TColorBandPalette::DepthAt(int64_t Position) const {
  return FTopValue - (static_cast<double>(Position) / kFullScale) * FSpan;
}

void TColorBandPalette::RecomputeDepths() {
  for (TColorBand& e : FEntries) e.Depth = DepthAt(e.Bottom);
}

void TColorBandPalette::LoadPalette() {
  const std::vector<TColor> colours = BuiltInPalette(FColorCount);
  FCount = static_cast<int>(colours.size());
  for (size_t i = 0; i < colours.size(); ++i) FEntries[i].Color = colours[i];
  // A selection beyond the new palette would edit an entry no band shows.
  if (FSelected >= FCount) {
    FSelected = FCount - 1;
    if (OnChangeSelect) OnChangeSelect();
  }
  Repaint();
}

void TColorBandPalette::ResetSpacing() {
  FEntries[0].Bottom = 0;
  for (int i = 1; i < FCount; ++i)
    FEntries[static_cast<size_t>(i)].Bottom = static_cast<int32_t>(int64_t{i} * kFullScale / (FCount - 1));
  RecomputeDepths();
  Repaint();
}

void TColorBandPalette::SpreadBoundaries(int First, int Last) {
  First = std::max(First, 0);
  Last = std::min(Last, FCount - 1);
  if (Last - First > 1) {
    const int64_t b0 = FEntries[static_cast<size_t>(First)].Bottom;
    const int64_t b1 = FEntries[static_cast<size_t>(Last)].Bottom;
    for (int i = First + 1; i < Last; ++i)
      FEntries[static_cast<size_t>(i)].Bottom = ClampToInt32(int64_t{i - First} * (b1 - b0) / (Last - First) + b0);
  }
  RecomputeDepths();
  Repaint();
}

int TColorBandPalette::BandAt(double Depth) const {
  for (int k = 1; k < FCount; ++k) {
    const double a = FEntries[static_cast<size_t>(k - 1)].Depth, b = FEntries[static_cast<size_t>(k)].Depth;
    if (Depth >= std::min(a, b) && Depth <= std::max(a, b)) return k;
  }
  return -1;
}

TColor TColorBandPalette::ColorAt(double Depth) const {
  const int k = BandAt(Depth);
  return k < 0 ? clBlack : FEntries[static_cast<size_t>(k)].Color;
}

void TColorBandPalette::HueGradient(int First, int Last) {
  First = std::max(First, 1);
  if (Last >= FCount) Last = FCount - 1;
  if (Last < First) std::swap(First, Last);
  const int n = Last - First;
  if (n <= 2) return;
  THSVColor a = RGBToHSV(ColorToTriple(FEntries[static_cast<size_t>(First)].Color));
  const THSVColor b = RGBToHSV(ColorToTriple(FEntries[static_cast<size_t>(Last)].Color));
  const THSVColor step{(b.H - a.H) / n, (b.S - a.S) / n, (b.V - a.V) / n};
  for (int i = First + 1; i < Last; ++i) {
    a.H += step.H;
    a.S += step.S;
    a.V += step.V;
    FEntries[static_cast<size_t>(i)].Color = HSVToColor(a);
  }
  Repaint();
}

void TColorBandPalette::RGBGradient(int First, int Last) {
  First = std::max(First, 1);
  if (Last >= FCount) Last = FCount - 1;
  if (Last < First) std::swap(First, Last);
  const int m = Last - First + 1;
  if (m <= 2) return;
  TVector3 a = ColorToUnitRGB(FEntries[static_cast<size_t>(First)].Color);
  const TVector3 b = ColorToUnitRGB(FEntries[static_cast<size_t>(Last)].Color);
  // The span is divided by the number of entries, not of steps: the last inner band stops
  // short of the end colour, which is how the palettes have always looked.
  const TVector3 step{(b.X - a.X) / m, (b.Y - a.Y) / m, (b.Z - a.Z) / m};
  for (int i = First + 1; i < Last; ++i) {
    a = {a.X + step.X, a.Y + step.Y, a.Z + step.Z};
    FEntries[static_cast<size_t>(i)].Color = UnitRGBToColor(a);
  }
  Repaint();
}

void TColorBandPalette::Invert() {
  for (int i = 1, j = FCount - 1; j >= i; ++i, --j)
    std::swap(FEntries[static_cast<size_t>(i)].Color, FEntries[static_cast<size_t>(j)].Color);
  Repaint();
}

void TColorBandPalette::MoveBoundary(int Index, int64_t Position, int Height, bool Spread) {
  if (Index < 0 || Index >= FCount || Height <= 0) return;
  const int64_t gap = 2 * (kFullScale / Height);
  auto bottom = [this](int j) -> int32_t& { return FEntries[static_cast<size_t>(j)].Bottom; };
  bottom(Index) = ClampToInt32(Position);
  for (int j = Index; j <= FCount - 2; ++j)
    if (bottom(j) >= bottom(j + 1))
      bottom(j + 1) = ClampToInt32(std::min<int64_t>(int64_t{bottom(j)} + gap, kFullScale));
  for (int j = Index; j >= 1; --j)
    if (bottom(j) <= bottom(j - 1)) bottom(j - 1) = ClampToInt32(std::max<int64_t>(int64_t{bottom(j)} - gap, 0));
  RecomputeDepths();
  Repaint();
  if (Spread) {
    SpreadBoundaries(0, Index);
    SpreadBoundaries(Index, FCount - 1);
  }
}

int32_t TColorBandPalette::RowPosition(int Y, int Height) {
  if (Height <= 0) return 0;
  return ClampToInt32(int64_t{kFullScale} * Y / Height);
}

int TColorBandPalette::BoundaryRow(int Index, int Height) const {
  return ClampToInt32(int64_t{Height} * FEntries[static_cast<size_t>(Index)].Bottom / kFullScale);
}

int TColorBandPalette::BoundaryHit(int Y, int Height) const {
  if (!Adjustable || Height <= 0) return -1;
  const int first = AdjustEnds ? 0 : 1;
  const int last = AdjustEnds ? FCount - 1 : FCount - 2;
  for (int k = first; k <= last; ++k) {
    const int64_t row = BoundaryRow(k, Height);
    if (row - 1 <= Y && Y <= row + 1) return k;
  }
  return -1;
}

int TColorBandPalette::BandHit(int Y, int Height) const {
  if (Height <= 0) return -1;
  for (int k = 1; k < FCount; ++k)
    if (BoundaryRow(k - 1, Height) <= Y && Y <= BoundaryRow(k, Height)) return k;
  return -1;
}

bool TColorBandPalette::Press(int Y, int Height) {
  const int hit = BoundaryHit(Y, Height);
  if (hit >= 0) {
    FDragging = true;
    FDragIndex = hit;
    FDragRow = Y;
    return true;
  }
  SetSelected(BandHit(Y, Height));
  return false;
}

void TColorBandPalette::Move(int Y, int Height) {
  if (!FDragging) return;
  FDragRow = Y;
  const int32_t position = RowPosition(Y, Height);
  if (OnChangingBar) OnChangingBar(FDragIndex, position, DepthAt(position));
}

void TColorBandPalette::Release(int Y, int Height, bool Ctrl) {
  if (!FDragging) return;
  FDragging = false;
  MoveBoundary(FDragIndex, RowPosition(Y, Height), Height, Ctrl);
  if (OnChangeSpread) OnChangeSpread();
}

bool TColorBandPalette::Drop(int Y, int Height) {
  const int band = BandHit(Y, Height);
  if (band < 0) return false;
  FEntries[static_cast<size_t>(band)].Color = FEntries[static_cast<size_t>(FSelected)].Color;
  Repaint();
  return true;
}

TColor TColorBandPalette::OutlineColor(TColor Band) {
  return (RedOf(Band) + GreenOf(Band) + BlueOf(Band)) / 3 >= 50 ? clBlack : RGBColor(128, 128, 128);
}

TColor TColorBandPalette::ContrastColor(TColor Band) {
  auto flip = [](uint8_t c) -> uint8_t { return c < 0x80 ? 255 : 0; };
  return RGBColor(flip(RedOf(Band)), flip(GreenOf(Band)), flip(BlueOf(Band)));
}

std::string TColorBandPalette::LabelText(int Index, char DecimalSeparator) const {
  const double v = ScaleFactor * FEntries[static_cast<size_t>(Index)].Depth;
  const int decimals = std::clamp(Decimals, 0, 18);
  char text[64];
  if (!std::isfinite(v))
    std::snprintf(text, sizeof text, "%s", std::isnan(v) ? "NAN" : (v > 0 ? "INF" : "-INF"));
  else if (std::fabs(v) >= 1e18)  // more integer digits than the 18 significant ones
    std::snprintf(text, sizeof text, "%.17E", v);
  else
    std::snprintf(text, sizeof text, "%.*f", decimals, v);
  std::string s = text;
  std::replace(s.begin(), s.end(), '.', DecimalSeparator);
  return s;
}

std::vector<TBandPaint> TColorBandPalette::PaintBands(int Width, int Height, char DecimalSeparator) const {
  std::vector<TBandPaint> out;
  out.reserve(static_cast<size_t>(FCount) + 1);
  for (int k = 0; k <= FCount; ++k) {
    TBandPaint b;
    b.Index = k;
    b.Top = k == 0 ? 0 : BoundaryRow(k - 1, Height);
    b.Bottom = k == FCount ? Height : BoundaryRow(k, Height);
    // The strip below the last boundary shows the colour of depths beyond every band.
    b.Brush = k == FCount ? clBlack : FEntries[static_cast<size_t>(k)].Color;
    b.Pen = OutlineColor(b.Brush);
    b.Outline = {0, b.Top - 1, Width, b.Bottom};
    if (LabelBars && k >= 1 && k < FCount) {
      b.Labelled = true;
      b.Label = LabelText(k, DecimalSeparator);
      b.LabelColor = ContrastColor(b.Brush);
      b.LabelRect = {1, b.Top + 1, Width - 1, b.Bottom - 1};
    }
    out.push_back(std::move(b));
  }
  return out;
}

std::optional<TRect> TColorBandPalette::SelectionMark(int Width, int Height) const {
  if (!Enabled || FSelected <= 0 || FSelected >= FCount) return std::nullopt;
  return TRect{1, BoundaryRow(FSelected - 1, Height) + 1, Width - 1, BoundaryRow(FSelected, Height) - 1};
}

void TColorBandPalette::ChooseColorCount(TColorCount Value) {
  SetColorCount(Value);
  if (Value == dc20 || Value == dc30) SetEntryColor(1, RGBColor(240, 240, 240));
  SaveHueBase();
}

void TColorBandPalette::ChangeSelectedColor(std::optional<TColor> Chosen) {
  if (Chosen) SetEntryColor(FSelected, *Chosen);
  SaveHueBase();
}

void TColorBandPalette::SaveHueBase() {
  FHueBase.assign(FCount, clBlack);
  for (int i = 0; i < FCount; ++i) FHueBase[static_cast<size_t>(i)] = FEntries[static_cast<size_t>(i)].Color;
  // The offset control goes back to 0; its change re-applies offset 0 to the new base.
  if (FHueOffset != 0) SetHueOffset(0);
}

void TColorBandPalette::SetHueOffset(int Offset) {
  FHueOffset = Offset;
  const int n = std::min(FCount, static_cast<int>(FHueBase.size()));
  for (int i = 0; i < n; ++i) {
    THSVColor hsv = RGBToHSV(ColorToTriple(FHueBase[static_cast<size_t>(i)]));
    long double h = hsv.H + Offset;
    // The same value repeated subtraction and addition of 360 would give, without the loop.
    if (h >= 360) h = std::fmod(h, 360.0L);
    if (h < 0) {
      h = std::fmod(h, 360.0L);
      if (h < 0) h += 360;
    }
    hsv.H = h;
    FEntries[static_cast<size_t>(i)].Color = HSVToColor(hsv);
  }
  Repaint();
}

}  // namespace trochodraw
