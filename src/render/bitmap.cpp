#include "render/bitmap.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <unordered_map>
#include <utility>

#include "render/paint_cache.h"

namespace trochodraw {

namespace {

// Beyond this a picture cannot be a figure anyone draws; refusing early keeps a mistyped
// size from exhausting the machine.
constexpr uint64_t kMaxPixelBytes = uint64_t{1} << 30;

bool IsPaletteFormat(TPixelFormat F) {
  return F == TPixelFormat::pf1bit || F == TPixelFormat::pf4bit || F == TPixelFormat::pf8bit;
}

}  // namespace

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int Width, int Height, TPixelFormat Format) {
  Allocate(Width, Height, Format);
  if (!IsPaletteFormat(Format)) std::fill(FPixels.begin(), FPixels.end(), uint8_t{0xFF});
}

TBitmap::TBitmap(const TBitmap& Other)
    : Transparent(Other.Transparent),
      TransparentColor(Other.TransparentColor),
      XPelsPerMeter(Other.XPelsPerMeter),
      YPelsPerMeter(Other.YPelsPerMeter),
      FWidth(Other.FWidth),
      FHeight(Other.FHeight),
      FFormat(Other.FFormat),
      FStride(Other.FStride),
      FPixels(Other.FPixels),
      FPalette(Other.FPalette) {}

TBitmap& TBitmap::operator=(const TBitmap& Other) {
  if (this == &Other) return *this;
  TBitmap copy(Other);
  *this = std::move(copy);
  return *this;
}

TBitmap::TBitmap(TBitmap&& Other) noexcept { *this = std::move(Other); }

TBitmap& TBitmap::operator=(TBitmap&& Other) noexcept {
  if (this == &Other) return *this;
  DropPaintCache();
  Other.DropPaintCache();
  Transparent = Other.Transparent;
  TransparentColor = Other.TransparentColor;
  XPelsPerMeter = Other.XPelsPerMeter;
  YPelsPerMeter = Other.YPelsPerMeter;
  FWidth = std::exchange(Other.FWidth, 0);
  FHeight = std::exchange(Other.FHeight, 0);
  FFormat = Other.FFormat;
  FStride = std::exchange(Other.FStride, 0);
  FPixels = std::move(Other.FPixels);
  Other.FPixels.clear();
  FPalette = std::move(Other.FPalette);
  ++FGeneration;
  ++Other.FGeneration;
  return *this;
}

TBitmap::~TBitmap() = default;

int TBitmap::BitsPerPixel(TPixelFormat Format) {
  switch (Format) {
    case TPixelFormat::pf1bit: return 1;
    case TPixelFormat::pf4bit: return 4;
    case TPixelFormat::pf8bit: return 8;
    case TPixelFormat::pf15bit:
    case TPixelFormat::pf16bit: return 16;
    case TPixelFormat::pf24bit: return 24;
    case TPixelFormat::pfDevice:
    case TPixelFormat::pf32bit:
    case TPixelFormat::pfCustom: return 32;
  }
  return 32;
}

std::vector<TColor> TBitmap::DefaultPalette(int Bits) {
  std::vector<TColor> p;
  if (Bits == 1) {
    p = {clBlack, clWhite};
  } else if (Bits == 4) {
    p = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
         0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
  } else if (Bits == 8) {
    // A colour cube of six levels, red outermost, then a ramp of greys.
    for (int r = 0; r < 6; ++r)
      for (int g = 0; g < 6; ++g)
        for (int b = 0; b < 6; ++b) p.push_back(RGBColor(r * 51, g * 51, b * 51));
    for (int i = 0; i < 40; ++i) {
      const auto v = static_cast<uint8_t>((i * 255 + 20) / 40 + 3);
      p.push_back(RGBColor(v, v, v));
    }
  }
  return p;
}

void TBitmap::Allocate(int Width, int Height, TPixelFormat Format) {
  if (Width < 0 || Height < 0) throw EImageError("Invalid bitmap size");
  const int bits = BitsPerPixel(Format);
  const uint64_t stride = ((uint64_t(Width) * bits + 31) / 32) * 4;
  const uint64_t bytes = stride * uint64_t(Height);
  if (bytes > kMaxPixelBytes)
    throw EImageError("Not enough memory for a " + std::to_string(Width) + " x " + std::to_string(Height) +
                      " bitmap");
  std::vector<uint8_t> pixels;
  try {
    pixels.assign(bytes, 0);
  } catch (const std::bad_alloc&) {
    throw EImageError("Not enough memory for a " + std::to_string(Width) + " x " + std::to_string(Height) +
                      " bitmap");
  }
  DropPaintCache();
  FWidth = Width;
  FHeight = Height;
  FFormat = Format;
  FStride = static_cast<int>(stride);
  FPixels = std::move(pixels);
  FPalette = IsPaletteFormat(Format) ? DefaultPalette(bits) : std::vector<TColor>{};
  ++FGeneration;
}

