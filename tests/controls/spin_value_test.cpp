#include "controls/spin_value.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <vector>

using namespace trochodraw;

namespace {

// Counts what a spin tells its owner and the widget.
struct TRecorder {
  int Changes = 0;
  int Beeps = 0;
  std::vector<TWrapMode> Wraps;
  std::vector<std::string> Written;
  std::vector<double> ValuesAtChange;

  void Attach(TRealSpinValue& S) {
    S.OnChange = [this, &S] {
      ++Changes;
      ValuesAtChange.push_back(S.Value());
    };
    Common(S);
  }
  void Attach(TIntegerSpinValue& S) {
    S.OnChange = [this] { ++Changes; };
    Common(S);
  }

 private:
  void Common(TCustomSpinValue& S) {
    S.OnBeep = [this] { ++Beeps; };
    S.OnWrap = [this](TWrapMode M) { Wraps.push_back(M); };
    S.OnTextWrite = [this](const std::string& T) { Written.push_back(T); };
  }
};

class RealSpinTest : public ::testing::Test {
 protected:
  // Circle1Spin of the main window: 1 to 100, step 0.1, limits enforced.
  void MakeRadiusSpin() {
    Spin.MinValue = 1;
    Spin.MaxValue = 100;
    Spin.Increment = 0.1;
    Spin.UseLimit = true;
  }
  // RPM1Spin: fixed format with one decimal.
  void MakeRPMSpin() {
    Spin.MinValue = -100;
    Spin.MaxValue = 100;
    Spin.Increment = 0.1;
    Spin.UseLimit = true;
    Spin.NumFormat = nfFixed;
    Spin.Digits = 1;
  }
  void SetUp() override { Rec.Attach(Spin); }
  TRealSpinValue Spin;
  TRecorder Rec;
};

TEST_F(RealSpinTest, TypedValueBeyondTheLimitIsHeldButShownUntilTheFocusLeaves) {
  MakeRadiusSpin();
  for (const char* t : {"1", "15", "150"}) Spin.TextEdited(t);
  EXPECT_EQ(Spin.Value(), 100);
  EXPECT_EQ(Spin.Text(), "150");
  EXPECT_EQ(Rec.Changes, 3);
  EXPECT_TRUE(Rec.Written.empty()) << "typing is not echoed to the widget";
  Spin.FocusLeft();
  EXPECT_EQ(Spin.Text(), "100");
  EXPECT_EQ(Rec.Written, std::vector<std::string>{"100"});
  EXPECT_EQ(Spin.Value(), 100);
}

TEST_F(RealSpinTest, StepValueIsTheNumberReadBackFromTheText) {
  MakeRadiusSpin();
  Spin.SetValue(74.95);
  Spin.StepUp(false);
  EXPECT_EQ(Spin.Text(), "75.05");
  EXPECT_EQ(Spin.Value(), 75.05);
  Spin.StepUp(true);  // Ctrl: ten increments
  EXPECT_EQ(Spin.Text(), "76.05");
  Spin.StepDown(true);
  Spin.StepDown(false);
  EXPECT_EQ(Spin.Text(), "74.95");
  Spin.SetValue(1.1);
  Spin.StepUp(false);
  EXPECT_NE(1.1 + 0.1, 1.2) << "the plain sum has trailing digits";
  EXPECT_EQ(Spin.Text(), "1.2");
  EXPECT_EQ(Spin.Value(), 1.2);
}

TEST_F(RealSpinTest, ChangeEventOnlyWhenTheTextChanges) {
  MakeRPMSpin();
  Spin.SetValue(77.63);
  EXPECT_EQ(Spin.Text(), "77.6");
  EXPECT_EQ(Spin.Value(), 77.6);
  EXPECT_EQ(Rec.Changes, 1);
  Spin.SetValue(77.64);
  EXPECT_EQ(Rec.Changes, 1);
  EXPECT_EQ(Spin.Text(), "77.6");
  EXPECT_EQ(Spin.Value(), 77.64) << "an unchanged text keeps the unrounded number";
  EXPECT_EQ(Rec.Written, std::vector<std::string>{"77.6"});
}

TEST_F(RealSpinTest, SetValueNoEventKeepsTheBlockSettingEvenWhenAnErrorPasses) {
  MakeRPMSpin();
  Spin.SetValueNoEvent(18.47);
  EXPECT_EQ(Spin.Text(), "18.5");
  EXPECT_EQ(Spin.Value(), 18.5);
  EXPECT_EQ(Rec.Changes, 0);
  EXPECT_FALSE(Spin.BlockChangeEvent);

  Spin.BlockChangeEvent = true;
  Spin.SetValueNoEvent(20);
  EXPECT_TRUE(Spin.BlockChangeEvent);
  Spin.BlockChangeEvent = false;

  Spin.OnTextWrite = [](const std::string&) { throw std::runtime_error("widget gone"); };
  EXPECT_THROW(Spin.SetValueNoEvent(30), std::runtime_error);
  EXPECT_FALSE(Spin.BlockChangeEvent);
}

TEST_F(RealSpinTest, TextThatDoesNotConvertFallsBackOnTheLastGoodValue) {
  MakeRadiusSpin();
  Spin.SetValue(42.5);
  Rec.Changes = 0;
  Spin.TextEdited("-");
  EXPECT_EQ(Rec.Changes, 1);
  EXPECT_EQ(Rec.ValuesAtChange.back(), 42.5);
  Spin.TextEdited("");
  EXPECT_EQ(Spin.Value(), 42.5);
  Spin.FocusLeft();
  EXPECT_EQ(Spin.Text(), "42.5");
  Spin.TextEdited("12x");
  EXPECT_EQ(Spin.Value(), 42.5);
}

TEST_F(RealSpinTest, SeparatorsFollowTheRegionalSettings) {
  Spin.NumFormat = nfThousands;
  Spin.Digits = 2;
  Spin.SetValue(1234.5);
  EXPECT_EQ(Spin.Text(), "1,234.50");
  Spin.TextEdited("1,2,3");
  EXPECT_EQ(Spin.Value(), 123) << "every thousands separator is dropped";
  Spin.SetValue(1234.5);
  const int before = Rec.Changes;
  Spin.SetRegionalSettings(TFormatSettings{',', '.'});
  EXPECT_EQ(Spin.Text(), "1.234,50");
  EXPECT_EQ(Spin.Value(), 1234.5);
  EXPECT_EQ(Rec.Changes, before + 1);
  Spin.TextEdited("2.000,25");
  EXPECT_EQ(Spin.Value(), 2000.25);
}

TEST_F(RealSpinTest, ScientificTextReadsBack) {
  Spin.NumFormat = nfScientific;
  Spin.Digits = 3;
  Spin.SetValue(12.5);
  EXPECT_EQ(Spin.Text(), "1.25E+0001");
  EXPECT_EQ(Spin.Value(), 12.5);
}

TEST_F(RealSpinTest, KeyFilter) {
  struct KeyCase {
    char32_t Ch;
    bool Editable, NotEditable;
  };
  const KeyCase cases[] = {{U'7', true, false},  {U'-', true, false},   {U'+', true, false},  {U'e', true, false},
                           {U'E', true, false},  {U'.', true, false},   {U',', true, false},  {U'x', false, false},
                           {U' ', false, false}, {U'\r', false, false}, {U'\b', true, false}, {3, true, true}};
  for (bool editable : {true, false}) {
    Spin.EditorEnabled = editable;
    for (const auto& c : cases) {
      const int beeps = Rec.Beeps;
      const bool want = editable ? c.Editable : c.NotEditable;
      EXPECT_EQ(Spin.KeyPress(c.Ch), want) << static_cast<uint32_t>(c.Ch) << " editable " << editable;
      EXPECT_EQ(Rec.Beeps, beeps + (want ? 0 : 1));
    }
  }
  Spin.EditorEnabled = true;
  Spin.FormatSettings = TFormatSettings{'|', '_'};
  EXPECT_TRUE(Spin.KeyPress(U'|'));
  EXPECT_TRUE(Spin.KeyPress(U'_'));
  EXPECT_FALSE(Spin.KeyPress(U'.'));
}

TEST_F(RealSpinTest, OwnerIncrementAndReadOnly) {
  Spin.OwnerIncrement = true;
  Spin.OnIncrement = [](bool Inc, double& V) { V = Inc ? V * 2 + 1 : V / 2; };
  Spin.StepUp(true);
  Spin.StepUp(false);
  EXPECT_EQ(Spin.Value(), 3);
  Spin.StepDown(false);
  EXPECT_EQ(Spin.Text(), "1.5");
  Spin.ReadOnly = true;
  Spin.StepUp(false);
  EXPECT_EQ(Spin.Value(), 1.5);
  EXPECT_EQ(Rec.Beeps, 1);
}

struct ConstrainCase {
  double Min, Max;
  bool Wrap;
  double In, Out;
  std::vector<TWrapMode> Wraps;
};

TEST(SpinConstrainTest, LimitsAndWraps) {
  const ConstrainCase cases[] = {
      {1, 100, false, 150, 100, {}},
      {1, 100, false, -5, 1, {}},
      {1, 100, false, 100, 100, {}},
      {0, 360, true, 365, 5, {wrPastMax}},
      {0, 360, true, -5, 355, {wrPastMin}},
      {0, 360, true, 360, 0, {wrPastMax}},
      {0, 360, true, 359.5, 359.5, {}},
      {0, 360, true, 1e20, std::fmod(1e20, 360.0), {wrPastMax}},  // no endless subtraction
      {1, 100, true, 150, 51, {wrPastMax}},                       // the same steps for other ranges
      {10, 20, true, 5, 15, {wrPastMin}},                         // would cycle between 5 and 5
      {-360, 0, true, 5, -355, {wrPastMax}},                      // a limit of 0 cannot be subtracted
      {5, 5, true, 7, 5, {}},                                     // no range to wrap in
      {0, 360, true, std::numeric_limits<double>::infinity(), 360, {}},
  };
  for (const auto& c : cases) {
    TRealSpinValue s;
    std::vector<TWrapMode> wraps;
    s.OnWrap = [&](TWrapMode M) { wraps.push_back(M); };
    s.UseLimit = true;
    s.Wrap = c.Wrap;
    s.MinValue = c.Min;
    s.MaxValue = c.Max;
    EXPECT_EQ(s.ConstrainValue(c.In), c.Out) << c.Min << ".." << c.Max << " in " << c.In;
    EXPECT_EQ(wraps, c.Wraps) << c.Min << ".." << c.Max << " in " << c.In;
  }
  TRealSpinValue free;
  free.MaxValue = 10;
  EXPECT_EQ(free.ConstrainValue(150), 150) << "limits only count with UseLimit";
}

TEST(SpinConstrainTest, WrappingSetValueRaisesOneWrapEvent) {
  TRealSpinValue s;
  TRecorder rec;
  rec.Attach(s);
  s.UseLimit = s.Wrap = true;
  s.MaxValue = 360;
  s.SetValue(365);
  EXPECT_EQ(s.Value(), 5);
  EXPECT_EQ(rec.Wraps, std::vector<TWrapMode>{wrPastMax});
  s.SetValue(-5);
  EXPECT_EQ(s.Value(), 355);
  EXPECT_EQ(rec.Wraps, (std::vector<TWrapMode>{wrPastMax, wrPastMin}));
}

class IntegerSpinTest : public ::testing::Test {
 protected:
  void SetUp() override { Rec.Attach(Spin); }
  TIntegerSpinValue Spin;
  TRecorder Rec;
};

TEST_F(IntegerSpinTest, DecimalSeparatorCanBeTypedButDoesNotConvert) {
  // WidthSpin: 1 to 100000.
  Spin.MinValue = 1;
  Spin.MaxValue = 100000;
  Spin.UseLimit = true;
  Spin.SetValue(640);
  EXPECT_TRUE(Spin.KeyPress(U'.'));
  Spin.TextEdited("640.5");
  EXPECT_EQ(Spin.Value(), 640);
  EXPECT_EQ(Rec.Changes, 2);
  Spin.TextEdited("250000");
  EXPECT_EQ(Spin.Value(), 100000);
  Spin.FocusLeft();
  EXPECT_EQ(Spin.Text(), "100000");
}

TEST_F(IntegerSpinTest, HexModeWritesPaddedDigitsAndRefusesSigns) {
  Spin.SetHexMode(true);
  Spin.SetValue(255);
  EXPECT_EQ(Spin.Text(), "00FF");
  EXPECT_EQ(Spin.Value(), 255);
  EXPECT_FALSE(Spin.KeyPress(U'+'));
  EXPECT_EQ(Rec.Beeps, 1);
  EXPECT_TRUE(Spin.KeyPress(U'c'));
  Spin.TextEdited("1g");
  EXPECT_EQ(Spin.Value(), 255);
  Spin.TextEdited("1f");
  Spin.SetHexDigits(1);
  EXPECT_EQ(Spin.Text(), "1F");
  Spin.SetHexMode(false);
  EXPECT_EQ(Spin.Text(), "31");
}

TEST_F(IntegerSpinTest, WrapsAndKeepsTheUnconstrainedLastGoodValue) {
  Spin.UseLimit = Spin.Wrap = true;
  Spin.MaxValue = 360;
  Spin.SetValue(365);
  EXPECT_EQ(Spin.Text(), "5");
  EXPECT_EQ(Spin.LastGoodValue, 365);
  EXPECT_EQ(Spin.Value(), 5);
  Spin.SetValue(-5);
  EXPECT_EQ(Spin.Text(), "355");
  EXPECT_EQ(Rec.Wraps, (std::vector<TWrapMode>{wrPastMax, wrPastMin}));
  Spin.SetValue(355);
  EXPECT_EQ(Rec.Changes, 2) << "same text, no event";
}

TEST_F(IntegerSpinTest, StepsSaturateAtTheEndsOfTheNumberRange) {
  Spin.SetValue(std::numeric_limits<int64_t>::max() - 5);
  Spin.StepUp(true);
  EXPECT_EQ(Spin.Value(), std::numeric_limits<int64_t>::max());
  Spin.SetValue(std::numeric_limits<int64_t>::min());
  Spin.StepDown(false);
  EXPECT_EQ(Spin.Value(), std::numeric_limits<int64_t>::min());
  Spin.Increment = 3;
  Spin.SetValue(10);
  Spin.StepDown(true);
  EXPECT_EQ(Spin.Value(), -20);
}

}  // namespace
