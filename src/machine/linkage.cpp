#include "machine/linkage.h"

#include <cmath>
#include <numbers>

namespace trochodraw {

double PlanetRatio(double MainMaxRadius, double PlanetRadius, TPlanetMode Mode) {
  if (!(PlanetRadius >= 1.0)) PlanetRadius = 1.0;
  const double ratio = (2.0 * MainMaxRadius * std::numbers::pi) / (2.0 * PlanetRadius * std::numbers::pi);
  return Mode == pmInnerPlanet ? -ratio : ratio;
}

bool SolvePantograph(TVector2 A, TVector2 B, TPantographLinkage& L, double RA, double RB,
                     double ExtA, double ExtB, double PenRodA, double PenRodB) {
  TVector2 j1, j2;
  if (!CircleIntersect(A, B, RA, RB, j1, j2)) return false;
  L.Anchor1 = A;
  L.Anchor2 = B;
  L.Joint = j1;
  L.End1 = ExtendLine(A, L.Joint, ExtA);
  L.End2 = ExtendLine(B, L.Joint, ExtB);
  TVector2 q1, q2;
  if (!CircleIntersect(L.End1, L.End2, PenRodA, PenRodB, q1, q2)) return false;
  L.Pen = VecLength(VecSub(q1, L.Joint)) > VecLength(VecSub(q2, L.Joint)) ? q1 : q2;
  return true;
}

void SolveTBar(TVector2 A, TVector2 B, TTBarLinkage& L, double BarLength, double ArmLength) {
  L.Anchor = A;
  L.Guide = B;
  const double D = VecLength(VecSub(B, A));
  L.BarEnd = ExtendLine(A, B, BarLength - D);
  L.Middle = VecDiv(VecAdd(L.BarEnd, A), 2.0);
  TVector2 u = VecNormalize(VecSub(L.BarEnd, A));
  VecRotate(u, TVector2{0.0, 0.0}, 90.0);
  L.Pen = VecAdd(L.Middle, VecScale(u, ArmLength));
}

void TMachine::Initialise(const TMachineInputs& In) {
  Wheel1.MaxRadius = kWheelMaxRadius;
  Wheel2.MaxRadius = kWheelMaxRadius;
  PlaceWheels(In.MechanismWidth);
  Planet1.MaxRadius = kWheelMaxRadius;
  Planet2.MaxRadius = kWheelMaxRadius;
  // The raw spin values; the first solve replaces them with the percentages.
  Wheel1.SetRadius(In.Radius1Percent);
  Wheel2.SetRadius(In.Radius2Percent);
  Wheel1.SetAngle(0.0);
  Wheel2.SetAngle(0.0);
}

void TMachine::PlaceWheels(int MechanismWidth) {
  const TVector2 M{static_cast<double>(MechanismWidth / 2), kWheelAxisY};
  const double k = Wheel1.MaxRadius + 3.0;
  Wheel1.SetCenter(VecSub(M, TVector2{k, 0.0}));
  Wheel2.SetCenter(VecAdd(M, TVector2{k, 0.0}));
  RodLength = static_cast<int32_t>(std::trunc(2.0 * Wheel1.MaxRadius)) + 6;
}

bool TMachine::SolveMachine(const TMachineInputs& In, double Delta1, double Delta2) {
  PlaceWheels(In.MechanismWidth);
  Wheel1.SetRadius(In.Radius1Percent / 100.0 * Wheel1.MaxRadius);
  Wheel2.SetRadius(In.Radius2Percent / 100.0 * Wheel2.MaxRadius);
  Planet1.SetRadius(Wheel1.MaxRadius - Wheel1.Radius);
  Planet2.SetRadius(Wheel2.MaxRadius - Wheel2.Radius);
  Wheel1.SetAngle(Wheel1.Angle + Delta1);
  Wheel2.SetAngle(Wheel2.Angle + Delta2);
  // The planets ride on the wheels' attachment points and turn by their ratio; centre and
  // angle are set together, so their rim points are worked out once.
  Planet1.SetCenterAndAngle(Wheel1.RimPoints[0],
                            Planet1.Angle - PlanetRatio(Wheel1.MaxRadius, Planet1.Radius, In.Mode) * Delta1);
  Planet2.SetCenterAndAngle(Wheel2.RimPoints[0],
                            Planet2.Angle - PlanetRatio(Wheel2.MaxRadius, Planet2.Radius, In.Mode) * Delta2);
  Attach1 = Wheel1.RimPoints[0];
  Attach2 = Wheel2.RimPoints[0];
  if (In.Mode != pmTwoWheel) {
    Attach1 = Planet1.RimPoints[0];
    Attach2 = Planet2.RimPoints[0];
  }
  if (In.Mechanism == amPantograph) {
    const double rod = RodLength;
    if (!SolvePantograph(Attach1, Attach2, PantographLinkage, rod, rod, kPantographExtension,
                         kPantographExtension, kPantographPenRod, kPantographPenRod))
      return false;
    PenPoint = PantographLinkage.Pen;
  } else {
    // The bar is pinned on the right wheel's point and slides through the left one's.
    SolveTBar(Attach2, Attach1, TBarLinkage, kTBarLength, kTBarArm);
    PenPoint = TBarLinkage.Pen;
  }
  return true;
}

}  // namespace trochodraw
