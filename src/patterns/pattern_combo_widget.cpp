#include "patterns/pattern_combo_widget.h"

#include <QLineEdit>
#include <QSignalBlocker>

#include "controls/application_error.h"
#include "patterns/pattern_list_editor.h"

namespace trochodraw {

TPatternCombo::TPatternCombo(QWidget* Parent) : QComboBox(Parent) {
  setObjectName("PatternCombo");
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  setDuplicatesEnabled(true);
  // The completion is ours: it selects the item, which Qt's own completer would not.
  setCompleter(nullptr);
  setMaxVisibleItems(20);
  connect(this, &QComboBox::activated, this, [this](int I) { Chosen(I); });
  connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString& T) { TextTyped(T); });
}

TPatternCombo::~TPatternCombo() { SetEditor(nullptr); }

void TPatternCombo::SetEditor(TPatternListEditor* Editor) {
  if (FEditor && FEditor != Editor) FEditor->OnComboChanged = nullptr;
  FEditor = Editor;
  if (FEditor) FEditor->OnComboChanged = [this] { Refill(); };
  Refill();
}

void TPatternCombo::Refill() {
  const QSignalBlocker block(this);
  clear();
  FLastTyped.clear();
  if (!FEditor) return;
  for (const std::string& name : FEditor->ComboItems()) addItem(QString::fromStdString(name));
  setCurrentIndex(FEditor->ComboIndex());
  if (FEditor->ComboIndex() < 0) setEditText(QString());
}

void TPatternCombo::Chosen(int Index) {
  FLastTyped.clear();
  if (FEditor) InvokeGuarded([&] { FEditor->PatternComboSelect(Index); });
}

void TPatternCombo::TextTyped(const QString& Typed) {
  // Deleting text (Backspace over the completed part) completes nothing.
  const bool deleting = Typed.size() <= FLastTyped.size() && FLastTyped.startsWith(Typed, Qt::CaseInsensitive);
  FLastTyped = Typed;
  if (!FEditor || deleting) return;
  const int i = FEditor->ComboCompletion(Typed.toStdString());
  if (i < 0 || i >= count()) return;
  const bool other = i != currentIndex();
  {
    const QSignalBlocker block(this);
    if (other) setCurrentIndex(i);
    const QString name = itemText(i);
    lineEdit()->setText(name);
    lineEdit()->setSelection(static_cast<int>(Typed.size()), static_cast<int>(name.size() - Typed.size()));
  }
  if (other) InvokeGuarded([&] { FEditor->PatternComboSelect(i); });
}

}  // namespace trochodraw
