#include "app/explorer_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <fstream>

#include "app/app_test_support.h"
#include "app/explorer_library_widget.h"
#include "app/explorer_surprise_widget.h"
#include "app/explorer_variations_widget.h"
#include "app/pattern_sharing_dialog.h"
#include "app/program_forms_fixture.h"
#include "colouring/coloring_dialog.h"
#include "controls/real_spin_widget.h"
#include "explore/pattern_exchange.h"
#include "patterns/pattern_file.h"

namespace trochodraw {
namespace {

class ExplorerWindowTest : public testing::ProgramFormsTest {
 protected:
  // Every test starts from the built-in library and leaves no library file behind.
  void SetUp() override {
    std::filesystem::remove(DefaultPatternFileName());
    ProgramFormsTest::SetUp();
  }
  void TearDown() override {
    ProgramFormsTest::TearDown();
    std::filesystem::remove(DefaultPatternFileName());
  }
  TExplorerWindow* Open() {
    W->findChild<QAction*>("Explorer1")->trigger();
    TExplorerWindow* E = FindExplorer(*W);
    EXPECT_NE(E, nullptr);
    return E;
  }
  // Lets the event loop deliver pictures until the batch is done (a minute at most, so a
  // fault fails instead of hanging).
  static void Settle(TThumbnailBatch& Batch) {
    QElapsedTimer clock;
    clock.start();
    while (Batch.Busy() && clock.elapsed() < 60000) QApplication::processEvents(QEventLoop::AllEvents, 20);
    QApplication::processEvents();
  }
  static bool Drawn(const QIcon& Icon) {
    const QImage img = Icon.pixmap(QSize(200, 150)).toImage();
    int ink = 0;
    for (int y = 0; y < img.height(); y += 2)
      for (int x = 0; x < img.width(); x += 2) ink += img.pixelColor(x, y).lightness() < 160;
    return ink > 20;
  }
};

TEST_F(ExplorerWindowTest, LibraryShowsEveryPatternAndAClickAppliesIt) {
  TExplorerWindow* E = Open();
  ASSERT_TRUE(E->isVisible());
  TExplorerLibrary* L = E->LibraryTab;
  Settle(L->Batch);
  ASSERT_EQ(L->LibraryList->count(), 19);
  for (int i = 0; i < 19; ++i) {
    EXPECT_EQ(L->LibraryList->item(i)->text().toStdString(), PatternList[static_cast<size_t>(i)].Name);
    EXPECT_TRUE(Drawn(L->LibraryList->item(i)->icon())) << i;
  }
  // A click on Owl Eyes' picture, as the user does it.
  QListWidgetItem* owl = L->LibraryList->item(11);
  L->LibraryList->scrollToItem(owl);
  const QRect r = L->LibraryList->visualItemRect(owl);
  QTest::mouseClick(L->LibraryList->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
  EXPECT_EQ(W->PatternCombo->currentText().toStdString(), "Owl Eyes");
  EXPECT_EQ(W->Circle1Spin->Value(), 54);
  EXPECT_EQ(W->RPM1Spin->Value(), -40);

  // Another background: every picture is drawn again in it.
  W->Sim.BackColor = 0x00FFFF;
  L->Refresh();
  EXPECT_TRUE(L->Batch.Busy());
  Settle(L->Batch);
  const QImage first = L->LibraryList->item(0)->icon().pixmap(QSize(200, 150)).toImage();
  EXPECT_EQ(first.pixelColor(1, 1), QColor(255, 255, 0));
}

TEST_F(ExplorerWindowTest, DoubleClickDrawsTheWholeFigureAlone) {
  TExplorerWindow* E = Open();
  Settle(E->LibraryTab->Batch);
  for (int i = 0; i < 40; ++i) W->Timer1Timer();  // some of Mobius drawn first
  E->LibraryTab->ItemDoubleClicked(11);
  EXPECT_EQ(W->PatternCombo->currentText().toStdString(), "Owl Eyes");
  EXPECT_EQ(W->Sim.TickCount(), 40 + 3450);
  EXPECT_EQ(W->FigureStatusLabel->text().toStdString(),
            "Closes after 3,450 ticks (34.5 s; 3.5 s accelerated) \u2014 complete");
}

TEST_F(ExplorerWindowTest, VariationsStepTheChosenSettingAndAClickAdoptsOne) {
  TExplorerWindow* E = Open();
  E->Tabs->setCurrentWidget(E->VariationsTab);
  TExplorerVariations* V = E->VariationsTab;
  V->SettingCombo->setCurrentText("Speed 2");
  V->StepSpin->setValue(0.5);
  V->AroundCurrent();
  Settle(V->Batch);
  ASSERT_EQ(V->Cells.size(), 9u);
  EXPECT_EQ(V->Cells[4]->text().toStdString(), "Speed 2 77.6  (now)");
  EXPECT_EQ(V->Cells[8]->text().toStdString(), "Speed 2 79.6");
  for (QToolButton* c : V->Cells) EXPECT_TRUE(Drawn(c->icon()));
  QTest::mouseClick(V->Cells[0], Qt::LeftButton);
  EXPECT_DOUBLE_EQ(W->RPM2Spin->Value(), 75.6);
  EXPECT_DOUBLE_EQ(W->RPM1Spin->Value(), 77.6);
  // The grid gathers round the adopted setting.
  EXPECT_EQ(V->Cells[4]->text().toStdString(), "Speed 2 75.6  (now)");
}

TEST_F(ExplorerWindowTest, SurpriseGoesIntoTheLibraryAndItsFile) {
  TExplorerWindow* E = Open();
  E->Tabs->setCurrentWidget(E->SurpriseTab);
  TExplorerSurprise* S = E->SurpriseTab;
  S->Surprise(11);
  Settle(S->Batch);
  EXPECT_EQ(S->SeedLabel->text().toStdString(), "Seed 11");
  for (QToolButton* c : S->Cells) EXPECT_TRUE(Drawn(c->icon()));
  const TPattern third = S->Patterns()[2];
  ASSERT_FALSE(third.Name.empty());
  EXPECT_EQ(S->Cells[2]->text().toStdString(), third.Name);
  QTest::mouseClick(S->AddButtons[2], Qt::LeftButton);
  EXPECT_FALSE(S->AddButtons[2]->isEnabled());
  // Inserted where Save Pattern inserts (first, the Settings grid never shown), file written.
  ASSERT_EQ(PatternList.size(), 20u);
  EXPECT_EQ(PatternList[0], third);
  EXPECT_EQ(W->PatternCombo->itemText(0).toStdString(), third.Name);
  TPatternArray saved;
  LoadPatterns(saved, DefaultPatternFileName(), {});
  EXPECT_EQ(saved, PatternList);
}

TEST_F(ExplorerWindowTest, ImportAddsAFileAndABrokenOneChangesNothing) {
  const std::string good = Temp.File("friend.ini");
  const TPatternArray two = {DefaultPatterns()[3], DefaultPatterns()[17]};
  WritePatternFile(good, two, {});
  const TSharingOutcome ok = ImportPatterns(*W, good);
  EXPECT_TRUE(ok.Ok);
  EXPECT_EQ(ok.Message.toStdString(), "Imported 2 patterns from friend.ini; the library now holds 21 patterns.");
  ASSERT_EQ(PatternList.size(), 21u);
  EXPECT_EQ(PatternList[20], two[1]);
  EXPECT_EQ(W->PatternCombo->count(), 21);

  const std::string broken = Temp.File("broken.ini");
  std::ofstream(broken) << "[Patterns]\nCount=1\nName0=x\nArmMode0=0\n";
  const TSharingOutcome bad = ImportPatterns(*W, broken);
  EXPECT_FALSE(bad.Ok);
  EXPECT_EQ(bad.Message.toStdString(), "broken.ini: pattern 1 has no Radius1 (key Radius10)\nNothing was imported.");
  EXPECT_EQ(PatternList.size(), 21u);

  // Export writes what import reads back.
  const std::string out = Temp.File("out.ini");
  EXPECT_TRUE(ExportPatterns(PatternList, out).Ok);
  EXPECT_EQ(ReadPatternFile(out, {}), PatternList);
}

}  // namespace
}  // namespace trochodraw
