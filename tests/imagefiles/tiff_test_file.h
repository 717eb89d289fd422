#pragma once

#include <cstdint>
#include <vector>

#include "imagefiles/own_codec_test_util.h"

namespace trochodraw::testing {

// Builds small TIFF files of either byte order for the reader's tests: the strips come
// first, then out-of-line values, then the directory in ascending tag order. StripOffsets
// and StripByteCounts are added from the strips.
class TTestTIFF {
 public:
  explicit TTestTIFF(bool BigEndian = false) : FBigEndian(BigEndian) {}

  TTestTIFF& Tag(uint16_t Tag, uint16_t Type, std::vector<uint32_t> Values);
  TTestTIFF& Strip(TBytes Data);
  // Puts the strips at the end of the file, so a cut strip really ends the data.
  TTestTIFF& StripsLast() {
    FStripsLast = true;
    return *this;
  }
  TBytes Build() const;

 private:
  struct TEntry {
    uint16_t Tag;
    uint16_t Type;
    std::vector<uint32_t> Values;
  };
  TBytes Build(size_t StripBase) const;

  bool FBigEndian;
  bool FStripsLast = false;
  std::vector<TEntry> FEntries;
  std::vector<TBytes> FStrips;
};

constexpr uint16_t kTIFFShort = 3, kTIFFLong = 4;

// TIFF's LZW with the early width change, a clear code when the table fills, and 257 at the
// end, as libtiff writes it. Without ClearWhenFull the table stays full and the codes go on,
// as some old writers did.
TBytes TIFFLZWEncode(const TBytes& Data, bool ClearWhenFull = true);

// What TIFFLZWEncode makes of Value repeated: every code one byte longer than the one before,
// the densest stream a conforming writer can make. Cycles tables' worth, 7,359,366 bytes each.
TBytes DensestTIFFLZW(uint8_t Value, int Cycles);

}  // namespace trochodraw::testing
