#include "controls/repeat_timer.h"

#include <QTimer>
#include <utility>

namespace trochodraw {

namespace {

class TQtRepeatTimer final : public TRepeatTimer {
 public:
  TQtRepeatTimer() {
    FTimer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&FTimer, &QTimer::timeout, [this] {
      if (OnTimer) OnTimer();
    });
  }
  void SetInterval(int Milliseconds) override { FTimer.setInterval(Milliseconds); }
  int Interval() const override { return FTimer.interval(); }
  void Start() override { FTimer.start(); }
  void Stop() override { FTimer.stop(); }
  bool Active() const override { return FTimer.isActive(); }

 private:
  QTimer FTimer;
};

TRepeatTimerFactory& CurrentFactory() {
  static TRepeatTimerFactory Factory;
  return Factory;
}

}  // namespace

TRepeatTimerFactory SetRepeatTimerFactory(TRepeatTimerFactory Factory) {
  return std::exchange(CurrentFactory(), std::move(Factory));
}

std::unique_ptr<TRepeatTimer> CreateRepeatTimer() {
  if (CurrentFactory()) return CurrentFactory()();
  return std::make_unique<TQtRepeatTimer>();
}

}  // namespace trochodraw
