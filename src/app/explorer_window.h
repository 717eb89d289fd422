#pragma once

#include <QPixmap>
#include <QSize>
#include <QWidget>

#include "explore/thumbnail.h"
#include "explore/thumbnail_batch.h"

class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace trochodraw {

class TForm1;
class TExplorerLibrary;
class TExplorerVariations;
class TExplorerSurprise;

// Figure > Explorer...: the pattern library as pictures, variations of the current setting
// and surprise figures. Not modal; the pictures render on worker threads and arrive one by
// one while the main window goes on working.
class TExplorerWindow : public QWidget {
  Q_OBJECT

 public:
  explicit TExplorerWindow(TForm1& Main);

  QTabWidget* Tabs = nullptr;
  TExplorerLibrary* LibraryTab = nullptr;
  TExplorerVariations* VariationsTab = nullptr;
  TExplorerSurprise* SurpriseTab = nullptr;

  // What every picture is drawn with: the main window's line colouring, background, figure
  // size and antialiasing.
  static TThumbnailOptions ThumbnailOptions(TForm1& Main);

 protected:
  void showEvent(QShowEvent* Event) override;

 private:
  void CurrentTabShown();
};

// Adds Figure > Explorer... to Menu; the window is made when first opened.
QAction* AddExplorerMenuItem(TForm1& Main, QMenu& Menu);
// The main window's explorer, null until it was first opened.
TExplorerWindow* FindExplorer(TForm1& Main);

// Applies library entry Index as choosing it in the main window's pattern list does.
void ApplyLibraryPattern(TForm1& Main, int Index);
// Applies a pattern that is not in the library, as the pattern list applies one.
void ApplyOtherPattern(TForm1& Main, const TPattern& P);

// A picture of a pattern with its caption under it, clicked to use the pattern.
QToolButton* NewPictureButton(QWidget* Parent, const QSize& Size);
// What a picture shows until it is drawn.
QPixmap PendingPicture(const QSize& Size, TColor Background, const QString& Text);

// "Drawing 7 of 19" with a bar and Stop, following a batch; hidden when it is idle.
class TBatchProgress : public QWidget {
 public:
  TBatchProgress(QWidget* Parent, TThumbnailBatch& Batch);
  void Show(int Done, int Total);

 private:
  QLabel* FLabel;
  QProgressBar* FBar;
  QPushButton* FStop;
};

}  // namespace trochodraw
