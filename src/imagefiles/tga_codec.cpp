#include "imagefiles/tga_codec.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "imagefiles/byte_view.h"
#include "imagefiles/byte_writer.h"

namespace trochodraw {

namespace {

constexpr size_t kHeaderSize = 18;
constexpr uint32_t kMaxSide = 0xFFFF;

// Run-length packets of whole pixels: a header byte, then one pixel repeated (top bit set)
// or (header & 127) + 1 pixels as they are.
class TTGAPackets {
 public:
  TTGAPackets(const TByteView& In, uint64_t Start, size_t PixelBytes) : FIn(In), FPos(Start), FPixel(PixelBytes) {}

  // Writes up to N pixels to Dest; fewer only when the data ended.
  size_t Read(uint8_t* Dest, size_t N) {
    size_t done = 0;
    while (done < N) {
      if (!FLeft) {
        if (FPos >= FIn.Size()) return done;
        const uint8_t h = FIn.U8(FPos++);
        FLeft = (h & 127u) + 1;
        FRun = (h & 128) != 0;
        if (FRun) {
          if (!FIn.Has(FPos, FPixel)) return Stop(done);
          std::memcpy(FValue, FIn.Data() + FPos, FPixel);
          FPos += FPixel;
        }
      }
      const size_t k = std::min<size_t>(FLeft, N - done);
      if (FRun) {
        for (size_t i = 0; i < k; ++i) std::memcpy(Dest + (done + i) * FPixel, FValue, FPixel);
        done += k;
        FLeft -= static_cast<uint32_t>(k);
      } else {
        const size_t there = std::min(k, FIn.Available(FPos) / FPixel);
        std::memcpy(Dest + done * FPixel, FIn.Data() + FPos, there * FPixel);
        FPos += there * FPixel;
        done += there;
        FLeft -= static_cast<uint32_t>(there);
        if (there < k) return Stop(done);
      }
    }
    return done;
  }

  // Drops what is left of the current packet (its raw pixels are skipped).
  void DropPacket() {
    if (!FRun) FPos += uint64_t(FLeft) * FPixel;
    FLeft = 0;
  }

 private:
  size_t Stop(size_t Done) {
    FPos = FIn.Size();
    FLeft = 0;
    return Done;
  }

