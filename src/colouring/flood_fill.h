#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "colouring/colour_arithmetic.h"
#include "machine/vector2.h"
#include "render/bitmap.h"

namespace trochodraw {

// Takes a whole percentage of the fill's progress.
using TFillProgress = std::function<void(int Percent)>;

// Fills the four-way connected region of Target-like pixels around (X, Y) with New. Pixels
// equal to Target become New and pass the fill on to their neighbours (right, left, below,
// above); pixels within Threshold of Target but not equal (anti-aliased edges) take New's
// hue and saturation at their own brightness and stop the fill. Points are visited first in,
// first out, a pixel once for each time a neighbour queued it. The bitmap becomes 24-bit.
// A seed outside the bitmap fills nothing.
void FloodFill(TBitmap& Bitmap, int X, int Y, TColor Target, TColor New, double Threshold,
               const TFillProgress& Progress = {});

// The fill for many regions at one threshold (the mosaic): the queue's memory, the distance
// limit and the edge blends are kept from one fill to the next.
class TFloodFiller {
 public:
  explicit TFloodFiller(double Threshold);

  // With Progress the queue is worked point by point, so that the percentages count the
  // points as they are visited; without, runs of pixels are filled at once, to the same
  // result.
  void Fill(TBitmap& Bitmap, int X, int Y, TColor Target, TColor New, const TFillProgress& Progress = {});

  double Threshold() const { return FThreshold; }
  // True when TripleDistance of the two would exceed the threshold.
  bool Beyond(TColorTriple A, TColorTriple B) const {
    const int dr = int(A.Red) - B.Red, dg = int(A.Green) - B.Green, db = int(A.Blue) - B.Blue;
    return dr * dr + dg * dg + db * db > FLimit;
  }
  // The largest squared channel distance whose TripleDistance is not above Threshold (-1
  // when even equal colours are beyond it). TripleDistance grows with the squared distance,
  // so comparing squares gives the very same answers.
  static int DistanceLimit(double Threshold);

 private:
  struct TSpan {
    int Y, XL, XR;
  };
  void FillQueued(int X, int Y, const TFillProgress& Progress);
  void FillSpans(int X, int Y);
  // One visit of a queued point; true when it filled the pixel.
  bool Visit(int X, int Y);
  // A visit that fills a whole run of target pixels and queues the run's visits up and down.
  void VisitAndSpan(int X, int Y);
  void Push(int32_t X, int32_t Y);
  TColorTriple Blend(const uint8_t* Pixel);

  double FThreshold;
  int FLimit;
  // Ring of queued points: FHead is read, FTail written; capacity is a power of two.
  std::vector<TPoint> FQueue;
  size_t FHead = 0;
  size_t FTail = 0;
  std::vector<TSpan> FSpans;
  // The fill in progress.
  uint8_t* FBits = nullptr;
  size_t FStride = 0;
  int FW = 0, FH = 0;
  TColorTriple FTarget;
  uint32_t FTp = 0, FNp = 0;
  // BlendValue depends on the pixel only through its largest channel: per new colour, the
  // blends of each largest channel, worked out when first needed. The mosaic's fills use
  // a few dozen palette colours over and over.
  struct TBlends {
    bool Valid = false;
    uint32_t For = 0;
    THSVColor NewHSV;
    std::array<bool, 256> Known{};
    std::array<TColorTriple, 256> To{};
  };
  static constexpr int kBlendSlots = 64;
  std::vector<TBlends> FBlends;
  TBlends* FBlend = nullptr;
  TColorTriple FNew;
};

}  // namespace trochodraw
