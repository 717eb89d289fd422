#pragma once

#include <QWidget>
#include <cstdint>
#include <vector>

#include "explore/surprise.h"
#include "explore/thumbnail_batch.h"

class QLabel;
class QPushButton;
class QSpinBox;
class QToolButton;

namespace trochodraw {

class TBatchProgress;
class TForm1;

// The Explorer's Surprise tab: nine random figures that close soon and fit the figure, each
// with "Add to Library"; "Again" makes nine more. A click on a picture uses that setting.
class TExplorerSurprise : public QWidget {
 public:
  TExplorerSurprise(TForm1& Main, QWidget* Parent);

  QSpinBox* MaxTicksSpin = nullptr;
  QPushButton* AgainBtn = nullptr;
  QLabel* SeedLabel = nullptr;
  std::vector<QToolButton*> Cells;
  std::vector<QPushButton*> AddButtons;
  TThumbnailBatch Batch;

  void Shown();
  // Nine surprises of Seed.
  void Surprise(uint64_t Seed);
  void AgainBtnClick();
  void CellClicked(int Index);
  void AddBtnClick(int Index);
  // The surprise of each cell, an empty name until it is made.
  const TPatternArray& Patterns() const { return FPatterns; }

 private:
  void Ready(int Index, const TThumbnailResult& Result);

  TForm1& FMain;
  TBatchProgress* FProgress = nullptr;
  TPatternArray FPatterns;
  std::vector<bool> FMade;
  bool FStarted = false;
};

}  // namespace trochodraw
