#include "controls/arrow_button.h"

#include <qdrawutil.h>

#include <QPainter>

namespace trochodraw {

TArrowButton::TArrowButton(QWidget* Parent) : TAutoButton(Parent) { DoRepeat = true; }

void TArrowButton::SetUpArrow(bool Value) {
  if (Value == FUpArrow) return;
  FUpArrow = Value;
  update();
}

void TArrowButton::SetShowFocus(bool Value) {
  if (Value == FShowFocus) return;
  FShowFocus = Value;
  update();
}

void TArrowButton::paintEvent(QPaintEvent*) {
  UpdateState();
  QPainter P(this);
  const bool PressedLook = State() == TButtonState::bsDown || State() == TButtonState::bsExclusive;
  qDrawWinButton(&P, rect(), palette(), PressedLook, &palette().button());

  // The solid triangle row by row, outline included, as a filled polygon with a one-pixel pen.
  const QColor Ink = isEnabled() ? QColor(Qt::black) : QColor(128, 128, 128);
  const int X0 = (width() - 7) / 2;
  const int Y0 = FUpArrow ? (height() - 3) / 2 - 1 : (height() - 3) / 2;
  for (int Row = 0; Row <= 3; ++Row) {
    const int Inset = FUpArrow ? 3 - Row : Row;  // the apex row has one pixel
    P.fillRect(X0 + Inset, Y0 + Row, 7 - 2 * Inset, 1, Ink);
  }

  if (FShowFocus) {
    const QRect F = rect().adjusted(3, 3, -3, -3);
    P.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
    P.setBrush(Qt::NoBrush);
    P.drawRect(F.adjusted(0, 0, -1, -1));
  }
}

}  // namespace trochodraw
