#pragma once

#include <functional>

#include <QDialog>
#include <QImage>
#include <optional>

#include "colouring/image_undoer.h"
#include "colouring/mosaic.h"
#include "patterns/centred_dialog.h"
#include "render/bitmap.h"
#include "render/line_coloring.h"

class QColorDialog;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QTimer;
class QWidget;

namespace trochodraw {

class TAutoButton;
class TColorBar;
class TColorPanel;
class TGauge;
class TIntegerSpin;
class TRadioGroup;
class TRealSpin;

// The line-colouring state that the Coloring dialog's "Lines" tab edits. It exists before
// the dialog, so that the main window's tick can hold it from its creation on.
TLineColoring& LineColoringState();

// The Coloring dialog: mosaic, palette and undo ("Mosaic"), line colours ("Lines").
// Non-modal and above the main window; created hidden at start-up, after the main window.
// The "Lines" controls write straight into the line colouring's settings, so every change
// applies from the next segment on, also while the machine runs.
class TColoringDlg : public TCentredDialog {
  Q_OBJECT

 public:
  // Figure: the figure that the mosaic colours and undo restores; its width now sets the
  // palette's depth scale. Lines: the line colouring the "Lines" tab edits (the program's
  // one when null).
  TColoringDlg(QWidget* Parent, TImageHolder* Figure, TLineColoring* Lines = nullptr);
  ~TColoringDlg() override;

  QTabWidget* PageControl1 = nullptr;
  QWidget* MosaicSheet = nullptr;
  QWidget* LinesSheet = nullptr;
  QPushButton* CancelBtn = nullptr;
  TImageUndoer ImageUndoer1;
  QColorDialog* ColorDialog1 = nullptr;
  // Told after each finished mosaic (the figure now holds raster colours).
  std::function<void()> OnMosaicDone;

  // "Mosaic"
  QFrame* Panel2 = nullptr;
  TColorBar* ColorBar = nullptr;
  TRadioGroup* ColorRadio = nullptr;
  QPushButton* ResetDepthSpaceBtn = nullptr;
  QPushButton* DepthGradientBtn = nullptr;
  QPushButton* HueBtn = nullptr;
  QPushButton* InvertBtn = nullptr;
  TIntegerSpin* HueSpin = nullptr;
  TIntegerSpin* DepthBandSpin = nullptr;
  TColorPanel* DisDepthColor = nullptr;
  QPushButton* GetDepthColor = nullptr;
  QPushButton* MozaicBtn = nullptr;
  TAutoButton* UndoBtn = nullptr;
  TRadioGroup* MozaicRadio = nullptr;
  TColorPanel* BackColorDis = nullptr;
  QPushButton* BackColorBtn = nullptr;
  TRealSpin* ThresholdSpin = nullptr;

  // "Lines"
  TRadioGroup* ModeGroup = nullptr;
  TColorPanel* StartColorDis = nullptr;
  QLabel* GradientDis = nullptr;
  TColorPanel* EndColorDis = nullptr;
  QPushButton* StartColorBtn = nullptr;
  TGauge* GradientProgress = nullptr;
  QPushButton* EndColorBtn = nullptr;
  TIntegerSpin* StepSpin = nullptr;
  QLabel* StepsDis = nullptr;
  QPushButton* ResetBtn = nullptr;
  TIntegerSpin* PixelRangeSpin = nullptr;
  TIntegerSpin* PixelOffsetSpin = nullptr;
  TColorPanel* SingleColorDis = nullptr;
  QPushButton* SingleColorBtn = nullptr;
  TIntegerSpin* PenWidthSpin = nullptr;

  TLineColoring& LineColoring() const { return FLines; }
  TImageHolder* Figure() const { return FFigure; }

  // Options > Colors: the hue base is saved, the gradient preview painted, the figure
  // becomes an undo level and the dialog is shown (or brought forward).
  void ShowColoring();

  // The palette commands of "Mosaic".
  void ColorRadioClick();
  void ResetDepthSpaceBtnClick();
  void DepthGradientBtnClick();
  void HueBtnClick();
  void InvertBtnClick();
  void HueSpinChange();
  void DepthBandSpinChange();
  void GetDepthColorClick();
  void UpdateBandDisplay();
  void SaveHueBase();

  // "Mozaic Image": an undo level first, then the fill of a copy of the figure, which
  // replaces the figure only once it is complete. Work of more than MosaicProgressDelay
  // milliseconds shows its progress.
  void MozaicBtnClick();
  int MosaicProgressDelay = 500;
  TMosaicSettings MosaicSettings() const;
  void BackColorBtnClick();
  // "Undo": the last undo level comes back, size included.
  void UndoBtnClick();

  // The "Lines" tab.
  void StartColorBtnClick();
  void EndColorBtnClick();
  void SingleColorBtnClick();
  void ResetBtnClick();
  void PaintGradientPreview();
  // The gauge and the stroke counter show the line colouring's state (run after ticks).
  void UpdateLineDisplays();
  // The preview as painted (263 x 29).
  const QImage& GradientImage() const { return FGradientImage; }

  // Runs the colour chooser preset to the panel's colour; on OK the panel takes the choice.
  bool PickPanelColor(TColorPanel* Panel);
  // The colour chooser preset to Initial; nothing when the user cancels.
  std::optional<TColor> ChooseColor(TColor Initial);

 protected:
  void showEvent(QShowEvent* Event) override;
  void hideEvent(QHideEvent* Event) override;

 private:
  void BuildMosaicTab();
  void BuildLinesTab();
  void LoadLineSettings();

  TImageHolder* FFigure;
  TLineColoring& FLines;
  TBitmap FGradientBitmap;
  QImage FGradientImage;
  QTimer* FDisplayTimer = nullptr;
  int FShownSteps = -1;
  int FShownProgress = -1;
};

// The Coloring dialog of the running program; null until it is created.
extern TColoringDlg* ColoringDlg;

}  // namespace trochodraw
