#pragma once

#include <QMainWindow>
#include <QPointF>
#include <memory>

#include "colouring/image_undoer.h"
#include "machine/figure_status.h"
#include "machine/simulation.h"
#include "patterns/pattern_list_editor.h"
#include "vector/stroke_record.h"

class QAction;
class QCheckBox;
class QColorDialog;
class QComboBox;
class QGroupBox;
class QLabel;
class QScrollArea;
class QSplitter;
class QTimer;

namespace trochodraw {

class TCHMHelper;
class TEditEx;
class TFancyButton;
class TFancySpeedBtn;
class TImageView;
class TRadioGroup;
class TRealSpin;
class TSavePictureDialog;
class TSpeedButton;
class TTrackBarExt;

// The main window: the machine's controls, the mechanism pane and the figure, and the menu
// that reaches saving, the clipboard, the dialogs and the help. It owns the running machine.
class TForm1 : public QMainWindow, public TPatternHost {
  Q_OBJECT

 public:
  explicit TForm1(QWidget* Parent = nullptr);
  ~TForm1() override;

  // Top bar.
  QWidget* Panel5 = nullptr;
  TFancySpeedBtn* RunBtn = nullptr;
  TFancySpeedBtn* LiftPenBtn = nullptr;
  TRadioGroup* ModeRadio = nullptr;
  TRadioGroup* MechanismRadio = nullptr;
  QLabel* Label2 = nullptr;
  QComboBox* PatternCombo = nullptr;
  TFancyButton* SavePatternBtn = nullptr;
  QCheckBox* AntialiasChk = nullptr;
  TFancySpeedBtn* AccBtn = nullptr;
  TFancySpeedBtn* StepBtn = nullptr;

  // Settings bar.
  QWidget* Panel1 = nullptr;
  QGroupBox* Circle1Group = nullptr;
  QGroupBox* Circle2Group = nullptr;
  QGroupBox* RPM1Group = nullptr;
  QGroupBox* RPM2Group = nullptr;
  TTrackBarExt* Circle1Bar = nullptr;
  TTrackBarExt* Circle2Bar = nullptr;
  TTrackBarExt* RPM1Bar = nullptr;
  TTrackBarExt* RPM2Bar = nullptr;
  TRealSpin* Circle1Spin = nullptr;
  TRealSpin* Circle2Spin = nullptr;
  TRealSpin* RPM1Spin = nullptr;
  TRealSpin* RPM2Spin = nullptr;
  TSpeedButton* CircleLockBtn = nullptr;
  TSpeedButton* RPMLockBtn = nullptr;

  // Work area.
  QWidget* Panel2 = nullptr;
  QSplitter* Splitter1 = nullptr;
  QWidget* WheelPanel = nullptr;
  TImageView* Image1 = nullptr;
  QWidget* FigurePanel = nullptr;
  QScrollArea* ScrollBox1 = nullptr;
  TImageView* Image2 = nullptr;

  // Display row.
  QWidget* Panel11 = nullptr;
  TEditEx* Angle1Dis = nullptr;
  TEditEx* Angle2Dis = nullptr;
  TEditEx* Angle1ADis = nullptr;
  TEditEx* Angle2ADis = nullptr;
  TEditEx* Phase1Dis = nullptr;
  TEditEx* Phase2Dis = nullptr;
  TFancyButton* SetAnglesBtn = nullptr;

  // Angle row.
  QWidget* Panel22 = nullptr;
  TRealSpin* Angle1Spin = nullptr;
  TRealSpin* Angle2Spin = nullptr;
  TRealSpin* Angle1ASpin = nullptr;
  TRealSpin* Angle2ASpin = nullptr;
  TFancyButton* ResetAnglesBtn = nullptr;

  // Figure row.
  QWidget* Panel14 = nullptr;
  TRealSpin* ScaleSpin = nullptr;
  TRealSpin* OffXSpin = nullptr;
  TRealSpin* OffYSpin = nullptr;
  TFancyButton* ResetZoomBtn = nullptr;
  TFancyButton* ClearBtn = nullptr;
  TFancyButton* BackColorBtn = nullptr;
  TFancySpeedBtn* ClickOffBtn = nullptr;

