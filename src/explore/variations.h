#pragma once

#include <optional>
#include <string>
#include <vector>

#include "patterns/pattern.h"

namespace trochodraw {

// The settings a variation changes, one at a time.
enum class TVarySetting {
  vsRadius1,
  vsRadius2,
  vsRPM1,
  vsRPM2,
  vsScale,
  vsPlanetAngles,  // both planets' start angles, turned together
  vsModeMechanism  // the six pairs of mechanism and mode, in the order of the radio items
};

struct TVarySettingInfo {
  TVarySetting Setting;
  const char* Name;  // as the Explorer's list and the command line show it
  const char* Key;   // the command line's word
  double DefaultStep;
  bool Discrete;  // steps through fixed values; the step size is not used
};

// Every setting, in the order of the enumeration.
const std::vector<TVarySettingInfo>& VarySettings();
const TVarySettingInfo& VarySettingInfo(TVarySetting S);

// Base with setting S moved Steps steps of Step. Empty when that leaves the setting's range
// (radius 1 to 100, speed -100 to 100, scale 0.1 to 100); angles go round, and the mechanism
// and mode pairs go round too, each shown once among the steps nearest to Base.
std::optional<TPattern> Vary(const TPattern& Base, TVarySetting S, double Step, int Steps);

struct TVariation {
  std::optional<TPattern> Pattern;  // empty: beyond the setting's range
  int StepA = 0;
  int StepB = 0;
};

// A Rows x Columns grid around Base, in reading order, with Base in the middle. With one
// setting the cells step through it, -4 to 4 in a 3 x 3 grid; with a second, the rows step
// through A and the columns through B.
std::vector<TVariation> VariationGrid(const TPattern& Base, TVarySetting A, double StepA,
                                      std::optional<TVarySetting> B = std::nullopt, double StepB = 0.0, int Rows = 3,
                                      int Columns = 3);

// The value of S in P as a short text: "76.56", "T-Bar, Outer Planetary", "10.5 / 20".
std::string VariedValueText(const TPattern& P, TVarySetting S);

}  // namespace trochodraw
