#include "patterns/pattern_list_editor.h"

#include <algorithm>
#include <utility>

#include "patterns/pattern_file.h"

namespace trochodraw {

namespace {

char LowerAscii(char C) { return C >= 'A' && C <= 'Z' ? static_cast<char>(C - 'A' + 'a') : C; }

bool StartsWithNoCase(const std::string& S, const std::string& Prefix) {
  if (Prefix.size() > S.size()) return false;
  for (size_t i = 0; i < Prefix.size(); ++i)
    if (LowerAscii(S[i]) != LowerAscii(Prefix[i])) return false;
  return true;
}

}  // namespace

TPatternListEditor::TPatternListEditor(TPatternArray& List, TPatternHost& Host) : FList(List), FHost(Host) {}

int TPatternListEditor::CurrentIndex() const {
  return FRow >= 1 && FRow <= static_cast<int>(FList.size()) ? FRow - 1 : -1;
}

void TPatternListEditor::GridChanged() {
  if (OnGridChanged) OnGridChanged();
}

void TPatternListEditor::SetRow(int R) {
  FRow = R;
  GridChanged();
}

bool TPatternListEditor::SelectCell(int /*Col*/, int R) {
  if (R < 1 || R >= static_cast<int>(FList.size()) + 1 || R >= FRowCount) return false;
  SetRow(R);
  return true;
}

void TPatternListEditor::UpdateGridRowCount() {
  FRowCount = std::max(static_cast<int>(FList.size()), kMinGridRows) + 1;
  // The grid keeps its current and top rows inside its rows.
  if (FRow >= FRowCount) FRow = FRowCount - 1;
  FTopRow = std::clamp(FTopRow, 1, FRowCount - 1);
  GridChanged();
}

std::string TPatternListEditor::CellText(int Col, int R) const {
  if (R == 0) return Col == 0 ? "#" : "Description";
  if (R < 1 || R > static_cast<int>(FList.size())) return "";
  return Col == 0 ? std::to_string(R) : FList[static_cast<size_t>(R - 1)].Name;
}

bool TPatternListEditor::CanEditCell(int Col, int R) const {
  return Col == 1 && R >= 1 && R <= static_cast<int>(FList.size());
}

std::string TPatternListEditor::GetEditText(int Col, int R) const {
  return CanEditCell(Col, R) ? FList[static_cast<size_t>(R - 1)].Name : "";
}

void TPatternListEditor::SetEditText(int Col, int R, const std::string& Text) {
  if (CanEditCell(Col, R)) FList[static_cast<size_t>(R - 1)].Name = Text;
}

void TPatternListEditor::InsertCurrentPattern(const std::string& Name) {
  TPattern p = FHost.CapturePattern();
  p.Name = Name;
  InsertPattern(std::move(p));
}

void TPatternListEditor::InsertPattern(TPattern P) {
  const int oldLength = static_cast<int>(FList.size());
  int at = FRow - 1;
  // The header row appends; so does a row beyond the end, which could hold no pattern.
  if (at < 0 || at > oldLength) at = oldLength;
  FList.insert(FList.begin() + at, std::move(P));
  UpdateGridRowCount();
  FillPatternCombo(at);
}

bool TPatternListEditor::OverwriteCurrentPattern() {
  const int i = CurrentIndex();
  if (i < 0) return false;
  TPattern p = FHost.CapturePattern();
  p.Name = FList[static_cast<size_t>(i)].Name;
  FList[static_cast<size_t>(i)] = std::move(p);
  UpdateGridRowCount();
  FillPatternCombo(i);
  return true;
}

bool TPatternListEditor::MoveUp() {
  const int a = FRow - 1;
  if (a < 1 || a > static_cast<int>(FList.size()) - 1) return false;
  std::swap(FList[static_cast<size_t>(a - 1)], FList[static_cast<size_t>(a)]);
  SetRow(a);
  return true;
}

bool TPatternListEditor::MoveDown() {
  const int b = FRow - 1;
  if (b < 0 || b >= static_cast<int>(FList.size()) - 1) return false;
  std::swap(FList[static_cast<size_t>(b)], FList[static_cast<size_t>(b + 1)]);
  SetRow(b + 2);
  return true;
}

bool TPatternListEditor::DeleteCurrentPattern() {
  const int i = CurrentIndex();
  if (i < 0) return false;
  FList.erase(FList.begin() + i);
  UpdateGridRowCount();
  return true;
}

std::string TPatternListEditor::OverwriteWarning() const {
  const int i = CurrentIndex();
  return i < 0 ? "" : "About to overwrite: " + FList[static_cast<size_t>(i)].Name;
}

std::string TPatternListEditor::DeleteWarning() const {
  const int i = CurrentIndex();
  return i < 0 ? "" : "About to delete: " + FList[static_cast<size_t>(i)].Name;
}

bool TPatternListEditor::FindNext(const std::string& Text) {
  // The first search includes the current pattern; with the header current it starts at the top.
  const int start = std::max(FFirstFind ? FRow - 1 : FRow, 0);
  FFirstFind = false;
  for (int i = start; i < static_cast<int>(FList.size()); ++i) {
    if (FList[static_cast<size_t>(i)].Name == Text) {
      SetRow(i + 1);
      return true;
    }
  }
  return false;
}

void TPatternListEditor::FillPatternCombo(int I) {
  FComboItems.clear();
  for (const TPattern& p : FList) FComboItems.push_back(p.Name);
  FComboIndex = I >= 0 && I < static_cast<int>(FComboItems.size()) ? I : -1;
  if (OnComboChanged) OnComboChanged();
}

void TPatternListEditor::PatternComboSelect(int I) {
  FComboIndex = I >= 0 && I < static_cast<int>(FComboItems.size()) ? I : -1;
  ApplyPatternAt(FComboIndex);
}

int TPatternListEditor::ComboCompletion(const std::string& Typed) const {
  if (Typed.empty()) return -1;
  for (size_t i = 0; i < FComboItems.size(); ++i)
    if (StartsWithNoCase(FComboItems[i], Typed)) return static_cast<int>(i);
  return -1;
}

void TPatternListEditor::ApplyPatternAt(int I) {
  if (I < 0 || I >= static_cast<int>(FList.size())) return;
  const TPattern p = FList[static_cast<size_t>(I)];  // the host's handlers may change the list
  FHost.ApplyPattern(p);
  FHost.PatternApplied();
}

void TPatternListEditor::InitialisePatterns() {
  if (LoadPatterns(FList, PatternFileName, FormatSettings) <= 0) FList = DefaultPatterns();
  FillPatternCombo(0);
  ApplyPatternAt(FComboIndex);
}

void TPatternListEditor::SavePattern(const std::string& Name) {
  InsertCurrentPattern(Name);
  SavePatterns(FList, PatternFileName, FormatSettings);
}

void TPatternListEditor::SaveNewPattern(const TPattern& P) {
  InsertPattern(P);
  SavePatterns(FList, PatternFileName, FormatSettings);
}

void TPatternListEditor::AppendPatterns(const TPatternArray& More) {
  const size_t oldLength = FList.size();
  FList.insert(FList.end(), More.begin(), More.end());
  try {
    SavePatterns(FList, PatternFileName, FormatSettings);
  } catch (...) {
    FList.resize(oldLength);
    throw;
  }
  UpdateGridRowCount();
  FillPatternCombo(FComboIndex);
}

void TPatternListEditor::ShowSettings() {
  UpdateGridRowCount();
  FRow = std::clamp(FComboIndex + 1, 0, FRowCount - 1);
  FTopRow = std::max(FRow, 1);
  GridChanged();
}

void TPatternListEditor::FormClose() {
  SavePatterns(FList, PatternFileName, FormatSettings);
  int i = FRow - 1;
  if (i < 0 || i > static_cast<int>(FList.size()) - 1) i = 0;
  FillPatternCombo(i);
}

}  // namespace trochodraw
