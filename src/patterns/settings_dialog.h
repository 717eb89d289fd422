#pragma once

#include <QDialog>

class QCheckBox;
class QPushButton;
class QTabWidget;
class QWidget;

namespace trochodraw {

// The Settings dialog: the figure's size ("Image") and the pattern list ("Pattern").
// Non-modal and above the program's other windows; created hidden at start-up.
class TSettingsDlg : public QDialog {
  Q_OBJECT

 public:
  explicit TSettingsDlg(QWidget* Parent = nullptr);
  ~TSettingsDlg() override;

  QTabWidget* PageControl1 = nullptr;
  QWidget* TabSheet1 = nullptr;
  QWidget* TabSheet2 = nullptr;
  QCheckBox* MarkCenterChk = nullptr;
  QPushButton* CancelBtn = nullptr;

  // Shows the dialog, or brings it to the front. The pattern grid's state is the main
  // window's pattern list editor (TForm1::Patterns).
  void ShowSettings();
};

// The Settings dialog of the running program; null until it is created.
extern TSettingsDlg* SettingsDlg;

// Whether clearing the figure marks its centre: only once the Settings dialog exists.
bool MarkCenterChecked();

}  // namespace trochodraw
