// The "Lines" tab of the Coloring dialog: the settings every drawn segment reads.
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <limits>

#include "colouring/color_panel_widget.h"
#include "colouring/coloring_dialog.h"
#include "colouring/colour_arithmetic.h"
#include "colouring/gauge_widget.h"
#include "controls/application_error.h"
#include "controls/integer_spin_widget.h"
#include "controls/radio_group_widget.h"
#include "render/bitmap_qimage.h"
#include "render/canvas.h"

namespace trochodraw {

namespace {

constexpr int kPreviewWidth = 263;
constexpr int kPreviewHeight = 29;

int32_t ClampToInt32(int64_t V) {
  return static_cast<int32_t>(
      std::clamp<int64_t>(V, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// A raised panel with a caption on its left and a control filling its right part.
QFrame* CaptionPanel(QWidget* Parent, const QString& Caption, QWidget* Content, QRect Place, int ContentWidth) {
  auto* panel = new QFrame(Parent);
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel->setLineWidth(1);
  panel->setGeometry(Place);
  auto* row = new QHBoxLayout(panel);
  row->setContentsMargins(1, 1, 1, 1);
  row->setSpacing(0);
  auto* label = new QLabel(Caption, panel);
  // The caption shares the narrow panel with its control: a size smaller than the dialog's.
  QFont small = label->font();
  small.setPixelSize(10);
  label->setFont(small);
  row->addWidget(label, 1);
  Content->setParent(panel);
  Content->setFixedWidth(ContentWidth);
  row->addWidget(Content);
  label->setBuddy(Content);
  return panel;
}

TIntegerSpin* MakeSpin(const char* Name, int64_t Value) {
  auto* spin = new TIntegerSpin;
  spin->setObjectName(Name);
  spin->SetValue(Value);
  return spin;
}

QPushButton* MakeButton(QWidget* Parent, const char* Name, const QString& Caption, QRect Place) {
  auto* b = new QPushButton(Caption, Parent);
  b->setObjectName(Name);
  b->setGeometry(Place);
  b->setAutoDefault(false);
  return b;
}

}  // namespace

void TColoringDlg::BuildLinesTab() {
  QWidget* tab = LinesSheet;
  const int w = 333;
  ModeGroup = new TRadioGroup(tab);
  ModeGroup->setObjectName("ModeGroup");
  ModeGroup->setTitle("Color Mode");
  ModeGroup->SetColumns(3);
  ModeGroup->SetItems({"Single Color", "Step Gradient", "Phase-1 Gradient", "Phase-2 Gradient", "Distance Gradient"});
  ModeGroup->setGeometry(2, 2, w - 4, 49);
  // Three columns of long captions: the group's margins and gaps kept small.
  if (auto* grid = ModeGroup->layout()) {
    grid->setContentsMargins(4, 0, 2, 0);
    grid->setSpacing(0);
  }
  for (int i = 0; i < 5; ++i) {
    QFont small = ModeGroup->Button(i)->font();
    small.setPixelSize(10);
    ModeGroup->Button(i)->setFont(small);
  }

  auto* gradient = new QGroupBox("Gradient Colors", tab);
  gradient->setObjectName("GradientColorsGroup");
  gradient->setGeometry(2, 53, w - 4, 104);
  StartColorDis = new TColorPanel(gradient);
  StartColorDis->setObjectName("StartColorDis");
  StartColorDis->setGeometry(2, 16, 30, 29);
  GradientDis = new QLabel(gradient);
  GradientDis->setObjectName("GradientDis");
  GradientDis->setGeometry(32, 16, kPreviewWidth, kPreviewHeight);
  EndColorDis = new TColorPanel(gradient);
  EndColorDis->setObjectName("EndColorDis");
  EndColorDis->setGeometry(32 + kPreviewWidth, 16, 30, 29);
  StartColorBtn = MakeButton(gradient, "StartColorBtn", "Edit", QRect(2, 47, 30, 19));
  GradientProgress = new TGauge(gradient);
  GradientProgress->setObjectName("GradientProgress");
  GradientProgress->SetMaxValue(1000);
  GradientProgress->setGeometry(32, 47, kPreviewWidth, 19);
  EndColorBtn = MakeButton(gradient, "EndColorBtn", "Edit", QRect(32 + kPreviewWidth, 47, 30, 19));
  StepSpin = MakeSpin("StepSpin", 10000);
  CaptionPanel(gradient, " Steps Perr Cycle", StepSpin, QRect(8, 78, 153, 21), 60);
  StepsDis = new QLabel;
  StepsDis->setObjectName("StepsDis");
  StepsDis->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  StepsDis->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  CaptionPanel(gradient, " Step Count", StepsDis, QRect(165, 78, 105, 21), 38);
  ResetBtn = MakeButton(gradient, "ResetBtn", "Reset", QRect(279, 78, 45, 21));

  auto* distance = new QGroupBox("Distance Gradient Parameters", tab);
  distance->setObjectName("DistanceGroup");
  distance->setGeometry(2, 159, w - 4, 48);
  PixelRangeSpin = MakeSpin("PixelRangeSpin", 100);
  CaptionPanel(distance, " Pixel Range", PixelRangeSpin, QRect(8, 19, 153, 21), 66);
  PixelOffsetSpin = MakeSpin("PixelOffsetSpin", 0);
  CaptionPanel(distance, " Pixel Offset", PixelOffsetSpin, QRect(168, 19, 153, 21), 66);

  auto* single = new QGroupBox("Single Color", tab);
  single->setObjectName("SingleColorGroup");
  single->setGeometry(2, 242, 140, 53);
  SingleColorDis = new TColorPanel(single);
  SingleColorDis->setObjectName("SingleColorDis");
  SingleColorDis->setGeometry(11, 17, 30, 29);
  SingleColorBtn = MakeButton(single, "SingleColorBtn", "Change Color", QRect(49, 16, 85, 30));

  auto* penLabel = new QLabel("Pen Width", tab);
  penLabel->move(165, 245);
  penLabel->adjustSize();
  PenWidthSpin = new TIntegerSpin(tab);
  PenWidthSpin->setObjectName("PenWidthSpin");
  PenWidthSpin->SetMinValue(1);
  PenWidthSpin->SetMaxValue(10);
  PenWidthSpin->SetUseLimit(true);
  PenWidthSpin->SetValue(1);
  PenWidthSpin->setGeometry(160, 264, 73, 21);
  penLabel->setBuddy(PenWidthSpin);

  FGradientBitmap = TBitmap(kPreviewWidth, kPreviewHeight, TPixelFormat::pf24bit);
  TCanvas blank(FGradientBitmap);
  ClearCanvas(blank, clWhite);
  LoadLineSettings();

  // Each control writes its setting at once; the next segment reads it.
  TLineColorSettings& s = FLines.Settings;
  ModeGroup->OnClick = [this, &s](QObject*) {
    s.Mode = static_cast<TLineColorMode>(std::clamp(ModeGroup->ItemIndex(), 0, 4));
  };
  StepSpin->OnChange = [this, &s](QObject*) { s.StepSpin = ClampToInt32(StepSpin->Value()); };
  PixelRangeSpin->OnChange = [this, &s](QObject*) { s.PixelRange = ClampToInt32(PixelRangeSpin->Value()); };
  PixelOffsetSpin->OnChange = [this, &s](QObject*) { s.PixelOffset = ClampToInt32(PixelOffsetSpin->Value()); };
  PenWidthSpin->OnChange = [this, &s](QObject*) { s.PenWidth = ClampToInt32(PenWidthSpin->Value()); };
  // The step gradient turns the step count's sign while the machine runs.
  FLines.OnStepSpinChanged = [this](int32_t Value) { StepSpin->SetValue(Value); };

  connect(StartColorBtn, &QPushButton::clicked, this, [this] { InvokeGuarded([this] { StartColorBtnClick(); }); });
  connect(EndColorBtn, &QPushButton::clicked, this, [this] { InvokeGuarded([this] { EndColorBtnClick(); }); });
  connect(SingleColorBtn, &QPushButton::clicked, this, [this] { InvokeGuarded([this] { SingleColorBtnClick(); }); });
  connect(ResetBtn, &QPushButton::clicked, this, [this] { InvokeGuarded([this] { ResetBtnClick(); }); });
}

void TColoringDlg::LoadLineSettings() {
  const TLineColorSettings& s = FLines.Settings;
  ModeGroup->SetItemIndex(static_cast<int>(s.Mode));
  SingleColorDis->SetColor(s.SingleColor);
  StartColorDis->SetColor(s.StartColor);
  EndColorDis->SetColor(s.EndColor);
  StepSpin->SetValue(s.StepSpin);
  PixelRangeSpin->SetValue(s.PixelRange);
  PixelOffsetSpin->SetValue(s.PixelOffset);
  PenWidthSpin->SetValue(s.PenWidth);
  FShownSteps = FLines.StepCount();
  FShownProgress = -1;
}

void TColoringDlg::StartColorBtnClick() {
  if (PickPanelColor(StartColorDis)) FLines.Settings.StartColor = StartColorDis->Color();
  PaintGradientPreview();
}

void TColoringDlg::EndColorBtnClick() {
  if (PickPanelColor(EndColorDis)) FLines.Settings.EndColor = EndColorDis->Color();
  PaintGradientPreview();
}

void TColoringDlg::SingleColorBtnClick() {
  if (PickPanelColor(SingleColorDis)) FLines.Settings.SingleColor = SingleColorDis->Color();
}

void TColoringDlg::ResetBtnClick() {
  FLines.Reset();
  GradientProgress->SetProgress(0);
  StepsDis->setText("0");
  FShownSteps = 0;
  FShownProgress = 0;
}

void TColoringDlg::UpdateLineDisplays() {
  const int progress = FLines.Progress();
  if (progress != FShownProgress) {
    GradientProgress->SetProgress(progress);
    FShownProgress = progress;
  }
  // The counter stays empty until the first segment is drawn.
  const int steps = FLines.StepCount();
  if (steps != FShownSteps) {
    StepsDis->setText(QString::number(steps));
    FShownSteps = steps;
  }
}

void TColoringDlg::PaintGradientPreview() {
  const TColor start = FLines.Settings.StartColor, end = FLines.Settings.EndColor;
  TCanvas canvas(FGradientBitmap);
  const int w = FGradientBitmap.Width(), h = FGradientBitmap.Height();
  // Each column a line from the top to the row above the bottom (the end pixel is left).
  for (int i = 0; i < w; ++i) {
    canvas.PenColor = GradientColor(start, end, static_cast<double>(i) / w);
    canvas.MoveTo(i, 0);
    canvas.LineTo(i, h - 1);
  }
  FGradientImage = BitmapToQImage(FGradientBitmap);
  GradientDis->setPixmap(QPixmap::fromImage(FGradientImage));
}

}  // namespace trochodraw
