#include "colouring/coloring_dialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QColorDialog>
#include <QLabel>
#include <QMimeData>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstring>

#include "app/main_window.h"
#include "app/program_forms.h"
#include "colouring/color_bar_widget.h"
#include "colouring/color_panel_widget.h"
#include "colouring/colour_arithmetic.h"
#include "colouring/gauge_widget.h"
#include "controls/auto_button.h"
#include "controls/integer_spin_widget.h"
#include "controls/radio_group_widget.h"
#include "controls/real_spin_widget.h"
#include "controls/widget_test_support.h"
#include "render/canvas.h"
#include "support/modal_answer.h"

using namespace trochodraw;
using trochodraw::testing::TErrorBox;
using trochodraw::testing::TModalAnswer;

namespace {

QRgb Rgb(TColor C) { return qRgb(RedOf(C), GreenOf(C), BlueOf(C)); }
QRgb Inverted(TColor C) { return Rgb(C) ^ 0x00FFFFFFu; }

// Same size, format and pixels; the first difference is reported.
::testing::AssertionResult SamePicture(const TBitmap& A, const TBitmap& B) {
  if (A.Width() != B.Width() || A.Height() != B.Height() || A.PixelFormat() != B.PixelFormat())
    return ::testing::AssertionFailure() << A.Width() << "x" << A.Height() << " against " << B.Width() << "x"
                                         << B.Height() << " or another pixel format";
  for (int y = 0; y < A.Height(); ++y)
    for (int x = 0; x < A.Width(); ++x)
      if (A.GetPixel(x, y) != B.GetPixel(x, y))
        return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << "): " << std::hex << A.GetPixel(x, y)
                                             << " against " << B.GetPixel(x, y);
  return ::testing::AssertionSuccess();
}

// A white figure with two black rings: an outside, a ring-shaped region and a disc.
TBitmap RingFigure(int W, int H) {
  TBitmap b(W, H);
  TCanvas c(b);
  ClearCanvas(c, clWhite);
  c.PenColor = clBlack;
  c.BrushColor = clWhite;
  c.PenWidth = 2;
  c.Ellipse(W / 8, H / 8, W - W / 8, H - H / 8);
  c.Ellipse(W / 3, H / 3, W - W / 3, H - H / 3);
  return b;
}

void Mouse(QWidget* W, QEvent::Type Type, QPoint Pos, Qt::MouseButtons Held, Qt::KeyboardModifiers Mods = {}) {
  QMouseEvent e(Type, QPointF(Pos), QPointF(W->mapToGlobal(Pos)),
                Type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, Held, Mods);
  QApplication::sendEvent(W, &e);
}
void Press(QWidget* W, QPoint Pos) { Mouse(W, QEvent::MouseButtonPress, Pos, Qt::LeftButton); }
void Drag(QWidget* W, QPoint Pos) { Mouse(W, QEvent::MouseMove, Pos, Qt::LeftButton); }
void Hover(QWidget* W, QPoint Pos) { Mouse(W, QEvent::MouseMove, Pos, Qt::NoButton); }
void Release(QWidget* W, QPoint Pos, Qt::KeyboardModifiers Mods = {}) {
  Mouse(W, QEvent::MouseButtonRelease, Pos, Qt::NoButton, Mods);
}

// ---- the colour bar on its own ----

// A bar that records where a band-colour drag would start instead of running one.
class TRecordingBar : public TColorBar {
 public:
  using TColorBar::TColorBar;
  std::vector<int> DragsFrom;

 protected:
  void StartBandDrag() override { DragsFrom.push_back(Palette().Selected()); }
};

class ColorBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Bar.resize(41, 240);  // dc12: 12 bands of 20 rows
    Bar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Bar));
  }
  int Row(int Boundary) const { return Bar.Palette().BoundaryRow(Boundary, Bar.height()); }

  TRecordingBar Bar;
};

