#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image_test_support.h"
#include "imagefiles/bmp_codec.h"

namespace trochodraw {
namespace {

// Assembles a BMP file with a 40-byte info header (or 12 bytes when Core is set).
struct TBmpFile {
  int32_t Width = 4, Height = 2;
  uint16_t Bits = 8;
  uint32_t Compression = 0;
  uint32_t ColoursUsed = 0;
  bool Core = false;
  std::vector<uint32_t> Table;  // 0x00RRGGBB colours, or the three masks for bit fields
  std::vector<uint8_t> Pixels;

  std::vector<uint8_t> Bytes() const {
    std::vector<uint8_t> o;
    auto p16 = [&](uint32_t v) { o.push_back(uint8_t(v)), o.push_back(uint8_t(v >> 8)); };
    auto p32 = [&](uint32_t v) { p16(v & 0xFFFF), p16(v >> 16); };
    const uint32_t header = Core ? 12 : 40;
    const uint32_t entry = Compression == 3 ? 4 : Core ? 3 : 4;
    const uint32_t offset = 14 + header + entry * uint32_t(Table.size());
    o.push_back('B'), o.push_back('M');
    p32(offset + uint32_t(Pixels.size())), p32(0), p32(offset), p32(header);
    if (Core) {
      p16(uint32_t(Width)), p16(uint32_t(Height)), p16(1), p16(Bits);
    } else {
      p32(uint32_t(Width)), p32(uint32_t(Height)), p16(1), p16(Bits), p32(Compression), p32(uint32_t(Pixels.size()));
      p32(2835), p32(2835), p32(ColoursUsed), p32(0);
    }
    for (uint32_t c : Table) {
      if (Compression == 3) {
        p32(c);
        continue;
      }
      o.push_back(uint8_t(c)), o.push_back(uint8_t(c >> 8)), o.push_back(uint8_t(c >> 16));
      if (!Core) o.push_back(0);
    }
    o.insert(o.end(), Pixels.begin(), Pixels.end());
    return o;
  }
};

TBitmap Decode(const std::vector<uint8_t>& Data) { return DecodeBMP(Data.data(), Data.size()); }

struct TFormatCase {
  TPixelFormat Written, Read;
  int Bits;
};

class BmpRoundTrip : public ::testing::TestWithParam<TFormatCase> {};

TEST_P(BmpRoundTrip, EveryPixelFormatReadsBackTheSame) {
  const auto c = GetParam();
  for (const int width : {1, 5, 13}) {
    TBitmap b = test::MakeTestPicture(c.Written, width, 3);
    b.XPelsPerMeter = 1234;
    b.YPelsPerMeter = 4321;
    const auto data = EncodeBMP(b);
    ASSERT_EQ(data[28], c.Bits);
    const TBitmap back = Decode(data);
    EXPECT_EQ(back.PixelFormat(), c.Read);
    EXPECT_EQ(test::FirstPixelDifference(b, back), "") << "width " << width;
    EXPECT_EQ(back.XPelsPerMeter, 1234);
    EXPECT_EQ(back.YPelsPerMeter, 4321);
    if (c.Bits <= 8) {
      EXPECT_EQ(back.Palette(), b.Palette());
    }
  }
}

INSTANTIATE_TEST_SUITE_P(AllFormats, BmpRoundTrip,
                         ::testing::Values(TFormatCase{TPixelFormat::pf1bit, TPixelFormat::pf1bit, 1},
                                           TFormatCase{TPixelFormat::pf4bit, TPixelFormat::pf4bit, 4},
                                           TFormatCase{TPixelFormat::pf8bit, TPixelFormat::pf8bit, 8},
                                           TFormatCase{TPixelFormat::pf15bit, TPixelFormat::pf15bit, 16},
                                           TFormatCase{TPixelFormat::pf16bit, TPixelFormat::pf16bit, 16},
                                           TFormatCase{TPixelFormat::pf24bit, TPixelFormat::pf24bit, 24},
                                           TFormatCase{TPixelFormat::pf32bit, TPixelFormat::pf32bit, 32},
                                           TFormatCase{TPixelFormat::pfDevice, TPixelFormat::pf32bit, 32},
                                           TFormatCase{TPixelFormat::pfCustom, TPixelFormat::pf32bit, 32}));

TEST(BmpCodec, WritesRowsBottomUp) {
  TBitmap b(1, 2, TPixelFormat::pf24bit);
  b.SetPixel(0, 0, RGBColor(1, 2, 3));
  b.SetPixel(0, 1, RGBColor(4, 5, 6));
  const auto d = EncodeBMP(b);
  ASSERT_EQ(d.size(), 54u + 8u);
  EXPECT_EQ(std::vector<uint8_t>(d.begin() + 54, d.end()), (std::vector<uint8_t>{6, 5, 4, 0, 3, 2, 1, 0}));
}

TEST(BmpCodec, ReadsTopDownCoreAndBitFieldFiles) {
  TBmpFile top;  // 2 x 2, 8 bits, top-down
  top.Width = 2, top.Height = -2, top.Table = {0xFF0000, 0x00FF00}, top.ColoursUsed = 2;
  top.Pixels = {0, 1, 0, 0, 1, 0, 0, 0};
  TBitmap b = Decode(top.Bytes());
  EXPECT_EQ(b.GetPixel(1, 0), RGBColor(0, 255, 0));
  EXPECT_EQ(b.GetPixel(0, 1), RGBColor(0, 255, 0));
  EXPECT_EQ(b.GetPixel(0, 0), RGBColor(255, 0, 0));

  TBmpFile core = top;
  core.Core = true, core.Height = 2;
  b = Decode(core.Bytes());
  EXPECT_EQ(b.GetPixel(0, 0), RGBColor(0, 255, 0));  // bottom-up: the first file row is the last

  TBmpFile fields;  // 32 bits with red in the low byte and blue in the high one
  fields.Width = 1, fields.Height = 1, fields.Bits = 32, fields.Compression = 3;
  fields.Table = {0x000000FF, 0x0000FF00, 0x00FF0000};
  fields.Pixels = {10, 20, 30, 0};
  b = Decode(fields.Bytes());
  EXPECT_EQ(b.GetPixel(0, 0), RGBColor(10, 20, 30));

  TBmpFile five;  // 16 bits, 5-5-5 fields: full scale stays full scale
  five.Width = 1, five.Height = 1, five.Bits = 16, five.Compression = 3;
  five.Table = {0x7C00, 0x03E0, 0x001F};
  five.Pixels = {0xE0, 0x7F, 0, 0};  // red 31, green 31, blue 0
  EXPECT_EQ(Decode(five.Bytes()).GetPixel(0, 0), RGBColor(255, 255, 0));
}

TEST(BmpCodec, DecodesRunLengthFiles) {
  TBmpFile rle8;  // 6 x 3
  rle8.Width = 6, rle8.Height = 3, rle8.Compression = 1;
  rle8.Table = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
  rle8.Pixels = {3, 1,  0, 3, 2, 3, 1, 0,  // bottom row: 1 1 1, then absolute 2 3 1 (padded)
                 0, 0,                      // end of line
                 0, 2, 2, 1,                // delta: two right, one up
                 2, 3,  0, 1};              // 3 3 on the top row, end of bitmap
  TBitmap b = Decode(rle8.Bytes());
  // The delta moves from the start of the middle row two right into the top row.
  const std::vector<int> want = {0, 0, 3, 3, 0, 0,   // top row
                                 0, 0, 0, 0, 0, 0,   // middle row, untouched
                                 1, 1, 1, 2, 3, 1};  // bottom row, the first in the file
  std::vector<int> got;
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 6; ++x) got.push_back(b.ScanLine(y)[x]);
  EXPECT_EQ(got, want);

