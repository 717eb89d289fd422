#include "imagefiles/pcx_codec.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "imagefiles/byte_view.h"
#include "imagefiles/byte_writer.h"
#include "imagefiles/resolution_units.h"

namespace trochodraw {

namespace {

constexpr size_t kHeaderSize = 128;
constexpr uint32_t kMaxSide = 0xFFFF;

// One plane of one row: runs of equal bytes up to 63; a lone byte below 192 stands alone,
// everything else is 192 + length and the byte. Src is read every Step bytes.
void EncodePlane(const uint8_t* Src, size_t N, size_t Step, std::vector<uint8_t>& Out) {
  size_t i = 0;
  while (i < N) {
    const uint8_t v = Src[i * Step];
    size_t run = 1;
    while (i + run < N && run < 63 && Src[(i + run) * Step] == v) ++run;
    if (run == 1 && v < 192) {
      Out.push_back(v);
    } else {
      Out.push_back(static_cast<uint8_t>(192 + run));
      Out.push_back(v);
    }
    i += run;
  }
}

// The body is one run-length stream; runs may cross plane and row boundaries, so the
// decoder keeps an unfinished run for the next call.
class TPCXRunReader {
 public:
  TPCXRunReader(const TByteView& In, uint64_t Start) : FIn(In), FPos(Start) {}

  void Fill(uint8_t* Dest, size_t N) {
    const uint8_t* data = FIn.Data();
    const size_t size = FIn.Size();
    size_t done = 0;
    while (done < N) {
      if (FLeft) {
        const size_t k = std::min<size_t>(FLeft, N - done);
        std::memset(Dest + done, FValue, k);
        done += k;
        FLeft -= static_cast<uint32_t>(k);
      } else if (FPos >= size) {
        std::memset(Dest + done, 0, N - done);  // bytes missing at the end read as zero
        return;
      } else {
        const uint8_t b = data[FPos++];
        if (b >= 192) {
          FLeft = b & 63u;
          FValue = FIn.U8(FPos++);
        } else {
          Dest[done++] = b;
        }
      }
    }
  }
  // Where the body ended; a run cut off at the end of the body is dropped.
  uint64_t Position() const { return FPos; }

