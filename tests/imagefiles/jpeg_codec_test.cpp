#include <gtest/gtest.h>

#include <vector>

#include "image_test_support.h"
#include "imagefiles/jpeg_codec.h"

namespace trochodraw {
namespace {

// Marker codes (the byte after 0xFF) of the file's segments up to the first scan.
std::vector<int> MarkersUpToScan(const std::vector<uint8_t>& F, std::vector<std::vector<uint8_t>>* Segments = nullptr) {
  std::vector<int> markers;
  size_t at = 2;
  while (at + 4 <= F.size() && F[at] == 0xFF) {
    const int m = F[at + 1];
    const size_t len = (size_t(F[at + 2]) << 8) | F[at + 3];
    markers.push_back(m);
    if (Segments) Segments->emplace_back(F.begin() + std::ptrdiff_t(at + 4), F.begin() + std::ptrdiff_t(at + 2 + len));
    if (m == 0xDA) break;
    at += 2 + len;
  }
  return markers;
}

TBitmap Smooth(int W, int H, TPixelFormat F) { return test::MakeSmoothPicture(F, W, H); }

TEST(JpegCodec, TwoSavesOfOneFigureAreIdentical) {
  const TBitmap device = Smooth(50, 40, TPixelFormat::pfDevice);
  const auto first = EncodeJPEG(device), second = EncodeJPEG(device);
  EXPECT_EQ(first, second);
  TBitmap as24 = device;
  as24.SetPixelFormat(TPixelFormat::pf24bit);
  EXPECT_EQ(EncodeJPEG(as24), first) << "the display format is written as its 24-bit copy";
}

TEST(JpegCodec, IsBaselineSequentialColourAtQualityHundred) {
  const auto file = EncodeJPEG(Smooth(33, 17, TPixelFormat::pf24bit));
  std::vector<std::vector<uint8_t>> segments;
  const auto markers = MarkersUpToScan(file, &segments);
  ASSERT_FALSE(markers.empty());
  EXPECT_EQ(markers.front(), 0xE0) << "JFIF first";
  int frames = 0;
  for (size_t i = 0; i < markers.size(); ++i) {
    EXPECT_NE(markers[i], 0xC2) << "progressive";
    if (markers[i] == 0xC0) {
      ++frames;
      EXPECT_EQ(segments[i][0], 8) << "8-bit samples";
      EXPECT_EQ(segments[i][5], 3) << "three components";
    }
    if (markers[i] != 0xDB) continue;
    // Every quantisation step is 1 at quality 100.
    for (size_t t = 0; t + 65 <= segments[i].size(); t += 65)
      for (size_t k = 1; k < 65; ++k) {
        EXPECT_EQ(segments[i][t + k], 1);
      }
  }
  EXPECT_EQ(frames, 1);
  EXPECT_EQ(markers.back(), 0xDA);
  // One interleaved scan: no second start-of-scan anywhere after the first.
  size_t scans = 0;
  for (size_t i = 0; i + 1 < file.size(); ++i)
    if (file[i] == 0xFF && file[i + 1] == 0xDA) ++scans;
  EXPECT_EQ(scans, 1u);
}

TEST(JpegCodec, DecodesToA24BitBitmapCloseToTheOriginal) {
  const TBitmap b = Smooth(48, 24, TPixelFormat::pf24bit);
  const auto file = EncodeJPEG(b);
  const TBitmap back = DecodeJPEG(file.data(), file.size());
  EXPECT_EQ(back.PixelFormat(), TPixelFormat::pf24bit);
  EXPECT_LE(test::MaxChannelDifference(b, back), 8);
}

TEST(JpegCodec, EveryFormatIsWrittenAsItsTwentyFourBitCopy) {
  for (const TPixelFormat f : {TPixelFormat::pf1bit, TPixelFormat::pf8bit, TPixelFormat::pf16bit, TPixelFormat::pf32bit,
                               TPixelFormat::pfCustom}) {
    const TBitmap b = test::MakeTestPicture(f, 21, 10);
    TBitmap copy = b;
    copy.SetPixelFormat(TPixelFormat::pf24bit);
    EXPECT_EQ(EncodeJPEG(b), EncodeJPEG(copy)) << int(f);
  }
}

TEST(JpegCodec, DamagedFilesDecodeAsFarAsPossibleOrFailClearly) {
  const auto good = EncodeJPEG(Smooth(64, 64, TPixelFormat::pf24bit));
  for (size_t n = 0; n < good.size(); n += 97) {
    const std::vector<uint8_t> cut(good.begin(), good.begin() + std::ptrdiff_t(n));
    try {
      const TBitmap b = DecodeJPEG(cut.data(), cut.size());
      EXPECT_EQ(b.Width(), 64);  // a cut inside the scan still gives the whole size
    } catch (const EImageError& e) {
      EXPECT_STRNE(e.what(), "");
    }
  }
  auto huge = good;  // claims 65500 x 65500 pixels
  const auto markers = MarkersUpToScan(good);
  size_t at = 2;
  for (int m : markers) {
    if (m == 0xC0) break;
    at += 2 + ((size_t(good[at + 2]) << 8) | good[at + 3]);
  }
  huge[at + 5] = 0xFF, huge[at + 6] = 0xDC, huge[at + 7] = 0xFF, huge[at + 8] = 0xDC;
  EXPECT_THROW(DecodeJPEG(huge.data(), huge.size()), EImageError);
  const std::vector<uint8_t> junk = {0xFF, 0xD8, 0xFF, 0x00, 1, 2, 3, 4};
  EXPECT_THROW(DecodeJPEG(junk.data(), junk.size()), EImageError);
  EXPECT_THROW(DecodeJPEG(nullptr, 0), EImageError);
}

TEST(JpegCodec, AFileThatEndsEarlyKeepsTheRowsDecodedSoFar) {
  const TBitmap b = Smooth(64, 64, TPixelFormat::pf24bit);
  const auto good = EncodeJPEG(b);
  const std::vector<uint8_t> half(good.begin(), good.begin() + std::ptrdiff_t(good.size() / 2));
  const TBitmap back = DecodeJPEG(half.data(), half.size());
  ASSERT_EQ(back.Width(), 64);
  ASSERT_EQ(back.Height(), 64);
  EXPECT_LE(std::abs(int(RedOf(back.GetPixel(5, 2))) - int(RedOf(b.GetPixel(5, 2)))), 8);
  for (int x = 0; x < 64; ++x) EXPECT_EQ(back.GetPixel(x, 63), clWhite) << x;
}

}  // namespace
}  // namespace trochodraw
