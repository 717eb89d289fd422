#include <gtest/gtest.h>

#include <vector>

#include "machine/simulation.h"

using namespace trochodraw;

namespace {

// The worked example: 350-pixel pane, 640 x 480 figure, scale 1, radii 74.95, speeds 75.5,
// angles 0, pantograph, two wheels.
class TickTest : public ::testing::Test {
 protected:
  TickTest() : Sim(Colouring) {
    Sim.Settings.Machine = {74.95, 74.95, pmTwoWheel, amPantograph, 350};
    Sim.Settings.RPM1 = Sim.Settings.RPM2 = 75.5;
    Sim.Initialise();
    Sim.OnSubStep = [this](int, int step, bool drawn) { Steps.push_back({step, drawn, Sim.PrevPoint}); };
    Sim.OnMechanismDrawn = [this] { ++MechanismDraws; };
  }

  struct Step {
    int n;
    bool drawn;
    TVector2 at;
  };
  TLineColoring Colouring;
  TSimulation Sim;
  std::vector<Step> Steps;
  int MechanismDraws = 0;
};

TEST_F(TickTest, DegreesPerStep) {
  EXPECT_NEAR(Sim.DegreesPerStep(1, 75.5), 4.53, 1e-12);
  EXPECT_NEAR(Sim.DegreesPerStep(2, 75.5), 2.265, 1e-12);
}

TEST_F(TickTest, FirstTickCutsIntoManyShortStepsFromTheOrigin) {
  EXPECT_NEAR(Sim.ProbeStroke(4.53, 4.53), 377.9, 0.05);
  EXPECT_EQ(Sim.Machine.Wheel1.Angle, 0.0) << "the probe restores the angles";

  MechanismDraws = 0;
  Sim.Timer1Timer();
  ASSERT_EQ(Steps.size(), 38u);
  EXPECT_FALSE(Steps.front().drawn) << "pen up: the first sub-step only records its point";
  for (size_t i = 1; i < Steps.size(); ++i) EXPECT_TRUE(Steps[i].drawn);
  EXPECT_NEAR(Sim.PrevPoint.X, 323.55, 0.005);
  EXPECT_NEAR(Sim.PrevPoint.Y, 195.21, 0.005);
  EXPECT_NEAR(Sim.Machine.Wheel1.Angle, 4.53, 1e-9);
  EXPECT_NEAR(Sim.Machine.Planet1.Angle, 341.916, 1e-3);
  EXPECT_EQ(MechanismDraws, 2) << "first and last sub-step";
  EXPECT_EQ(Colouring.StepCount(), 37);
}

TEST_F(TickTest, SecondTickIsOneSegment) {
  Sim.Timer1Timer();
  Steps.clear();
  MechanismDraws = 0;
  Sim.Timer1Timer();
  ASSERT_EQ(Steps.size(), 1u);
  EXPECT_NEAR(Steps[0].at.X, 327.08, 0.005);
  EXPECT_NEAR(Steps[0].at.Y, 195.63, 0.005);
  EXPECT_EQ(MechanismDraws, 1);
}

TEST_F(TickTest, AcceleratedSecondTickTurnsTenTimesAsFar) {
  Sim.Timer1Timer();
  Sim.Settings.Accelerate = true;
  const double a = Sim.Machine.Wheel1.Angle;
  EXPECT_NEAR(Sim.ProbeStroke(45.3, 45.3), 34.6, 0.05);
  Steps.clear();
  Sim.Timer1Timer();
  EXPECT_EQ(Steps.size(), 35u);
  EXPECT_NEAR(Sim.Machine.Wheel1.Angle, a + 45.3, 1e-9);
}

TEST_F(TickTest, StandingMachineStillConsultsTheColouring) {
  Sim.Timer1Timer();
  Sim.Settings.RPM1 = Sim.Settings.RPM2 = 0;
  const int before = Colouring.StepCount();
  Steps.clear();
  Sim.Timer1Timer();
  ASSERT_EQ(Steps.size(), 1u);
  EXPECT_TRUE(Steps[0].drawn);
  EXPECT_EQ(Colouring.StepCount(), before + 1);
}

TEST_F(TickTest, ClearFigureLiftsThePenButKeepsPrevPoint) {
  Sim.Timer1Timer();
  const TVector2 last = Sim.PrevPoint;
  Sim.ClearFigure(false);
  EXPECT_FALSE(Sim.PenDown);
  EXPECT_EQ(Sim.PrevPoint, last);
  Steps.clear();
  Sim.Timer1Timer();
  ASSERT_FALSE(Steps.empty());
  EXPECT_FALSE(Steps[0].drawn);
}

TEST_F(TickTest, StrokesLandInTheFigureAlsoAfterItBecame24Bit) {
  for (bool antialias : {true, false}) {
    Sim.Settings.Antialias = antialias;
    Sim.ClearFigure(false);
    Sim.FigureImage.SetPixelFormat(TPixelFormat::pf24bit);
    for (int i = 0; i < 10; ++i) Sim.Timer1Timer();
    int dark = 0;
    for (int y = 0; y < Sim.FigureImage.Height(); ++y)
      for (int x = 0; x < Sim.FigureImage.Width(); ++x) dark += Sim.FigureImage.GetPixel(x, y) != clWhite;
    EXPECT_GT(dark, 20) << "antialias " << antialias;
  }
}

TEST(PhaseTest, PhaseDiffStaysInHalfOpenRange) {
  struct {
    double x, y, expect;
  } cases[] = {{350, 10, -20}, {10, 350, 20}, {180, 0, -180}, {0, 180, -180}, {0, 0, 0}};
  for (auto c : cases) EXPECT_DOUBLE_EQ(TSimulation::PhaseDiff(c.x, c.y), c.expect) << c.x << " " << c.y;
}

}  // namespace
