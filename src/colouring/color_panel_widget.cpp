#include "colouring/color_panel_widget.h"

#include <QPainter>

namespace trochodraw {

TColorPanel::TColorPanel(QWidget* Parent) : QFrame(Parent) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(1);
}

void TColorPanel::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  update();
}

void TColorPanel::paintEvent(QPaintEvent* Event) {
  {
    QPainter p(this);
    p.fillRect(contentsRect(), QColor(RedOf(FColor), GreenOf(FColor), BlueOf(FColor)));
  }
  QFrame::paintEvent(Event);
}

}  // namespace trochodraw
