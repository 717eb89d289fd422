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
    : FThreshold(Threshold), FLimit(DistanceLimit(Threshold)), FQueue(kInitialQueue) {}

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
  if (!FBlendKnown[m]) {
    FBlendTo[m] = BlendValue(TColorTriple{m, m, m}, FNew);
    FBlendKnown[m] = true;
  }
  return FBlendTo[m];
}

void TFloodFiller::Fill(TBitmap& Bitmap, int X, int Y, TColor Target, TColor New, const TFillProgress& Progress) {
  Bitmap.SetPixelFormat(TPixelFormat::pf24bit);
  const int W = Bitmap.Width(), H = Bitmap.Height();
  if (X < 0 || Y < 0 || X >= W || Y >= H) {
    if (Progress) Progress(100);
    return;
  }
  const double total = double(W) * double(H) * 4.0;
  const TColorTriple t = ColorToTriple(Target);
  FNew = ColorToTriple(New);
  const uint32_t tp = Pack(t), np = Pack(FNew);
  if (!FBlendValid || FBlendFor != np) {
    FBlendKnown.fill(false);
    FBlendFor = np;
    FBlendValid = true;
  }
  uint8_t* const bits = Bitmap.Bits();
  const size_t stride = static_cast<size_t>(Bitmap.BytesPerLine());
  FHead = FTail = 0;
  Push(X, Y);
  int64_t processed = 0;
  while (FHead != FTail) {
    if (Progress && processed % 1000 == 0) Progress(static_cast<int>(std::nearbyint(100.0 * double(processed) / total)));
    const TPoint p = FQueue[FHead & (FQueue.size() - 1)];
    ++FHead;
    ++processed;
    uint8_t* px = bits + size_t(p.Y) * stride + size_t(p.X) * 3;
    const uint32_t v = Pack(px);
    if (v == np) continue;  // already filled
    if (Beyond(t, TColorTriple{px[0], px[1], px[2]})) continue;  // a boundary
    if (v == tp) {
      px[0] = FNew.Blue;
      px[1] = FNew.Green;
      px[2] = FNew.Red;
      if (p.X + 1 < W) Push(p.X + 1, p.Y);
      if (p.X > 0) Push(p.X - 1, p.Y);
      if (p.Y + 1 < H) Push(p.X, p.Y + 1);
      if (p.Y > 0) Push(p.X, p.Y - 1);
    } else {
      // An anti-aliased edge: the new colour at the pixel's brightness; the fill stops here.
      const TColorTriple b = Blend(px);
      px[0] = b.Blue;
      px[1] = b.Green;
      px[2] = b.Red;
    }
  }
  if (Progress) Progress(100);
}

void FloodFill(TBitmap& Bitmap, int X, int Y, TColor Target, TColor New, double Threshold,
               const TFillProgress& Progress) {
  TFloodFiller(Threshold).Fill(Bitmap, X, Y, Target, New, Progress);
}

}  // namespace trochodraw
