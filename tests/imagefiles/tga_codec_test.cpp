#include "imagefiles/tga_codec.h"

#include <gtest/gtest.h>

#include "imagefiles/own_codec_test_util.h"

namespace trochodraw {
namespace {

using namespace trochodraw::testing;

TEST(TGAWriter, TwoByTwoIsBottomRowFirst) {
  TBitmap b(2, 2, TPixelFormat::pf24bit);
  b.SetPixel(0, 0, RGBColor(1, 2, 3));
  b.SetPixel(1, 0, RGBColor(4, 5, 6));
  b.SetPixel(0, 1, RGBColor(7, 8, 9));
  b.SetPixel(1, 1, RGBColor(10, 11, 12));
  const TBytes f = EncodeTGA(b);
  ASSERT_EQ(f.size(), 30u);
  EXPECT_EQ(Slice(f, 0, 18), (TBytes{0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 2, 0, 24, 0}));
  EXPECT_EQ(Slice(f, 18, 12), (TBytes{9, 8, 7, 12, 11, 10, 3, 2, 1, 6, 5, 4}));
}

TEST(TGAWriter, ThirtyTwoBitsKeepTheFourthByte) {
  TBitmap b(3, 1, TPixelFormat::pf32bit);
  for (int x = 0; x < 3; ++x) b.ScanLine(0)[4 * x + 3] = uint8_t(100 + x);
  const TBytes f = EncodeTGA(b);
  ASSERT_EQ(f.size(), 18u + 12);
  EXPECT_EQ(f[16], 32);
  EXPECT_EQ(f[17], 0) << "no alpha bits claimed";
  EXPECT_EQ(f[18 + 7], 101);
  const TBitmap back = DecodeTGA(f.data(), f.size());
  EXPECT_EQ(back.PixelFormat(), TPixelFormat::pf32bit);
  EXPECT_EQ(back.ScanLine(0)[11], 102);
}

TEST(TGAWriter, OnlyTwentyFourAndThirtyTwoBits) {
  for (TPixelFormat format : {TPixelFormat::pfDevice, TPixelFormat::pf1bit, TPixelFormat::pf4bit,
                              TPixelFormat::pf8bit, TPixelFormat::pf15bit, TPixelFormat::pf16bit,
                              TPixelFormat::pfCustom}) {
    const TBitmap b(2, 2, format);
    EXPECT_EQ(ErrorOf([&] { EncodeTGA(b); }), "Unsupported Bitmap format") << int(format);
  }
  for (TPixelFormat format : {TPixelFormat::pf24bit, TPixelFormat::pf32bit}) {
    const TBitmap b = PatternBitmap(31, 7, format);
    const TBytes f = EncodeTGA(b);
    EXPECT_TRUE(SamePixels(b, DecodeTGA(f.data(), f.size())));
  }
  EXPECT_EQ(ErrorOf([] { EncodeTGA(TBitmap(70000, 1, TPixelFormat::pf24bit)); }), "Image too large for a TGA file");
  try {
    EncodeTGA(TBitmap(1, 1, TPixelFormat::pf8bit));
    ADD_FAILURE() << "no error";
  } catch (const ETGAException&) {
  }
}

struct TTGAHeader {
  uint8_t IdLength = 0, MapType = 0, Type = 2;
  uint16_t MapFirst = 0, MapLength = 0;
  uint8_t MapBits = 0;
  uint16_t Width = 1, Height = 1;
  uint8_t Depth = 24, Descriptor = 0;
};

TBytes TGA(const TTGAHeader& H, const TBytes& Rest) {
  TBytes f(18, 0);
  f[0] = H.IdLength;
  f[1] = H.MapType;
  f[2] = H.Type;
  PutLE16(f, 3, H.MapFirst);
  PutLE16(f, 5, H.MapLength);
  f[7] = H.MapBits;
  PutLE16(f, 12, H.Width);
  PutLE16(f, 14, H.Height);
  f[16] = H.Depth;
  f[17] = H.Descriptor;
  f.insert(f.end(), Rest.begin(), Rest.end());
  return f;
}

TEST(TGAReader, EveryImageTypeGivesTheSamePicture) {
  // A 3 x 2 picture, bottom row first in the file: colours red, green, blue / grey 100, 50,
  // 25 as map entries 0-2 and 3-5 (24-bit map after a 2-byte image ID).
  const TBytes id = {'h', 'i'};
  const TBytes map = {0, 0, 255, 0, 255, 0, 255, 0, 0, 100, 100, 100, 50, 50, 50, 25, 25, 25};
  TTGAHeader h;
  h.Width = 3;
  h.Height = 2;
  h.IdLength = 2;
  auto withMap = [&](TTGAHeader H, uint8_t Type, const TBytes& Data) {
    H.Type = Type;
    H.MapType = 1;
    H.MapLength = 6;
    H.MapBits = 24;
    H.Depth = 8;
    TBytes rest = id;
    rest.insert(rest.end(), map.begin(), map.end());
    rest.insert(rest.end(), Data.begin(), Data.end());
    return TGA(H, rest);
  };
  auto plain = [&](TTGAHeader H, uint8_t Type, uint8_t Depth, const TBytes& Data) {
    H.Type = Type;
    H.Depth = Depth;
    TBytes rest = id;
    rest.insert(rest.end(), Data.begin(), Data.end());
    return TGA(H, rest);
  };
  TBitmap colour(3, 2, TPixelFormat::pf24bit);
  colour.SetPixel(0, 0, RGBColor(100, 100, 100));
  colour.SetPixel(1, 0, RGBColor(50, 50, 50));
  colour.SetPixel(2, 0, RGBColor(25, 25, 25));
  colour.SetPixel(0, 1, RGBColor(255, 0, 0));
  colour.SetPixel(1, 1, RGBColor(0, 255, 0));
  colour.SetPixel(2, 1, RGBColor(0, 0, 255));
  TBitmap grey(3, 2, TPixelFormat::pf24bit);
  for (int x = 0; x < 3; ++x) grey.SetPixel(x, 0, RGBColor(uint8_t(9 * x), uint8_t(9 * x), uint8_t(9 * x)));
  for (int x = 0; x < 3; ++x) grey.SetPixel(x, 1, RGBColor(200, 200, 200));
  struct TCase {
    const char* Name;
    TBytes File;
    const TBitmap& Expected;
  };
  const TCase cases[] = {
      {"type 1", withMap(h, 1, {0, 1, 2, 3, 4, 5}), colour},
      {"type 9", withMap(h, 9, {0x02, 0, 1, 2, 0x00, 3, 0x01, 4, 5}), colour},
      {"type 2", plain(h, 2, 24, {0, 0, 255, 0, 255, 0, 255, 0, 0, 100, 100, 100, 50, 50, 50, 25, 25, 25}), colour},
      {"type 10, a run across the rows", plain(h, 10, 24, {0x02, 0, 0, 255, 0, 255, 0, 255, 0, 0, 0x00, 100, 100, 100,
                                                           0x01, 50, 50, 50, 25, 25, 25}),
       colour},
      {"type 3", plain(h, 3, 8, {200, 200, 200, 0, 9, 18}), grey},
      {"type 11", plain(h, 11, 8, {0x82, 200, 0x02, 0, 9, 18}), grey},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const TBitmap b = DecodeTGA(c.File.data(), c.File.size());
    EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_TRUE(SamePixels(c.Expected, b));
  }
}

TEST(TGAReader, RowOrderAndPixelSizes) {
  TTGAHeader h;
  h.Width = 1;
  h.Height = 2;
  h.Descriptor = 0x20;  // first file row on top
  TBytes f = TGA(h, {1, 2, 3, 4, 5, 6});
  TBitmap b = DecodeTGA(f.data(), f.size());
  EXPECT_EQ(b.GetPixel(0, 0), RGBColor(3, 2, 1));
  // 16-bit true colour becomes a 15-bit bitmap holding the same bytes.
  h.Depth = 16;
  h.Descriptor = 0;
  f = TGA(h, {0x1F, 0x80, 0xE0, 0x03});
  b = DecodeTGA(f.data(), f.size());
  ASSERT_EQ(b.PixelFormat(), TPixelFormat::pf15bit);
  EXPECT_EQ(Slice(TBytes(b.ScanLine(0), b.ScanLine(0) + 2), 0, 2), (TBytes{0xE0, 0x03}));
  EXPECT_EQ(Slice(TBytes(b.ScanLine(1), b.ScanLine(1) + 2), 0, 2), (TBytes{0x1F, 0x80}));
}

TEST(TGAReader, ColourMapEntrySizesAndFirstIndex) {
  struct TCase {
    uint8_t Bits;
    TBytes Entry;
    TColor Colour;
  };
  for (const TCase& c : {TCase{15, {0x1F, 0x7C}, RGBColor(248, 0, 248)}, TCase{16, {0xE0, 0x03}, RGBColor(0, 248, 0)},
                         TCase{24, {1, 2, 3}, RGBColor(3, 2, 1)}, TCase{32, {1, 2, 3, 4}, RGBColor(3, 2, 1)}}) {
    SCOPED_TRACE(int(c.Bits));
    TTGAHeader h;
    h.Type = 1;
    h.MapType = 1;
    h.MapFirst = 10;  // the one entry in the file is index 10
    h.MapLength = 1;
    h.MapBits = c.Bits;
    h.Width = 2;
    h.Depth = 8;
    TBytes rest = c.Entry;
    rest.insert(rest.end(), {10, 3});
    const TBytes f = TGA(h, rest);
    const TBitmap b = DecodeTGA(f.data(), f.size());
    EXPECT_EQ(b.GetPixel(0, 0), c.Colour);
    EXPECT_EQ(b.GetPixel(1, 0), clBlack) << "an index the map does not hold";
  }
}

TEST(TGAReader, PacketsEndingEarly) {
  TTGAHeader h;
  h.Width = 2;
  h.Height = 2;
  h.Descriptor = 0x20;
  // Type 11: a run of four crosses the end of the first row; the rest of it is lost and the
  // next row starts with the next packet.
  h.Type = 11;
  h.Depth = 8;
  TBytes f = TGA(h, {0x83, 70, 0x01, 80, 90});
  TBitmap b = DecodeTGA(f.data(), f.size());
  EXPECT_EQ(b.GetPixel(1, 0), RGBColor(70, 70, 70));
  EXPECT_EQ(b.GetPixel(0, 1), RGBColor(80, 80, 80));
  // A raw packet crossing the row loses its remaining bytes too.
  f = TGA(h, {0x02, 1, 2, 3, 0x81, 4});
  b = DecodeTGA(f.data(), f.size());
  EXPECT_EQ(b.GetPixel(1, 1), RGBColor(4, 4, 4));
  // Data missing at the end leaves the remaining pixels as they were.
  h.Type = 2;
  h.Depth = 24;
  f = TGA(h, {1, 2, 3, 4, 5, 6, 7, 8});
  b = DecodeTGA(f.data(), f.size());
  EXPECT_EQ(b.GetPixel(1, 0), RGBColor(6, 5, 4));
  EXPECT_EQ(b.GetPixel(0, 1), clBlack);
  h.Type = 10;
  f = TGA(h, {0x85, 1, 2});
  b = DecodeTGA(f.data(), f.size());
  EXPECT_EQ(b.GetPixel(0, 0), clBlack);
}

TEST(TGAReader, Errors) {
  struct TCase {
    const char* Name;
    TTGAHeader Header;
    TBytes Rest;
    std::string Message;
  };
  TTGAHeader depth7, type4, type33, grey24, huge;
  depth7.Depth = 7;
  type4.Type = 4;
  type33.Type = 33;
  grey24.Type = 3;
  huge.Width = huge.Height = 65535;
  const TCase cases[] = {
      {"pixel size", depth7, {}, "Unsupported TGA Pixel Size: 7"},
      {"grey of 24 bits", grey24, {}, "Unsupported TGA Pixel Size: 24"},
      {"type 4", type4, {}, "Unsupported TGA ImageType 4"},
      {"type 33", type33, {}, "Unsupported TGA ImageType 33"},
      {"huge picture in a tiny file", huge, {1, 2, 3}, "Invalid TGA File"},
  };
  for (const TCase& c : cases) {
    const TBytes f = TGA(c.Header, c.Rest);
    EXPECT_EQ(ErrorOf([&] { DecodeTGA(f.data(), f.size()); }), c.Message) << c.Name;
  }
  const TBytes cut = {0, 0, 2, 0};
  EXPECT_EQ(ErrorOf([&] { DecodeTGA(cut.data(), cut.size()); }), "Invalid TGA File");
  TTGAHeader none;
  none.Type = 0;
  none.Depth = 0;
  const TBytes empty = TGA(none, {});
  EXPECT_TRUE(DecodeTGA(empty.data(), empty.size()).Empty());
}

}  // namespace
}  // namespace trochodraw
