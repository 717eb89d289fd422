#include "colouring/coloring_dialog.h"

#include <QColorDialog>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

#include "colouring/color_bar_widget.h"
#include "colouring/color_panel_widget.h"
#include "colouring/coloring_dialog_glyphs.h"
#include "colouring/work_progress_dialog.h"
#include "controls/application_error.h"
#include "controls/auto_button.h"
#include "controls/glyph_images.h"
#include "controls/integer_spin_widget.h"
#include "controls/radio_group_widget.h"
#include "controls/real_spin_widget.h"

namespace trochodraw {

TColoringDlg* ColoringDlg = nullptr;

TLineColoring& LineColoringState() {
  static TLineColoring State;
  return State;
}

namespace {

// How often the gauge and the stroke counter follow the running machine.
constexpr int kDisplayInterval = 50;  // milliseconds

QPushButton* MakeButton(QWidget* Parent, const char* Name, const QString& Caption, QRect Place) {
  auto* b = new QPushButton(Caption, Parent);
  b->setObjectName(Name);
  b->setGeometry(Place);
  b->setAutoDefault(false);
  return b;
}

QPushButton* MakeGlyphButton(QWidget* Parent, const char* Name, const QString& Caption, QRect Place,
                             TColoringGlyph Glyph) {
  QPushButton* b = MakeButton(Parent, Name, Caption, Place);
  b->setIcon(QIcon(QPixmap::fromImage(MakeTransparent(ColoringButtonGlyph(Glyph)))));
  b->setIconSize(QSize(16, 16));
  return b;
}

QLabel* MakeLabel(QWidget* Parent, const QString& Caption, QPoint At) {
  auto* l = new QLabel(Caption, Parent);
  l->move(At);
  l->adjustSize();
  return l;
}

int ClampToInt(int64_t V) {
  return static_cast<int>(std::clamp<int64_t>(V, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// Connects a click to a handler whose errors go to the error box.
template <class F>
void OnClicked(QPushButton* Button, QObject* Context, F Handler) {
  QObject::connect(Button, &QPushButton::clicked, Context, [Handler] { InvokeGuarded(Handler); });
}

}  // namespace

TColoringDlg::TColoringDlg(QWidget* Parent, TImageHolder* Figure, TLineColoring* Lines)
    : TCentredDialog(Parent), FFigure(Figure), FLines(Lines ? *Lines : LineColoringState()) {
  setObjectName("ColoringDlg");
  setWindowTitle("Coloring");
  setModal(false);
  setWindowFlag(Qt::WindowStaysOnTopHint, true);
  setFixedSize(341, 390);
  // The controls sit at fixed places sized for the small dialog font of the toolkit.
  QFont small = font();
  small.setPixelSize(11);
  setFont(small);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName("PageControl1");
  MosaicSheet = new QWidget;
  MosaicSheet->setObjectName("MosaicSheet");
  LinesSheet = new QWidget;
  LinesSheet->setObjectName("LinesSheet");
  PageControl1->addTab(MosaicSheet, "Mosaic");
  PageControl1->addTab(LinesSheet, "Lines");
  layout->addWidget(PageControl1, 1);
  auto* bottomPanel = new QWidget(this);
  bottomPanel->setObjectName("Panel1");
  bottomPanel->setFixedHeight(41);
  CancelBtn = MakeButton(bottomPanel, "CancelBtn", "Close", QRect(230, 8, 75, 25));
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::close);
  layout->addWidget(bottomPanel);

  ColorDialog1 = new QColorDialog(this);
  ColorDialog1->setObjectName("ColorDialog1");
  ColorDialog1->setOption(QColorDialog::DontUseNativeDialog, true);
  ImageUndoer1.SetImage(Figure);

  BuildMosaicTab();
  BuildLinesTab();

  // FormCreate: the palette's depth runs from 0 at the top to half the figure's width.
  ColorBar->Palette().SetRange(0, (Figure ? Figure->Picture.Width() : 0) / 2.0);
  PaintGradientPreview();
  PageControl1->setCurrentWidget(MosaicSheet);

  FDisplayTimer = new QTimer(this);
  FDisplayTimer->setInterval(kDisplayInterval);
  connect(FDisplayTimer, &QTimer::timeout, this, [this] { UpdateLineDisplays(); });
  if (!ColoringDlg) ColoringDlg = this;
}

TColoringDlg::~TColoringDlg() {
  FLines.OnStepSpinChanged = nullptr;
  if (ColoringDlg == this) ColoringDlg = nullptr;
}

void TColoringDlg::BuildMosaicTab() {
  QWidget* tab = MosaicSheet;
  Panel2 = new QFrame(tab);
  Panel2->setObjectName("Panel2");
  Panel2->setFrameStyle(QFrame::Panel | QFrame::Raised);
  Panel2->setLineWidth(3);
  Panel2->setGeometry(0, 0, 57, 321);
  auto* barLayout = new QVBoxLayout(Panel2);
  barLayout->setContentsMargins(8, 8, 8, 8);
  ColorBar = new TColorBar(Panel2);
  ColorBar->DragDropColors = true;
  ColorBar->SetColorCount(dc32);
  barLayout->addWidget(ColorBar);
  ColorBar->OnChangeSelect = [this](QObject*) { UpdateBandDisplay(); };

  ColorRadio = new TRadioGroup(tab);
  ColorRadio->setObjectName("ColorRadio");
  ColorRadio->setTitle("Color Count");
  ColorRadio->SetColumns(2);
  ColorRadio->SetItems({"12", "20", "24", "30", "32"});
  ColorRadio->SetItemIndex(4);  // before the handler is bound: the form sets it quietly
  ColorRadio->setGeometry(64, 2, 113, 63);
  ColorRadio->OnClick = [this](QObject*) { InvokeGuarded([this] { ColorRadioClick(); }); };

  ResetDepthSpaceBtn =
      MakeGlyphButton(tab, "ResetDepthSpaceBtn", "Reset Spacing", QRect(64, 67, 116, 27), TColoringGlyph::ResetSpacing);
  DepthGradientBtn =
      MakeGlyphButton(tab, "DepthGradientBtn", "RGB Gradient", QRect(64, 96, 116, 27), TColoringGlyph::RGBGradient);
  HueBtn = MakeGlyphButton(tab, "HueBtn", "Hue Gradient", QRect(64, 126, 116, 27), TColoringGlyph::HueGradient);
  InvertBtn = MakeGlyphButton(tab, "InvertBtn", "Invert Colors", QRect(64, 154, 116, 27), TColoringGlyph::Invert);
  OnClicked(ResetDepthSpaceBtn, this, [this] { ResetDepthSpaceBtnClick(); });
  OnClicked(DepthGradientBtn, this, [this] { DepthGradientBtnClick(); });
  OnClicked(HueBtn, this, [this] { HueBtnClick(); });
  OnClicked(InvertBtn, this, [this] { InvertBtnClick(); });

  MakeLabel(tab, "Hue Offset", QPoint(64, 185));
  HueSpin = new TIntegerSpin(tab);
  HueSpin->setObjectName("HueSpin");
  HueSpin->SetValue(0);
  HueSpin->setGeometry(64, 199, 89, 21);
  HueSpin->OnChange = [this](QObject*) { HueSpinChange(); };

  auto* adjust = new QGroupBox("Adjust Band", tab);
  adjust->setObjectName("AdjustBandGroup");
  adjust->setGeometry(62, 229, 116, 85);
  MakeLabel(adjust, "Band", QPoint(8, 17));
  DepthBandSpin = new TIntegerSpin(adjust);
  DepthBandSpin->setObjectName("DepthBandSpin");
  DepthBandSpin->SetMinValue(1);
  DepthBandSpin->SetMaxValue(32);
  DepthBandSpin->SetUseLimit(true);
  DepthBandSpin->SetValue(1);
  DepthBandSpin->setGeometry(8, 31, 62, 21);
  DepthBandSpin->OnChange = [this](QObject*) { DepthBandSpinChange(); };
  DisDepthColor = new TColorPanel(adjust);
  DisDepthColor->setObjectName("DisDepthColor");
  DisDepthColor->setGeometry(74, 32, 30, 20);
  GetDepthColor = MakeButton(adjust, "GetDepthColor", "Change Color", QRect(7, 56, 101, 22));
  OnClicked(GetDepthColor, this, [this] { GetDepthColorClick(); });

  MozaicBtn = MakeButton(tab, "MozaicBtn", "Mozaic Image", QRect(200, 8, 105, 25));
  OnClicked(MozaicBtn, this, [this] { MozaicBtnClick(); });
  UndoBtn = new TAutoButton(tab);
  UndoBtn->setObjectName("UndoBtn");
  UndoBtn->SetCaption("Undo");
  UndoBtn->SetGlyph(ColoringButtonGlyph(TColoringGlyph::Undo));
  UndoBtn->DoRepeat = true;
  UndoBtn->setGeometry(201, 36, 104, 24);
  UndoBtn->OnClick = [this](QObject*) { InvokeGuarded([this] { UndoBtnClick(); }); };

  MozaicRadio = new TRadioGroup(tab);
  MozaicRadio->setObjectName("MozaicRadio");
  MozaicRadio->setTitle("Mozaic Colors");
  MozaicRadio->SetItems({"Gradient Colors", "Random Colors"});
  MozaicRadio->SetItemIndex(0);
  MozaicRadio->setGeometry(193, 63, 128, 55);

  auto* back = new QGroupBox("Background Color", tab);
  back->setObjectName("BackgroundColorGroup");
  back->setGeometry(193, 120, 128, 45);
  BackColorDis = new TColorPanel(back);
  BackColorDis->setObjectName("BackColorDis");
  BackColorDis->SetColor(clBlack);
  BackColorDis->setGeometry(10, 17, 30, 22);
  BackColorBtn = MakeButton(back, "BackColorBtn", "Change Color", QRect(43, 17, 80, 22));
  OnClicked(BackColorBtn, this, [this] { BackColorBtnClick(); });

  MakeLabel(tab, "Fill Threshold", QPoint(208, 169));
  ThresholdSpin = new TRealSpin(tab);
  ThresholdSpin->setObjectName("ThresholdSpin");
  ThresholdSpin->SetMinValue(0);
  ThresholdSpin->SetMaxValue(1);
  ThresholdSpin->SetUseLimit(true);
  ThresholdSpin->SetIncrement(0.1);
  ThresholdSpin->SetValue(0.6);
  ThresholdSpin->setGeometry(208, 184, 97, 21);
}

// ---- the palette ----

void TColoringDlg::UpdateBandDisplay() {
  const TColorBandPalette& p = ColorBar->Palette();
  const int s = p.Selected();
  if (s == 0) return;
  DepthBandSpin->SetValue(s);
  if (s < p.Count()) DisDepthColor->SetColor(p.EntryColor(s));
}

void TColoringDlg::SaveHueBase() {
  ColorBar->Palette().SaveHueBase();
  // Back to 0; if the spin showed another offset, its change applies 0 to the new base.
  HueSpin->SetValue(0);
}

void TColoringDlg::ColorRadioClick() {
  const int i = ColorRadio->ItemIndex();
  if (i < 0) return;
  // Loading the palette saves it as the hue base; saving again here would take the colours
  // after the HSV round trip of the old offset going back to 0.
  ColorBar->Palette().ChooseColorCount(static_cast<TColorCount>(i));
  UpdateBandDisplay();
  HueSpin->SetValue(0);
}

void TColoringDlg::ResetDepthSpaceBtnClick() { ColorBar->Palette().ResetSpacing(); }

void TColoringDlg::DepthGradientBtnClick() {
  TColorBandPalette& p = ColorBar->Palette();
  p.RGBGradient(0, p.Count());
  UpdateBandDisplay();
  SaveHueBase();
}

void TColoringDlg::HueBtnClick() {
  TColorBandPalette& p = ColorBar->Palette();
  p.HueGradient(0, p.Count());
  UpdateBandDisplay();
  SaveHueBase();
}

void TColoringDlg::InvertBtnClick() { ColorBar->Palette().Invert(); }

void TColoringDlg::HueSpinChange() {
  ColorBar->Palette().SetHueOffset(ClampToInt(HueSpin->Value()));
  UpdateBandDisplay();
}

void TColoringDlg::DepthBandSpinChange() { ColorBar->Palette().SetBandSpin(ClampToInt(DepthBandSpin->Value())); }

void TColoringDlg::GetDepthColorClick() {
  TColorBandPalette& p = ColorBar->Palette();
  const int s = p.Selected();
  if (s >= 0 && s < p.Count()) {
    if (const auto chosen = ChooseColor(p.EntryColor(s))) {
      p.SetEntryColor(s, *chosen);
      UpdateBandDisplay();
    }
  }
  SaveHueBase();
}

// ---- mosaic and undo ----

TMosaicSettings TColoringDlg::MosaicSettings() const {
  TMosaicSettings s;
  s.Colors = MozaicRadio->ItemIndex() == 1 ? mcRandom : mcGradient;
  s.Threshold = ThresholdSpin->Value();
  s.BackColor = BackColorDis->Color();
  return s;
}

void TColoringDlg::MozaicBtnClick() {
  if (!FFigure) throw EImageError("No Image Set");
  const TMosaicSettings settings = MosaicSettings();
  // The fill works on a copy, so the figure on the screen changes only when it is done.
  TBitmap work(FFigure->Picture);
  ImageUndoer1.Store();
  TMosaicRandom random = TMosaicRandom::FromClock();
  {
    TWorkProgress progress(this, "Mozaic Image", "Filling the regions of the figure...", MosaicProgressDelay);
    MozaicImage(work, ColorBar->Palette(), settings, random, [&progress](int Percent) { progress.Step(Percent); });
  }
  FFigure->Picture = std::move(work);
  FFigure->PictureChanged();
  if (OnMosaicDone) OnMosaicDone();
}

void TColoringDlg::BackColorBtnClick() { PickPanelColor(BackColorDis); }

void TColoringDlg::UndoBtnClick() { ImageUndoer1.Undo(); }

// ---- the window ----

std::optional<TColor> TColoringDlg::ChooseColor(TColor Initial) {
  ColorDialog1->setCurrentColor(QColor(RedOf(Initial), GreenOf(Initial), BlueOf(Initial)));
  if (ColorDialog1->exec() != QDialog::Accepted) return std::nullopt;
  const QColor c = ColorDialog1->selectedColor();
  if (!c.isValid()) return std::nullopt;
  return RGBColor(static_cast<uint8_t>(c.red()), static_cast<uint8_t>(c.green()), static_cast<uint8_t>(c.blue()));
}

bool TColoringDlg::PickPanelColor(TColorPanel* Panel) {
  const auto chosen = ChooseColor(Panel->Color());
  if (!chosen) return false;
  Panel->SetColor(*chosen);
  return true;
}

void TColoringDlg::ShowColoring() {
  SaveHueBase();
  PaintGradientPreview();
  // A figure that cannot be stored is reported, but the dialog still opens.
  std::exception_ptr failed;
  try {
    ImageUndoer1.Store();
  } catch (...) {
    failed = std::current_exception();
  }
  show();
  raise();
  activateWindow();
  if (failed) std::rethrow_exception(failed);
}

void TColoringDlg::showEvent(QShowEvent* Event) {
  TCentredDialog::showEvent(Event);
  UpdateLineDisplays();
  FDisplayTimer->start();
}

void TColoringDlg::hideEvent(QHideEvent* Event) {
  FDisplayTimer->stop();
  QDialog::hideEvent(Event);
}

}  // namespace trochodraw
