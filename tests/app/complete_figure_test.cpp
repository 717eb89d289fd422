#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMessageBox>
#include <QProgressDialog>
#include <QTimer>

#include "app/app_test_support.h"
#include "app/program_forms_fixture.h"
#include "controls/real_spin_widget.h"
#include "render/color.h"

namespace trochodraw {
namespace {

using testing::CountOtherPixels;
using testing::WhenModal;

class CompleteFigureTest : public testing::ProgramFormsTest {
 protected:
  void Choose(const std::string& Name) {
    for (int i = 0; i < static_cast<int>(PatternList.size()); ++i)
      if (PatternList[static_cast<size_t>(i)].Name == Name) W->PatternComboSelect(i);
  }
  std::string Status() const { return W->FigureStatusLabel->text().toStdString(); }
};

TEST_F(CompleteFigureTest, StatusBarFollowsTheSettings) {
  EXPECT_EQ(Status(),
            "Closes after 9,352,500 ticks (26.0 h; 2.6 h accelerated); looks closed after 232,964 ticks (38.8 min)");
  Choose("Owl Eyes");
  EXPECT_EQ(Status(), "Closes after 3,450 ticks (34.5 s; 3.5 s accelerated)");
  W->RPM1Spin->SetValue(0);
  W->RPM2Spin->SetValue(0);
  EXPECT_EQ(Status(), "Nothing moves: both wheel speeds are 0");
  Choose("Owl Eyes");
  for (int i = 0; i < 69; ++i) W->Timer1Timer();
  EXPECT_EQ(Status(), "Closes after 3,450 ticks (34.5 s; 3.5 s accelerated) \u2014 2% drawn");
  W->ClearBtnClick();
  EXPECT_EQ(Status(), "Closes after 3,450 ticks (34.5 s; 3.5 s accelerated)") << "Clear Figure starts again";
}

TEST_F(CompleteFigureTest, RunsExactlyOnePeriodAndEndsWhereItBegan) {
  Choose("Owl Eyes");
  const double a1 = W->Sim.Machine.Wheel1.Angle, p2 = W->Sim.Machine.Planet2.Angle;
  const int64_t before = W->Sim.TickCount();
  W->CompleteFigure1->trigger();
  EXPECT_EQ(W->Sim.TickCount() - before, 3450);
  EXPECT_NEAR(W->Sim.Machine.Wheel1.Angle, a1, 1e-6);
  EXPECT_NEAR(W->Sim.Machine.Planet2.Angle, p2, 1e-6);
  EXPECT_GT(CountOtherPixels(W->Sim.FigureImage, clWhite), 1000);
  EXPECT_EQ(Status(), "Closes after 3,450 ticks (34.5 s; 3.5 s accelerated) \u2014 complete");
}

TEST_F(CompleteFigureTest, CancelKeepsWhatWasDrawn) {
  // Mobius: long enough to cancel part of the way.
  QTimer::singleShot(700, [this] {
    if (auto* p = W->findChild<QProgressDialog*>("CompleteFigureProgress")) p->cancel();
  });
  const int64_t before = W->Sim.TickCount();
  W->CompleteFigure1->trigger();
  const int64_t ran = W->Sim.TickCount() - before;
  EXPECT_GT(ran, 0);
  EXPECT_LT(ran, 9352500);
  EXPECT_GT(CountOtherPixels(W->Sim.FigureImage, clWhite), 100);
  EXPECT_NE(Status().find("% drawn"), std::string::npos) << Status();
}

TEST_F(CompleteFigureTest, ClosingTheWindowEndsTheRun) {
  W->show();
  QTimer::singleShot(500, [this] { W->close(); });
  const int64_t before = W->Sim.TickCount();
  W->CompleteFigure1->trigger();  // Mobius: far longer than half a second
  EXPECT_LT(W->Sim.TickCount() - before, 9352500);
}

TEST_F(CompleteFigureTest, ALongRunAsksFirst) {
  W->RPM1Spin->SetValue(77.7);  // Mobius with one speed changed: 74,820,000 ticks
  QString question;
  WhenModal([&](QWidget* Box) {
    if (auto* m = qobject_cast<QMessageBox*>(Box)) question = m->text();
  });
  const int64_t before = W->Sim.TickCount();
  W->CompleteFigure1->trigger();
  EXPECT_TRUE(question.startsWith("The whole figure takes 74,820,000 ticks")) << question.toStdString();
  EXPECT_EQ(W->Sim.TickCount(), before) << "cancelled before it began";
}

}  // namespace
}  // namespace trochodraw