TEST_F(ColorBarTest, PaintsBandsOutlinesAndTheInvertedSelectionMark) {
  const TColorBandPalette& p = Bar.Palette();
  ASSERT_EQ(p.Count(), 13);
  const QImage img = Bar.Render();
  // Inside band k the band's colour; its outline on the row above it and in its first and
  // last column, black on light bands and grey on dark ones.
  for (int k = 2; k < p.Count(); ++k) {
    const int top = Row(k - 1), bottom = Row(k), mid = (top + bottom) / 2;
    const QRgb outline = Rgb(TColorBandPalette::OutlineColor(p.EntryColor(k)));
    EXPECT_EQ(img.pixel(20, mid), Rgb(p.EntryColor(k))) << "band " << k;
    EXPECT_EQ(img.pixel(20, top - 1), outline) << "band " << k;
    EXPECT_EQ(img.pixel(0, mid), outline) << "band " << k;
    EXPECT_EQ(img.pixel(40, mid), outline) << "band " << k;
  }
  // Band 10, navy (0, 0, 128), is outlined in grey; band 9, blue, in black.
  EXPECT_EQ(img.pixel(0, (Row(9) + Row(10)) / 2), qRgb(128, 128, 128));
  EXPECT_EQ(img.pixel(0, (Row(8) + Row(9)) / 2), qRgb(0, 0, 0));

  // Band 1 is selected: a dotted outline (three on, three off) inverting the band.
  const int y = Row(0) + 1;
  EXPECT_EQ(img.pixel(1, y), Inverted(p.EntryColor(1)));
  EXPECT_EQ(img.pixel(3, y), Inverted(p.EntryColor(1)));
  EXPECT_EQ(img.pixel(4, y), Rgb(p.EntryColor(1)));
  EXPECT_EQ(img.pixel(7, y), Inverted(p.EntryColor(1)));
  Bar.setEnabled(false);
  EXPECT_EQ(Bar.Render().pixel(1, y), Rgb(p.EntryColor(1))) << "no mark on a disabled bar";
}

TEST_F(ColorBarTest, LabelsShowTheDepthInTheBandsContrastColour) {
  TColorBandPalette& p = Bar.Palette();
  auto labelPixels = [&](int Band) {
    const QImage img = Bar.Render();
    const QRgb ink = Rgb(TColorBandPalette::ContrastColor(p.EntryColor(Band)));
    int n = 0;
    for (int y = Row(Band - 1) + 1; y < Row(Band) - 1; ++y)
      for (int x = 1; x < Bar.width() - 1; ++x) n += img.pixel(x, y) == ink;
    return n;
  };
  EXPECT_EQ(labelPixels(2), 0) << "no labels unless asked for";
  p.LabelBars = true;
  EXPECT_GT(labelPixels(2), 0);
  Bar.resize(41, 60);  // bands of 5 rows: too low for a line of text
  EXPECT_EQ(labelPixels(2), 0);
}

TEST_F(ColorBarTest, BoundaryDragShowsTheRubberBandAndPushesNeighbours) {
  TColorBandPalette& p = Bar.Palette();
  const int r5 = Row(5), r6 = Row(6);
  const int gap = 2 * (TColorBandPalette::kFullScale / Bar.height());
  Hover(&Bar, QPoint(20, r5 + 1));
  EXPECT_EQ(Bar.cursor().shape(), Qt::SplitVCursor);
  Hover(&Bar, QPoint(20, r5 + 8));
  EXPECT_EQ(Bar.cursor().shape(), Qt::ArrowCursor);

  const QRgb under = Bar.Render().pixel(30, r5 + 1);
  Press(&Bar, QPoint(20, r5 + 1));
  EXPECT_TRUE(p.Dragging());
  EXPECT_EQ(p.Selected(), 1) << "grabbing a boundary selects nothing";
  EXPECT_EQ(Bar.Render().pixel(30, r5 + 1), under ^ 0x00FFFFFFu) << "the rubber-band line inverts its row";
  Drag(&Bar, QPoint(20, r6 + 10));
  EXPECT_EQ(Bar.Render().pixel(30, r5 + 1), under) << "and is gone from the old row";
  Release(&Bar, QPoint(20, r6 + 10));
  EXPECT_FALSE(p.Dragging());
  const int32_t moved = TColorBandPalette::RowPosition(r6 + 10, Bar.height());
  EXPECT_EQ(p.Entry(5).Bottom, moved);
  EXPECT_EQ(p.Entry(6).Bottom, moved + gap) << "the next boundary is pushed two pixels below";
  EXPECT_EQ(p.Entry(4).Bottom, 4 * 100000 / 12) << "the boundaries above stay";

  // With Ctrl the boundaries on both sides are spread evenly.
  Press(&Bar, QPoint(20, Row(5)));
  Release(&Bar, QPoint(20, 60), Qt::ControlModifier);
  const int32_t b5 = p.Entry(5).Bottom;
  EXPECT_EQ(b5, TColorBandPalette::RowPosition(60, Bar.height()));
  for (int i = 1; i < 5; ++i) EXPECT_EQ(p.Entry(i).Bottom, i * b5 / 5) << i;
  for (int i = 6; i < 12; ++i) EXPECT_EQ(p.Entry(i).Bottom, (i - 5) * (100000 - b5) / 7 + b5) << i;
}

