#pragma once

#include <functional>
#include <memory>

namespace trochodraw {

// The message-loop timer behind the auto-repeat buttons. A factory makes the timers so that
// tests can drive them by hand instead of waiting for real time to pass.
class TRepeatTimer {
 public:
  virtual ~TRepeatTimer() = default;
  // Changing the interval of a running timer restarts its wait, as the toolkit's timer does.
  virtual void SetInterval(int Milliseconds) = 0;
  virtual int Interval() const = 0;
  virtual void Start() = 0;
  virtual void Stop() = 0;
  virtual bool Active() const = 0;

  // Called on every tick from the event loop.
  std::function<void()> OnTimer;
};

using TRepeatTimerFactory = std::function<std::unique_ptr<TRepeatTimer>()>;

// Installs Factory (an empty one restores the QTimer-based default) and returns the previous.
TRepeatTimerFactory SetRepeatTimerFactory(TRepeatTimerFactory Factory);
std::unique_ptr<TRepeatTimer> CreateRepeatTimer();

}  // namespace trochodraw
