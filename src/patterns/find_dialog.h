#pragma once

#include <QDialog>
#include <functional>

class QLineEdit;
class QPushButton;

namespace trochodraw {

// The platform's find dialog, reduced to what the pattern search uses: the text field,
// "Find Next" and "Cancel" (no case, whole-word or direction choices). Not modal.
class TFindDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TFindDialog(QWidget* Parent = nullptr);

  QString FindText() const;
  void SetFindText(const QString& Text);
  // Shows the dialog, or brings it to the front, with the text field focused.
  void Execute();

  QLineEdit* FindEdit = nullptr;
  QPushButton* FindNextBtn = nullptr;
  QPushButton* CancelBtn = nullptr;

  // Each press of "Find Next" (or Enter in the text field).
  std::function<void()> OnFind;
};

}  // namespace trochodraw