  const TByteView& FIn;
  uint64_t FPos;
  size_t FPixel;
  uint32_t FLeft = 0;
  bool FRun = false;
  uint8_t FValue[4] = {};
};

[[noreturn]] void BadPixelSize(uint32_t Depth) {
  throw ETGAException("Unsupported TGA Pixel Size: " + std::to_string(Depth));
}

// The writer works on any bitmap, so the export need not copy the figure first.
std::vector<uint8_t> WriteTGA(const TBitmap& B) {
  if (!TGAWriterTakes(B.PixelFormat())) throw ETGAException("Unsupported Bitmap format");
  const uint32_t depth = B.PixelFormat() == TPixelFormat::pf24bit ? 24 : 32;
  if (uint32_t(B.Width()) > kMaxSide || uint32_t(B.Height()) > kMaxSide)
    throw ETGAException("Image too large for a TGA file");
  const size_t rowBytes = size_t(B.Width()) * depth / 8;
  TByteWriter w(false);
  w.Reserve(kHeaderSize + rowBytes * size_t(B.Height()));
  w.U8(0);
  w.U8(0);
  w.U8(2);
  w.U16(0);
  w.U16(0);
  w.U8(0);
  w.U16(0);
  w.U16(0);
  w.U16(static_cast<uint32_t>(B.Width()));
  w.U16(static_cast<uint32_t>(B.Height()));
  w.U8(depth);
  w.U8(0);
  for (int y = B.Height() - 1; y >= 0; --y) w.Append(B.ScanLine(y), rowBytes);
  return std::move(w.Bytes());
}

}  // namespace

std::vector<uint8_t> TTGAImage::SaveToStream() const { return WriteTGA(*this); }

void TTGAImage::LoadFromStream(const uint8_t* Data, size_t Size) {
  const TByteView in(Data, Size);
  if (!in.Has(0, kHeaderSize)) throw ETGAException("Invalid TGA File");
  const uint32_t idLength = in.U8(0), mapType = in.U8(1), type = in.U8(2);
  const uint32_t mapFirst = in.U16(3), mapLength = in.U16(5), mapBits = in.U8(7);
  const uint32_t width = in.U16(12), height = in.U16(14), depth = in.U8(16), descriptor = in.U8(17);

  if (type == 0) {
    *this = TTGAImage(0, 0, TPixelFormat::pf24bit);
    return;
  }
  const uint32_t kind = type & 7;  // 1 colour-mapped, 2 true-colour, 3 grey; +8 run-length
  if ((type != kind && type != kind + 8) || kind < 1 || kind > 3)
    throw ETGAException("Unsupported TGA ImageType " + std::to_string(type));

  TPixelFormat format = TPixelFormat::pf24bit;
  if (kind == 2) {
    if (depth == 15 || depth == 16)
      format = TPixelFormat::pf15bit;
    else if (depth == 32)
      format = TPixelFormat::pf32bit;
    else if (depth != 24)
      BadPixelSize(depth);
  } else if (depth != 8 && depth != 16) {
    BadPixelSize(depth);  // indexes and greys are one byte, or two (16-bit index, grey + alpha)
  }
  const size_t pixelBytes = (depth + 7) / 8;

  // Colour-map entries belong to indexes mapFirst onwards.
  const uint64_t mapAt = kHeaderSize + idLength;
  const size_t entryBytes = mapBits == 15 ? 2 : (mapBits + 7) / 8;
  std::vector<TColor> map;
  if (mapType != 0) {
    map.assign(mapLength, clBlack);
    for (uint32_t i = 0; i < mapLength; ++i) {
      const uint64_t at = mapAt + uint64_t(i) * entryBytes;
      if (mapBits == 15 || mapBits == 16) {
        const uint32_t v = in.U16(at);
        map[i] = RGBColor(static_cast<uint8_t>(((v >> 10) & 31) * 8), static_cast<uint8_t>(((v >> 5) & 31) * 8),
                          static_cast<uint8_t>((v & 31) * 8));
      } else if (mapBits == 24 || mapBits == 32) {
        map[i] = RGBColor(in.U8(at + 2), in.U8(at + 1), in.U8(at));
      }
    }
  }
  const uint64_t dataAt = mapAt + uint64_t(mapLength) * entryBytes;
  // A packet gives at most 128 pixels, so the file bounds the picture it can describe.
  if (uint64_t(width) * height > 128 * uint64_t(in.Available(dataAt)) + 128) throw ETGAException("Invalid TGA File");

  TTGAImage out;
  out.Reset(static_cast<int>(width), static_cast<int>(height), format);
  const bool topDown = (descriptor & 0x20) != 0;
  const bool packed = type > 8;
  const size_t rowBytes = size_t(width) * pixelBytes;
  std::vector<uint8_t> buffer(kind == 2 ? 0 : rowBytes);
  TTGAPackets packets(in, dataAt, pixelBytes);
  for (uint32_t r = 0; r < height; ++r) {
    uint8_t* dest = out.ScanLine(static_cast<int>(topDown ? r : height - 1 - r));
    uint8_t* row = kind == 2 ? dest : buffer.data();
    size_t pixels;
    if (packed) {
      if (kind != 2) packets.DropPacket();  // types 9 and 11 start every row afresh
      pixels = packets.Read(row, width);
    } else {
      const uint64_t at = dataAt + uint64_t(r) * rowBytes;
      pixels = std::min<size_t>(width, in.Available(at) / pixelBytes);
      if (pixels) std::memcpy(row, Data + at, pixels * pixelBytes);
    }
    if (kind != 2) {
      for (size_t x = 0; x < pixels; ++x) {
        const uint8_t* p = row + x * pixelBytes;
        TColor c;
        if (kind == 3) {
          c = RGBColor(p[0], p[0], p[0]);
        } else {
          const uint32_t index = pixelBytes == 1 ? p[0] : p[0] | (uint32_t(p[1]) << 8);
          c = index >= mapFirst && index - mapFirst < map.size() ? map[index - mapFirst] : clBlack;
        }
        dest[3 * x] = BlueOf(c);
        dest[3 * x + 1] = GreenOf(c);
        dest[3 * x + 2] = RedOf(c);
      }
    }
    if (pixels < width) break;  // the data ended; the rest stays as it was
  }
  *this = std::move(out);
}

std::vector<uint8_t> EncodeTGA(const TBitmap& Bitmap) { return WriteTGA(Bitmap); }

bool TGAWriterTakes(TPixelFormat Format) { return Format == TPixelFormat::pf24bit || Format == TPixelFormat::pf32bit; }

TBitmap DecodeTGA(const uint8_t* Data, size_t Size) {
  TTGAImage image;
  image.LoadFromStream(Data, Size);
  return TBitmap(std::move(image));
}

}  // namespace trochodraw