TEST_F(ColorBarTest, APressOnABandSelectsItAndMayStartDraggingItsColour) {
  int selects = 0;
  Bar.OnChangeSelect = [&](QObject*) { ++selects; };
  Bar.DragDropColors = true;
  const int mid3 = (Row(2) + Row(3)) / 2;
  Press(&Bar, QPoint(20, mid3));
  EXPECT_EQ(Bar.Selected(), 3);
  EXPECT_EQ(selects, 1);
  Drag(&Bar, QPoint(21, mid3 + 1));
  EXPECT_TRUE(Bar.DragsFrom.empty()) << "not before the drag threshold";
  Drag(&Bar, QPoint(20, mid3 + 30));
  ASSERT_EQ(Bar.DragsFrom, std::vector<int>{3});
  Release(&Bar, QPoint(20, mid3 + 30));

  // Dropping the colour on band 8 copies it there; another bar's drop is refused.
  const TColor c3 = Bar.Palette().EntryColor(3), c8 = Bar.Palette().EntryColor(8);
  TColorBar other;
  std::unique_ptr<QMimeData> foreign(other.CreateBandMimeData());
  EXPECT_FALSE(Bar.AcceptsDrop(foreign.get()));
  EXPECT_FALSE(Bar.DropBandColor(foreign.get(), (Row(7) + Row(8)) / 2));
  EXPECT_EQ(Bar.Palette().EntryColor(8), c8);
  std::unique_ptr<QMimeData> own(Bar.CreateBandMimeData());
  EXPECT_TRUE(Bar.AcceptsDrop(own.get()));
  EXPECT_TRUE(Bar.DropBandColor(own.get(), (Row(7) + Row(8)) / 2));
  EXPECT_EQ(Bar.Palette().EntryColor(8), c3);
  EXPECT_EQ(Bar.Palette().EntryColor(3), c3);
}

// ---- the dialog ----

class ColoringDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(UndoDir.isValid());
    Dlg.ImageUndoer1.SetFolder(UndoDir.path().toStdString());
    Holder.OnPictureChanged = [this] { ++PictureChanges; };
  }
  TColorBandPalette& Palette() { return Dlg.ColorBar->Palette(); }
  std::vector<TColor> Colours() {
    std::vector<TColor> c;
    for (int i = 0; i < Palette().Count(); ++i) c.push_back(Palette().EntryColor(i));
    return c;
  }
  // The colours of the dialog's palette turned by Offset from the colours it had at Base.
  static std::vector<TColor> Turned(const std::vector<TColor>& Base, int Offset) {
    TColorBandPalette ref;
    ref.SetColorCount(dc32);
    for (size_t i = 0; i < Base.size(); ++i) ref.SetEntryColor(static_cast<int>(i), Base[i]);
    ref.SaveHueBase();
    ref.SetHueOffset(Offset);
    std::vector<TColor> c;
    for (int i = 0; i < ref.Count(); ++i) c.push_back(ref.EntryColor(i));
    return c;
  }
  void Click(QWidget* W) { QTest::mouseClick(W, Qt::LeftButton); }

  QTemporaryDir UndoDir;
  TBitmap Figure = RingFigure(200, 150);
  TImageHolder Holder{Figure};
  TLineColoring Lines;
  TColoringDlg Dlg{nullptr, &Holder, &Lines};
  int PictureChanges = 0;
};

