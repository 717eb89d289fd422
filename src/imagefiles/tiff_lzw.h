#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "imagefiles/byte_view.h"

namespace trochodraw {

// The LZW decoder of TIFF strips: codes most significant bit first from 9 to 12 bits, 256
// clears the table, 257 (or the end of the data) ends the strip, and the width grows one
// code early. It can be read a row at a time; a string that does not fit into one read is
// kept for the next.
class TTIFFLZWDecoder {
 public:
  TTIFFLZWDecoder(const TByteView& In, uint64_t Start);

  // Writes up to N bytes to Out and returns how many it wrote: fewer than N only when the
  // strip ended. Throws EImageError("Invalid LZW Code: ...") for a code the table cannot have.
  size_t Read(uint8_t* Out, size_t N);

 private:
  static constexpr int kTableSize = 4096;
  static constexpr int kClear = 256, kEnd = 257, kFirstFree = 258;

  int NextCode();
  void AddEntry(int Prefix, uint8_t Byte);
  // Writes the string of Code into Dest, which has room for its whole length.
  void WriteString(int Code, uint8_t* Dest) const;

  const TByteView& FIn;
  uint64_t FBitPos;
  uint64_t FBitEnd;
  int FWidth = 9;
  int FNextFree = kFirstFree;
  int FPrev = -1;
  bool FEnded = false;
  std::array<uint16_t, kTableSize> FPrefix{};
  std::array<uint16_t, kTableSize> FLength{};
  std::array<uint8_t, kTableSize> FSuffix{};
  std::array<uint8_t, kTableSize> FFirst{};
  std::array<uint8_t, kTableSize> FPending{};
  size_t FPendingAt = 0;
  size_t FPendingEnd = 0;
};

}  // namespace trochodraw
