#pragma once

#include <QSlider>

#include "controls/control_events.h"

namespace trochodraw {

// The platform's track bar with a real-valued position, so that a slider and a float spin
// edit can follow each other without the spin's value being cut to whole numbers, and a
// position that can be set without raising OnChange.
class TTrackBarExt : public QSlider {
  Q_OBJECT

 public:
  explicit TTrackBarExt(QWidget* Parent = nullptr);
  ~TTrackBarExt() override;

  // Changing the range moves the slider into it without raising OnChange.
  int Min() const { return minimum(); }
  void SetMin(int Value);
  int Max() const { return maximum(); }
  void SetMax(int Value);
  // Distance between tick marks.
  int Frequency() const { return tickInterval(); }
  void SetFrequency(int Value) { setTickInterval(Value); }

  int Position() const { return value(); }
  // Moves the slider; raises OnChange when the position changes.
  void SetPosition(int Value);

  double RealPos() const { return FRealPos; }
  // Clamped to Min..Max; the slider moves to the nearest whole position (halves to even).
  void SetRealPos(double Value);

  int NoEventPosition() const { return value(); }
  // Moves the slider without OnChange.
  void SetNoEventPosition(int Value);

  bool EventsOn() const { return FEventsOn; }

  TNotifyEvent OnChange;

 protected:
  // Runs after every position change and after every user move, including the closing
  // notification at the end of a drag or key press: OnChange (while events are on) sees
  // the RealPos from before, then RealPos takes the position.
  virtual void Changed();

  void sliderChange(SliderChange Change) override;
  void keyPressEvent(QKeyEvent* Event) override;
  void keyReleaseEvent(QKeyEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;
  void wheelEvent(QWheelEvent* Event) override;

 private:
  // Runs Changed from the event loop; an error goes to the error box.
  void UserChanged();
  // Sets the slider from program code; Changed runs here, outside Qt's frames, so that an
  // error from OnChange reaches the caller.
  void MoveSlider(int Value);
  void ClampRealPos();

  double FRealPos = 0;
  bool FEventsOn = true;
  bool FProgramMove = false;
  bool FKeyMoving = false;
  bool FMouseMoving = false;
};

}  // namespace trochodraw