void TBitmap::Reset(int Width, int Height, TPixelFormat Format) { Allocate(Width, Height, Format); }

void TBitmap::SetSize(int Width, int Height) {
  if (Width == FWidth && Height == FHeight) return;
  TBitmap grown(Width, Height, FFormat);
  if (IsPaletteFormat(FFormat)) grown.FPalette = FPalette;
  const int bits = BitsPerPixel();
  const int copyW = std::min(Width, FWidth);
  const int copyH = std::min(Height, FHeight);
  const size_t rowBytes = (size_t(copyW) * bits) / 8;
  for (int y = 0; y < copyH; ++y) {
    std::memcpy(grown.ScanLine(y), ScanLine(y), rowBytes);
    for (int x = int(rowBytes * 8 / bits); x < copyW; ++x) grown.SetPixel(x, y, GetPixel(x, y));
  }
  grown.Transparent = Transparent;
  grown.TransparentColor = TransparentColor;
  grown.XPelsPerMeter = XPelsPerMeter;
  grown.YPelsPerMeter = YPelsPerMeter;
  *this = std::move(grown);
}

TColor TBitmap::GetPixel(int X, int Y) const {
  const uint8_t* row = ScanLine(Y);
  switch (FFormat) {
    case TPixelFormat::pf1bit: return FPalette[(row[X >> 3] >> (7 - (X & 7))) & 1];
    case TPixelFormat::pf4bit: return FPalette[(row[X >> 1] >> ((X & 1) ? 0 : 4)) & 0x0F];
    case TPixelFormat::pf8bit: {
      const size_t i = row[X];
      return i < FPalette.size() ? FPalette[i] : clBlack;
    }
    case TPixelFormat::pf15bit: {
      const unsigned w = row[2 * X] | (row[2 * X + 1] << 8);
      const unsigned r = (w >> 10) & 31, g = (w >> 5) & 31, b = w & 31;
      return RGBColor((r << 3) | (r >> 2), (g << 3) | (g >> 2), (b << 3) | (b >> 2));
    }
    case TPixelFormat::pf16bit: {
      const unsigned w = row[2 * X] | (row[2 * X + 1] << 8);
      const unsigned r = (w >> 11) & 31, g = (w >> 5) & 63, b = w & 31;
      return RGBColor((r << 3) | (r >> 2), (g << 2) | (g >> 4), (b << 3) | (b >> 2));
    }
    case TPixelFormat::pf24bit: {
      const uint8_t* p = row + 3 * X;
      return RGBColor(p[2], p[1], p[0]);
    }
    case TPixelFormat::pfDevice:
    case TPixelFormat::pf32bit:
    case TPixelFormat::pfCustom: {
      const uint8_t* p = row + 4 * X;
      return RGBColor(p[2], p[1], p[0]);
    }
  }
  return clBlack;
}

int TBitmap::NearestPaletteIndex(TColor C) const {
  int best = 0;
  long bestD = -1;
  for (size_t i = 0; i < FPalette.size(); ++i) {
    const long dr = long(RedOf(C)) - RedOf(FPalette[i]);
    const long dg = long(GreenOf(C)) - GreenOf(FPalette[i]);
    const long db = long(BlueOf(C)) - BlueOf(FPalette[i]);
    const long d = dr * dr + dg * dg + db * db;
    if (bestD < 0 || d < bestD) {
      bestD = d;
      best = static_cast<int>(i);
      if (d == 0) break;
    }
  }
  return best;
}

