#include <gtest/gtest.h>

#include <cmath>

#include "colouring/colour_arithmetic.h"

using namespace trochodraw;

namespace {

struct HSVCase {
  TColorTriple rgb;
  long double h, s, v;
};

class RGBToHSVTest : public ::testing::TestWithParam<HSVCase> {};

TEST_P(RGBToHSVTest, Converts) {
  const auto c = GetParam();
  const THSVColor r = RGBToHSV(c.rgb);
  EXPECT_DOUBLE_EQ(double(r.H), double(c.h));
  EXPECT_DOUBLE_EQ(double(r.S), double(c.s));
  EXPECT_DOUBLE_EQ(double(r.V), double(c.v));
}

// Triples are blue, green, red.
INSTANTIATE_TEST_SUITE_P(Colours, RGBToHSVTest,
                         ::testing::Values(HSVCase{{0, 0, 0}, -1, 0, 0}, HSVCase{{255, 255, 255}, 0, 0, 1},
                                           HSVCase{{0, 0, 255}, 0, 1, 1}, HSVCase{{255, 0, 255}, 300, 1, 1},
                                           HSVCase{{255, 0, 0}, 240, 1, 1}));

TEST(HSVToTripleTest, TruncatesAndTakesTheLastRowForOddHues) {
  EXPECT_EQ(HSVToTriple({0, 0, 0.5L}), (TColorTriple{127, 127, 127}));
  EXPECT_EQ(HSVToTriple({150, 1, 1}), (TColorTriple{127, 255, 0}));
  // Black's hue -1 falls into the last row with f = 1 - 1/60: (V, p, q) = red, 0, 1/60 of V.
  EXPECT_EQ(HSVToTriple({-1, 1, 1}), (TColorTriple{4, 0, 255}));
  EXPECT_EQ(HSVToTriple({360, 1, 1}).Red, 255) << "360 is not wrapped: (V, p, q)";
}

struct GradientCase {
  TColor a, b;
  double t;
  TColor expect;
};

class GradientColorTest : public ::testing::TestWithParam<GradientCase> {};

TEST_P(GradientColorTest, InterpolatesInHSV) {
  const auto c = GetParam();
  EXPECT_EQ(GradientColor(c.a, c.b, c.t), c.expect);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GradientColorTest,
    ::testing::Values(GradientCase{clFuchsia, clRed, 0.5, 0x007FFF00}, GradientCase{clFuchsia, clRed, 0, clFuchsia},
                      GradientCase{clFuchsia, clRed, 1, clRed}, GradientCase{clGray, clSilver, 1, clSilver},
                      GradientCase{clBlack, clRed, 0.5, RGBColor(127, 63, 64)},
                      GradientCase{RGBColor(68, 32, 130), clRed, 0, RGBColor(67, 31, 130)}));

TEST(ColourDistanceTest, FractionOfTheCubeDiagonal) {
  EXPECT_DOUBLE_EQ(ColorDistance(clBlack, clWhite), 1.0);
  EXPECT_DOUBLE_EQ(ColorDistance(clTeal, clTeal), 0.0);
  EXPECT_NEAR(ColorDistance(clBlack, clRed), 1 / std::sqrt(3.0), 1e-9);
}

TEST(UnitRGBTest, ClampsAndTruncates) {
  EXPECT_EQ(UnitRGBToColor({1.2, 0.5, -0.1}), RGBColor(255, 127, 0));
  const TVector3 v = ColorToUnitRGB(RGBColor(255, 0, 51));
  EXPECT_DOUBLE_EQ(v.X, 1.0);
  EXPECT_DOUBLE_EQ(v.Z, 0.2);
}

TEST(TripleTest, SystemColoursKeepTheirLowBytesOutsideColorToRGBBytes) {
  const TColor system = 0x80000005;
  EXPECT_EQ(ColorToTriple(system), (TColorTriple{0, 0, 5}));
  uint8_t r, g, b;
  ColorToRGBBytes(system, r, g, b);
  EXPECT_EQ(RGBColor(r, g, b), clWhite) << "window colour";
  EXPECT_EQ(TripleToColor(ColorToTriple(0x00123456)), 0x00123456u);
}

TEST(BlendValueTest, NewHueAtThePixelsBrightness) {
  // A half-dark grey edge pixel takes the fill's hue at half brightness.
  EXPECT_EQ(BlendValue({128, 128, 128}, {0, 0, 255}), (TColorTriple{0, 0, 128}));
  EXPECT_EQ(BlendValue({255, 255, 255}, {0, 255, 0}), (TColorTriple{0, 255, 0}));
}
}  // namespace

// Further cases from the colouring work.
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
