#pragma once

#include <memory>

#include "controls/repeat_timer.h"
#include "controls/speed_button.h"

namespace trochodraw {

// A speed button that, with DoRepeat on, clicks again and again while it is held: first
// after InitialDelay, then every RepeatDelay, as long as the pointer stays over it.
class TAutoButton : public TSpeedButton {
  Q_OBJECT

 public:
  explicit TAutoButton(QWidget* Parent = nullptr);
  ~TAutoButton() override;

  bool DoRepeat = false;
  int InitialDelay = 400;  // milliseconds
  int RepeatDelay = 100;   // milliseconds

  // Called after every mouse release, after the button's own handling.
  TNotifyEvent OnMouseUp;

  // From a mouse press on the button to the next release.
  bool Pressed() const { return FPressed; }
  // The repeat timer; none before the first press with DoRepeat on.
  TRepeatTimer* RepeatTimer() const { return FTimer.get(); }

 protected:
  void MouseDown(Qt::MouseButton Button, QPoint Pos) override;
  void MouseUp(Qt::MouseButton Button, QPoint Pos) override;
  void CancelPress() override;

 private:
  void RepeatStep();
  void StopTimer();

  bool FPressed = false;
  std::unique_ptr<TRepeatTimer> FTimer;
};

}  // namespace trochodraw
