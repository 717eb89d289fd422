#pragma once

#include <cstdint>

#include "colouring/colour_band_palette.h"
#include "colouring/flood_fill.h"
#include "render/bitmap.h"

namespace trochodraw {

class TImageUndoer;

// The items of "Mozaic Colors".
enum TMosaicColors { mcGradient, mcRandom };

// Painted over the outside of the figure first, so the region scan can tell it from the
// inside; the background pass replaces it.
inline constexpr TColor kOutsideMarker = 0xF3F2F1;  // RGB(241, 242, 243)

struct TMosaicSettings {
  TMosaicColors Colors = mcGradient;
  double Threshold = 0.6;      // "Fill Threshold", 0..1
  TColor BackColor = clBlack;  // "Background Color"
};

// The random region colours: uniform in 1..16777214 (never black, never white). A given seed
// always gives the same colours.
class TMosaicRandom {
 public:
  explicit TMosaicRandom(uint64_t Seed) : FState(Seed) {}
  static TMosaicRandom FromClock();
  TColor NextColor();

 private:
  uint64_t Next();
  uint64_t FState;
};

// True when C, as a whole value, is the colour of one of the palette's bands 1..Count - 1.
bool IsBandColor(const TColorBandPalette& Palette, TColor C);

// Turns the figure into a mosaic: the outside (what joins the corners in the colour of the
// bottom-left pixel) is marked, every inner region is filled with the band colour of its
// first pixel's distance from the centre (or a random colour), and the outside becomes
// BackColor. The figure becomes 24-bit. Progress gets whole percentages.
void MozaicImage(TBitmap& Figure, const TColorBandPalette& Palette, const TMosaicSettings& Settings,
                 TMosaicRandom& Random, const TFillProgress& Progress = {});

// The "Mozaic Image" command: stores the figure for undo ("No Image Set" stops it before
// anything is painted), fills it, and tells the figure's view.
void MozaicImage(TImageUndoer& Undoer, const TColorBandPalette& Palette, const TMosaicSettings& Settings,
                 TMosaicRandom& Random, const TFillProgress& Progress = {});

}  // namespace trochodraw
