#pragma once

#include <QComboBox>

namespace trochodraw {

class TPatternListEditor;

// The main window's "Saved Patterns" list: an editable drop-down of the pattern names as the
// editor last filled it. Choosing an item applies that pattern; typing completes the text to
// the first name that begins with it (in any letter case) and, when that is another item
// than the selected one, applies it as well.
class TPatternCombo : public QComboBox {
  Q_OBJECT

 public:
  explicit TPatternCombo(QWidget* Parent = nullptr);
  ~TPatternCombo() override;

  // The combo shows Editor's items from now on (null unbinds); the editor must outlive it.
  void SetEditor(TPatternListEditor* Editor);
  TPatternListEditor* Editor() const { return FEditor; }

  // Takes the editor's items and selected index again.
  void Refill();

  // What the user's typing does: Typed is the edit field's text after the key.
  void TextTyped(const QString& Typed);

 private:
  void Chosen(int Index);

  TPatternListEditor* FEditor = nullptr;
  QString FLastTyped;
};

}  // namespace trochodraw
