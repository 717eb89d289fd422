#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace trochodraw {

// The Properties dialog: patterns shown as text in a memo that keeps everything shown during
// the run. Modal; created hidden at start-up.
class TPropertiesDlg : public QDialog {
  Q_OBJECT

 public:
  explicit TPropertiesDlg(QWidget* Parent = nullptr);
  ~TPropertiesDlg() override;

  QPlainTextEdit* Memo1 = nullptr;
  QPushButton* CancelBtn = nullptr;
};

// The Properties dialog of the running program; null until it is created.
extern TPropertiesDlg* PropertiesDlg;

}  // namespace trochodraw
