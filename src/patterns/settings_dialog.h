#pragma once

#include <QDialog>
#include <functional>

#include "patterns/centred_dialog.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QWidget;

namespace trochodraw {

class TFindDialog;
class TIntegerSpin;
class TPatternGrid;
class TPatternListEditor;
class TPropertiesDlg;
class TRadioGroup;
class TSpeedButton;
struct TImageHolder;

// The Settings dialog: the figure's size ("Image") and the pattern list ("Pattern").
// Non-modal and above the program's other windows; created hidden at start-up. The pattern
// tab shows and edits the pattern list editor's list; the image tab resizes the figure.
class TSettingsDlg : public TCentredDialog {
  Q_OBJECT

 public:
  // Editor and Figure may also be given later (SetPatternEditor, SetFigure); each must
  // outlive the dialog's binding to it.
  explicit TSettingsDlg(QWidget* Parent = nullptr, TPatternListEditor* Editor = nullptr,
                        TImageHolder* Figure = nullptr);
  ~TSettingsDlg() override;

  void SetPatternEditor(TPatternListEditor* Editor);
  TPatternListEditor* PatternEditor() const { return FEditor; }
  void SetFigure(TImageHolder* Figure) { FFigure = Figure; }
  TImageHolder* Figure() const { return FFigure; }
  // The Properties dialog the two properties buttons use; the program's one when not set.
  void SetPropertiesDialog(TPropertiesDlg* Dialog) { FProperties = Dialog; }

  QTabWidget* PageControl1 = nullptr;
  QWidget* TabSheet1 = nullptr;
  QWidget* TabSheet2 = nullptr;
  QPushButton* CancelBtn = nullptr;

  // "Image"
  TRadioGroup* SizeRadio = nullptr;
  TIntegerSpin* WidthSpin = nullptr;
  TIntegerSpin* HeightSpin = nullptr;
  QPushButton* ApplyBtn = nullptr;
  QCheckBox* MarkCenterChk = nullptr;

  // "Pattern"
  TSpeedButton* InsertPatternBtn = nullptr;
  TSpeedButton* SpeedButton1 = nullptr;  // Overwrite
  TSpeedButton* MoveUpBtn = nullptr;
  TSpeedButton* MoveDnBtn = nullptr;
  TSpeedButton* DeleteBtn = nullptr;
  TSpeedButton* SearchBtn = nullptr;
  TSpeedButton* PropertiesBtn = nullptr;
  TSpeedButton* AllPatternBtn = nullptr;
  QLabel* Label2 = nullptr;
  TPatternGrid* PatternGrid = nullptr;
  TFindDialog* FindDialog1 = nullptr;

  // The pattern grid's current row; row r stands for entry r - 1 of the pattern list.
  int Row() const;
  void SetRow(int Value);

  // Options > Settings: the spins take the radio's size, the grid follows the main window's
  // pattern combo, and the dialog is shown (or brought to the front).
  void ShowSettings();
  // The spins take the size of the selected "Image Size" item.
  void SizeFromRadio();
  // Resizes the figure to the spins' size, keeping its top-left part. A size that cannot be
  // had raises EImageError and leaves the figure as it was.
  void ApplyImageSize();

  // The button handlers.
  void InsertPatternBtnClick();
  void SpeedButton1Click();
  void MoveUpBtnClick();
  void MoveDnBtnClick();
  void DeleteBtnClick();
  void SearchBtnClick();
  void FindDialog1Find();
  void PropertiesBtnClick();
  void AllPatternBtnClick();
  void PatternGridDblClick();

  // Closing (Close, Esc or the close box): the pattern file is written and the main window's
  // combo refilled. False, with the dialog left open, when the file could not be written.
  bool FormClose();

  // Asks OK or Cancel in a warning box; true for OK.
  bool ConfirmWarning(const QString& Text);

  // After Apply resized the figure (the main window scrolls it to its middle).
  std::function<void()> OnImageSizeApplied;

 public Q_SLOTS:
  void reject() override;

 private:
  void BuildImageTab();
  void BuildPatternTab();
  void GridChanged();

  TPatternListEditor* FEditor = nullptr;
  TImageHolder* FFigure = nullptr;
  TPropertiesDlg* FProperties = nullptr;
  int FRow = 1;  // used only until an editor is bound
};

// The Settings dialog of the running program; null until it is created.
extern TSettingsDlg* SettingsDlg;

// Whether clearing the figure marks its centre: only once the Settings dialog exists.
bool MarkCenterChecked();

}  // namespace trochodraw
