#pragma once

#include <cmath>
#include <cstdint>

namespace trochodraw {

// A point or vector in image pixels, X to the right and Y downwards.
struct TVector2 {
  double X = 0.0;
  double Y = 0.0;
  friend bool operator==(const TVector2&, const TVector2&) = default;
};

// The toolkit's integer point, produced by VecRound for drawing at whole pixels.
struct TPoint {
  int32_t X = 0;
  int32_t Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSegment2 {
  TVector2 P1;
  TVector2 P2;
};

// An RGB triple in the colour code (X red, Y green, Z blue).
struct TVector3 {
  double X = 0.0;
  double Y = 0.0;
  double Z = 0.0;
  friend bool operator==(const TVector3&, const TVector3&) = default;
};

// The small operations are inline: the machine's solve calls them dozens of times a tick.
inline TVector2 MakeVector(double X, double Y) { return {X, Y}; }
inline TVector2 VecAdd(TVector2 A, TVector2 B) { return {A.X + B.X, A.Y + B.Y}; }
inline TVector2 VecSub(TVector2 A, TVector2 B) { return {A.X - B.X, A.Y - B.Y}; }
inline TVector2 VecScale(TVector2 A, double S) { return {A.X * S, A.Y * S}; }
inline TVector2 VecDiv(TVector2 A, double S) { return {A.X / S, A.Y / S}; }
inline double VecLength(TVector2 A) { return std::sqrt(A.X * A.X + A.Y * A.Y); }
TVector2 VecNormalize(TVector2 A);
TPoint VecRound(TVector2 A);
// Turns P about C; a positive angle turns +X towards -Y (counter-clockwise on the screen).
void VecRotate(TVector2& P, TVector2 C, double Degrees);
inline double VecDistance(TVector2 A, TVector2 B) { return VecLength(VecSub(B, A)); }
inline TSegment2 MakeSegment(TVector2 A, TVector2 B) { return {A, B}; }
inline double SegmentLength(const TSegment2& S) { return VecDistance(S.P1, S.P2); }
inline TVector2 PointBeyond(const TSegment2& S, double T) {
  // The small addend keeps a zero-length segment from dividing by zero.
  const double L = SegmentLength(S) + 1e-9;
  const TVector2 d = VecSub(S.P2, S.P1);
  return {S.P2.X + T * d.X / L, S.P2.Y + T * d.Y / L};
}
inline TVector2 ExtendLine(TVector2 A, TVector2 B, double T) { return PointBeyond(MakeSegment(A, B), T); }
// P1 is the lower point on the screen for C2 to the right of C1; the linkage relies on it.
bool CircleIntersect(TVector2 C1, TVector2 C2, double R1, double R2, TVector2& P1, TVector2& P2);

TVector3 MakeVector3(double X, double Y, double Z);
TVector3 Vec3Add(TVector3 A, TVector3 B);
TVector3 Vec3Sub(TVector3 A, TVector3 B);
TVector3 Vec3Scale(TVector3 A, double S);
TVector3 Vec3Div(TVector3 A, double S);

double FloatMod(double A, double B);
double WrapValue(double X, double Lo, double Hi);
double FloorMod(double X, double M);

// Round half to even, the rounding used for every whole-pixel result.
int32_t RoundHalfEven(double X);

}  // namespace trochodraw
