#include "imagefiles/gif_codec.h"

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <utility>

#include "imagefiles/decode_limits.h"

namespace trochodraw {

namespace {

struct TGifOutput {
  std::vector<uint8_t>* Out;
};

int WriteToVector(GifFileType* Gif, const GifByteType* Bytes, int Length) {
  auto* o = static_cast<TGifOutput*>(Gif->UserData);
  try {
    o->Out->insert(o->Out->end(), Bytes, Bytes + Length);
  } catch (...) {
    return 0;  // giflib then reports a write failure
  }
  return Length;
}

std::string GifMessage(int Code) {
  const char* m = GifErrorString(Code);
  return m ? m : "unknown error";
}

// The six levels 0, 51, ..., 255: the nearest level of each byte value.
const std::array<uint8_t, 256>& CubeLevel() {
  static const std::array<uint8_t, 256> table = [] {
    std::array<uint8_t, 256> t{};
    for (int v = 0; v < 256; ++v) t[size_t(v)] = static_cast<uint8_t>((v + 25) / 51);
    return t;
  }();
  return table;
}

bool IsPaletteFormat(TPixelFormat F) {
  return F == TPixelFormat::pf1bit || F == TPixelFormat::pf4bit || F == TPixelFormat::pf8bit;
}

// Frees the encoder whichever way EncodeGIF ends.
struct TGifWriter {
  GifFileType* Gif = nullptr;
  ~TGifWriter() {
    if (Gif) EGifCloseFile(Gif, nullptr);
  }
};
struct TGifColorMap {
  ColorMapObject* Map = nullptr;
  ~TGifColorMap() { GifFreeMapObject(Map); }
};

}  // namespace

int NearestCubeIndex(TColor C) {
  const auto& l = CubeLevel();
  return (l[RedOf(C)] * 6 + l[GreenOf(C)]) * 6 + l[BlueOf(C)];
}

std::vector<uint8_t> EncodeGIF(const TBitmap& B) {
  if (B.Empty()) throw EImageError("Cannot write GIF file: the picture is empty");
  if (B.Width() > 65535 || B.Height() > 65535)
    throw EImageError("Cannot write GIF file: a GIF picture is at most 65535 pixels wide and high");
  const bool palette = IsPaletteFormat(B.PixelFormat());
  const int bits = palette ? B.BitsPerPixel() : 8;
  const int colours = 1 << bits;
  TGifColorMap map;
  map.Map = GifMakeMapObject(colours, nullptr);
  if (!map.Map) throw EImageError("Cannot write GIF file: out of memory");
  for (int i = 0; i < colours; ++i) {
    GifColorType& e = map.Map->Colors[i];
    if (palette) {
      const TColor c = size_t(i) < B.Palette().size() ? B.Palette()[size_t(i)] : clBlack;
      e = {RedOf(c), GreenOf(c), BlueOf(c)};
    } else if (i < 216) {
      e = {static_cast<GifByteType>(i / 36 * 51), static_cast<GifByteType>(i / 6 % 6 * 51),
           static_cast<GifByteType>(i % 6 * 51)};
    } else {
      e = {0, 0, 0};
    }
  }
  int transparentIndex = -1;
  if (B.Transparent) {
    const TColor t = B.TransparentColor & 0xFFFFFF;
    if (palette) {
      const auto& p = B.Palette();
      const auto it = std::find(p.begin(), p.end(), t);
      transparentIndex = it != p.end() && it - p.begin() < colours ? int(it - p.begin()) : B.NearestPaletteIndex(t);
    } else {
      transparentIndex = NearestCubeIndex(t);
    }
  }

  std::vector<uint8_t> out;
  out.reserve(B.ByteCount() / 8 + 1024);
  TGifOutput sink{&out};
  int error = 0;
  TGifWriter w;
  w.Gif = EGifOpen(&sink, WriteToVector, &error);
  if (!w.Gif) throw EImageError("Cannot write GIF file: " + GifMessage(error));
  auto fail = [&]() { throw EImageError("Cannot write GIF file: " + GifMessage(w.Gif->Error)); };
  EGifSetGifVersion(w.Gif, transparentIndex >= 0);
  if (EGifPutScreenDesc(w.Gif, B.Width(), B.Height(), bits, 0, map.Map) == GIF_ERROR) fail();
  if (transparentIndex >= 0) {
    GraphicsControlBlock gcb{};
    gcb.DisposalMode = DISPOSAL_UNSPECIFIED;
    gcb.UserInputFlag = false;
    gcb.DelayTime = 0;
    gcb.TransparentColor = transparentIndex;
    GifByteType ext[4];
    EGifGCBToExtension(&gcb, ext);
    if (EGifPutExtension(w.Gif, GRAPHICS_EXT_FUNC_CODE, 4, ext) == GIF_ERROR) fail();
  }
  if (EGifPutImageDesc(w.Gif, 0, 0, B.Width(), B.Height(), false, nullptr) == GIF_ERROR) fail();
  std::vector<GifPixelType> line(static_cast<size_t>(B.Width()));
  const auto& level = CubeLevel();
  for (int y = 0; y < B.Height(); ++y) {
    const uint8_t* s = B.ScanLine(y);
    const int w8 = B.Width();
    switch (B.PixelFormat()) {
      case TPixelFormat::pf1bit:
        for (int x = 0; x < w8; ++x) line[size_t(x)] = (s[x >> 3] >> (7 - (x & 7))) & 1;
        break;
      case TPixelFormat::pf4bit:
        for (int x = 0; x < w8; ++x) line[size_t(x)] = (s[x >> 1] >> ((x & 1) ? 0 : 4)) & 15;
        break;
      case TPixelFormat::pf8bit: std::memcpy(line.data(), s, size_t(w8)); break;
      case TPixelFormat::pf24bit:
        for (int x = 0; x < w8; ++x, s += 3)
          line[size_t(x)] = static_cast<GifPixelType>((level[s[2]] * 6 + level[s[1]]) * 6 + level[s[0]]);
        break;
      case TPixelFormat::pfDevice:
      case TPixelFormat::pf32bit:
      case TPixelFormat::pfCustom:
        for (int x = 0; x < w8; ++x, s += 4)
          line[size_t(x)] = static_cast<GifPixelType>((level[s[2]] * 6 + level[s[1]]) * 6 + level[s[0]]);
        break;
      default:
        for (int x = 0; x < w8; ++x) line[size_t(x)] = static_cast<GifPixelType>(NearestCubeIndex(B.GetPixel(x, y)));
    }
    if (EGifPutLine(w.Gif, line.data(), w8) == GIF_ERROR) fail();
  }
  GifFileType* gif = std::exchange(w.Gif, nullptr);
  if (EGifCloseFile(gif, &error) == GIF_ERROR) throw EImageError("Cannot write GIF file: " + GifMessage(error));
  return out;
}

namespace {

struct TGifInput {
  const uint8_t* Data;
  size_t Size;
  size_t Pos;
};

int ReadFromMemory(GifFileType* Gif, GifByteType* Bytes, int Length) {
  auto* in = static_cast<TGifInput*>(Gif->UserData);
  if (Length <= 0) return 0;
  const size_t n = std::min(static_cast<size_t>(Length), in->Size - in->Pos);
  std::memcpy(Bytes, in->Data + in->Pos, n);
  in->Pos += n;
  return static_cast<int>(n);
}

struct TGifReader {
  GifFileType* Gif = nullptr;
  ~TGifReader() {
    if (Gif) DGifCloseFile(Gif, nullptr);
  }
};

[[noreturn]] void Fail(const std::string& Why) { throw EImageError("Cannot read GIF file: " + Why); }

// An LZW code of at most 12 bits stands for at most 4096 pixels, so the image data left in
// the file bounds how many pixels it can hold.
constexpr uint64_t kMaxPixelsPerByte = 2800;

}  // namespace

TBitmap DecodeGIF(const uint8_t* Data, size_t Size) {
  TGifInput in{Data, Size, 0};
  int error = 0;
  TGifReader r;
  r.Gif = DGifOpen(&in, ReadFromMemory, &error);
  if (!r.Gif) Fail(GifMessage(error));
  GifFileType* gif = r.Gif;
  int transparent = -1;
  for (;;) {
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    if (DGifGetRecordType(gif, &type) == GIF_ERROR) Fail(GifMessage(gif->Error));
    if (type == TERMINATE_RECORD_TYPE) Fail("the file holds no picture");
    if (type == EXTENSION_RECORD_TYPE) {
      int code = 0;
      GifByteType* ext = nullptr;
      if (DGifGetExtension(gif, &code, &ext) == GIF_ERROR) Fail(GifMessage(gif->Error));
      if (code == GRAPHICS_EXT_FUNC_CODE && ext && ext[0] >= 4) {
        GraphicsControlBlock gcb{};
        if (DGifExtensionToGCB(ext[0], ext + 1, &gcb) == GIF_OK) transparent = gcb.TransparentColor;
      }
      while (ext)
        if (DGifGetExtensionNext(gif, &ext) == GIF_ERROR) Fail(GifMessage(gif->Error));
      continue;
    }
    if (type != IMAGE_DESC_RECORD_TYPE) continue;
    if (DGifGetImageDesc(gif) == GIF_ERROR) Fail(GifMessage(gif->Error));
    const GifImageDesc& d = gif->Image;
    if (d.Width <= 0 || d.Height <= 0) Fail("the picture has no pixels");
    CheckPictureSize(d.Width, d.Height);
    if (uint64_t(d.Width) * uint64_t(d.Height) > uint64_t(in.Size - in.Pos) * kMaxPixelsPerByte + 65536)
      Fail("the image data is truncated");
    const ColorMapObject* map = d.ColorMap ? d.ColorMap : gif->SColorMap;
    std::vector<TColor> palette;
    if (map && map->Colors && map->ColorCount > 0) {
      for (int i = 0; i < std::min(map->ColorCount, 256); ++i)
        palette.push_back(RGBColor(map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue));
    } else {
      palette = TBitmap::DefaultPalette(8);
    }
    const TPixelFormat fmt = palette.size() <= 2    ? TPixelFormat::pf1bit
                             : palette.size() <= 16 ? TPixelFormat::pf4bit
                                                    : TPixelFormat::pf8bit;
    const size_t entries = size_t{1} << TBitmap::BitsPerPixel(fmt);
    palette.resize(entries, clBlack);
    const size_t colours = map && map->ColorCount > 0 ? std::min<size_t>(size_t(map->ColorCount), entries) : entries;
    TBitmap out(d.Width, d.Height, fmt);
    out.Palette() = palette;
    auto put = [&](int x, int y, unsigned index) {
      if (index >= colours) index = 0;
      uint8_t* row = out.ScanLine(y);
      if (fmt == TPixelFormat::pf8bit) {
        row[x] = static_cast<uint8_t>(index);
      } else if (fmt == TPixelFormat::pf4bit) {
        uint8_t& b = row[x >> 1];
        b = (x & 1) ? uint8_t((b & 0xF0) | index) : uint8_t((b & 0x0F) | (index << 4));
      } else {
        const uint8_t m = uint8_t(0x80 >> (x & 7));
        row[x >> 3] = index ? uint8_t(row[x >> 3] | m) : uint8_t(row[x >> 3] & ~m);
      }
    };
    std::vector<GifPixelType> line(static_cast<size_t>(d.Width));
    auto readRow = [&](int y) {
      if (DGifGetLine(gif, line.data(), d.Width) == GIF_ERROR) Fail(GifMessage(gif->Error));
      for (int x = 0; x < d.Width; ++x) put(x, y, line[size_t(x)]);
    };
    if (d.Interlace) {
      static const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
      for (int pass = 0; pass < 4; ++pass)
        for (int y = start[pass]; y < d.Height; y += step[pass]) readRow(y);
    } else {
      for (int y = 0; y < d.Height; ++y) readRow(y);
    }
    if (transparent >= 0 && size_t(transparent) < colours) {
      out.Transparent = true;
      out.TransparentColor = palette[size_t(transparent)];
    }
    return out;
  }
}

}  // namespace trochodraw
