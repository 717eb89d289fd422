// The program: the picture formats registered before any window, the help file named, the
// forms created in their order, the message loop, and the shutdown in reverse.
#include <QMessageBox>
#include <cstdio>
#include <cstring>

#include "app/main_window.h"
#include "app/program_forms.h"
#include "app/trochodraw_application.h"
#include "controls/help_system.h"
#include "imagefiles/format_registry.h"

using namespace trochodraw;

int main(int argc, char** argv) {
  // Answered before any window: it works without a display.
  if (argc == 2 && !std::strcmp(argv[1], "--version")) {
    std::printf("Trochodraw %s\n", TROCHODRAW_VERSION);
    return 0;
  }
  PictureFormats();
  TApplication App(argc, argv);
  App.QuitOnTerminationSignals();
  THelpSystem::Instance().SetHelpFile("Trochodraw.chm");

  int Result = 1;
  try {
    TProgramForms Forms;
    Forms.Main->show();
    Result = App.exec();
  } catch (const std::exception& E) {
    // Only start-up itself can end here; handlers report through the error box.
    std::fprintf(stderr, "trochodraw: %s\n", E.what());
    QMessageBox::critical(nullptr, "Trochodraw", QString::fromUtf8(E.what()));
  }
  UnregisterImageFormats(PictureFormats());
  return Result;
}
