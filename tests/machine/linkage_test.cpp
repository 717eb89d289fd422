#include <gtest/gtest.h>

#include <cmath>

#include "machine/linkage.h"

using namespace trochodraw;

namespace {

void ExpectNear(TVector2 a, TVector2 b, double eps = 1e-3) {
  EXPECT_NEAR(a.X, b.X, eps);
  EXPECT_NEAR(a.Y, b.Y, eps);
}

// The machine at 350 pixels wide, both radii 75 percent, all angles 0.
class LinkageTest : public ::testing::Test {
 protected:
  TMachine Solved(TPlanetMode mode, TArmMode arm, double turn = 0.0) {
    TMachine m;
    TMachineInputs in{75, 75, mode, arm, 350};
    m.Initialise(in);
    EXPECT_TRUE(m.SolveMachine(in, turn, turn));
    return m;
  }
};

TEST_F(LinkageTest, WheelsAndPlanetsTakeTheirPlaces) {
  const TMachine m = Solved(pmTwoWheel, amPantograph);
  ExpectNear(m.Wheel1.Center, {112, 100});
  ExpectNear(m.Wheel2.Center, {238, 100});
  EXPECT_EQ(m.RodLength, 126);
  EXPECT_DOUBLE_EQ(m.Planet1.Radius, 15);
  ExpectNear(m.Planet1.Center, {112, 55});
  ExpectNear(m.Planet2.Center, {238, 55});
}

TEST_F(LinkageTest, PantographClosesBelowTheWheels) {
  const TMachine m = Solved(pmTwoWheel, amPantograph);
  const auto& L = m.PantographLinkage;
  ExpectNear(m.Attach1, {112, 55});
  ExpectNear(m.Attach2, {238, 55});
  ExpectNear(L.Joint, {175, 55 + 63 * std::sqrt(3.0)});
  ExpectNear(L.End1, {205, 216.081});
  ExpectNear(L.End2, {145, 216.081});
  ExpectNear(L.Pen, {175, 268.042});
  ExpectNear(m.PenPoint, L.Pen, 0);

  const TMachine outer = Solved(pmOuterPlanet, amPantograph);
  ExpectNear(outer.Attach1, {112, 40});
  ExpectNear(outer.Attach2, {238, 40});
  ExpectNear(outer.PenPoint, {175, 253.042});
}

TEST_F(LinkageTest, TBarHangsItsPenBelowTheBar) {
  const TMachine m = Solved(pmTwoWheel, amTBar);
  const auto& L = m.TBarLinkage;
  ExpectNear(L.Anchor, {238, 55});
  ExpectNear(L.Guide, {112, 55});
  ExpectNear(L.BarEnd, {38, 55});
  ExpectNear(L.Middle, {138, 55});
  ExpectNear(L.Pen, {138, 255});
}

TEST_F(LinkageTest, PlanetsTurnByTheirRatio) {
  struct {
    TPlanetMode mode;
    double angle;
  } cases[] = {{pmOuterPlanet, 341.88}, {pmInnerPlanet, 18.12}, {pmTwoWheel, 341.88}};
  for (auto c : cases) {
    const TMachine m = Solved(c.mode, amPantograph, 4.53);
    EXPECT_NEAR(m.Planet1.Angle, c.angle, 1e-9) << c.mode;
    EXPECT_NEAR(m.Planet2.Angle, c.angle, 1e-9) << c.mode;
  }
}

TEST_F(LinkageTest, FullRadiusGivesRatioSixty) {
  TMachine m;
  TMachineInputs in{100, 150, pmOuterPlanet, amPantograph, 350};
  m.Initialise(in);
  ASSERT_TRUE(m.SolveMachine(in, 1, 1));
  EXPECT_DOUBLE_EQ(m.Wheel1.Radius, 60);
  EXPECT_DOUBLE_EQ(m.Wheel2.Radius, 60) << "a spin value above 100 is clamped by the wheel";
  EXPECT_DOUBLE_EQ(m.Planet1.Radius, 0);
  EXPECT_DOUBLE_EQ(PlanetRatio(60, 0, pmOuterPlanet), 60);
  EXPECT_DOUBLE_EQ(PlanetRatio(60, 0, pmInnerPlanet), -60);
  EXPECT_NEAR(m.Planet1.Angle, 300, 1e-9);
}

}  // namespace
