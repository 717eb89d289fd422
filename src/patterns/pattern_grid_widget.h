#pragma once

#include <QPointer>
#include <QTableView>
#include <functional>

#include "controls/control_events.h"

namespace trochodraw {

class TPatternListEditor;
class TPatternGridModel;

// The Settings dialog's pattern grid: "#" and "Description" over the numbered pattern
// names, drawn by the grid's own cell painter. It shows the editor's rows and current row,
// lets only rows that hold a pattern become current, and edits names in column 1 in place.
class TPatternGrid : public QTableView {
  Q_OBJECT

 public:
  static constexpr int kRowHeight = 17;
  static constexpr int kFixedColWidth = 32;
  static constexpr int kNameColWidth = 214;

  explicit TPatternGrid(QWidget* Parent = nullptr);
  ~TPatternGrid() override;

  // The grid follows Editor from now on (null unbinds). The editor must outlive the binding.
  void SetEditor(TPatternListEditor* Editor);
  TPatternListEditor* Editor() const { return FEditor; }

  // Reads the editor's rows and current row again (after any change of the list).
  void Refresh();
  // Makes the editor's top row the first visible row (once the grid is shown, if it is not).
  void ScrollToTopRow();
  // Scrolls as far as needed to show the current row.
  void ShowCurrentRow();
  // The rectangle of grid cell (Col, R) in viewport coordinates; row 0 is the header.
  QRect CellRect(int Col, int R) const;

  // Writes back and closes the in-place editor, if one is open.
  void CommitEdit();
  // The in-place editor being shown; null when none is.
  QWidget* ActiveEditor() const { return FActiveEditor; }
  void SetActiveEditor(QWidget* Editor) { FActiveEditor = Editor; }

  // A double click anywhere on the grid.
  TNotifyEvent OnDblClick;

 protected:
  void currentChanged(const QModelIndex& Current, const QModelIndex& Previous) override;
  void mouseDoubleClickEvent(QMouseEvent* Event) override;
  void closeEditor(QWidget* Editor, QAbstractItemDelegate::EndEditHint Hint) override;
  void showEvent(QShowEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;

 private:
  void SyncCurrent();
  void ApplyTopRow();

  TPatternListEditor* FEditor = nullptr;
  TPatternGridModel* FModel = nullptr;
  bool FSyncing = false;
  bool FTopRowPending = false;
  QPointer<QWidget> FActiveEditor;
};

}  // namespace trochodraw