TEST_F(ColoringDialogTest, StartsWithItsDefaults) {
  EXPECT_EQ(Dlg.windowTitle(), "Coloring");
  EXPECT_FALSE(Dlg.isModal());
  EXPECT_TRUE(Dlg.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_EQ(Dlg.PageControl1->currentWidget(), Dlg.MosaicSheet);
  EXPECT_EQ(Palette().ColorCount(), dc32);
  EXPECT_EQ(Dlg.ColorRadio->ItemIndex(), 4);
  EXPECT_DOUBLE_EQ(Palette().BottomValue(), 100.0) << "half the figure's width";
  EXPECT_EQ(Dlg.MozaicRadio->ItemIndex(), 0);
  EXPECT_DOUBLE_EQ(Dlg.ThresholdSpin->Value(), 0.6);
  EXPECT_EQ(Dlg.BackColorDis->Color(), clBlack);
  EXPECT_TRUE(Dlg.UndoBtn->DoRepeat);
  EXPECT_EQ(Dlg.ModeGroup->ItemIndex(), 0);
  EXPECT_EQ(Dlg.StepSpin->Value(), 10000);
  EXPECT_EQ(Dlg.PenWidthSpin->Value(), 1);
  EXPECT_EQ(Dlg.StepsDis->text(), "");
  EXPECT_EQ(Dlg.GradientProgress->MaxValue(), 1000);
}

TEST_F(ColoringDialogTest, EachOpeningStoresAnUndoLevelAndEscCloses) {
  Dlg.ShowColoring();
  Dlg.ShowColoring();
  EXPECT_EQ(Dlg.ImageUndoer1.Count(), 2) << "two openings, two levels of the same figure";
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Dlg));
  Dlg.PageControl1->setCurrentWidget(Dlg.LinesSheet);
  QTest::keyClick(&Dlg, Qt::Key_Escape);
  EXPECT_FALSE(Dlg.isVisible());
  Dlg.ShowColoring();
  EXPECT_EQ(Dlg.PageControl1->currentWidget(), Dlg.LinesSheet) << "it reopens on the last tab";
  EXPECT_EQ(Dlg.ImageUndoer1.Count(), 3);
}

TEST_F(ColoringDialogTest, MosaicThenUndoRestoresTheExactPictureAndSize) {
  const TBitmap before = Figure;
  Dlg.ShowColoring();
  Click(Dlg.MozaicBtn);
  EXPECT_EQ(Dlg.ImageUndoer1.Count(), 2) << "the mosaic stores the figure first";
  EXPECT_EQ(Figure.PixelFormat(), TPixelFormat::pf24bit);
  EXPECT_EQ(Figure.GetPixel(0, 0), clBlack) << "the outside takes the background colour";
  EXPECT_TRUE(IsBandColor(Palette(), Figure.GetPixel(100, 75))) << "the disc in the middle takes a band colour";
  EXPECT_EQ(Figure.GetPixel(100, 75), Figure.GetPixel(100, 65)) << "one colour for the whole region";
  EXPECT_TRUE(IsBandColor(Palette(), Figure.GetPixel(100, 35))) << "and the ring around it";
  EXPECT_EQ(PictureChanges, 1);

  // The figure resized after the mosaic comes back at the size of the snapshot.
  Figure.SetSize(90, 60);
  Click(Dlg.UndoBtn);
  EXPECT_TRUE(SamePicture(Figure, before));
  EXPECT_EQ(PictureChanges, 2) << "the figure's view follows the restored size";
  Click(Dlg.UndoBtn);
  EXPECT_TRUE(SamePicture(Figure, before)) << "the opening's level holds the same figure";
  EXPECT_EQ(Dlg.ImageUndoer1.Count(), 0);
  Click(Dlg.UndoBtn);
  EXPECT_TRUE(SamePicture(Figure, before)) << "nothing left to undo";
}

