#include "imagefiles/tiff_codec.h"

#include <gtest/gtest.h>

#include "imagefiles/own_codec_test_util.h"
#include "imagefiles/packbits.h"
#include "imagefiles/tiff_test_file.h"

namespace trochodraw {
namespace {

using namespace trochodraw::testing;

struct TEntryRow {
  uint16_t Tag, Type;
  uint32_t Count, Value;
};

std::vector<TEntryRow> Directory(const TBytes& F) {
  const uint32_t ifd = LE32(F, 4);
  std::vector<TEntryRow> rows;
  for (uint32_t i = 0; i < LE16(F, ifd); ++i) {
    const size_t at = ifd + 2 + 12 * i;
    rows.push_back({uint16_t(LE16(F, at)), uint16_t(LE16(F, at + 2)), LE32(F, at + 4), LE32(F, at + 8)});
  }
  return rows;
}

void ExpectDirectory(const TBytes& F, const std::vector<TEntryRow>& Expected) {
  const std::vector<TEntryRow> actual = Directory(F);
  ASSERT_EQ(actual.size(), Expected.size());
  for (size_t i = 0; i < Expected.size(); ++i) {
    SCOPED_TRACE("entry " + std::to_string(i) + ", tag " + std::to_string(Expected[i].Tag));
    EXPECT_EQ(actual[i].Tag, Expected[i].Tag);
    EXPECT_EQ(actual[i].Type, Expected[i].Type);
    EXPECT_EQ(actual[i].Count, Expected[i].Count);
    EXPECT_EQ(actual[i].Value, Expected[i].Value);
  }
  EXPECT_EQ(LE32(F, LE32(F, 4) + 2 + 12 * Expected.size()), 0u) << "next directory";
}

TEST(TIFFWriter, RGBLayoutOfTwoByTwo) {
  TBitmap b(2, 2, TPixelFormat::pf24bit);
  b.SetPixel(0, 0, RGBColor(1, 2, 3));
  b.SetPixel(1, 0, RGBColor(4, 5, 6));
  b.SetPixel(0, 1, RGBColor(7, 8, 9));
  b.SetPixel(1, 1, RGBColor(10, 11, 12));
  const TBytes f = EncodeTIFF(b, false);
  ASSERT_EQ(f.size(), 234u);
  EXPECT_EQ(Slice(f, 0, 4), (TBytes{'I', 'I', 42, 0}));
  EXPECT_EQ(LE32(f, 4), 48u);
  EXPECT_EQ(Slice(f, 8, 20), (TBytes{100, 0, 0, 0, 1, 0, 0, 0, 100, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Slice(f, 28, 8), (TBytes{'M', 'i', 'l', 'l', 'r', 'a', 'c', 'e'}));
  EXPECT_EQ(Slice(f, 36, 12), (TBytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})) << "rows top first, RGB";
  ExpectDirectory(f, {{254, 4, 1, 0},
                      {256, 3, 1, 2},
                      {257, 3, 1, 2},
                      {258, 3, 1, 8},
                      {259, 3, 1, 1},
                      {262, 3, 1, 2},
                      {273, 4, 1, 36},
                      {277, 3, 1, 3},
                      {278, 4, 1, 2},
                      {279, 4, 1, 12},
                      {282, 5, 1, 8},
                      {283, 5, 1, 16},
                      {284, 3, 1, 1},
                      {296, 3, 1, 2},
                      {305, 2, 8, 28}});
}

TEST(TIFFWriter, PackBitsIsTheDefaultAndRowsStayEven) {
  TBitmap b(100, 3, TPixelFormat::pf24bit);
  for (int x = 0; x < 100; ++x) b.SetPixel(x, 1, RGBColor(uint8_t(x), 9, 9));
  const TBytes f = EncodeTIFF(b);
  const std::vector<TEntryRow> dir = Directory(f);
  EXPECT_EQ(dir[4].Value, 32773u);
  // 300 equal bytes of a white row: runs of 128, 128 and 44, six bytes, no padding.
  EXPECT_EQ(Slice(f, 36, 6), (TBytes{0x81, 0xFF, 0x81, 0xFF, 0xD5, 0xFF}));
  EXPECT_EQ(dir[9].Value % 2, 0u);
  EXPECT_TRUE(SamePixels(b, DecodeTIFF(f.data(), f.size())));
}

TEST(TIFFWriter, PaletteLayouts) {
  struct TCase {
    TPixelFormat Format;
    int Width, Height;
    uint32_t Bits, Scale;
  };
  for (const TCase& c : {TCase{TPixelFormat::pf8bit, 3, 2, 8, 256}, TCase{TPixelFormat::pf4bit, 5, 3, 4, 257},
                         TCase{TPixelFormat::pf1bit, 9, 1, 1, 257}}) {
    SCOPED_TRACE("bits " + std::to_string(c.Bits));
    TBitmap b = PatternBitmap(c.Width, c.Height, c.Format);
    b.Palette()[0] = RGBColor(0, 30, 60);
    const TBytes f = EncodeTIFF(b, false);
    const uint32_t colours = 1u << c.Bits;
    const size_t strip = 36 + 6 * colours;
    for (uint32_t i : {0u, 1u, colours - 1}) {
      EXPECT_EQ(LE16(f, 36 + 2 * i), RedOf(b.Palette()[i]) * c.Scale);
      EXPECT_EQ(LE16(f, 36 + 2 * (colours + i)), GreenOf(b.Palette()[i]) * c.Scale);
      EXPECT_EQ(LE16(f, 36 + 2 * (2 * colours + i)), BlueOf(b.Palette()[i]) * c.Scale);
    }
    // The strip region is width x height bytes, however few the packed rows need.
    const uint32_t region = uint32_t(c.Width * c.Height);
    const size_t rowBytes = (size_t(c.Width) * c.Bits + 7) / 8;
    for (int y = 0; y < c.Height; ++y)
      EXPECT_EQ(Slice(f, strip + y * rowBytes, rowBytes), TBytes(b.ScanLine(y), b.ScanLine(y) + rowBytes));
    for (size_t i = rowBytes * c.Height; i < region; ++i) EXPECT_EQ(f[strip + i], 0) << i;
    const uint32_t ifd = strip + region + (region & 1);  // a directory starts on a word
    EXPECT_EQ(LE32(f, 4), ifd);
    const uint32_t photometric = c.Bits == 1 ? 1 : 3;  // red of entry 0 is zero
    ExpectDirectory(f, {{254, 4, 1, 0},
                        {256, 3, 1, uint32_t(c.Width)},
                        {257, 3, 1, uint32_t(c.Height)},
                        {258, 3, 1, c.Bits},
                        {259, 3, 1, 1},
                        {262, 3, 1, photometric},
                        {273, 4, 1, uint32_t(strip)},
                        {277, 3, 1, 1},
                        {278, 4, 1, uint32_t(c.Height)},
                        {279, 4, 1, region},
                        {282, 5, 1, 8},
                        {283, 5, 1, 16},
                        {296, 3, 1, 2},
                        {305, 2, 8, 28},
                        {320, 3, colours * 3, 36}});
  }
}

TEST(TIFFWriter, BilevelPhotometricFollowsFirstPaletteEntry) {
  TBitmap b(8, 1, TPixelFormat::pf1bit);
  b.Palette() = {clWhite, clBlack};
  b.SetPixel(3, 0, clBlack);
  TBytes f = EncodeTIFF(b);
  EXPECT_EQ(Directory(f)[5].Value, 0u);
  TBitmap back = DecodeTIFF(f.data(), f.size());
  EXPECT_TRUE(SamePixels(b, back));
  b.Palette() = {clBlack, clWhite};
  f = EncodeTIFF(b);
  EXPECT_EQ(Directory(f)[5].Value, 1u);
  EXPECT_TRUE(SamePixels(b, DecodeTIFF(f.data(), f.size())));
}

TEST(TIFFWriter, RefusesFormatsItCannotHold) {
  for (TPixelFormat f : {TPixelFormat::pfDevice, TPixelFormat::pf32bit, TPixelFormat::pfCustom}) {
    const TBitmap b(2, 2, f);
    EXPECT_EQ(ErrorOf([&] { EncodeTIFF(b); }), "Invalid Pixel Format");
  }
  EXPECT_EQ(ErrorOf([] { EncodeTIFF(TBitmap(0, 3, TPixelFormat::pf24bit)); }), "Width or Height is Zero");
}

TEST(TIFFWriter, EveryFormatRoundTrips) {
  for (TPixelFormat format : {TPixelFormat::pf1bit, TPixelFormat::pf4bit, TPixelFormat::pf8bit,
                              TPixelFormat::pf15bit, TPixelFormat::pf16bit, TPixelFormat::pf24bit})
    for (bool packBits : {false, true})
      for (int width : {1, 7, 130}) {
        SCOPED_TRACE("format " + std::to_string(int(format)) + " packbits " + std::to_string(packBits) +
                     " width " + std::to_string(width));
        TBitmap b = PatternBitmap(width, 5, format, uint32_t(width));
        if (format == TPixelFormat::pf1bit) b.Palette() = {clBlack, clWhite};
        const TBytes f = EncodeTIFF(b, packBits);
        const TBitmap back = DecodeTIFF(f.data(), f.size());
        EXPECT_TRUE(SamePixels(b, back));
      }
}

TEST(TIFFWriter, WideImagesUseLongSizes) {
  const TBitmap b(70000, 1, TPixelFormat::pf1bit);
  const TBytes f = EncodeTIFF(b);
  EXPECT_EQ(Directory(f)[1].Type, 4u);
  EXPECT_EQ(Directory(f)[1].Value, 70000u);
  EXPECT_TRUE(SamePixels(b, DecodeTIFF(f.data(), f.size())));
}

// The reader.

TBytes Grey8(const TBytes& Pixels, uint32_t W, uint32_t H, bool BigEndian, uint32_t Photometric = 1) {
  return TTestTIFF(BigEndian)
      .Tag(256, kTIFFShort, {W})
      .Tag(257, kTIFFShort, {H})
      .Tag(258, kTIFFShort, {8})
      .Tag(262, kTIFFShort, {Photometric})
      .Strip(Pixels)
      .Build();
}

TEST(TIFFReader, BothByteOrdersReadTheSame) {
  const TBytes pixels = {0, 50, 100, 150, 200, 250};
  for (bool bigEndian : {false, true}) {
    const TBytes f = TTestTIFF(bigEndian)
                         .Tag(256, kTIFFShort, {3})
                         .Tag(257, kTIFFLong, {2})
                         .Tag(258, kTIFFShort, {8})
                         .Tag(262, kTIFFShort, {3})
                         .Tag(320, kTIFFShort, std::vector<uint32_t>(768, 0xAB00))
                         .Strip(pixels)
                         .Build();
    const TBitmap b = DecodeTIFF(f.data(), f.size());
    ASSERT_EQ(b.PixelFormat(), TPixelFormat::pf8bit);
    EXPECT_EQ(b.GetPixel(2, 1), RGBColor(0xAB, 0xAB, 0xAB));
    EXPECT_EQ(b.ScanLine(1)[1], 200);
  }
}

TEST(TIFFReader, GreyAndPhotometricZero) {
  const TBytes pixels = {0, 10, 255, 128};
  TBitmap b = DecodeTIFF(Grey8(pixels, 2, 2, false).data(), Grey8(pixels, 2, 2, false).size());
  EXPECT_EQ(b.GetPixel(1, 0), RGBColor(10, 10, 10));
  const TBytes inverted = Grey8(pixels, 2, 2, true, 0);
  b = DecodeTIFF(inverted.data(), inverted.size());
  EXPECT_EQ(b.GetPixel(0, 0), clWhite);
  EXPECT_EQ(b.GetPixel(1, 0), RGBColor(245, 245, 245));
}

TEST(TIFFReader, SampleLayouts) {
  struct TCase {
    const char* Name;
    uint32_t Samples, Bits, Photometric;
    TBytes Row;  // one row of two pixels
    TPixelFormat Format;
    TColor Second;
  };
  const TCase cases[] = {
      {"rgb", 3, 8, 2, {1, 2, 3, 40, 50, 60}, TPixelFormat::pf24bit, RGBColor(40, 50, 60)},
      {"rgba", 4, 8, 2, {1, 2, 3, 4, 40, 50, 60, 70}, TPixelFormat::pf32bit, RGBColor(40, 50, 60)},
      {"cmyk", 4, 8, 5, {0, 0, 0, 0, 10, 20, 250, 30}, TPixelFormat::pf32bit, RGBColor(215, 205, 0)},
      {"grey16", 1, 16, 1, {0, 0, 0xFF, 0xF8}, TPixelFormat::pf15bit, RGBColor(0xFF, 0xFF, 0xFF)},
      {"grey+alpha", 2, 8, 1, {0, 0, 0x80, 0xFF}, TPixelFormat::pf15bit, RGBColor(0x84, 0x84, 0x84)},
      {"4-bit grey", 1, 4, 1, {0x0F}, TPixelFormat::pf4bit, clWhite},
      {"2-bit grey", 1, 2, 1, {0x20}, TPixelFormat::pf4bit, RGBColor(170, 170, 170)},
      {"bilevel", 1, 1, 0, {0x40}, TPixelFormat::pf1bit, clBlack},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const TBytes f = TTestTIFF()
                         .Tag(256, kTIFFShort, {2})
                         .Tag(257, kTIFFShort, {1})
                         .Tag(258, kTIFFShort, std::vector<uint32_t>(c.Samples, c.Bits))
                         .Tag(262, kTIFFShort, {c.Photometric})
                         .Tag(277, kTIFFShort, {c.Samples})
                         .Strip(c.Row)
                         .Build();
    const TBitmap b = DecodeTIFF(f.data(), f.size());
    EXPECT_EQ(b.PixelFormat(), c.Format);
    EXPECT_EQ(b.GetPixel(1, 0), c.Second);
    if (c.Format == TPixelFormat::pf32bit && c.Photometric == 2) {
      EXPECT_EQ(b.ScanLine(0)[7], 70) << "alpha kept";
    }
  }
}

TEST(TIFFReader, SampleLayoutsItCannotShow) {
  // Without BitsPerSample the reader has no sample size to go on; with one plane per colour
  // the samples are not interleaved as a row expects. A single sample has no planes to keep
  // apart, so PlanarConfiguration 2 changes nothing there.
  const TBytes noBits = TTestTIFF().Tag(256, kTIFFShort, {8}).Tag(257, kTIFFShort, {1}).Strip({0x0F}).Build();
  EXPECT_EQ(ErrorOf([&] { DecodeTIFF(noBits.data(), noBits.size()); }), "Unsupported Bits/Pixel: 0");
  auto planar = [](uint32_t Samples, uint32_t Planar) {
    return TTestTIFF()
        .Tag(256, kTIFFShort, {2})
        .Tag(257, kTIFFShort, {1})
        .Tag(258, kTIFFShort, std::vector<uint32_t>(Samples, 8))
        .Tag(262, kTIFFShort, {Samples == 1 ? 1u : 2u})
        .Tag(277, kTIFFShort, {Samples})
        .Tag(284, kTIFFShort, {Planar})
        .Strip(TBytes(2 * Samples, 0x40))
        .Build();
  };
  for (uint32_t samples : {3u, 4u}) {
    const TBytes f = planar(samples, 2);
    EXPECT_EQ(ErrorOf([&] { DecodeTIFF(f.data(), f.size()); }), "Unsupported Planar Configuration = 2") << samples;
  }
  for (uint32_t samples : {1u, 3u}) {
    const TBytes f = planar(samples, samples == 1 ? 2 : 1);
    EXPECT_EQ(DecodeTIFF(f.data(), f.size()).GetPixel(1, 0), RGBColor(0x40, 0x40, 0x40)) << samples;
  }
}

TEST(TIFFReader, CompressionsStripsAndPredictor) {
  // A 6 x 5 RGB picture, written as several strips of two rows in each compression, with
  // and without horizontal differencing.
  const uint32_t w = 6, h = 5;
  TBitmap expected(int(w), int(h), TPixelFormat::pf24bit);
  TBytes raw;
  for (uint32_t y = 0; y < h; ++y)
    for (uint32_t x = 0; x < w; ++x) {
      const uint8_t r = uint8_t(x * 40), g = uint8_t(y * 50), b = uint8_t(x * y * 9 + 3);
      expected.SetPixel(int(x), int(y), RGBColor(r, g, b));
      raw.insert(raw.end(), {r, g, b});
    }
  const size_t rowBytes = w * 3;
  for (uint32_t compression : {1u, 5u, 32773u})
    for (uint32_t predictor : {1u, 2u})
      for (bool bigEndian : {false, true}) {
        SCOPED_TRACE("compression " + std::to_string(compression) + " predictor " + std::to_string(predictor));
        TTestTIFF t(bigEndian);
        t.Tag(256, kTIFFShort, {w}).Tag(257, kTIFFShort, {h}).Tag(258, kTIFFShort, {8, 8, 8});
        t.Tag(259, kTIFFShort, {compression}).Tag(262, kTIFFShort, {2}).Tag(277, kTIFFShort, {3});
        t.Tag(278, kTIFFLong, {2}).Tag(317, kTIFFShort, {predictor});
        for (uint32_t y0 = 0; y0 < h; y0 += 2) {
          TBytes strip;
          for (uint32_t y = y0; y < std::min(h, y0 + 2); ++y) {
            TBytes row(raw.begin() + long(y * rowBytes), raw.begin() + long((y + 1) * rowBytes));
            if (predictor == 2)
              for (size_t i = rowBytes - 1; i >= 3; --i) row[i] = uint8_t(row[i] - row[i - 3]);
            if (compression == 32773)
              PackBitsEncodeRow(row.data(), row.size(), strip);
            else
              strip.insert(strip.end(), row.begin(), row.end());
          }
          t.Strip(compression == 5 ? TIFFLZWEncode(strip) : strip);
        }
        const TBytes f = t.Build();
        EXPECT_TRUE(SamePixels(expected, DecodeTIFF(f.data(), f.size())));
      }
}

TEST(TIFFReader, LongLZWStreamsFillAndClearTheTable) {
  TBytes raw(200 * 100);
  uint32_t s = 7;
  for (uint8_t& v : raw) {
    s = s * 1103515245u + 12345u;
    v = uint8_t((s >> 16) % 5);  // few symbols: long strings and many table entries
  }
  // Old writers let the table fill and go on with its strings without a clear code.
  for (bool clearWhenFull : {true, false}) {
    SCOPED_TRACE(clearWhenFull ? "clear when full" : "full table kept");
    const TBytes f = TTestTIFF()
                         .Tag(256, kTIFFShort, {200})
                         .Tag(257, kTIFFShort, {100})
                         .Tag(258, kTIFFShort, {8})
                         .Tag(259, kTIFFShort, {5})
                         .Strip(TIFFLZWEncode(raw, clearWhenFull))
                         .Build();
    const TBitmap b = DecodeTIFF(f.data(), f.size());
    for (int y = 0; y < 100; ++y)
      ASSERT_EQ(TBytes(b.ScanLine(y), b.ScanLine(y) + 200), Slice(raw, size_t(y) * 200, 200)) << "row " << y;
  }
}

TEST(TIFFReader, DensestLZWStillReads) {
  // Two tables' worth of one grey value: about 1,360 bytes out for each byte in, as much as a
  // conforming writer can pack, so the reader's size bound must let it through.
  const TBytes f = TTestTIFF()
                       .Tag(256, kTIFFShort, {4096})
                       .Tag(257, kTIFFShort, {3593})
                       .Tag(258, kTIFFShort, {8})
                       .Tag(259, kTIFFShort, {5})
                       .Strip(DensestTIFFLZW(9, 2))
                       .Build();
  const TBitmap b = DecodeTIFF(f.data(), f.size());
  ASSERT_EQ(b.Height(), 3593);
  EXPECT_EQ(b.ScanLine(3592)[4095], 9) << "the last row is decoded";
  EXPECT_EQ(b.ScanLine(1796)[0], 9);
}

// Gives every one of Strips strips the offset and byte count of the file's one strip, as a
// hostile file does to make a few bytes stand for many rows.
void ShareTheStrip(TBytes& F, uint32_t Strips) {
  const uint32_t ifd = LE32(F, 4);
  for (uint32_t i = 0; i < LE16(F, ifd); ++i) {
    const size_t entry = ifd + 2 + 12 * i;
    if (LE16(F, entry) != 273 && LE16(F, entry) != 279) continue;
    const uint32_t value = LE32(F, entry + 8);
    const size_t array = F.size();
    F.resize(array + 4 * size_t(Strips));
    for (uint32_t k = 0; k < Strips; ++k) PutLE32(F, array + 4 * k, value);
    PutLE32(F, entry + 4, Strips);
    PutLE32(F, entry + 8, uint32_t(array));
  }
}

TEST(TIFFReader, StripsMustHoldTheRowsTheyClaim) {
  auto rowStrips = [](uint32_t Height) {
    TTestTIFF t;
    t.Tag(256, kTIFFShort, {4096}).Tag(257, kTIFFShort, {Height}).Tag(258, kTIFFShort, {8});
    t.Tag(259, kTIFFShort, {5}).Tag(278, kTIFFLong, {1});
    return t;
  };
  // 2000 strips of one row, all reading the same hundred-odd bytes that make one row.
  TBytes shared = rowStrips(2000).Strip(TIFFLZWEncode(TBytes(4096, 9))).Build();
  ShareTheStrip(shared, 2000);
  // A thousand bytes claiming 1 x 2,000,000 pixels in as many strips, whose offsets lie past
  // the end of the file.
  TBytes pastTheEnd = TTestTIFF()
                          .Tag(256, kTIFFShort, {1})
                          .Tag(257, kTIFFLong, {2000000})
                          .Tag(258, kTIFFShort, {8})
                          .Tag(259, kTIFFShort, {5})
                          .Tag(273, kTIFFLong, {0, 0})
                          .Tag(278, kTIFFLong, {1})
                          .Build();
  const size_t offsets = LE32(pastTheEnd, 4) + 2 + 12 * 4;
  ASSERT_EQ(LE16(pastTheEnd, offsets), 273u);
  PutLE32(pastTheEnd, offsets + 4, 2000000);
  PutLE32(pastTheEnd, offsets + 8, 0xFFFFFF00u);
  pastTheEnd.resize(1000, 0x55);
  struct TCase {
    const char* Name;
    TBytes File;
    std::string Message;
  };
  const TCase cases[] = {
      {"strips sharing one row's data", shared, "Strip data too short for 4096 x 2000"},
      {"a million rows in a thousand bytes", pastTheEnd, "Unsupported Format: Could not create Bitmap."},
  };
  for (const TCase& c : cases) EXPECT_EQ(ErrorOf([&] { DecodeTIFF(c.File.data(), c.File.size()); }), c.Message) << c.Name;
  // Strips of their own, each with its row's data, read as ever.
  TTestTIFF own = rowStrips(20);
  for (int y = 0; y < 20; ++y) own.Strip(TIFFLZWEncode(TBytes(4096, uint8_t(y))));
  const TBytes f = own.Build();
  EXPECT_EQ(DecodeTIFF(f.data(), f.size()).ScanLine(19)[4095], 19);
}

TEST(TIFFReader, HeaderAndDirectoryErrors) {
  TBitmap ok(2, 2, TPixelFormat::pf24bit);
  const TBytes good = EncodeTIFF(ok);
  struct TCase {
    const char* Name;
    std::function<void(TBytes&)> Damage;
    std::string Message;
  };
  const TCase cases[] = {
      {"mark", [](TBytes& f) { f[0] = 'X'; }, "Invalid TIF File"},
      {"mixed mark", [](TBytes& f) { f[1] = 'M'; }, "Invalid TIF File"},
      {"version", [](TBytes& f) { f[2] = 43; }, "Invalid TIF File"},
      {"truncated header", [](TBytes& f) { f.resize(6); }, "Invalid TIF File"},
      {"bits", [](TBytes& f) { PutLE32(f, LE32(f, 4) + 2 + 12 * 3 + 8, 16); }, "Unsupported Bits/Pixel: 48"},
      {"zero width", [](TBytes& f) { PutLE32(f, LE32(f, 4) + 2 + 12 * 1 + 8, 0); }, "Width or Height is Zero"},
      {"compression", [](TBytes& f) { PutLE32(f, LE32(f, 4) + 2 + 12 * 4 + 8, 7); }, "Unsupported Compression = 7"},
      {"directory past the end", [](TBytes& f) { PutLE32(f, 4, 1000000); }, "Unsupported Bits/Pixel: 0"},
      {"huge image", [](TBytes& f) { PutLE32(f, LE32(f, 4) + 2 + 12 * 1 + 8, 60000); PutLE32(f, LE32(f, 4) + 2 + 12 * 2 + 8, 60000); },
       "Unsupported Format: Could not create Bitmap."},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TBytes f = good;
    c.Damage(f);
    EXPECT_EQ(ErrorOf([&] { DecodeTIFF(f.data(), f.size()); }), c.Message);
  }
}

TEST(TIFFReader, NoDirectoryGivesNoPicture) {
  const TBytes f = {'I', 'I', 42, 0, 0, 0, 0, 0};
  EXPECT_TRUE(DecodeTIFF(f.data(), f.size()).Empty());
}

TEST(TIFFReader, ShortDataKeepsTheRowsDecodedSoFar) {
  // Four rows of ten grey bytes; the data ends inside the third row.
  TBytes raw(40);
  for (size_t i = 0; i < raw.size(); ++i) raw[i] = uint8_t(i + 1);
  TBytes packed;
  for (size_t y = 0; y < 4; ++y) PackBitsEncodeRow(raw.data() + 10 * y, 10, packed);
  struct TCase {
    uint32_t Compression;
    TBytes Strip;
  };
  for (const TCase& c : {TCase{1, Slice(raw, 0, 25)}, TCase{32773, Slice(packed, 0, 12 + 12 + 5)},
                         TCase{5, Slice(TIFFLZWEncode(raw), 0, 30)}}) {
    SCOPED_TRACE("compression " + std::to_string(c.Compression));
    const TBytes f = TTestTIFF()
                         .Tag(256, kTIFFShort, {10})
                         .Tag(257, kTIFFShort, {4})
                         .Tag(258, kTIFFShort, {8})
                         .Tag(259, kTIFFShort, {c.Compression})
                         .Strip(c.Strip)
                         .StripsLast()
                         .Build();
    const TBitmap b = DecodeTIFF(f.data(), f.size());
    ASSERT_EQ(b.Height(), 4);
    EXPECT_EQ(TBytes(b.ScanLine(1), b.ScanLine(1) + 10), Slice(raw, 10, 10));
    EXPECT_EQ(TBytes(b.ScanLine(2), b.ScanLine(2) + 10), TBytes(10, 0)) << "the short row stays zero";
    EXPECT_EQ(TBytes(b.ScanLine(3), b.ScanLine(3) + 10), TBytes(10, 0));
  }
}

TEST(TIFFReader, InvalidLZWCodeIsReportedWithItsPlace) {
  // Clear, then code 300 while the next free code is 258.
  const TBytes codes = {0x80, 0x4B, 0x00, 0x00};  // 100000000 100101100 ...
  const TBytes f = TTestTIFF()
                       .Tag(256, kTIFFShort, {4})
                       .Tag(257, kTIFFShort, {1})
                       .Tag(258, kTIFFShort, {8})
                       .Tag(259, kTIFFShort, {5})
                       .Strip(codes)
                       .Build();
  EXPECT_EQ(ErrorOf([&] { DecodeTIFF(f.data(), f.size()); }), "Invalid LZW Code: 300>258 @:9");
}

TEST(TIFFReader, HostileStripOffsetsAndCounts) {
  // Strip offsets pointing past the end, a strip count far beyond the rows, and a colour map
  // offset past the end: all read as missing data.
  const TBytes f = TTestTIFF()
                       .Tag(256, kTIFFShort, {4})
                       .Tag(257, kTIFFShort, {3})
                       .Tag(258, kTIFFShort, {8})
                       .Tag(262, kTIFFShort, {3})
                       .Tag(273, kTIFFLong, std::vector<uint32_t>(50, 0xFFFFFFF0u))
                       .Tag(278, kTIFFLong, {1})
                       .Tag(320, kTIFFShort, std::vector<uint32_t>(3, 0))
                       .Build();
  const TBitmap b = DecodeTIFF(f.data(), f.size());
  EXPECT_EQ(b.Width(), 4);
  EXPECT_EQ(b.ScanLine(2)[3], 0);
}

}  // namespace
}  // namespace trochodraw
