#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <vector>

#include "image_test_support.h"
#include "imagefiles/gif_codec.h"

namespace trochodraw {
namespace {

TBitmap Decode(const std::vector<uint8_t>& F) { return DecodeGIF(F.data(), F.size()); }

// The nearest of the six levels, worked out the slow way.
uint8_t NearestLevel(uint8_t V) {
  int best = 0;
  for (int k = 1; k < 6; ++k)
    if (std::abs(V - 51 * k) < std::abs(V - 51 * best)) best = k;
  return uint8_t(51 * best);
}

TEST(GifCodec, PaletteBitmapsKeepTheirPaletteAndIndexes) {
  for (const TPixelFormat f : {TPixelFormat::pf1bit, TPixelFormat::pf4bit, TPixelFormat::pf8bit}) {
    const TBitmap b = test::MakeTestPicture(f, 23, 9);
    const auto file = EncodeGIF(b);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 6), "GIF87a");
    EXPECT_EQ((file[10] & 7) + 1, b.BitsPerPixel()) << "global colour table size";
    const TBitmap back = Decode(file);
    EXPECT_EQ(back.PixelFormat(), f);
    EXPECT_EQ(back.Palette(), b.Palette());
    EXPECT_EQ(test::FirstPixelDifference(b, back), "");
    EXPECT_FALSE(back.Transparent);
  }
}

TEST(GifCodec, OtherFormatsUseOnlyTheNearestCubeColours) {
  for (const TPixelFormat f : {TPixelFormat::pf15bit, TPixelFormat::pf16bit, TPixelFormat::pf24bit,
                               TPixelFormat::pf32bit, TPixelFormat::pfDevice}) {
    TBitmap b = test::MakeTestPicture(f, 32, 16);
    const auto file = EncodeGIF(b);
    EXPECT_EQ(file[10] & 7, 7) << "a 256-entry colour table";
    const TBitmap back = Decode(file);
    ASSERT_EQ(back.PixelFormat(), TPixelFormat::pf8bit);
    for (int y = 0; y < b.Height(); ++y)
      for (int x = 0; x < b.Width(); ++x) {
        const TColor s = b.GetPixel(x, y);
        ASSERT_EQ(back.GetPixel(x, y), RGBColor(NearestLevel(RedOf(s)), NearestLevel(GreenOf(s)), NearestLevel(BlueOf(s))))
            << x << "," << y;
        ASSERT_LT(back.ScanLine(y)[x], 216);
      }
    // Entry i: red i div 36, green (i div 6) mod 6, blue i mod 6, in steps of 51.
    EXPECT_EQ(back.Palette()[0], RGBColor(0, 0, 0));
    EXPECT_EQ(back.Palette()[1], RGBColor(0, 0, 51));
    EXPECT_EQ(back.Palette()[6], RGBColor(0, 51, 0));
    EXPECT_EQ(back.Palette()[36], RGBColor(51, 0, 0));
    EXPECT_EQ(back.Palette()[215], RGBColor(255, 255, 255));
  }
}

TEST(GifCodec, AFlatAreaStaysFlat) {
  TBitmap b(40, 20, TPixelFormat::pf24bit);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) b.SetPixel(x, y, x < 20 ? RGBColor(100, 150, 200) : RGBColor(130, 20, 77));
  const TBitmap back = Decode(EncodeGIF(b));
  std::set<TColor> left, right;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) (x < 20 ? left : right).insert(back.GetPixel(x, y));
  EXPECT_EQ(left, std::set<TColor>{RGBColor(102, 153, 204)});
  EXPECT_EQ(right, std::set<TColor>{RGBColor(153, 0, 102)});
}

TEST(GifCodec, ATransparentBitmapKeepsItsTransparentColour) {
  TBitmap pal = test::MakeTestPicture(TPixelFormat::pf8bit, 5, 5);
  pal.Transparent = true;
  pal.TransparentColor = pal.Palette()[5];
  TBitmap rgb = test::MakeTestPicture(TPixelFormat::pf24bit, 5, 5);
  rgb.Transparent = true;
  rgb.TransparentColor = RGBColor(200, 10, 60);
  const std::pair<const TBitmap*, TColor> cases[] = {{&pal, pal.Palette()[5]}, {&rgb, RGBColor(204, 0, 51)}};
  for (const auto& [b, colour] : cases) {
    const auto file = EncodeGIF(*b);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 6), "GIF89a");
    const TBitmap back = Decode(file);
    EXPECT_TRUE(back.Transparent);
    EXPECT_EQ(back.TransparentColor, colour);
  }
}

TEST(GifCodec, RefusesWhatItCannotWriteOrRead) {
  EXPECT_THROW(EncodeGIF(TBitmap(65536, 1, TPixelFormat::pf8bit)), EImageError);
  EXPECT_THROW(EncodeGIF(TBitmap()), EImageError);

  const auto good = EncodeGIF(test::MakeTestPicture(TPixelFormat::pf24bit, 64, 64));
  std::vector<std::vector<uint8_t>> bad;
  for (size_t n = 0; n + 2 < good.size(); n += 9) bad.emplace_back(good.begin(), good.begin() + std::ptrdiff_t(n));
  const size_t descriptor = 13 + 768;
  ASSERT_EQ(good[descriptor], ',');
  auto huge = good;  // a 65535 x 65535 image from a few kilobytes
  huge[descriptor + 5] = huge[descriptor + 6] = huge[descriptor + 7] = huge[descriptor + 8] = 0xFF;
  bad.push_back(huge);
  auto code = good;  // LZW minimum code size far beyond 8 bits
  code[descriptor + 10] = 30;
  bad.push_back(code);
  for (const auto& f : bad) EXPECT_THROW(Decode(f), EImageError) << f.size() << " bytes";
}

TEST(GifCodec, ThePictureIsTheFirstImageAtItsOwnSize) {
  const TBitmap b = test::MakeTestPicture(TPixelFormat::pf8bit, 6, 4);
  auto file = EncodeGIF(b);
  file[6] = 2, file[7] = 0, file[8] = 0, file[9] = 1;  // a 2 x 256 screen
  const size_t descriptor = 13 + 768;
  ASSERT_EQ(file[descriptor], ',');
  file[descriptor + 1] = 3;  // placed 3 pixels right
  const auto second = EncodeGIF(test::MakeTestPicture(TPixelFormat::pf8bit, 9, 9));
  file.pop_back();  // the trailer; a second image follows
  file.insert(file.end(), second.begin() + std::ptrdiff_t(descriptor), second.end());
  const TBitmap back = Decode(file);
  EXPECT_EQ(test::FirstPixelDifference(b, back), "");
}

}  // namespace
}  // namespace trochodraw
