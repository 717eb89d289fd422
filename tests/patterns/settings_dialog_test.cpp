#include "patterns/settings_dialog.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/image_view_widget.h"
#include "app/main_window.h"
#include "app/program_forms.h"
#include "colouring/image_undoer.h"
#include "controls/integer_spin_widget.h"
#include "controls/radio_group_widget.h"
#include "controls/real_spin_widget.h"
#include "controls/speed_button.h"
#include "controls/widget_test_support.h"
#include "patterns/find_dialog.h"
#include "patterns/pattern_file.h"
#include "patterns/pattern_grid_widget.h"
#include "patterns/pattern_list_editor.h"
#include "patterns/properties_dialog.h"
#include "render/bitmap.h"
#include "support/modal_answer.h"

using namespace trochodraw;
using trochodraw::testing::TErrorBox;
using trochodraw::testing::TModalAnswer;

namespace {

class TFakeHost : public TPatternHost {
 public:
  TPattern Current{"", 1, 10, 20, 30, 40, 2, 1.5, 3, 4, 5, 6, 7, 8};
  std::vector<std::string> Applied;
  TPattern CapturePattern() override { return Current; }
  void ApplyPattern(const TPattern& P) override { Applied.push_back(P.Name); }
};

std::string ReadFile(const std::string& Path) {
  std::ifstream in(Path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Presses OK (or Cancel) in the next warning box and keeps its text.
struct TWarningAnswer {
  explicit TWarningAnswer(bool Ok)
      : Answer([this, Ok](QWidget* W) {
          auto* box = qobject_cast<QMessageBox*>(W);
          ASSERT_NE(box, nullptr);
          Text = box->text();
          Title = box->windowTitle();
          Icon = box->icon();
          Buttons = box->standardButtons();
          box->button(Ok ? QMessageBox::Ok : QMessageBox::Cancel)->click();
        }) {}
  QString Text, Title;
  QMessageBox::Icon Icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons Buttons;
  TModalAnswer Answer;
};

class SettingsDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Config.isValid());
    qputenv("XDG_CONFIG_HOME", Config.path().toUtf8());
    List = DefaultPatterns();
    Editor.PatternFileName = DefaultPatternFileName();
    Editor.FillPatternCombo(0);
    Dlg = std::make_unique<TSettingsDlg>(nullptr, &Editor, &Holder);
    Dlg->SetPropertiesDialog(&Props);
    Holder.OnPictureChanged = [this] { ++PictureChanges; };
  }
  void TearDown() override { qunsetenv("XDG_CONFIG_HOME"); }

  void Open() {
    Dlg->ShowSettings();
    Dlg->PageControl1->setCurrentWidget(Dlg->TabSheet2);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Dlg.get()));
  }
  void Click(TSpeedButton* B) { QTest::mouseClick(B, Qt::LeftButton); }
  void ClickRow(int R) {
    QTest::mouseClick(Dlg->PatternGrid->viewport(), Qt::LeftButton, {}, Dlg->PatternGrid->CellRect(1, R).center());
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> n;
    for (const TPattern& p : List) n.push_back(p.Name);
    return n;
  }
  // The main window's pattern combo as the editor last filled it.
  const std::vector<std::string>& ComboNames() const { return Editor.ComboItems(); }

  QTemporaryDir Config;
  TFakeHost Host;
  TPatternArray List;
  TPatternListEditor Editor{List, Host};
  TBitmap Figure{640, 480};
  TImageHolder Holder{Figure};
  TPropertiesDlg Props;
  std::unique_ptr<TSettingsDlg> Dlg;
  int PictureChanges = 0;
};

