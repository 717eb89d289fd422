#include "machine/wheel.h"

namespace trochodraw {

TCircle::TCircle() { SetAngle(0.0); }

void TCircle::SetAngle(double X) {
  Angle = WrapValue(X, 0.0, 360.0);
  Update();
}

void TCircle::SetCenter(TVector2 P) {
  Center = P;
  Update();
}

void TCircle::SetRadius(double X) {
  Radius = X > MaxRadius ? MaxRadius : X;
  Update();
}

void TCircle::Update() {
  const double T = 180.0 - Angle;
  const double R = Radius;
  const TVector2 offsets[4] = {{0.0, R}, {R, 0.0}, {0.0, -R}, {-R, 0.0}};
  for (int i = 0; i < 4; ++i) {
    TVector2 p = VecAdd(Center, offsets[i]);
    VecRotate(p, Center, T);
    RimPoints[i] = p;
  }
}

}  // namespace trochodraw
