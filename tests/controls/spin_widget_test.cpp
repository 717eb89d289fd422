#include <gtest/gtest.h>

#include <QClipboard>
#include <QLocale>
#include <QTest>
#include <vector>

#include "controls/integer_spin_widget.h"
#include "controls/locale_separators.h"
#include "controls/real_spin_widget.h"
#include "widget_test_support.h"

using namespace trochodraw;
using namespace trochodraw::testing;

namespace {

// A window with one spin edit and a plain edit that takes the focus away from it.
template <class TSpin>
class SpinFixture : public ::testing::Test {
 protected:
  SpinFixture() : Spin(new TSpin(&Window)), Other(new TEditEx(&Window)) {
    Spin->setGeometry(10, 10, 121, 24);
    Other->setGeometry(10, 60, 121, 24);
    Spin->show();
    Other->show();
    QTest::keyRelease(Other, Qt::Key_Control);  // no Ctrl left held by an earlier test
    Spin->OnChange = [this](QObject* Sender) {
      EXPECT_EQ(Sender, Spin);
      ++Changes;
    };
  }
  void FocusSpin(Qt::FocusReason Reason = Qt::TabFocusReason) { Spin->setFocus(Reason); }
  void LeaveSpin() { Other->setFocus(Qt::TabFocusReason); }
  // Replaces the whole text by typing Keys, as a user would.
  void TypeOver(const char* Keys) {
    FocusSpin();
    Spin->selectAll();
    QTest::keyClicks(Spin, QString::fromLatin1(Keys));
  }

