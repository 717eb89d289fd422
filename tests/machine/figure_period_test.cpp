#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "machine/figure_period.h"

using namespace trochodraw;

namespace {

struct PeriodCase {
  const char* Name;
  double R1, R2, RPM1, RPM2;
  TPlanetMode Mode;
  bool Accelerate;
  uint64_t Ticks;
  const char *Wheel1Turns, *Wheel2Turns, *Planet1Turns, *Planet2Turns;  // "" where planets do not matter
};

void PrintTo(const PeriodCase& C, std::ostream* os) { *os << C.Name; }

TTickSettings SettingsOf(double R1, double R2, double RPM1, double RPM2, TPlanetMode Mode, bool Accelerate) {
  TTickSettings s;
  s.Machine.Radius1Percent = R1;
  s.Machine.Radius2Percent = R2;
  s.Machine.Mode = Mode;
  s.RPM1 = RPM1;
  s.RPM2 = RPM2;
  s.Accelerate = Accelerate;
  return s;
}

TTickSettings SettingsOf(const PeriodCase& C) {
  return SettingsOf(C.R1, C.R2, C.RPM1, C.RPM2, C.Mode, C.Accelerate);
}

class FigurePeriodTest : public ::testing::TestWithParam<PeriodCase> {};

// Worked out by hand from the degrees each angle turns a tick (RPM * 0.06, ten times that
// accelerated; a planet turns -ratio times its wheel, ratio 100 / (100 - radius percent)).
TEST_P(FigurePeriodTest, ExactPeriodAndTurns) {
  const PeriodCase& c = GetParam();
  const TFigurePeriod p = FigurePeriod(SettingsOf(c));
  ASSERT_TRUE(p.Moves);
  ASSERT_TRUE(p.Exact);
  EXPECT_EQ(p.Ticks, c.Ticks);
  EXPECT_EQ(IntegerText(p.WheelTurns[0]), c.Wheel1Turns);
  EXPECT_EQ(IntegerText(p.WheelTurns[1]), c.Wheel2Turns);
  EXPECT_EQ(p.PlanetsMatter, c.Mode != pmTwoWheel);
  if (p.PlanetsMatter) {
    EXPECT_EQ(IntegerText(p.PlanetTurns[0]), c.Planet1Turns);
    EXPECT_EQ(IntegerText(p.PlanetTurns[1]), c.Planet2Turns);
  }
}

INSTANTIATE_TEST_SUITE_P(
    HandWorked, FigurePeriodTest,
    ::testing::Values(
        // 2.4 degrees a tick: 150 ticks a turn; planets 120/23 degrees a tick: 69 ticks.
        PeriodCase{"OwlEyes", 54, 54, -40, -40, pmInnerPlanet, false, 3450, "-23", "-23", "-50", "-50"},
        PeriodCase{"OwlEyesAccelerated", 54, 54, -40, -40, pmInnerPlanet, true, 345, "-23", "-23", "-50", "-50"},
        // 77.63 is read as the decimal it shows, not the double nearest to it.
        PeriodCase{"SmileTwoWheel", 68, 80, 77.63, 80, pmTwoWheel, false, 600000, "7763", "8000", "", ""},
        PeriodCase{"Mobius", 75.06, 75.06, 77.6, 77.6, pmOuterPlanet, false, 9352500, "120959", "120959",
                   "-485000", "-485000"},
        PeriodCase{"NegativeSpeed", 37, 37, -50, 50, pmOuterPlanet, false, 7560, "-63", "63", "100", "-100"},
        PeriodCase{"StoppedWheelNeverNeedsToComeBack", 1, 1, 0, 75.5, pmTwoWheel, false, 12000, "0", "151", "",
                   ""},
        // Radius 99: planet radius 0.6 is raised to 1, ratio 60; radius 98: ratio 50.
        PeriodCase{"TinyPlanetsOuter", 99, 98, 0.7, 1.3, pmOuterPlanet, false, 60000, "7", "13", "-420", "-650"},
        PeriodCase{"FullRadiusInner", 100, 100, 75.5, -75.5, pmInnerPlanet, false, 12000, "151", "-151", "9060",
                   "-9060"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(FigurePeriod, NothingMovesWithBothSpeedsZero) {
  const TFigurePeriod p = FigurePeriod(SettingsOf(50, 50, 0, 0, pmOuterPlanet, false));
  EXPECT_FALSE(p.Moves);
  EXPECT_FALSE(NearClosure(SettingsOf(50, 50, 0, 0, pmOuterPlanet, false), 0.5, 1000000).Found);
}

TEST(FigurePeriod, BeyondTheLimitIsNotGivenExactly) {
  // 1.33e16 ticks is still exact; two more decimals on each speed give 1.33e19.
  const TFigurePeriod near = FigurePeriod(SettingsOf(33.37, 66.71, 77.12347, 80.98761, pmInnerPlanet, false));
  ASSERT_TRUE(near.Exact);
  EXPECT_EQ(near.Ticks, 13308676200000000u);
  for (double rpm1 : {77.12345671, 77.123456789, 1e-9}) {
    const TFigurePeriod far = FigurePeriod(SettingsOf(33.37, 66.71, rpm1, 80.98765431, pmInnerPlanet, false));
    EXPECT_TRUE(far.Moves);
    EXPECT_FALSE(far.Exact) << rpm1;
  }
}

// A brute-force search over every tick, for comparison with the skipping search.
uint64_t NearByEveryTick(const TTickSettings& S, double Tol, uint64_t Limit) {
  const double F = S.Accelerate ? 10 : 1;
  auto ratio = [&](double pct) {
    const double planet = std::max(1.0, std::min(60.0, 60.0 - std::min(60.0, pct * 0.6)));
    return (S.Machine.Mode == pmInnerPlanet ? -60.0 : 60.0) / planet;
  };
  const long double rates[4] = {S.RPM1 * F * 0.06L, S.RPM2 * F * 0.06L, -ratio(S.Machine.Radius1Percent) * S.RPM1 * F * 0.06L,
                                -ratio(S.Machine.Radius2Percent) * S.RPM2 * F * 0.06L};
  const int count = S.Machine.Mode == pmTwoWheel ? 2 : 4;
  for (uint64_t t = 1; t <= Limit; ++t) {
    bool all = true;
    for (int i = 0; i < count && all; ++i) {
      if (rates[i] == 0) continue;
      const long double travelled = t * rates[i];
      const long double off = std::fmod(std::fabs(travelled), 360.0L);
      all = std::fabs(travelled) >= 360.0L - Tol && std::min(off, 360.0L - off) <= Tol + 1e-9L;
    }
    if (all) return t;
  }
  return 0;
}

TEST(NearClosure, MatchesATickByTickSearch) {
  const TTickSettings cases[] = {
      SettingsOf(68, 80, 77.63, 80, pmTwoWheel, false),     // Smile
      SettingsOf(54, 54, -40, -40, pmInnerPlanet, false),   // Owl Eyes
      SettingsOf(37, 37, -50, 50, pmOuterPlanet, false),    // Sandal
      SettingsOf(15, 40, 62.5, 64, pmTwoWheel, true),       // Lozenge, accelerated
      SettingsOf(50, 50, 0.3, -0.7, pmTwoWheel, false),     // slow wheels still have to go round
  };
  for (const TTickSettings& s : cases) {
    const TFigurePeriod p = FigurePeriod(s);
    const TNearClosure n = NearClosure(s, 0.5, 100000000);
    ASSERT_TRUE(n.Found);
    EXPECT_LE(n.Ticks, p.Ticks);
    EXPECT_EQ(n.Ticks, NearByEveryTick(s, 0.5, p.Ticks)) << s.RPM1 << " " << s.RPM2;
  }
}

TEST(NearClosure, ZeroToleranceIsTheExactPeriodAndTheLimitHolds) {
  const TTickSettings mobius = SettingsOf(75.06, 75.06, 77.6, 77.6, pmOuterPlanet, false);
  EXPECT_EQ(NearClosure(mobius, 0.0, UINT64_MAX).Ticks, 9352500u);
  const TTickSettings smile = SettingsOf(68, 80, 77.63, 80, pmTwoWheel, false);
  const TNearClosure n = NearClosure(smile, 0.5, UINT64_MAX);
  ASSERT_TRUE(n.Found);
  EXPECT_FALSE(NearClosure(smile, 0.5, n.Ticks - 1).Found);
  EXPECT_TRUE(NearClosure(smile, 0.5, n.Ticks).Found);
}

TEST(PeriodText, GroupsAndSeconds) {
  EXPECT_EQ(GroupedIntegerText(3450), "3,450");
  EXPECT_EQ(GroupedIntegerText(999), "999");
  EXPECT_EQ(GroupedIntegerText(9352500), "9,352,500");
  EXPECT_EQ(TickSecondsText(3450, 10), "34.5");
  EXPECT_EQ(TickSecondsText(345, 10), "3.5");
  EXPECT_EQ(TickSecondsText(344, 10), "3.4");
  EXPECT_EQ(IntegerText(-TInt128(1) << 100), "-1267650600228229401496703205376");
}

}  // namespace
