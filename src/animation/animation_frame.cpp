#include "animation/animation_frame.h"

#include <algorithm>
#include <cmath>

namespace trochodraw {

void PutBitmap(TAnimationFrame& Frame, const TBitmap& Source, int Left, int Top) {
  const int w = std::min(Source.Width(), Frame.Width - Left);
  const int h = std::min(Source.Height(), Frame.Height - Top);
  const bool direct = Source.PixelFormat() == TPixelFormat::pfDevice || Source.PixelFormat() == TPixelFormat::pf32bit ||
                      Source.PixelFormat() == TPixelFormat::pf24bit;
  const int step = Source.PixelFormat() == TPixelFormat::pf24bit ? 3 : 4;
  for (int y = 0; y < h; ++y) {
    uint8_t* out = Frame.Row(Top + y) + static_cast<size_t>(Left) * 3;
    if (direct) {
      const uint8_t* in = Source.ScanLine(y);
      for (int x = 0; x < w; ++x, in += step, out += 3) {
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
      }
    } else {
      for (int x = 0; x < w; ++x, out += 3) {
        const TColor c = Source.GetPixel(x, y);
        out[0] = RedOf(c);
        out[1] = GreenOf(c);
        out[2] = BlueOf(c);
      }
    }
  }
}

TAnimationFrame ComposeFrame(const TBitmap& Figure, const TBitmap* Mechanism) {
  if (!Mechanism) {
    TAnimationFrame f(Figure.Width(), Figure.Height());
    PutBitmap(f, Figure, 0, 0);
    return f;
  }
  TAnimationFrame f(Mechanism->Width() + Figure.Width(), std::max(Mechanism->Height(), Figure.Height()));
  if (Mechanism->Height() != Figure.Height()) {
    for (size_t i = 0; i < f.Pixels.size(); i += 3) {
      f.Pixels[i] = RedOf(kFrameGapColor);
      f.Pixels[i + 1] = GreenOf(kFrameGapColor);
      f.Pixels[i + 2] = BlueOf(kFrameGapColor);
    }
  }
  PutBitmap(f, *Mechanism, 0, 0);
  PutBitmap(f, Figure, Mechanism->Width(), 0);
  return f;
}

namespace {

// For each target index, the source indexes it covers and how much of each (summing to 1).
struct TTap {
  int Index;
  float Weight;
};

std::vector<std::vector<TTap>> AreaTaps(int From, int To) {
  std::vector<std::vector<TTap>> taps(static_cast<size_t>(To));
  const double scale = static_cast<double>(From) / To;
  for (int i = 0; i < To; ++i) {
    const double a = i * scale, b = (i + 1) * scale;
    const int first = static_cast<int>(std::floor(a));
    const int last = std::min(From - 1, static_cast<int>(std::ceil(b)) - 1);
    for (int s = first; s <= last; ++s) {
      const double w = std::min<double>(b, s + 1) - std::max<double>(a, s);
      if (w > 1e-9) taps[static_cast<size_t>(i)].push_back({s, static_cast<float>(w / scale)});
    }
  }
  return taps;
}

}  // namespace

TAnimationFrame ScaleFrame(const TAnimationFrame& Source, int Width, int Height) {
  if (Width == Source.Width && Height == Source.Height) return Source;
  const auto xt = AreaTaps(Source.Width, Width);
  const auto yt = AreaTaps(Source.Height, Height);
  // Rows first, into floats; then columns.
  std::vector<float> rows(static_cast<size_t>(Source.Height) * Width * 3);
  for (int y = 0; y < Source.Height; ++y) {
    const uint8_t* in = Source.Row(y);
    float* out = rows.data() + static_cast<size_t>(y) * Width * 3;
    for (int x = 0; x < Width; ++x, out += 3) {
      float r = 0, g = 0, b = 0;
      for (const TTap& t : xt[static_cast<size_t>(x)]) {
        const uint8_t* p = in + static_cast<size_t>(t.Index) * 3;
        r += p[0] * t.Weight;
        g += p[1] * t.Weight;
        b += p[2] * t.Weight;
      }
      out[0] = r;
      out[1] = g;
      out[2] = b;
    }
  }
  TAnimationFrame f(Width, Height);
  std::vector<float> acc(static_cast<size_t>(Width) * 3);
  for (int y = 0; y < Height; ++y) {
    std::fill(acc.begin(), acc.end(), 0.0f);
    for (const TTap& t : yt[static_cast<size_t>(y)]) {
      const float* in = rows.data() + static_cast<size_t>(t.Index) * Width * 3;
      for (size_t i = 0; i < acc.size(); ++i) acc[i] += in[i] * t.Weight;
    }
    uint8_t* out = f.Row(y);
    for (size_t i = 0; i < acc.size(); ++i) out[i] = static_cast<uint8_t>(std::clamp(acc[i] + 0.5f, 0.0f, 255.0f));
  }
  return f;
}

}  // namespace trochodraw
