#pragma once

#include <QDialog>

class QLabel;
class QWidget;

namespace trochodraw {

class TFancyButton;
class TWebLinkLabel;
struct TFileDate;

// The about box: product name and picture, the version line built from the program file's
// date and its version record, the maker and the web link. Created once at start-up.
class TAboutDlg : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutDlg(QWidget* Parent = nullptr);
  ~TAboutDlg() override;

  QLabel* About2 = nullptr;
  QWidget* Panel1 = nullptr;
  QLabel* ProductName = nullptr;
  QLabel* Display1 = nullptr;
  QLabel* VersionLabel = nullptr;
  QLabel* CopyRightLabel = nullptr;
  QLabel* Display4 = nullptr;
  TWebLinkLabel* LinkLabel1 = nullptr;
  TFancyButton* FancyButton1 = nullptr;

  // Only OK closes the box: Esc and the window manager's close, which reach here, do nothing.
  void reject() override {}

  // Fills the two computed lines from the date of the program's own file.
  void FormCreate();
  void FillVersionLines(const TFileDate& Date);
};

// The about box of the running program; null until it is created.
extern TAboutDlg* AboutDlg;

}  // namespace trochodraw
