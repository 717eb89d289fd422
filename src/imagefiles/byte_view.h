#pragma once

#include <cstddef>
#include <cstdint>

namespace trochodraw {

// A read-only window on a file loaded into memory. Every read is bounds-checked: bytes past
// the end read as zero, so a decoder can never step outside the buffer whatever the file
// claims; Has() tells a decoder whether the bytes it needs are really there.
class TByteView {
 public:
  TByteView(const uint8_t* Data, size_t Size, bool BigEndian = false)
      : FData(Data), FSize(Data ? Size : 0), FBigEndian(BigEndian) {}

  size_t Size() const { return FSize; }
  const uint8_t* Data() const { return FData; }
  bool BigEndian() const { return FBigEndian; }
  void SetBigEndian(bool BigEndian) { FBigEndian = BigEndian; }

  // True when Count bytes starting at At lie inside the buffer (overflow-safe).
  bool Has(uint64_t At, uint64_t Count) const { return At <= FSize && Count <= FSize - At; }
  // Bytes available from At to the end (0 past the end).
  size_t Available(uint64_t At) const { return At < FSize ? FSize - static_cast<size_t>(At) : 0; }

  uint8_t U8(uint64_t At) const { return At < FSize ? FData[At] : 0; }
  uint16_t U16(uint64_t At) const {
    const uint16_t a = U8(At), b = U8(At + 1);
    return FBigEndian ? static_cast<uint16_t>((a << 8) | b) : static_cast<uint16_t>(a | (b << 8));
  }
  uint32_t U32(uint64_t At) const {
    const uint32_t a = U16(At), b = U16(At + 2);
    return FBigEndian ? (a << 16) | b : a | (b << 16);
  }
  // True when the four bytes at At spell Tag.
  bool IsTag(uint64_t At, const char (&Tag)[5]) const {
    for (int i = 0; i < 4; ++i)
      if (!Has(At + i, 1) || FData[At + i] != static_cast<uint8_t>(Tag[i])) return false;
    return true;
  }

 private:
  const uint8_t* FData;
  size_t FSize;
  bool FBigEndian;
};

}  // namespace trochodraw
