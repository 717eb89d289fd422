// The reading half of the TIFF codec (the writer is tiff_codec.cpp).
#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "imagefiles/byte_view.h"
#include "imagefiles/packbits.h"
#include "imagefiles/tiff_codec.h"
#include "imagefiles/tiff_lzw.h"

namespace trochodraw {

namespace {

constexpr uint32_t kNone = 1, kLZW = 5, kPackBits = 32773;

// Where an IFD entry keeps its values: in the entry itself when they fit in four bytes,
// else at the offset the entry holds.
struct TTagValues {
  uint64_t At = 0;
  uint32_t Count = 0;
  uint32_t ElementSize = 0;

  // True when the file really holds value Index (a value past the end of the file reads as 0).
  bool Has(const TByteView& In, uint64_t Index) const { return Index < Count && In.Has(At + Index * ElementSize, ElementSize); }

  uint32_t Get(const TByteView& In, uint64_t Index) const {
    if (Index >= Count) return 0;
    const uint64_t at = At + Index * ElementSize;
    switch (ElementSize) {
      case 1: return In.U8(at);
      case 2: return In.U16(at);
      default: return In.U32(at);
    }
  }
};

uint32_t ElementSize(uint16_t Type) {
  switch (Type) {
    case 1: case 2: case 6: case 7: return 1;  // BYTE, ASCII, SBYTE, UNDEFINED
    case 3: case 8: return 2;                  // SHORT, SSHORT
    case 5: case 10: case 12: return 8;        // RATIONAL, SRATIONAL, DOUBLE
    default: return 4;                         // LONG, SLONG, FLOAT, IFD
  }
}

TTagValues EntryValues(const TByteView& In, uint64_t Entry) {
  TTagValues v;
  v.ElementSize = ElementSize(In.U16(Entry + 2));
  v.Count = In.U32(Entry + 4);
  v.At = uint64_t(v.Count) * v.ElementSize <= 4 ? Entry + 8 : In.U32(Entry + 8);
  return v;
}

// The reader state, filled from the tags of the first directory.
struct TTIFFInfo {
  uint32_t Width = 0;
  uint32_t Height = 0;
  uint64_t BytesPerRow = 0;
  uint32_t BitsPerPixel = 0;
  uint32_t Photometric = 1;
  uint32_t RowsPerStrip = 0;
  TTagValues StripOffsets;
  bool HasStripOffsets = false;
  TTagValues StripByteCounts;  // only to bound what the strips can hold
  uint32_t SamplesPerPixel = 1;
  uint32_t Predictor = 0;
  uint32_t Compression = kNone;
  uint32_t BitsPerSample = 0;
  uint32_t PlanarConfiguration = 1;
  TTagValues ColorMap;
  bool HasColorMap = false;
};

[[noreturn]] void CannotCreate() { throw EImageError("Unsupported Format: Could not create Bitmap."); }

TTIFFInfo ReadDirectory(const TByteView& In, uint32_t IFD) {
  TTIFFInfo info;
  const uint32_t count = In.U16(IFD);
  for (uint32_t i = 0; i < count; ++i) {
    const uint64_t entry = uint64_t(IFD) + 2 + 12 * uint64_t(i);
    if (!In.Has(entry, 12)) break;
    const TTagValues v = EntryValues(In, entry);
    const uint32_t first = v.Get(In, 0);
    switch (In.U16(entry)) {
      case 256: info.Width = first; break;
      case 257: info.Height = first; break;
      case 258: info.BitsPerSample = first; break;
      case 259: info.Compression = first; break;
      case 262: info.Photometric = first; break;
      case 273:
        info.StripOffsets = v;
        info.HasStripOffsets = v.Count > 0;
        break;
      case 277: info.SamplesPerPixel = first; break;
      case 278: info.RowsPerStrip = first; break;
      case 279: info.StripByteCounts = v; break;
      case 284: info.PlanarConfiguration = first; break;
      case 317: info.Predictor = first; break;
      case 320:
        info.ColorMap = v;
        info.HasColorMap = v.Count > 0;
        break;
      default: break;
    }
  }
  return info;
}

std::vector<TColor> MakePalette(const TByteView& In, const TTIFFInfo& Info, uint32_t Bits) {
  const uint32_t entries = Bits >= 8 ? 256 : 1u << Bits;
  std::vector<TColor> pal(entries);
  if (Info.HasColorMap && Info.BitsPerSample <= 16) {
    // The map holds 2^bits red values, then as many green and blue ones.
    const uint64_t n = uint64_t{1} << Info.BitsPerSample;
    const uint64_t used = std::min<uint64_t>(n, 256);
    for (uint64_t i = 0; i < used && i < entries; ++i)
      pal[i] = RGBColor(static_cast<uint8_t>(Info.ColorMap.Get(In, i) >> 8),
                        static_cast<uint8_t>(Info.ColorMap.Get(In, n + i) >> 8),
                        static_cast<uint8_t>(Info.ColorMap.Get(In, 2 * n + i) >> 8));
    if (Bits != 1 || Info.Photometric == 3) return pal;
  }
  if (Bits == 1) {
    const bool whiteIsZero = Info.Photometric == 0;
    return {whiteIsZero ? clWhite : clBlack, whiteIsZero ? clBlack : clWhite};
  }
  // A grey ramp over the whole range, so 2- and 4-bit grey does not come out nearly black.
  for (uint32_t i = 0; i < entries; ++i) {
    uint32_t v = i * 255 / (entries - 1);
    if (Info.Photometric == 0 && Bits < 8) v = 255 - v;
    pal[i] = RGBColor(static_cast<uint8_t>(v), static_cast<uint8_t>(v), static_cast<uint8_t>(v));
  }
  return pal;
}

// How many decoded bytes one byte of the file can give at most, so a small file cannot ask
// for a huge picture. LZW packs densest when every code is one byte longer than the one
// before: a table's cycle then gives 7.36 MB for 5.4 KB of codes, 1,362 to 1, since a writer
// must clear the full table. PackBits repeats a byte 128 times for two bytes. Uncompressed
// data gets the same slack as PackBits so a truncated file still shows what it has.
uint64_t MaxExpansion(uint32_t Compression) { return Compression == kLZW ? 1366 : 64; }
// Room for the picture of a few bytes, and for strips that are missing altogether.
constexpr uint64_t kSlackBytes = 4096;

// The bytes the strips really hold: each strip's data runs from its offset for its byte count
// (to the end of the file without one), and bytes that several strips share count once, so
// strips pointing at the same few bytes cannot stand for many rows.
uint64_t StripDataBytes(const TByteView& In, const TTIFFInfo& Info, uint64_t Strips) {
  std::vector<std::pair<uint64_t, uint64_t>> spans;
  for (uint64_t k = 0; k < Strips && Info.StripOffsets.Has(In, k); ++k) {
    const uint64_t from = Info.StripOffsets.Get(In, k);
    uint64_t to = In.Size();
    if (Info.StripByteCounts.Has(In, k) && Info.StripByteCounts.Get(In, k) > 0)
      to = std::min<uint64_t>(to, from + Info.StripByteCounts.Get(In, k));
    if (from < to) spans.emplace_back(from, to);
  }
  std::sort(spans.begin(), spans.end());
  uint64_t total = 0, covered = 0;
  for (const auto& [from, to] : spans) {
    const uint64_t start = std::max(from, covered);
    if (to > start) total += to - start;
    covered = std::max(covered, to);
  }
  return total;
}

// Turns one decoded row into the bitmap's layout, after undoing the predictor.
class TRowFinisher {
 public:
  TRowFinisher(const TTIFFInfo& Info, bool BigEndian) : FInfo(Info), FBigEndian(BigEndian) {}