void TBitmap::SetPixel(int X, int Y, TColor C) {
  uint8_t* row = ScanLine(Y);
  switch (FFormat) {
    case TPixelFormat::pf1bit: {
      const int i = NearestPaletteIndex(C);
      const uint8_t m = uint8_t(0x80 >> (X & 7));
      row[X >> 3] = i ? (row[X >> 3] | m) : (row[X >> 3] & ~m);
      return;
    }
    case TPixelFormat::pf4bit: {
      const auto i = static_cast<uint8_t>(NearestPaletteIndex(C));
      uint8_t& b = row[X >> 1];
      b = (X & 1) ? uint8_t((b & 0xF0) | i) : uint8_t((b & 0x0F) | (i << 4));
      return;
    }
    case TPixelFormat::pf8bit: row[X] = static_cast<uint8_t>(NearestPaletteIndex(C)); return;
    case TPixelFormat::pf15bit: {
      const unsigned w = ((RedOf(C) >> 3) << 10) | ((GreenOf(C) >> 3) << 5) | (BlueOf(C) >> 3);
      row[2 * X] = uint8_t(w);
      row[2 * X + 1] = uint8_t(w >> 8);
      return;
    }
    case TPixelFormat::pf16bit: {
      const unsigned w = ((RedOf(C) >> 3) << 11) | ((GreenOf(C) >> 2) << 5) | (BlueOf(C) >> 3);
      row[2 * X] = uint8_t(w);
      row[2 * X + 1] = uint8_t(w >> 8);
      return;
    }
    case TPixelFormat::pf24bit: {
      uint8_t* p = row + 3 * X;
      p[0] = BlueOf(C);
      p[1] = GreenOf(C);
      p[2] = RedOf(C);
      return;
    }
    case TPixelFormat::pfDevice:
    case TPixelFormat::pf32bit:
    case TPixelFormat::pfCustom: {
      uint8_t* p = row + 4 * X;
      p[0] = BlueOf(C);
      p[1] = GreenOf(C);
      p[2] = RedOf(C);
      p[3] = 0;
      return;
    }
  }
}

void TBitmap::SetPixelFormat(TPixelFormat Format) {
  if (Format == FFormat) return;
  TBitmap out;
  out.Allocate(FWidth, FHeight, Format);
  const int bits = BitsPerPixel(Format);
  if (IsPaletteFormat(Format)) {
    // An exact palette when the picture has few enough colours.
    const size_t limit = size_t{1} << bits;
    std::vector<TColor> used;
    std::unordered_map<TColor, int> index;
    bool exact = true;
    for (int y = 0; y < FHeight && exact; ++y)
      for (int x = 0; x < FWidth; ++x) {
        const TColor c = GetPixel(x, y);
        if (index.emplace(c, int(used.size())).second) {
          if (used.size() == limit) {
            exact = false;
            break;
          }
          used.push_back(c);
        }
      }
    if (exact) {
      used.resize(limit, clBlack);
      out.FPalette = used;
    }
    std::unordered_map<TColor, int> memo;
    for (int y = 0; y < FHeight; ++y) {
      uint8_t* row = out.ScanLine(y);
      for (int x = 0; x < FWidth; ++x) {
        const TColor c = GetPixel(x, y);
        auto it = memo.find(c);
        if (it == memo.end()) it = memo.emplace(c, out.NearestPaletteIndex(c)).first;
        const auto i = static_cast<uint8_t>(it->second);
        if (bits == 8) {
          row[x] = i;
        } else if (bits == 4) {
          row[x >> 1] |= (x & 1) ? i : uint8_t(i << 4);
        } else if (i) {
          row[x >> 3] |= uint8_t(0x80 >> (x & 7));
        }
      }
    }
  } else if (Format == TPixelFormat::pf24bit && BitsPerPixel() == 32) {
    for (int y = 0; y < FHeight; ++y) {
      const uint8_t* s = ScanLine(y);
      uint8_t* d = out.ScanLine(y);
      for (int x = 0; x < FWidth; ++x, s += 4, d += 3) {
        d[0] = s[0];
        d[1] = s[1];
        d[2] = s[2];
      }
    }
  } else if (bits == 32 && FFormat == TPixelFormat::pf24bit) {
    for (int y = 0; y < FHeight; ++y) {
      const uint8_t* s = ScanLine(y);
      uint8_t* d = out.ScanLine(y);
      for (int x = 0; x < FWidth; ++x, s += 3, d += 4) {
        d[0] = s[0];
        d[1] = s[1];
        d[2] = s[2];
        d[3] = 0;
      }
    }
  } else if (bits == 32 && BitsPerPixel() == 32) {
    out.FPixels = FPixels;
  } else {
    for (int y = 0; y < FHeight; ++y)
      for (int x = 0; x < FWidth; ++x) out.SetPixel(x, y, GetPixel(x, y));
  }
  out.Transparent = Transparent;
  out.TransparentColor = TransparentColor;
  out.XPelsPerMeter = XPelsPerMeter;
  out.YPelsPerMeter = YPelsPerMeter;
  *this = std::move(out);
}

TPaintCache& TBitmap::PaintCache() {
  if (!FPaintCache || FPaintCache->Generation() != FGeneration) {
    FPaintCache.reset();
    FPaintCache = std::make_unique<TPaintCache>(*this);
  }
  return *FPaintCache;
}

void TBitmap::DropPaintCache() { FPaintCache.reset(); }

}  // namespace trochodraw
