#include <gtest/gtest.h>

#include <QDialog>
#include <QTimer>
#include <stdexcept>
#include <vector>

#include "controls/fancy_button.h"
#include "controls/fancy_speed_button.h"
#include "widget_test_support.h"

using namespace trochodraw;
using namespace trochodraw::testing;

namespace {

// The Step button: repeats while held; every click is stamped with the fake time.
class AutoRepeat : public ::testing::Test {
 protected:
  AutoRepeat() {
    Button.resize(75, 25);
    Button.DoRepeat = true;
    Button.OnClick = [this](QObject* Sender) {
      EXPECT_EQ(Sender, &Button);
      Clicks.push_back(Clock.Now);
    };
    Button.OnMouseUp = [this](QObject*) { ++MouseUps; };
  }
  const QPoint Inside{10, 10};
  const QPoint Outside{100, 10};

  TFakeClock Clock;
  TFancySpeedBtn Button;
  std::vector<long> Clicks;
  int MouseUps = 0;
};

TEST_F(AutoRepeat, HoldingOneSecondClicksEvery100MillisecondsAfterTheFirst400) {
  Press(&Button, Inside);
  EXPECT_TRUE(Button.Pressed());
  Clock.Advance(1000);
  Release(&Button, Inside);
  EXPECT_EQ(Clicks, (std::vector<long>{400, 500, 600, 700, 800, 900, 1000, 1000}));
  EXPECT_FALSE(Button.Pressed());
  EXPECT_FALSE(Button.RepeatTimer()->Active());
  EXPECT_EQ(MouseUps, 1);
}

TEST_F(AutoRepeat, WithoutRepeatAHeldButtonClicksOnceOnRelease) {
  Button.DoRepeat = false;
  Press(&Button, Inside);
  Clock.Advance(1000);
  EXPECT_TRUE(Clicks.empty());
  EXPECT_EQ(Button.RepeatTimer(), nullptr);
  Release(&Button, Inside);
  EXPECT_EQ(Clicks, std::vector<long>{1000});
}

TEST_F(AutoRepeat, PointerOutsideStopsTheClicksAndAReleaseOutsideAddsNone) {
  Press(&Button, Inside);
  Clock.Advance(450);
  Move(&Button, Outside);
  EXPECT_EQ(Button.State(), TButtonState::bsUp);
  Clock.Advance(300);
  Move(&Button, Inside);
  Clock.Advance(100);
  Release(&Button, Outside);
  Clock.Advance(500);
  EXPECT_EQ(Clicks, (std::vector<long>{400, 800}));
  EXPECT_EQ(MouseUps, 1);
  EXPECT_EQ(Button.State(), TButtonState::bsUp);
}

TEST_F(AutoRepeat, AFailingRepeatedClickStopsTheTimerAndReachesTheErrorBox) {
  TErrorBox Box;
  Button.OnClick = [this](QObject*) {
    Clicks.push_back(Clock.Now);
    if (Clicks.size() == 2) throw std::runtime_error("Empty Array Allocation");
  };
  Press(&Button, Inside);
  Clock.Advance(1000);
  EXPECT_EQ(Clicks, (std::vector<long>{400, 500}));
  EXPECT_EQ(Box.Messages, std::vector<std::string>{"Empty Array Allocation"});
  EXPECT_FALSE(Button.RepeatTimer()->Active());
  EXPECT_TRUE(Button.Pressed()) << "held until the release";
  EXPECT_EQ(Button.State(), TButtonState::bsDown);
  Release(&Button, Inside);
  EXPECT_EQ(Clicks.size(), 3u);
  EXPECT_EQ(MouseUps, 1);
}

TEST_F(AutoRepeat, AFailingReleaseClickStillEndsTheHold) {
  TErrorBox Box;
  Button.OnClick = [](QObject*) { throw std::runtime_error("Unable to write to x"); };
  Press(&Button, Inside);
  Release(&Button, Inside);
  EXPECT_EQ(Box.Messages, std::vector<std::string>{"Unable to write to x"});
  EXPECT_FALSE(Button.RepeatTimer()->Active());
  EXPECT_EQ(MouseUps, 1);
}

TEST_F(AutoRepeat, DisablingAHeldButtonEndsTheHoldWithoutAClick) {
  Press(&Button, Inside);
  Clock.Advance(450);
  Button.setEnabled(false);
  Clock.Advance(500);
  EXPECT_EQ(Clicks, std::vector<long>{400});
  EXPECT_FALSE(Button.Pressed());
  EXPECT_EQ(MouseUps, 1);
  EXPECT_EQ(Button.State(), TButtonState::bsDisabled);
}

// The main window's top bar: Run and Lift Pen share group 50 with all-up allowed.
class ButtonGroups : public ::testing::Test {
 protected:
  ButtonGroups() {
    int X = 0;
    for (TFancySpeedBtn* B : {Run, LiftPen, Lone}) {
      B->setGeometry(X, 0, 75, 25);
      X += 80;
    }
    Run->SetGroupIndex(50);
    LiftPen->SetGroupIndex(50);
    Run->SetAllowAllUp(true);
  }
  void ClickOn(TSpeedButton* B) {
    Press(B, QPoint(5, 5));
    Release(B, QPoint(5, 5));
  }

