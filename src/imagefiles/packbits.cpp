#include "imagefiles/packbits.h"

#include <algorithm>
#include <cstring>

namespace trochodraw {

void PackBitsEncodeRow(const uint8_t* Row, size_t N, std::vector<uint8_t>& Out) {
  const size_t start = Out.size();
  size_t literalStart = 0, literals = 0;
  auto flush = [&] {
    if (!literals) return;
    Out.push_back(static_cast<uint8_t>(literals - 1));
    Out.insert(Out.end(), Row + literalStart, Row + literalStart + literals);
    literals = 0;
  };
  size_t p = 0;
  while (p < N) {
    size_t r = 0;
    while (r < 127 && p + r + 1 < N && Row[p + r + 1] == Row[p]) ++r;
    if (r >= 2 || literals == 127) {
      flush();
      if (r >= 1) {
        Out.push_back(static_cast<uint8_t>(256 - r));
        Out.push_back(Row[p]);
        p += r + 1;
      }
    } else {
      if (!literals) literalStart = p;
      ++literals;
      ++p;
    }
  }
  flush();
  if ((Out.size() - start) & 1) Out.push_back(128);
}

TPackBitsResult PackBitsDecodeRow(const TByteView& In, uint64_t& Pos, uint8_t* Row, size_t N) {
  const uint8_t* src = In.Data();
  const size_t size = In.Size();
  size_t done = 0;
  while (done < N) {
    if (Pos >= size) return TPackBitsResult::prShort;
    const int n = static_cast<int8_t>(src[Pos++]);
    if (n >= 0) {
      const size_t count = static_cast<size_t>(n) + 1;
      const size_t there = std::min<size_t>(count, In.Available(Pos));
      const size_t fit = std::min(there, N - done);
      std::memcpy(Row + done, src + Pos, fit);
      done += fit;
      Pos += there;
      if (there < count && done < N) return TPackBitsResult::prShort;
      if (fit < count) return TPackBitsResult::prOverrun;
    } else if (n != -128) {
      if (Pos >= size) return TPackBitsResult::prShort;
      const size_t count = static_cast<size_t>(1 - n);
      const size_t fit = std::min(count, N - done);
      std::memset(Row + done, src[Pos++], fit);
      done += fit;
      if (fit < count) return TPackBitsResult::prOverrun;
    }
  }
  return TPackBitsResult::prExact;
}

}  // namespace trochodraw
