#include "app/pattern_sharing_dialog.h"

#include <QAction>
#include <QFileDialog>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>

#include "app/explorer_library_widget.h"
#include "app/explorer_window.h"
#include "app/main_window.h"
#include "controls/locale_separators.h"
#include "explore/pattern_exchange.h"
#include "patterns/ini_file.h"

namespace trochodraw {

namespace {

const char* const kFilter = "Pattern files (*.ini);;All files (*)";

QString CountText(size_t N) { return N == 1 ? QString("1 pattern") : QString("%1 patterns").arg(N); }

QString ShortName(const std::string& Path) { return QFileInfo(QString::fromStdString(Path)).fileName(); }

void ImportPatternsWithDialog(TForm1& Main) {
  const QString name = QFileDialog::getOpenFileName(&Main, "Import Patterns", QString(), kFilter, nullptr,
                                                    QFileDialog::DontUseNativeDialog);
  if (name.isEmpty()) return;
  const TSharingOutcome r = ImportPatterns(Main, name.toStdString());
  if (r.Ok)
    QMessageBox::information(&Main, "Import Patterns", r.Message);
  else
    QMessageBox::warning(&Main, "Import Patterns", r.Message);
}

void ExportPatternsFromMenu(TForm1& Main) {
  TPatternArray list = Main.Patterns.List();
  // With pictures selected in the Explorer's library, those can go alone.
  if (TExplorerWindow* explorer = FindExplorer(Main); explorer && explorer->isVisible()) {
    const TPatternArray selected = explorer->LibraryTab->SelectedPatterns();
    if (!selected.empty() && selected.size() < list.size()) {
      QMessageBox ask(
          QMessageBox::Question, "Export Patterns",
          QString("Export the %1 selected in the Explorer, or the whole library?").arg(CountText(selected.size())),
          QMessageBox::Cancel, &Main);
      QPushButton* some = ask.addButton("&Selected", QMessageBox::AcceptRole);
      QPushButton* all = ask.addButton("&Whole Library", QMessageBox::AcceptRole);
      ask.setDefaultButton(all);
      ask.exec();
      if (ask.clickedButton() == some)
        list = selected;
      else if (ask.clickedButton() != all)
        return;
    }
  }
  ExportPatternsWithDialog(Main, list, "Export Patterns");
}

}  // namespace

void AddImportPatternsItem(TForm1& Main, QMenu& Menu) {
  QAction* a = Menu.addAction("I&mport Patterns...");
  a->setObjectName("ImportPatterns1");
  QObject::connect(a, &QAction::triggered, &Main, [&Main] { ImportPatternsWithDialog(Main); });
}

void AddExportPatternsItem(TForm1& Main, QMenu& Menu) {
  QAction* a = Menu.addAction("Ex&port Patterns...");
  a->setObjectName("ExportPatterns1");
  QObject::connect(a, &QAction::triggered, &Main, [&Main] { ExportPatternsFromMenu(Main); });
}

TSharingOutcome ImportPatterns(TForm1& Main, const std::string& FileName) {
  TPatternArray more;
  try {
    more = ReadPatternFile(FileName, SystemSeparators());
  } catch (const std::exception& e) {
    return {false, QString::fromStdString(e.what()) + "\nNothing was imported."};
  }
  try {
    Main.Patterns.AppendPatterns(more);
  } catch (const std::exception& e) {
    return {false, QString::fromStdString(e.what()) + "\nNothing was imported."};
  }
  return {true, QString("Imported %1 from %2; the library now holds %3.")
                    .arg(CountText(more.size()), ShortName(FileName), CountText(Main.Patterns.List().size()))};
}

TSharingOutcome ExportPatterns(const TPatternArray& List, const std::string& FileName) {
  try {
    WritePatternFile(FileName, List, SystemSeparators());
  } catch (const std::exception& e) {
    return {false, QString::fromStdString(e.what())};
  }
  return {true, QString("Exported %1 to %2.").arg(CountText(List.size()), ShortName(FileName))};
}

void ExportPatternsWithDialog(TForm1& Main, const TPatternArray& List, const QString& Caption) {
  if (List.empty()) return;
  QString name =
      QFileDialog::getSaveFileName(&Main, Caption, "Patterns.ini", kFilter, nullptr, QFileDialog::DontUseNativeDialog);
  if (name.isEmpty()) return;
  const TSharingOutcome r = ExportPatterns(List, name.toStdString());
  if (r.Ok)
    QMessageBox::information(&Main, Caption, r.Message);
  else
    QMessageBox::warning(&Main, Caption, r.Message);
}

}  // namespace trochodraw
