#include "imagefiles/lbm_codec.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "imagefiles/byte_view.h"
#include "imagefiles/byte_writer.h"
#include "imagefiles/packbits.h"

namespace trochodraw {

namespace {

constexpr uint32_t kMaxSide = 0xFFFF;

enum TFormType { ftILBM = 1, ftPBM = 2 };

// The picture description both sides use.
struct TLBMInfo {
  bool HeaderSeen = false;
  uint32_t FormSize = 0;
  uint32_t Width = 0, Height = 0;
  int32_t X = 0, Y = 0;
  uint32_t Planes = 0, Masking = 0, Compression = 0, Pad = 0;
  uint32_t TransparentColor = 0;
  uint32_t XAspect = 0, YAspect = 0;
  uint32_t PageWidth = 0, PageHeight = 0;
  std::array<TColor, 256> Palette{};
  TFormType FormType = ftILBM;
};

void WriteBMHD(TByteWriter& W, const TLBMInfo& Info) {
  W.U16(Info.Width);
  W.U16(Info.Height);
  W.U16(static_cast<uint32_t>(Info.X));
  W.U16(static_cast<uint32_t>(Info.Y));
  W.U8(Info.Planes);
  W.U8(Info.Masking);
  W.U8(Info.Compression);
  W.U8(Info.Pad);
  W.U16(Info.TransparentColor);
  W.U8(Info.XAspect);
  W.U8(Info.YAspect);
  W.U16(Info.PageWidth);
  W.U16(Info.PageHeight);
}

void ReadBMHD(const TByteView& Chunk, TLBMInfo& Info) {
  Info.Width = Chunk.U16(0);
  Info.Height = Chunk.U16(2);
  Info.X = static_cast<int16_t>(Chunk.U16(4));
  Info.Y = static_cast<int16_t>(Chunk.U16(6));
  Info.Planes = Chunk.U8(8);
  Info.Masking = Chunk.U8(9);
  Info.Compression = Chunk.U8(10);
  Info.Pad = Chunk.U8(11);
  Info.TransparentColor = Chunk.U16(12);
  Info.XAspect = Chunk.U8(14);
  Info.YAspect = Chunk.U8(15);
  Info.PageWidth = Chunk.U16(16);
  Info.PageHeight = Chunk.U16(18);
  Info.HeaderSeen = true;
}

// Pixel colours of one decoded row.
void ChunkyRow(const TLBMInfo& Info, const uint8_t* Src, uint8_t* Dest) {
  for (uint32_t x = 0; x < Info.Width; ++x, Dest += 3) {
    const TColor c = Info.Palette[Src[x]];
    Dest[0] = BlueOf(c);
    Dest[1] = GreenOf(c);
    Dest[2] = RedOf(c);
  }
}

void PlanarRow(const TLBMInfo& Info, const uint8_t* Src, size_t LineBytes, std::vector<uint32_t>& Index,
               uint8_t* Dest) {
  std::fill(Index.begin(), Index.end(), 0u);
  // Planes beyond the 32nd cannot change a colour any more: the index is already past the
  // palette, and true colour has at most 32.
  const uint32_t planes = std::min<uint32_t>(Info.Planes, 32);
  for (uint32_t p = 0; p < planes; ++p) {
    const uint8_t* line = Src + p * LineBytes;
    for (uint32_t x = 0; x < Info.Width; ++x) Index[x] |= uint32_t((line[x >> 3] >> (7 - (x & 7))) & 1) << p;
  }
  // 24 and 32 planes are true colour: red in planes 0-7, green 8-15, blue 16-23.
  const bool deep = Info.Planes == 24 || Info.Planes == 32;
  for (uint32_t x = 0; x < Info.Width; ++x, Dest += 3) {
    const uint32_t i = Index[x];
    if (deep) {
      Dest[0] = static_cast<uint8_t>(i >> 16);
      Dest[1] = static_cast<uint8_t>(i >> 8);
      Dest[2] = static_cast<uint8_t>(i);
    } else {
      const TColor c = i < 256 ? Info.Palette[i] : clBlack;
      Dest[0] = BlueOf(c);
      Dest[1] = GreenOf(c);
      Dest[2] = RedOf(c);
    }
  }
}

void DecodeBody(const TByteView& In, uint64_t BodyStart, uint64_t BodyEnd, const TLBMInfo& Info, TBitmap& Out) {
  const size_t lineBytes = (size_t(Info.Width) + 15) / 16 * 2;
  const size_t rowBytes = Info.FormType == ftPBM
                              ? size_t(Info.Width)
                              : lineBytes * (size_t(Info.Planes) + (Info.Masking == 1 ? 1 : 0));
  // ByteRun1 turns two bytes into at most 128, so the body bounds the picture it can hold;
  // a picture without planes is bounded as if it had one.
  const TByteView body(In.Data() + BodyStart, static_cast<size_t>(BodyEnd - BodyStart));
  const uint64_t boundBytes = std::max<uint64_t>(rowBytes, lineBytes);
  if (boundBytes * Info.Height > 64 * uint64_t(body.Size()) + 128) throw EImageError("Invalid IFF File");
  Out.Reset(static_cast<int>(Info.Width), static_cast<int>(Info.Height), TPixelFormat::pf24bit);

  std::vector<uint8_t> row(rowBytes);
  std::vector<uint32_t> index(Info.FormType == ftPBM ? 0 : Info.Width);
  uint64_t pos = 0;
  for (uint32_t y = 0; y < Info.Height; ++y) {
    bool complete;
    if (Info.Compression == 1) {
      complete = PackBitsDecodeRow(body, pos, row.data(), rowBytes) != TPackBitsResult::prShort;
    } else {
      complete = body.Has(pos, rowBytes);
      if (complete && rowBytes) std::memcpy(row.data(), body.Data() + pos, rowBytes);
      pos += rowBytes;
    }
    if (!complete) return;  // the rest of the picture stays black
    uint8_t* dest = Out.ScanLine(static_cast<int>(y));
    if (Info.FormType == ftPBM)
      ChunkyRow(Info, row.data(), dest);
    else
      PlanarRow(Info, row.data(), lineBytes, index, dest);
  }
}

// The 8-bit copy the toolkit's conversion makes (an exact palette in first-seen order when
// the picture has at most 256 colours, else the fixed palette with the nearest colour), done
// straight on 24- and 32-bit rows with a colour cache, which a figure needs for speed.
TBitmap EightBitCopy(const TBitmap& B) {
  const int step = B.BitsPerPixel() / 8;
  TBitmap out(B.Width(), B.Height(), TPixelFormat::pf8bit);
  auto colourAt = [step](const uint8_t* Row, int X) {
    const uint8_t* p = Row + X * step;
    return RGBColor(p[2], p[1], p[0]);
  };
  // Open addressing over the colours seen; 1024 slots hold the at most 257 a picture may
  // show before it is known not to fit.
  constexpr uint32_t kSlots = 1024;
  std::vector<uint32_t> keys(kSlots, 0);  // colour + 1, 0 is free
  std::vector<uint8_t> values(kSlots, 0);
  auto slotOf = [&](TColor C) {
    uint32_t i = (C * 2654435761u) >> 22;
    while (keys[i] && keys[i] != C + 1) i = (i + 1) & (kSlots - 1);
    return i;
  };
  std::vector<TColor> used;
  bool exact = true;
  for (int y = 0; y < B.Height() && exact; ++y) {
    const uint8_t* row = B.ScanLine(y);
    for (int x = 0; x < B.Width(); ++x) {
      const TColor c = colourAt(row, x);
      const uint32_t slot = slotOf(c);
      if (keys[slot]) continue;
      if (used.size() == 256) {
        exact = false;
        break;
      }
      keys[slot] = c + 1;
      values[slot] = static_cast<uint8_t>(used.size());
      used.push_back(c);
    }
  }
  if (exact) {
    used.resize(256, clBlack);
    out.Palette() = used;
  }
  // Nearest palette entries of recent colours, direct-mapped.
  constexpr uint32_t kCache = 4096;
  std::vector<uint32_t> cacheKeys(kCache, 0);
  std::vector<uint8_t> cacheValues(kCache, 0);
  for (int y = 0; y < B.Height(); ++y) {
    const uint8_t* row = B.ScanLine(y);
    uint8_t* dest = out.ScanLine(y);
    for (int x = 0; x < B.Width(); ++x) {
      const TColor c = colourAt(row, x);
      if (exact) {
        dest[x] = values[slotOf(c)];
        continue;
      }
      const uint32_t i = (c * 2654435761u) >> 20;
      if (cacheKeys[i] != c + 1) {
        cacheKeys[i] = c + 1;
        cacheValues[i] = static_cast<uint8_t>(out.NearestPaletteIndex(c));
      }
      dest[x] = cacheValues[i];
    }
  }
  return out;
}

}  // namespace

std::vector<uint8_t> EncodeLBM(const TBitmap& Bitmap) { return EncodeLBM(Bitmap, true); }

std::vector<uint8_t> EncodeLBM(const TBitmap& Bitmap, bool Compress) {
  if (uint32_t(Bitmap.Width()) > kMaxSide || uint32_t(Bitmap.Height()) > kMaxSide)
    throw EImageError("Image too large for an IFF file");
  TBitmap reduced;
  const TBitmap* source = &Bitmap;
  const TPixelFormat format = Bitmap.PixelFormat();
  if (format == TPixelFormat::pf24bit || format == TPixelFormat::pf32bit || format == TPixelFormat::pfDevice) {
    reduced = EightBitCopy(Bitmap);
    source = &reduced;
  } else if (format != TPixelFormat::pf8bit) {
    reduced = Bitmap;
    reduced.SetPixelFormat(TPixelFormat::pf8bit);
    source = &reduced;
  }
  const TBitmap& B = *source;
  TLBMInfo info;
  info.Width = info.PageWidth = static_cast<uint32_t>(B.Width());
  info.Height = info.PageHeight = static_cast<uint32_t>(B.Height());
  info.Planes = 8;
  info.Compression = Compress ? 1 : 0;
  info.TransparentColor = 255;
  info.XAspect = info.YAspect = 1;

  TByteWriter w(true);
  w.Reserve(48 + 768 + size_t(info.Width) * info.Height);
  w.Text("FORM", 4);
  w.U32(0);
  w.Text("PBM ", 4);
  w.Text("BMHD", 4);
  w.U32(20);
  WriteBMHD(w, info);
  w.Text("CMAP", 4);
  w.U32(768);
  for (size_t i = 0; i < 256; ++i) {
    const TColor c = i < B.Palette().size() ? B.Palette()[i] : clBlack;
    w.U8(RedOf(c));
    w.U8(GreenOf(c));
    w.U8(BlueOf(c));
  }
  w.Text("BODY", 4);
  const size_t bodyLength = w.Position();
  w.U32(0);
  std::vector<uint8_t>& bytes = w.Bytes();
  for (uint32_t y = 0; y < info.Height; ++y) {
    const uint8_t* row = B.ScanLine(static_cast<int>(y));
    if (Compress)
      PackBitsEncodeRow(row, info.Width, bytes);
    else
      bytes.insert(bytes.end(), row, row + info.Width);
  }
  w.PatchU32(bodyLength, static_cast<uint32_t>(bytes.size() - bodyLength - 4));
  // IFF pads a chunk of odd length to an even size; the pad is not part of the chunk.
  if (bytes.size() & 1) bytes.push_back(0);
  w.PatchU32(4, static_cast<uint32_t>(bytes.size() - 8));
  return std::move(bytes);
}

TBitmap DecodeLBM(const uint8_t* Data, size_t Size) {
  const TByteView in(Data, Size, true);
  if (!in.IsTag(0, "FORM")) throw EImageError("file did not start with \"FORM\".");
  TLBMInfo info;
  info.FormSize = in.U32(4);
  if (in.IsTag(8, "ILBM"))
    info.FormType = ftILBM;
  else if (in.IsTag(8, "PBM "))
    info.FormType = ftPBM;
  else
    throw EImageError("Unknown Form Type.");

  TBitmap out;
  out.Reset(0, 0, TPixelFormat::pf24bit);
  uint64_t pos = 12;
  while (pos < Size && in.U8(pos) != 0) {
    const uint64_t length = in.U32(pos + 4);
    const uint64_t start = pos + 8;
    const uint64_t end = std::min<uint64_t>(start + length, Size);
    const TByteView chunk(start < Size ? Data + start : nullptr, start < end ? static_cast<size_t>(end - start) : 0,
                          true);
    if (in.IsTag(pos, "BMHD")) {
      ReadBMHD(chunk, info);
    } else if (in.IsTag(pos, "CMAP")) {
      const size_t entries = std::min<uint64_t>(length / 3, 256);
      for (size_t i = 0; i < entries; ++i)
        info.Palette[i] = RGBColor(chunk.U8(3 * i), chunk.U8(3 * i + 1), chunk.U8(3 * i + 2));
    } else if (in.IsTag(pos, "BODY")) {
      if (!info.HeaderSeen) throw EImageError("\"BMHD\" is missing.");
      DecodeBody(in, std::min<uint64_t>(start, Size), end, info, out);
      return out;
    }
    pos = start + length + (length & 1);
  }
  // A file that ends before its BODY reads as one with an empty BODY.
  if (!info.HeaderSeen) throw EImageError("\"BMHD\" is missing.");
  DecodeBody(in, Size, Size, info, out);
  return out;
}

}  // namespace trochodraw
