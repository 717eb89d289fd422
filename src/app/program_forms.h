#pragma once

#include <memory>

namespace trochodraw {

class TAboutDlg;
class TColoringDlg;
class TForm1;
class TPropertiesDlg;
class TSettingsDlg;

// The program's windows for the whole run: created in the order main window, Coloring
// dialog, about box, Settings dialog, Properties dialog (so that no dialog exists while the
// main window's creation handler runs) and destroyed in reverse. The Coloring dialog's undo
// store deletes its snapshot files as it goes.
class TProgramForms {
 public:
  TProgramForms();
  ~TProgramForms();
  TProgramForms(const TProgramForms&) = delete;
  TProgramForms& operator=(const TProgramForms&) = delete;

  std::unique_ptr<TForm1> Main;
  std::unique_ptr<TColoringDlg> Coloring;
  std::unique_ptr<TAboutDlg> About;
  std::unique_ptr<TSettingsDlg> Settings;
  std::unique_ptr<TPropertiesDlg> Properties;
};

}  // namespace trochodraw
