#pragma once

#include <QImage>
#include <QWidget>
#include <map>
#include <string>
#include <vector>

#include "explore/thumbnail_batch.h"

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTimer;

namespace trochodraw {

class TBatchProgress;
class TForm1;

// The Explorer's Library tab: a picture of every pattern of the library, filled in as each is
// drawn. A click applies the pattern as the pattern list does; a double click applies it and
// draws its whole figure on a cleared figure.
class TExplorerLibrary : public QWidget {
 public:
  TExplorerLibrary(TForm1& Main, QWidget* Parent);

  QListWidget* LibraryList = nullptr;
  QPushButton* ExportSelectedBtn = nullptr;
  TThumbnailBatch Batch;

  // Draws what changed since the last time: the library, the colours, the figure's size.
  void Refresh();
  // The selected patterns, in library order.
  TPatternArray SelectedPatterns() const;

  void ItemClicked(int Index);
  void ItemDoubleClicked(int Index);

 private:
  void Rebuild();
  void PictureReady(int Index, const TThumbnailResult& Result);

  TForm1& FMain;
  TBatchProgress* FProgress = nullptr;
  QTimer* FWatch = nullptr;
  std::string FSignature;
  std::vector<int> FJobRows;  // the list row of each job of the batch
  // Pictures already drawn with the current options, by pattern.
  std::map<std::string, QImage> FDrawn;
  std::string FOptionsKey;
};

}  // namespace trochodraw