TEST_F(SettingsDialogTest, ImageTabSetsAndAppliesTheFigureSize) {
  Figure.SetPixel(10, 10, clRed);
  Figure.SetPixel(500, 400, clBlue);
  EXPECT_EQ(Dlg->WidthSpin->Value(), 1) << "the spins hold 1 until the dialog opens";
  Dlg->ShowSettings();
  EXPECT_EQ(Dlg->PageControl1->currentWidget(), Dlg->TabSheet1) << "the dialog opens on Image";
  EXPECT_EQ(Dlg->WidthSpin->Value(), 640);
  EXPECT_EQ(Dlg->HeightSpin->Value(), 480);
  EXPECT_EQ(Dlg->WidthSpin->UnitsString(), "Px");

  // "320x240" gives 320 x 200; Apply keeps the top-left part of the picture.
  QTest::mouseClick(Dlg->SizeRadio->Button(0), Qt::LeftButton);
  EXPECT_EQ(Dlg->WidthSpin->Value(), 320);
  EXPECT_EQ(Dlg->HeightSpin->Value(), 200);
  EXPECT_EQ(Figure.Width(), 640) << "choosing a size does not resize yet";
  QTest::mouseClick(Dlg->ApplyBtn, Qt::LeftButton);
  EXPECT_EQ(Figure.Width(), 320);
  EXPECT_EQ(Figure.Height(), 200);
  EXPECT_EQ(Figure.GetPixel(10, 10), clRed);
  EXPECT_EQ(PictureChanges, 1);

  // Typed sizes are limited by the spins; reopening shows the radio's size again.
  Dlg->WidthSpin->SetText("200000");
  Dlg->HeightSpin->SetText("0");
  Dlg->WidthSpin->clearFocus();
  EXPECT_EQ(Dlg->WidthSpin->Value(), 100000);
  EXPECT_EQ(Dlg->HeightSpin->Value(), 1);
  Dlg->WidthSpin->SetText("3000");
  Dlg->HeightSpin->SetText("2000");
  QTest::mouseClick(Dlg->ApplyBtn, Qt::LeftButton);
  EXPECT_EQ(Figure.Width(), 3000);
  EXPECT_EQ(Figure.GetPixel(10, 10), clRed);
  EXPECT_EQ(Figure.GetPixel(500, 100), clWhite) << "grown area is white; the cut part does not come back";
  Dlg->close();
  Dlg->ShowSettings();
  EXPECT_EQ(Dlg->WidthSpin->Value(), 320);
  EXPECT_EQ(Figure.Width(), 3000);
}

TEST_F(SettingsDialogTest, ASizeThatCannotBeHadLeavesTheFigureAsItWas) {
  Figure.SetPixel(3, 4, clLime);
  Dlg->ShowSettings();
  Dlg->WidthSpin->SetValue(100000);
  Dlg->HeightSpin->SetValue(100000);
  TErrorBox errors;
  QTest::mouseClick(Dlg->ApplyBtn, Qt::LeftButton);
  ASSERT_EQ(errors.Messages.size(), 1u);
  EXPECT_EQ(errors.Messages[0], "Not enough memory for a 100000 x 100000 bitmap");
  EXPECT_EQ(Figure.Width(), 640);
  EXPECT_EQ(Figure.Height(), 480);
  EXPECT_EQ(Figure.GetPixel(3, 4), clLime);
  EXPECT_EQ(PictureChanges, 0);
}

TEST_F(SettingsDialogTest, PatternButtonsCarryTheirHintsAndPictures) {
  const std::pair<TSpeedButton*, const char*> hints[] = {{Dlg->InsertPatternBtn, "Insert Current Pattern"},
                                                         {Dlg->SpeedButton1, "Overwrite"},
                                                         {Dlg->MoveUpBtn, "Move Move Up"},
                                                         {Dlg->MoveDnBtn, "Move Pattern Down"},
                                                         {Dlg->DeleteBtn, "Delete Pattern"},
                                                         {Dlg->SearchBtn, "Search For Pattern"},
                                                         {Dlg->PropertiesBtn, "View Pattern Properties"},
                                                         {Dlg->AllPatternBtn, "Show All Pattern Properties"}};
  for (const auto& [button, hint] : hints) {
    EXPECT_EQ(button->toolTip(), hint);
    EXPECT_EQ(button->size(), QSize(25, 25));
    EXPECT_FALSE(button->Glyph().isNull()) << hint;
  }
  const QHeaderView* header = Dlg->PatternGrid->horizontalHeader();
  EXPECT_EQ(Dlg->PatternGrid->model()->headerData(0, Qt::Horizontal).toString(), "#");
  EXPECT_EQ(Dlg->PatternGrid->model()->headerData(1, Qt::Horizontal).toString(), "Description");
  EXPECT_EQ(header->sectionSize(0), 32);
  EXPECT_EQ(header->sectionSize(1), 214);
}