 private:
  const TByteView& FIn;
  uint64_t FPos;
  uint32_t FLeft = 0;
  uint8_t FValue = 0;
};

[[noreturn]] void Invalid() { throw EImageError("Invalid PCX File"); }

}  // namespace

std::vector<uint8_t> EncodePCX(const TBitmap& Bitmap) {
  if (Bitmap.Empty()) throw EImageError("Width or Height is Zero");
  if (uint32_t(Bitmap.Width()) > kMaxSide || uint32_t(Bitmap.Height()) > kMaxSide)
    throw EImageError("Image too large for a PCX file");
  TBitmap converted;
  const TBitmap* source = &Bitmap;
  if (Bitmap.PixelFormat() != TPixelFormat::pf24bit) {
    converted = Bitmap;
    converted.SetPixelFormat(TPixelFormat::pf24bit);
    source = &converted;
  }
  const TBitmap& B = *source;
  const auto w = static_cast<uint32_t>(B.Width()), h = static_cast<uint32_t>(B.Height());

  TByteWriter out(false);
  out.Reserve(kHeaderSize + size_t(w) * h);
  out.U8(10);
  out.U8(5);
  out.U8(1);
  out.U8(8);
  out.U16(0);
  out.U16(0);
  out.U16(w - 1);
  out.U16(h - 1);
  out.U16(DotsPerInchFromPelsPerMeter(B.XPelsPerMeter));
  out.U16(DotsPerInchFromPelsPerMeter(B.YPelsPerMeter));
  out.Zeros(48);
  out.U8(0);
  out.U8(3);
  out.U16(w);
  out.U16(1);
  out.U16(w);
  out.U16(h);
  out.Zeros(54);
  std::vector<uint8_t>& bytes = out.Bytes();
  for (uint32_t y = 0; y < h; ++y) {
    const uint8_t* row = B.ScanLine(static_cast<int>(y));
    EncodePlane(row + 2, w, 3, bytes);  // red
    EncodePlane(row + 1, w, 3, bytes);  // green
    EncodePlane(row, w, 3, bytes);      // blue
  }
  return std::move(bytes);
}

TBitmap DecodePCX(const uint8_t* Data, size_t Size) {
  const TByteView in(Data, Size);
  if (!in.Has(0, kHeaderSize)) Invalid();
  const uint32_t bits = in.U8(3);
  const uint32_t xMin = in.U16(4), yMin = in.U16(6), xMax = in.U16(8), yMax = in.U16(10);
  const uint32_t planes = in.U8(65);
  const uint32_t bytesPerLine = in.U16(66);
  std::array<TColor, 16> header{};
  for (size_t i = 0; i < 16; ++i)
    header[i] = RGBColor(in.U8(16 + 3 * i), in.U8(17 + 3 * i), in.U8(18 + 3 * i));
  if (xMax < xMin || yMax < yMin) Invalid();
  const uint32_t width = xMax - xMin + 1, height = yMax - yMin + 1;

  // 1 to 4 bit planes, packed 2, 4 and 8 bits in one plane, and three 8-bit planes.
  const bool known = (bits == 1 && planes >= 1 && planes <= 4) ||
                     (planes == 1 && (bits == 2 || bits == 4 || bits == 8)) || (planes == 3 && bits == 8);
  if (!known) throw EImageError("Unsupported PCX Format");
  if (uint64_t(bytesPerLine) * 8 < uint64_t(width) * bits) Invalid();
  // A run gives at most 63 bytes for two, so the file bounds the size it can describe.
  const uint64_t lineBytes = uint64_t(planes) * bytesPerLine;
  if (lineBytes * height > 32 * uint64_t(Size - kHeaderSize) + 63) Invalid();

  TBitmap out;
  out.Reset(static_cast<int>(width), static_cast<int>(height), TPixelFormat::pf24bit);
  out.XPelsPerMeter = PelsPerMeterFromDotsPerInch(in.U16(12));
  out.YPelsPerMeter = PelsPerMeterFromDotsPerInch(in.U16(14));

  TPCXRunReader body(in, kHeaderSize);
  std::vector<uint8_t> line(static_cast<size_t>(lineBytes));
  const uint8_t* p0 = line.data();
  const uint8_t* p1 = p0 + bytesPerLine;
  const uint8_t* p2 = p1 + bytesPerLine;
  const uint8_t* p3 = p2 + bytesPerLine;
  for (uint32_t y = 0; y < height; ++y) {
    body.Fill(line.data(), line.size());
    uint8_t* d = out.ScanLine(static_cast<int>(y));
    if (planes == 1 && bits == 8) {
      std::memcpy(d, p0, width);  // indices for now; the palette follows the body
      continue;
    }
    for (uint32_t x = 0; x < width; ++x, d += 3) {
      TColor c;
      const uint32_t byte = x >> 3;
      const int shift = 7 - static_cast<int>(x & 7);
      if (planes == 3 && bits == 8) {
        d[0] = p2[x];
        d[1] = p1[x];
        d[2] = p0[x];
        continue;
      } else if (bits == 2) {
        c = header[(p0[x >> 2] >> (6 - 2 * (x & 3))) & 3];
      } else if (bits == 4) {
        c = header[(p0[x >> 1] >> ((x & 1) ? 0 : 4)) & 15];
      } else {
        // One bit from each plane, the last plane the most significant.
        uint32_t i = (p0[byte] >> shift) & 1;
        if (planes > 1) i |= ((p1[byte] >> shift) & 1) << 1;
        if (planes > 2) i |= ((p2[byte] >> shift) & 1) << 2;
        if (planes > 3) i |= ((p3[byte] >> shift) & 1) << 3;
        c = header[i];
      }
      d[0] = BlueOf(c);
      d[1] = GreenOf(c);
      d[2] = RedOf(c);
    }
  }
  if (planes == 1 && bits == 8) {
    const uint64_t marker = body.Position();
    const bool hasPalette = in.U8(marker) == 12 && in.Has(marker, 1);
    std::array<uint8_t, 768> pal{};
    for (size_t i = 0; i < 768; ++i) pal[i] = hasPalette ? in.U8(marker + 1 + i) : static_cast<uint8_t>(i / 3);
    // Widen each row in place from the right, where it never overwrites an unread index.
    for (uint32_t y = 0; y < height; ++y) {
      uint8_t* d = out.ScanLine(static_cast<int>(y));
      for (uint32_t x = width; x-- > 0;) {
        const uint8_t* e = &pal[3 * size_t(d[x])];
        d[3 * x] = e[2];
        d[3 * x + 1] = e[1];
        d[3 * x + 2] = e[0];
      }
    }
  }
  return out;
}

}  // namespace trochodraw
