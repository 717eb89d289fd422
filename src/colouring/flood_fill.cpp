#include "colouring/flood_fill.h"

#include <algorithm>
#include <cmath>

namespace trochodraw {

namespace {

constexpr size_t kInitialQueue = 1024;  // a power of two

uint32_t Pack(const uint8_t* P) { return P[0] | (uint32_t(P[1]) << 8) | (uint32_t(P[2]) << 16); }
uint32_t Pack(TColorTriple T) { return T.Blue | (uint32_t(T.Green) << 8) | (uint32_t(T.Red) << 16); }

}  // namespace

int TFloodFiller::DistanceLimit(double Threshold) {
  const auto beyond = [Threshold](int d2) {
    return std::clamp(std::sqrt(double(d2)) / 441.67295593, 0.0, 1.0) > Threshold;
  };
  // beyond() is false up to the limit and true after it; find the last false.
  int lo = -1, hi = 3 * 255 * 255 + 1;  // beyond(lo) false (by convention), beyond(hi) true
  while (hi - lo > 1) {
    const int mid = lo + (hi - lo) / 2;
    if (beyond(mid))
      hi = mid;
    else
      lo = mid;
  }
  return lo;
}

TFloodFiller::TFloodFiller(double Threshold)
    : FThreshold(Threshold), FLimit(DistanceLimit(Threshold)), FQueue(kInitialQueue), FBlends(kBlendSlots) {}

void TFloodFiller::Push(int32_t X, int32_t Y) {
  if (FTail - FHead == FQueue.size()) {
    // Full: unroll the ring into a block twice the size.
    std::vector<TPoint> grown(FQueue.size() * 2);
    const size_t mask = FQueue.size() - 1;
    size_t n = 0;
    for (size_t i = FHead; i != FTail; ++i) grown[n++] = FQueue[i & mask];
    FQueue.swap(grown);
    FHead = 0;
    FTail = n;
  }
  FQueue[FTail & (FQueue.size() - 1)] = {X, Y};
  ++FTail;
}

TColorTriple TFloodFiller::Blend(const uint8_t* Pixel) {
  const uint8_t m = std::max({Pixel[0], Pixel[1], Pixel[2]});
  TBlends& b = *FBlend;
  if (!b.Known[m]) {
    // BlendValue: the new colour's hue and saturation at the pixel's value times its own.
    b.To[m] = HSVToTriple({b.NewHSV.H, b.NewHSV.S, (m / 255.0L) * b.NewHSV.V});
    b.Known[m] = true;
  }
  return b.To[m];
}

void TFloodFiller::Fill(TBitmap& Bitmap, int X, int Y, TColor Target, TColor New, const TFillProgress& Progress) {
  Bitmap.SetPixelFormat(TPixelFormat::pf24bit);
  FW = Bitmap.Width();
  FH = Bitmap.Height();
  if (X < 0 || Y < 0 || X >= FW || Y >= FH) {
    if (Progress) Progress(100);
    return;
  }
  FTarget = ColorToTriple(Target);
  FNew = ColorToTriple(New);
  FTp = Pack(FTarget);
  FNp = Pack(FNew);
  FBlend = &FBlends[(FNp * 2654435761u) >> 26];
  if (!FBlend->Valid || FBlend->For != FNp) {
    FBlend->Known.fill(false);
    FBlend->For = FNp;
    FBlend->NewHSV = RGBToHSV(FNew);
    FBlend->Valid = true;
  }
  FBits = Bitmap.Bits();
  FStride = static_cast<size_t>(Bitmap.BytesPerLine());
  if (Progress)
    FillQueued(X, Y, Progress);
  else
    FillSpans(X, Y);
}

void TFloodFiller::FillQueued(int X, int Y, const TFillProgress& Progress) {
  const double total = double(FW) * double(FH) * 4.0;
  FHead = FTail = 0;
  Push(X, Y);
  int64_t processed = 0;
  while (FHead != FTail) {
    if (processed % 1000 == 0) Progress(static_cast<int>(std::nearbyint(100.0 * double(processed) / total)));
    const TPoint p = FQueue[FHead & (FQueue.size() - 1)];
    ++FHead;
    ++processed;
    if (Visit(p.X, p.Y)) {
      if (p.X + 1 < FW) Push(p.X + 1, p.Y);
      if (p.X > 0) Push(p.X - 1, p.Y);
      if (p.Y + 1 < FH) Push(p.X, p.Y + 1);
      if (p.Y > 0) Push(p.X, p.Y - 1);
    }
  }
  Progress(100);
}

// Every visit's effect depends only on the visited pixel's own value, and a filled pixel
// sends exactly one visit to each neighbour; so the order in which visits are handled does
// not change the outcome, and handling a visit the moment it is sent gives the very pixels
// of the first-in-first-out order. Runs of target pixels are filled a row at a time, and a
// visit to a pixel that already has the new colour is left out, as it would change nothing.
void TFloodFiller::FillSpans(int X, int Y) {
  FSpans.clear();
  VisitAndSpan(X, Y);
  while (!FSpans.empty()) {
    const TSpan s = FSpans.back();
    FSpans.pop_back();
    for (int y : {s.Y - 1, s.Y + 1}) {
      if (y < 0 || y >= FH) continue;
      const uint8_t* row = FBits + size_t(y) * FStride;
      for (int x = s.XL; x <= s.XR; ++x)
        if (Pack(row + size_t(x) * 3) != FNp) VisitAndSpan(x, y);
    }
  }
}

bool TFloodFiller::Visit(int X, int Y) {
  uint8_t* px = FBits + size_t(Y) * FStride + size_t(X) * 3;
  const uint32_t v = Pack(px);
  if (v == FNp) return false;                                            // already filled
  if (Beyond(FTarget, TColorTriple{px[0], px[1], px[2]})) return false;  // a boundary
  if (v == FTp) {
    px[0] = FNew.Blue;
    px[1] = FNew.Green;
    px[2] = FNew.Red;
    return true;
  }
  // An anti-aliased edge: the new colour at the pixel's brightness; the fill stops here.
  const TColorTriple b = Blend(px);
  px[0] = b.Blue;
  px[1] = b.Green;
  px[2] = b.Red;
  return false;
}

void TFloodFiller::VisitAndSpan(int X, int Y) {
  uint8_t* row = FBits + size_t(Y) * FStride;
  const uint32_t v = Pack(row + size_t(X) * 3);
  if (v == FNp) return;
  if (v != FTp || FLimit < 0) {
    Visit(X, Y);  // not a target pixel: skipped or blended
    return;
  }
  // The visit fills the pixel, whose visits fill the target pixels beside it in turn.
  int xl = X, xr = X;
  while (xl > 0 && Pack(row + size_t(xl - 1) * 3) == FTp) --xl;
  while (xr + 1 < FW && Pack(row + size_t(xr + 1) * 3) == FTp) ++xr;
  for (uint8_t *p = row + size_t(xl) * 3, *end = row + size_t(xr + 1) * 3; p != end; p += 3) {
    p[0] = FNew.Blue;
    p[1] = FNew.Green;
    p[2] = FNew.Red;
  }
  // The visits leaving the run sideways; those inside it meet filled pixels.
  if (xl > 0) Visit(xl - 1, Y);
  if (xr + 1 < FW) Visit(xr + 1, Y);
  FSpans.push_back({Y, xl, xr});  // its visits up and down follow
}

void FloodFill(TBitmap& Bitmap, int X, int Y, TColor Target, TColor New, double Threshold,
               const TFillProgress& Progress) {
  TFloodFiller(Threshold).Fill(Bitmap, X, Y, Target, New, Progress);
}

}  // namespace trochodraw
