#include "app/manual_window_dialog.h"

#include <QApplication>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "controls/html_help_viewer.h"
#include "controls/open_document.h"

namespace trochodraw {

namespace {

QPointer<TManualWindow>& Current() {
  static QPointer<TManualWindow> Window;
  return Window;
}

}  // namespace

TManualWindow::TManualWindow(QWidget* Parent) : QDialog(Parent) {
  setObjectName("ManualWindow");
  setWindowTitle("Trochodraw Help");
  setModal(false);
  setAttribute(Qt::WA_DeleteOnClose);
  resize(760, 620);
  auto* Layout = new QVBoxLayout(this);
  Layout->setContentsMargins(0, 0, 0, 0);
  Browser = new QTextBrowser(this);
  Browser->setObjectName("ManualBrowser");
  // Links within the manual stay here; others go to the desktop.
  Browser->setOpenLinks(true);
  Browser->setOpenExternalLinks(true);
  Layout->addWidget(Browser);
}

void TManualWindow::ShowPage(const TManualPage& Page) {
  QUrl Url = QUrl::fromLocalFile(QString::fromStdString(Page.File.string()));
  if (!Page.Fragment.empty()) Url.setFragment(QString::fromStdString(Page.Fragment));
  Browser->setSource(Url);
}

TManualWindow* ManualWindow() { return Current().data(); }

bool ShowHelpPage(QObject* Owner, const std::string& File, unsigned Command, const THtmlHelpData& Data) {
  if (Command == HH_CLOSE_ALL) {
    if (TManualWindow* W = ManualWindow()) W->close();
    return true;
  }
  const auto Page = ManualPage(File, Command, Data);
  if (!Page) return false;
  QUrl Url = QUrl::fromLocalFile(QString::fromStdString(Page->File.string()));
  if (!Page->Fragment.empty()) Url.setFragment(QString::fromStdString(Page->Fragment));
  if (OpenUrl(Url)) return true;
  if (!ManualWindow()) {
    auto* OwnerWidget = qobject_cast<QWidget*>(Owner);
    Current() = new TManualWindow(OwnerWidget ? OwnerWidget->window() : nullptr);
  }
  TManualWindow* W = ManualWindow();
  W->ShowPage(*Page);
  W->show();
  W->raise();
  W->activateWindow();
  return true;
}

}  // namespace trochodraw