  TBmpFile rle4;  // 6 x 1: an encoded run of alternating nibbles, then an absolute run
  rle4.Width = 6, rle4.Height = 1, rle4.Bits = 4, rle4.Compression = 2;
  rle4.Table = std::vector<uint32_t>(16, 0);
  rle4.Pixels = {3, 0x12, 0, 3, 0x45, 0x60, 0, 1};
  b = Decode(rle4.Bytes());
  const uint8_t* row = b.ScanLine(0);
  EXPECT_EQ(row[0], 0x12);
  EXPECT_EQ(row[1], 0x14);
  EXPECT_EQ(row[2], 0x56);
}

// Every one of these files lies about its size or layout: each must end in a clear error or
// a picture, and never read or write outside its buffers (the sanitizer builds check that).
TEST(BmpCodec, SurvivesHostileHeaders) {
  std::vector<std::pair<std::string, std::vector<uint8_t>>> files;
  TBmpFile base;
  base.Table = std::vector<uint32_t>(256, 0x123456);
  base.Pixels = std::vector<uint8_t>(8, 7);
  auto add = [&](const std::string& name, TBmpFile f) { files.emplace_back(name, f.Bytes()); };
  TBmpFile f = base;
  f.Width = 1 << 30, f.Height = 1 << 30;
  add("huge", f);
  f = base, f.Width = 100000, f.Height = 100000, f.Compression = 1;
  add("huge RLE8", f);
  f = base, f.Width = 3000, f.Height = 3000;
  add("rows missing", f);
  f = base, f.Height = INT32_MIN;
  add("most negative height", f);
  f = base, f.ColoursUsed = 0xFFFFFFFF, f.Table.resize(3);
  add("colour table cut short", f);
  f = base, f.Compression = 1, f.Pixels = {0, 2, 255, 255, 0, 2, 255, 255, 0, 3};
  add("RLE8 deltas off the picture, absolute run past the end", f);
  f = base, f.Bits = 4, f.Compression = 2, f.Pixels = {255, 0x11, 0, 255, 1};
  add("RLE4 runs past the row and the data", f);
  f = base, f.Bits = 16, f.Compression = 3, f.Table.clear(), f.Pixels.clear();
  add("bit fields missing", f);
  f = base, f.Bits = 7;
  add("seven bits", f);
  f = base, f.Compression = 9;
  add("unknown compression", f);
  auto bytes = base.Bytes();
  bytes[14] = 0xFF, bytes[15] = 0xFF, bytes[16] = 0xFF, bytes[17] = 0xFF;
  files.emplace_back("header size beyond the file", bytes);
  bytes = base.Bytes();
  bytes[10] = 0xF0, bytes[11] = 0xFF, bytes[12] = 0xFF, bytes[13] = 0xFF;
  files.emplace_back("pixel offset beyond the file", bytes);
  bytes = base.Bytes();
  for (size_t n = 0; n < bytes.size(); n += 7) files.emplace_back("cut at " + std::to_string(n), std::vector<uint8_t>(bytes.begin(), bytes.begin() + std::ptrdiff_t(n)));

  for (const auto& [name, data] : files) {
    SCOPED_TRACE(name);
    try {
      const TBitmap b = DecodeBMP(data.data(), data.size());
      EXPECT_GT(b.Width(), 0);
    } catch (const EImageError& e) {
      EXPECT_STRNE(e.what(), "");
    }
  }
  EXPECT_THROW(Decode(files[0].second), EImageError);
  EXPECT_THROW(Decode(files[1].second), EImageError);
}

}  // namespace
}  // namespace trochodraw
