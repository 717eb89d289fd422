#include "patterns/machine_settings.h"

#include <gtest/gtest.h>

using namespace trochodraw;

namespace {

TEST(MachineSettingsTest, StartsWithTheWindowsStoredValues) {
  const TMachineSettings s;
  EXPECT_EQ(s.Circle1Spin.Text(), "74.95");
  EXPECT_EQ(s.RPM2Spin.Text(), "75.5");
  EXPECT_EQ(s.ScaleSpin.Value(), 1);
  EXPECT_EQ(s.Angle2ASpin.Text(), "0.0");
  EXPECT_EQ(s.OffXSpin.Text(), "0") << "the offset range is not enforced";
}

TEST(MachineSettingsTest, ApplyingMobiusShowsWhatTheWindowShows) {
  TMachineSettings s;
  int modeClicks = 0, mechanismClicks = 0;
  s.OnModeClick = [&] { ++modeClicks; };
  s.OnMechanismClick = [&] { ++mechanismClicks; };
  s.ApplyPattern(DefaultPatterns()[0]);
  EXPECT_EQ(s.Circle1Spin.Value(), 75.06);
  EXPECT_EQ(s.RPM1Spin.Text(), "77.6");
  EXPECT_EQ(s.ModeIndex(), 1);
  EXPECT_EQ(modeClicks, 1);
  EXPECT_EQ(mechanismClicks, 0) << "the index did not change";
  EXPECT_EQ(s.ScaleSpin.Value(), 2);
  const TRealSpinValue* angles[] = {&s.Angle1Spin, &s.Angle2Spin, &s.Angle1ASpin, &s.Angle2ASpin};
  const char* shown[] = {"18.5", "335.5", "284.7", "327.7"};
  const double values[] = {18.5, 335.5, 284.7, 327.7};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(angles[i]->Text(), shown[i]);
    EXPECT_EQ(angles[i]->Value(), values[i]) << "read back from the text";
  }
  TTickSettings t;
  s.ToTickSettings(t);
  EXPECT_EQ(t.Machine.Radius1Percent, 75.06);
  EXPECT_EQ(t.Machine.Mode, pmOuterPlanet);
  EXPECT_EQ(t.Machine.Mechanism, amPantograph);
  EXPECT_EQ(t.RPM2, 77.6);
  EXPECT_EQ(t.Scale, 2);
}

TEST(MachineSettingsTest, ValuesAreLimitedAndModesTakeTheLastItem) {
  TMachineSettings s;
  TPattern p;
  p.Radius1 = 0;
  p.Radius2 = 150;
  p.RPM1 = -250;
  p.Scale = 0;
  p.OffsetX = 5000;  // not limited
  p.ArmMode = 5;
  p.PlanetMode = 200;
  s.ApplyPattern(p);
  EXPECT_EQ(s.Circle1Spin.Value(), 1);
  EXPECT_EQ(s.Circle2Spin.Value(), 100);
  EXPECT_EQ(s.RPM1Spin.Value(), -100);
  EXPECT_EQ(s.ScaleSpin.Value(), 0.1);
  EXPECT_EQ(s.OffXSpin.Value(), 5000);
  EXPECT_EQ(s.MechanismIndex(), 1);
  EXPECT_EQ(s.Mechanism(), amTBar);
  EXPECT_EQ(s.Mode(), pmInnerPlanet);
}

TEST(MachineSettingsTest, AnUnchangedTextKeepsTheUnroundedNumber) {
  TMachineSettings s;
  s.ApplyPattern(DefaultPatterns()[0]);
  int changes = 0;
  s.RPM1Spin.OnChange = [&] { ++changes; };
  s.ApplyPattern(DefaultPatterns()[14]);  // Smile: RPM1 77.63 shows as 77.6 like Mobius's 77.6
  EXPECT_EQ(s.RPM1Spin.Text(), "77.6");
  EXPECT_EQ(s.RPM1Spin.Value(), 77.63);
  EXPECT_EQ(changes, 0);
  TMachineSettings fresh;
  fresh.ApplyPattern(DefaultPatterns()[14]);
  EXPECT_EQ(fresh.RPM1Spin.Value(), 77.6) << "from 75.5 the text changes and is read back";
}

TEST(MachineSettingsTest, CaptureTakesTheWheelsAngles) {
  TMachineSettings s;
  s.ApplyPattern(DefaultPatterns()[4]);
  TMachine m;
  m.Wheel1.Angle = 12.345;
  m.Wheel2.Angle = 1;
  m.Planet1.Angle = 2;
  m.Planet2.Angle = 3;
  const TPattern p = s.CapturePattern(m);
  EXPECT_EQ(p, (TPattern{"", 1, 37, 37, -50, 50, 1, 1.3, 0, 0, 12.345, 1, 2, 3}));
}

}  // namespace
