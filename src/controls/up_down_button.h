#pragma once

#include <QWidget>

#include "controls/arrow_button.h"
#include "controls/control_events.h"

namespace trochodraw {

// The pair of arrows at the right end of a spin edit. The up arrow fills the upper half and
// the down arrow the rest, overlapping it by one pixel.
class TUpDownButton : public QWidget {
  Q_OBJECT

 public:
  explicit TUpDownButton(QWidget* Parent = nullptr);

  TArrowButton* UpArrowButton() const { return FUp; }
  TArrowButton* DownArrowButton() const { return FDown; }
  TArrowButton* FocusedButton() const { return FFocused; }

  // The control that takes the focus when an arrow is pressed.
  QWidget* FocusControl() const { return FFocusControl; }
  void SetFocusControl(QWidget* Value) { FFocusControl = Value; }
  // Off by default: the up-down then never takes the keyboard focus itself.
  bool TabStop() const { return focusPolicy() & Qt::TabFocus; }
  void SetTabStop(bool Value) { setFocusPolicy(Value ? Qt::StrongFocus : Qt::NoFocus); }

  // Either arrow is held down.
  bool Pressed() const { return FUp->Pressed() || FDown->Pressed(); }

  TNotifyEvent OnUpClick;
  TNotifyEvent OnDownClick;

  QSize sizeHint() const override { return QSize(15, 17); }

 protected:
  void resizeEvent(QResizeEvent* Event) override;
  void keyPressEvent(QKeyEvent* Event) override;
  void focusInEvent(QFocusEvent* Event) override;
  void focusOutEvent(QFocusEvent* Event) override;

 private:
  void ArrowMouseDown(TArrowButton* Arrow, Qt::MouseButton Button);
  void SetFocusedButton(TArrowButton* Arrow);
  void UpdateFocusLook();
  void Layout();

  TArrowButton* FUp;
  TArrowButton* FDown;
  TArrowButton* FFocused;
  QWidget* FFocusControl = nullptr;
};

}  // namespace trochodraw
