#pragma once

#include <QApplication>
#include <exception>

namespace trochodraw {

// The application object. Every error that escapes a handler, through the controls' own
// guard or through event delivery, ends in one error box with its message.
class TApplication : public QApplication {
  Q_OBJECT

 public:
  TApplication(int& Argc, char** Argv);
  ~TApplication() override;

  bool notify(QObject* Receiver, QEvent* Event) override;

  // SIGTERM, SIGINT and SIGHUP end the message loop as closing the main window does, so that
  // the forms are destroyed and the undo files deleted.
  void QuitOnTerminationSignals();

  // The application's standard error box. While one is open, further errors go to the log
  // rather than stacking boxes (a failing timer tick would otherwise open one per tick).
  static void ShowException(std::exception_ptr Error);
};

}  // namespace trochodraw
