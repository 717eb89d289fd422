#include <gtest/gtest.h>

#include <cmath>

#include "machine/vector2.h"
#include "machine/wheel.h"

using namespace trochodraw;

namespace {

void ExpectNear(TVector2 a, TVector2 b, double eps = 1e-9) {
  EXPECT_NEAR(a.X, b.X, eps);
  EXPECT_NEAR(a.Y, b.Y, eps);
}

struct IntersectCase {
  TVector2 c1, c2;
  double r1, r2;
  bool meets;
  TVector2 p1, p2;
};

class CircleIntersectTest : public ::testing::TestWithParam<IntersectCase> {};

TEST_P(CircleIntersectTest, GivesPointsInFixedOrder) {
  const auto& c = GetParam();
  const TVector2 sentinel{-7, -7};
  TVector2 p1 = sentinel, p2 = sentinel;
  ASSERT_EQ(CircleIntersect(c.c1, c.c2, c.r1, c.r2, p1, p2), c.meets);
  if (c.meets) {
    ExpectNear(p1, c.p1);
    ExpectNear(p2, c.p2);
  } else {
    EXPECT_EQ(p1, sentinel);  // untouched on failure
    EXPECT_EQ(p2, sentinel);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CircleIntersectTest,
    ::testing::Values(IntersectCase{{0, 0}, {10, 0}, 5, 5, true, {5, 0}, {5, 0}},
                      IntersectCase{{0, 0}, {10, 0}, 6, 6, true, {5, std::sqrt(11.0)}, {5, -std::sqrt(11.0)}},
                      IntersectCase{{0, 0}, {10, 0}, 4, 5, false, {}, {}},
                      IntersectCase{{0, 0}, {1, 0}, 10, 2, false, {}, {}},
                      // Mirrored: for C2 left of C1 the first point is the upper one.
                      IntersectCase{{10, 0}, {0, 0}, 6, 6, true, {5, -std::sqrt(11.0)}, {5, std::sqrt(11.0)}}));

TEST(VectorTest, NormaliseRotateExtendRound) {
  ExpectNear(VecNormalize({0, 0}), {0, 0});
  ExpectNear(VecNormalize({3, 4}), {0.6, 0.8});
  TVector2 p{10, 0};
  VecRotate(p, {0, 0}, 90);
  ExpectNear(p, {0, -10});
  p = {10, 0};
  VecRotate(p, {0, 0}, -90);
  ExpectNear(p, {0, 10});
  ExpectNear(ExtendLine({0, 0}, {3, 4}, 5), {6, 8}, 1e-8);
  ExpectNear(ExtendLine({1, 1}, {1, 1}, 5), {1, 1});
  EXPECT_EQ(VecRound({2.5, -0.5}), (TPoint{2, 0}));
  EXPECT_EQ(VecRound({3.5, -2.5}), (TPoint{4, -2}));
}

TEST(RemainderTest, WrapFloorAndFloatMod) {
  struct {
    double x, expect;
  } wraps[] = {{360, 0}, {-30, 330}, {725, 5}, {359.9 + 0.2, 0.1}, {-1e-300, 0}, {-360, 0}};
  for (auto w : wraps) {
    const double v = WrapValue(w.x, 0, 360);
    EXPECT_NEAR(v, w.expect, 1e-9) << w.x;
    EXPECT_GE(v, 0.0);
    EXPECT_LT(v, 360.0);
  }
  EXPECT_DOUBLE_EQ(FloorMod(-190, 360), 170);
  EXPECT_DOUBLE_EQ(FloatMod(-25, 100), -25);
  EXPECT_DOUBLE_EQ(FloatMod(250, 100), 50);
}

TEST(WheelTest, NewWheelAndSetters) {
  TCircle w;
  EXPECT_EQ(w.Angle, 0);
  EXPECT_EQ(w.Radius, 1);
  ExpectNear(w.RimPoints[0], {0, -1});
  ExpectNear(w.RimPoints[1], {-1, 0});
  ExpectNear(w.RimPoints[2], {0, 1});
  ExpectNear(w.RimPoints[3], {1, 0});

  w.SetRadius(45);
  EXPECT_EQ(w.Radius, 0) << "MaxRadius still 0 clamps every positive radius";
  w.MaxRadius = 60;
  w.SetRadius(80);
  EXPECT_EQ(w.Radius, 60);
  w.SetRadius(0);
  for (auto p : w.RimPoints) ExpectNear(p, w.Center);

  struct {
    double in, out;
  } angles[] = {{-90, 270}, {360, 0}, {450, 90}};
  for (auto a : angles) {
    w.SetAngle(a.in);
    EXPECT_DOUBLE_EQ(w.Angle, a.out);
  }
}

TEST(WheelTest, RimPointsTurnClockwise) {
  TCircle w;
  w.MaxRadius = 60;
  w.SetCenter({112, 100});
  w.SetRadius(45);
  w.SetAngle(0);
  ExpectNear(w.RimPoints[0], {112, 55});
  ExpectNear(w.RimPoints[1], {67, 100});
  ExpectNear(w.RimPoints[2], {112, 145});
  ExpectNear(w.RimPoints[3], {157, 100});
  w.SetAngle(90);
  ExpectNear(w.RimPoints[0], {157, 100});
}

}  // namespace
