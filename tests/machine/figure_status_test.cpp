#include <gtest/gtest.h>

#include "machine/figure_status.h"

using namespace trochodraw;

namespace {

TTickSettings OwlEyes() {
  TTickSettings s;
  s.Machine = {54, 54, pmInnerPlanet, amPantograph, 350};
  s.RPM1 = s.RPM2 = -40;
  return s;
}

TEST(FigureStatus, ClosesAtBothPacesAndCountsWhatIsDrawn) {
  TFigureStatus status;
  TTickSettings s = OwlEyes();
  s.Accelerate = true;  // the status shows both paces whichever is on
  status.SetSettings(s);
  EXPECT_EQ(status.Text(), "Closes after 3,450 ticks (34.5 s; 3.5 s accelerated)");
  status.TicksRun(1725, false);
  EXPECT_EQ(status.Text(), "Closes after 3,450 ticks (34.5 s; 3.5 s accelerated) \u2014 50% drawn");
  status.TicksRun(172, true);
  EXPECT_EQ(status.Text(), "Closes after 3,450 ticks (34.5 s; 3.5 s accelerated) \u2014 99% drawn");
  status.TicksRun(5, false);
  EXPECT_EQ(status.Text(), "Closes after 3,450 ticks (34.5 s; 3.5 s accelerated) \u2014 complete");
  status.Restart();
  EXPECT_EQ(status.Text(), "Closes after 3,450 ticks (34.5 s; 3.5 s accelerated)");
}

TEST(FigureStatus, LongPeriodsShowTheirNearClosure) {
  TFigureStatus status;
  TTickSettings s;
  s.Machine = {68, 80, pmTwoWheel, amPantograph, 350};
  s.RPM1 = 77.63;
  s.RPM2 = 80;
  status.SetSettings(s);
  const TNearClosure near = NearClosure(s, 0.5, UINT64_MAX);
  ASSERT_TRUE(near.Found);
  EXPECT_EQ(status.Text(), "Closes after 600,000 ticks (1.7 h; 10.0 min accelerated); looks closed after " +
                               GroupedIntegerText(near.Ticks) + " ticks (" + DurationText(near.Ticks, 10) + ")");
  s.RPM1 = s.RPM2 = 0;
  status.SetSettings(s);
  EXPECT_EQ(status.Text(), "Nothing moves: both wheel speeds are 0");
}

TEST(FigureStatus, WhatCountsAsAnotherFigure) {
  TFigureStatus status;
  const TTickSettings base = OwlEyes();
  status.SetSettings(base);
  TTickSettings s = base;
  s.Accelerate = true;
  s.Antialias = false;
  s.Machine.MechanismWidth = 500;
  EXPECT_FALSE(status.Changed(s)) << "the same figure, drawn faster or plainer";
  for (auto change : {+[](TTickSettings& t) { t.RPM2 = 40; }, +[](TTickSettings& t) { t.Scale = 2; },
                      +[](TTickSettings& t) { t.OffY = 1; }, +[](TTickSettings& t) { t.Machine.Mode = pmOuterPlanet; },
                      +[](TTickSettings& t) { t.Machine.Radius1Percent = 55; }}) {
    s = base;
    change(s);
    EXPECT_TRUE(status.Changed(s));
  }
}

TEST(FigureStatus, Durations) {
  EXPECT_EQ(DurationText(3450, 10), "34.5 s");
  EXPECT_EQ(DurationText(9994, 10), "99.9 s");
  EXPECT_EQ(DurationText(9995, 10), "1.7 min");
  EXPECT_EQ(DurationText(9352500, 10), "26.0 h");
  EXPECT_EQ(DurationText(1000000000, 10), "116 days");
}

}  // namespace
