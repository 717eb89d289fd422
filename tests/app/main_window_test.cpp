#include "app/main_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QColorDialog>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QSplitter>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "app/about_dialog.h"
#include "app/app_test_support.h"
#include "app/program_forms_fixture.h"
#include "app/image_view_widget.h"
#include "app/manual_window_dialog.h"
#include "app/program_forms.h"
#include "colouring/coloring_dialog.h"
#include "controls/edit_ex_widget.h"
#include "controls/fancy_button.h"
#include "controls/fancy_speed_button.h"
#include "controls/help_system.h"
#include "controls/open_document.h"
#include "controls/radio_group_widget.h"
#include "controls/real_spin_widget.h"
#include "controls/track_bar_widget.h"
#include "controls/widget_test_support.h"
#include "imagefiles/save_picture_dialog.h"
#include "patterns/pattern.h"
#include "patterns/settings_dialog.h"
#include "support/run_command.h"

namespace trochodraw {
namespace {

using testing::CountOtherPixels;
using testing::TErrorBox;
using testing::TTempDir;
using testing::WhenModal;

// The user types a full name into the save dialog and confirms it.
void TypeFileName(QFileDialog* Dialog, const std::string& Name) {
  ASSERT_NE(Dialog, nullptr);
  auto* Edit = Dialog->findChild<QLineEdit*>("fileNameEdit");
  ASSERT_NE(Edit, nullptr);
  Edit->setText(QString::fromStdString(Name));
  static_cast<QDialog*>(Dialog)->accept();
}

class MainWindowTest : public testing::ProgramFormsTest {
 protected:
  void Click(QWidget* Widget, QPoint At = {}) {
    QTest::mouseClick(Widget, Qt::LeftButton, {}, At.isNull() ? Widget->rect().center() : At);
  }
  // The user moves a slider with the arrow keys, one press per step.
  static void MoveBar(TTrackBarExt* Bar, int Target) {
    while (Bar->Position() != Target) QTest::keyClick(Bar, Bar->Position() < Target ? Qt::Key_Right : Qt::Key_Left);
  }
};

TEST_F(MainWindowTest, StartsWithTheFirstBuiltInPatternApplied) {
  EXPECT_EQ(W->windowTitle(), "Trochodraw");
  EXPECT_EQ(W->size(), QSize(986, 636));
  EXPECT_EQ(W->PatternCombo->count(), 19);
  EXPECT_EQ(W->PatternCombo->currentText(), "Mobius");
  EXPECT_DOUBLE_EQ(W->Circle1Spin->Value(), 75.06);
  EXPECT_DOUBLE_EQ(W->Circle2Spin->Value(), 75.06);
  EXPECT_DOUBLE_EQ(W->RPM1Spin->Value(), 77.6);
  EXPECT_DOUBLE_EQ(W->RPM2Spin->Value(), 77.6);
  EXPECT_EQ(W->ModeRadio->ItemIndex(), pmOuterPlanet);
  EXPECT_EQ(W->MechanismRadio->ItemIndex(), amPantograph);
  EXPECT_DOUBLE_EQ(W->ScaleSpin->Value(), 2.0);
  const std::pair<TRealSpin*, const char*> Angles[] = {
      {W->Angle1Spin, "18.5"}, {W->Angle2Spin, "335.5"}, {W->Angle1ASpin, "284.7"}, {W->Angle2ASpin, "327.7"}};
  for (const auto& [Spin, Text] : Angles)
    EXPECT_EQ(Spin->text().toStdString(), Text) << Spin->objectName().toStdString();
  // Each spin whose text changed moved its slider to the nearest whole position.
  EXPECT_EQ(W->Circle1Bar->Position(), 75);
  EXPECT_EQ(W->RPM1Bar->Position(), 78);
  // The wheels stand at the pattern's angles and the displays show them.
  EXPECT_NEAR(W->Sim.Machine.Wheel1.Angle, 18.5, 1e-9);
  EXPECT_EQ(W->Angle1Dis->text(), "18.5");
  EXPECT_EQ(W->Angle2ADis->text(), "327.7");
  // A white 640 x 480 figure without a centre mark: the Settings dialog did not exist yet.
  ASSERT_EQ(W->Sim.FigureImage.Width(), 640);
  ASSERT_EQ(W->Sim.FigureImage.Height(), 480);
  EXPECT_EQ(CountOtherPixels(W->Sim.FigureImage, clWhite), 0);
  EXPECT_FALSE(W->Sim.PenDown);
  EXPECT_EQ(W->Image2->size(), QSize(640, 480));
  // The mechanism pane shows the machine.
  EXPECT_GT(CountOtherPixels(W->Sim.MechanismImage, clWhite), 1000);
  EXPECT_FALSE(W->Timer1->isActive());
  EXPECT_EQ(W->Timer1->interval(), 10);
  EXPECT_EQ(W->Timer1->timerType(), Qt::PreciseTimer);
}

TEST_F(MainWindowTest, ShutdownDeletesTheUndoFiles) {
  W->Colors1->trigger();
  ASSERT_EQ(Forms->Coloring->ImageUndoer1.Count(), 1);
  Forms.reset();
  EXPECT_TRUE(std::filesystem::is_empty(Temp.Path()));
}

TEST_F(MainWindowTest, CircleLockCopiesEveryRadiusChange) {
  Click(W->CircleLockBtn);
  ASSERT_TRUE(W->CircleLockBtn->Down());
  MoveBar(W->Circle1Bar, 50);
  EXPECT_DOUBLE_EQ(W->Circle1Spin->Value(), 50);
  EXPECT_DOUBLE_EQ(W->Circle2Spin->Value(), 50);
  EXPECT_EQ(W->Circle2Bar->Position(), 50);
  // Typed values go the other way as well, and keep their decimals.
  W->Circle2Spin->SetValue(33.3);
  EXPECT_DOUBLE_EQ(W->Circle1Spin->Value(), 33.3);
  EXPECT_EQ(W->Circle1Bar->Position(), 33);
  EXPECT_DOUBLE_EQ(W->Sim.Settings.Machine.Radius1Percent, 33.3);
}

TEST_F(MainWindowTest, LockButtonsReleaseEachOther) {
  W->RPM1Spin->SetValue(30);
  EXPECT_DOUBLE_EQ(W->RPM2Spin->Value(), 77.6) << "no lock yet";
  Click(W->CircleLockBtn);
  Click(W->RPMLockBtn);
  EXPECT_FALSE(W->CircleLockBtn->Down());
  EXPECT_TRUE(W->RPMLockBtn->Down());
  EXPECT_DOUBLE_EQ(W->RPM2Spin->Value(), 30);
  EXPECT_EQ(W->RPM2Bar->Position(), 30);
  // Pressing the down lock again releases it; nothing is copied any more.
  Click(W->RPMLockBtn);
  EXPECT_FALSE(W->RPMLockBtn->Down());
  W->RPM1Spin->SetValue(-12.5);
  EXPECT_DOUBLE_EQ(W->RPM2Spin->Value(), 30);
}

TEST_F(MainWindowTest, AppliedPatternUnderALockKeepsTheSecondValue) {
  Click(W->CircleLockBtn);
  TPattern P = PatternList.at(0);
  P.Radius1 = 54;
  P.Radius2 = 50;
  W->ApplyPattern(P);
  EXPECT_DOUBLE_EQ(W->Circle1Spin->Value(), 50);
  EXPECT_DOUBLE_EQ(W->Circle2Spin->Value(), 50);
}

TEST_F(MainWindowTest, OffsetSpinsRerunTheFirstRadiusHandler) {
  int Redraws = 0;
  auto Shown = W->Sim.OnMechanismDrawn;
  W->Sim.OnMechanismDrawn = [&] {
    ++Redraws;
    Shown();
  };
  W->OffXSpin->SetValue(5);
  EXPECT_EQ(Redraws, 1) << "the machine is redrawn";
  EXPECT_DOUBLE_EQ(W->Sim.Settings.OffX, 5);
  // With the lock down (set without its click handler, so nothing is copied yet) the
  // offset's change copies the first radius into the second.
  W->Circle2Spin->SetValue(30);
  W->CircleLockBtn->SetDown(true);
  W->OffYSpin->SetValue(-7);
  EXPECT_DOUBLE_EQ(W->Circle2Spin->Value(), 75.06);
  EXPECT_EQ(W->Circle2Bar->Position(), 75);
  EXPECT_DOUBLE_EQ(W->Sim.Settings.OffY, -7);
}

TEST_F(MainWindowTest, ClickOffsetMovesTheReferencePointToThePress) {
  Click(W->ClickOffBtn);
  ASSERT_TRUE(W->ClickOffBtn->Down());
  Click(W->Image2, QPoint(400, 100));
  EXPECT_DOUBLE_EQ(W->OffXSpin->Value(), 80);
  EXPECT_DOUBLE_EQ(W->OffYSpin->Value(), -140);
  EXPECT_FALSE(W->ClickOffBtn->Down());
  // Without the button a press changes nothing.
  Click(W->Image2, QPoint(10, 10));
  EXPECT_DOUBLE_EQ(W->OffXSpin->Value(), 80);
  EXPECT_DOUBLE_EQ(W->OffYSpin->Value(), -140);
}

TEST_F(MainWindowTest, OneStepDrawsIntoTheFigure) {
  std::vector<TVector2> Ends;
  W->Sim.OnSegment = [&](TVector2, TVector2 To, const TLineStyle&, bool) { Ends.push_back(To); };
  Click(W->StepBtn);
  EXPECT_GT(Ends.size(), 1u);
  EXPECT_GT(CountOtherPixels(W->Sim.FigureImage, clWhite), 10);
  EXPECT_NE(W->Angle1Dis->text(), "18.5");
  EXPECT_TRUE(W->Sim.PenDown);
  // Running starts and stops the timer with the button.
  Click(W->RunBtn);
  EXPECT_TRUE(W->Timer1->isActive());
  Click(W->RunBtn);
  EXPECT_FALSE(W->Timer1->isActive());
}

TEST_F(MainWindowTest, StepRepeatsWhileHeldAndRunTicksOnTheTimer) {
  testing::TFakeClock Clock;
  const int Before = W->Sim.TickCount();
  QTest::mousePress(W->StepBtn, Qt::LeftButton, {}, W->StepBtn->rect().center());
  Clock.Advance(1000);  // repeats at 400, 500, ..., 1000 ms
  QTest::mouseRelease(W->StepBtn, Qt::LeftButton, {}, W->StepBtn->rect().center());
  EXPECT_EQ(W->Sim.TickCount() - Before, 7 + 1) << "seven repeats and the click of the release";

  const int Running = W->Sim.TickCount();
  Click(W->RunBtn);
  QTest::qWait(120);
  Click(W->RunBtn);
  EXPECT_GT(W->Sim.TickCount() - Running, 2);
}

TEST_F(MainWindowTest, LiftPenWhileRunningStopsAndStartsANewLine) {
  Click(W->StepBtn);
  Click(W->RunBtn);
  ASSERT_TRUE(W->Timer1->isActive());
  const TVector2 Before = W->Sim.PrevPoint;
  Click(W->LiftPenBtn);
  EXPECT_FALSE(W->Timer1->isActive());
  EXPECT_FALSE(W->RunBtn->Down());
  EXPECT_FALSE(W->Sim.PenDown);
  W->Angle1Spin->SetValue(100);  // the pen moves away while lifted
  std::vector<TVector2> Starts;
  W->Sim.OnSegment = [&](TVector2 From, TVector2, const TLineStyle&, bool) { Starts.push_back(From); };
  Click(W->StepBtn);
  ASSERT_FALSE(Starts.empty());
  EXPECT_GT(VecLength(VecSub(Starts.front(), Before)), 1.0) << "no segment joins the old point";
  EXPECT_FALSE(W->LiftPenBtn->Down()) << "a stroke releases Lift Pen";
}

TEST_F(MainWindowTest, BackColorIsUsedFromTheNextClear) {
  WhenModal([](QWidget* D) {
    auto* Dialog = qobject_cast<QColorDialog*>(D);
    ASSERT_NE(Dialog, nullptr);
    Dialog->setCurrentColor(QColor(255, 0, 0));
    Dialog->accept();
  });
  Click(W->BackColorBtn);
  EXPECT_EQ(W->Sim.BackColor, clRed);
  Click(W->StepBtn);
  EXPECT_EQ(W->Sim.FigureImage.GetPixel(0, 0), clWhite) << "the figure keeps its old background";
  Click(W->ClearBtn);
  EXPECT_EQ(W->Sim.FigureImage.GetPixel(0, 0), clRed);
  EXPECT_EQ(CountOtherPixels(W->Sim.FigureImage, clRed), 0);
  // A cancelled choice keeps the colour.
  WhenModal([](QWidget* D) { qobject_cast<QDialog*>(D)->reject(); });
  Click(W->BackColorBtn);
  EXPECT_EQ(W->Sim.BackColor, clRed);
}

TEST_F(MainWindowTest, ClearFigureMarksTheCentreOnceTheSettingsSayso) {
  Forms->Settings->MarkCenterChk->setChecked(true);
  Click(W->ClearBtn);
  EXPECT_EQ(W->Sim.FigureImage.GetPixel(315, 240), clBlack);
  EXPECT_EQ(W->Sim.FigureImage.GetPixel(320, 240), clWhite);
}

TEST_F(MainWindowTest, SaveWritesTheFormatOfTheTypedName) {
  Click(W->StepBtn);
  const std::string Png = Temp.File("figure.PNG");
  WhenModal([&](QWidget* D) {
    auto* Dialog = qobject_cast<TSavePictureDialog*>(D);
    ASSERT_NE(Dialog, nullptr);
    TypeFileName(Dialog, Png);
  });
  W->SaveAs1->trigger();
  ASSERT_TRUE(std::filesystem::exists(Png));
  const auto Check = testing::RunCommand("pngcheck -q '" + Png + "'");
  EXPECT_EQ(Check.Status, 0) << Check.Output;

  // Cancelling saves nothing.
  WhenModal([](QWidget* D) { qobject_cast<QDialog*>(D)->reject(); });
  W->SaveAs1->trigger();
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Temp.Path()), {}), 1);
}

