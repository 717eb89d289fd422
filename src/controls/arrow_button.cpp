#include "controls/arrow_button.h"

#include <QPainter>
#include <QPolygon>
#include <qdrawutil.h>

namespace trochodraw {

TArrowButton::TArrowButton(QWidget* Parent) : TAutoButton(Parent) {
  DoRepeat = true;
}

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

  const QColor Ink = isEnabled() ? QColor(Qt::black) : QColor(128, 128, 128);
  const int X0 = (width() - 7) / 2;
  QPolygon Triangle;
  if (FUpArrow) {
    const int Y0 = (height() - 3) / 2 - 1;
    Triangle << QPoint(X0, Y0 + 3) << QPoint(X0 + 6, Y0 + 3) << QPoint(X0 + 3, Y0);
  } else {
    const int Y0 = (height() - 3) / 2;
    Triangle << QPoint(X0, Y0) << QPoint(X0 + 6, Y0) << QPoint(X0 + 3, Y0 + 3);
  }
  P.setPen(Ink);
  P.setBrush(Ink);
  P.drawPolygon(Triangle);

  if (FShowFocus) {
    const QRect F = rect().adjusted(3, 3, -3, -3);
    P.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
    P.setBrush(Qt::NoBrush);
    P.drawRect(F.adjusted(0, 0, -1, -1));
  }
}

}  // namespace trochodraw
