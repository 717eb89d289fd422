#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/color.h"

namespace trochodraw {

// The colours of one GIF frame: counted, cut down to at most MaxColours by median cut, and
// each counted colour mapped to the entry of its box. A frame with no more colours than
// that keeps them exactly; one with many (gradients, antialiased edges) gets the palette that
// suits them, so a gradient does not fall into a few bands.
class TGifPalette {
 public:
  explicit TGifPalette(int MaxColours = 255);

  void Clear();
  // Counts one pixel.
  void Count(uint8_t R, uint8_t G, uint8_t B);
  // Builds the palette from the counted colours.
  void Build();
  // The palette index of a counted colour (any colour counted before Build).
  uint8_t IndexOf(uint8_t R, uint8_t G, uint8_t B) const;

  // R, G, B triples.
  const std::vector<uint8_t>& Colours() const { return FPalette; }
  int Size() const { return static_cast<int>(FPalette.size() / 3); }
  size_t Distinct() const { return FUsed; }

 private:
  struct TEntry {
    uint32_t Key;  // 0x01RRGGBB, 0 for an empty slot
    uint32_t Count;
    uint32_t Index;
  };
  TEntry& Slot(uint32_t Key);
  const TEntry* Find(uint32_t Key) const;
  void Grow();

  int FMax;
  std::vector<TEntry> FTable;
  size_t FUsed = 0;
  std::vector<uint8_t> FPalette;
};

}  // namespace trochodraw
