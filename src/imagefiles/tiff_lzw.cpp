#include "imagefiles/tiff_lzw.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "render/bitmap.h"

namespace trochodraw {

TTIFFLZWDecoder::TTIFFLZWDecoder(const TByteView& In)
    : FIn(In), FBitEnd(uint64_t(In.Size()) * 8), FHistory(4096) {
  for (int i = 0; i < 256; ++i) {
    FHistory[static_cast<size_t>(i)] = static_cast<uint8_t>(i);
    FAt[static_cast<size_t>(i)] = static_cast<uint32_t>(i);
    FLength[static_cast<size_t>(i)] = 1;
  }
}

void TTIFFLZWDecoder::Start(uint64_t Start) {
  FBitPos = Start * 8;
  FEnded = Start >= FIn.Size();
  FWidth = 9;
  FNextFree = kFirstFree;
  FPrev = -1;
  FHistoryEnd = 256;
  FPendingAt = FPendingEnd = 0;
}

int TTIFFLZWDecoder::NextCode() {
  if (FBitPos + FWidth > FBitEnd) return kEnd;
  const uint64_t at = FBitPos >> 3;
  const uint32_t bits = (uint32_t(FIn.U8(at)) << 16) | (uint32_t(FIn.U8(at + 1)) << 8) | FIn.U8(at + 2);
  const int shift = 24 - static_cast<int>(FBitPos & 7) - FWidth;
  FBitPos += static_cast<uint64_t>(FWidth);
  return static_cast<int>((bits >> shift) & ((1u << FWidth) - 1));
}

size_t TTIFFLZWDecoder::Remember(int Code) {
  const bool fresh = Code == FNextFree;
  const int source = fresh ? FPrev : Code;
  const size_t from = FAt[static_cast<size_t>(source)];
  const size_t length = FLength[static_cast<size_t>(source)] + (fresh ? 1u : 0u);
  const size_t at = FHistoryEnd;
  // One cycle of the table puts at most 1 + 2 + ... + 3839 bytes (about 7 MB) here.
  if (at + length > FHistory.size()) FHistory.resize(std::max(2 * FHistory.size(), at + length));
  uint8_t* h = FHistory.data();
  std::memcpy(h + at, h + from, length - (fresh ? 1 : 0));
  if (fresh) h[at + length - 1] = h[from];
  FHistoryEnd = at + length;
  if (FPrev >= 0) {
    FAt[static_cast<size_t>(FNextFree)] = static_cast<uint32_t>(FPrevAt);
    FLength[static_cast<size_t>(FNextFree)] = static_cast<uint16_t>(FLength[static_cast<size_t>(FPrev)] + 1);
    ++FNextFree;
  }
  FPrevAt = at;
  return at;
}

size_t TTIFFLZWDecoder::Read(uint8_t* Out, size_t N) {
  size_t done = std::min(N, FPendingEnd - FPendingAt);
  std::memcpy(Out, FHistory.data() + FPendingAt, done);
  FPendingAt += done;
  while (done < N && !FEnded) {
    const uint64_t codeAt = FBitPos >> 3;
    const int code = NextCode();
    if (code == kEnd) {
      FEnded = true;
      break;
    }
    if (code == kClear) {
      FNextFree = kFirstFree;
      FWidth = 9;
      FPrev = -1;
      FHistoryEnd = 256;
      continue;
    }
    if (code > FNextFree || (code == FNextFree && FPrev < 0))
      throw EImageError("Invalid LZW Code: " + std::to_string(code) + ">" + std::to_string(FNextFree) +
                        " @:" + std::to_string(codeAt));
    // Once the table is full no string is added, so nothing more needs remembering.
    size_t at = FAt[static_cast<size_t>(code)];
    if (FNextFree < kTableSize) at = Remember(code);
    FPrev = code;
    const size_t length = FLength[static_cast<size_t>(code)];
    const size_t part = std::min(length, N - done);
    std::memcpy(Out + done, FHistory.data() + at, part);
    done += part;
    FPendingAt = at + part;
    FPendingEnd = at + length;
    if (FNextFree >= (1 << FWidth) - 1 && FWidth < 12) ++FWidth;
  }
  return done;
}

}  // namespace trochodraw
