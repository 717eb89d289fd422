#pragma once

#include <QDialog>

#include "patterns/centred_dialog.h"
#include "patterns/number_text.h"
#include "patterns/pattern.h"

class QPlainTextEdit;
class QPushButton;

namespace trochodraw {

// The Properties dialog: patterns shown as text in a memo that keeps everything shown during
// the run. Modal; created hidden at start-up.
class TPropertiesDlg : public TCentredDialog {
  Q_OBJECT

 public:
  explicit TPropertiesDlg(QWidget* Parent = nullptr);
  ~TPropertiesDlg() override;

  QPlainTextEdit* Memo1 = nullptr;
  QPushButton* CancelBtn = nullptr;

  // The separators the numbers are written with.
  TFormatSettings FormatSettings;

  // One pattern as 13 lines and an empty line, added to the memo; then shown modally.
  void ShowPatternProperties(const TPattern& P);
  // Every pattern as one line, added to the memo; then shown modally.
  void ShowAllPatternProperties(const TPatternArray& List);

  // The additions alone, without showing the dialog.
  void AddPatternProperties(const TPattern& P);
  void AddAllPatternProperties(const TPatternArray& List);

  // The memo's text with the line breaks the memo uses ("\n").
  std::string MemoText() const;

 private:
  // Puts what Updated has beyond the memo's present text at the memo's end.
  void AppendToMemo(const std::string& Updated);
};

// The Properties dialog of the running program; null until it is created.
extern TPropertiesDlg* PropertiesDlg;

}  // namespace trochodraw