  TTestWindow Window;
  TSpin* Spin;
  TEditEx* Other;
  TBeepCounter Beeps;
  int Changes = 0;
};

using RealSpinWidget = SpinFixture<TRealSpin>;
using IntegerSpinWidget = SpinFixture<TIntegerSpin>;

// Circle1Spin of the main window.
void MakeRadiusSpin(TRealSpin& S) {
  S.SetMinValue(1);
  S.SetMaxValue(100);
  S.SetIncrement(0.1);
  S.SetUseLimit(true);
}

TEST_F(RealSpinWidget, TypingFollowsEveryKeystrokeAndTheTextStaysUntilTheFocusLeaves) {
  MakeRadiusSpin(*Spin);
  Spin->SetValue(50);
  Changes = 0;
  std::vector<double> Seen;
  Spin->OnChange = [&](QObject*) { Seen.push_back(Spin->Value()); };
  TypeOver("150");
  EXPECT_EQ(Seen, (std::vector<double>{1, 15, 100}));
  EXPECT_EQ(Spin->text(), "150");
  EXPECT_EQ(Spin->Value(), 100);
  LeaveSpin();
  EXPECT_EQ(Spin->text(), "100");
  EXPECT_EQ(Spin->Value(), 100);
}

TEST_F(RealSpinWidget, EmptyTextTakesTheLastGoodValueWhenTheFocusLeaves) {
  MakeRadiusSpin(*Spin);
  Spin->SetValue(42.5);
  std::vector<double> Seen;
  Spin->OnChange = [&](QObject*) { Seen.push_back(Spin->Value()); };
  TypeOver("-");  // a lone minus does not convert: the change reports the last good value
  EXPECT_EQ(Seen, std::vector<double>{42.5});
  QTest::keyClick(Spin, Qt::Key_Backspace);
  EXPECT_EQ(Spin->text(), "");
  LeaveSpin();
  EXPECT_EQ(Spin->text(), "42.5");
  EXPECT_EQ(Spin->Value(), 42.5);
}

// Each way of stepping: the arrows, the arrow keys, Ctrl for ten increments.
struct TStepCase {
  const char* Name;
  bool Key;  // arrow key instead of an arrow button
  bool Up;
  bool Ctrl;
  const char* Text;
};

class RealSpinStep : public RealSpinWidget, public ::testing::WithParamInterface<TStepCase> {};

TEST_P(RealSpinStep, StepsFromTheValueReadBackFromTheText) {
  const TStepCase& C = GetParam();
  MakeRadiusSpin(*Spin);
  Spin->SetValue(74.95);
  FocusSpin();
  const Qt::KeyboardModifiers Mods = C.Ctrl ? Qt::ControlModifier : Qt::NoModifier;
  if (C.Key) {
    QTest::keyClick(Spin, C.Up ? Qt::Key_Up : Qt::Key_Down, Mods);
  } else {
    TArrowButton* Arrow = C.Up ? Spin->UpDown()->UpArrowButton() : Spin->UpDown()->DownArrowButton();
    QTest::mouseClick(Arrow, Qt::LeftButton, Mods, Arrow->rect().center());
  }
  EXPECT_EQ(Spin->text(), C.Text);
  // The value is the number the text reads as, not the float sum with its trailing digits.
  EXPECT_EQ(Spin->Value(), QString::fromLatin1(C.Text).toDouble());
  EXPECT_EQ(Changes, 2);  // the assignment of 74.95 and the step
}

INSTANTIATE_TEST_SUITE_P(Ways, RealSpinStep,
                         ::testing::Values(TStepCase{"ArrowUp", false, true, false, "75.05"},
                                           TStepCase{"ArrowDown", false, false, false, "74.85"},
                                           TStepCase{"CtrlArrowUp", false, true, true, "75.95"},
                                           TStepCase{"KeyUp", true, true, false, "75.05"},
                                           TStepCase{"CtrlKeyDown", true, false, true, "73.95"}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(RealSpinWidget, HeldArrowStepsAgainAfter400AndThenEvery100Milliseconds) {
  TFakeClock Clock;
  Spin->SetIncrement(1);
  TArrowButton* Up = Spin->UpDown()->UpArrowButton();
  Press(Up, Up->rect().center());
  EXPECT_TRUE(Spin->UpDown()->Pressed());
  EXPECT_TRUE(Spin->hasFocus());  // the arrow hands the focus to the edit
  Clock.Advance(399);
  EXPECT_EQ(Spin->Value(), 0);
  Clock.Advance(1);
  EXPECT_EQ(Spin->Value(), 1);
  Clock.Advance(300);
  EXPECT_EQ(Spin->Value(), 4);
  Release(Up, Up->rect().center());  // the release is the closing click
  EXPECT_EQ(Spin->Value(), 5);
  EXPECT_FALSE(Spin->UpDown()->Pressed());
}

TEST_F(RealSpinWidget, AssignmentRaisesTheChangeEventOnlyWhenTheTextChanges) {
  // RPM1Spin: fixed format with one decimal.
  Spin->SetMinValue(-100);
  Spin->SetMaxValue(100);
  Spin->SetUseLimit(true);
  Spin->SetNumFormat(nfFixed);
  Spin->SetDigits(1);
  Spin->SetValue(77.63);
  EXPECT_EQ(Spin->text(), "77.6");
  EXPECT_EQ(Spin->Value(), 77.6);
  EXPECT_EQ(Changes, 1);
  Spin->SetValue(77.64);
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Spin->Value(), 77.64);

  Spin->SetValueNoEvent(-20.26);
  EXPECT_EQ(Spin->text(), "-20.3");
  EXPECT_EQ(Changes, 1);
  EXPECT_FALSE(Spin->BlockChangeEvent());
}

TEST_F(RealSpinWidget, AnErrorOfTheChangeHandlerReachesTheAssigningCode) {
  Spin->OnChange = [](QObject*) { throw std::runtime_error("No Image Set"); };
  EXPECT_THROW(Spin->SetValue(3), std::runtime_error);
  EXPECT_NO_THROW(Spin->SetValueNoEvent(4));
  EXPECT_EQ(Spin->text(), "4");
}

TEST_F(RealSpinWidget, AnErrorOfTheChangeHandlerWhileTypingGoesToTheErrorBox) {
  TErrorBox Box;
  Spin->OnChange = [](QObject*) { throw std::runtime_error("Unable to write to x"); };
  TypeOver("7");
  EXPECT_EQ(Box.Messages, std::vector<std::string>{"Unable to write to x"});
  EXPECT_EQ(Spin->Value(), 7);
}

TEST_F(RealSpinWidget, WrapEventsNameTheSpinAndTheDirection) {
  Spin->SetMinValue(0);
  Spin->SetMaxValue(360);
  Spin->SetUseLimit(true);
  Spin->SetWrap(true);
  std::vector<TWrapMode> Wraps;
  Spin->OnWrap = [&](QObject* Sender, TWrapMode M) {
    EXPECT_EQ(Sender, Spin);
    Wraps.push_back(M);
  };
  Spin->SetValue(365);
  EXPECT_EQ(Spin->text(), "5");
  Spin->SetValue(-5);
  EXPECT_EQ(Spin->text(), "355");
  EXPECT_EQ(Wraps, (std::vector<TWrapMode>{wrPastMax, wrPastMin}));
}

TEST_F(RealSpinWidget, KeyFilterDropsRefusedCharactersWithABeep) {
  Spin->SetValue(12);
  TypeOver("1x2");
  EXPECT_EQ(Spin->text(), "12");
  EXPECT_EQ(Beeps.Count, 1);
  QTest::keyClick(Spin, Qt::Key_Return);
  QTest::keyClick(Spin, Qt::Key_Enter);
  EXPECT_EQ(Spin->text(), "12");
  EXPECT_EQ(Beeps.Count, 3);
  QTest::keyClicks(Spin, "e-3");
  EXPECT_EQ(Spin->text(), "12e-3");
  EXPECT_DOUBLE_EQ(Spin->Value(), 0.012);
}

TEST_F(RealSpinWidget, WithTheEditorOffTheTextCannotBeChangedButStillStepped) {
  Spin->SetValue(5);
  Spin->SetEditorEnabled(false);
  FocusSpin();
  QTest::keyClicks(Spin, "9");
  QTest::keyClick(Spin, Qt::Key_Backspace);
  EXPECT_EQ(Beeps.Count, 2);
  Spin->selectAll();
  QTest::keyClick(Spin, Qt::Key_Delete);
  QTest::keyClick(Spin, Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(Spin->text(), "5");
  QTest::keyClick(Spin, Qt::Key_Up);
  EXPECT_EQ(Spin->text(), "6");

  QGuiApplication::clipboard()->setText("7x");
  Spin->selectAll();
  QTest::keyClick(Spin, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Spin->text(), "6");
  EXPECT_FALSE(Spin->acceptDrops());

  Spin->SetEditorEnabled(true);
  Spin->selectAll();
  QTest::keyClick(Spin, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Spin->text(), "7x") << "pasted text is not filtered";
  EXPECT_EQ(Spin->Value(), 6) << "and does not convert";
  Spin->setReadOnly(true);
  QTest::keyClick(Spin, Qt::Key_Up);
  EXPECT_EQ(Spin->text(), "7x");
  EXPECT_EQ(Beeps.Count, 3);  // a step on a read-only control beeps
}

TEST_F(RealSpinWidget, EnteringSelectsAllTextUnlessALeftPressOnTheEditBroughtTheFocus) {
  Spin->SetValue(123);
  Other->setFocus();
  QTest::mouseClick(Spin, Qt::LeftButton, Qt::NoModifier, QPoint(5, 12));
  EXPECT_TRUE(Spin->hasFocus());
  EXPECT_FALSE(Spin->hasSelectedText());

  Other->setFocus();
  TArrowButton* Up = Spin->UpDown()->DownArrowButton();
  Press(Up, Up->rect().center());
  Release(Up, QPoint(-50, -50));
  EXPECT_TRUE(Spin->hasFocus());
  EXPECT_EQ(Spin->selectedText(), "123");

  Other->setFocus();
  FocusSpin(Qt::TabFocusReason);
  EXPECT_EQ(Spin->selectedText(), "123");
}

TEST_F(RealSpinWidget, ExitHandlerRunsBeforeTheTextIsRewritten) {
  Spin->SetNumFormat(nfFixed);
  Spin->SetDigits(2);
  Spin->SetValue(1);
  QString TextAtExit;
  int KillFocus = 0;
  Spin->OnExit = [&](QObject*) { TextAtExit = Spin->text(); };
  Spin->OnKillFocus = [&](QObject*) { ++KillFocus; };
  TypeOver("2.5");
  LeaveSpin();
  EXPECT_EQ(TextAtExit, "2.5");
  EXPECT_EQ(Spin->text(), "2.50");
  EXPECT_EQ(KillFocus, 1);
}

TEST_F(RealSpinWidget, LocaleChangeReloadsTheSeparatorsAndRewritesTheText) {
  const TFormatSettings System = SystemSeparators();
  TFormatSettings Foreign = System.DecimalSeparator == ',' ? TFormatSettings{'.', ','} : TFormatSettings{',', '.'};
  Spin->SetNumFormat(nfThousands);
  Spin->SetDigits(2);
  Spin->RealRules().SetRegionalSettings(Foreign);
  Spin->SetValue(1234.5);
  EXPECT_EQ(Spin->text().toStdString(),
            std::string("1") + Foreign.ThousandSeparator + "234" + Foreign.DecimalSeparator + "50");
  QEvent Change(QEvent::LocaleChange);
  QApplication::sendEvent(Spin, &Change);
  EXPECT_EQ(Spin->text().toStdString(),
            std::string("1") + System.ThousandSeparator + "234" + System.DecimalSeparator + "50");
  EXPECT_EQ(Spin->Value(), 1234.5);
}

TEST(LocaleSeparators, PlainCharactersForEveryLocale) {
  struct TCase {
    QLocale Locale;
    char Decimal, Thousands;
  };
  const TCase Cases[] = {
      {QLocale(QLocale::English, QLocale::UnitedStates), '.', ','},
      {QLocale(QLocale::German, QLocale::Germany), ',', '.'},
      {QLocale(QLocale::French, QLocale::France), ',', ' '},  // a narrow no-break space there
      {QLocale(QLocale::Arabic, QLocale::Egypt), '.', ','},   // neither is a plain character
  };
  for (const TCase& C : Cases) {
    const TFormatSettings FS = SeparatorsOf(C.Locale);
    EXPECT_EQ(FS.DecimalSeparator, C.Decimal) << C.Locale.name().toStdString();
    EXPECT_EQ(FS.ThousandSeparator, C.Thousands) << C.Locale.name().toStdString();
  }
}

TEST_F(IntegerSpinWidget, UnitsPanelSitsBetweenTextAndArrows) {
  // WidthSpin of the image size settings.
  Spin->SetMinValue(1);
  Spin->SetMaxValue(100000);
  Spin->SetUseLimit(true);
  Spin->SetUnitsString("Px");
  Spin->SetValue(640);
  TDisPanel* Panel = Spin->UnitsPanel();
  TUpDownButton* UpDown = Spin->UpDown();
  ASSERT_TRUE(Panel->isVisible());
  EXPECT_EQ(Panel->width(), Panel->fontMetrics().horizontalAdvance("Px") + 6);
  EXPECT_EQ(Panel->geometry().right() + 1, UpDown->x());
  EXPECT_EQ(Panel->y(), UpDown->y());
  EXPECT_EQ(Panel->height(), UpDown->height());
  EXPECT_EQ(UpDown->width(), 15);
  EXPECT_EQ(Spin->width() - UpDown->geometry().right() - 1, UpDown->y()) << "arrows flush inside the frame";
  EXPECT_EQ(Spin->textMargins().right(), 15 + 2 + Panel->width());

  Spin->SetPanelWidth(40);
  EXPECT_EQ(Panel->width(), 40);
  Spin->resize(Spin->width(), 10);
  EXPECT_EQ(Spin->height(), Spin->MinimumHeight());
  Spin->SetUnitsString("");
  EXPECT_FALSE(Panel->isVisible());
  EXPECT_EQ(Spin->textMargins().right(), 15 + 2);
}

TEST_F(IntegerSpinWidget, TypedDecimalSeparatorLeavesTheLastGoodValue) {
  Spin->SetMinValue(1);
  Spin->SetMaxValue(100000);
  Spin->SetUseLimit(true);
  Spin->SetValue(640);
  FocusSpin();
  Spin->end(false);
  QTest::keyClicks(Spin, QString(QChar(Spin->IntegerRules().FormatSettings.DecimalSeparator)) + "5");
  EXPECT_EQ(Beeps.Count, 0);
  EXPECT_EQ(Spin->text().toStdString(),
            std::string("640") + Spin->IntegerRules().FormatSettings.DecimalSeparator + "5");
  EXPECT_EQ(Spin->Value(), 640);
  LeaveSpin();
  EXPECT_EQ(Spin->text(), "640");
}

TEST_F(IntegerSpinWidget, HexSpinShowsPaddedDigitsAndTakesOnlyHexKeys) {
  Spin->SetHexMode(true);
  Spin->SetValue(255);
  EXPECT_EQ(Spin->text(), "00FF");
  TypeOver("+1a");
  EXPECT_EQ(Beeps.Count, 1);
  EXPECT_EQ(Spin->text(), "1a");
  EXPECT_EQ(Spin->Value(), 26);
  QTest::keyClick(Spin, Qt::Key_Up);
  EXPECT_EQ(Spin->text(), "001B");
  Spin->SetHexMode(false);
  EXPECT_EQ(Spin->text(), "27");
}

TEST_F(IntegerSpinWidget, DisablingGreysTheArrowsAndTheUnits) {
  Spin->SetUnitsString("Px");
  Spin->setEnabled(false);
  TArrowButton* Up = Spin->UpDown()->UpArrowButton();
  EXPECT_FALSE(Up->isEnabled());
  EXPECT_FALSE(Spin->UpDown()->DownArrowButton()->isEnabled());
  EXPECT_EQ(Spin->UnitsPanel()->TextColor(), QColor(128, 128, 128));
  const QImage Image = Up->grab().toImage();
  const int X0 = (Up->width() - 7) / 2, Y0 = (Up->height() - 3) / 2 - 1;
  EXPECT_EQ(QColor(Image.pixel(X0 + 3, Y0)), QColor(128, 128, 128)) << "apex of the up triangle";
  EXPECT_EQ(QColor(Image.pixel(X0, Y0 + 3)), QColor(128, 128, 128));
  Spin->setEnabled(true);
  EXPECT_EQ(Spin->UnitsPanel()->TextColor(), QColor(0, 0, 0));
  EXPECT_EQ(QColor(Up->grab().toImage().pixel(X0 + 3, Y0)), QColor(0, 0, 0));
}

TEST(UpDownButton, ArrowsShareTheHeightAndOverlapByOnePixel) {
  struct TCase {
    int W, H;
    QRect Up, Down;
  };
  const TCase Cases[] = {
      {17, 23, QRect(0, 0, 17, 11), QRect(0, 10, 17, 13)},
      {15, 20, QRect(0, 0, 15, 10), QRect(0, 9, 15, 11)},
      {9, 17, QRect(0, 0, 15, 8), QRect(0, 7, 15, 10)},  // too narrow: raised to 15
  };
  TTestWindow Window;
  auto* UD = new TUpDownButton(&Window);
  UD->show();
  for (const TCase& C : Cases) {
    UD->resize(C.W, C.H);
    EXPECT_EQ(UD->UpArrowButton()->geometry(), C.Up) << C.W << "x" << C.H;
    EXPECT_EQ(UD->DownArrowButton()->geometry(), C.Down) << C.W << "x" << C.H;
  }
}

TEST(ArrowButton, TriangleRowsNarrowTowardTheApex) {
  for (bool UpArrow : {false, true}) {
    TArrowButton A;
    A.SetUpArrow(UpArrow);
    A.resize(15, 11);
    const QImage Image = A.grab().toImage();
    const int X0 = 4, Y0 = UpArrow ? 3 : 4;
    for (int Row = 0; Row < 4; ++Row) {
      const int Inset = UpArrow ? 3 - Row : Row;
      for (int X = X0 - 1; X <= X0 + 7; ++X) {
        const bool Inside = X >= X0 + Inset && X <= X0 + 6 - Inset;
        EXPECT_EQ(QColor(Image.pixel(X, Y0 + Row)) == QColor(Qt::black), Inside)
            << (UpArrow ? "up" : "down") << " arrow at " << X << "," << Y0 + Row;
      }
    }
  }
}

}  // namespace
