#include <gtest/gtest.h>

#include <vector>

#include "colouring/colour_arithmetic.h"
#include "render/line_coloring.h"

using namespace trochodraw;

namespace {

const TLineColorContext k640{640, 480, 0, 0, 0, 0};

TEST(LineColoringTest, DefaultsAreBlackOnePixelAndCount) {
  TLineColoring lc;
  for (int i = 1; i <= 3; ++i) {
    const TLineStyle s = lc.GetLineColor({1, 2}, k640);
    EXPECT_EQ(s.Color, clBlack);
    EXPECT_EQ(s.Width, 1);
    EXPECT_EQ(lc.StepCount(), i);
  }
}

TEST(LineColoringTest, StepGradientOvershootsAndTurnsAtBothEnds) {
  TLineColoring lc;
  lc.Settings.Mode = lcStep;
  lc.Settings.StepSpin = 4;
  std::vector<int32_t> flips;
  lc.OnStepSpinChanged = [&](int32_t v) { flips.push_back(v); };
  const double expected[] = {0.25, 0.5, 0.75, 1.0, 1.25, 1.0, 0.75, 0.5, 0.25, 0.0, -0.25, 0.0, 0.25};
  for (double e : expected) {
    const TLineStyle s = lc.GetLineColor({0, 0}, k640);
    EXPECT_NEAR(lc.GradientPosition(), e, 1e-12);
    EXPECT_EQ(s.Color, GradientColor(clFuchsia, clRed, lc.GradientPosition())) << "not clamped";
  }
  EXPECT_EQ(flips, (std::vector<int32_t>{-4, 4}));
  lc.Settings.StepSpin = -300;
  lc.Reset();
  EXPECT_EQ(lc.Settings.StepSpin, 300);
  EXPECT_EQ(lc.StepCount(), 0);
  EXPECT_EQ(lc.Progress(), 0);
}

TEST(LineColoringTest, ZeroStepsKeepsTheColourAndDrawingGoesOn) {
  TLineColoring lc;
  lc.Settings.Mode = lcStep;
  lc.Settings.StepSpin = 0;
  lc.GetLineColor({0, 0}, k640);
  EXPECT_EQ(lc.GradientPosition(), 0.0);
  EXPECT_EQ(lc.StepCount(), 1);
}

TEST(LineColoringTest, PhaseGradients) {
  TLineColoring lc;
  lc.Settings.Mode = lcPhase1;
  TLineColorContext ctx = k640;
  ctx.Phase1 = -180;
  EXPECT_EQ(lc.GetLineColor({0, 0}, ctx).Color, clFuchsia);
  ctx.Phase1 = 0;
  EXPECT_EQ(lc.GetLineColor({0, 0}, ctx).Color, RGBColor(0, 255, 127));
  lc.Settings.Mode = lcPhase2;
  ctx.Phase2 = -180;
  EXPECT_EQ(lc.GetLineColor({0, 0}, ctx).Color, clFuchsia);
}

struct DistanceCase {
  int range, offset;
  TVector2 pos;
  TLineColorContext ctx;
  double position;
  int gauge;
};

class DistanceGradientTest : public ::testing::TestWithParam<DistanceCase> {};

TEST_P(DistanceGradientTest, PositionFollowsTheDistanceFromTheCentre) {
  const auto c = GetParam();
  TLineColoring lc;
  lc.Settings.Mode = lcDistance;
  lc.Settings.PixelRange = c.range;
  lc.Settings.PixelOffset = c.offset;
  lc.GetLineColor(c.pos, c.ctx);
  EXPECT_NEAR(lc.GradientPosition(), c.position, 1e-12);
  EXPECT_EQ(lc.Progress(), c.gauge);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DistanceGradientTest,
    ::testing::Values(DistanceCase{100, 0, {320 + 250, 240}, k640, 0.5, 500},
                      DistanceCase{100, 0, {320, 240 + 300}, k640, 0.0, 0},
                      DistanceCase{100, 20, {325, 240}, k640, -0.15, 0},
                      DistanceCase{0, 0, {320.25, 240}, k640, 0.25, 250},  // range 0 acts as 1
                      // odd width: centre column 320, plus the offsets
                      DistanceCase{100, 0, {320 + 10 + 50, 240 - 5}, {641, 480, 10, -5, 0, 0}, 0.5, 500}));

}  // namespace
