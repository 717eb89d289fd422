#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace trochodraw {

// Appends multi-byte values to a file being built in memory, in one byte order.
class TByteWriter {
 public:
  explicit TByteWriter(bool BigEndian) : FBigEndian(BigEndian) {}

  std::vector<uint8_t>& Bytes() { return FBytes; }
  size_t Position() const { return FBytes.size(); }
  void Reserve(size_t N) { FBytes.reserve(N); }

  void U8(uint32_t V) { FBytes.push_back(static_cast<uint8_t>(V)); }
  void U16(uint32_t V) {
    if (FBigEndian) {
      U8(V >> 8);
      U8(V);
    } else {
      U8(V);
      U8(V >> 8);
    }
  }
  void U32(uint32_t V) {
    if (FBigEndian) {
      U16(V >> 16);
      U16(V);
    } else {
      U16(V);
      U16(V >> 16);
    }
  }
  void Text(const char* S, size_t N) { FBytes.insert(FBytes.end(), S, S + N); }
  void Append(const uint8_t* P, size_t N) { FBytes.insert(FBytes.end(), P, P + N); }
  void Zeros(size_t N) { FBytes.resize(FBytes.size() + N, 0); }

  // Overwrites a value written earlier (a length or an offset known only later).
  void PatchU32(size_t At, uint32_t V) {
    for (int i = 0; i < 4; ++i) {
      const int shift = FBigEndian ? 24 - 8 * i : 8 * i;
      FBytes[At + i] = static_cast<uint8_t>(V >> shift);
    }
  }

 private:
  bool FBigEndian;
  std::vector<uint8_t> FBytes;
};

}  // namespace trochodraw
