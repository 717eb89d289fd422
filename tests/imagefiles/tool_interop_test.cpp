// Independent programs decode what we write, and what they write reads back in our readers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image_test_support.h"
#include "imagefiles/bmp_codec.h"
#include "imagefiles/gif_codec.h"
#include "imagefiles/jpeg_codec.h"
#include "imagefiles/png_codec.h"

namespace trochodraw {
namespace {

using test::Shell;

#define REQUIRE_TOOL(name) \
  if (!test::HaveTool(name)) GTEST_SKIP() << name " is not installed"

class ToolInterop : public ::testing::Test {
 protected:
  std::string Path(const std::string& Name) const { return (Dir / Name).string(); }
  void Write(const std::string& Name, const std::vector<uint8_t>& Data) const { test::WriteBytes(Dir / Name, Data); }
  // Runs Command in the temporary folder; fails the test when it does not succeed.
  void Run(const std::string& Command) const {
    ASSERT_EQ(Shell("cd " + Dir.Path().string() + " && " + Command + " 2>/dev/null"), 0) << Command;
  }
  TBitmap ReadPNM(const std::string& Name) const { return test::ReadPNM(Dir / Name); }
  template <typename F>
  TBitmap ReadWith(F Decode, const std::string& Name) const {
    const auto data = test::ReadBytes(Dir / Name);
    return Decode(data.data(), data.size());
  }
  // A picture with up to 256 colours, so the palette tools take it as it is.
  static TBitmap FewColours() {
    TBitmap b = test::MakeTestPicture(TPixelFormat::pf8bit, 37, 21);
    b.SetPixelFormat(TPixelFormat::pf24bit);
    return b;
  }
  test::TTempDir Dir;
};

TEST_F(ToolInterop, PngtopnmAndPngcheckAcceptOurPng) {
  REQUIRE_TOOL("pngtopnm");
  REQUIRE_TOOL("pngcheck");
  for (const TPixelFormat f : {TPixelFormat::pf1bit, TPixelFormat::pf4bit, TPixelFormat::pf8bit, TPixelFormat::pf16bit,
                               TPixelFormat::pf24bit, TPixelFormat::pfDevice}) {
    const TBitmap b = test::MakeTestPicture(f, 29, 11);
    Write("ours.png", EncodePNG(b));
    Run("pngcheck -q ours.png >/dev/null");
    Run("pngtopnm ours.png > ours.pnm");
    EXPECT_EQ(test::FirstPixelDifference(b, ReadPNM("ours.pnm")), "") << int(f);
  }
}

TEST_F(ToolInterop, GiftopnmDecodesOurGifToOurPixels) {
  REQUIRE_TOOL("giftopnm");
  for (const TPixelFormat f : {TPixelFormat::pf1bit, TPixelFormat::pf4bit, TPixelFormat::pf8bit, TPixelFormat::pf24bit}) {
    const TBitmap b = test::MakeTestPicture(f, 31, 13);
    const auto file = EncodeGIF(b);
    Write("ours.gif", file);
    Run("giftopnm ours.gif > ours.pnm");
    EXPECT_EQ(test::FirstPixelDifference(DecodeGIF(file.data(), file.size()), ReadPNM("ours.pnm")), "") << int(f);
  }
}

TEST_F(ToolInterop, OurJpegIsWhatCjpegWritesAndDjpegReadsItAsWeDo) {
  REQUIRE_TOOL("cjpeg");
  REQUIRE_TOOL("djpeg");
  const TBitmap b = test::MakeSmoothPicture(TPixelFormat::pf24bit, 45, 27);
  const auto file = EncodeJPEG(b);
  test::WritePPM(b, Dir / "source.ppm");
  Run("cjpeg -quality 100 -dct float source.ppm > theirs.jpg");
  EXPECT_EQ(test::ReadBytes(Dir / "theirs.jpg"), file);
  Write("ours.jpg", file);
  Run("djpeg -pnm ours.jpg > ours.pnm");
  const TBitmap theirs = ReadPNM("ours.pnm");
  EXPECT_EQ(test::FirstPixelDifference(DecodeJPEG(file.data(), file.size()), theirs), "");
  EXPECT_LE(test::MaxChannelDifference(b, theirs), 8);
}

TEST_F(ToolInterop, BmptopnmDecodesOurBmpInEveryFormat) {
  REQUIRE_TOOL("bmptopnm");
  REQUIRE_TOOL("convert");
  // bmptopnm does not take bit-field masks after a 40-byte header, so ImageMagick decodes
  // the 5-6-5 file. Both scale 5 and 6 bits to 8 with rounding: allow one step.
  struct TCase {
    TPixelFormat Format;
    bool ImageMagick;
    int Tolerance;
  };
  const TCase cases[] = {
      {TPixelFormat::pf1bit, false, 0},  {TPixelFormat::pf4bit, false, 0},  {TPixelFormat::pf8bit, false, 0},
      {TPixelFormat::pf15bit, false, 1}, {TPixelFormat::pf16bit, true, 1},  {TPixelFormat::pf24bit, false, 0},
      {TPixelFormat::pf32bit, false, 0}, {TPixelFormat::pfDevice, false, 0},
  };
  for (const auto& c : cases) {
    const TBitmap b = test::MakeTestPicture(c.Format, 17, 9);
    Write("ours.bmp", EncodeBMP(b));
    Run(c.ImageMagick ? "convert ours.bmp ppm:ours.pnm" : "bmptopnm ours.bmp > ours.pnm");
    EXPECT_LE(test::MaxChannelDifference(b, ReadPNM("ours.pnm")), c.Tolerance) << int(c.Format);
  }
}

TEST_F(ToolInterop, PnmtopngFilesReadBack) {
  REQUIRE_TOOL("pnmtopng");
  REQUIRE_TOOL("ppmtopgm");
  const TBitmap rich = test::MakeTestPicture(TPixelFormat::pf24bit, 41, 23);
  const TBitmap few = FewColours();
  test::WritePPM(rich, Dir / "rich.ppm");
  test::WritePPM(rich, Dir / "rich16.ppm", 65535);
  test::WritePPM(few, Dir / "few.ppm");
  Run("ppmtopgm rich.ppm > grey.pgm");
  struct TCase {
    const char* Command;
    const TBitmap* Source;  // nullptr: compare with the tool's own decoding of its file
    TPixelFormat Format;
  };
  const TCase cases[] = {
      {"pnmtopng rich.ppm", &rich, TPixelFormat::pf24bit},
      {"pnmtopng -interlace rich.ppm", &rich, TPixelFormat::pf24bit},
      {"pnmtopng rich16.ppm", &rich, TPixelFormat::pf24bit},
      {"pnmtopng few.ppm", &few, TPixelFormat::pf8bit},
      {"pnmtopng -interlace few.ppm", &few, TPixelFormat::pf8bit},
      {"pnmtopng grey.pgm", nullptr, TPixelFormat::pf8bit},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Command);
    Run(std::string(c.Command) + " > theirs.png");
    const TBitmap ours = ReadWith(DecodePNG, "theirs.png");
    EXPECT_EQ(ours.PixelFormat(), c.Format);
    if (c.Source) {
      EXPECT_EQ(test::FirstPixelDifference(*c.Source, ours), "");
    } else {
      Run("pngtopnm theirs.png > theirs.pnm");
      EXPECT_EQ(test::FirstPixelDifference(ReadPNM("theirs.pnm"), ours), "");
    }
  }
  const TColor t = few.GetPixel(3, 0);
  char colour[32];
  std::snprintf(colour, sizeof colour, "rgb:%02x/%02x/%02x", RedOf(t), GreenOf(t), BlueOf(t));
  for (const char* input : {"few.ppm", "rich.ppm"}) {
    Run(std::string("pnmtopng -transparent=") + colour + " " + input + " > theirs.png");
    const TBitmap ours = ReadWith(DecodePNG, "theirs.png");
    EXPECT_TRUE(ours.Transparent) << input;
    EXPECT_EQ(ours.TransparentColor, t) << input;
  }
  Run("pnmtopng -alpha=grey.pgm rich.ppm > alpha.png");
  const TBitmap alpha = ReadWith(DecodePNG, "alpha.png");
  EXPECT_EQ(alpha.PixelFormat(), TPixelFormat::pf32bit);
  EXPECT_EQ(test::FirstPixelDifference(rich, alpha), "");
}

TEST_F(ToolInterop, ToolGifsReadBack) {
  REQUIRE_TOOL("ppmtogif");
  const TBitmap few = FewColours();
  test::WritePPM(few, Dir / "few.ppm");
  for (const char* options : {"", "-interlace", "-sort"}) {
    Run(std::string("ppmtogif ") + options + " few.ppm > theirs.gif");
    EXPECT_EQ(test::FirstPixelDifference(few, ReadWith(DecodeGIF, "theirs.gif")), "") << options;
  }
  const TColor t = few.GetPixel(2, 0);
  char colour[32];
  std::snprintf(colour, sizeof colour, "rgb:%02x/%02x/%02x", RedOf(t), GreenOf(t), BlueOf(t));
  Run(std::string("ppmtogif -transparent=") + colour + " few.ppm > theirs.gif");
  const TBitmap ours = ReadWith(DecodeGIF, "theirs.gif");
  EXPECT_TRUE(ours.Transparent);
  EXPECT_EQ(ours.TransparentColor, t);
}

TEST_F(ToolInterop, CjpegFilesReadBackAsDjpegDecodesThem) {
  REQUIRE_TOOL("cjpeg");
  REQUIRE_TOOL("djpeg");
  test::WritePPM(test::MakeTestPicture(TPixelFormat::pf24bit, 50, 34), Dir / "source.ppm");
  for (const char* options : {"", "-progressive", "-grayscale", "-optimize", "-arithmetic", "-sample 1x1 -quality 50",
                              "-restart 1"}) {
    SCOPED_TRACE(options);
    Run(std::string("cjpeg ") + options + " source.ppm > theirs.jpg");
    Run("djpeg -pnm theirs.jpg > theirs.pnm");
    const TBitmap ours = ReadWith(DecodeJPEG, "theirs.jpg");
    EXPECT_EQ(ours.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(test::FirstPixelDifference(ReadPNM("theirs.pnm"), ours), "");
  }
}

TEST_F(ToolInterop, PpmtobmpFilesReadBack) {
  REQUIRE_TOOL("ppmtobmp");
  const TBitmap rich = test::MakeTestPicture(TPixelFormat::pf24bit, 19, 7);
  const TBitmap few = FewColours();
  const TBitmap two = test::MakeTestPicture(TPixelFormat::pf1bit, 19, 7);
  const TBitmap sixteen = test::MakeTestPicture(TPixelFormat::pf4bit, 19, 7);
  const std::pair<const char*, const TBitmap*> cases[] = {
      {"", &rich},          {"-os2", &rich},         {"", &few},           {"-os2", &few},
      {"-bpp 1", &two},     {"-bpp 4", &sixteen},    {"-bpp 8", &sixteen}, {"-bpp 24", &few},
  };
  for (const auto& [options, source] : cases) {
    test::WritePPM(*source, Dir / "source.ppm");
    Run(std::string("ppmtobmp ") + options + " source.ppm > theirs.bmp");
    EXPECT_EQ(test::FirstPixelDifference(*source, ReadWith(DecodeBMP, "theirs.bmp")), "") << options;
  }
}

}  // namespace
}  // namespace trochodraw
