#include "patterns/pattern.h"

namespace trochodraw {

TPatternArray PatternList;

namespace {

constexpr uint8_t kPantograph = 0, kTBar = 1;
constexpr uint8_t kTwoWheel = 0, kOuterPlanet = 1, kInnerPlanet = 2;

TPattern Make(const char* Name, uint8_t Arm, double R1, double R2, double RPM1, double RPM2, uint8_t Planet,
              double Scale, double A1, double A2, double A1A, double A2A) {
  return TPattern{Name, Arm, R1, R2, RPM1, RPM2, Planet, Scale, 0.0, 0.0, A1, A2, A1A, A2A};
}

}  // namespace

const TPatternArray& DefaultPatterns() {
  static const TPatternArray list = {
      Make("Mobius", kPantograph, 75.06, 75.06, 77.6, 77.6, kOuterPlanet, 2, 18.47, 335.47, 284.69, 327.69),
      Make("Donut", kPantograph, 57, 57, 77.6, 77.6, kInnerPlanet, 2, 128.7, 123.6, 182.34, 282.84),
      Make("Carabiner", kPantograph, 29, 29, 77.6, 77.6, kInnerPlanet, 2, 226.42, 226.42, 250.68, 221.31),
      Make("Loop", kPantograph, 28, 28, 77.6, 77.6, kInnerPlanet, 2, 0, 0, 0, 54),
      Make("Sandal", kTBar, 37, 37, -50, 50, kOuterPlanet, 1.3, 216, 9, 100.71, 304.29),
      Make("Long Horn", kPantograph, 50, 50, -49.5, 50, kOuterPlanet, 1.3, 178.56, 246, 47.88, 318),
      Make("Sail Boats", kTBar, 54, 50, 40, 40, kOuterPlanet, 1.5, 280.8, 280.8, 260.87, 67.2),
      Make("Aorta", kPantograph, 54, 50, 40, 40, kInnerPlanet, 1, 302.4, 302.4, 156.52, 244.8),
      Make("Nose Cone", kPantograph, 54, 54, -40, -40, kInnerPlanet, 1, 94.8, 134.4, 146.66, 307.86),
      Make("Cyclotrace-1", kPantograph, 54, 54, 77.6, 77.6, kOuterPlanet, 2, 51.26, 51.26, 123.34, 123.34),
      Make("Cyclotrace-2", kPantograph, 56, 56, 77.6, 77.6, kInnerPlanet, 2, 296.02, 296.02, 298.72, 298.72),
      Make("Owl Eyes", kPantograph, 54, 54, -40, -40, kInnerPlanet, 1.5, 262.4, 196.8, 255.6, 240),
      Make("Taffy Pull", kPantograph, 31, 31, -40, -40, kOuterPlanet, 0.9, 297.6, 297.6, 334.54, 193.53),
      Make("Open Basket", kPantograph, 54, 54, -40, -40, kInnerPlanet, 1, 2.4, 93.6, 67.83, 109.57),
      Make("Smile", kPantograph, 68, 80, 77.63, 80, kTwoWheel, 1, 0, 0, 0, 0),
      Make("Teardrop", kPantograph, 80, 80, 79.7, 80, kTwoWheel, 1.3, 0, 0, 0, 0),
      Make("Ash Tray", kPantograph, 38, 80, 82.8, 80, kTwoWheel, 1.7, 0, 0, 0, 0),
      Make("Lozenge", kPantograph, 15, 40, 62.5, 64, kTwoWheel, 4, 0, 0, 0, 0),
      Make("Flying Saucer", kPantograph, 50, 50, 62.5, 64, kTwoWheel, 2, 0, 0, 0, 0),
  };
  return list;
}

std::string ArmModeName(int Value) {
  switch (Value) {
    case 0:
      return "amPantograph";
    case 1:
      return "amTBar";
    default:
      return "";
  }
}

std::string PlanetModeName(int Value) {
  switch (Value) {
    case 0:
      return "pmTwoWheel";
    case 1:
      return "pmOuterPlanet";
    case 2:
      return "pmInnerPlanet";
    default:
      return "";
  }
}

}  // namespace trochodraw