  void Finish(uint8_t* Row) const {
    const uint32_t bits = FInfo.BitsPerPixel;
    const size_t n = static_cast<size_t>(FInfo.BytesPerRow);
    if (FInfo.Predictor == 2) UndoPredictor(Row, n);
    if (bits == 8 && FInfo.Photometric == 0) {
      for (size_t i = 0; i < n; ++i) Row[i] = static_cast<uint8_t>(255 - Row[i]);
    } else if (bits == 16) {
      for (size_t i = 0; i < n; i += 2) {
        uint32_t grey;
        if (FInfo.BitsPerSample == 8)
          grey = Row[i] >> 3;  // grey and alpha: the grey byte
        else
          grey = Sample16(Row + i) >> 11;
        if (FInfo.Photometric == 0) grey = 31 - grey;
        const uint32_t pixel = grey * 1057;
        Row[i] = static_cast<uint8_t>(pixel);
        Row[i + 1] = static_cast<uint8_t>(pixel >> 8);
      }
    } else if (bits == 24) {
      for (size_t i = 0; i < n; i += 3) std::swap(Row[i], Row[i + 2]);
    } else if (bits == 32 && FInfo.Photometric == 5) {
      for (size_t i = 0; i < n; i += 4) {
        const uint32_t c = Row[i], m = Row[i + 1], y = Row[i + 2], k = Row[i + 3];
        Row[i] = static_cast<uint8_t>(255 - std::min(255u, y + k));
        Row[i + 1] = static_cast<uint8_t>(255 - std::min(255u, m + k));
        Row[i + 2] = static_cast<uint8_t>(255 - std::min(255u, c + k));
      }
    } else if (bits == 32) {
      for (size_t i = 0; i < n; i += 4) std::swap(Row[i], Row[i + 2]);
    }
  }

