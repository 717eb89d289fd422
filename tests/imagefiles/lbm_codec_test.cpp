#include "imagefiles/lbm_codec.h"

#include <gtest/gtest.h>

#include "imagefiles/own_codec_test_util.h"

namespace trochodraw {
namespace {

using namespace trochodraw::testing;

// Offsets of the chunks our writer lays out: FORM header, BMHD, CMAP, then BODY.
constexpr size_t kBMHD = 12, kCMAP = kBMHD + 8 + 20, kBODY = kCMAP + 8 + 768;

TBytes BodyOf(const TBytes& F) { return Slice(F, kBODY + 8, BE32(F, kBODY + 4)); }

TBitmap Indexed(std::initializer_list<uint8_t> Row) {
  TBitmap b(int(Row.size()), 1, TPixelFormat::pf8bit);
  int x = 0;
  for (uint8_t i : Row) b.ScanLine(0)[x++] = i;
  return b;
}

TEST(LBMWriter, ChunkLayout) {
  TBitmap b = Indexed({5, 5});
  b.Palette()[5] = RGBColor(10, 20, 30);
  const TBytes f = EncodeLBM(b);
  EXPECT_EQ(Slice(f, 0, 4), (TBytes{'F', 'O', 'R', 'M'}));
  EXPECT_EQ(BE32(f, 4), f.size() - 8);
  EXPECT_EQ(Slice(f, 8, 4), (TBytes{'P', 'B', 'M', ' '}));
  EXPECT_EQ(Slice(f, kBMHD, 8), (TBytes{'B', 'M', 'H', 'D', 0, 0, 0, 20}));
  EXPECT_EQ(Slice(f, kBMHD + 8, 20), (TBytes{0, 2, 0, 1, 0, 0, 0, 0, 8, 0, 1, 0, 0, 255, 1, 1, 0, 2, 0, 1}));
  EXPECT_EQ(Slice(f, kCMAP, 8), (TBytes{'C', 'M', 'A', 'P', 0, 0, 3, 0}));
  EXPECT_EQ(Slice(f, kCMAP + 8 + 15, 3), (TBytes{10, 20, 30}));
  EXPECT_EQ(Slice(f, kBODY, 4), (TBytes{'B', 'O', 'D', 'Y'}));
  // A pair stays a literal packet; the odd row gets the no-operation byte.
  EXPECT_EQ(BodyOf(f), (TBytes{1, 5, 5, 128}));
  EXPECT_EQ(f.size(), kBODY + 8 + 4);
}

TEST(LBMWriter, BodyRows) {
  struct TCase {
    const char* Name;
    TBitmap Picture;
    bool Compress;
    TBytes Body;
    size_t PadBytes;
  };
  TBitmap twoRows(3, 2, TPixelFormat::pf8bit);
  std::fill(twoRows.ScanLine(0), twoRows.ScanLine(0) + 3, uint8_t(9));
  const TCase cases[] = {
      {"a run of three", Indexed({7, 7, 7}), true, {254, 7}, 0},
      {"each row by itself", twoRows, true, {254, 9, 254, 0}, 0},
      {"uncompressed, odd, padded after the chunk", Indexed({1, 2, 3}), false, {1, 2, 3}, 1},
      {"uncompressed rows follow each other", twoRows, false, {9, 9, 9, 0, 0, 0}, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const TBytes f = EncodeLBM(c.Picture, c.Compress);
    EXPECT_EQ(f[kBMHD + 8 + 10], c.Compress ? 1 : 0);
    EXPECT_EQ(BodyOf(f), c.Body);
    EXPECT_EQ(f.size(), kBODY + 8 + c.Body.size() + c.PadBytes);
    EXPECT_EQ(BE32(f, 4), f.size() - 8);
  }
}

TEST(LBMWriter, EveryFormatRoundTripsThroughItsEightBitCopy) {
  for (TPixelFormat format : {TPixelFormat::pfDevice, TPixelFormat::pf1bit, TPixelFormat::pf4bit,
                              TPixelFormat::pf8bit, TPixelFormat::pf15bit, TPixelFormat::pf16bit,
                              TPixelFormat::pf24bit, TPixelFormat::pf32bit})
    for (bool compress : {true, false}) {
      SCOPED_TRACE("format " + std::to_string(int(format)) + " compress " + std::to_string(compress));
      const TBitmap b = PatternBitmap(45, 30, format);  // far more than 256 colours
      TBitmap reduced = b;
      reduced.SetPixelFormat(TPixelFormat::pf8bit);
      const TBytes f = EncodeLBM(b, compress);
      const TBitmap back = DecodeLBM(f.data(), f.size());
      EXPECT_EQ(back.PixelFormat(), TPixelFormat::pf24bit);
      EXPECT_TRUE(SamePixels(reduced, back));
      if (TBitmap::BitsPerPixel(format) <= 8) {
        EXPECT_TRUE(SamePixels(b, back)) << "few colours stay exact";
      }
    }
}

TEST(LBMWriter, FewColoursKeepTheirExactPalette) {
  TBitmap b(9, 4, TPixelFormat::pf24bit);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 9; ++x) b.SetPixel(x, y, RGBColor(uint8_t(x * 31), uint8_t(y * 3 + 1), 77));
  const TBytes f = EncodeLBM(b);
  EXPECT_EQ(Slice(f, kCMAP + 8, 6), (TBytes{0, 1, 77, 31, 1, 77})) << "first seen, first in the palette";
  EXPECT_TRUE(SamePixels(b, DecodeLBM(f.data(), f.size())));
}

TEST(LBMWriter, RefusesSidesTheHeaderCannotHold) {
  EXPECT_EQ(ErrorOf([] { EncodeLBM(TBitmap(1, 70000, TPixelFormat::pf1bit)); }), "Image too large for an IFF file");
}

// An IFF file of the given chunks (identifier and data); odd chunks get their pad byte.
TBytes IFF(const char* Type, std::initializer_list<std::pair<const char*, TBytes>> Chunks) {
  TBytes f = {'F', 'O', 'R', 'M', 0, 0, 0, 0};
  f.insert(f.end(), Type, Type + 4);
  for (const auto& [id, data] : Chunks) {
    f.insert(f.end(), id, id + 4);
    const size_t at = f.size();
    f.resize(at + 4);
    PutBE32(f, at, uint32_t(data.size()));
    f.insert(f.end(), data.begin(), data.end());
    if (data.size() & 1) f.push_back(0);
  }
  PutBE32(f, 4, uint32_t(f.size() - 8));
  return f;
}

TBytes BMHD(uint32_t W, uint32_t H, uint8_t Planes, uint8_t Compression, uint8_t Masking = 0) {
  TBytes d(20, 0);
  PutBE16(d, 0, W);
  PutBE16(d, 2, H);
  d[8] = Planes;
  d[9] = Masking;
  d[10] = Compression;
  return d;
}

TBytes CMAP(size_t Entries) {
  TBytes d;
  for (size_t i = 0; i < Entries; ++i) d.insert(d.end(), {uint8_t(i * 3), uint8_t(i * 5), uint8_t(255 - i)});
  return d;
}

TColor Entry(uint32_t I) { return RGBColor(uint8_t(I * 3), uint8_t(I * 5), uint8_t(255 - I)); }

TEST(LBMReader, PlanarRowsAndSkippedChunks) {
  // Width 20: each plane line is four bytes. Pixel 19 has planes 0 and 2 set (index 5);
  // pixel 8 has plane 1 (index 2). An odd chunk before the body is skipped with its pad.
  const TBytes body = {0, 0, 0x10, 0, 0, 0x80, 0, 0, 0, 0, 0x10, 0};
  for (bool compress : {false, true}) {
    TBytes data = body;
    if (compress) {
      data.clear();
      for (size_t p = 0; p < 3; ++p) {
        data.push_back(3);
        data.insert(data.end(), body.begin() + long(4 * p), body.begin() + long(4 * p + 4));
      }
    }
    const TBytes f = IFF("ILBM", {{"BMHD", BMHD(20, 1, 3, compress)}, {"ANNO", {'h', 'i', '!'}},
                                  {"CMAP", CMAP(8)}, {"BODY", data}});
    const TBitmap b = DecodeLBM(f.data(), f.size());
    ASSERT_EQ(b.Width(), 20);
    EXPECT_EQ(b.GetPixel(19, 0), Entry(5));
    EXPECT_EQ(b.GetPixel(8, 0), Entry(2));
    EXPECT_EQ(b.GetPixel(0, 0), Entry(0));
  }
}

TEST(LBMReader, MaskPlanesAndTrueColourPlanes) {
  // One pixel; a mask line after the two planes is passed over.
  const TBytes masked = IFF("ILBM", {{"BMHD", BMHD(1, 2, 2, 0, 1)},
                                     {"CMAP", CMAP(4)},
                                     {"BODY", {0x80, 0, 0, 0, 0xFF, 0, 0, 0, 0x80, 0, 0xFF, 0}}});
  TBitmap b = DecodeLBM(masked.data(), masked.size());
  EXPECT_EQ(b.GetPixel(0, 0), Entry(1));
  EXPECT_EQ(b.GetPixel(0, 1), Entry(2));
  // 24 planes: red in planes 0-7 (least significant first), then green, then blue.
  TBytes deep(24 * 2, 0);
  for (int p : {0, 3, 8 + 7, 16 + 1}) deep[size_t(2 * p)] = 0x80;
  const TBytes f = IFF("ILBM", {{"BMHD", BMHD(1, 1, 24, 0)}, {"BODY", deep}});
  b = DecodeLBM(f.data(), f.size());
  EXPECT_EQ(b.GetPixel(0, 0), RGBColor(9, 128, 2));
}

TEST(LBMReader, ChunkyRowsAndShortBodies) {
  const TBytes f = IFF("PBM ", {{"BMHD", BMHD(3, 3, 8, 1)}, {"CMAP", CMAP(256)}, {"BODY", {2, 4, 5, 6, 0xFE, 9, 0x81}}});
  const TBitmap b = DecodeLBM(f.data(), f.size());
  EXPECT_EQ(b.GetPixel(2, 0), Entry(6));
  EXPECT_EQ(b.GetPixel(1, 1), Entry(9));
  EXPECT_EQ(b.GetPixel(0, 2), clBlack) << "a run without its byte ends the picture";
  // A run past the row is cut off there, and the next row starts with the next packet.
  const TBytes over = IFF("PBM ", {{"BMHD", BMHD(2, 2, 8, 1)}, {"CMAP", CMAP(256)}, {"BODY", {0xFD, 3, 0xFF, 4}}});
  const TBitmap o = DecodeLBM(over.data(), over.size());
  EXPECT_EQ(o.GetPixel(1, 0), Entry(3));
  EXPECT_EQ(o.GetPixel(1, 1), Entry(4));
}

TEST(LBMReader, Errors) {
  TBytes bigBody = IFF("PBM ", {{"BMHD", BMHD(60000, 60000, 8, 1)}, {"BODY", {0x81, 0}}});
  TBytes lyingLength = IFF("ILBM", {{"BMHD", BMHD(4, 4, 1, 0)}, {"BODY", {1, 2}}});
  PutBE32(lyingLength, 12 + 8 + 20 + 4, 0xFFFFFFF0u);
  struct TCase {
    const char* Name;
    TBytes File;
    std::string Message;
  };
  const TCase cases[] = {
      {"not FORM", {'F', 'O', 'R', 'X', 0, 0, 0, 4, 'I', 'L', 'B', 'M'}, "file did not start with \"FORM\"."},
      {"empty", {}, "file did not start with \"FORM\"."},
      {"unknown form type", IFF("8SVX", {}), "Unknown Form Type."},
      {"cut form type", {'F', 'O', 'R', 'M', 0, 0, 0, 4, 'I', 'L'}, "Unknown Form Type."},
      {"BODY first", IFF("ILBM", {{"BODY", {0}}, {"BMHD", BMHD(1, 1, 1, 0)}}), "\"BMHD\" is missing."},
      {"huge picture in a tiny file", bigBody, "Invalid IFF File"},
      {"huge picture without planes", IFF("ILBM", {{"BMHD", BMHD(17000, 16000, 0, 0)}, {"BODY", {1, 2}}}),
       "Invalid IFF File"},
  };
  for (const TCase& c : cases) EXPECT_EQ(ErrorOf([&] { DecodeLBM(c.File.data(), c.File.size()); }), c.Message) << c.Name;
  // Rows of no bytes: no planes, or no width.
  for (const TBytes& empty : {IFF("ILBM", {{"BMHD", BMHD(5, 3, 0, 0)}, {"BODY", {}}}),
                              IFF("PBM ", {{"BMHD", BMHD(0, 3, 8, 0)}, {"BODY", {}}})})
    EXPECT_EQ(DecodeLBM(empty.data(), empty.size()).Height(), 3);
  // A body length past the end reads what is there.
  const TBitmap b = DecodeLBM(lyingLength.data(), lyingLength.size());
  EXPECT_EQ(b.Width(), 4);
}

TEST(LBMReader, MissingBodyReadsAsAnEmptyOne) {
  // A file that ends before its BODY shows what an empty body shows: a blank picture of the
  // header's size, as long as that size is small enough for no data at all.
  const TBytes cut = IFF("ILBM", {{"BMHD", BMHD(3, 2, 1, 0)}, {"CMAP", CMAP(2)}});
  const TBitmap b = DecodeLBM(cut.data(), cut.size());
  ASSERT_EQ(b.Width(), 3);
  ASSERT_EQ(b.Height(), 2);
  EXPECT_EQ(b.GetPixel(2, 1), clBlack);
  const TBytes big = IFF("PBM ", {{"BMHD", BMHD(320, 200, 8, 1)}, {"CMAP", CMAP(256)}});
  EXPECT_EQ(ErrorOf([&] { DecodeLBM(big.data(), big.size()); }), "Invalid IFF File");
  const TBytes headless = IFF("ILBM", {{"CMAP", CMAP(2)}});
  EXPECT_EQ(ErrorOf([&] { DecodeLBM(headless.data(), headless.size()); }), "\"BMHD\" is missing.");
}

}  // namespace
}  // namespace trochodraw
