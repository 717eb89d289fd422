#include "vector/export_drawing.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <fstream>
#include <sstream>

#include "app/app_test_support.h"
#include "app/main_window.h"
#include "app/program_forms.h"
#include "app/program_forms_fixture.h"
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

// A plotter file through the menu: the report tells what the plot costs, and the G-code is
// there with the default servo pen commands.
TEST_F(ExportDrawingTest, MenuWritesGCodeAndTellsThePlotTime) {
  for (int i = 0; i < 20; ++i) W->Sim.Timer1Timer();
  const std::string gcode = Temp.File("figure.gcode");
  const QString report = ExportThroughTheMenu(gcode);
  EXPECT_TRUE(report.contains("mm drawn")) << report.toStdString();
  EXPECT_TRUE(report.contains("about ")) << report.toStdString();
  const std::string text = Read(gcode);
  EXPECT_NE(text.find("G21"), std::string::npos);
  EXPECT_NE(text.find("M3 S1000"), std::string::npos);
}

// The statistics come from a worker thread and follow the options; a record longer than one
// period is cut to one by default.
TEST(ExportDrawingDialogTest, StatisticsFollowTheOptionsAndOnePeriodIsTheDefault) {
  auto record = std::make_shared<TStrokeRecord>();
  record->SetFigureSize(200, 100);
  // Out to the right in the first 400 ticks, then back over the same line.
  const auto x = [](int t) { return 10.0 + (t <= 400 ? t : 800 - t) * 0.3; };
  for (int t = 1; t <= 600; ++t) record->AddSegment({x(t - 1), 50}, {x(t), 50}, {clBlack, 1}, true, t);
  record->SetTickCount(600);
  TExportDrawingDialog D;
  D.SetRecord(record, TPeriodCut{true, 400, 600});
  auto* once = D.findChild<QCheckBox*>("OnePeriodChk");
  EXPECT_TRUE(once->isEnabled());
  EXPECT_TRUE(once->isChecked());
  EXPECT_TRUE(once->text().contains("400 of 600 ticks")) << once->text().toStdString();
  EXPECT_TRUE(D.StatisticsText().isEmpty()) << "no statistics for a figure page";

  D.SetFileName("plot.hpgl");
  EXPECT_TRUE(D.findChild<QDoubleSpinBox*>("ReinkSpin")->isEnabled()) << "HPGL is always a plotter page";
  EXPECT_EQ(D.Options().KeepTicks, 400u);
  const auto statistics = [&] {
    EXPECT_TRUE(QTest::qWaitFor([&] { return D.StatisticsText().contains("mm drawn"); }, 20000));
    return D.StatisticsText().toStdString();
  };
  const std::string cut = statistics();
  EXPECT_NE(cut.find("0 pauses"), std::string::npos) << cut;
  D.findChild<QDoubleSpinBox*>("ReinkSpin")->setValue(50);
  const std::string reinked = statistics();
  EXPECT_NE(reinked, cut);
  EXPECT_EQ(reinked.find("0 pauses"), std::string::npos) << reinked;
  once->setChecked(false);
  EXPECT_EQ(D.Options().KeepTicks, 0u);
  EXPECT_NE(statistics(), reinked) << "the whole record draws further";

  D.findChild<QLineEdit*>("PenUpEdit")->setText(" ");
  EXPECT_THROW(D.Options(), EDrawingError);
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
