#pragma once

#include <QDialog>

#include "colouring/image_undoer.h"
#include "render/line_coloring.h"

class QPushButton;
class QTabWidget;
class QWidget;

namespace trochodraw {

// The line-colouring state that the Coloring dialog's "Lines" tab edits. It exists before
// the dialog, so that the main window's tick can hold it from its creation on.
TLineColoring& LineColoringState();

// The Coloring dialog: mosaic, palette and undo ("Mosaic"), line colours ("Lines").
// Non-modal and above the main window; created hidden at start-up, after the main window.
class TColoringDlg : public QDialog {
  Q_OBJECT

 public:
  // Figure: the figure that the mosaic colours and undo restores.
  TColoringDlg(QWidget* Parent, TImageHolder* Figure);
  ~TColoringDlg() override;

  QTabWidget* PageControl1 = nullptr;
  QWidget* MosaicSheet = nullptr;
  QWidget* LinesSheet = nullptr;
  QPushButton* CancelBtn = nullptr;
  TImageUndoer ImageUndoer1;

  // Options > Colors: the figure becomes an undo level and the dialog is shown.
  void ShowColoring();
};

// The Coloring dialog of the running program; null until it is created.
extern TColoringDlg* ColoringDlg;

}  // namespace trochodraw
