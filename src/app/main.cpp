// The program: the picture formats registered before any window, the forms created in
// their order, the message loop, and the shutdown in reverse.
#include <QMessageBox>
#include <cstdio>
#include <memory>

#include "app/about_dialog.h"
#include "app/main_window.h"
#include "app/trochodraw_application.h"
#include "colouring/coloring_dialog.h"
#include "controls/help_system.h"
#include "imagefiles/format_registry.h"
#include "patterns/properties_dialog.h"
#include "patterns/settings_dialog.h"

using namespace trochodraw;

int main(int argc, char** argv) {
  PictureFormats();
  TApplication App(argc, argv);
  THelpSystem::Instance().SetHelpFile("Trochodraw.chm");

  int Result = 1;
  try {
    // The main window's creation handler runs before any dialog exists.
    auto Main = std::make_unique<TForm1>();
    auto Coloring = std::make_unique<TColoringDlg>(Main.get(), &Main->Image2Holder);
    auto About = std::make_unique<TAboutDlg>(Main.get());
    auto Settings = std::make_unique<TSettingsDlg>(Main.get());
    auto Properties = std::make_unique<TPropertiesDlg>(Main.get());
    Main->show();
    Result = App.exec();
    // The dialogs go before the window they belong to; the Coloring dialog's undo store
    // deletes its snapshot files as it goes.
    Properties.reset();
    Settings.reset();
    About.reset();
    Coloring.reset();
    Main.reset();
  } catch (const std::exception& E) {
    std::fprintf(stderr, "trochodraw: %s\n", E.what());
    QMessageBox::critical(nullptr, "Trochodraw", QString::fromUtf8(E.what()));
  }
  UnregisterImageFormats(PictureFormats());
  return Result;
}
