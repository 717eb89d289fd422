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
  void Update();

  double Angle = 0.0;
  double Radius = 1.0;
  TVector2 Center;
  // Written directly by the owner; it does not re-clamp the current radius.
  double MaxRadius = 0.0;
  std::array<TVector2, 4> RimPoints{};

 private:
  // The values the rim points were last computed from; a setter that changes nothing need
  // not recompute them.
  void Refresh();
  double FDoneAngle = -1.0, FDoneRadius = -1.0;
  TVector2 FDoneCenter{-1e300, -1e300};
};

}  // namespace trochodraw