TEST_F(ColoringDialogTest, ALongMosaicShowsProgressAndSwapsTheFigureInAtTheEnd) {
  Figure = RingFigure(600, 450);
  const TBitmap before = Figure;
  Dlg.MosaicProgressDelay = 0;
  Dlg.ShowColoring();
  bool timerFired = false, checked = false, boxShown = false, figureUntouched = false;
  QTimer tick;  // stands for the simulation's timer
  tick.setInterval(0);
  QObject::connect(&tick, &QTimer::timeout, [&] { timerFired = true; });
  tick.start();
  // Runs from the first repaint inside the fill.
  QMetaObject::invokeMethod(
      &Dlg,
      [&] {
        checked = true;
        auto* box = Dlg.findChild<QProgressDialog*>("WorkProgress");
        boxShown = box && box->isVisible();
        figureUntouched = static_cast<bool>(SamePicture(Figure, before));
        EXPECT_FALSE(timerFired) << "no timer runs in the middle of the fill";
      },
      Qt::QueuedConnection);
  Click(Dlg.MozaicBtn);
  tick.stop();
  EXPECT_TRUE(checked);
  EXPECT_TRUE(boxShown);
  EXPECT_TRUE(figureUntouched) << "the figure changes only when the fill is complete";
  EXPECT_FALSE(SamePicture(Figure, before));
  EXPECT_EQ(Dlg.findChild<QProgressDialog*>("WorkProgress"), nullptr) << "the progress box is gone";
}

TEST_F(ColoringDialogTest, WithoutAFigureTheMosaicStopsWithAnError) {
  TColoringDlg bare(nullptr, nullptr, &Lines);
  TErrorBox errors;
  Click(bare.MozaicBtn);
  ASSERT_EQ(errors.Messages.size(), 1u);
  EXPECT_EQ(errors.Messages[0], "No Image Set");
  EXPECT_THROW(bare.ShowColoring(), EImageError);
  EXPECT_TRUE(bare.isVisible()) << "the dialog opens all the same";
}

TEST_F(ColoringDialogTest, TheHueOffsetWorksOnTheSavedBase) {
  Dlg.ShowColoring();
  const std::vector<TColor> base = Colours();
  Click(Dlg.InvertBtn);
  EXPECT_EQ(Palette().EntryColor(1), base[32]);
  Dlg.HueSpin->SetValue(40);
  EXPECT_EQ(Colours(), Turned(base, 40)) << "the inversion is undone";
  EXPECT_EQ(Dlg.DisDepthColor->Color(), Palette().EntryColor(1));
  Dlg.HueSpin->SetValue(0);
  EXPECT_EQ(Colours(), Turned(base, 0));

  // A colour copied by drag and drop is not in the base either.
  const TColorBandPalette& p = Palette();
  const int h = Dlg.ColorBar->height();
  Press(Dlg.ColorBar, QPoint(10, (p.BoundaryRow(1, h) + p.BoundaryRow(2, h)) / 2));
  Release(Dlg.ColorBar, QPoint(10, 3));
  EXPECT_EQ(Dlg.DepthBandSpin->Value(), 2) << "the band spin follows the selection";
  std::unique_ptr<QMimeData> data(Dlg.ColorBar->CreateBandMimeData());
  EXPECT_TRUE(Dlg.ColorBar->DropBandColor(data.get(), (p.BoundaryRow(19, h) + p.BoundaryRow(20, h)) / 2));
  EXPECT_EQ(p.EntryColor(20), p.EntryColor(2));
  Dlg.HueSpin->SetValue(1);
  Dlg.HueSpin->SetValue(0);
  EXPECT_EQ(Colours(), Turned(base, 0));

  // The gradients save a new base and put the offset back to 0.
  Dlg.HueSpin->SetValue(90);
  Click(Dlg.HueBtn);
  EXPECT_EQ(Dlg.HueSpin->Value(), 0);
  EXPECT_EQ(Colours(), Turned(Palette().HueBase(), 0)) << "offset 0 applied to the new base";
}

