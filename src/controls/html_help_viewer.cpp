#include "controls/html_help_viewer.h"

#include <QString>
#include <QUrl>
#include <QtGlobal>
#include <utility>

#include "controls/open_document.h"

namespace trochodraw {

namespace {

THtmlHelpFunction& CurrentFunction() {
  static THtmlHelpFunction Function;
  return Function;
}

}  // namespace

THtmlHelpFunction SetHtmlHelpFunction(THtmlHelpFunction Function) {
  return std::exchange(CurrentFunction(), std::move(Function));
}

bool HtmlHelpA(QObject* Owner, const std::string& File, unsigned Command, const THtmlHelpData& Data) {
  if (CurrentFunction()) return CurrentFunction()(Owner, File, Command, Data);
  return ShowManualPage(Owner, File, Command, Data);
}

bool ShowManualPage(QObject*, const std::string& File, unsigned Command, const THtmlHelpData& Data) {
  if (Command == HH_CLOSE_ALL) return true;
  const auto Page = ManualPage(File, Command, Data);
  if (!Page) {
    qWarning("No help manual found for %s", File.c_str());
    return false;
  }
  QUrl Url = QUrl::fromLocalFile(QString::fromStdString(Page->File.string()));
  if (!Page->Fragment.empty()) Url.setFragment(QString::fromStdString(Page->Fragment));
  return OpenUrl(Url);
}

}  // namespace trochodraw