TEST_F(MainWindowTest, SaveFailureReachesTheErrorBox) {
  // A folder that exists but takes no files, whoever runs the test.
  const std::string Name = "/proc/trochodraw-figure.png";
  TErrorBox Box;
  WhenModal([&](QWidget* D) { TypeFileName(qobject_cast<QFileDialog*>(D), Name); });
  W->SaveAs1->trigger();
  ASSERT_EQ(Box.Messages.size(), 1u);
  EXPECT_EQ(Box.Messages[0].rfind("Cannot create file", 0), 0u) << Box.Messages[0];
  EXPECT_FALSE(std::filesystem::exists(Name));
}

// A figure that has not been through a mosaic is refused as TIFF and TGA; the file already
// under the name stays as it was.
TEST_F(MainWindowTest, SaveRefusesAFreshFigureAsTIFFAndTGA) {
  Click(W->StepBtn);
  const std::pair<std::string, std::string> Cases[] = {{"figure.tif", "Invalid Pixel Format"},
                                                       {"figure.tga", "Unsupported Bitmap format"}};
  for (const auto& [File, Message] : Cases) {
    const std::string Name = Temp.File(File);
    std::ofstream(Name, std::ios::binary) << "keep";
    TErrorBox Box;
    WhenModal([&](QWidget* D) { TypeFileName(qobject_cast<QFileDialog*>(D), Name); });
    W->SaveAs1->trigger();
    ASSERT_EQ(Box.Messages.size(), 1u) << File;
    EXPECT_EQ(Box.Messages[0], Message);
    std::ifstream In(Name, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(In), {}), "keep") << File;
  }
}

