#include "cli/cli_machine_options.h"

#include <cmath>

#include "cli/cli_patterns.h"
#include "patterns/pattern_list_editor.h"

namespace trochodraw::cli {

namespace {

// The command line's stand-in for the main window: the controls, without a machine to turn
// until the run starts (the start angles are taken from the angle spins then).
class TCliPatternHost : public TPatternHost {
 public:
  explicit TCliPatternHost(TMachineSettings& Settings) : FSettings(Settings) {}
  TPattern CapturePattern() override { return FSettings.CapturePattern(FMachine); }
  void ApplyPattern(const TPattern& P) override { FSettings.ApplyPattern(P); }

 private:
  TMachineSettings& FSettings;
  TMachine FMachine;
};

using TSpinMember = TRealSpinValue TMachineSettings::*;

void SetSpin(TMachineOptions& Out, TSpinMember Spin, double Value) {
  Out.Settings.push_back([Spin, Value](TMachineSettings& S) { (S.*Spin).SetValue(Value); });
}

}  // namespace

bool ParseMachineOption(const std::string& Option, TArgs& Args, TMachineOptions& Out) {
  const std::string& opt = Option;
  if (opt == "--pattern") {
    Out.PatternName = Args.Value(opt);
  } else if (opt == "--patterns-file") {
    Out.PatternsFile = Args.Value(opt);
  } else if (opt == "--radius1") {
    SetSpin(Out, &TMachineSettings::Circle1Spin, Args.Real(opt, 1, 100));
  } else if (opt == "--radius2") {
    SetSpin(Out, &TMachineSettings::Circle2Spin, Args.Real(opt, 1, 100));
  } else if (opt == "--rpm1") {
    SetSpin(Out, &TMachineSettings::RPM1Spin, Args.Real(opt, -100, 100));
  } else if (opt == "--rpm2") {
    SetSpin(Out, &TMachineSettings::RPM2Spin, Args.Real(opt, -100, 100));
  } else if (opt == "--scale") {
    SetSpin(Out, &TMachineSettings::ScaleSpin, Args.Real(opt, 0.1, 100));
  } else if (opt == "--mode") {
    const std::string v = Args.Value(opt);
    int mode;
    if (v == "two-wheel")
      mode = pmTwoWheel;
    else if (v == "outer-planetary")
      mode = pmOuterPlanet;
    else if (v == "inner-planetary")
      mode = pmInnerPlanet;
    else
      throw EUsage("option --mode: unknown mode: " + v);
    Out.Settings.push_back([mode](TMachineSettings& S) { S.SetModeIndex(mode); });
  } else if (opt == "--mechanism") {
    const std::string v = Args.Value(opt);
    int mechanism;
    if (v == "pantograph")
      mechanism = amPantograph;
    else if (v == "t-bar")
      mechanism = amTBar;
    else
      throw EUsage("option --mechanism: unknown mechanism: " + v);
    Out.Settings.push_back([mechanism](TMachineSettings& S) { S.SetMechanismIndex(mechanism); });
  } else if (opt == "--angles") {
    const auto v = Args.Reals(opt, 4);
    const TSpinMember spins[] = {&TMachineSettings::Angle1Spin, &TMachineSettings::Angle2Spin,
                                 &TMachineSettings::Angle1ASpin, &TMachineSettings::Angle2ASpin};
    for (size_t i = 0; i < 4; ++i) SetSpin(Out, spins[i], v[i]);
  } else if (opt == "--offset") {
    const auto v = Args.Reals(opt, 2);
    if (std::abs(v[0]) > 1e6 || std::abs(v[1]) > 1e6) throw EUsage("option --offset: offsets beyond 1000000");
    SetSpin(Out, &TMachineSettings::OffXSpin, v[0]);
    SetSpin(Out, &TMachineSettings::OffYSpin, v[1]);
  } else {
    return false;
  }
  return true;
}

void SetUpMachine(const TMachineOptions& Options, TTickSettings& Settings, double (&Angles)[4]) {
  const TFormatSettings fs = SystemFormatSettings();
  TMachineSettings controls(fs);
  TCliPatternHost host(controls);
  const bool fromLibrary = !Options.PatternName.empty() || !Options.PatternsFile.empty();
  TPatternArray list = fromLibrary ? LoadPatternLibrary(Options.PatternsFile, fs) : DefaultPatterns();
  TPatternListEditor editor(list, host);
  editor.FillPatternCombo(0);
  editor.ApplyPatternAt(editor.ComboIndex());
  if (!Options.PatternName.empty()) {
    int found = -1;
    for (size_t i = 0; i < list.size() && found < 0; ++i)
      if (list[i].Name == Options.PatternName) found = static_cast<int>(i);
    if (found < 0) throw EUsage("no pattern named \"" + Options.PatternName + "\"");
    editor.PatternComboSelect(found);
  }
  for (const auto& set : Options.Settings) set(controls);
  controls.ToTickSettings(Settings);
  Angles[0] = controls.Angle1Spin.Value();
  Angles[1] = controls.Angle2Spin.Value();
  Angles[2] = controls.Angle1ASpin.Value();
  Angles[3] = controls.Angle2ASpin.Value();
}

}  // namespace trochodraw::cli
