#pragma once

#include "controls/auto_button.h"

namespace trochodraw {

// One arrow of a spin edit: an auto-repeating speed button that paints a small triangle.
class TArrowButton : public TAutoButton {
  Q_OBJECT

 public:
  explicit TArrowButton(QWidget* Parent = nullptr);

  bool UpArrow() const { return FUpArrow; }
  void SetUpArrow(bool Value);
  // The focus rectangle, shown while this arrow is the focused one of a focused up-down.
  void SetShowFocus(bool Value);

 protected:
  void paintEvent(QPaintEvent* Event) override;

 private:
  bool FUpArrow = false;
  bool FShowFocus = false;
};

}  // namespace trochodraw
