#pragma once

#include <QDialog>
#include <QFileDialog>
#include <QStringList>
#include <string>
#include <vector>

#include "imagefiles/preview_load.h"

class QLabel;
class QPushButton;
class QWidget;

namespace trochodraw {

// One pair of a filter text: the shown text and its masks ("*.jpg;*.gif").
struct TFilterPair {
  QString Text;
  QStringList Masks;
};

// Splits "Text|masks|Text|masks..." into its pairs; an odd last text stands alone.
std::vector<TFilterPair> ParseFilterText(const std::string& Filter);

// Scales a picture of Picture's size down to fit Box, keeping its proportions; smaller
// pictures keep their size.
QSize FitPictureSize(QSize Picture, QSize Box);

// The picture pane beside the file list: the label, the picture scaled to fit, "(None)"
// for nothing to show, and the Preview button that shows the picture full size.
class TPicturePreviewPane : public QWidget {
  Q_OBJECT

 public:
  explicit TPicturePreviewPane(QWidget* Parent = nullptr);

  void SelectionChanged(const QString& FileName);
  const TPicturePreview& Preview() const { return FPreview; }

  QLabel* PictureLabel = nullptr;
  QLabel* ImageArea = nullptr;
  QPushButton* PreviewButton = nullptr;

 protected:
  void resizeEvent(QResizeEvent* Event) override;

 private:
  void ShowState();
  void ShowFullSize();

  TPicturePreview FPreview;
  QImage FPicture;
};

// The save-picture dialog: Qt's own (not the desktop's) file dialog, so that it can carry
// the preview pane; the filter pairs of the format registry, the "All" pair selected; no
// default extension and no question before replacing a file.
class TSavePictureDialog : public QFileDialog {
  Q_OBJECT

 public:
  TSavePictureDialog(QWidget* Parent, const std::string& Filter);

  // Runs the dialog; true when the user confirmed a name.
  bool Execute();
  QString FileName() const { return FFileName; }
  const std::vector<TFilterPair>& Pairs() const { return FPairs; }
  QStringList ActiveMasks() const;

  TPicturePreviewPane* PreviewPane = nullptr;

 private:
  void UseFilter(int Index);

  std::vector<TFilterPair> FPairs;
  int FFilterIndex = 0;
  QString FFileName;
};

}  // namespace trochodraw
