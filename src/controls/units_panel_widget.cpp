#include "controls/units_panel_widget.h"

#include <qdrawutil.h>

#include <QEvent>
#include <QPainter>

namespace trochodraw {

TDisPanel::TDisPanel(QWidget* Parent) : QWidget(Parent) {
  setFocusPolicy(Qt::NoFocus);
  setAutoFillBackground(false);
}

void TDisPanel::SetCaption(const QString& Value) {
  if (Value == FCaption) return;
  FCaption = Value;
  update();
}

QColor TDisPanel::TextColor() const { return isEnabled() ? QColor(0, 0, 0) : QColor(128, 128, 128); }

void TDisPanel::paintEvent(QPaintEvent*) {
  QPainter P(this);
  P.fillRect(rect(), palette().color(QPalette::Active, QPalette::Button));
  qDrawShadePanel(&P, rect(), palette(), false, 1);
  P.setPen(TextColor());
  P.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, FCaption);
}

void TDisPanel::changeEvent(QEvent* Event) {
  QWidget::changeEvent(Event);
  if (Event->type() == QEvent::EnabledChange) update();
}

}  // namespace trochodraw
