#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "render/color.h"

namespace trochodraw {

// pfDevice is the display's own layout: here 32 bits a pixel, bytes B, G, R, unused.
enum class TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };

class TPaintCache;

// Failures of the bitmap and its codecs carry the system's fixed texts.
class EImageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The toolkit's raster image. Rows are stored top-down, each padded to 4 bytes as in a DIB;
// 1/4/8-bit pixels are palette indexes (high nibble / high bit first), 15-bit is X1R5G5B5,
// 16-bit R5G6B5, 24-bit B,G,R, 32-bit and device B,G,R,X.
class TBitmap {
 public:
  TBitmap();
  TBitmap(int Width, int Height, TPixelFormat Format = TPixelFormat::pfDevice);
  TBitmap(const TBitmap& Other);
  TBitmap& operator=(const TBitmap& Other);
  TBitmap(TBitmap&& Other) noexcept;
  TBitmap& operator=(TBitmap&& Other) noexcept;
  ~TBitmap();

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  bool Empty() const { return FWidth == 0 || FHeight == 0; }
  TPixelFormat PixelFormat() const { return FFormat; }
  int BitsPerPixel() const { return BitsPerPixel(FFormat); }
  static int BitsPerPixel(TPixelFormat Format);
  static int BytesPerLine(int Width, int Bits) { return ((Width * Bits + 31) / 32) * 4; }
  int BytesPerLine() const { return FStride; }

  // Keeps the top-left part of the picture; new area is white. Throws EImageError when the
  // memory cannot be had, leaving the bitmap as it was.
  void SetSize(int Width, int Height);
  // Converts the pixels to the new format (palette formats get an exact palette when the
  // picture has few enough colours, else a fixed one with nearest colours).
  void SetPixelFormat(TPixelFormat Format);
  // Replaces size and format without converting; the pixels are zero and the palette default.
  void Reset(int Width, int Height, TPixelFormat Format);

  uint8_t* ScanLine(int Y) { return FPixels.data() + static_cast<size_t>(Y) * FStride; }
  const uint8_t* ScanLine(int Y) const { return FPixels.data() + static_cast<size_t>(Y) * FStride; }
  uint8_t* Bits() { return FPixels.data(); }
  const uint8_t* Bits() const { return FPixels.data(); }
  size_t ByteCount() const { return FPixels.size(); }

  // Colour table of the 1/4/8-bit formats (2^bits entries), empty for the others.
  std::vector<TColor>& Palette() { return FPalette; }
  const std::vector<TColor>& Palette() const { return FPalette; }

  TColor GetPixel(int X, int Y) const;
  // For the palette formats the nearest palette entry is stored.
  void SetPixel(int X, int Y, TColor C);
  int NearestPaletteIndex(TColor C) const;

  bool Transparent = false;
  TColor TransparentColor = 0;
  int32_t XPelsPerMeter = 3780;  // 96 dots per inch
  int32_t YPelsPerMeter = 3780;

  // Bumped whenever the pixel memory moves or changes layout, so cached painters can rebind.
  uint64_t Generation() const { return FGeneration; }
  TPaintCache& PaintCache();
  void DropPaintCache();

  static std::vector<TColor> DefaultPalette(int Bits);

 private:
  void Allocate(int Width, int Height, TPixelFormat Format);

  int FWidth = 0;
  int FHeight = 0;
  TPixelFormat FFormat = TPixelFormat::pfDevice;
  int FStride = 0;
  std::vector<uint8_t> FPixels;
  std::vector<TColor> FPalette;
  uint64_t FGeneration = 0;
  std::unique_ptr<TPaintCache> FPaintCache;
};

}  // namespace trochodraw
