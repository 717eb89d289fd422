// Independent decoders and encoders: what our writers make must decode to the same pixels in
// netpbm and libtiff, and what those tools write must read back to the same pixels in ours.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "imagefiles/lbm_codec.h"
#include "imagefiles/own_codec_test_util.h"
#include "imagefiles/pcx_codec.h"
#include "imagefiles/tga_codec.h"
#include "imagefiles/tiff_codec.h"

namespace trochodraw {
namespace {

using namespace trochodraw::testing;

using TEncoder = std::function<TBytes(const TBitmap&)>;
using TDecoder = TBitmap (*)(const uint8_t*, size_t);

bool HaveTools(std::initializer_list<const char*> Tools, std::string& Missing) {
  for (const char* t : Tools)
    if (!HaveTool(t)) {
      Missing = t;
      return false;
    }
  return true;
}

#define NEED_TOOLS(...)                                              \
  do {                                                               \
    std::string missing;                                             \
    if (!HaveTools({__VA_ARGS__}, missing)) GTEST_SKIP() << missing; \
  } while (false)

// A picture of a given number of distinct colours (0: a few hundred).
TBitmap Colours(int Width, int Height, int Count, bool Grey = false) {
  TBitmap b(Width, Height, TPixelFormat::pf24bit);
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x) {
      const int i = Count ? ((x / 2 + y * 3) % Count) : (x * 7 + y * 131);
      const uint8_t v = uint8_t(i * 73 + 11);
      b.SetPixel(x, y, Grey ? RGBColor(v, v, v) : RGBColor(v, uint8_t(i * 37), uint8_t(255 - i * 5)));
    }
  return b;
}

TBitmap WithPalette(const TBitmap& Source, TPixelFormat Format) {
  TBitmap b = Source;
  b.SetPixelFormat(Format);
  return b;
}

struct TOurCase {
  const char* Name;
  TEncoder Encode;
  TBitmap Picture;
  TBitmap Expected;  // what the tool should see
  const char* Extension;
  const char* Decoder;  // reads in.EXT, writes out.pnm
};

TEST(OwnCodecTools, OurFilesDecodeInTheIndependentTools) {
  NEED_TOOLS("tifftopnm", "tiffinfo", "tiff2rgba", "pcxtoppm", "ilbmtoppm", "tgatoppm");
  const TBitmap many = Colours(37, 11, 0);
  const TBitmap few = Colours(13, 7, 5);
  TBitmap bilevel = WithPalette(Colours(19, 5, 2), TPixelFormat::pf1bit);
  bilevel.Palette() = {clBlack, clWhite};
  TBitmap whiteFirst = bilevel;
  whiteFirst.Palette() = {clWhite, clBlack};
  TBitmap wide32 = PatternBitmap(21, 6, TPixelFormat::pf32bit);
  const TBitmap reduced = WithPalette(many, TPixelFormat::pf8bit);
  auto tiff = [](bool PackBits) { return [PackBits](const TBitmap& B) { return EncodeTIFF(B, PackBits); }; };
  auto lbm = [](bool Compress) { return [Compress](const TBitmap& B) { return EncodeLBM(B, Compress); }; };
  const char* tifftopnm = "tifftopnm in.tif > out.pnm";
  const TOurCase cases[] = {
      {"tiff rgb packbits", tiff(true), many, many, "tif", tifftopnm},
      {"tiff rgb uncompressed", tiff(false), many, many, "tif", tifftopnm},
      {"tiff 8-bit", tiff(true), reduced, reduced, "tif", tifftopnm},
      {"tiff 4-bit", tiff(true), WithPalette(few, TPixelFormat::pf4bit), few, "tif", tifftopnm},
      {"tiff 4-bit uncompressed", tiff(false), WithPalette(few, TPixelFormat::pf4bit), few, "tif", tifftopnm},
      {"tiff bilevel", tiff(true), bilevel, bilevel, "tif", tifftopnm},
      {"tiff bilevel white first", tiff(false), whiteFirst, whiteFirst, "tif", tifftopnm},
      {"pcx", EncodePCX, many, many, "pcx", "pcxtoppm in.pcx > out.pnm"},
      {"pcx from palette", EncodePCX, WithPalette(few, TPixelFormat::pf4bit), few, "pcx", "pcxtoppm in.pcx > out.pnm"},
      {"iff", lbm(true), many, reduced, "lbm", "ilbmtoppm in.lbm > out.pnm"},
      {"iff uncompressed odd width", lbm(false), few, few, "lbm", "ilbmtoppm in.lbm > out.pnm"},
      {"tga 24", EncodeTGA, many, many, "tga", "tgatoppm in.tga > out.pnm"},
      {"tga 32", EncodeTGA, wide32, wide32, "tga", "tgatoppm in.tga > out.pnm"},
  };
  for (const TOurCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TTempDir dir;
    const std::string in = dir.Path(std::string("in.") + c.Extension);
    WriteFile(in, c.Encode(c.Picture));
    ASSERT_TRUE(RunQuietly("cd " + dir.Path("") + " && " + c.Decoder)) << c.Decoder;
    EXPECT_TRUE(SamePixels(c.Expected, FromPNM(ReadFile(dir.Path("out.pnm")))));
    if (std::string(c.Extension) == "tif") {
      EXPECT_TRUE(RunQuietly("tiffinfo -D " + in));
      EXPECT_TRUE(RunQuietly("tiff2rgba " + in + " " + dir.Path("rgba.tif")));
    }
  }
}

struct TToolCase {
  const char* Name;
  TBitmap Picture;
  const char* Command;  // reads in.ppm (or in.pgm / in.pam), writes out.EXT
  const char* Extension;
  TDecoder Decode;
};

TEST(OwnCodecTools, ToolFilesReadBackInOurs) {
  NEED_TOOLS("ppmtopcx", "ppmtoilbm", "ppmtotga", "pamtotiff", "ppmtopgm", "tiffcp");
  const TBitmap many = Colours(37, 11, 0);
  const TBitmap grey = Colours(23, 9, 0, true);
  const TBitmap c2 = Colours(17, 5, 2), c4 = Colours(18, 5, 4), c8 = Colours(15, 4, 8), c16 = Colours(33, 6, 16);
  const TBitmap c200 = Colours(40, 10, 200);
  const TToolCase cases[] = {
      {"pcx 1 plane", c2, "ppmtopcx in.ppm > out.pcx", "pcx", DecodePCX},
      {"pcx 2 planes", c4, "ppmtopcx in.ppm > out.pcx", "pcx", DecodePCX},
      {"pcx 3 planes", c8, "ppmtopcx in.ppm > out.pcx", "pcx", DecodePCX},
      {"pcx 4 planes", c16, "ppmtopcx in.ppm > out.pcx", "pcx", DecodePCX},
      {"pcx packed 2 bits", c4, "ppmtopcx -packed in.ppm > out.pcx", "pcx", DecodePCX},
      {"pcx packed 4 bits", c16, "ppmtopcx -packed in.ppm > out.pcx", "pcx", DecodePCX},
      {"pcx 256 colours", c200, "ppmtopcx in.ppm > out.pcx", "pcx", DecodePCX},
      {"pcx 8 bit from few", c4, "ppmtopcx -8bit in.ppm > out.pcx", "pcx", DecodePCX},
      {"pcx 24 bit", many, "ppmtopcx -24bit in.ppm > out.pcx", "pcx", DecodePCX},
      {"ilbm 3 planes", Colours(13, 7, 5), "ppmtoilbm in.ppm > out.lbm", "lbm", DecodeLBM},
      {"ilbm uncompressed", Colours(13, 7, 5), "ppmtoilbm -nocompress in.ppm > out.lbm", "lbm", DecodeLBM},
      {"ilbm 8 planes", c200, "ppmtoilbm -aga in.ppm > out.lbm", "lbm", DecodeLBM},
      {"ilbm 24 planes", many, "ppmtoilbm -24force in.ppm > out.lbm", "lbm", DecodeLBM},
      {"tga rgb rle", many, "ppmtotga -rgb in.ppm > out.tga", "tga", DecodeTGA},
      {"tga rgb", many, "ppmtotga -rgb -norle in.ppm > out.tga", "tga", DecodeTGA},
      {"tga colour-mapped rle", c200, "ppmtotga -cmap in.ppm > out.tga", "tga", DecodeTGA},
      {"tga colour-mapped", c200, "ppmtotga -cmap -norle in.ppm > out.tga", "tga", DecodeTGA},
      {"tga grey rle", grey, "ppmtotga -mono in.ppm > out.tga", "tga", DecodeTGA},
      {"tga grey", grey, "ppmtotga -mono -norle in.ppm > out.tga", "tga", DecodeTGA},
      {"tiff rgb", many, "pamtotiff -truecolor in.ppm > out.tif", "tif", DecodeTIFF},
      {"tiff rgb lzw", many, "pamtotiff -truecolor -lzw in.ppm > out.tif", "tif", DecodeTIFF},
      {"tiff rgb lzw predictor", many, "pamtotiff -truecolor -lzw -predictor=2 in.ppm > out.tif", "tif", DecodeTIFF},
      {"tiff rgb packbits", many, "pamtotiff -truecolor -packbits in.ppm > out.tif", "tif", DecodeTIFF},
      {"tiff palette", c200, "pamtotiff -lzw in.ppm > out.tif", "tif", DecodeTIFF},
      {"tiff palette 2 bits", c4, "pamtotiff -indexbits=2 in.ppm > out.tif", "tif", DecodeTIFF},
      {"tiff palette 4 bits", c16, "pamtotiff -indexbits=4 -packbits in.ppm > out.tif", "tif", DecodeTIFF},
      {"tiff grey", grey, "ppmtopgm in.ppm | pamtotiff > out.tif", "tif", DecodeTIFF},
      {"tiff grey lzw predictor", grey, "ppmtopgm in.ppm | pamtotiff -lzw -predictor=2 > out.tif", "tif", DecodeTIFF},
      {"tiff grey min-is-white", grey, "ppmtopgm in.ppm | pamtotiff -miniswhite > out.tif", "tif", DecodeTIFF},
      {"tiff big-endian strips", many,
       "pamtotiff -truecolor in.ppm > a.tif && tiffcp -B -r 3 -c lzw:2 a.tif out.tif", "tif", DecodeTIFF},
      {"tiff big-endian packbits strips", c200,
       "pamtotiff in.ppm > a.tif && tiffcp -B -r 2 -c packbits a.tif out.tif", "tif", DecodeTIFF},
      {"tiff rows of strips", grey, "ppmtopgm in.ppm | pamtotiff > a.tif && tiffcp -r 1 a.tif out.tif", "tif",
       DecodeTIFF},
  };
  for (const TToolCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TTempDir dir;
    WriteFile(dir.Path("in.ppm"), ToPPM(c.Picture));
    ASSERT_TRUE(RunQuietly("cd " + dir.Path("") + " && " + c.Command)) << c.Command;
    const TBytes file = ReadFile(dir.Path(std::string("out.") + c.Extension));
    EXPECT_TRUE(SamePixels(c.Picture, c.Decode(file.data(), file.size())));
  }
}

TEST(OwnCodecTools, TIFFWithSeparatePlanesIsRefused) {
  // One plane per colour, as ImageMagick and libtiff write it on request; read as interleaved
  // samples it would show a scrambled picture.
  struct TCase {
    const char* Tool;
    const char* Command;  // reads in.ppm, writes out.tif
  };
  const TCase cases[] = {
      {"convert", "convert in.ppm -interlace Plane -compress LZW out.tif"},
      {"tiffcp", "pamtotiff -truecolor in.ppm > a.tif && tiffcp -p separate a.tif out.tif"},
  };
  int tried = 0;
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Command);
    if (!HaveTool(c.Tool) || !HaveTool("tiffinfo") || !HaveTool("pamtotiff")) continue;
    ++tried;
    TTempDir dir;
    WriteFile(dir.Path("in.ppm"), ToPPM(Colours(15, 6, 0)));
    ASSERT_TRUE(RunQuietly("cd " + dir.Path("") + " && " + c.Command));
    ASSERT_TRUE(RunQuietly("tiffinfo " + dir.Path("out.tif") + " | grep -q 'Planar Configuration: separate'"));
    const TBytes f = ReadFile(dir.Path("out.tif"));
    EXPECT_EQ(ErrorOf([&] { DecodeTIFF(f.data(), f.size()); }), "Unsupported Planar Configuration = 2");
  }
  if (!tried) GTEST_SKIP() << "neither convert nor tiffcp (with tiffinfo and pamtotiff) is installed";
}

