// The main window's controls: their places, captions, ranges and start values.
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QScrollArea>
#include <QSplitter>
#include <QVBoxLayout>

#include "app/image_view_widget.h"
#include "app/main_window.h"
#include "app/main_window_glyphs.h"
#include "app/pattern_sharing_dialog.h"
#include "controls/edit_ex_widget.h"
#include "controls/fancy_button.h"
#include "controls/fancy_speed_button.h"
#include "controls/radio_group_widget.h"
#include "controls/real_spin_widget.h"
#include "controls/track_bar_widget.h"
#include "imagefiles/format_registry.h"
#include "imagefiles/save_picture_dialog.h"
#include "patterns/machine_settings.h"

namespace trochodraw {

namespace {

const QColor kLime(0, 255, 0);
const QColor kSkyBlue(166, 202, 240);

void SetBackground(QWidget* W, const QColor& C) {
  W->setAutoFillBackground(true);
  QPalette P = W->palette();
  P.setColor(QPalette::Window, C);
  W->setPalette(P);
}

void SetTextColor(QWidget* W, const QColor& C) {
  QPalette P = W->palette();
  P.setColor(QPalette::WindowText, C);
  P.setColor(QPalette::ButtonText, C);
  P.setColor(QPalette::Text, C);
  W->setPalette(P);
}

QFont BoldCaptionFont(const QFont& Base) {
  QFont F = Base;
  F.setPointSize(8);
  F.setBold(true);
  return F;
}

// Radio items in the regular weight; the group's caption keeps the bar's bold font.
QFont ItemFont(const QFont& Bar) {
  QFont F = Bar;
  F.setBold(false);
  return F;
}

template <class W>
W* Named(W* Widget, const char* Name) {
  Widget->setObjectName(Name);
  return Widget;
}

// A speed button of the top bar: a dark gradient face with a lime caption, sized to its
// caption and glyph.
TFancySpeedBtn* TopButton(QWidget* Parent, const char* Name, const QString& Caption, int Group,
                          const QImage& Glyph = {}, int NumGlyphs = 1) {
  auto* B = Named(new TFancySpeedBtn(Parent), Name);
  B->SetCaption(Caption);
  B->SetGroupIndex(Group);
  B->SetAllowAllUp(true);
  B->SetGradient(true);
  B->SetGradColor1(0x808080);
  B->SetGradColor2(clBlack);
  // Down shows the gradient upside down, dark enough for the lime caption.
  B->SetDownInvert(true);
  B->setFont(BoldCaptionFont(B->font()));
  SetTextColor(B, kLime);
  B->SetGlyph(Glyph);
  B->SetNumGlyphs(NumGlyphs);
  const int GlyphPart = Glyph.isNull() ? 0 : Glyph.width() / NumGlyphs + B->Spacing();
  B->setFixedSize(std::max(66, B->fontMetrics().horizontalAdvance(Caption) + GlyphPart + 14), 25);
  return B;
}

TFancyButton* RowButton(QWidget* Parent, const char* Name, const QString& Caption) {
  auto* B = Named(new TFancyButton(Parent), Name);
  B->SetCaption(Caption);
  B->SetGradient(true);
  B->setFixedHeight(22);
  B->setMinimumWidth(B->fontMetrics().horizontalAdvance(Caption) + 14);
  B->setMaximumWidth(B->minimumWidth());
  return B;
}

TRealSpin* Spin(QWidget* Parent, const char* Name, int Width) {
  auto* S = Named(new TRealSpin(Parent), Name);
  S->setFixedWidth(Width);
  return S;
}

TEditEx* Display(QWidget* Parent, const char* Name, const char* Widest) {
  auto* E = Named(new TEditEx(Parent), Name);
  E->SetAlignment(TAlignment::taRightJustify);
  E->SetText("0.0");
  E->setTextMargins(0, 0, 0, 0);
  // The read-outs use a smaller face so that six of them fit under the mechanism.
  QFont F = E->font();
  F.setPointSize(7);
  E->setFont(F);
  E->setFixedWidth(E->fontMetrics().horizontalAdvance(Widest) + 8);
  return E;
}

QLabel* RowLabel(QWidget* Parent, const QString& Text) { return new QLabel(Text, Parent); }

QWidget* Row(QWidget* Parent, const char* Name, QHBoxLayout*& Layout) {
  auto* W = Named(new QWidget(Parent), Name);
  Layout = new QHBoxLayout(W);
  Layout->setContentsMargins(1, 1, 1, 1);
  Layout->setSpacing(1);
  return W;
}

}  // namespace

void TForm1::BuildMenu() {
  QMenu* File = menuBar()->addMenu("&File");
  SaveAs1 = Named(File->addAction("Save &Image As..."), "SaveAs1");
  ExportDrawing1 = Named(File->addAction("Export &Drawing..."), "ExportDrawing1");
  AddImportPatternsItem(*this, *File);
  AddExportPatternsItem(*this, *File);
  File->addSeparator();
  Exit1 = Named(File->addAction("E&xit"), "Exit1");
  QMenu* Edit = menuBar()->addMenu("&Edit");
  Copy1 = Named(Edit->addAction("&Copy"), "Copy1");
  Copy1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
  Copy1->setShortcutContext(Qt::ApplicationShortcut);
  BuildFigureMenu();
  QMenu* Options = menuBar()->addMenu("&Options");
  Settings2 = Named(Options->addAction("&Settings..."), "Settings2");
  Colors1 = Named(Options->addAction("&Colors"), "Colors1");
  QMenu* Help = menuBar()->addMenu("&Help");
  Contents1 = Named(Help->addAction("&Contents"), "Contents1");
  Help->addSeparator();
  About1 = Named(Help->addAction("&About..."), "About1");

  ColorDialog1 = Named(new QColorDialog(this), "ColorDialog1");
  ColorDialog1->setOption(QColorDialog::DontUseNativeDialog, true);
  // The dialog reads the registry's filter once, when it is created.
  SavePictureDialog1 = std::make_unique<TSavePictureDialog>(this, FilterText());
}

void TForm1::BuildTopBar() {
  Panel5 = Named(new QWidget(centralWidget()), "Panel5");
  SetBackground(Panel5, Qt::black);
  SetTextColor(Panel5, kLime);
  Panel5->setFont(BoldCaptionFont(font()));
  auto* L = new QHBoxLayout(Panel5);
  L->setContentsMargins(4, 2, 4, 2);
  L->setSpacing(2);

  RunBtn = TopButton(Panel5, "RunBtn", "Run", 50, RunGlyph());
  LiftPenBtn = TopButton(Panel5, "LiftPenBtn", "Lift Pen", 50);
  L->addWidget(RunBtn);
  L->addWidget(LiftPenBtn);

  ModeRadio = Named(new TRadioGroup(Panel5), "ModeRadio");
  ModeRadio->setTitle("Mode");
  ModeRadio->SetColumns(2);
  ModeRadio->SetItems({"Two Wheel", "Outer Planetary", "Inner Planetary"});
  ModeRadio->SetItemIndex(0);
  for (int i = 0; i < 3; ++i) ModeRadio->Button(i)->setFont(ItemFont(Panel5->font()));
  MechanismRadio = Named(new TRadioGroup(Panel5), "MechanismRadio");
  MechanismRadio->setTitle("Mechanism");
  MechanismRadio->SetItems({"Pantograph", "T-Bar"});
  MechanismRadio->SetItemIndex(0);
  for (int i = 0; i < 2; ++i) MechanismRadio->Button(i)->setFont(ItemFont(Panel5->font()));
  L->addWidget(ModeRadio);
  L->addWidget(MechanismRadio);

  auto* PatternBox = new QVBoxLayout;
  PatternBox->setSpacing(1);
  Label2 = Named(new QLabel("Saved Patterns", Panel5), "Label2");
  PatternCombo = Named(new QComboBox(Panel5), "PatternCombo");
  PatternCombo->setEditable(true);
  PatternCombo->setInsertPolicy(QComboBox::NoInsert);
  // Typing completes to the first name that begins with the typed text (see the handler).
  PatternCombo->setCompleter(nullptr);
  PatternCombo->setFixedWidth(116);
  PatternCombo->setMaxVisibleItems(20);
  QFont ComboFont = PatternCombo->font();
  ComboFont.setBold(false);
  PatternCombo->setFont(ComboFont);
  QPalette ComboPalette = PatternCombo->palette();
  ComboPalette.setColor(QPalette::Text, Qt::black);
  ComboPalette.setColor(QPalette::ButtonText, Qt::black);
  PatternCombo->setPalette(ComboPalette);
  PatternBox->addWidget(Label2);
  PatternBox->addWidget(PatternCombo);
  L->addLayout(PatternBox);

  SavePatternBtn = Named(new TFancyButton(Panel5), "SavePatternBtn");
  SavePatternBtn->SetCaption("Save Pattern");
  SavePatternBtn->SetGradient(true);
  SavePatternBtn->SetGradColor1(0x808080);
  SavePatternBtn->SetGradColor2(clBlack);
  SetTextColor(SavePatternBtn, kLime);
  SavePatternBtn->setFixedSize(SavePatternBtn->fontMetrics().horizontalAdvance("Save Pattern") + 16, 25);
  L->addWidget(SavePatternBtn);

  AntialiasChk = Named(new QCheckBox("Antialias Lines", Panel5), "AntialiasChk");
  AntialiasChk->setChecked(true);
  L->addWidget(AntialiasChk);
  L->addStretch(1);

  AccBtn = TopButton(Panel5, "AccBtn", "Accelerate", 55);
  StepBtn = TopButton(Panel5, "StepBtn", "Step", 0, StepGlyph(), 2);
  StepBtn->DoRepeat = true;
  L->addWidget(AccBtn);
  L->addWidget(StepBtn);
}

void TForm1::BuildSettingsBar() {
  Panel1 = Named(new QWidget(centralWidget()), "Panel1");
  Panel1->setFont(BoldCaptionFont(font()));
  auto* L = new QHBoxLayout(Panel1);
  L->setContentsMargins(4, 0, 4, 2);
  L->setSpacing(4);

  struct TGroupLayout {
    QGroupBox*& Group;
    TTrackBarExt*& Bar;
    TRealSpin*& Spin;
    const char* GroupName;
    const char* BarName;
    const char* SpinName;
    const char* Caption;
    bool Speed;
  };
  const TGroupLayout Groups[] = {
      {Circle1Group, Circle1Bar, Circle1Spin, "Circle1Group", "Circle1Bar", "Circle1Spin", "Circle1 Radius", false},
      {Circle2Group, Circle2Bar, Circle2Spin, "Circle2Group", "Circle2Bar", "Circle2Spin", "Circle2 Radius", false},
      {RPM1Group, RPM1Bar, RPM1Spin, "RPM1Group", "RPM1Bar", "RPM1Spin", "Wheel-1 RPM", true},
      {RPM2Group, RPM2Bar, RPM2Spin, "RPM2Group", "RPM2Bar", "RPM2Spin", "Wheel- RPM", true},
  };
  for (const TGroupLayout& S : Groups) {
    S.Group = Named(new QGroupBox(S.Caption, Panel1), S.GroupName);
    auto* G = new QHBoxLayout(S.Group);
    G->setContentsMargins(4, 0, 4, 2);
    G->setSpacing(4);
    S.Bar = Named(new TTrackBarExt(S.Group), S.BarName);
    S.Bar->setOrientation(Qt::Horizontal);
    S.Bar->setTickPosition(QSlider::TicksBelow);
    S.Spin = Spin(S.Group, S.SpinName, 60);
    QFont SpinFont = S.Spin->font();
    SpinFont.setBold(false);
    S.Spin->setFont(SpinFont);
    if (S.Speed) {
      S.Bar->SetMin(-100);
      S.Bar->SetMax(100);
      S.Bar->SetFrequency(20);
      S.Bar->SetPosition(100);
      TMachineSettings::ConfigureRPMSpin(S.Spin->RealRules());
      S.Spin->SetValue(75.5);
    } else {
      S.Bar->SetMin(1);
      S.Bar->SetMax(100);
      S.Bar->SetFrequency(10);
      S.Bar->SetPosition(80);
      TMachineSettings::ConfigureRadiusSpin(S.Spin->RealRules());
      S.Spin->SetValue(74.95);
    }
    G->addWidget(S.Bar, 1);
    G->addWidget(S.Spin);
  }

  auto LockButton = [this](const char* Name) {
    auto* B = Named(new TSpeedButton(Panel1), Name);
    B->SetFlat(true);
    B->SetGlyph(LockGlyph());
    B->SetNumGlyphs(4);
    B->SetGroupIndex(20);
    B->SetAllowAllUp(true);
    B->setFixedSize(24, 24);
    return B;
  };
  CircleLockBtn = LockButton("CircleLockBtn");
  RPMLockBtn = LockButton("RPMLockBtn");
  CircleLockBtn->setToolTip("Lock the two radii");
  RPMLockBtn->setToolTip("Lock the two speeds");

  L->addWidget(Circle1Group, 1);
  L->addWidget(CircleLockBtn);
  L->addWidget(Circle2Group, 1);
  L->addSpacing(6);
  L->addWidget(RPM1Group, 1);
  L->addWidget(RPMLockBtn);
  L->addWidget(RPM2Group, 1);
}

void TForm1::BuildWorkArea() {
  Panel2 = Named(new QWidget(centralWidget()), "Panel2");
  SetBackground(Panel2, Qt::black);
  auto* PanelLayout = new QHBoxLayout(Panel2);
  PanelLayout->setContentsMargins(4, 4, 4, 4);

  Splitter1 = Named(new QSplitter(Qt::Horizontal, Panel2), "Splitter1");
  Splitter1->setHandleWidth(8);
  Splitter1->setChildrenCollapsible(false);
  SetBackground(Splitter1, Qt::black);
  PanelLayout->addWidget(Splitter1);

  // Left: the mechanism above the display and angle rows.
  WheelPanel = Named(new QWidget(Splitter1), "WheelPanel");
  SetBackground(WheelPanel, kSkyBlue);
  auto* WheelLayout = new QVBoxLayout(WheelPanel);
  WheelLayout->setContentsMargins(3, 3, 3, 3);
  WheelLayout->setSpacing(2);
  Image1 = Named(new TImageView(WheelPanel), "Image1");
  Image1->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  Image1->setMinimumSize(100, 100);
  WheelLayout->addWidget(Image1, 1);

  QHBoxLayout* DisRow = nullptr;
  Panel11 = Row(WheelPanel, "Panel11", DisRow);
  DisRow->addWidget(RowLabel(Panel11, " Main"));
  DisRow->addWidget(Angle1Dis = Display(Panel11, "Angle1Dis", "359.9"));
  DisRow->addWidget(Angle2Dis = Display(Panel11, "Angle2Dis", "359.9"));
  DisRow->addWidget(RowLabel(Panel11, " Planet"));
  DisRow->addWidget(Angle1ADis = Display(Panel11, "Angle1ADis", "359.9"));
  DisRow->addWidget(Angle2ADis = Display(Panel11, "Angle2ADis", "359.9"));
  DisRow->addWidget(RowLabel(Panel11, " Phase"));
  DisRow->addWidget(Phase1Dis = Display(Panel11, "Phase1Dis", "-180.0"));
  DisRow->addWidget(Phase2Dis = Display(Panel11, "Phase2Dis", "-180.0"));
  DisRow->addStretch(1);
  DisRow->addWidget(SetAnglesBtn = RowButton(Panel11, "SetAnglesBtn", "Set"));
  WheelLayout->addWidget(Panel11);

  QHBoxLayout* AngleRow = nullptr;
  Panel22 = Row(WheelPanel, "Panel22", AngleRow);
  AngleRow->addWidget(RowLabel(Panel22, " Main"));
  AngleRow->addWidget(Angle1Spin = Spin(Panel22, "Angle1Spin", 58));
  AngleRow->addWidget(Angle2Spin = Spin(Panel22, "Angle2Spin", 58));
  AngleRow->addWidget(RowLabel(Panel22, " Planet"));
  AngleRow->addWidget(Angle1ASpin = Spin(Panel22, "Angle1ASpin", 58));
  AngleRow->addWidget(Angle2ASpin = Spin(Panel22, "Angle2ASpin", 58));
  AngleRow->addStretch(1);
  AngleRow->addWidget(ResetAnglesBtn = RowButton(Panel22, "ResetAnglesBtn", "Clear"));
  for (TRealSpin* S : {Angle1Spin, Angle2Spin, Angle1ASpin, Angle2ASpin}) {
    TMachineSettings::ConfigureAngleSpin(S->RealRules());
    S->SetValue(0);
  }
  WheelLayout->addWidget(Panel22);

  // Right: the figure in its scroll box above the figure row.
  FigurePanel = Named(new QWidget(Splitter1), "FigurePanel");
  SetBackground(FigurePanel, kSkyBlue);
  auto* FigureLayout = new QVBoxLayout(FigurePanel);
  FigureLayout->setContentsMargins(3, 3, 3, 3);
  FigureLayout->setSpacing(2);
  ScrollBox1 = Named(new QScrollArea(FigurePanel), "ScrollBox1");
  ScrollBox1->setWidgetResizable(false);
  ScrollBox1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Image2 = Named(new TImageView, "Image2");
  Image2->setFixedSize(640, 480);
  ScrollBox1->setWidget(Image2);
  FigureLayout->addWidget(ScrollBox1, 1);

  QHBoxLayout* FigRow = nullptr;
  Panel14 = Row(FigurePanel, "Panel14", FigRow);
  FigRow->addWidget(RowLabel(Panel14, "Scale"));
  FigRow->addWidget(ScaleSpin = Spin(Panel14, "ScaleSpin", 54));
  FigRow->addWidget(RowLabel(Panel14, " X-Offset"));
  FigRow->addWidget(OffXSpin = Spin(Panel14, "OffXSpin", 54));
  FigRow->addWidget(RowLabel(Panel14, " Y-Offset"));
  FigRow->addWidget(OffYSpin = Spin(Panel14, "OffYSpin", 54));
  FigRow->addWidget(ResetZoomBtn = RowButton(Panel14, "ResetZoomBtn", "Reset"));
  FigRow->addStretch(1);
  FigRow->addWidget(ClearBtn = RowButton(Panel14, "ClearBtn", "Clear Figure"));
  FigRow->addWidget(BackColorBtn = RowButton(Panel14, "BackColorBtn", "Back Color"));
  ClickOffBtn = Named(new TFancySpeedBtn(Panel14), "ClickOffBtn");
  ClickOffBtn->SetCaption("Click Offset");
  ClickOffBtn->SetGroupIndex(60);
  ClickOffBtn->SetAllowAllUp(true);
  ClickOffBtn->SetGradient(true);
  ClickOffBtn->setFixedSize(ClickOffBtn->fontMetrics().horizontalAdvance("Click Offset") + 16, 22);
  FigRow->addWidget(ClickOffBtn);
  TMachineSettings::ConfigureScaleSpin(ScaleSpin->RealRules());
  ScaleSpin->SetValue(1);
  for (TRealSpin* S : {OffXSpin, OffYSpin}) {
    TMachineSettings::ConfigureOffsetSpin(S->RealRules());
    S->SetValue(0);
  }
  FigureLayout->addWidget(Panel14);

  Splitter1->addWidget(WheelPanel);
  Splitter1->addWidget(FigurePanel);
  Splitter1->setStretchFactor(0, 0);
  Splitter1->setStretchFactor(1, 1);
  Splitter1->setSizes({356, 614});

  auto* Main = new QVBoxLayout(centralWidget());
  Main->setContentsMargins(0, 0, 0, 0);
  Main->setSpacing(0);
  Main->addWidget(Panel5);
  Main->addWidget(Panel1);
  Main->addWidget(Panel2, 1);
}

}  // namespace trochodraw