  // Other components.
  QTimer* Timer1 = nullptr;
  QColorDialog* ColorDialog1 = nullptr;
  std::unique_ptr<TSavePictureDialog> SavePictureDialog1;
  TCHMHelper* CHMHelper1 = nullptr;
  // The status bar's account of the figure: when it closes, how much is drawn.
  QLabel* FigureStatusLabel = nullptr;
  TFigureStatus FigureStatus;
  QAction* SaveAs1 = nullptr;
  QAction* ExportDrawing1 = nullptr;
  QAction* Exit1 = nullptr;
  QAction* Copy1 = nullptr;
  QAction* CompleteFigure1 = nullptr;
  QAction* Settings2 = nullptr;
  QAction* Colors1 = nullptr;
  QAction* Contents1 = nullptr;
  QAction* About1 = nullptr;

  // The running machine with its two bitmaps: Image1 shows the mechanism, Image2 the figure.
  TSimulation Sim;
  TImageHolder Image2Holder{Sim.FigureImage};
  // Every segment drawn since the last Clear Figure, for File > Export Drawing.
  TStrokeRecord StrokeRecord;
  // The pattern library as the Settings dialog and PatternCombo edit it.
  TPatternListEditor Patterns;

  // The window's creation steps, run once at the end of construction.
  void FormCreate();
  // The machine settings of the controls, as the tick and the solver read them.
  void ReadTickSettings();
  void RefreshMechanism();
  void ScrollToFraction(QScrollArea* Box, double FX, double FY);

  // Handlers, named after their component and event.
  void Circle1BarChange();
  void Circle1SpinChange();
  void Circle2BarChange();
  void Circle2SpinChange();
  void RPM1BarChange();
  void RPM1SpinChange();
  void RPM2BarChange();
  void RPM2SpinChange();
  void CircleLockBtnClick();
  void RPMLockBtnClick();
  void ModeRadioClick();
  void MechanismRadioClick();
  void SetAnglesBtnClick();
  void ResetAnglesBtnClick();
  void RunBtnClick();
  void Timer1Timer();
  void LiftPenBtnClick();
  void ClearBtnClick();
  void BackColorBtnClick();
  void ResetZoomBtnClick();
  void Image2MouseDown(Qt::MouseButton Button, QPoint Pos);
  void Splitter2Moved();
  void SaveAs1Click();
  void ExportDrawing1Click();
  void Copy1Click();
  // Figure > Complete Figure: one whole period into the figure, at full speed.
  void CompleteFigure1Click();
  // Runs Ticks ticks in slices with a progress box that can cancel; the window keeps painting.
  void RunFigureTicks(uint64_t Ticks);
  void Settings2Click();
  void Colors1Click();
  void Contents1Click();
  void About1Click();
  void SavePatternBtnClick();
  void PatternComboSelect(int Index);

  // TPatternHost: the window's side of the pattern library.
  TPattern CapturePattern() override;
  void ApplyPattern(const TPattern& P) override;
  void PatternApplied() override;

 protected:
  void showEvent(QShowEvent* Event) override;

 private:
  void BuildTopBar();
  void BuildSettingsBar();
  void BuildWorkArea();
  void BuildMenu();
  void BuildFigureMenu();
  void BindFigureStatus();
  void FigureSettingsRead();
  void ShowFigureStatus();
  void BindHandlers();
  void BindMenuHandlers();
  void BindPatternHandlers();
  void BindSimulation();
  void RepaintFigure();
  void UpdatePatternCombo();
  void PatternComboEdited(const QString& Text);
  void ShowAngleDisplays(const TAngleDisplays& D);

  void KeepScrollFraction();

  bool FFirstShow = true;
  QScrollArea* FScrollBox = nullptr;
  QPointF FScrollFraction;
  QString FComboTyped;
};

// The main window of the running program; null until it is created.
extern TForm1* Form1;

}  // namespace trochodraw
