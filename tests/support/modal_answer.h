#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace trochodraw::testing {

// Answers the next modal window that opens, the way a user would: Action gets it once it is
// the active modal widget (from inside its exec). A window that never opens is no answer;
// the watch gives up after two seconds.
class TModalAnswer {
 public:
  explicit TModalAnswer(std::function<void(QWidget*)> Action) : FAction(std::move(Action)) {
    FTimer = new QTimer;
    FTimer->setInterval(5);
    FClock.start();
    QObject::connect(FTimer, &QTimer::timeout, [this] {
      if (QWidget* w = QApplication::activeModalWidget(); w && w != FIgnore) {
        FTimer->stop();
        ++Answered;
        FAction(w);
      } else if (FClock.elapsed() > 2000) {
        FTimer->stop();
      }
    });
    FIgnore = QApplication::activeModalWidget();
    FTimer->start();
  }
  ~TModalAnswer() { delete FTimer; }
  TModalAnswer(const TModalAnswer&) = delete;
  TModalAnswer& operator=(const TModalAnswer&) = delete;

  int Answered = 0;

 private:
  std::function<void(QWidget*)> FAction;
  QTimer* FTimer;
  QElapsedTimer FClock;
  QPointer<QWidget> FIgnore;
};

}  // namespace trochodraw::testing