TEST_F(SettingsDialogTest, OpeningFollowsTheComboAndRowsWithoutAPatternCannotBeChosen) {
  Editor.FillPatternCombo(3);
  Open();
  EXPECT_EQ(Dlg->Row(), 4);
  EXPECT_EQ(Dlg->PatternGrid->rowAt(0), 3) << "the current row is the top visible row";
  List.resize(5);
  Editor.UpdateGridRowCount();
  Dlg->PatternGrid->scrollToTop();

  ClickRow(2);
  EXPECT_EQ(Dlg->Row(), 2);
  ClickRow(8);
  EXPECT_EQ(Dlg->Row(), 2) << "an empty row cannot become current";
  ClickRow(5);
  QTest::keyClick(Dlg->PatternGrid, Qt::Key_Down);
  EXPECT_EQ(Dlg->Row(), 5) << "the keys stop at the last pattern";
  QTest::keyClick(Dlg->PatternGrid, Qt::Key_Up);
  EXPECT_EQ(Dlg->Row(), 4);
}

TEST_F(SettingsDialogTest, MoveAndDeleteFollowTheirRowRules) {
  Open();
  ClickRow(1);
  Click(Dlg->MoveUpBtn);
  EXPECT_EQ(List[0].Name, "Mobius") << "Move Up on the first pattern does nothing";
  ClickRow(3);
  Click(Dlg->MoveDnBtn);
  EXPECT_EQ(List[2].Name, "Loop");
  EXPECT_EQ(List[3].Name, "Carabiner");
  EXPECT_EQ(Dlg->Row(), 4) << "the selection follows the pattern down";
  Click(Dlg->MoveUpBtn);
  EXPECT_EQ(List[2].Name, "Carabiner");
  EXPECT_EQ(Dlg->Row(), 3);
  EXPECT_EQ(ComboNames(), std::vector<std::string>(Names()));  // moved back: same order
  Click(Dlg->MoveUpBtn);
  EXPECT_EQ(ComboNames()[1], "Donut") << "the combo keeps the old order until the dialog closes";

  // Cancel keeps the pattern; OK deletes it.
  ClickRow(19);
  Click(Dlg->MoveDnBtn);
  EXPECT_EQ(List.back().Name, "Flying Saucer") << "Move Down on the last pattern does nothing";
  {
    TWarningAnswer cancel(false);
    Click(Dlg->DeleteBtn);
    EXPECT_EQ(cancel.Text, "About to delete: Flying Saucer");
    EXPECT_EQ(cancel.Title, "Warning");
    EXPECT_EQ(cancel.Icon, QMessageBox::Warning);
    EXPECT_EQ(cancel.Buttons, QMessageBox::Ok | QMessageBox::Cancel);
  }
  EXPECT_EQ(List.size(), 19u);
  {
    TWarningAnswer ok(true);
    Click(Dlg->DeleteBtn);
    EXPECT_EQ(ok.Answer.Answered, 1);
  }
  EXPECT_EQ(List.size(), 18u);
  EXPECT_EQ(Dlg->Row(), 18) << "the grid moves to its new last row, the new last pattern";

  // With fewer than ten patterns the current row stays on an empty row; there Delete,
  // Move Up and Overwrite do nothing and ask nothing, and Insert appends.
  List.resize(5);
  Editor.UpdateGridRowCount();
  ClickRow(5);
  {
    TWarningAnswer ok(true);
    Click(Dlg->DeleteBtn);
  }
  EXPECT_EQ(List.size(), 4u);
  EXPECT_EQ(Dlg->Row(), 5);
  {
    TWarningAnswer never(true);
    Click(Dlg->DeleteBtn);
    Click(Dlg->SpeedButton1);
    Click(Dlg->MoveUpBtn);
    QTest::qWait(30);
    EXPECT_EQ(never.Answer.Answered, 0);
  }
  EXPECT_EQ(List.size(), 4u);
  Click(Dlg->InsertPatternBtn);
  ASSERT_EQ(List.size(), 5u);
  EXPECT_EQ(List[4].Name, "New Pattern");
  EXPECT_EQ(Editor.ComboIndex(), 4) << "Insert refills the combo";
}

