#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "imagefiles/byte_view.h"

namespace trochodraw {

// PackBits (TIFF) / ByteRun1 (IFF): one row compressed by itself. Runs start at three equal
// bytes and hold up to 128 repeats, pairs stay in literal packets of up to 127 bytes, and a
// row whose encoding has an odd length gets the no-operation byte 128 so it stays even.
void PackBitsEncodeRow(const uint8_t* Row, size_t N, std::vector<uint8_t>& Out);

enum class TPackBitsResult {
  prExact,    // the row was filled and the last packet ended exactly at its end
  prOverrun,  // the row was filled but the last packet went past it (the excess is dropped)
  prShort     // the data ended before the row was full; the rest of the row is untouched
};

// Decodes one row of N bytes starting at Pos, advancing Pos past every packet it read.
// Never reads outside In and never writes past Row + N.
TPackBitsResult PackBitsDecodeRow(const TByteView& In, uint64_t& Pos, uint8_t* Row, size_t N);

}  // namespace trochodraw
