#include "imagefiles/tiff_lzw.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "render/bitmap.h"

namespace trochodraw {

TTIFFLZWDecoder::TTIFFLZWDecoder(const TByteView& In, uint64_t Start)
    : FIn(In), FBitPos(Start * 8), FBitEnd(uint64_t(In.Size()) * 8) {
  for (int i = 0; i < 256; ++i) {
    FSuffix[i] = FFirst[i] = static_cast<uint8_t>(i);
    FLength[i] = 1;
  }
  if (Start >= In.Size()) FEnded = true;
}

int TTIFFLZWDecoder::NextCode() {
  if (FBitPos + FWidth > FBitEnd) return kEnd;
  const uint64_t at = FBitPos >> 3;
  const uint32_t bits = (uint32_t(FIn.U8(at)) << 16) | (uint32_t(FIn.U8(at + 1)) << 8) | FIn.U8(at + 2);
  const int shift = 24 - static_cast<int>(FBitPos & 7) - FWidth;
  FBitPos += static_cast<uint64_t>(FWidth);
  return static_cast<int>((bits >> shift) & ((1u << FWidth) - 1));
}

void TTIFFLZWDecoder::AddEntry(int Prefix, uint8_t Byte) {
  if (FNextFree >= kTableSize) return;
  FPrefix[FNextFree] = static_cast<uint16_t>(Prefix);
  FSuffix[FNextFree] = Byte;
  FLength[FNextFree] = static_cast<uint16_t>(FLength[Prefix] + 1);
  FFirst[FNextFree] = FFirst[Prefix];
  ++FNextFree;
}

void TTIFFLZWDecoder::WriteString(int Code, uint8_t* Dest) const {
  for (int i = FLength[Code] - 1; i >= 0; --i) {
    Dest[i] = FSuffix[Code];
    Code = FPrefix[Code];
  }
}

size_t TTIFFLZWDecoder::Read(uint8_t* Out, size_t N) {
  size_t done = std::min(N, FPendingEnd - FPendingAt);
  std::memcpy(Out, FPending.data() + FPendingAt, done);
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
      continue;
    }
    if (code > FNextFree || (code == FNextFree && FPrev < 0))
      throw EImageError("Invalid LZW Code: " + std::to_string(code) + ">" + std::to_string(FNextFree) +
                        " @:" + std::to_string(codeAt));
    if (code == FNextFree) {
      AddEntry(FPrev, FFirst[FPrev]);
    } else if (FPrev >= 0) {
      AddEntry(FPrev, FFirst[code]);
    }
    FPrev = code;
    const size_t length = FLength[code];
    if (length <= N - done) {
      WriteString(code, Out + done);
      done += length;
    } else {
      WriteString(code, FPending.data());
      const size_t part = N - done;
      std::memcpy(Out + done, FPending.data(), part);
      done = N;
      FPendingAt = part;
      FPendingEnd = length;
    }
    if (FNextFree >= (1 << FWidth) - 1 && FWidth < 12) ++FWidth;
  }
  return done;
}

}  // namespace trochodraw
