#include "machine/vector2.h"

#include <cmath>
#include <numbers>

namespace trochodraw {

TVector2 VecNormalize(TVector2 A) {
  double L = VecLength(A);
  if (L == 0.0) L = 1e-99;
  return {A.X / L, A.Y / L};
}

int32_t RoundHalfEven(double X) { return static_cast<int32_t>(std::nearbyint(X)); }

TPoint VecRound(TVector2 A) { return {RoundHalfEven(A.X), RoundHalfEven(A.Y)}; }

void VecRotate(TVector2& P, TVector2 C, double Degrees) {
  const double a = Degrees * std::numbers::pi / 180.0;
  const double c = std::cos(a);
  const double s = std::sin(a);
  const double dx = P.X - C.X;
  const double dy = P.Y - C.Y;
  P.X = C.X + dx * c + dy * s;
  P.Y = C.Y - dx * s + dy * c;
}

bool CircleIntersect(TVector2 C1, TVector2 C2, double R1, double R2, TVector2& P1, TVector2& P2) {
  const TVector2 d = VecSub(C2, C1);
  const double D = VecLength(d);
  if (R1 + R2 < D) return false;
  if (std::fabs(R1 - R2) > D) return false;
  const double a = (R1 * R1 - R2 * R2 + D * D) / (2.0 * D);
  const TVector2 B{d.X * a / D + C1.X, d.Y * a / D + C1.Y};
  // Tangent circles can leave a tiny negative radicand through rounding.
  const double h = std::sqrt(std::fmax(0.0, R1 * R1 - a * a));
  const TVector2 off{(h / D) * -d.Y, (h / D) * d.X};
  P1 = VecAdd(B, off);
  P2 = VecSub(B, off);
  return true;
}

TVector3 MakeVector3(double X, double Y, double Z) { return {X, Y, Z}; }
TVector3 Vec3Add(TVector3 A, TVector3 B) { return {A.X + B.X, A.Y + B.Y, A.Z + B.Z}; }
TVector3 Vec3Sub(TVector3 A, TVector3 B) { return {A.X - B.X, A.Y - B.Y, A.Z - B.Z}; }
TVector3 Vec3Scale(TVector3 A, double S) { return {A.X * S, A.Y * S, A.Z * S}; }
TVector3 Vec3Div(TVector3 A, double S) { return {A.X / S, A.Y / S, A.Z / S}; }

double FloatMod(double A, double B) {
  const double q = A / B;
  return B * (q - std::trunc(q));
}

double WrapValue(double X, double Lo, double Hi) {
  const double W = Hi - Lo;
  double V = Lo + FloatMod(X - Lo, W);
  if (V < Lo) V = V + W;
  // A tiny negative remainder plus W can round up to Hi itself.
  if (V >= Hi) V = Lo;
  return V;
}

double FloorMod(double X, double M) { return X - M * std::floor(X / M); }

}  // namespace trochodraw
