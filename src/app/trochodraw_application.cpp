#include "app/trochodraw_application.h"

#include <QIcon>
#include <QMessageBox>

#include "app/manual_window_dialog.h"
#include "controls/application_error.h"
#include "controls/html_help_viewer.h"

namespace trochodraw {

namespace {

bool BoxOpen = false;

}  // namespace

TApplication::TApplication(int& Argc, char** Argv) : QApplication(Argc, Argv) {
  setApplicationName("Trochodraw");
  setApplicationDisplayName("Trochodraw");
  setDesktopFileName("trochodraw");
  setWindowIcon(QIcon(":/trochodraw/trochodraw.png"));
  SetApplicationErrorHandler(&TApplication::ShowException);
  SetHtmlHelpFunction(&ShowHelpPage);
}

TApplication::~TApplication() {
  SetHtmlHelpFunction({});
  SetApplicationErrorHandler({});
}

bool TApplication::notify(QObject* Receiver, QEvent* Event) {
  try {
    return QApplication::notify(Receiver, Event);
  } catch (...) {
    HandleApplicationError(std::current_exception());
    return true;
  }
}

void TApplication::ShowException(std::exception_ptr Error) {
  const std::string Message = ApplicationErrorMessage(Error);
  if (BoxOpen) {
    qWarning("%s", Message.c_str());
    return;
  }
  BoxOpen = true;
  QMessageBox Box(QMessageBox::Critical, "Trochodraw", QString::fromStdString(Message), QMessageBox::Ok,
                  activeWindow());
  Box.setObjectName("ErrorBox");
  Box.exec();
  BoxOpen = false;
}

}  // namespace trochodraw