TEST(OwnCodecTools, TIFFFromToolsWithOtherSampleLayouts) {
  NEED_TOOLS("pamtotiff", "pnmtotiffcmyk", "ppmtopgm", "pnmdepth", "pbmmake", "pamstack", "pamchannel", "pgmmake");
  TTempDir dir;
  const TBitmap picture = Colours(15, 6, 0);
  WriteFile(dir.Path("in.ppm"), ToPPM(picture));
  const std::string cd = "cd " + dir.Path("") + " && ";

  // Bilevel from a PBM: white is zero in the file.
  ASSERT_TRUE(RunQuietly(cd + "ppmtopgm in.ppm | pamthreshold -simple | pamtopnm > in.pbm && pamtotiff in.pbm > bw.tif"));
  TBytes f = ReadFile(dir.Path("bw.tif"));
  TBitmap b = DecodeTIFF(f.data(), f.size());
  EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf1bit);
  EXPECT_TRUE(SamePixels(FromPNM(ReadFile(dir.Path("in.pbm"))), b));

  // 16-bit grey comes out as a 15-bit bitmap with the top five bits of each sample.
  ASSERT_TRUE(RunQuietly(cd + "ppmtopgm in.ppm > in.pgm && pnmdepth 65535 in.pgm | pamtotiff > grey16.tif"));
  f = ReadFile(dir.Path("grey16.tif"));
  b = DecodeTIFF(f.data(), f.size());
  EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf15bit);
  EXPECT_TRUE(SamePixels(WithPalette(FromPNM(ReadFile(dir.Path("in.pgm"))), TPixelFormat::pf15bit), b));

  // RGB with an alpha channel keeps the alpha as the fourth byte.
  ASSERT_TRUE(RunQuietly(cd + "pgmmake 0.5 15 6 > alpha.pgm && pamstack -tupletype=RGB_ALPHA in.ppm alpha.pgm > rgba.pam" +
                  " && pamtotiff -truecolor rgba.pam > rgba.tif"));
  f = ReadFile(dir.Path("rgba.tif"));
  b = DecodeTIFF(f.data(), f.size());
  EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf32bit);
  EXPECT_TRUE(SamePixels(picture, b));
  EXPECT_EQ(b.ScanLine(2)[4 * 3 + 3], 128);

  // CMYK: the ink separation turns back into the same colours, but for the tool's rounding
  // in its black generation (the exact conversion is checked with a built file).
  ASSERT_TRUE(RunQuietly(cd + "pnmtotiffcmyk in.ppm > cmyk.tif"));
  f = ReadFile(dir.Path("cmyk.tif"));
  b = DecodeTIFF(f.data(), f.size());
  EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf32bit);
  EXPECT_TRUE(SamePixels(picture, b, 3));
}

}  // namespace
}  // namespace trochodraw
