#include <gtest/gtest.h>

#include "imagefiles/bmp_codec.h"
#include "render/bitmap.h"
#include "support/image_compare.h"

using namespace trochodraw;
using trochodraw::testing::SamePixels;

namespace {

// A small picture with a few distinct colours, drawn through SetPixel.
TBitmap Sample(TPixelFormat f, int w = 13, int h = 5) {
  TBitmap b(w, h, f);
  const TColor colours[] = {clBlack, clWhite, clRed, clLime, clBlue, 0x808080};
  const int n = f == TPixelFormat::pf1bit ? 2 : 6;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, colours[(x * 3 + y) % n]);
  return b;
}

class BitmapFormatTest : public ::testing::TestWithParam<TPixelFormat> {};

TEST_P(BitmapFormatTest, BmpRoundTripKeepsPixelsFormatAndResolution) {
  TBitmap b = Sample(GetParam());
  b.XPelsPerMeter = 2835;
  const std::vector<uint8_t> file = EncodeBMP(b);
  ASSERT_EQ(file[0], 'B');
  const TBitmap back = DecodeBMP(file.data(), file.size());
  EXPECT_TRUE(SamePixels(back, b));
  EXPECT_EQ(back.BitsPerPixel(), b.BitsPerPixel());
  EXPECT_EQ(back.XPelsPerMeter, 2835);
}

TEST_P(BitmapFormatTest, ConversionToTrueColourAndBackKeepsThePicture) {
  const TBitmap b = Sample(GetParam());
  TBitmap c = b;
  c.SetPixelFormat(TPixelFormat::pf24bit);
  EXPECT_TRUE(SamePixels(c, b));
  c.SetPixelFormat(GetParam());
  EXPECT_TRUE(SamePixels(c, b));
}

INSTANTIATE_TEST_SUITE_P(Formats, BitmapFormatTest,
                         ::testing::Values(TPixelFormat::pf1bit, TPixelFormat::pf4bit, TPixelFormat::pf8bit,
                                           TPixelFormat::pf16bit, TPixelFormat::pf24bit, TPixelFormat::pf32bit,
                                           TPixelFormat::pfDevice));

TEST(BitmapTest, SetSizeKeepsTheTopLeftPart) {
  TBitmap b = Sample(TPixelFormat::pf24bit, 20, 10);
  const TBitmap before = b;
  b.SetSize(7, 4);
  b.SetSize(20, 10);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x)
      EXPECT_EQ(b.GetPixel(x, y), x < 7 && y < 4 ? before.GetPixel(x, y) : clWhite) << x << "," << y;
}

TEST(BitmapTest, AbsurdSizeIsRefusedAndLeavesTheBitmap) {
  TBitmap b = Sample(TPixelFormat::pfDevice, 8, 8);
  const TBitmap before = b;
  EXPECT_THROW(b.SetSize(100000, 100000), EImageError);
  EXPECT_TRUE(SamePixels(b, before));
}

TEST(BitmapTest, ManyColoursToEightBitUseTheFixedPalette) {
  TBitmap b(32, 32, TPixelFormat::pf24bit);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) b.SetPixel(x, y, RGBColor(x * 8, y * 8, 51));
  b.SetPixelFormat(TPixelFormat::pf8bit);
  EXPECT_EQ(b.Palette().size(), 256u);
  EXPECT_EQ(b.GetPixel(0, 0), RGBColor(0, 0, 51));
}

TEST(BmpDecodeTest, DamagedFilesGetAnErrorNotACrash) {
  const std::vector<uint8_t> good = EncodeBMP(Sample(TPixelFormat::pf8bit));
  for (size_t cut : {0ul, 2ul, 20ul, 60ul, good.size() - 1}) {
    std::vector<uint8_t> bad(good.begin(), good.begin() + static_cast<long>(cut));
    EXPECT_THROW(DecodeBMP(bad.data(), bad.size()), EImageError) << cut;
  }
  std::vector<uint8_t> huge = good;
  huge[18] = huge[19] = huge[20] = 0x7F;  // width far beyond the data
  EXPECT_THROW(DecodeBMP(huge.data(), huge.size()), EImageError);
}

}  // namespace
