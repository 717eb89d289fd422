#include "explore/variations.h"

#include <gtest/gtest.h>

#include <set>

using namespace trochodraw;

namespace {

// Owl Eyes with an odd mechanism value, as a file may hold.
TPattern Base() {
  TPattern p = DefaultPatterns()[11];
  return p;
}

// The fields a setting may change; every other field must stay.
void ExpectOnlyChanged(const TPattern& Before, const TPattern& After, TVarySetting S) {
  TPattern expected = Before;
  switch (S) {
    case TVarySetting::vsRadius1:
      expected.Radius1 = After.Radius1;
      break;
    case TVarySetting::vsRadius2:
      expected.Radius2 = After.Radius2;
      break;
    case TVarySetting::vsRPM1:
      expected.RPM1 = After.RPM1;
      break;
    case TVarySetting::vsRPM2:
      expected.RPM2 = After.RPM2;
      break;
    case TVarySetting::vsScale:
      expected.Scale = After.Scale;
      break;
    case TVarySetting::vsPlanetAngles:
      expected.Angle1A = After.Angle1A;
      expected.Angle2A = After.Angle2A;
      break;
    case TVarySetting::vsModeMechanism:
      expected.ArmMode = After.ArmMode;
      expected.PlanetMode = After.PlanetMode;
      break;
  }
  EXPECT_EQ(After, expected) << VarySettingInfo(S).Name;
}

TEST(VariationsTest, EachSettingChangesOnlyItselfByItsSteps) {
  struct Case {
    TVarySetting Setting;
    double Step;
    int Steps;
    double (*Read)(const TPattern&);
    double Expected;
  };
  const Case cases[] = {
      {TVarySetting::vsRadius1, 2, 3, [](const TPattern& p) { return p.Radius1; }, 60},
      {TVarySetting::vsRadius2, 0.1, -4, [](const TPattern& p) { return p.Radius2; }, 53.6},
      {TVarySetting::vsRPM1, 0.5, -2, [](const TPattern& p) { return p.RPM1; }, -41},
      {TVarySetting::vsRPM2, 0.3, 4, [](const TPattern& p) { return p.RPM2; }, -38.8},
      {TVarySetting::vsScale, 0.1, 3, [](const TPattern& p) { return p.Scale; }, 1.8},
      // Planet angles 255.6 and 240 turn together and go round at 360.
      {TVarySetting::vsPlanetAngles, 40, 3, [](const TPattern& p) { return p.Angle1A; }, 15.6},
      {TVarySetting::vsPlanetAngles, 40, 3, [](const TPattern& p) { return p.Angle2A; }, 0},
  };
  for (const Case& c : cases) {
    const auto v = Vary(Base(), c.Setting, c.Step, c.Steps);
    ASSERT_TRUE(v) << VarySettingInfo(c.Setting).Name;
    EXPECT_EQ(c.Read(*v), c.Expected) << VarySettingInfo(c.Setting).Name << ": the short decimal, exactly";
    ExpectOnlyChanged(Base(), *v, c.Setting);
    EXPECT_EQ(Vary(Base(), c.Setting, c.Step, 0), Base());
  }
}

TEST(VariationsTest, StepsBeyondTheRangeGiveNothing) {
  TPattern p = Base();
  p.Radius1 = 99;
  p.RPM1 = -99.5;
  p.Scale = 0.2;
  EXPECT_TRUE(Vary(p, TVarySetting::vsRadius1, 1, 1));
  EXPECT_FALSE(Vary(p, TVarySetting::vsRadius1, 1, 2));
  EXPECT_TRUE(Vary(p, TVarySetting::vsRPM1, 0.5, -1));
  EXPECT_FALSE(Vary(p, TVarySetting::vsRPM1, 0.5, -2));
  EXPECT_TRUE(Vary(p, TVarySetting::vsScale, 0.1, -1));
  EXPECT_FALSE(Vary(p, TVarySetting::vsScale, 0.1, -2));
}

TEST(VariationsTest, MechanismAndModeVisitEachPairOnce) {
  TPattern p = Base();
  p.ArmMode = 7;  // shown as T-Bar, the radio group's last item
  std::set<std::pair<int, int>> pairs;
  int shown = 0;
  for (int step = -4; step <= 4; ++step) {
    const auto v = Vary(p, TVarySetting::vsModeMechanism, 1, step);
    if (!v) continue;
    ++shown;
    if (step != 0) {
      EXPECT_LE(v->ArmMode, 1);
      ExpectOnlyChanged(p, *v, TVarySetting::vsModeMechanism);
    }
    pairs.insert({std::min<int>(v->ArmMode, 1), v->PlanetMode});
  }
  EXPECT_EQ(shown, 6);
  EXPECT_EQ(pairs.size(), 6u);
  EXPECT_EQ(VariedValueText(p, TVarySetting::vsModeMechanism), "T-Bar, Inner Planetary");
}

TEST(VariationsTest, GridsHaveTheBaseInTheMiddle) {
  const auto one = VariationGrid(Base(), TVarySetting::vsRPM2, 1);
  ASSERT_EQ(one.size(), 9u);
  for (size_t i = 0; i < one.size(); ++i) {
    EXPECT_EQ(one[i].StepA, static_cast<int>(i) - 4);
    ASSERT_TRUE(one[i].Pattern);
    EXPECT_EQ(one[i].Pattern->RPM2, -40 + static_cast<double>(i) - 4);
  }
  EXPECT_EQ(*one[4].Pattern, Base());

  // Two settings: rows step the first, columns the second.
  const auto two = VariationGrid(Base(), TVarySetting::vsRadius1, 5, TVarySetting::vsScale, 0.5);
  ASSERT_EQ(two.size(), 9u);
  EXPECT_EQ(*two[4].Pattern, Base());
  for (const TVariation& v : two) {
    ASSERT_TRUE(v.Pattern);
    EXPECT_EQ(v.Pattern->Radius1, 54 + 5 * v.StepA);
    EXPECT_EQ(v.Pattern->Scale, 1.5 + 0.5 * v.StepB);
    TPattern rest = *v.Pattern;
    rest.Radius1 = Base().Radius1;
    rest.Scale = Base().Scale;
    EXPECT_EQ(rest, Base());
  }
  EXPECT_EQ(two[0].StepA, -1);
  EXPECT_EQ(two[0].StepB, -1);
  EXPECT_EQ(two[5].StepA, 0);
  EXPECT_EQ(two[5].StepB, 1);
}

}  // namespace
