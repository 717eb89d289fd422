// Figure > Export Animation...: the dialog runs the preview and the export on worker threads
// while the window goes on; a refused name and a cancelled export leave no file.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/export_animation_dialog.h"
#include "app/program_forms_fixture.h"

using namespace trochodraw;
using trochodraw::testing::TTempDir;

namespace {

class ExportAnimationTest : public trochodraw::testing::ProgramFormsTest {
 protected:
  // The window's own dialog, opened through the menu.
  TExportAnimationDialog* OpenFromMenu() {
    QAction* item = W->findChild<QAction*>("ExportAnimation1");
    EXPECT_NE(item, nullptr);
    if (!item) return nullptr;
    item->trigger();
    return W->findChild<TExportAnimationDialog*>("ExportAnimationDlg");
  }
  static std::string Contents(const std::string& File) {
    std::ifstream in(File, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  TTempDir Dir;
};

TEST_F(ExportAnimationTest, ExportsWhileTheWindowRuns) {
  TExportAnimationDialog* dlg = OpenFromMenu();
  ASSERT_NE(dlg, nullptr);
  EXPECT_TRUE(dlg->isVisible());
  EXPECT_FALSE(dlg->isModal());
  // The preview: a blank first frame and an inked last one, at the figure's size.
  ASSERT_TRUE(QTest::qWaitFor([&] { return dlg->PreviewReady(); }, 20000));
  EXPECT_EQ(dlg->FirstFrame().size(), QSize(W->Sim.FigureImage.Width(), W->Sim.FigureImage.Height()));
  EXPECT_EQ(dlg->FirstFrame().pixel(5, 5), dlg->FirstFrame().pixel(300, 200)) << "a fresh figure is blank";
  EXPECT_NE(dlg->LastFrame(), dlg->FirstFrame());

  const std::string file = Dir.File("window.gif");
  dlg->SetFileName(QString::fromStdString(file));
  dlg->findChild<QCheckBox*>("WholeFigureChk")->setChecked(false);
  QSignalSpy ended(dlg, &TExportAnimationDialog::ExportEnded);
  dlg->findChild<QPushButton*>("ExportBtn")->click();
  EXPECT_TRUE(dlg->Exporting());
  // The window's own machine goes on meanwhile.
  const int64_t ticks = W->Sim.TickCount();
  W->Timer1Timer();
  EXPECT_EQ(W->Sim.TickCount(), ticks + 1);
  ASSERT_TRUE(ended.wait(60000) || ended.count() == 1);
  EXPECT_TRUE(ended.first()[0].toBool()) << ended.first()[2].toString().toStdString();
  EXPECT_TRUE(std::filesystem::file_size(file) > 0);
  EXPECT_NE(dlg->findChild<QLabel*>("ErrorLabel")->text().indexOf("300 frames"), -1);
  dlg->close();
}

TEST_F(ExportAnimationTest, RefusedNameAndCancelLeaveNoFile) {
  TExportAnimationDialog* dlg = OpenFromMenu();
  ASSERT_NE(dlg, nullptr);
  dlg->SetFileName(QString::fromStdString(Dir.File("figure.png")));
  EXPECT_FALSE(dlg->StartExport());
  EXPECT_NE(dlg->findChild<QLabel*>("ErrorLabel")->text().indexOf(".gif, .webp or .mp4"), -1);
  EXPECT_FALSE(std::filesystem::exists(Dir.File("figure.png")));

  // A long export, cancelled: the old file stays as it was, and nothing else is left.
  const std::string file = Dir.File("old.mp4");
  std::ofstream(file) << "old";
  dlg->SetFileName(QString::fromStdString(file));
  dlg->findChild<QCheckBox*>("WholeFigureChk")->setChecked(true);  // millions of ticks
  QSignalSpy ended(dlg, &TExportAnimationDialog::ExportEnded);
  ASSERT_TRUE(dlg->StartExport());
  QTest::qWait(200);
  dlg->findChild<QPushButton*>("CancelBtn")->click();
  ASSERT_TRUE(ended.wait(30000) || ended.count() == 1);
  EXPECT_FALSE(ended.first()[0].toBool());
  EXPECT_TRUE(ended.first()[1].toBool()) << "cancelled";
  EXPECT_EQ(Contents(file), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Dir.Path()), {}), 1);
}

}  // namespace
