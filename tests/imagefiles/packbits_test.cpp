#include "imagefiles/packbits.h"

#include <gtest/gtest.h>

#include "imagefiles/own_codec_test_util.h"

namespace trochodraw {
namespace {

using namespace trochodraw::testing;

TBytes Repeat(uint8_t V, size_t N) { return TBytes(N, V); }

TBytes Encode(const TBytes& Row) {
  TBytes out;
  PackBitsEncodeRow(Row.data(), Row.size(), out);
  return out;
}

TBytes Join(std::initializer_list<TBytes> Parts) {
  TBytes out;
  for (const TBytes& p : Parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

TEST(PackBits, EncodesRowsAsTheFilesNeedThem) {
  TBytes literals127;
  for (int i = 0; i < 127; ++i) literals127.push_back(uint8_t(i));
  struct TCase {
    const char* Name;
    TBytes Row, Expected;
  };
  const TCase cases[] = {
      {"300 equal bytes: runs of 128, 128, 44", Repeat(9, 300), {0x81, 9, 0x81, 9, 0xD5, 9}},
      {"three literals, even", {1, 2, 3}, {2, 1, 2, 3}},
      {"two literals and the no-operation byte", {1, 2}, {1, 1, 2, 128}},
      {"a pair stays in the literal packet", {1, 2, 2, 3}, {3, 1, 2, 2, 3, 128}},
      {"a pair alone is a literal", {5, 5}, {1, 5, 5, 128}},
      {"three equal bytes are a run", {7, 7, 7}, {254, 7}},
      {"run then literal", Join({Repeat(4, 129)}), {0x81, 4, 0, 4}},
      {"a full literal packet, then a pair as a run",
       Join({literals127, {200, 200}}),
       Join({{126}, literals127, {0xFF, 200}})},
      {"empty row", {}, {}},
  };
  for (const TCase& c : cases) EXPECT_EQ(Encode(c.Row), c.Expected) << c.Name;
}

TEST(PackBits, DecodesWhatItEncodes) {
  uint32_t s = 3;
  for (size_t n : {1u, 2u, 3u, 126u, 127u, 128u, 129u, 255u, 1000u}) {
    TBytes row(n);
    for (uint8_t& v : row) {
      s = s * 1664525u + 1013904223u;
      v = (s >> 29) < 5 ? 0 : uint8_t(s >> 24);  // long runs among noise
    }
    const TBytes code = Encode(row);
    EXPECT_EQ(code.size() % 2, 0u);
    TBytes back(n, 0xEE);
    uint64_t pos = 0;
    EXPECT_EQ(PackBitsDecodeRow(TByteView(code.data(), code.size()), pos, back.data(), n), TPackBitsResult::prExact);
    EXPECT_EQ(back, row) << "n " << n;
    // The no-operation byte of an odd encoding is left unread only when it follows the row.
    EXPECT_GE(code.size() - pos, 0u);
  }
}

TEST(PackBits, DecoderStaysInsideItsBuffers) {
  struct TCase {
    const char* Name;
    TBytes Code;
    size_t RowBytes;
    TPackBitsResult Result;
    TBytes Row;
    uint64_t End;
  };
  const TCase cases[] = {
      {"run past the row", {0xFD, 7}, 2, TPackBitsResult::prOverrun, {7, 7}, 2},
      {"literal past the row", {3, 1, 2, 3, 4, 9}, 2, TPackBitsResult::prOverrun, {1, 2}, 5},
      {"literal past the data", {5, 1, 2}, 4, TPackBitsResult::prShort, {1, 2, 0, 0}, 3},
      {"run without its byte", {0xFE}, 3, TPackBitsResult::prShort, {0, 0, 0}, 1},
      {"no-operation bytes are skipped", {128, 128, 0, 6}, 1, TPackBitsResult::prExact, {6}, 4},
      {"no data", {}, 1, TPackBitsResult::prShort, {0}, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TBytes row(c.RowBytes, 0);
    uint64_t pos = 0;
    EXPECT_EQ(PackBitsDecodeRow(TByteView(c.Code.data(), c.Code.size()), pos, row.data(), row.size()), c.Result);
    EXPECT_EQ(row, c.Row);
    EXPECT_EQ(pos, c.End);
  }
}

}  // namespace
}  // namespace trochodraw
