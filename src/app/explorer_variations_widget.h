#pragma once

#include <QWidget>
#include <vector>

#include "explore/thumbnail_batch.h"
#include "explore/variations.h"

class QComboBox;
class QDoubleSpinBox;
class QPushButton;
class QToolButton;

namespace trochodraw {

class TBatchProgress;
class TForm1;

// The Explorer's Variations tab: a 3 x 3 grid around the current setting, stepping through
// one chosen setting (or two, rows and columns); the middle is the setting itself. A click
// adopts a variation, and the grid gathers round it.
class TExplorerVariations : public QWidget {
 public:
  TExplorerVariations(TForm1& Main, QWidget* Parent);

  QComboBox* SettingCombo = nullptr;
  QDoubleSpinBox* StepSpin = nullptr;
  QComboBox* SecondCombo = nullptr;  // item 0: none
  QDoubleSpinBox* SecondStepSpin = nullptr;
  QPushButton* AroundCurrentBtn = nullptr;
  std::vector<QToolButton*> Cells;
  TThumbnailBatch Batch;

  // The first look at the tab takes the current setting.
  void Shown();
  // The grid around the main window's setting as it is now.
  void AroundCurrent();
  void CellClicked(int Index);
  const std::vector<TVariation>& Grid() const { return FGrid; }

 private:
  void SettingChosen(QComboBox* Combo, QDoubleSpinBox* Step);
  void Redraw();

  TForm1& FMain;
  TBatchProgress* FProgress = nullptr;
  TPattern FBase;
  bool FHasBase = false;
  std::vector<TVariation> FGrid;
};

}  // namespace trochodraw
