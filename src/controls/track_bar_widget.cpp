#include "controls/track_bar_widget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include "controls/application_error.h"
#include "machine/vector2.h"

namespace trochodraw {

TTrackBarExt::TTrackBarExt(QWidget* Parent) : QSlider(Qt::Horizontal, Parent) {
  setRange(0, 10);
  setSingleStep(1);
  setPageStep(2);
  setTickPosition(QSlider::TicksBelow);
  setTickInterval(1);
  resize(150, 45);
}

TTrackBarExt::~TTrackBarExt() = default;

void TTrackBarExt::MoveSlider(int Value) {
  const int Before = value();
  FProgramMove = true;
  try {
    setValue(Value);
  } catch (...) {
    FProgramMove = false;
    throw;
  }
  FProgramMove = false;
  if (value() != Before) Changed();
}

// A new range clamps the slider without a change notification, as the platform's track bar
// does; RealPos is kept inside the range.
void TTrackBarExt::SetMin(int Value) {
  FProgramMove = true;
  setMinimum(Value);
  FProgramMove = false;
  ClampRealPos();
}

void TTrackBarExt::SetMax(int Value) {
  FProgramMove = true;
  setMaximum(Value);
  FProgramMove = false;
  ClampRealPos();
}

void TTrackBarExt::ClampRealPos() {
  if (FRealPos < Min()) FRealPos = Min();
  if (FRealPos > Max()) FRealPos = Max();
}

void TTrackBarExt::SetPosition(int Value) { MoveSlider(Value); }

void TTrackBarExt::SetRealPos(double Value) {
  if (Value < Min())
    FRealPos = Min();
  else if (Value > Max())
    FRealPos = Max();
  else
    FRealPos = Value;
  MoveSlider(RoundHalfEven(FRealPos));
}

void TTrackBarExt::SetNoEventPosition(int Value) {
  FEventsOn = false;
  try {
    if (Value != value()) SetPosition(Value);
  } catch (...) {
    FEventsOn = true;
    throw;
  }
  FEventsOn = true;
}

void TTrackBarExt::Changed() {
  // RealPos takes the position also when the handler fails, so that it never stays behind.
  try {
    if (FEventsOn && OnChange) OnChange(this);
  } catch (...) {
    FRealPos = value();
    throw;
  }
  FRealPos = value();
}

void TTrackBarExt::UserChanged() {
  InvokeGuarded([this] { Changed(); });
}

void TTrackBarExt::sliderChange(SliderChange Change) {
  QSlider::sliderChange(Change);
  if (Change == SliderValueChange && !FProgramMove) UserChanged();
}

void TTrackBarExt::keyPressEvent(QKeyEvent* Event) {
  QSlider::keyPressEvent(Event);
  if (Event->isAccepted()) FKeyMoving = true;
}

void TTrackBarExt::keyReleaseEvent(QKeyEvent* Event) {
  QSlider::keyReleaseEvent(Event);
  if (FKeyMoving && !Event->isAutoRepeat()) {
    FKeyMoving = false;
    UserChanged();  // the closing notification of a key press
  }
}

void TTrackBarExt::mousePressEvent(QMouseEvent* Event) {
  QSlider::mousePressEvent(Event);
  if (Event->isAccepted()) FMouseMoving = true;
}

void TTrackBarExt::mouseReleaseEvent(QMouseEvent* Event) {
  QSlider::mouseReleaseEvent(Event);
  if (FMouseMoving && Event->buttons() == Qt::NoButton) {
    FMouseMoving = false;
    UserChanged();  // the closing notification of a drag or a click in the channel
  }
}

void TTrackBarExt::wheelEvent(QWheelEvent* Event) {
  QSlider::wheelEvent(Event);
  if (Event->isAccepted()) UserChanged();
}

}  // namespace trochodraw