  QWidget Bar;
  TFancySpeedBtn* Run = new TFancySpeedBtn(&Bar);
  TFancySpeedBtn* LiftPen = new TFancySpeedBtn(&Bar);
  TFancySpeedBtn* Lone = new TFancySpeedBtn(&Bar);
};

TEST_F(ButtonGroups, PressingOneReleasesTheOtherAndAllMayBeUp) {
  EXPECT_TRUE(LiftPen->AllowAllUp()) << "the group shares the setting";
  ClickOn(Run);
  EXPECT_TRUE(Run->Down());
  EXPECT_EQ(Run->State(), TButtonState::bsExclusive);
  ClickOn(LiftPen);
  EXPECT_TRUE(LiftPen->Down());
  EXPECT_FALSE(Run->Down());
  EXPECT_EQ(Run->State(), TButtonState::bsUp);
  ClickOn(LiftPen);
  EXPECT_FALSE(LiftPen->Down());
  Run->SetDown(true);
  LiftPen->SetDown(true);
  EXPECT_FALSE(Run->Down());
  Run->SetDown(false);  // the Lift Pen handler releasing Run
  EXPECT_TRUE(LiftPen->Down());
}

TEST_F(ButtonGroups, WithoutAllUpADownButtonStaysDown) {
  Run->SetAllowAllUp(false);
  int RunClicks = 0;
  Run->OnClick = [&](QObject*) { ++RunClicks; };
  ClickOn(Run);
  ClickOn(Run);
  EXPECT_TRUE(Run->Down());
  EXPECT_EQ(RunClicks, 2);
  Run->SetDown(false);
  EXPECT_TRUE(Run->Down());
}

TEST_F(ButtonGroups, AButtonOutsideAGroupNeverStaysDown) {
  Lone->SetDown(true);
  EXPECT_FALSE(Lone->Down());
  Press(Lone, QPoint(5, 5));
  EXPECT_EQ(Lone->State(), TButtonState::bsDown);
  Release(Lone, QPoint(5, 5));
  EXPECT_EQ(Lone->State(), TButtonState::bsUp);
  EXPECT_FALSE(Lone->Down());
}

TEST(SpeedButtonCaption, FollowsTheComponentNameUntilSet) {
  TFancySpeedBtn B;
  EXPECT_EQ(B.size(), QSize(75, 25));
  B.setObjectName("RunBtn");
  EXPECT_EQ(B.Caption(), "RunBtn");
  B.SetCaption("Run");
  B.setObjectName("Other");
  EXPECT_EQ(B.Caption(), "Run");
}

TEST(FancyButton, ClickHandsTheModalResultToTheDialog) {
  QDialog Dialog;
  auto* Ok = new TFancyButton(&Dialog);
  Ok->SetCaption("OK");
  Ok->SetModalResult(mrOk);
  int Clicks = 0;
  Ok->OnClick = [&](QObject*) { ++Clicks; };
  QTimer::singleShot(0, Ok, [Ok] { QTest::mouseClick(Ok, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10)); });
  EXPECT_EQ(Dialog.exec(), mrOk);
  EXPECT_EQ(Clicks, 1);
}

TEST(FancyButton, DefaultButtonIsActiveUntilAnotherButtonTakesTheFocus) {
  TTestWindow Window;
  auto* Ok = new TFancyButton(&Window);
  auto* Cancel = new TFancyButton(&Window);
  auto* Edit = new TEditEx(&Window);
  Cancel->move(0, 40);
  Edit->move(0, 80);
  for (QWidget* W : std::initializer_list<QWidget*>{Ok, Cancel, Edit}) W->show();
  Ok->setDefault(true);
  Edit->setFocus();
  EXPECT_TRUE(Ok->Active());
  EXPECT_FALSE(Cancel->Active());
  Cancel->setFocus();
  EXPECT_FALSE(Ok->Active());
  EXPECT_TRUE(Cancel->Active());

  Ok->SetDown(true);
  EXPECT_TRUE(Ok->Down());
  Ok->SetDown(false);
  EXPECT_FALSE(Ok->Down());
}

}  // namespace
