#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "controls/application_error.h"
#include "controls/edit_ex_widget.h"
#include "controls/repeat_timer.h"

namespace trochodraw::testing {

// Counts the platform beeps while it lives.
class TBeepCounter {
 public:
  TBeepCounter() : FPrevious(TCustomEditEx::SetBeepHandler([this] { ++Count; })) {}
  ~TBeepCounter() { TCustomEditEx::SetBeepHandler(FPrevious); }
  int Count = 0;

 private:
  std::function<void()> FPrevious;
};

// Collects what reaches the application's error box while it lives.
class TErrorBox {
 public:
  TErrorBox()
      : FPrevious(SetApplicationErrorHandler(
            [this](std::exception_ptr E) { Messages.push_back(ApplicationErrorMessage(E)); })) {}
  ~TErrorBox() { SetApplicationErrorHandler(FPrevious); }
  std::vector<std::string> Messages;

 private:
  TApplicationErrorHandler FPrevious;
};

// A hand-driven clock for the repeat timers: while it lives, every new repeat timer runs on
// it, and time passes only in Advance. Timers may outlive it (a fixture's buttons); they
// then stop ticking.
class TFakeClock {
 public:
  TFakeClock() : FPrevious(SetRepeatTimerFactory([this] { return std::make_unique<TTimer>(this); })) {}
  ~TFakeClock() {
    SetRepeatTimerFactory(FPrevious);
    for (TTimer* T : FTimers) T->Clock = nullptr;
  }

  long Now = 0;

  // Fires every tick due up to Now + Ms, in time order.
  void Advance(long Ms) {
    const long End = Now + Ms;
    for (;;) {
      TTimer* Next = nullptr;
      for (TTimer* T : FTimers)
        if (T->Running && T->Due <= End && (!Next || T->Due < Next->Due)) Next = T;
      if (!Next) break;
      Now = Next->Due;
      Next->Due = Now + Next->Period;
      if (Next->OnTimer) Next->OnTimer();
    }
    Now = End;
  }

 private:
  struct TTimer final : TRepeatTimer {
    explicit TTimer(TFakeClock* C) : Clock(C) { Clock->FTimers.push_back(this); }
    ~TTimer() override {
      if (Clock) std::erase(Clock->FTimers, this);
    }
    long ClockNow() const { return Clock ? Clock->Now : 0; }
    void SetInterval(int Ms) override {
      Period = Ms;
      if (Running) Due = ClockNow() + Ms;
    }
    int Interval() const override { return Period; }
    void Start() override {
      Running = true;
      Due = ClockNow() + Period;
    }
    void Stop() override { Running = false; }
    bool Active() const override { return Running; }
    TFakeClock* Clock;
    int Period = 0;
    long Due = 0;
    bool Running = false;
  };

  std::vector<TTimer*> FTimers;
  TRepeatTimerFactory FPrevious;
};

// Mouse events delivered straight to a widget, outside the platform's pointer grab.
inline void SendMouse(QWidget* W, QEvent::Type Type, QPoint Pos, Qt::MouseButton Button = Qt::LeftButton,
                      Qt::MouseButtons Held = Qt::LeftButton) {
  QMouseEvent E(Type, QPointF(Pos), QPointF(W->mapToGlobal(Pos)), Button, Held, Qt::NoModifier);
  QApplication::sendEvent(W, &E);
}
inline void Press(QWidget* W, QPoint Pos) { SendMouse(W, QEvent::MouseButtonPress, Pos); }
inline void Move(QWidget* W, QPoint Pos) { SendMouse(W, QEvent::MouseMove, Pos, Qt::NoButton); }
inline void Release(QWidget* W, QPoint Pos) {
  SendMouse(W, QEvent::MouseButtonRelease, Pos, Qt::LeftButton, Qt::NoButton);
}

// A shown, active top-level window to put controls in, so that focus works.
class TTestWindow : public QWidget {
 public:
  TTestWindow() {
    resize(400, 300);
    show();
    activateWindow();
    [[maybe_unused]] const bool Active = QTest::qWaitForWindowActive(this);
  }
};

}  // namespace trochodraw::testing