 private:
  uint32_t Sample16(const uint8_t* P) const {
    return FBigEndian ? (uint32_t(P[0]) << 8) | P[1] : P[0] | (uint32_t(P[1]) << 8);
  }

  // Horizontal differencing is undone on the samples as stored, before any colour change.
  void UndoPredictor(uint8_t* Row, size_t N) const {
    const uint32_t bits = FInfo.BitsPerPixel;
    if (FInfo.BitsPerSample == 16 && bits % 16 == 0) {
      const size_t stride = bits / 8;
      for (size_t i = stride; i + 1 < N; i += 2) {
        const uint32_t v = (Sample16(Row + i) + Sample16(Row + i - stride)) & 0xFFFF;
        Row[i] = static_cast<uint8_t>(FBigEndian ? v >> 8 : v);
        Row[i + 1] = static_cast<uint8_t>(FBigEndian ? v : v >> 8);
      }
    } else if (bits == 8 || bits == 16 || bits == 24 || bits == 32) {
      const size_t stride = bits / 8;
      for (size_t i = stride; i < N; ++i) Row[i] = static_cast<uint8_t>(Row[i] + Row[i - stride]);
    }
  }

  const TTIFFInfo& FInfo;
  bool FBigEndian;
};

}  // namespace

TBitmap DecodeTIFF(const uint8_t* Data, size_t Size) {
  TByteView in(Data, Size);
  if (!in.Has(0, 8)) throw EImageError("Invalid TIF File");
  const bool bigEndian = Data[0] == 'M' && Data[1] == 'M';
  if (!bigEndian && !(Data[0] == 'I' && Data[1] == 'I')) throw EImageError("Invalid TIF File");
  in.SetBigEndian(bigEndian);
  if (in.U16(2) != 42) throw EImageError("Invalid TIF File");
  const uint32_t ifd = in.U32(4);
  if (ifd == 0) return TBitmap();

  TTIFFInfo info = ReadDirectory(in, ifd);
  const uint64_t bits = uint64_t(info.SamplesPerPixel) * info.BitsPerSample;
  if (bits == 0 || bits > 32 || (bits > 8 && bits % 8 != 0))
    throw EImageError("Unsupported Bits/Pixel: " + std::to_string(bits));
  info.BitsPerPixel = static_cast<uint32_t>(bits);
  info.BytesPerRow = (uint64_t(info.Width) * bits + 7) / 8;
  if (info.Width == 0 || info.Height == 0) throw EImageError("Width or Height is Zero");

  TPixelFormat format;
  switch (bits) {
    case 1: format = TPixelFormat::pf1bit; break;
    case 2:
    case 4: format = TPixelFormat::pf4bit; break;
    case 8: format = TPixelFormat::pf8bit; break;
    case 16: format = TPixelFormat::pf15bit; break;
    case 24: format = TPixelFormat::pf24bit; break;
    case 32: format = TPixelFormat::pf32bit; break;
    default: CannotCreate();
  }
  if (info.Compression != kNone && info.Compression != kLZW && info.Compression != kPackBits)
    throw EImageError("Unsupported Compression = " + std::to_string(info.Compression));
  // One plane per sample would need the planes woven together; read as one it is garbage.
  if (info.PlanarConfiguration == 2 && info.SamplesPerPixel > 1)
    throw EImageError("Unsupported Planar Configuration = 2");
  if (!info.HasStripOffsets) throw EImageError("Invalid TIF File");
  if (info.Width > INT_MAX || info.Height > INT_MAX) CannotCreate();
  const uint32_t height = info.Height;
  const uint32_t rowsPerStrip = info.StripOffsets.Count == 1 || info.RowsPerStrip == 0 || info.RowsPerStrip > height
                                    ? height
                                    : info.RowsPerStrip;
  const uint64_t strips = std::min<uint64_t>(info.StripOffsets.Count, (uint64_t(height) + rowsPerStrip - 1) / rowsPerStrip);
  // A row costs its line of the bitmap (2-bit rows become 4-bit ones), however few bytes it
  // decodes from.
  const uint64_t rowCost = (uint64_t(info.Width) * (bits == 2 ? 4 : bits) + 31) / 32 * 4;
  auto rowsIn = [&](uint64_t Bytes) { return (MaxExpansion(info.Compression) * Bytes + kSlackBytes) / rowCost; };
  if (height > rowsIn(Size)) CannotCreate();
  if (height > rowsIn(StripDataBytes(in, info, strips)))
    throw EImageError("Strip data too short for " + std::to_string(info.Width) + " x " + std::to_string(height));

  TBitmap out;
  try {
    out.Reset(static_cast<int>(info.Width), static_cast<int>(info.Height), format);
  } catch (const EImageError&) {
    CannotCreate();
  }
  out.Palette() = MakePalette(in, info, static_cast<uint32_t>(bits));
  if (bits == 2) out.Palette().resize(16, clBlack);

  const size_t rowBytes = static_cast<size_t>(info.BytesPerRow);
  std::vector<uint8_t> twoBitRow(bits == 2 ? rowBytes : 0);
  const TRowFinisher finisher(info, bigEndian);
  TTIFFLZWDecoder lzw(in);

  uint32_t y = 0;
  bool good = true;
  for (uint32_t strip = 0; strip < strips && y < height && good; ++strip) {
    if (!info.StripOffsets.Has(in, strip)) break;  // the offsets end with the file: the rest is missing
    uint64_t pos = info.StripOffsets.Get(in, strip);
    const uint32_t last = std::min<uint64_t>(uint64_t(y) + rowsPerStrip, height);
    if (info.Compression == kLZW) lzw.Start(pos);
    for (; y < last; ++y) {
      uint8_t* row = bits == 2 ? twoBitRow.data() : out.ScanLine(static_cast<int>(y));
      if (info.Compression == kNone) {
        good = in.Has(pos, rowBytes);
        if (good) std::memcpy(row, Data + pos, rowBytes);
        pos += rowBytes;
      } else if (info.Compression == kPackBits) {
        good = PackBitsDecodeRow(in, pos, row, rowBytes) == TPackBitsResult::prExact;
      } else {
        good = lzw.Read(row, rowBytes) == rowBytes;
      }
      if (!good) {
        // A row that comes out short ends the picture; what follows stays zero.
        std::memset(out.ScanLine(static_cast<int>(y)), 0, static_cast<size_t>(out.BytesPerLine()));
        break;
      }
      finisher.Finish(row);
      if (bits == 2) {
        uint8_t* dest = out.ScanLine(static_cast<int>(y));
        for (uint32_t x = 0; x < info.Width; ++x) {
          const uint8_t v = (row[x >> 2] >> (6 - 2 * (x & 3))) & 3;
          dest[x >> 1] |= (x & 1) ? v : static_cast<uint8_t>(v << 4);
        }
      }
    }
  }
  return out;
}

}  // namespace trochodraw
