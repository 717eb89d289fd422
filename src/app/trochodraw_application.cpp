#include "app/trochodraw_application.h"

#include <fcntl.h>
#include <unistd.h>

#include <QIcon>
#include <QMessageBox>
#include <QSocketNotifier>
#include <csignal>

#include "app/manual_window_dialog.h"
#include "controls/application_error.h"
#include "controls/html_help_viewer.h"

namespace trochodraw {

namespace {

bool BoxOpen = false;
int SignalPipe[2] = {-1, -1};

extern "C" void NoteSignal(int) {
  const char Byte = 1;
  // Only async-signal-safe work here: the message loop reads the byte.
  [[maybe_unused]] const ssize_t Written = ::write(SignalPipe[1], &Byte, 1);
}

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

void TApplication::QuitOnTerminationSignals() {
  if (SignalPipe[0] >= 0 || ::pipe2(SignalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  auto* Notifier = new QSocketNotifier(SignalPipe[0], QSocketNotifier::Read, this);
  connect(Notifier, &QSocketNotifier::activated, this, [] {
    char Buffer[16];
    while (::read(SignalPipe[0], Buffer, sizeof Buffer) > 0) {
    }
    QApplication::quit();
  });
  struct sigaction Action {};
  Action.sa_handler = NoteSignal;
  sigemptyset(&Action.sa_mask);
  Action.sa_flags = SA_RESTART;
  for (int Signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(Signal, &Action, nullptr);
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
