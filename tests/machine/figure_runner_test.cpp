#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "machine/figure_runner.h"
#include "support/image_compare.h"

using namespace trochodraw;
using trochodraw::testing::SamePixels;

namespace {

// One machine with its own colouring: the fast run and the ordinary ticks each get one.
struct Machine {
  TLineColoring Colouring;
  TSimulation Sim{Colouring};
  int MechanismDraws = 0;

  Machine(TLineColorMode Mode, bool Antialias, bool Accelerate) {
    Sim.Settings.Machine = {54, 50, pmOuterPlanet, amPantograph, 350};
    Sim.Settings.RPM1 = 40;
    Sim.Settings.RPM2 = -31.5;
    Sim.Settings.Accelerate = Accelerate;
    Sim.Settings.Antialias = Antialias;
    Colouring.Settings.Mode = Mode;
    Colouring.Settings.StepSpin = 37;
    Colouring.Settings.PenWidth = Antialias ? 2 : 3;
    Sim.FigureImage = TBitmap(200, 150);
    Sim.Initialise();
    Sim.OnMechanismDrawn = [this] { ++MechanismDraws; };
  }
};

struct RunCase {
  TLineColorMode Mode;
  bool Antialias, Accelerate;
};

std::string CaseName(const ::testing::TestParamInfo<RunCase>& info) {
  static const char* const modes[] = {"Single", "Step", "Phase1", "Phase2", "Distance"};
  return std::string(modes[info.param.Mode]) + (info.param.Antialias ? "Antialiased" : "Plain") +
         (info.param.Accelerate ? "Accelerated" : "");
}

class FigureRunnerTest : public ::testing::TestWithParam<RunCase> {};

TEST_P(FigureRunnerTest, SamePixelsAsOrdinaryTicks) {
  const RunCase& c = GetParam();
  Machine ordinary(c.Mode, c.Antialias, c.Accelerate), fast(c.Mode, c.Antialias, c.Accelerate);
  const int ticks = 120;
  for (int i = 0; i < ticks; ++i) ordinary.Sim.Timer1Timer();
  fast.MechanismDraws = 0;
  EXPECT_EQ(TFigureRunner::Run(fast.Sim, ticks, {}, 7), uint64_t(ticks));

  EXPECT_TRUE(SamePixels(fast.Sim.FigureImage, ordinary.Sim.FigureImage));
  EXPECT_TRUE(SamePixels(fast.Sim.MechanismImage, ordinary.Sim.MechanismImage)) << "the machine's final state";
  EXPECT_EQ(fast.MechanismDraws, 1) << "drawn once, at the end";
  EXPECT_EQ(fast.Colouring.StepCount(), ordinary.Colouring.StepCount());
  EXPECT_EQ(fast.Sim.TickCount(), ordinary.Sim.TickCount());
  EXPECT_TRUE(fast.Sim.MechanismDrawing) << "ordinary ticks draw the mechanism again";
}

INSTANTIATE_TEST_SUITE_P(AllColourModes, FigureRunnerTest,
                         ::testing::ValuesIn([] {
                           std::vector<RunCase> v;
                           for (int m = lcSingle; m <= lcDistance; ++m)
                             for (bool aa : {true, false})
                               for (bool acc : {false, true}) v.push_back({TLineColorMode(m), aa, acc});
                           return v;
                         }()),
                         CaseName);

TEST(FigureRunner, CancelKeepsWhatWasDrawn) {
  Machine cancelled(lcStep, true, false), ordinary(lcStep, true, false);
  int calls = 0;
  const uint64_t done = TFigureRunner::Run(cancelled.Sim, 1000, [&](uint64_t, uint64_t) { return ++calls < 3; }, 10);
  EXPECT_EQ(done, 30u) << "stops between ticks, after the third report";
  for (int i = 0; i < 30; ++i) ordinary.Sim.Timer1Timer();
  EXPECT_TRUE(SamePixels(cancelled.Sim.FigureImage, ordinary.Sim.FigureImage));
  EXPECT_TRUE(SamePixels(cancelled.Sim.MechanismImage, ordinary.Sim.MechanismImage));
}

TEST(FigureRunner, SlicesReportProgressAndEndOnce) {
  Machine m(lcSingle, true, false);
  TFigureRunner runner(m.Sim, 25);
  EXPECT_EQ(runner.RunSlice(10), 10u);
  EXPECT_EQ(runner.RunSlice(10), 10u);
  EXPECT_EQ(runner.RunSlice(10), 5u) << "never beyond the total";
  EXPECT_TRUE(runner.Finished());
  m.MechanismDraws = 0;
  runner.Finish();
  runner.Finish();
  EXPECT_EQ(m.MechanismDraws, 1);
}

}  // namespace
