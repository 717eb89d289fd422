#include "controls/auto_button.h"

#include "controls/application_error.h"

namespace trochodraw {

TAutoButton::TAutoButton(QWidget* Parent) : TSpeedButton(Parent) {}

TAutoButton::~TAutoButton() = default;

void TAutoButton::MouseDown(Qt::MouseButton Button, QPoint Pos) {
  FPressed = true;
  TSpeedButton::MouseDown(Button, Pos);
  if (!DoRepeat) return;
  if (!FTimer) {
    FTimer = CreateRepeatTimer();
    FTimer->OnTimer = [this] { RepeatStep(); };
  }
  FTimer->SetInterval(InitialDelay);
  FTimer->Start();
}

void TAutoButton::RepeatStep() {
  if (FTimer->Interval() != RepeatDelay) FTimer->SetInterval(RepeatDelay);
  if (State() != TButtonState::bsDown || !Dragging()) return;
  try {
    Click();
  } catch (...) {
    // The error ends the repeating; the button stays held until the release.
    StopTimer();
    HandleApplicationError(std::current_exception());
  }
}

void TAutoButton::StopTimer() {
  if (FTimer) FTimer->Stop();
}

void TAutoButton::MouseUp(Qt::MouseButton Button, QPoint Pos) {
  FPressed = false;
  // The release click may fail; the timer is stopped and OnMouseUp called all the same, so
  // that a failing click does not leave the button repeating with nobody holding it.
  std::exception_ptr ClickError;
  try {
    TSpeedButton::MouseUp(Button, Pos);
  } catch (...) {
    ClickError = std::current_exception();
  }
  StopTimer();
  try {
    if (OnMouseUp) OnMouseUp(this);
  } catch (...) {
    if (ClickError) HandleApplicationError(ClickError);
    throw;
  }
  if (ClickError) std::rethrow_exception(ClickError);
}

void TAutoButton::CancelPress() {
  const bool WasPressed = FPressed;
  FPressed = false;
  StopTimer();
  TSpeedButton::CancelPress();
  if (WasPressed && OnMouseUp) OnMouseUp(this);
}

}  // namespace trochodraw
