#include "imagefiles/png_codec.h"

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "imagefiles/decode_limits.h"

// libpng reports errors by longjmp. Every function below that calls setjmp keeps only
// trivially destructible locals, and every C++ object they touch is made by their caller,
// so a jump never skips a destructor.

namespace trochodraw {

namespace {

struct TPngContext {
  std::vector<uint8_t>* Out = nullptr;  // writing
  const uint8_t* Data = nullptr;        // reading
  size_t Size = 0;
  size_t Pos = 0;
  char Message[200] = "";
};

void OnError(png_structp Png, png_const_charp Message) {
  auto* c = static_cast<TPngContext*>(png_get_error_ptr(Png));
  std::snprintf(c->Message, sizeof c->Message, "%s", Message ? Message : "unknown error");
  png_longjmp(Png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void WriteToVector(png_structp Png, png_bytep Bytes, size_t Length) {
  auto* c = static_cast<TPngContext*>(png_get_io_ptr(Png));
  bool failed = false;
  try {
    c->Out->insert(c->Out->end(), Bytes, Bytes + Length);
  } catch (...) {
    failed = true;
  }
  if (failed) png_error(Png, "out of memory");
}

void FlushNothing(png_structp) {}

void ReadFromMemory(png_structp Png, png_bytep Bytes, size_t Length) {
  auto* c = static_cast<TPngContext*>(png_get_io_ptr(Png));
  if (Length > c->Size - c->Pos) png_error(Png, "file is truncated");
  std::memcpy(Bytes, c->Data + c->Pos, Length);
  c->Pos += Length;
}

// Frees the libpng structures however the function that made them ends.
struct TPngWriteGuard {
  png_structp Png = nullptr;
  png_infop Info = nullptr;
  ~TPngWriteGuard() { png_destroy_write_struct(&Png, &Info); }
};
struct TPngReadGuard {
  png_structp Png = nullptr;
  png_infop Info = nullptr;
  ~TPngReadGuard() { png_destroy_read_struct(&Png, &Info, nullptr); }
};

bool IsPaletteFormat(TPixelFormat F) {
  return F == TPixelFormat::pf1bit || F == TPixelFormat::pf4bit || F == TPixelFormat::pf8bit;
}

// Everything the writer decides before libpng runs.
struct TPngPlan {
  int BitDepth = 8;
  int ColorType = PNG_COLOR_TYPE_RGB;
  png_color Palette[256] = {};
  int PaletteCount = 0;
  png_byte Alpha[256] = {};
  int AlphaCount = 0;  // palette tRNS entries
  png_color_16 TransColor = {};
  bool HasTrans = false;
};

// Fills one RGB row of the picture.
void BuildRGBRow(const TBitmap& B, int Y, uint8_t* Row) {
  const uint8_t* s = B.ScanLine(Y);
  const int w = B.Width();
  switch (B.PixelFormat()) {
    case TPixelFormat::pf24bit:
      for (int x = 0; x < w; ++x, s += 3, Row += 3) {
        Row[0] = s[2];
        Row[1] = s[1];
        Row[2] = s[0];
      }
      return;
    case TPixelFormat::pfDevice:
    case TPixelFormat::pf32bit:
    case TPixelFormat::pfCustom:
      for (int x = 0; x < w; ++x, s += 4, Row += 3) {
        Row[0] = s[2];
        Row[1] = s[1];
        Row[2] = s[0];
      }
      return;
    default:
      for (int x = 0; x < w; ++x, Row += 3) {
        const TColor c = B.GetPixel(x, Y);
        Row[0] = RedOf(c);
        Row[1] = GreenOf(c);
        Row[2] = BlueOf(c);
      }
  }
}

bool RunWriter(png_structp Png, png_infop Info, const TBitmap& B, const TPngPlan& Plan, uint8_t* RowBuffer) {
  if (setjmp(png_jmpbuf(Png))) return false;
  png_set_IHDR(Png, Info, static_cast<png_uint_32>(B.Width()), static_cast<png_uint_32>(B.Height()), Plan.BitDepth,
               Plan.ColorType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (Plan.PaletteCount) png_set_PLTE(Png, Info, Plan.Palette, Plan.PaletteCount);
  if (Plan.HasTrans)
    png_set_tRNS(Png, Info, Plan.AlphaCount ? Plan.Alpha : nullptr, Plan.AlphaCount,
                 Plan.AlphaCount ? nullptr : &Plan.TransColor);
  png_set_filter(Png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
  png_set_compression_level(Png, 7);
  // Sub-filtered rows of a figure compress smaller with the plain strategy than with the
  // filtered one libpng picks by default.
  png_set_compression_strategy(Png, Z_DEFAULT_STRATEGY);
  png_set_compression_buffer_size(Png, 65535);
  png_write_info(Png, Info);
  const bool palette = Plan.ColorType == PNG_COLOR_TYPE_PALETTE;
  for (int y = 0; y < B.Height(); ++y) {
    if (palette) {
      png_write_row(Png, B.ScanLine(y));
    } else {
      BuildRGBRow(B, y, RowBuffer);
      png_write_row(Png, RowBuffer);
    }
  }
  png_write_end(Png, Info);
  return true;
}

}  // namespace

std::vector<uint8_t> EncodePNG(const TBitmap& B) {
  if (B.Empty()) throw EImageError("Cannot write PNG file: the picture is empty");
  TPngPlan plan;
  if (IsPaletteFormat(B.PixelFormat())) {
    plan.ColorType = PNG_COLOR_TYPE_PALETTE;
    plan.BitDepth = B.BitsPerPixel();
    plan.PaletteCount = 1 << plan.BitDepth;
    for (int i = 0; i < plan.PaletteCount; ++i) {
      const TColor c = size_t(i) < B.Palette().size() ? B.Palette()[size_t(i)] : clBlack;
      plan.Palette[i] = {RedOf(c), GreenOf(c), BlueOf(c)};
    }
    if (B.Transparent) {
      // Every entry of the transparent colour becomes fully transparent.
      const TColor t = B.TransparentColor & 0xFFFFFF;
      for (int i = 0; i < plan.PaletteCount; ++i) {
        plan.Alpha[i] = 255;
        const png_color& p = plan.Palette[i];
        if (RGBColor(p.red, p.green, p.blue) == t) {
          plan.Alpha[i] = 0;
          plan.AlphaCount = i + 1;
        }
      }
      plan.HasTrans = plan.AlphaCount > 0;
    }
  } else if (B.Transparent) {
    plan.HasTrans = true;
    plan.TransColor.red = RedOf(B.TransparentColor);
    plan.TransColor.green = GreenOf(B.TransparentColor);
    plan.TransColor.blue = BlueOf(B.TransparentColor);
  }

  std::vector<uint8_t> out;
  out.reserve(static_cast<size_t>(B.ByteCount() / 4 + 1024));
  std::vector<uint8_t> row(plan.ColorType == PNG_COLOR_TYPE_PALETTE ? 0 : size_t(B.Width()) * 3);
  TPngContext ctx;
  ctx.Out = &out;
  TPngWriteGuard g;
  g.Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &ctx, OnError, OnWarning);
  if (!g.Png) throw EImageError("Cannot write PNG file: out of memory");
  g.Info = png_create_info_struct(g.Png);
  if (!g.Info) throw EImageError("Cannot write PNG file: out of memory");
  png_set_write_fn(g.Png, &ctx, WriteToVector, FlushNothing);
  if (!RunWriter(g.Png, g.Info, B, plan, row.data())) throw EImageError(std::string("Cannot write PNG file: ") + ctx.Message);
  return out;
}

namespace {

uint32_t Be32(const uint8_t* p) {
  return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

// A deflate stream cannot expand more than 1032 to 1, so a file whose image data is too
// short for its header's size is refused before the bitmap is allocated.
void CheckImageDataPlausible(const uint8_t* Data, size_t Size) {
  size_t at = 8;
  uint64_t idat = 0, raw = 0;
  bool seenHeader = false;
  while (at + 8 <= Size) {
    const uint32_t len = Be32(Data + at);
    const uint8_t* type = Data + at + 4;
    if (std::memcmp(type, "IHDR", 4) == 0 && len >= 13 && at + 8 + 13 <= Size && !seenHeader) {
      const uint8_t* h = Data + at + 8;
      const uint64_t w = Be32(h), ht = Be32(h + 4);
      const int depth = h[8], colorType = h[9];
      const int channels = colorType == 2 ? 3 : colorType == 4 ? 2 : colorType == 6 ? 4 : 1;
      raw = ht * (1 + (w * uint64_t(channels) * uint64_t(depth) + 7) / 8);
      seenHeader = true;
    } else if (std::memcmp(type, "IDAT", 4) == 0) {
      idat += len;
    } else if (std::memcmp(type, "IEND", 4) == 0) {
      break;
    }
    if (len > Size) break;
    at += size_t{12} + len;
  }
  if (seenHeader && raw > idat * 1040 + 4096) throw EImageError("Cannot read PNG file: the image data is truncated");
}

struct TPngHeader {
  png_uint_32 Width = 0, Height = 0;
  int BitDepth = 0, ColorType = 0;
  TPixelFormat Format = TPixelFormat::pf24bit;
  TColor Palette[256] = {};
  int PaletteSize = 0;  // entries the bitmap gets
  bool Transparent = false;
  TColor TransparentColor = 0;
  int32_t XPelsPerMeter = 0, YPelsPerMeter = 0;
  size_t RowBytes = 0;
};

void GreyPalette(TPngHeader& H, int Levels, int Entries) {
  H.PaletteSize = Entries;
  for (int i = 0; i < Entries; ++i) {
    const auto v = i < Levels ? static_cast<uint8_t>(i * 255 / (Levels - 1)) : uint8_t{0};
    H.Palette[i] = RGBColor(v, v, v);
  }
}

// Reads the header and sets up the transformations that give the bitmap's layout.
bool RunHeaderReader(png_structp Png, png_infop Info, TPngHeader& H) {
  if (setjmp(png_jmpbuf(Png))) return false;
  png_read_info(Png, Info);
  int interlace = 0;
  png_get_IHDR(Png, Info, &H.Width, &H.Height, &H.BitDepth, &H.ColorType, &interlace, nullptr, nullptr);
  png_uint_32 resX = 0, resY = 0;
  int unit = 0;
  if (png_get_pHYs(Png, Info, &resX, &resY, &unit) && unit == PNG_RESOLUTION_METER && resX <= 0x7FFFFFFF &&
      resY <= 0x7FFFFFFF) {
    H.XPelsPerMeter = static_cast<int32_t>(resX);
    H.YPelsPerMeter = static_cast<int32_t>(resY);
  }
  png_bytep transAlpha = nullptr;
  int transCount = 0;
  png_color_16p transColor = nullptr;
  const bool hasTrans = png_get_tRNS(Png, Info, &transAlpha, &transCount, &transColor) != 0;
  const int maxValue = (1 << H.BitDepth) - 1;
  auto scale = [&](unsigned v) { return static_cast<uint8_t>(H.BitDepth == 16 ? v >> 8 : (v & maxValue) * 255 / maxValue); };
  if (H.BitDepth == 16) png_set_strip_16(Png);
  switch (H.ColorType) {
    case PNG_COLOR_TYPE_PALETTE: {
      png_colorp pal = nullptr;
      int count = 0;
      png_get_PLTE(Png, Info, &pal, &count);
      int single = -1;
      bool simple = hasTrans;
      for (int i = 0; hasTrans && i < transCount; ++i) {
        if (transAlpha[i] == 0 && single < 0) single = i;
        else if (transAlpha[i] != 255) simple = false;
      }
      if (hasTrans && !simple) {
        // Partial transparency needs an alpha channel.
        png_set_palette_to_rgb(Png);
        png_set_tRNS_to_alpha(Png);
        png_set_bgr(Png);
        H.Format = TPixelFormat::pf32bit;
        break;
      }
      if (H.BitDepth == 2) png_set_packing(Png);
      H.Format = H.BitDepth == 1 ? TPixelFormat::pf1bit : H.BitDepth == 4 ? TPixelFormat::pf4bit : TPixelFormat::pf8bit;
      H.PaletteSize = 1 << TBitmap::BitsPerPixel(H.Format);
      for (int i = 0; i < H.PaletteSize; ++i)
        H.Palette[i] = i < count ? RGBColor(pal[i].red, pal[i].green, pal[i].blue) : clBlack;
      if (single >= 0) {
        H.Transparent = true;
        H.TransparentColor = H.Palette[single];
      }
      break;
    }
    case PNG_COLOR_TYPE_GRAY:
      if (H.BitDepth == 1) {
        H.Format = TPixelFormat::pf1bit;
        GreyPalette(H, 2, 2);
      } else if (H.BitDepth == 2) {
        png_set_packing(Png);
        H.Format = TPixelFormat::pf8bit;
        GreyPalette(H, 4, 256);
      } else if (H.BitDepth == 4) {
        H.Format = TPixelFormat::pf4bit;
        GreyPalette(H, 16, 16);
      } else {
        H.Format = TPixelFormat::pf8bit;
        GreyPalette(H, 256, 256);
      }
      if (hasTrans && transColor) {
        const uint8_t g = scale(transColor->gray);
        H.Transparent = true;
        H.TransparentColor = RGBColor(g, g, g);
      }
      break;
    case PNG_COLOR_TYPE_GRAY_ALPHA:
      png_set_gray_to_rgb(Png);
      png_set_bgr(Png);
      H.Format = TPixelFormat::pf32bit;
      break;
    case PNG_COLOR_TYPE_RGB:
      png_set_bgr(Png);
      H.Format = TPixelFormat::pf24bit;
      if (hasTrans && transColor) {
        H.Transparent = true;
        H.TransparentColor = RGBColor(scale(transColor->red), scale(transColor->green), scale(transColor->blue));
      }
      break;
    default:  // RGB with alpha
      png_set_bgr(Png);
      H.Format = TPixelFormat::pf32bit;
      break;
  }
  png_set_interlace_handling(Png);
  png_read_update_info(Png, Info);
  H.RowBytes = png_get_rowbytes(Png, Info);
  return true;
}

constexpr png_alloc_size_t kMaxChunkBytes = 8u << 20;
// Each name is four letters and a terminating zero.
constexpr png_byte kUnusedChunks[] = "bKGD\0cHRM\0eXIf\0gAMA\0hIST\0iCCP\0iTXt\0oFFs\0pCAL\0sCAL\0sBIT\0"
                                     "sPLT\0sRGB\0tEXt\0tIME\0zTXt";

bool RunImageReader(png_structp Png, png_bytepp Rows) {
  if (setjmp(png_jmpbuf(Png))) return false;
  png_read_image(Png, Rows);
  return true;
}

}  // namespace

TBitmap DecodePNG(const uint8_t* Data, size_t Size) {
  if (Size < 8 || png_sig_cmp(Data, 0, 8) != 0) throw EImageError("Cannot read PNG file: not a PNG file");
  CheckImageDataPlausible(Data, Size);
  TPngContext ctx;
  ctx.Data = Data;
  ctx.Size = Size;
  TPngReadGuard g;
  g.Png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &ctx, OnError, OnWarning);
  if (!g.Png) throw EImageError("Cannot read PNG file: out of memory");
  g.Info = png_create_info_struct(g.Png);
  if (!g.Info) throw EImageError("Cannot read PNG file: out of memory");
  png_set_read_fn(g.Png, &ctx, ReadFromMemory);
  // No chunk may ask for more memory than any real one needs, and the chunks the bitmap
  // does not use are skipped unread, whatever length they claim.
  png_set_chunk_malloc_max(g.Png, kMaxChunkBytes);
  png_set_user_limits(g.Png, static_cast<png_uint_32>(kMaxPictureSide), static_cast<png_uint_32>(kMaxPictureSide));
  png_set_keep_unknown_chunks(g.Png, PNG_HANDLE_CHUNK_NEVER, kUnusedChunks, int(sizeof kUnusedChunks / 5));
  auto header = std::make_unique<TPngHeader>();
  if (!RunHeaderReader(g.Png, g.Info, *header)) throw EImageError(std::string("Cannot read PNG file: ") + ctx.Message);
  CheckPictureSize(header->Width, header->Height);
  TBitmap out(static_cast<int>(header->Width), static_cast<int>(header->Height), header->Format);
  if (header->RowBytes > static_cast<size_t>(out.BytesPerLine()))
    throw EImageError("Cannot read PNG file: unexpected row layout");
  if (header->PaletteSize) out.Palette().assign(header->Palette, header->Palette + header->PaletteSize);
  out.Transparent = header->Transparent;
  out.TransparentColor = header->TransparentColor;
  if (header->XPelsPerMeter > 0 && header->YPelsPerMeter > 0) {
    out.XPelsPerMeter = header->XPelsPerMeter;
    out.YPelsPerMeter = header->YPelsPerMeter;
  }
  std::vector<png_bytep> rows(static_cast<size_t>(out.Height()));
  for (int y = 0; y < out.Height(); ++y) rows[size_t(y)] = out.ScanLine(y);
  if (!RunImageReader(g.Png, rows.data())) throw EImageError(std::string("Cannot read PNG file: ") + ctx.Message);
  return out;
}

}  // namespace trochodraw