// Choosing a colour count under a hue offset saves the loaded palette as the base, not the
// palette after the offset's HSV round trip.
TEST_F(ColoringDialogTest, AColorCountUnderAHueOffsetSavesTheLoadedPalette) {
  Dlg.ShowColoring();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Dlg));
  Dlg.HueSpin->SetValue(40);
  QTest::mouseClick(Dlg.ColorRadio->Button(0), Qt::LeftButton);
  ASSERT_EQ(Palette().ColorCount(), dc12);
  EXPECT_EQ(Dlg.HueSpin->Value(), 0);
  EXPECT_EQ(Palette().HueBase(), BuiltInPalette(dc12));
  EXPECT_EQ(Palette().HueBase()[4], RGBColor(0x80, 0x80, 0x00));
  EXPECT_EQ(Palette().HueBase()[7], RGBColor(0x00, 0x80, 0x80));
  EXPECT_EQ(Palette().HueBase()[11], RGBColor(0x80, 0x00, 0x80));
}

TEST_F(ColoringDialogTest, PaletteCommandsAndTheBandEditor) {
  Dlg.ShowColoring();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Dlg));
  QTest::mouseClick(Dlg.ColorRadio->Button(1), Qt::LeftButton);
  EXPECT_EQ(Palette().ColorCount(), dc20);
  EXPECT_EQ(Palette().EntryColor(1), RGBColor(240, 240, 240)) << "not the palette's white";
  QTest::mouseClick(Dlg.ColorRadio->Button(2), Qt::LeftButton);
  EXPECT_EQ(Palette().Count(), 24);
  EXPECT_EQ(Palette().EntryColor(1), RGBColor(255, 0, 0));

  Dlg.DepthBandSpin->SetValue(5);
  EXPECT_EQ(Palette().Selected(), 5);
  QTest::mouseClick(Dlg.ColorRadio->Button(0), Qt::LeftButton);
  Dlg.DepthBandSpin->SetValue(20);
  EXPECT_EQ(Palette().Selected(), 5) << "a band the 12-band palette lacks is not selected";

  Dlg.DepthBandSpin->SetValue(3);
  TModalAnswer blue([](QWidget* W) {
    auto* chooser = qobject_cast<QColorDialog*>(W);
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(chooser->currentColor(), QColor(255, 255, 0)) << "preset to the band's colour";
    chooser->setCurrentColor(QColor(0, 0, 255));
    chooser->accept();
  });
  Click(Dlg.GetDepthColor);
  EXPECT_EQ(blue.Answered, 1);
  EXPECT_EQ(Palette().EntryColor(3), clBlue);
  EXPECT_EQ(Dlg.DisDepthColor->Color(), clBlue);
  EXPECT_EQ(Palette().HueBase()[3], clBlue) << "Change Color saves the hue base";
}

TEST_F(ColoringDialogTest, LinesTabDrivesTheSegmentsColour) {
  QTest::mouseClick(Dlg.ModeGroup->Button(1), Qt::LeftButton);
  EXPECT_EQ(Lines.Settings.Mode, lcStep);
  Dlg.StepSpin->SetValue(4);
  EXPECT_EQ(Lines.Settings.StepSpin, 4) << "a change applies to the next segment";
  for (int i = 0; i < 5; ++i) Lines.GetLineColor({0, 0}, {});
  EXPECT_EQ(Dlg.StepSpin->Value(), -4) << "the step gradient turned while drawing";
  Dlg.UpdateLineDisplays();
  EXPECT_EQ(Dlg.StepsDis->text(), "5");
  EXPECT_EQ(Dlg.GradientProgress->Progress(), 1000);
  EXPECT_EQ(Dlg.GradientProgress->Text(), "100%");
  Click(Dlg.ResetBtn);
  EXPECT_EQ(Dlg.StepSpin->Value(), 4);
  EXPECT_EQ(Dlg.StepsDis->text(), "0");
  EXPECT_EQ(Dlg.GradientProgress->Progress(), 0);

  Dlg.PenWidthSpin->SetText("12");
  Dlg.PenWidthSpin->clearFocus();
  Dlg.PixelRangeSpin->SetValue(250);
  Dlg.PixelOffsetSpin->SetValue(-20);
  EXPECT_EQ(Lines.Settings.PenWidth, 10);
  EXPECT_EQ(Lines.Settings.PixelRange, 250);
  EXPECT_EQ(Lines.Settings.PixelOffset, -20);
  EXPECT_EQ(Lines.GetLineColor({0, 0}, {}).Width, 10);
}

