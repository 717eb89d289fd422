#pragma once

class QWidget;

namespace trochodraw {

class TPatternListEditor;

// "Save Pattern": asks for a name (preset "New Pattern"); on OK, with whatever text, the
// current setting goes into the list before the grid's current pattern and the file is
// written. A file that cannot be written raises its error after the pattern is in the list.
// Returns whether the user confirmed.
bool SavePatternBtnClick(QWidget* Parent, TPatternListEditor& Editor);

}  // namespace trochodraw
