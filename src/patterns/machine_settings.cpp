#include "patterns/machine_settings.h"

#include <algorithm>

namespace trochodraw {

namespace {

constexpr int kMechanismItems = 2;
constexpr int kModeItems = 3;

void SetRadioIndex(int& Index, int I, int Items, const std::function<void()>& OnClick) {
  const int v = std::clamp(I, -1, Items - 1);
  if (v == Index) return;
  Index = v;
  if (OnClick) OnClick();
}

}  // namespace

void TMachineSettings::ConfigureRadiusSpin(TRealSpinValue& S) {
  S.MinValue = 1;
  S.MaxValue = 100;
  S.Increment = 0.1;
  S.UseLimit = true;
}

void TMachineSettings::ConfigureRPMSpin(TRealSpinValue& S) {
  S.MinValue = -100;
  S.MaxValue = 100;
  S.Increment = 0.1;
  S.UseLimit = true;
  S.NumFormat = nfFixed;
  S.Digits = 1;
}

void TMachineSettings::ConfigureScaleSpin(TRealSpinValue& S) {
  S.MinValue = 0.1;
  S.MaxValue = 100;
  S.Increment = 0.1;
  S.UseLimit = true;
}

void TMachineSettings::ConfigureOffsetSpin(TRealSpinValue& S) {
  // The range is set but not enforced.
  S.MinValue = 1;
  S.MaxValue = 1000;
  S.Increment = 1;
  S.UseLimit = false;
}

void TMachineSettings::ConfigureAngleSpin(TRealSpinValue& S) {
  S.Increment = 0.1;
  S.NumFormat = nfFixed;
  S.Digits = 1;
}

TMachineSettings::TMachineSettings(const TFormatSettings& FS) {
  for (TRealSpinValue* s : {&Circle1Spin, &Circle2Spin, &RPM1Spin, &RPM2Spin, &ScaleSpin, &OffXSpin, &OffYSpin,
                            &Angle1Spin, &Angle2Spin, &Angle1ASpin, &Angle2ASpin})
    s->FormatSettings = FS;
  ConfigureRadiusSpin(Circle1Spin);
  ConfigureRadiusSpin(Circle2Spin);
  ConfigureRPMSpin(RPM1Spin);
  ConfigureRPMSpin(RPM2Spin);
  ConfigureScaleSpin(ScaleSpin);
  ConfigureOffsetSpin(OffXSpin);
  ConfigureOffsetSpin(OffYSpin);
  for (TRealSpinValue* s : {&Angle1Spin, &Angle2Spin, &Angle1ASpin, &Angle2ASpin}) ConfigureAngleSpin(*s);
  // The window's stored values, assigned after the ranges as when the form loads.
  Circle1Spin.SetValue(74.95);
  Circle2Spin.SetValue(74.95);
  RPM1Spin.SetValue(75.5);
  RPM2Spin.SetValue(75.5);
  ScaleSpin.SetValue(1);
  for (TRealSpinValue* s : {&OffXSpin, &OffYSpin, &Angle1Spin, &Angle2Spin, &Angle1ASpin, &Angle2ASpin}) s->SetValue(0);
}

void TMachineSettings::SetMechanismIndex(int I) {
  SetRadioIndex(FMechanismIndex, I, kMechanismItems, OnMechanismClick);
}

void TMachineSettings::SetModeIndex(int I) { SetRadioIndex(FModeIndex, I, kModeItems, OnModeClick); }

void TMachineSettings::ApplyPattern(const TPattern& P) {
  Circle1Spin.SetValue(P.Radius1);
  Circle2Spin.SetValue(P.Radius2);
  RPM1Spin.SetValue(P.RPM1);
  RPM2Spin.SetValue(P.RPM2);
  SetMechanismIndex(P.ArmMode);
  SetModeIndex(P.PlanetMode);
  ScaleSpin.SetValue(P.Scale);
  OffXSpin.SetValue(P.OffsetX);
  OffYSpin.SetValue(P.OffsetY);
  Angle1Spin.SetValue(P.Angle1);
  Angle2Spin.SetValue(P.Angle2);
  Angle1ASpin.SetValue(P.Angle1A);
  Angle2ASpin.SetValue(P.Angle2A);
}

TPattern TMachineSettings::CapturePattern(const TMachine& Machine) const {
  TPattern p;
  p.ArmMode = static_cast<uint8_t>(FMechanismIndex);
  p.PlanetMode = static_cast<uint8_t>(FModeIndex);
  p.Radius1 = Circle1Spin.Value();
  p.Radius2 = Circle2Spin.Value();
  p.RPM1 = RPM1Spin.Value();
  p.RPM2 = RPM2Spin.Value();
  p.Scale = ScaleSpin.Value();
  p.OffsetX = OffXSpin.Value();
  p.OffsetY = OffYSpin.Value();
  p.Angle1 = Machine.Wheel1.Angle;
  p.Angle2 = Machine.Wheel2.Angle;
  p.Angle1A = Machine.Planet1.Angle;
  p.Angle2A = Machine.Planet2.Angle;
  return p;
}

TArmMode TMachineSettings::Mechanism() const { return FMechanismIndex == 1 ? amTBar : amPantograph; }

TPlanetMode TMachineSettings::Mode() const {
  switch (FModeIndex) {
    case 1:
      return pmOuterPlanet;
    case 2:
      return pmInnerPlanet;
    default:
      return pmTwoWheel;
  }
}

void TMachineSettings::ToTickSettings(TTickSettings& S) const {
  S.Machine.Radius1Percent = Circle1Spin.Value();
  S.Machine.Radius2Percent = Circle2Spin.Value();
  S.Machine.Mechanism = Mechanism();
  S.Machine.Mode = Mode();
  S.RPM1 = RPM1Spin.Value();
  S.RPM2 = RPM2Spin.Value();
  S.Scale = ScaleSpin.Value();
  S.OffX = OffXSpin.Value();
  S.OffY = OffYSpin.Value();
}

}  // namespace trochodraw
