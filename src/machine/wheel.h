#pragma once

#include <array>

#include "machine/vector2.h"

namespace trochodraw {

// One wheel: its four rim points follow every change of angle, radius or centre.
class TCircle {
 public:
  TCircle();

  void SetAngle(double X);
  void SetCenter(TVector2 P);
  void SetRadius(double X);
  // SetCenter(P) then SetAngle(X), with one refresh of the rim points.
  void SetCenterAndAngle(TVector2 P, double X);
  void Update();

  double Angle = 0.0;
  double Radius = 1.0;
  TVector2 Center;
  // Written directly by the owner; it does not re-clamp the current radius.
  double MaxRadius = 0.0;
  std::array<TVector2, 4> RimPoints{};

 private:
  // The values the rim points were last computed from, and the state before that: a setter
  // that changes nothing need not recompute them, and neither need one that goes back to
  // the state before (a tick's probe turns the wheels and puts them back).
  struct TRimState {
    double Angle = -1.0, Radius = -1.0;
    TVector2 Center{-1e300, -1e300};
    std::array<TVector2, 4> RimPoints{};
    bool Matches(const TCircle& C) const { return C.Angle == Angle && C.Radius == Radius && C.Center == Center; }
  };
  void Refresh();
  TRimState FDone, FBefore;
};

}  // namespace trochodraw