TEST_F(SettingsDialogTest, OverwriteAsksAndKeepsTheName) {
  Open();
  ClickRow(2);
  TWarningAnswer ok(true);
  Click(Dlg->SpeedButton1);
  EXPECT_EQ(ok.Text, "About to overwrite: Donut");
  EXPECT_EQ(List[1].Name, "Donut");
  EXPECT_EQ(List[1].Radius1, Host.Current.Radius1);
  EXPECT_EQ(Editor.ComboIndex(), 1);
}

TEST_F(SettingsDialogTest, NamesAreEditedInPlaceInTheNameColumnOnly) {
  Open();
  ClickRow(2);
  QTest::keyClick(Dlg->PatternGrid, Qt::Key_F2);
  auto* edit = Dlg->PatternGrid->findChild<QLineEdit*>("InplaceEditor");
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->text(), "Donut");
  edit->selectAll();
  QTest::keyClicks(edit, "Bagel");
  QTest::keyClick(edit, Qt::Key_Return);
  QCoreApplication::processEvents();  // the editor hands its text over from the event loop
  EXPECT_EQ(List[1].Name, "Bagel");
  EXPECT_EQ(Dlg->PatternGrid->model()->index(1, 1).data().toString(), "Bagel");

  const QAbstractItemModel* m = Dlg->PatternGrid->model();
  EXPECT_FALSE(m->flags(m->index(1, 0)).testFlag(Qt::ItemIsEditable)) << "the number column is fixed";
  EXPECT_FALSE(m->flags(m->index(19, 1)).testFlag(Qt::ItemIsEditable)) << "no editor on a row without a pattern";
  EXPECT_EQ(ComboNames()[1], "Donut") << "the combo learns the name when the dialog closes";
  Dlg->close();
  EXPECT_EQ(ComboNames()[1], "Bagel");
}

TEST_F(SettingsDialogTest, FindNextMatchesWholeNamesFromTheCurrentRowOn) {
  Open();
  ClickRow(2);
  Click(Dlg->SearchBtn);
  TFindDialog* find = Dlg->FindDialog1;
  ASSERT_TRUE(find->isVisible());
  EXPECT_FALSE(find->isModal());
  EXPECT_FALSE(find->FindNextBtn->isEnabled()) << "nothing to find in an empty field";
  QTest::keyClicks(find->FindEdit, "Donut");
  QTest::mouseClick(find->FindNextBtn, Qt::LeftButton);
  EXPECT_EQ(Dlg->Row(), 2) << "the first search includes the current pattern";
  QTest::mouseClick(find->FindNextBtn, Qt::LeftButton);
  EXPECT_EQ(Dlg->Row(), 2) << "nothing further; the search does not wrap";

  for (const char* miss : {"donut", "Don"}) {
    ClickRow(1);
    Click(Dlg->SearchBtn);
    find->SetFindText(miss);
    QTest::mouseClick(find->FindNextBtn, Qt::LeftButton);
    EXPECT_EQ(Dlg->Row(), 1) << miss;
  }
  ClickRow(1);
  Click(Dlg->SearchBtn);
  find->SetFindText("Flying Saucer");
  QTest::mouseClick(find->FindNextBtn, Qt::LeftButton);
  EXPECT_EQ(Dlg->Row(), 19);
  EXPECT_TRUE(Host.Applied.empty()) << "finding does not apply";
}

