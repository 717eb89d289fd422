#include <gtest/gtest.h>

#include "render/mechanism_view.h"

using namespace trochodraw;

namespace {

// 350 pixels wide, both radii 75 percent, angles 0.
class MechanismViewTest : public ::testing::Test {
 protected:
  TBitmap Draw(TPlanetMode mode, TArmMode arm) {
    TMachine m;
    TMachineInputs in{75, 75, mode, arm, 350};
    m.Initialise(in);
    m.SolveMachine(in, 0, 0);
    TBitmap pane(350, 400);
    DrawMechanism(pane, m, mode, arm);
    return pane;
  }
};

TEST_F(MechanismViewTest, TwoWheelPantograph) {
  const TBitmap p = Draw(pmTwoWheel, amPantograph);
  EXPECT_EQ(p.GetPixel(5, 5), clWhite);
  EXPECT_EQ(p.GetPixel(112 - 52, 100), clGray) << "inside the maximum circle, outside the rim";
  EXPECT_EQ(p.GetPixel(112 - 60, 100), clBlack) << "4-pixel black outline of the maximum circle";
  EXPECT_EQ(p.GetPixel(90, 100), clBlack) << "spoke to the left";
  EXPECT_EQ(p.GetPixel(112, 145 - 20), clBlack) << "spoke straight down";
  EXPECT_EQ(p.GetPixel(157, 100), clRed) << "red rim of Wheel1 over the spoke end";
  EXPECT_EQ(p.GetPixel(193, 100), clBlue) << "blue rim of Wheel2";
  EXPECT_EQ(p.GetPixel(112, 55), clGreen) << "green mark on the attachment point";
  EXPECT_EQ(p.GetPixel(238, 55), clGreen);
  EXPECT_EQ(p.GetPixel(190, 190), clTeal) << "on the rod from End2 ... via the joint";
  EXPECT_EQ(p.GetPixel(175, 300), clWhite) << "the pen itself is not marked";
}

TEST_F(MechanismViewTest, OuterPlanetsAreSilverWithLimeMarks) {
  const TBitmap p = Draw(pmOuterPlanet, amPantograph);
  EXPECT_EQ(p.GetPixel(104, 57), clSilver);
  // The marks sit under the rods, which start at their centres; look beside the rods.
  EXPECT_EQ(p.GetPixel(110, 39), clLime);
  EXPECT_EQ(p.GetPixel(239, 39), clLime);
  EXPECT_EQ(p.GetPixel(112, 55), clGreen) << "green marks now sit on the planet centres";
  const TBitmap two = Draw(pmTwoWheel, amPantograph);
  EXPECT_NE(two.GetPixel(104, 57), clSilver) << "no planet drawn in two-wheel mode";
}

TEST_F(MechanismViewTest, TBarDrawsBarAndPenArm) {
  const TBitmap p = Draw(pmTwoWheel, amTBar);
  EXPECT_EQ(p.GetPixel(60, 55), clTeal) << "bar beyond the guide";
  EXPECT_EQ(p.GetPixel(138, 200), clTeal) << "pen arm below the middle";
  EXPECT_EQ(p.GetPixel(190, 190), clWhite) << "no pantograph rods";
}

}  // namespace
