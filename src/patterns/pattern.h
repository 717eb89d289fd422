#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace trochodraw {

// One named, saved setting of the drawing machine. The two modes are single bytes holding
// whatever the file gave (modulo 256); values beyond the enumerations are carried through.
struct TPattern {
  std::string Name;
  uint8_t ArmMode = 0;  // TArmMode ordinal, the item index of MechanismRadio
  double Radius1 = 0.0;
  double Radius2 = 0.0;
  double RPM1 = 0.0;
  double RPM2 = 0.0;
  uint8_t PlanetMode = 0;  // TPlanetMode ordinal, the item index of ModeRadio
  double Scale = 0.0;
  double OffsetX = 0.0;
  double OffsetY = 0.0;
  double Angle1 = 0.0;
  double Angle2 = 0.0;
  double Angle1A = 0.0;
  double Angle2A = 0.0;

  friend bool operator==(const TPattern&, const TPattern&) = default;
};

using TPatternArray = std::vector<TPattern>;

// The pattern library of the running program, in the order of the grid, the combo and the file.
extern TPatternArray PatternList;

// The built-in library of 19 patterns, used when the pattern file holds none.
const TPatternArray& DefaultPatterns();

// "amPantograph", "amTBar"; empty for any other value.
std::string ArmModeName(int Value);
// "pmTwoWheel", "pmOuterPlanet", "pmInnerPlanet"; empty for any other value.
std::string PlanetModeName(int Value);

}  // namespace trochodraw