TEST_F(MainWindowTest, CopyPutsTheFigureOnTheClipboard) {
  Click(W->StepBtn);
  QGuiApplication::clipboard()->clear();
  W->Copy1->trigger();
  const QImage Image = QGuiApplication::clipboard()->image();
  ASSERT_EQ(Image.size(), QSize(640, 480));
  const TBitmap& F = W->Sim.FigureImage;
  int Differences = 0;
  for (int Y = 0; Y < F.Height(); Y += 3)
    for (int X = 0; X < F.Width(); X += 3) {
      const QRgb P = Image.pixel(X, Y);
      Differences += RGBColor(qRed(P), qGreen(P), qBlue(P)) != F.GetPixel(X, Y);
    }
  EXPECT_EQ(Differences, 0);
  EXPECT_EQ(W->Copy1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
}

TEST_F(MainWindowTest, ModeAndMechanismRedrawTheMachineAtOnce) {
  const TBitmap Before = W->Sim.MechanismImage;
  W->MechanismRadio->SetItemIndex(amTBar);
  EXPECT_EQ(W->Sim.Settings.Machine.Mechanism, amTBar);
  int Changed = 0;
  for (int Y = 0; Y < Before.Height(); ++Y)
    for (int X = 0; X < Before.Width(); ++X) Changed += Before.GetPixel(X, Y) != W->Sim.MechanismImage.GetPixel(X, Y);
  EXPECT_GT(Changed, 100);
  // A pattern's mode beyond the last item selects the last.
  TPattern P = PatternList.at(0);
  P.PlanetMode = 7;
  W->ApplyPattern(P);
  EXPECT_EQ(W->ModeRadio->ItemIndex(), pmInnerPlanet);
}

TEST_F(MainWindowTest, ResizingThePaneResizesTheMechanismBitmap) {
  W->show();
  QApplication::processEvents();
  const int Before = W->Image1->width();
  W->Splitter1->setSizes({Before + 60, 500});
  QApplication::processEvents();
  EXPECT_EQ(W->Sim.MechanismImage.Width(), W->Image1->width());
  EXPECT_EQ(W->Sim.MechanismImage.Height(), W->Image1->height());
  EXPECT_EQ(W->Sim.Settings.Machine.MechanismWidth, W->Image1->width());
  // The wheels sit around the middle of the new width.
  EXPECT_NEAR((W->Sim.Machine.Wheel1.Center.X + W->Sim.Machine.Wheel2.Center.X) / 2, W->Image1->width() / 2, 1.0);
}

TEST_F(MainWindowTest, TypingAPatternNameAppliesTheFirstMatch) {
  QLineEdit* Edit = W->PatternCombo->lineEdit();
  Edit->clear();
  QTest::keyClicks(Edit, "san");
  EXPECT_EQ(W->PatternCombo->currentText(), "Sandal");
  EXPECT_EQ(W->MechanismRadio->ItemIndex(), amTBar);
  EXPECT_DOUBLE_EQ(W->Circle1Spin->Value(), 37);
}

TEST_F(MainWindowTest, SavePatternInsertsFirstAndWritesTheFile) {
  WhenModal([](QWidget* D) {
    auto* Input = D->findChild<QLineEdit*>();
    ASSERT_NE(Input, nullptr);
    EXPECT_EQ(Input->text(), "New Pattern");
    Input->setText("Test");
    qobject_cast<QDialog*>(D)->accept();
  });
  Click(W->SavePatternBtn);
  ASSERT_EQ(PatternList.size(), 20u);
  EXPECT_EQ(PatternList[0].Name, "Test");
  EXPECT_EQ(W->PatternCombo->currentText(), "Test");
  EXPECT_TRUE(std::filesystem::exists(W->Patterns.PatternFileName));
  std::filesystem::remove(W->Patterns.PatternFileName);
}

TEST_F(MainWindowTest, AboutBoxShowsTheBuildNumber) {
  const QString Line = Forms->About->VersionLabel->text();
  EXPECT_TRUE(Line.startsWith("Version 1.")) << Line.toStdString();
  EXPECT_TRUE(Line.endsWith(".7")) << Line.toStdString();
  WhenModal([](QWidget* D) {
    ASSERT_EQ(D, AboutDlg);
    EXPECT_EQ(D->windowTitle(), "About Trochodraw");
    QTest::mouseClick(AboutDlg->FancyButton1, Qt::LeftButton);
  });
  W->About1->trigger();
  EXPECT_EQ(AboutDlg->result(), QDialog::Accepted);
}

TEST_F(MainWindowTest, EscDoesNotCloseTheAboutBox) {
  bool OpenAfterEsc = false;
  WhenModal([&OpenAfterEsc](QWidget* D) {
    QWidget* Focus = D->focusWidget() ? D->focusWidget() : D;
    QTest::keyClick(Focus, Qt::Key_Escape);
    OpenAfterEsc = D->isVisible();
    QTest::mouseClick(AboutDlg->FancyButton1, Qt::LeftButton);
  });
  W->About1->trigger();
  EXPECT_TRUE(OpenAfterEsc);
  EXPECT_FALSE(AboutDlg->isVisible());
  EXPECT_EQ(AboutDlg->result(), QDialog::Accepted);
}

TEST_F(MainWindowTest, ExitClosesTheWindow) {
  W->show();
  ASSERT_TRUE(W->isVisible());
  W->Exit1->trigger();
  EXPECT_FALSE(W->isVisible());
}

TEST_F(MainWindowTest, ContentsOpensTheManualBesideTheProgram) {
  // The manual is looked for in help/ beside the help file's folder: here the source tree.
  THelpSystem::Instance().SetHelpFile(TROCHODRAW_SOURCE_DIR "/Trochodraw.chm");
  std::vector<QUrl> Opened;
  auto Previous = SetUrlOpener([&](const QUrl& Url) {
    Opened.push_back(Url);
    return true;
  });
  W->Contents1->trigger();
  ASSERT_EQ(Opened.size(), 1u);
  EXPECT_EQ(Opened[0], QUrl::fromLocalFile(TROCHODRAW_SOURCE_DIR "/help/index.html"));
  EXPECT_EQ(ManualWindow(), nullptr);

  // With no browser to take it, the manual opens in a window of its own.
  SetUrlOpener([](const QUrl&) { return false; });
  W->Contents1->trigger();
  ASSERT_NE(ManualWindow(), nullptr);
  EXPECT_TRUE(ManualWindow()->isVisible());
  EXPECT_TRUE(ManualWindow()->Browser->source().toLocalFile().endsWith("help/index.html"));
  EXPECT_TRUE(ManualWindow()->Browser->toPlainText().contains("Trochodraw simulates a drawing machine"));
  SetUrlOpener(Previous);
}

}  // namespace
}  // namespace trochodraw
