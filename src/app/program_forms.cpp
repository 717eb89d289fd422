#include "app/program_forms.h"

#include "app/about_dialog.h"
#include "app/main_window.h"
#include "colouring/coloring_dialog.h"
#include "patterns/properties_dialog.h"
#include "patterns/settings_dialog.h"

namespace trochodraw {

TProgramForms::TProgramForms() {
  Main = std::make_unique<TForm1>();
  Coloring = std::make_unique<TColoringDlg>(Main.get(), &Main->Image2Holder);
  Coloring->OnMosaicDone = [Form = Main.get()] { Form->StrokeRecord.MarkMosaic(); };
  About = std::make_unique<TAboutDlg>(Main.get());
  Settings = std::make_unique<TSettingsDlg>(Main.get(), &Main->Patterns, &Main->Image2Holder);
  Settings->OnImageSizeApplied = [Form = Main.get()] { Form->ScrollToFraction(Form->ScrollBox1, 0.5, 0.5); };
  Properties = std::make_unique<TPropertiesDlg>(Main.get());
}

TProgramForms::~TProgramForms() {
  // The dialogs go before the window they belong to.
  Properties.reset();
  Settings.reset();
  About.reset();
  Coloring.reset();
  Main.reset();
}

}  // namespace trochodraw
