#include "colouring/colour_arithmetic.h"

#include <gtest/gtest.h>

namespace trochodraw {
namespace {

TColorTriple RGB(uint8_t R, uint8_t G, uint8_t B) { return {B, G, R}; }

TEST(ColourArithmetic, RGBToHSV) {
  struct Case {
    TColorTriple In;
    long double H, S, V;
  };
  const Case cases[] = {{RGB(0, 0, 0), -1, 0, 0},      {RGB(255, 255, 255), 0, 0, 1}, {RGB(255, 0, 0), 0, 1, 1},
                        {RGB(255, 0, 255), 300, 1, 1}, {RGB(0, 0, 255), 240, 1, 1},   {RGB(255, 255, 0), 60, 1, 1}};
  for (const Case& c : cases) {
    const THSVColor hsv = RGBToHSV(c.In);
    EXPECT_EQ(hsv.H, c.H);
    EXPECT_EQ(hsv.S, c.S);
    EXPECT_EQ(hsv.V, c.V);
  }
}

TEST(ColourArithmetic, HSVToTripleAndGradients) {
  EXPECT_EQ(HSVToTriple({0, 0, 0.5L}), RGB(127, 127, 127));
  EXPECT_EQ(HSVToTriple({150, 1, 1}), RGB(0, 255, 127));
  EXPECT_EQ(HSVToTriple({-1, 1, 1}), RGB(255, 0, 4));  // black's hue takes the last row, f = 59/60
  EXPECT_EQ(GradientColor(clFuchsia, clRed, 0.5), TColor{0x007FFF00});
  EXPECT_EQ(GradientColor(clBlack, clRed, 0.5), RGBColor(127, 63, 64));
  EXPECT_EQ(GradientColor(RGBColor(68, 32, 130), clWhite, 0.0), RGBColor(67, 31, 130));
  EXPECT_EQ(UnitRGBToColor({1.2, 0.5, -0.1}), RGBColor(255, 127, 0));
  EXPECT_DOUBLE_EQ(TripleDistance(RGB(0, 0, 0), RGB(255, 0, 0)), 255 / 441.67295593);
  EXPECT_EQ(ColorDistance(clBlack, clWhite), 1.0);
}

TEST(ColourArithmetic, GreysSurviveTheHSVRoundTrip) {
  for (int v = 0; v < 256; ++v) {
    const TColorTriple g = RGB(uint8_t(v), uint8_t(v), uint8_t(v));
    EXPECT_EQ(HSVToTriple(RGBToHSV(g)), g) << v;
  }
}

TEST(ColourArithmetic, BlendValueKeepsTheBrightness) {
  // A half-dark edge pixel becomes the fill colour at half brightness.
  EXPECT_EQ(BlendValue(RGB(128, 128, 128), RGB(0, 255, 0)), HSVToTriple({120, 1, 128 / 255.0L}));
  EXPECT_EQ(BlendValue(RGB(255, 255, 255), RGB(10, 20, 30)), HSVToTriple(RGBToHSV(RGB(10, 20, 30))));
  EXPECT_EQ(BlendValue(RGB(0, 0, 0), RGB(0, 255, 0)), RGB(0, 0, 0));
}

}  // namespace
}  // namespace trochodraw
