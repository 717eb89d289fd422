#include "imagefiles/pcx_codec.h"

#include <gtest/gtest.h>

#include "imagefiles/own_codec_test_util.h"
#include "imagefiles/resolution_units.h"

namespace trochodraw {
namespace {

using namespace trochodraw::testing;

TBytes Body(const TBytes& File) { return TBytes(File.begin() + 128, File.end()); }

TEST(PCXWriter, HeaderOfAnOddWidth) {
  TBitmap b(3, 2, TPixelFormat::pf24bit);
  b.XPelsPerMeter = 3780;
  b.YPelsPerMeter = 11811;
  const TBytes f = EncodePCX(b);
  EXPECT_EQ(Slice(f, 0, 4), (TBytes{10, 5, 1, 8}));
  struct TField {
    size_t At;
    uint32_t Value;
  };
  for (const TField& x : {TField{4, 0}, TField{6, 0}, TField{8, 2}, TField{10, 1}, TField{12, 96}, TField{14, 300},
                          TField{66, 3}, TField{68, 1}, TField{70, 3}, TField{72, 2}})
    EXPECT_EQ(LE16(f, x.At), x.Value) << "offset " << x.At;
  EXPECT_EQ(f[64], 0);
  EXPECT_EQ(f[65], 3);
  EXPECT_EQ(Slice(f, 16, 48), TBytes(48, 0));
  EXPECT_EQ(Slice(f, 74, 54), TBytes(54, 0));
  // Three white planes of three bytes per row, no padding, no palette at the end.
  EXPECT_EQ(Body(f), (TBytes{195, 255, 195, 255, 195, 255, 195, 255, 195, 255, 195, 255}));
}

TEST(PCXWriter, PlaneRuns) {
  struct TCase {
    const char* Name;
    std::vector<uint8_t> Red;  // green and blue are zero
    TBytes RedPlane, ZeroPlane;
  };
  const TCase cases[] = {
      {"a run of three", {255, 255, 255}, {195, 255}, {195, 0}},
      {"100 equal bytes: runs of 63 and 37", std::vector<uint8_t>(100, 7), {255, 7, 229, 7}, {255, 0, 229, 0}},
      {"a single byte of 200 needs a count", {1, 200, 2}, {1, 193, 200, 2}, {195, 0}},
      {"a single 192", {192}, {193, 192}, {0}},
      {"a single 191 stands alone", {191}, {191}, {0}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TBitmap b(int(c.Red.size()), 1, TPixelFormat::pf24bit);
    for (int x = 0; x < b.Width(); ++x) b.SetPixel(x, 0, RGBColor(c.Red[size_t(x)], 0, 0));
    TBytes expected = c.RedPlane;
    for (int plane = 0; plane < 2; ++plane) expected.insert(expected.end(), c.ZeroPlane.begin(), c.ZeroPlane.end());
    EXPECT_EQ(Body(EncodePCX(b)), expected);
  }
}

TEST(PCXWriter, EveryFormatRoundTripsWithItsResolution) {
  for (TPixelFormat format : {TPixelFormat::pfDevice, TPixelFormat::pf1bit, TPixelFormat::pf4bit,
                              TPixelFormat::pf8bit, TPixelFormat::pf15bit, TPixelFormat::pf16bit,
                              TPixelFormat::pf24bit, TPixelFormat::pf32bit}) {
    SCOPED_TRACE("format " + std::to_string(int(format)));
    TBitmap b = PatternBitmap(67, 5, format);
    b.XPelsPerMeter = 2835;  // 72 dots per inch
    const TBytes f = EncodePCX(b);
    const TBitmap back = DecodePCX(f.data(), f.size());
    EXPECT_EQ(back.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_TRUE(SamePixels(b, back));
    EXPECT_EQ(back.XPelsPerMeter, 2835);
    EXPECT_EQ(back.YPelsPerMeter, 3780);
  }
}

TEST(PCXWriter, RefusesWhatTheHeaderCannotHold) {
  EXPECT_EQ(ErrorOf([] { EncodePCX(TBitmap(0, 0, TPixelFormat::pf24bit)); }), "Width or Height is Zero");
  EXPECT_EQ(ErrorOf([] { EncodePCX(TBitmap(70000, 1, TPixelFormat::pf1bit)); }), "Image too large for a PCX file");
}

TEST(PCXResolution, RoundsHalvesToEven) {
  struct TCase {
    int32_t PelsPerMeter;
    uint16_t Dpi;
  };
  for (const TCase& c : {TCase{0, 0}, TCase{-5, 0}, TCase{3780, 96}, TCase{2500, 64}, TCase{7500, 190},
                         TCase{11811, 300}, TCase{100000000, 65535}})
    EXPECT_EQ(DotsPerInchFromPelsPerMeter(c.PelsPerMeter), c.Dpi) << c.PelsPerMeter;
  EXPECT_EQ(PelsPerMeterFromDotsPerInch(96), 3780);
  EXPECT_EQ(PelsPerMeterFromDotsPerInch(72), 2835);
  EXPECT_EQ(PelsPerMeterFromDotsPerInch(0), 0);
}

// A file of the given layout: header palette entry i is (i*16, 255-i*16, i), then the body
// and what follows it.
TBytes PCXFile(uint32_t Planes, uint32_t Bits, uint32_t W, uint32_t H, uint32_t BytesPerLine, const TBytes& Body) {
  TBytes f(128, 0);
  f[0] = 10;
  f[1] = 5;
  f[2] = 1;
  f[3] = uint8_t(Bits);
  PutLE16(f, 8, W - 1);
  PutLE16(f, 10, H - 1);
  PutLE16(f, 12, 150);
  PutLE16(f, 14, 150);
  for (uint32_t i = 0; i < 16; ++i) {
    f[16 + 3 * i] = uint8_t(i * 16);
    f[17 + 3 * i] = uint8_t(255 - i * 16);
    f[18 + 3 * i] = uint8_t(i);
  }
  f[65] = uint8_t(Planes);
  PutLE16(f, 66, BytesPerLine);
  f.insert(f.end(), Body.begin(), Body.end());
  return f;
}

TColor HeaderEntry(uint32_t I) { return RGBColor(uint8_t(I * 16), uint8_t(255 - I * 16), uint8_t(I)); }

TEST(PCXReader, PlaneAndBitCombinations) {
  struct TCase {
    const char* Name;
    uint32_t Planes, Bits, BytesPerLine;
    TBytes Body;  // one row of 8 pixels, raw bytes below 192
    TColor Pixel5;
  };
  const TCase cases[] = {
      {"1 plane, 1 bit", 1, 1, 2, {0x04, 0}, HeaderEntry(1)},
      {"1 plane, 2 bits", 1, 2, 2, {0x00, 0x20}, HeaderEntry(2)},
      {"1 plane, 4 bits", 1, 4, 4, {0, 0, 0x0B, 0}, HeaderEntry(11)},
      {"2 planes, 1 bit", 2, 1, 2, {0x04, 0, 0x04, 0}, HeaderEntry(3)},
      {"3 planes, 1 bit", 3, 1, 2, {0, 0, 0x04, 0, 0x04, 0}, HeaderEntry(6)},
      {"4 planes, 1 bit: 1,0,0,1 is entry 9", 4, 1, 2, {0x04, 0, 0, 0, 0, 0, 0x04, 0}, HeaderEntry(9)},
      {"1 plane, 8 bits without palette: grey", 1, 8, 8, {0, 0, 0, 0, 0, 77, 0, 0}, RGBColor(77, 77, 77)},
      {"3 planes, 8 bits", 3, 8, 8, {0, 0, 0, 0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 20, 0, 0, 0, 0, 0, 0, 0, 30, 0, 0},
       RGBColor(10, 20, 30)},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const TBytes f = PCXFile(c.Planes, c.Bits, 8, 1, c.BytesPerLine, c.Body);
    const TBitmap b = DecodePCX(f.data(), f.size());
    ASSERT_EQ(b.Width(), 8);
    EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(b.GetPixel(5, 0), c.Pixel5);
    EXPECT_EQ(b.XPelsPerMeter, 5906);
  }
}

TEST(PCXReader, PaletteAfterTheBody) {
  TBytes body = {193, 200, 5, 195, 7};  // 200, 5, 7, 7, 7 - the last run ends the body
  body.push_back(12);
  for (int i = 0; i < 256; ++i) body.insert(body.end(), {uint8_t(i), uint8_t(i / 2), uint8_t(255 - i)});
  const TBytes f = PCXFile(1, 8, 5, 1, 5, body);
  const TBitmap b = DecodePCX(f.data(), f.size());
  EXPECT_EQ(b.GetPixel(0, 0), RGBColor(200, 100, 55));
  EXPECT_EQ(b.GetPixel(4, 0), RGBColor(7, 3, 248));
  // Without the marker byte the same body is grey.
  const TBytes grey = PCXFile(1, 8, 5, 1, 5, TBytes(body.begin(), body.begin() + 5));
  EXPECT_EQ(DecodePCX(grey.data(), grey.size()).GetPixel(0, 0), RGBColor(200, 200, 200));
}

TEST(PCXReader, RunsCrossPlanesRowsAndTheEnd) {
  // Two rows of 2 x 3 planes: one run of 10 covers all but the last two bytes and a run of
  // 5 is cut off at the end of the body.
  const TBytes f = PCXFile(3, 8, 2, 2, 2, {202, 40, 197, 90});
  const TBitmap b = DecodePCX(f.data(), f.size());
  EXPECT_EQ(b.GetPixel(1, 0), RGBColor(40, 40, 40));
  EXPECT_EQ(b.GetPixel(1, 1), RGBColor(40, 40, 90));
  // Bytes missing at the end read as zero.
  const TBytes cut = PCXFile(3, 8, 2, 2, 2, {40, 41, 42});
  const TBitmap c = DecodePCX(cut.data(), cut.size());
  EXPECT_EQ(c.GetPixel(1, 0), RGBColor(41, 0, 0));
  EXPECT_EQ(c.GetPixel(0, 1), clBlack);
}

TEST(PCXReader, DamagedHeaders) {
  struct TCase {
    const char* Name;
    TBytes File;
    std::string Message;
  };
  TBytes shortFile = PCXFile(3, 8, 2, 2, 2, {});
  shortFile.resize(100);
  TBytes backwards = PCXFile(3, 8, 2, 2, 2, {1, 2, 3});
  PutLE16(backwards, 4, 5);  // Xmin beyond Xmax
  const TCase cases[] = {
      {"short header", shortFile, "Invalid PCX File"},
      {"Xmin beyond Xmax", backwards, "Invalid PCX File"},
      {"lines shorter than the width", PCXFile(3, 8, 9, 1, 4, TBytes(40, 1)), "Invalid PCX File"},
      {"huge picture in a tiny file", PCXFile(3, 8, 65535, 65535, 65535, {193, 1}), "Invalid PCX File"},
      {"two planes of 8 bits", PCXFile(2, 8, 2, 1, 2, {1, 2, 3, 4}), "Unsupported PCX Format"},
      {"one plane of 24 bits", PCXFile(1, 24, 2, 1, 6, TBytes(6, 1)), "Unsupported PCX Format"},
  };
  for (const TCase& c : cases) EXPECT_EQ(ErrorOf([&] { DecodePCX(c.File.data(), c.File.size()); }), c.Message) << c.Name;
}

}  // namespace
}  // namespace trochodraw
