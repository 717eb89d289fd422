#pragma once

#include <cstdint>

#include "machine/vector2.h"
#include "render/color.h"

namespace trochodraw {

// One pixel of a 24-bit row, in memory order blue, green, red.
struct TColorTriple {
  uint8_t Blue = 0;
  uint8_t Green = 0;
  uint8_t Red = 0;
  friend bool operator==(const TColorTriple&, const TColorTriple&) = default;
};

// Hue in degrees ([0, 360), 0 for a grey, -1 for black), saturation and value 0..1,
// in extended precision: the byte results depend on it.
struct THSVColor {
  long double H = 0;
  long double S = 0;
  long double V = 0;
};

TColorTriple ColorToTriple(TColor C);
TColor TripleToColor(TColorTriple T);
bool SameTriple(TColorTriple A, TColorTriple B);
double TripleDistance(TColorTriple A, TColorTriple B);
double ColorDistance(TColor A, TColor B);
void ColorToRGBBytes(TColor C, uint8_t& R, uint8_t& G, uint8_t& B);
THSVColor RGBToHSV(TColorTriple T);
TColorTriple HSVToTriple(const THSVColor& C);
TColor HSVToColor(const THSVColor& C);
TColor GradientColor(TColor Start, TColor End, double T);
TColorTriple BlendValue(TColorTriple Pixel, TColorTriple New);
TVector3 ColorToUnitRGB(TColor C);
TColor UnitRGBToColor(TVector3 V);

}  // namespace trochodraw
