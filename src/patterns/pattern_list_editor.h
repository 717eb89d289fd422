#pragma once

#include <functional>
#include <string>
#include <vector>

#include "patterns/number_text.h"
#include "patterns/pattern.h"

namespace trochodraw {

// What the pattern editor needs from the machine's owner (the main window, the CLI).
class TPatternHost {
 public:
  virtual ~TPatternHost() = default;
  // The current machine setting, with the wheels' own angles; the name is left empty.
  virtual TPattern CapturePattern() = 0;
  // Sets the controls from P, each through its ordinary value setter.
  virtual void ApplyPattern(const TPattern& P) = 0;
  // After a pattern of the list was applied: the wheels take the angle spins' values and
  // the mechanism is redrawn.
  virtual void PatternApplied() {}
};

// The pattern list editing of the Settings dialog and the main window's pattern combo, as a
// model: the grid's current row (row r stands for entry r - 1, row 0 is the header), the
// list changes at that row, the search, and the combo's items. The windows bind their grid
// and combo to it and repaint on the notifications.
class TPatternListEditor {
 public:
  static constexpr int kMinGridRows = 10;

  TPatternListEditor(TPatternArray& List, TPatternHost& Host);

  TPatternArray& List() { return FList; }
  const TPatternArray& List() const { return FList; }

  // Where the library lives; LoadPatterns and SavePatterns are called with these.
  std::string PatternFileName;
  TFormatSettings FormatSettings;

  // Grid state.
  int Row() const { return FRow; }
  int RowCount() const { return FRowCount; }
  int TopRow() const { return FTopRow; }
  // Entry Row - 1 when the current row holds a pattern, else -1.
  int CurrentIndex() const;
  bool HasCurrentPattern() const { return CurrentIndex() >= 0; }
  // The grid's selection veto: only rows that hold a pattern may become current.
  bool SelectCell(int Col, int R);
  // RowCount := max(length, 10) + 1; a current row that no longer exists becomes the last row.
  void UpdateGridRowCount();
  std::string CellText(int Col, int R) const;
  bool CanEditCell(int Col, int R) const;
  std::string GetEditText(int Col, int R) const;
  void SetEditText(int Col, int R, const std::string& Text);

  // List changes at the current row; each returns false when it did nothing.
  void InsertCurrentPattern(const std::string& Name);
  // Inserts P where Insert puts the current setting.
  void InsertPattern(TPattern P);
  void InsertPatternBtnClick() { InsertCurrentPattern("New Pattern"); }
  bool OverwriteCurrentPattern();
  bool MoveUp();
  bool MoveDown();
  bool DeleteCurrentPattern();
  // The confirmation texts; empty when there is no current pattern.
  std::string OverwriteWarning() const;
  std::string DeleteWarning() const;

  // Search: StartSearch when the Search button is pressed, FindNext for each "Find Next".
  bool FirstFind() const { return FFirstFind; }
  void StartSearch() { FFirstFind = true; }
  bool FindNext(const std::string& Text);

  // The main window's pattern combo: its items are the names as of the last fill.
  const std::vector<std::string>& ComboItems() const { return FComboItems; }
  int ComboIndex() const { return FComboIndex; }
  void FillPatternCombo(int I);
  // The user chose item I (also by typing, see ComboCompletion): apply that entry.
  void PatternComboSelect(int I);
  // The first item beginning with Typed in any letter case, or -1.
  int ComboCompletion(const std::string& Typed) const;

  // Applies entry I (nothing when I is no index) and lets the host bring the machine in line.
  void ApplyPatternAt(int I);

  // Start-up: the file's patterns (or the built-in list), the combo filled, the first applied.
  void InitialisePatterns();
  // Save Pattern confirmed with Name: insert at the current row, then write the file.
  void SavePattern(const std::string& Name);
  // As Save Pattern, for a pattern that is not the current setting.
  void SaveNewPattern(const TPattern& P);
  // Adds the patterns to the end of the list and writes the file; when the file cannot be
  // written the list is left as it was and the error raised.
  void AppendPatterns(const TPatternArray& More);
  // Opening the Settings dialog: the grid follows the combo's selection.
  void ShowSettings();
  // Closing the Settings dialog: write the file (an error stops here), then refill the combo.
  void FormClose();

  std::function<void()> OnGridChanged;   // rows, row count or current row changed
  std::function<void()> OnComboChanged;  // the combo was refilled

 private:
  void SetRow(int R);
  void GridChanged();

  TPatternArray& FList;
  TPatternHost& FHost;
  int FRow = 1;
  int FRowCount = kMinGridRows + 1;
  int FTopRow = 1;
  bool FFirstFind = false;
  std::vector<std::string> FComboItems;
  int FComboIndex = -1;
};

}  // namespace trochodraw