TEST_F(SettingsDialogTest, EveryCloseWritesTheFileAndRebuildsTheCombo) {
  Open();
  ClickRow(3);
  Click(Dlg->MoveUpBtn);
  EXPECT_EQ(Dlg->Row(), 2);
  const std::string file = DefaultPatternFileName();
  ASSERT_FALSE(std::filesystem::exists(file));
  QTest::keyClick(Dlg.get(), Qt::Key_Escape);
  EXPECT_FALSE(Dlg->isVisible());
  ASSERT_TRUE(std::filesystem::exists(file)) << "Esc closes and writes";
  TPatternArray read;
  EXPECT_EQ(LoadPatterns(read, file, {}), 19);
  EXPECT_EQ(read[1].Name, "Carabiner");
  EXPECT_EQ(ComboNames()[1], "Carabiner");
  EXPECT_EQ(Editor.ComboIndex(), 1) << "the combo selects the grid's pattern";
  EXPECT_TRUE(Host.Applied.empty()) << "but does not apply it";

  // Closing with nothing changed writes again; the close box closes too.
  std::filesystem::remove(file);
  Dlg->ShowSettings();
  EXPECT_EQ(Dlg->Row(), 2);
  Dlg->close();
  EXPECT_TRUE(std::filesystem::exists(file));

  // Deleting every pattern writes a count of 0 and leaves the combo empty.
  Open();
  while (!List.empty()) {
    ClickRow(1);
    TWarningAnswer ok(true);
    Click(Dlg->DeleteBtn);
  }
  QTest::mouseClick(Dlg->CancelBtn, Qt::LeftButton);
  EXPECT_TRUE(ComboNames().empty());
  EXPECT_NE(ReadFile(file).find("Count=0"), std::string::npos);
}

TEST_F(SettingsDialogTest, AnUnwritableFileKeepsTheDialogOpen) {
  namespace fs = std::filesystem;
  const std::string file = DefaultPatternFileName();
  SavePatterns(List, file, {});
  fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  Open();
  ClickRow(3);
  Click(Dlg->MoveUpBtn);
  TErrorBox errors;
  QTest::keyClick(Dlg.get(), Qt::Key_Escape);
  ASSERT_EQ(errors.Messages.size(), 1u);
  EXPECT_EQ(errors.Messages[0], "Unable to write to Gyrotracer.ini");
  EXPECT_TRUE(Dlg->isVisible());
  EXPECT_EQ(ComboNames()[1], "Donut") << "the combo is not rebuilt";
  EXPECT_EQ(List[1].Name, "Carabiner") << "the list keeps the change";
  fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
  QTest::keyClick(Dlg.get(), Qt::Key_Escape);
  EXPECT_FALSE(Dlg->isVisible()) << "the next close tries again";
  EXPECT_EQ(ComboNames()[1], "Carabiner");
}

