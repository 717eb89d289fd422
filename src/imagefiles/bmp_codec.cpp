#include "imagefiles/bmp_codec.h"

#include <algorithm>
#include <cstring>

#include "imagefiles/decode_limits.h"

namespace trochodraw {

namespace {

void Put16(std::vector<uint8_t>& o, size_t at, uint32_t v) {
  o[at] = uint8_t(v);
  o[at + 1] = uint8_t(v >> 8);
}
void Put32(std::vector<uint8_t>& o, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) o[at + i] = uint8_t(v >> (8 * i));
}
uint32_t Get16(const uint8_t* p) { return p[0] | (p[1] << 8); }
uint32_t Get32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24); }

constexpr uint32_t BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3;

[[noreturn]] void Bad() { throw EImageError("Bitmap image is not valid"); }

}  // namespace

std::vector<uint8_t> EncodeBMP(const TBitmap& B) {
  const int bits = B.BitsPerPixel();
  const bool palette = bits <= 8;
  const bool fields16 = B.PixelFormat() == TPixelFormat::pf16bit;
  const uint32_t colours = palette ? (1u << bits) : 0;
  const uint32_t tableBytes = colours * 4 + (fields16 ? 12 : 0);
  const uint32_t stride = static_cast<uint32_t>(TBitmap::BytesPerLine(B.Width(), bits));
  const uint32_t imageBytes = stride * static_cast<uint32_t>(B.Height());
  const uint32_t offset = 14 + 40 + tableBytes;
  std::vector<uint8_t> o(offset + imageBytes, 0);
  o[0] = 'B';
  o[1] = 'M';
  Put32(o, 2, offset + imageBytes);
  Put32(o, 10, offset);
  Put32(o, 14, 40);
  Put32(o, 18, static_cast<uint32_t>(B.Width()));
  Put32(o, 22, static_cast<uint32_t>(B.Height()));
  Put16(o, 26, 1);
  Put16(o, 28, static_cast<uint32_t>(bits));
  Put32(o, 30, fields16 ? BI_BITFIELDS : BI_RGB);
  Put32(o, 34, imageBytes);
  Put32(o, 38, static_cast<uint32_t>(B.XPelsPerMeter));
  Put32(o, 42, static_cast<uint32_t>(B.YPelsPerMeter));
  Put32(o, 46, colours);
  Put32(o, 50, 0);
  size_t at = 54;
  if (fields16) {
    Put32(o, at, 0xF800);
    Put32(o, at + 4, 0x07E0);
    Put32(o, at + 8, 0x001F);
    at += 12;
  }
  for (uint32_t i = 0; i < colours; ++i, at += 4) {
    const TColor c = i < B.Palette().size() ? B.Palette()[i] : clBlack;
    o[at] = BlueOf(c);
    o[at + 1] = GreenOf(c);
    o[at + 2] = RedOf(c);
  }
  // Only the pixels are copied: the row padding stays zero. The display format's fourth byte
  // is unused and written as zero, so no reader takes it for an alpha channel.
  const size_t rowBytes = (size_t(B.Width()) * size_t(bits) + 7) / 8;
  const bool clearFourth = B.PixelFormat() == TPixelFormat::pfDevice;
  for (int y = 0; y < B.Height(); ++y) {
    uint8_t* row = &o[offset + size_t(B.Height() - 1 - y) * stride];
    std::memcpy(row, B.ScanLine(y), rowBytes);
    if (clearFourth)
      for (int x = 0; x < B.Width(); ++x) row[4 * size_t(x) + 3] = 0;
  }
  return o;
}

namespace {

int MaskShift(uint32_t m) {
  int s = 0;
  while (m && !(m & 1)) {
    m >>= 1;
    ++s;
  }
  return s;
}
int MaskBits(uint32_t m) {
  m >>= MaskShift(m);
  int n = 0;
  while (m & 1) {
    m >>= 1;
    ++n;
  }
  return n;
}
uint8_t Expand(uint32_t v, uint32_t mask) {
  if (!mask) return 0;
  const int n = MaskBits(mask);
  v = (v & mask) >> MaskShift(mask);
  if (n >= 8) return uint8_t(v >> (n - 8));
  // Replicate the top bits so full scale stays full scale.
  uint32_t r = 0;
  for (int s = 8 - n; s > -n; s -= n) r |= s >= 0 ? v << s : v >> -s;
  return uint8_t(r);
}

void DecodeRLE(const uint8_t* p, size_t n, TBitmap& out, int bits, bool topDown) {
  int x = 0, y = 0;
  const int w = out.Width(), h = out.Height();
  // Pixels outside the picture are dropped; x never runs past w, so no count overflows.
  auto put = [&](int idx) {
    if (x >= w) return;
    if (y < h) {
      uint8_t* row = out.ScanLine(topDown ? y : h - 1 - y);
      if (bits == 8)
        row[x] = uint8_t(idx);
      else
        row[x >> 1] = (x & 1) ? uint8_t((row[x >> 1] & 0xF0) | (idx & 15)) : uint8_t((row[x >> 1] & 0x0F) | (idx << 4));
    }
    ++x;
  };
  size_t i = 0;
  while (i + 1 < n && y < h) {
    const uint8_t count = p[i], val = p[i + 1];
    i += 2;
    if (count) {
      for (int k = 0; k < count && x < w; ++k) put(bits == 8 ? val : (k & 1 ? val & 15 : val >> 4));
      continue;
    }
    if (val == 0) {
      x = 0;
      ++y;
    } else if (val == 1) {
      break;
    } else if (val == 2) {
      if (i + 1 >= n) break;
      x = std::min(x + p[i], w);
      y += p[i + 1];
      i += 2;
    } else {
      const size_t bytes = bits == 8 ? val : (val + 1u) / 2u;
      if (i + bytes > n) break;
      for (int k = 0; k < val; ++k) put(bits == 8 ? p[i + k] : (k & 1 ? p[i + k / 2] & 15 : p[i + k / 2] >> 4));
      i += (bytes + 1) & ~size_t{1};
    }
  }
}

}  // namespace

