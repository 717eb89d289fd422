#include "colouring/gauge_widget.h"

#include <QPainter>
#include <algorithm>

namespace trochodraw {

TGauge::TGauge(QWidget* Parent) : QFrame(Parent) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(1);
}

void TGauge::SetMaxValue(int Value) {
  FMaxValue = std::max(Value, FMinValue);
  FProgress = std::clamp(FProgress, FMinValue, FMaxValue);
  update();
}

void TGauge::SetProgress(int Value) {
  Value = std::clamp(Value, FMinValue, FMaxValue);
  if (Value == FProgress) return;
  FProgress = Value;
  update();
}

int TGauge::PercentDone() const {
  const long long span = static_cast<long long>(FMaxValue) - FMinValue;
  return span <= 0 ? 0 : static_cast<int>((static_cast<long long>(FProgress) - FMinValue) * 100 / span);
}

void TGauge::paintEvent(QPaintEvent* Event) {
  {
    QPainter p(this);
    const QRect r = contentsRect();
    p.fillRect(r, Qt::white);
    const long long span = static_cast<long long>(FMaxValue) - FMinValue;
    const int filled =
        span <= 0 ? 0 : static_cast<int>(r.width() * (static_cast<long long>(FProgress) - FMinValue) / span);
    const QRect done(r.left(), r.top(), filled, r.height());
    p.fillRect(done, Qt::black);
    // The text is white over the filled part and black over the rest.
    p.setPen(Qt::black);
    p.drawText(r, Qt::AlignCenter, Text());
    p.setClipRect(done);
    p.setPen(Qt::white);
    p.drawText(r, Qt::AlignCenter, Text());
  }
  QFrame::paintEvent(Event);
}

}  // namespace trochodraw
