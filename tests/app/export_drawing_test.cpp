#include <gtest/gtest.h>

#include <QAction>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QCheckBox>
#include <QComboBox>
#include <QTest>
#include <fstream>
#include <sstream>

#include "app/app_test_support.h"
#include "app/program_forms_fixture.h"
#include "app/main_window.h"
#include "app/program_forms.h"
#include "colouring/coloring_dialog.h"
#include "patterns/pattern.h"
#include "support/run_command.h"
#include "vector/export_drawing_dialog.h"
#include "vector/export_options.h"

using namespace trochodraw;
using trochodraw::testing::TTempDir;
using trochodraw::testing::WhenModal;

namespace {

class ExportDrawingTest : public trochodraw::testing::ProgramFormsTest {
 protected:
  // Runs File > Export Drawing..., fills in the file name, presses Export and returns the
  // text of the box that reports the export.
  QString ExportThroughTheMenu(const std::string& File) {
    QString report;
    WhenModal([&](QWidget* D) {
      ASSERT_NE(D, nullptr);
      D->findChild<QLineEdit*>("FileEdit")->setText(QString::fromStdString(File));
      WhenModal([&](QWidget* Box) {
        if (auto* M = qobject_cast<QMessageBox*>(Box)) {
          report = M->text();
          M->accept();
        }
      });
      D->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    W->ExportDrawing1->trigger();
    return report;
  }

  static std::string Read(const std::string& File) {
    std::ifstream in(File);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

};

TEST_F(ExportDrawingTest, MenuWritesTheStrokesDrawnSoFar) {
  for (int i = 0; i < 5; ++i) W->Sim.Timer1Timer();
  ASSERT_GT(W->StrokeRecord.SegmentCount(), 0u);
  const std::string svg = Temp.File("figure.svg");
  const QString report = ExportThroughTheMenu(svg);
  EXPECT_TRUE(report.startsWith("Wrote ")) << report.toStdString();
  const std::string text = Read(svg);
  EXPECT_NE(text.find("<svg"), std::string::npos);
  EXPECT_NE(text.find("<path"), std::string::npos);
  EXPECT_EQ(trochodraw::testing::RunCommand("xmllint --noout " + svg).Status, 0);
}

TEST_F(ExportDrawingTest, AfterAMosaicTheExportSaysItHoldsOnlyTheStrokes) {
  for (int i = 0; i < 5; ++i) W->Sim.Timer1Timer();
  Forms->Coloring->MozaicBtnClick();
  const QString report = ExportThroughTheMenu(Temp.File("figure.pdf"));
  EXPECT_TRUE(report.contains("mosaic colours are not part of the vector drawing")) << report.toStdString();
  EXPECT_EQ(Read(Temp.File("figure.pdf")).rfind("%PDF", 0), 0u);
  W->ClearBtnClick();
  EXPECT_EQ(W->StrokeRecord.SegmentCount(), 0u) << "Clear Figure empties the record";
}

TEST(ExportDrawingDialogTest, NamesMistakesAndKeepsWhatWasTyped) {
  TExportDrawingDialog D;
  D.SetFileName("drawing.png");
  D.show();
  D.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
  EXPECT_EQ(D.result(), QDialog::Rejected) << "not accepted";
  EXPECT_FALSE(D.findChild<QLabel*>("ErrorLabel")->text().isEmpty());
  EXPECT_EQ(D.findChild<QLineEdit*>("FileEdit")->text(), "drawing.png");

  D.SetFileName("drawing.svg");
  D.findChild<QCheckBox*>("PlotterChk")->setChecked(true);
  D.findChild<QComboBox*>("PageCombo")->setCurrentIndex(3);
  D.findChild<QLineEdit*>("CustomPageEdit")->setText("nonsense");
  EXPECT_THROW(D.Options(), EDrawingError);
  D.findChild<QLineEdit*>("CustomPageEdit")->setText("300x200mm");
  const TExportOptions o = D.Options();
  EXPECT_TRUE(o.Plotter);
  EXPECT_DOUBLE_EQ(o.Page.WidthMM, 300);
  EXPECT_DOUBLE_EQ(o.Page.HeightMM, 200);
  EXPECT_DOUBLE_EQ(o.MarginMM, 10);
}

}  // namespace