TEST_F(ColoringDialogTest, GradientPreviewAndColourEditing) {
  const QImage& img = Dlg.GradientImage();
  ASSERT_EQ(img.size(), QSize(263, 29));
  EXPECT_EQ(img.pixel(0, 0), Rgb(clFuchsia));
  EXPECT_EQ(img.pixel(262, 27), Rgb(GradientColor(clFuchsia, clRed, 262.0 / 263))) << "not the end colour";
  EXPECT_EQ(img.pixel(100, 28), qRgb(255, 255, 255)) << "the lines leave the bottom row";

  {
    TModalAnswer green([](QWidget* W) {
      auto* chooser = qobject_cast<QColorDialog*>(W);
      chooser->setCurrentColor(QColor(0, 255, 0));
      chooser->accept();
    });
    Click(Dlg.StartColorBtn);
  }
  EXPECT_EQ(Lines.Settings.StartColor, clLime);
  EXPECT_EQ(Dlg.StartColorDis->Color(), clLime);
  EXPECT_EQ(Dlg.GradientImage().pixel(0, 0), Rgb(clLime));
  {
    TModalAnswer cancel([](QWidget* W) { qobject_cast<QDialog*>(W)->reject(); });
    Click(Dlg.SingleColorBtn);
    EXPECT_EQ(cancel.Answered, 1);
  }
  EXPECT_EQ(Lines.Settings.SingleColor, clBlack);
  {
    TModalAnswer white([](QWidget* W) {
      auto* chooser = qobject_cast<QColorDialog*>(W);
      chooser->setCurrentColor(QColor(255, 255, 255));
      chooser->accept();
    });
    Click(Dlg.BackColorBtn);
  }
  EXPECT_EQ(Dlg.MosaicSettings().BackColor, clWhite);
}

// The dialog as the program builds it, on the main window's figure and line colouring.
TEST(ColoringDialogInTheProgram, OpensFromTheMenuAndWorksOnTheRunningFigure) {
  QTemporaryDir config, undo;
  qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
  PatternList.clear();
  {
    TProgramForms forms;
    TForm1& w = *forms.Main;
    TColoringDlg& d = *forms.Coloring;
    d.ImageUndoer1.SetFolder(undo.path().toStdString());
    w.show();
    w.Colors1->trigger();
    w.Colors1->trigger();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.ImageUndoer1.Count(), 2);
    EXPECT_DOUBLE_EQ(d.ColorBar->Palette().BottomValue(), 320.0) << "half the 640-pixel figure";

    // A line setting changed while the dialog is open applies to the next segments.
    d.PageControl1->setCurrentWidget(d.LinesSheet);
    QTest::mouseClick(d.ModeGroup->Button(4), Qt::LeftButton);
    for (int i = 0; i < 30; ++i) w.Timer1Timer();
    int coloured = 0;
    const TBitmap& fig = w.Sim.FigureImage;
    for (int y = 0; y < fig.Height(); ++y)
      for (int x = 0; x < fig.Width(); ++x) {
        const TColor c = fig.GetPixel(x, y);
        coloured += c != clWhite && (RedOf(c) != GreenOf(c) || GreenOf(c) != BlueOf(c));
      }
    EXPECT_GT(coloured, 0) << "the distance gradient colours the strokes";
    QTest::qWait(120);
    EXPECT_FALSE(d.StepsDis->text().isEmpty()) << "the stroke counter follows the ticks";

    const TBitmap before = w.Sim.FigureImage;
    d.PageControl1->setCurrentWidget(d.MosaicSheet);
    QTest::mouseClick(d.MozaicBtn, Qt::LeftButton);
    EXPECT_FALSE(SamePicture(w.Sim.FigureImage, before));
    QTest::mouseClick(d.UndoBtn, Qt::LeftButton);
    EXPECT_TRUE(SamePicture(w.Sim.FigureImage, before));
  }
  qunsetenv("XDG_CONFIG_HOME");
}

}  // namespace
