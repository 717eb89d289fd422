#pragma once

#include <QDialog>
#include <string>

#include "controls/help_mapping.h"

class QObject;
class QTextBrowser;

namespace trochodraw {

// A window of our own that shows the HTML manual where no browser can take it.
class TManualWindow : public QDialog {
  Q_OBJECT

 public:
  explicit TManualWindow(QWidget* Parent = nullptr);

  void ShowPage(const TManualPage& Page);
  QTextBrowser* Browser = nullptr;
};

// The help viewer call of the program: the manual's page in the desktop's browser, else in
// the manual window; closing all help windows closes that window. False when there is no
// manual to show.
bool ShowHelpPage(QObject* Owner, const std::string& File, unsigned Command, const THtmlHelpData& Data);

// The manual window while one is open, else null.
TManualWindow* ManualWindow();

}  // namespace trochodraw