TBitmap DecodeBMP(const uint8_t* Data, size_t Size) {
  if (Size < 26 || Data[0] != 'B' || Data[1] != 'M') Bad();
  const uint32_t offset = Get32(Data + 10);
  const uint32_t hdr = Get32(Data + 14);
  int64_t width, height;
  uint32_t bits, compression = BI_RGB, used = 0;
  int32_t xppm = 3780, yppm = 3780;
  if (hdr == 12) {
    width = Get16(Data + 18);
    height = static_cast<int16_t>(Get16(Data + 20));
    bits = Get16(Data + 24);
  } else if (hdr >= 40 && Size >= 14 + 40) {
    width = static_cast<int32_t>(Get32(Data + 18));
    height = static_cast<int32_t>(Get32(Data + 22));
    bits = Get16(Data + 28);
    compression = Get32(Data + 30);
    xppm = static_cast<int32_t>(Get32(Data + 38));
    yppm = static_cast<int32_t>(Get32(Data + 42));
    used = Get32(Data + 46);
  } else {
    Bad();
  }
  const bool topDown = height < 0;
  if (topDown) height = -height;
  if (width <= 0 || height <= 0) Bad();
  CheckPictureSize(width, height);
  TPixelFormat fmt;
  switch (bits) {
    case 1: fmt = TPixelFormat::pf1bit; break;
    case 4: fmt = TPixelFormat::pf4bit; break;
    case 8: fmt = TPixelFormat::pf8bit; break;
    case 16: fmt = TPixelFormat::pf15bit; break;
    case 24: fmt = TPixelFormat::pf24bit; break;
    case 32: fmt = TPixelFormat::pf32bit; break;
    default: Bad();
  }
  uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};
  if (bits == 32) masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF;
  size_t tableAt = 14 + hdr;
  if (compression == BI_BITFIELDS) {
    if (bits != 16 && bits != 32) Bad();
    const size_t at = hdr >= 52 ? 14 + 40 : tableAt;
    if (at + 12 > Size) Bad();
    for (int i = 0; i < 3; ++i) masks[i] = Get32(Data + at + 4 * i);
    if (hdr < 52) tableAt += 12;
    if (bits == 16 && masks[0] == 0xF800 && masks[1] == 0x07E0 && masks[2] == 0x001F) fmt = TPixelFormat::pf16bit;
  } else if (compression == BI_RLE8) {
    if (bits != 8) Bad();
  } else if (compression == BI_RLE4) {
    if (bits != 4) Bad();
  } else if (compression != BI_RGB) {
    Bad();
  }
  const uint64_t stride = ((uint64_t(width) * bits + 31) / 32) * 4;
  if (compression != BI_RLE4 && compression != BI_RLE8 && (offset > Size || stride * uint64_t(height) > Size - offset))
    Bad();
  TBitmap out(static_cast<int>(width), static_cast<int>(height), fmt);
  out.XPelsPerMeter = xppm;
  out.YPelsPerMeter = yppm;
  if (bits <= 8) {
    const uint32_t maxColours = 1u << bits;
    const uint32_t n = used == 0 || used > maxColours ? maxColours : used;
    const size_t entry = hdr == 12 ? 3 : 4;
    std::vector<TColor> pal(maxColours, clBlack);
    for (uint32_t i = 0; i < n && tableAt + entry * (i + 1) <= Size; ++i) {
      const uint8_t* q = Data + tableAt + entry * i;
      pal[i] = RGBColor(q[2], q[1], q[0]);
    }
    out.Palette() = pal;
  }
  if (compression == BI_RLE4 || compression == BI_RLE8) {
    if (offset >= Size) Bad();
    DecodeRLE(Data + offset, Size - offset, out, static_cast<int>(bits), topDown);
    return out;
  }
  const bool fieldsNeeded = (bits == 16 && fmt == TPixelFormat::pf15bit && compression == BI_BITFIELDS) ||
                            (bits == 32 && compression == BI_BITFIELDS &&
                             !(masks[0] == 0xFF0000 && masks[1] == 0xFF00 && masks[2] == 0xFF));
  for (int64_t y = 0; y < height; ++y) {
    const uint8_t* src = Data + offset + size_t(topDown ? y : height - 1 - y) * stride;
    uint8_t* dst = out.ScanLine(static_cast<int>(y));
    if (!fieldsNeeded) {
      std::memcpy(dst, src, std::min<size_t>(stride, out.BytesPerLine()));
      if (bits == 32)
        for (int64_t x = 0; x < width; ++x) dst[4 * x + 3] = 0;
      continue;
    }
    for (int64_t x = 0; x < width; ++x) {
      const uint32_t v = bits == 16 ? Get16(src + 2 * x) : Get32(src + 4 * x);
      out.SetPixel(static_cast<int>(x), static_cast<int>(y),
                   RGBColor(Expand(v, masks[0]), Expand(v, masks[1]), Expand(v, masks[2])));
    }
  }
  return out;
}

}  // namespace trochodraw
