#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <vector>

#include "image_test_support.h"
#include "imagefiles/png_codec.h"

namespace trochodraw {
namespace {

struct TChunk {
  std::string Type;
  std::vector<uint8_t> Data;
};

uint32_t Be32(const uint8_t* p) { return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3]; }

std::vector<TChunk> Chunks(const std::vector<uint8_t>& File) {
  std::vector<TChunk> out;
  for (size_t at = 8; at + 12 <= File.size();) {
    const uint32_t len = Be32(&File[at]);
    out.push_back({std::string(File.begin() + std::ptrdiff_t(at + 4), File.begin() + std::ptrdiff_t(at + 8)),
                   std::vector<uint8_t>(File.begin() + std::ptrdiff_t(at + 8), File.begin() + std::ptrdiff_t(at + 8 + len))});
    at += 12 + len;
  }
  return out;
}

std::vector<uint8_t> Inflate(const std::vector<uint8_t>& In, size_t Expected) {
  std::vector<uint8_t> out(Expected + 16);
  uLongf size = static_cast<uLongf>(out.size());
  EXPECT_EQ(uncompress(out.data(), &size, In.data(), static_cast<uLong>(In.size())), Z_OK);
  out.resize(size);
  return out;
}

std::vector<std::string> TypesWithoutRepeats(const std::vector<TChunk>& Chunks) {
  std::vector<std::string> types;
  for (const auto& c : Chunks)
    if (types.empty() || types.back() != c.Type) types.push_back(c.Type);
  return types;
}

struct TPngCase {
  TPixelFormat Written;
  int ColourType, BitDepth;
  TPixelFormat Read;
};

class PngWriter : public ::testing::TestWithParam<TPngCase> {};

TEST_P(PngWriter, WritesTheFixedLayoutAndReadsBack) {
  const auto c = GetParam();
  const TBitmap b = test::MakeTestPicture(c.Written, 19, 7);
  const auto file = EncodePNG(b);
  const auto chunks = Chunks(file);
  const bool palette = c.ColourType == 3;
  const std::vector<std::string> withPalette = {"IHDR", "PLTE", "IDAT", "IEND"}, without = {"IHDR", "IDAT", "IEND"};
  EXPECT_EQ(TypesWithoutRepeats(chunks), palette ? withPalette : without);
  const auto& ihdr = chunks.at(0).Data;
  EXPECT_EQ(ihdr[8], c.BitDepth);
  EXPECT_EQ(ihdr[9], c.ColourType);
  EXPECT_EQ(ihdr[10], 0);  // deflate
  EXPECT_EQ(ihdr[12], 0);  // not interlaced
  if (palette) {
    EXPECT_EQ(chunks.at(1).Data.size(), 3u << c.BitDepth);
  }

  std::vector<uint8_t> idat;
  for (const auto& ch : chunks)
    if (ch.Type == "IDAT") idat.insert(idat.end(), ch.Data.begin(), ch.Data.end());
  ASSERT_GE(idat.size(), 2u);
  EXPECT_EQ(idat[1] >> 6, 3) << "zlib header: not the level 7 and above setting";
  const size_t rowBytes = palette ? (size_t(b.Width()) * size_t(c.BitDepth) + 7) / 8 : size_t(b.Width()) * 3;
  const auto raw = Inflate(idat, (rowBytes + 1) * size_t(b.Height()));
  ASSERT_EQ(raw.size(), (rowBytes + 1) * size_t(b.Height()));
  for (int y = 0; y < b.Height(); ++y) EXPECT_EQ(raw[size_t(y) * (rowBytes + 1)], 1) << "filter of row " << y;

  const TBitmap back = DecodePNG(file.data(), file.size());
  EXPECT_EQ(back.PixelFormat(), c.Read);
  EXPECT_EQ(test::FirstPixelDifference(b, back), "");
  if (palette) {
    EXPECT_EQ(back.Palette(), b.Palette());
  }
  EXPECT_FALSE(back.Transparent);
}

INSTANTIATE_TEST_SUITE_P(
    AllFormats, PngWriter,
    ::testing::Values(TPngCase{TPixelFormat::pf1bit, 3, 1, TPixelFormat::pf1bit},
                      TPngCase{TPixelFormat::pf4bit, 3, 4, TPixelFormat::pf4bit},
                      TPngCase{TPixelFormat::pf8bit, 3, 8, TPixelFormat::pf8bit},
                      TPngCase{TPixelFormat::pf15bit, 2, 8, TPixelFormat::pf24bit},
                      TPngCase{TPixelFormat::pf16bit, 2, 8, TPixelFormat::pf24bit},
                      TPngCase{TPixelFormat::pf24bit, 2, 8, TPixelFormat::pf24bit},
                      TPngCase{TPixelFormat::pf32bit, 2, 8, TPixelFormat::pf24bit},
                      TPngCase{TPixelFormat::pfDevice, 2, 8, TPixelFormat::pf24bit},
                      TPngCase{TPixelFormat::pfCustom, 2, 8, TPixelFormat::pf24bit}));

TEST(PngCodec, SplitsImageDataIntoChunksOfAtMost65535Bytes) {
  TBitmap noise(400, 300, TPixelFormat::pf24bit);
  uint32_t s = 12345;
  for (size_t i = 0; i < noise.ByteCount(); ++i) {
    s = s * 1103515245u + 12345u;
    noise.Bits()[i] = uint8_t(s >> 24);
  }
  const auto file = EncodePNG(noise);
  int idats = 0;
  for (const auto& c : Chunks(file))
    if (c.Type == "IDAT") {
      ++idats;
      EXPECT_LE(c.Data.size(), 65535u);
    }
  EXPECT_GT(idats, 4);
  EXPECT_EQ(test::FirstPixelDifference(noise, DecodePNG(file.data(), file.size())), "");
}

TEST(PngCodec, ATransparentBitmapGetsATransparencyChunkAndKeepsItsColour) {
  TBitmap pal = test::MakeTestPicture(TPixelFormat::pf8bit, 4, 4);
  pal.Transparent = true;
  pal.TransparentColor = pal.Palette()[2];
  TBitmap rgb = test::MakeTestPicture(TPixelFormat::pf24bit, 4, 4);
  rgb.Transparent = true;
  rgb.TransparentColor = rgb.GetPixel(1, 1);
  for (const TBitmap* b : {&pal, &rgb}) {
    const auto file = EncodePNG(*b);
    const auto chunks = Chunks(file);
    const auto types = TypesWithoutRepeats(chunks);
    const bool palette = b == &pal;
    const std::vector<std::string> withPalette = {"IHDR", "PLTE", "tRNS", "IDAT", "IEND"},
                                   without = {"IHDR", "tRNS", "IDAT", "IEND"};
    EXPECT_EQ(types, palette ? withPalette : without);
    const auto& trns = chunks.at(palette ? 2 : 1).Data;
    if (palette) {
      EXPECT_EQ(trns, (std::vector<uint8_t>{255, 255, 0}));
    } else {
      const TColor t = rgb.TransparentColor;
      EXPECT_EQ(trns, (std::vector<uint8_t>{0, RedOf(t), 0, GreenOf(t), 0, BlueOf(t)}));
    }
    const TBitmap back = DecodePNG(file.data(), file.size());
    EXPECT_TRUE(back.Transparent);
    EXPECT_EQ(back.TransparentColor, b->TransparentColor);
    EXPECT_EQ(test::FirstPixelDifference(*b, back), "");
  }
}

TEST(PngCodec, RefusesDamagedFilesWithAClearError) {
  const auto good = EncodePNG(test::MakeTestPicture(TPixelFormat::pf24bit, 30, 20));
  std::vector<std::vector<uint8_t>> bad;
  // Cut anywhere before the end of the image data (a file missing only its end chunk still
  // holds the whole picture).
  for (size_t n = 0; n + 20 < good.size(); n += 5) bad.emplace_back(good.begin(), good.begin() + std::ptrdiff_t(n));
  auto crc = good;
  crc[29] ^= 1;  // the IHDR checksum
  bad.push_back(crc);
  auto huge = good;  // 20000 x 20000 from a few hundred bytes of image data
  huge[16] = 0, huge[17] = 0, huge[18] = 0x4E, huge[19] = 0x20;
  huge[20] = 0, huge[21] = 0, huge[22] = 0x4E, huge[23] = 0x20;
  const uLong sum = crc32(0, &huge[12], 17);
  for (int i = 0; i < 4; ++i) huge[29 + size_t(i)] = uint8_t(sum >> (24 - 8 * i));
  bad.push_back(huge);
  auto data = good;
  for (size_t i = 41; i < data.size() - 12; i += 3) data[i] ^= 0x5A;
  bad.push_back(data);
  for (const auto& f : bad) EXPECT_THROW(DecodePNG(f.data(), f.size()), EImageError) << f.size() << " bytes";
  EXPECT_THROW(EncodePNG(TBitmap()), EImageError);
}

}  // namespace
}  // namespace trochodraw
