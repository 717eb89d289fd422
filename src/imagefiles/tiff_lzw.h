#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "imagefiles/byte_view.h"

namespace trochodraw {

// The LZW decoder of TIFF strips: codes most significant bit first from 9 to 12 bits, 256
// clears the table, 257 (or the end of the data) ends the strip, and the width grows one
// code early. It can be read a row at a time; a string that does not fit into one read is
// kept for the next. One decoder serves every strip of a file: Start() begins the next.
class TTIFFLZWDecoder {
 public:
  explicit TTIFFLZWDecoder(const TByteView& In);

  // Begins a strip at byte offset Start with a fresh table.
  void Start(uint64_t Start);
  // Writes up to N bytes to Out and returns how many it wrote: fewer than N only when the
  // strip ended. Throws EImageError("Invalid LZW Code: ...") for a code the table cannot have.
  size_t Read(uint8_t* Out, size_t N);

 private:
  static constexpr int kTableSize = 4096;
  static constexpr int kClear = 256, kEnd = 257, kFirstFree = 258;

  int NextCode();
  // Puts the string of Code (or, for the next free code, the previous string and its own
  // first byte) at the end of the history and enters the new table string; returns where the
  // code's string starts in the history.
  size_t Remember(int Code);

  const TByteView& FIn;
  uint64_t FBitPos = 0;
  uint64_t FBitEnd;
  int FWidth = 9;
  int FNextFree = kFirstFree;
  int FPrev = -1;
  bool FEnded = true;
  // Every table string is a piece of the history: the 256 single bytes, then each string
  // decoded since the last clear while the table was filling. A new string is the previous
  // one and the first byte after it, so it is where the previous one was last put, one byte
  // longer, and decoding a code is one copy, however long its string.
  std::array<uint32_t, kTableSize> FAt{};
  std::array<uint16_t, kTableSize> FLength{};
  std::vector<uint8_t> FHistory;
  size_t FHistoryEnd = 256;
  size_t FPrevAt = 0;  // where the previous code's string was last put
  size_t FPendingAt = 0;
  size_t FPendingEnd = 0;
};

}  // namespace trochodraw