TEST_F(SettingsDialogTest, DoubleClickAppliesTheCurrentPattern) {
  Open();
  const QPoint at = Dlg->PatternGrid->CellRect(1, 5).center();
  QTest::mouseClick(Dlg->PatternGrid->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(Dlg->PatternGrid->viewport(), Qt::LeftButton, {}, at);
  ASSERT_EQ(Host.Applied.size(), 1u);
  EXPECT_EQ(Host.Applied[0], "Sandal");
  EXPECT_TRUE(Dlg->isVisible());
}

TEST_F(SettingsDialogTest, PropertiesAreAddedToTheMemo) {
  Open();
  ClickRow(1);
  for (int i = 0; i < 2; ++i) {
    TModalAnswer close([](QWidget* W) { qobject_cast<QDialog*>(W)->reject(); });
    Click(Dlg->PropertiesBtn);
    EXPECT_EQ(close.Answered, 1);
  }
  const std::string block =
      "Name: 'Mobius';\nArmMode: amPantograph;\nRadius1: 75.06;\nRadius2: 75.06;\nRPM1: 77.60;\nRPM2: 77.60;\n"
      "PlanetMode: pmOuterPlanet;\nScale: 2.00;\nOffset: (X: 0.0000; Y: 0.0000);\nAngle1: 18.47;\nAngle2: 335.47;\n"
      "Angle1A: 284.69;\nAngle2A: 327.69;\n\n";
  EXPECT_EQ(Props.MemoText(), block + block) << "13 lines and an empty line, kept from one showing to the next";
  {
    TModalAnswer close([](QWidget* W) { QTest::keyClick(W, Qt::Key_Escape); });
    Click(Dlg->AllPatternBtn);
  }
  const QStringList lines = QString::fromStdString(Props.MemoText()).split('\n');
  ASSERT_EQ(lines.size(), 28 + 19 + 1);
  EXPECT_TRUE(
      lines[28 + 4].startsWith("Name: 'Sandal'; ArmMode: amTBar; Radius1: 37.00; Radius2: 37.00; RPM1: -50.00;"));
  EXPECT_TRUE(lines[28 + 4].endsWith("Angle2A: 304.29; "));
  EXPECT_FALSE(Props.isVisible());
}

// The dialog as the program builds it: opened from the menu, bound to the main window's
// pattern list, combo and figure.
TEST(SettingsDialogInTheProgram, WorksOnTheMainWindowsPatternsAndFigure) {
  QTemporaryDir config;
  qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
  PatternList.clear();
  {
    TProgramForms forms;
    TForm1& w = *forms.Main;
    TSettingsDlg& d = *forms.Settings;
    w.show();
    w.PatternCombo->activated(4);  // the user picks "Sandal"
    EXPECT_DOUBLE_EQ(w.Circle1Spin->Value(), 37);
    w.Settings2->trigger();
    ASSERT_TRUE(d.isVisible());
    d.PageControl1->setCurrentWidget(d.TabSheet2);
    EXPECT_EQ(d.Row(), 5) << "the grid follows the combo";

    QTest::mouseClick(d.MoveUpBtn, Qt::LeftButton);
    EXPECT_EQ(d.Row(), 4);
    EXPECT_EQ(w.PatternCombo->itemText(4), "Sandal") << "the combo keeps its order while the dialog is open";
    const QPoint row3 = d.PatternGrid->CellRect(1, 3).center();
    QTest::mouseClick(d.PatternGrid->viewport(), Qt::LeftButton, {}, row3);
    QTest::mouseDClick(d.PatternGrid->viewport(), Qt::LeftButton, {}, row3);
    EXPECT_DOUBLE_EQ(w.Circle1Spin->Value(), 29) << "Carabiner, applied to the main window";
    QTest::keyClick(&d, Qt::Key_Escape);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(w.PatternCombo->itemText(3), "Sandal");
    EXPECT_EQ(w.PatternCombo->itemText(4), "Loop");
    EXPECT_EQ(w.PatternCombo->currentIndex(), 2);
    TPatternArray read;
    EXPECT_EQ(LoadPatterns(read, DefaultPatternFileName(), {}), 19);

    // Apply resizes the figure and its image control.
    w.Settings2->trigger();
    d.PageControl1->setCurrentWidget(d.TabSheet1);
    QTest::mouseClick(d.SizeRadio->Button(0), Qt::LeftButton);
    QTest::mouseClick(d.ApplyBtn, Qt::LeftButton);
    EXPECT_EQ(w.Sim.FigureImage.Width(), 320);
    EXPECT_EQ(w.Sim.FigureImage.Height(), 200);
    EXPECT_EQ(w.Image2->size(), QSize(320, 200));
    d.MarkCenterChk->setChecked(true);
    EXPECT_TRUE(MarkCenterChecked());
  }
  qunsetenv("XDG_CONFIG_HOME");
}

}  // namespace
