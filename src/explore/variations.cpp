#include "explore/variations.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "machine/vector2.h"

namespace trochodraw {

namespace {

constexpr int kMechanisms = 2;
constexpr int kModes = 3;
constexpr int kPairs = kMechanisms * kModes;
const char* const kMechanismNames[kMechanisms] = {"Pantograph", "T-Bar"};
const char* const kModeNames[kModes] = {"Two Wheel", "Outer Planetary", "Inner Planetary"};

// The short decimal nearest to X, so that 75.06 + 3 * 0.5 is 76.56 and not 76.56000000000001.
double Tidy(double X) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.12g", X);
  return std::strtod(buf, nullptr);
}

std::optional<double> Stepped(double Value, double Step, int Steps, double Min, double Max) {
  const double v = Tidy(Value + Step * Steps);
  if (!(v >= Min && v <= Max)) return std::nullopt;
  return v;
}

double Turned(double Angle, double Step, int Steps) { return Tidy(WrapValue(Angle + Step * Steps, 0.0, 360.0)); }

std::string Number(double X) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.10g", X);
  return buf;
}

// A radio group shows an index beyond its items as its last item.
int PairIndex(const TPattern& P) {
  return std::min<int>(P.ArmMode, kMechanisms - 1) * kModes + std::min<int>(P.PlanetMode, kModes - 1);
}

}  // namespace

const std::vector<TVarySettingInfo>& VarySettings() {
  static const std::vector<TVarySettingInfo> settings = {
      {TVarySetting::vsRadius1, "Radius 1", "radius1", 2.0, false},
      {TVarySetting::vsRadius2, "Radius 2", "radius2", 2.0, false},
      {TVarySetting::vsRPM1, "Speed 1", "rpm1", 0.5, false},
      {TVarySetting::vsRPM2, "Speed 2", "rpm2", 0.5, false},
      {TVarySetting::vsScale, "Scale", "scale", 0.1, false},
      {TVarySetting::vsPlanetAngles, "Planet Angles", "planet-angles", 15.0, false},
      {TVarySetting::vsModeMechanism, "Mechanism and Mode", "mode", 1.0, true},
  };
  return settings;
}

const TVarySettingInfo& VarySettingInfo(TVarySetting S) { return VarySettings().at(static_cast<size_t>(S)); }

std::optional<TPattern> Vary(const TPattern& Base, TVarySetting S, double Step, int Steps) {
  TPattern p = Base;
  const auto set = [&](double& Field, double Min, double Max) -> std::optional<TPattern> {
    const auto v = Stepped(Field, Step, Steps, Min, Max);
    if (!v) return std::nullopt;
    Field = *v;
    return p;
  };
  switch (S) {
    case TVarySetting::vsRadius1:
      return set(p.Radius1, 1, 100);
    case TVarySetting::vsRadius2:
      return set(p.Radius2, 1, 100);
    case TVarySetting::vsRPM1:
      return set(p.RPM1, -100, 100);
    case TVarySetting::vsRPM2:
      return set(p.RPM2, -100, 100);
    case TVarySetting::vsScale:
      return set(p.Scale, 0.1, 100);
    case TVarySetting::vsPlanetAngles:
      if (Steps == 0) return p;
      p.Angle1A = Turned(p.Angle1A, Step, Steps);
      p.Angle2A = Turned(p.Angle2A, Step, Steps);
      return p;
    case TVarySetting::vsModeMechanism: {
      // Steps -2 to 3 reach each of the six pairs once; further steps would repeat one.
      if (Steps < -(kPairs - 1) / 2 || Steps > kPairs / 2) return std::nullopt;
      if (Steps == 0) return p;
      const int pair = ((PairIndex(Base) + Steps) % kPairs + kPairs) % kPairs;
      p.ArmMode = static_cast<uint8_t>(pair / kModes);
      p.PlanetMode = static_cast<uint8_t>(pair % kModes);
      return p;
    }
  }
  throw std::invalid_argument("unknown setting");
}

std::vector<TVariation> VariationGrid(const TPattern& Base, TVarySetting A, double StepA, std::optional<TVarySetting> B,
                                      double StepB, int Rows, int Columns) {
  std::vector<TVariation> grid;
  const int middle = Rows * Columns / 2;
  for (int r = 0; r < Rows; ++r) {
    for (int c = 0; c < Columns; ++c) {
      TVariation v;
      if (B) {
        v.StepA = r - Rows / 2;
        v.StepB = c - Columns / 2;
        v.Pattern = Vary(Base, A, StepA, v.StepA);
        if (v.Pattern) v.Pattern = Vary(*v.Pattern, *B, StepB, v.StepB);
      } else {
        v.StepA = r * Columns + c - middle;
        v.Pattern = Vary(Base, A, StepA, v.StepA);
      }
      grid.push_back(std::move(v));
    }
  }
  return grid;
}

std::string VariedValueText(const TPattern& P, TVarySetting S) {
  switch (S) {
    case TVarySetting::vsRadius1:
      return Number(P.Radius1);
    case TVarySetting::vsRadius2:
      return Number(P.Radius2);
    case TVarySetting::vsRPM1:
      return Number(P.RPM1);
    case TVarySetting::vsRPM2:
      return Number(P.RPM2);
    case TVarySetting::vsScale:
      return Number(P.Scale);
    case TVarySetting::vsPlanetAngles:
      return Number(P.Angle1A) + " / " + Number(P.Angle2A);
    case TVarySetting::vsModeMechanism: {
      const int pair = PairIndex(P);
      return std::string(kMechanismNames[pair / kModes]) + ", " + kModeNames[pair % kModes];
    }
  }
  return {};
}

}  // namespace trochodraw
