#include "app/main_window.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QSplitter>
#include <QTimer>
#include <filesystem>

#include "app/image_view_widget.h"
#include "colouring/coloring_dialog.h"
#include "controls/chm_helper.h"
#include "controls/edit_ex_widget.h"
#include "controls/fancy_speed_button.h"
#include "controls/help_system.h"
#include "controls/locale_separators.h"
#include "controls/radio_group_widget.h"
#include "controls/real_spin_widget.h"
#include "imagefiles/save_picture_dialog.h"
#include "patterns/pattern_file.h"
#include "patterns/settings_dialog.h"

namespace trochodraw {

TForm1* Form1 = nullptr;

TForm1::TForm1(QWidget* Parent) : QMainWindow(Parent), Sim(LineColoringState()), Patterns(PatternList, *this) {
  setObjectName("Form1");
  setWindowTitle("Trochodraw");
  if (!Form1) Form1 = this;
  // The toolkit's small dialog font: the window's many controls fit its 986 pixels.
  QFont Small = font();
  Small.setPointSize(8);
  setFont(Small);

  BuildMenu();
  auto* Central = new QWidget(this);
  Central->setObjectName("Central");
  setCentralWidget(Central);
  BuildTopBar();
  BuildSettingsBar();
  BuildWorkArea();

  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setTimerType(Qt::PreciseTimer);
  Timer1->setInterval(10);
  CHMHelper1 = new TCHMHelper(this);
  CHMHelper1->setObjectName("CHMHelper1");
  THelpSystem::Instance().SetMainWindow(this);

  move(297, 117);
  resize(986, 636);

  BindHandlers();
  BindFigureStatus();
  BindSimulation();
  KeepScrollFraction();
  FormCreate();
}

TForm1::~TForm1() {
  Timer1->stop();
  if (Form1 == this) Form1 = nullptr;
}

void TForm1::FormCreate() {
  // The mechanism bitmap starts at the pane's size; the first layout fits it again.
  Sim.MechanismImage = TBitmap(350, 400);
  Sim.FigureImage = TBitmap(640, 480);
  ReadTickSettings();
  // Wheels with their maximum radii and places, the raw spin radii, angles 0, a white
  // background, the figure cleared (no centre mark: the Settings dialog does not exist yet)
  // and the machine solved and drawn once.
  Sim.Initialise();
  Image1->SetBitmap(&Sim.MechanismImage);
  Image2->SetBitmap(&Sim.FigureImage);
  FitImageToBitmap(*Image2);

  Patterns.PatternFileName = DefaultPatternFileName();
  Patterns.FormatSettings = SystemSeparators();
  Patterns.InitialisePatterns();

  ScrollToFraction(ScrollBox1, 0.5, 0.5);

  // The help file is looked for beside the program.
  const std::string HelpName = std::filesystem::path(THelpSystem::Instance().HelpFile()).filename().string();
  const QString Folder = QCoreApplication::applicationDirPath();
  THelpSystem::Instance().SetHelpFile(QDir(Folder).filePath(QString::fromStdString(HelpName)).toStdString());
}

void TForm1::showEvent(QShowEvent* Event) {
  QMainWindow::showEvent(Event);
  if (!FFirstShow) return;
  FFirstShow = false;
  // The splitter takes its sizes only once the window is laid out.
  Splitter1->setSizes({356, std::max(Splitter1->width() - 356 - Splitter1->handleWidth(), 100)});
}

void TForm1::ReadTickSettings() {
  TTickSettings& S = Sim.Settings;
  S.Machine.Radius1Percent = Circle1Spin->Value();
  S.Machine.Radius2Percent = Circle2Spin->Value();
  S.Machine.Mode = static_cast<TPlanetMode>(std::max(ModeRadio->ItemIndex(), 0));
  S.Machine.Mechanism = static_cast<TArmMode>(std::max(MechanismRadio->ItemIndex(), 0));
  S.Machine.MechanismWidth = Sim.MechanismImage.Width();
  S.RPM1 = RPM1Spin->Value();
  S.RPM2 = RPM2Spin->Value();
  S.Accelerate = AccBtn->Down();
  S.Scale = ScaleSpin->Value();
  S.OffX = OffXSpin->Value();
  S.OffY = OffYSpin->Value();
  S.Antialias = AntialiasChk->isChecked();
  S.TimerInterval = Timer1->interval();
  FigureSettingsRead();
}

void TForm1::RefreshMechanism() {
  ReadTickSettings();
  Sim.RefreshMechanism();
}

void TForm1::ScrollToFraction(QScrollArea* Box, double FX, double FY) {
  // The toolkit's position runs over the range less the client size, Qt's maximum already.
  QScrollBar* H = Box->horizontalScrollBar();
  QScrollBar* V = Box->verticalScrollBar();
  H->setValue(static_cast<int>(RoundHalfEven(H->maximum() * FX)));
  V->setValue(static_cast<int>(RoundHalfEven(V->maximum() * FY)));
  // Qt lays the box out only when it is shown and again as the window settles, so the
  // fractions are kept and applied to every new range until the user scrolls.
  FScrollBox = Box;
  FScrollFraction = QPointF(FX, FY);
}

void TForm1::KeepScrollFraction() {
  for (QScrollBar* Bar : {ScrollBox1->horizontalScrollBar(), ScrollBox1->verticalScrollBar()}) {
    connect(Bar, &QScrollBar::rangeChanged, this, [this] {
      if (FScrollBox) ScrollToFraction(FScrollBox, FScrollFraction.x(), FScrollFraction.y());
    });
    connect(Bar, &QScrollBar::actionTriggered, this, [this] { FScrollBox = nullptr; });
  }
}

void TForm1::BindSimulation() {
  Sim.OnMechanismDrawn = [this] { Image1->update(); };
  Sim.OnAnglesUpdated = [this](const TAngleDisplays& D) { ShowAngleDisplays(D); };
  Sim.OnStroke = [this] {
    // Every stroke, drawn or only recorded, releases Lift Pen again.
    if (!LiftPenBtn->isEnabled()) LiftPenBtn->setEnabled(true);
    if (LiftPenBtn->Down()) LiftPenBtn->SetDown(false);
  };
  Sim.OnFigureCleared = [this] {
    Image2->update();
    FigureStatus.Restart();
    ShowFigureStatus();
  };
  // Bound after the window's own hooks, which it keeps calling.
  AttachStrokeRecord(Sim, StrokeRecord);
  Image2Holder.OnPictureChanged = [this] {
    FitImageToBitmap(*Image2);
    Image2->update();
  };
}

void TForm1::ShowAngleDisplays(const TAngleDisplays& D) {
  const TFormatSettings FS = SystemSeparators();
  auto Show = [&FS](TEditEx* E, double V) { E->SetText(QString::fromStdString(FormatFixed(V, 1, FS))); };
  Show(Angle1Dis, D.Angle1);
  Show(Angle2Dis, D.Angle2);
  Show(Angle1ADis, D.Angle1A);
  Show(Angle2ADis, D.Angle2A);
  Show(Phase1Dis, D.Phase1);
  Show(Phase2Dis, D.Phase2);
}

void TForm1::Timer1Timer() {
  ReadTickSettings();
  Sim.Timer1Timer();
  FigureStatus.TicksRun(1, Sim.Settings.Accelerate);
  ShowFigureStatus();
  RepaintFigure();
}

void TForm1::RepaintFigure() {
  const TRect R = Sim.TakeDirtyRect();
  if (!R.IsEmpty()) Image2->update(QRect(R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top));
}

}  // namespace trochodraw
