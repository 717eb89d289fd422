#include "imagefiles/tiff_codec.h"

#include <algorithm>

#include "imagefiles/byte_writer.h"
#include "imagefiles/packbits.h"

namespace trochodraw {

namespace {

constexpr uint16_t kASCII = 2, kShort = 3, kLong = 4, kRational = 5;
constexpr uint32_t kCompressionNone = 1, kCompressionPackBits = 32773;

struct TIFDEntry {
  uint16_t Tag;
  uint16_t Type;
  uint32_t Count;
  uint32_t Value;
};

// Width and height go as SHORT like every other small value; a side beyond 65535 needs LONG.
TIFDEntry SizeEntry(uint16_t Tag, int V) {
  return {Tag, V > 0xFFFF ? kLong : kShort, 1, static_cast<uint32_t>(V)};
}

void EncodePaletteStrip(const TBitmap& B, int Bits, bool PackBits, std::vector<uint8_t>& Strip) {
  const size_t rowBytes = (static_cast<size_t>(B.Width()) * Bits + 7) / 8;
  const size_t region = static_cast<size_t>(B.Width()) * static_cast<size_t>(B.Height());
  Strip.reserve(std::max(region, rowBytes * static_cast<size_t>(B.Height())));
  for (int y = 0; y < B.Height(); ++y) {
    if (PackBits)
      PackBitsEncodeRow(B.ScanLine(y), rowBytes, Strip);
    else
      Strip.insert(Strip.end(), B.ScanLine(y), B.ScanLine(y) + rowBytes);
  }
  // The strip region is at least width x height bytes; what the rows leave stays zero.
  if (Strip.size() < region) Strip.resize(region, 0);
}

void EncodeRGBStrip(const TBitmap& B, bool PackBits, std::vector<uint8_t>& Strip) {
  const size_t rowBytes = static_cast<size_t>(B.Width()) * 3;
  std::vector<uint8_t> row(rowBytes);
  Strip.reserve(PackBits ? rowBytes * static_cast<size_t>(B.Height()) / 2 : rowBytes * static_cast<size_t>(B.Height()));
  for (int y = 0; y < B.Height(); ++y) {
    const uint8_t* s = B.ScanLine(y);
    for (size_t i = 0; i < rowBytes; i += 3) {
      row[i] = s[i + 2];
      row[i + 1] = s[i + 1];
      row[i + 2] = s[i];
    }
    if (PackBits)
      PackBitsEncodeRow(row.data(), rowBytes, Strip);
    else
      Strip.insert(Strip.end(), row.begin(), row.end());
  }
}

}  // namespace

std::vector<uint8_t> EncodeTIFF(const TBitmap& Bitmap) { return EncodeTIFF(Bitmap, true); }

bool TIFFWriterTakes(TPixelFormat Format) {
  return Format != TPixelFormat::pfDevice && Format != TPixelFormat::pf32bit && Format != TPixelFormat::pfCustom;
}

std::vector<uint8_t> EncodeTIFF(const TBitmap& Bitmap, bool PackBits) {
  const TPixelFormat format = Bitmap.PixelFormat();
  if (!TIFFWriterTakes(format)) throw EImageError("Invalid Pixel Format");
  if (Bitmap.Empty()) throw EImageError("Width or Height is Zero");

  // Two-byte pixels are widened to RGB rather than read three bytes at a time.
  TBitmap widened;
  const TBitmap* source = &Bitmap;
  if (format == TPixelFormat::pf15bit || format == TPixelFormat::pf16bit) {
    widened = Bitmap;
    widened.SetPixelFormat(TPixelFormat::pf24bit);
    source = &widened;
  }
  const TBitmap& B = *source;
  const bool palette = B.PixelFormat() != TPixelFormat::pf24bit;
  const int bits = palette ? B.BitsPerPixel() : 24;

  TByteWriter w(false);
  w.Text("II", 2);
  w.U16(42);
  w.U32(0);  // the directory offset, filled in last
  w.U32(100);
  w.U32(1);
  w.U32(100);
  w.U32(1);
  w.U32(0);
  w.Text("Millrace", 8);

  const uint32_t colours = 1u << (palette ? bits : 0);
  if (palette) {
    const uint32_t scale = bits == 8 ? 256 : 257;
    const std::vector<TColor>& pal = B.Palette();
    auto component = [&](uint32_t i, uint8_t (*Of)(TColor)) { return i < pal.size() ? Of(pal[i]) * scale : 0u; };
    for (uint32_t i = 0; i < colours; ++i) w.U16(component(i, RedOf));
    for (uint32_t i = 0; i < colours; ++i) w.U16(component(i, GreenOf));
    for (uint32_t i = 0; i < colours; ++i) w.U16(component(i, BlueOf));
  }

  const uint32_t stripOffset = static_cast<uint32_t>(w.Position());
  std::vector<uint8_t> strip;
  if (palette)
    EncodePaletteStrip(B, bits, PackBits, strip);
  else
    EncodeRGBStrip(B, PackBits, strip);
  w.Reserve(w.Position() + strip.size() + 2 + 16 * 12 + 4);
  w.Append(strip.data(), strip.size());
  // A directory must start on a word boundary.
  if (w.Position() & 1) w.U8(0);

  uint32_t photometric = 2;
  if (palette) {
    photometric = 3;
    if (bits == 1) photometric = (!B.Palette().empty() && RedOf(B.Palette()[0]) != 0) ? 0 : 1;
  }
  const uint32_t compression = PackBits ? kCompressionPackBits : kCompressionNone;
  std::vector<TIFDEntry> entries = {
      {254, kLong, 1, 0},
      SizeEntry(256, B.Width()),
      SizeEntry(257, B.Height()),
      {258, kShort, 1, palette ? static_cast<uint32_t>(bits) : 8},
      {259, kShort, 1, compression},
      {262, kShort, 1, photometric},
      {273, kLong, 1, stripOffset},
      {277, kShort, 1, palette ? 1u : 3u},
      {278, kLong, 1, static_cast<uint32_t>(B.Height())},
      {279, kLong, 1, static_cast<uint32_t>(strip.size())},
      {282, kRational, 1, 8},
      {283, kRational, 1, 16},
  };
  if (!palette) entries.push_back({284, kShort, 1, 1});
  entries.push_back({296, kShort, 1, 2});
  entries.push_back({305, kASCII, 8, 28});
  if (palette) entries.push_back({320, kShort, colours * 3, 36});

  const uint32_t ifdOffset = static_cast<uint32_t>(w.Position());
  w.U16(static_cast<uint32_t>(entries.size()));
  for (const TIFDEntry& e : entries) {
    w.U16(e.Tag);
    w.U16(e.Type);
    w.U32(e.Count);
    w.U32(e.Value);
  }
  w.U32(0);
  w.PatchU32(4, ifdOffset);
  return std::move(w.Bytes());
}

}  // namespace trochodraw
