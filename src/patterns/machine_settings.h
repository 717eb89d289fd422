#pragma once

#include <functional>

#include "controls/spin_value.h"
#include "machine/simulation.h"
#include "patterns/pattern.h"

namespace trochodraw {

// The main window's machine controls as value rules: the eleven real spins with the main
// window's ranges, formats and start values, and the two radio groups. Applying a pattern
// goes through the spins' value setters, so values are limited and read back as the window
// would show them (a radius of 0 becomes 1, an angle keeps one decimal).
class TMachineSettings {
 public:
  explicit TMachineSettings(const TFormatSettings& FS = {});

  // The spin settings of the main window, for any spin that stands for one of these.
  static void ConfigureRadiusSpin(TRealSpinValue& S);  // Circle1Spin, Circle2Spin
  static void ConfigureRPMSpin(TRealSpinValue& S);     // RPM1Spin, RPM2Spin
  static void ConfigureScaleSpin(TRealSpinValue& S);   // ScaleSpin
  static void ConfigureOffsetSpin(TRealSpinValue& S);  // OffXSpin, OffYSpin
  static void ConfigureAngleSpin(TRealSpinValue& S);   // Angle1Spin ... Angle2ASpin

  TRealSpinValue Circle1Spin, Circle2Spin, RPM1Spin, RPM2Spin, ScaleSpin, OffXSpin, OffYSpin;
  TRealSpinValue Angle1Spin, Angle2Spin, Angle1ASpin, Angle2ASpin;

  int MechanismIndex() const { return FMechanismIndex; }  // MechanismRadio: Pantograph, T-Bar
  int ModeIndex() const { return FModeIndex; }            // ModeRadio: Two Wheel, Outer, Inner
  // An index beyond the last item selects the last item; a change raises the click event.
  void SetMechanismIndex(int I);
  void SetModeIndex(int I);
  std::function<void()> OnMechanismClick;
  std::function<void()> OnModeClick;

  // Assigns the 13 controls from P in the main window's order.
  void ApplyPattern(const TPattern& P);
  // The controls' values, with the angles of the wheels themselves (not the angle spins); the name stays empty.
  TPattern CapturePattern(const TMachine& Machine) const;

  // What the tick reads from these controls.
  void ToTickSettings(TTickSettings& S) const;
  TArmMode Mechanism() const;
  TPlanetMode Mode() const;

 private:
  int FMechanismIndex = 0;
  int FModeIndex = 0;
};

}  // namespace trochodraw
