#pragma once

#include <cstdint>

#include "machine/vector2.h"
#include "machine/wheel.h"

namespace trochodraw {

enum TArmMode : int { amPantograph = 0, amTBar = 1 };
enum TPlanetMode : int { pmTwoWheel = 0, pmOuterPlanet = 1, pmInnerPlanet = 2 };

struct TPantographLinkage {
  TVector2 Anchor1, Anchor2, Joint, End1, End2, Pen;
};

struct TTBarLinkage {
  TVector2 Anchor, Guide, Middle, BarEnd, Pen;
};

// What a solve reads from the main window's controls.
struct TMachineInputs {
  double Radius1Percent = 74.95;  // Circle1Spin
  double Radius2Percent = 74.95;  // Circle2Spin
  TPlanetMode Mode = pmTwoWheel;
  TArmMode Mechanism = amPantograph;
  int MechanismWidth = 350;  // Image1.Width
};

inline constexpr double kWheelMaxRadius = 60.0;
inline constexpr double kWheelAxisY = 100.0;
inline constexpr double kPantographExtension = 60.0;
inline constexpr double kPantographPenRod = 60.0;
inline constexpr double kTBarLength = 200.0;
inline constexpr double kTBarArm = 200.0;

double PlanetRatio(double MainMaxRadius, double PlanetRadius, TPlanetMode Mode);
bool SolvePantograph(TVector2 A, TVector2 B, TPantographLinkage& L, double RA, double RB,
                     double ExtA, double ExtB, double PenRodA, double PenRodB);
void SolveTBar(TVector2 A, TVector2 B, TTBarLinkage& L, double BarLength, double ArmLength);

// The drawing machine: four wheels and the two linkages.
class TMachine {
 public:
  // The creation steps of the main window: maximum radii, places, raw radii, angles 0.
  void Initialise(const TMachineInputs& In);
  void PlaceWheels(int MechanismWidth);
  // Turns the main wheels by Delta1/Delta2 degrees and closes the linkage; false if it cannot.
  bool SolveMachine(const TMachineInputs& In, double Delta1, double Delta2);

  TCircle Wheel1, Wheel2, Planet1, Planet2;
  TVector2 Attach1, Attach2;
  int32_t RodLength = 0;
  TPantographLinkage PantographLinkage{};
  TTBarLinkage TBarLinkage{};
  TVector2 PenPoint;
};

}  // namespace trochodraw
