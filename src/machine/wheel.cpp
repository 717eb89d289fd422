#include "machine/wheel.h"

#include <cmath>
#include <numbers>
#include <utility>

namespace trochodraw {

TCircle::TCircle() { SetAngle(0.0); }

void TCircle::SetAngle(double X) {
  Angle = WrapValue(X, 0.0, 360.0);
  Refresh();
}

void TCircle::SetCenter(TVector2 P) {
  Center = P;
  Refresh();
}

void TCircle::SetRadius(double X) {
  Radius = X > MaxRadius ? MaxRadius : X;
  Refresh();
}

void TCircle::SetCenterAndAngle(TVector2 P, double X) {
  Center = P;
  Angle = WrapValue(X, 0.0, 360.0);
  Refresh();
}

void TCircle::Refresh() {
  if (FDone.Matches(*this)) return;
  if (FBefore.Matches(*this)) {
    std::swap(FDone, FBefore);
    RimPoints = FDone.RimPoints;
    return;
  }
  Update();
}

void TCircle::Update() {
  // Each rim point is Center + offset turned about Center by 180 - Angle degrees; the four
  // turns share one angle, so its sine and cosine are taken once (the results are the same
  // as turning each point on its own).
  const double a = (180.0 - Angle) * std::numbers::pi / 180.0;
  const double c = std::cos(a), s = std::sin(a);
  const double R = Radius;
  const TVector2 offsets[4] = {{0.0, R}, {R, 0.0}, {0.0, -R}, {-R, 0.0}};
  for (int i = 0; i < 4; ++i) {
    const TVector2 p = VecAdd(Center, offsets[i]);
    const double dx = p.X - Center.X, dy = p.Y - Center.Y;
    RimPoints[i] = {Center.X + dx * c + dy * s, Center.Y - dx * s + dy * c};
  }
  FBefore = FDone;
  FDone = {Angle, Radius, Center, RimPoints};
}

}  // namespace trochodraw
