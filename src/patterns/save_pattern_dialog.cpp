#include "patterns/save_pattern_dialog.h"

#include <QInputDialog>

#include "patterns/pattern_list_editor.h"

namespace trochodraw {

bool SavePatternBtnClick(QWidget* Parent, TPatternListEditor& Editor) {
  QInputDialog box(Parent);
  box.setObjectName("SavePatternBox");
  box.setWindowTitle("Save Pattern");
  box.setLabelText("Enter Pattern Name");
  box.setInputMode(QInputDialog::TextInput);
  box.setTextValue("New Pattern");
  if (box.exec() != QDialog::Accepted) return false;
  Editor.SavePattern(box.textValue().toStdString());
  return true;
}

}  // namespace trochodraw
