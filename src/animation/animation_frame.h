#pragma once

#include <cstdint>
#include <vector>

#include "render/bitmap.h"

namespace trochodraw {

// One frame of an animation: 8-bit R, G, B a pixel, rows top-down without padding.
struct TAnimationFrame {
  int Width = 0, Height = 0;
  std::vector<uint8_t> Pixels;

  TAnimationFrame() = default;
  TAnimationFrame(int W, int H) : Width(W), Height(H), Pixels(static_cast<size_t>(W) * H * 3, 0) {}
  uint8_t* Row(int Y) { return Pixels.data() + static_cast<size_t>(Y) * Width * 3; }
  const uint8_t* Row(int Y) const { return Pixels.data() + static_cast<size_t>(Y) * Width * 3; }
  TColor Pixel(int X, int Y) const {
    const uint8_t* p = Row(Y) + static_cast<size_t>(X) * 3;
    return RGBColor(p[0], p[1], p[2]);
  }
};

// Where the figure and the mechanism do not fill a frame (the shorter of the two panes).
inline constexpr TColor kFrameGapColor = 0xF0F0F0;

// Copies Source into Frame with its top left corner at (Left, Top).
void PutBitmap(TAnimationFrame& Frame, const TBitmap& Source, int Left, int Top);
// The frame of the figure alone, or of the mechanism pane to the left of the figure.
TAnimationFrame ComposeFrame(const TBitmap& Figure, const TBitmap* Mechanism);

// Resamples by area: each target pixel is the average of the source area it covers, so thin
// lines fade rather than break up when scaled down. Returns Source itself at equal size.
TAnimationFrame ScaleFrame(const TAnimationFrame& Source, int Width, int Height);

}  // namespace trochodraw
