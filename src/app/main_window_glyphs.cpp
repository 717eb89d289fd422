#include "app/main_window_glyphs.h"

#include <QPainter>
#include <QPainterPath>

namespace trochodraw {

namespace {

constexpr int kSize = 16;
const QColor kTransparent(255, 0, 255);

QImage Strip(int Frames) {
  QImage Image(kSize * Frames, kSize, QImage::Format_RGB32);
  Image.fill(kTransparent);
  return Image;
}

void DrawPlay(QPainter& P, int X, const QColor& Fill) {
  QPainterPath Path;
  Path.moveTo(X + 4, 2);
  Path.lineTo(X + 13, 8);
  Path.lineTo(X + 4, 14);
  Path.closeSubpath();
  P.fillPath(Path, Fill);
  P.setPen(QPen(Qt::black, 1));
  P.drawPath(Path);
}

void DrawStep(QPainter& P, int X, const QColor& Fill) {
  QPainterPath Path;
  Path.moveTo(X + 2, 3);
  Path.lineTo(X + 10, 8);
  Path.lineTo(X + 2, 13);
  Path.closeSubpath();
  P.fillPath(Path, Fill);
  P.setPen(QPen(Qt::black, 1));
  P.drawPath(Path);
  P.fillRect(X + 11, 3, 3, 11, Fill);
  P.drawRect(X + 11, 3, 3, 10);
}

void DrawLock(QPainter& P, int X, bool Closed, const QColor& Body, const QColor& Shackle) {
  P.setPen(QPen(Shackle, 2));
  P.setBrush(Qt::NoBrush);
  // An open lock lifts its shackle clear of the body on the right.
  const int Lift = Closed ? 0 : 3;
  P.drawArc(QRectF(X + 4.5, 1.5 - Lift, 7, 8), 0, 180 * 16);
  P.drawLine(QPointF(X + 4.5, 5.5 - Lift), QPointF(X + 4.5, 8));
  P.drawLine(QPointF(X + 11.5, 5.5 - Lift), QPointF(X + 11.5, Closed ? 8 : 5.5 - Lift));
  P.setPen(QPen(Qt::black, 1));
  P.setBrush(Body);
  P.drawRect(X + 3, 8, 10, 6);
  P.fillRect(X + 7, 10, 2, 2, Qt::black);
}

}  // namespace

QImage RunGlyph() {
  QImage Image = Strip(1);
  QPainter P(&Image);
  P.setRenderHint(QPainter::Antialiasing, false);
  DrawPlay(P, 0, QColor(0, 200, 0));
  return Image;
}

QImage StepGlyph() {
  QImage Image = Strip(2);
  QPainter P(&Image);
  DrawStep(P, 0, QColor(0, 200, 0));
  DrawStep(P, kSize, QColor(128, 128, 128));
  return Image;
}

QImage LockGlyph() {
  QImage Image = Strip(4);
  QPainter P(&Image);
  DrawLock(P, 0, false, QColor(255, 215, 0), QColor(90, 90, 90));
  DrawLock(P, kSize, false, QColor(160, 160, 160), QColor(128, 128, 128));
  DrawLock(P, 2 * kSize, true, QColor(255, 215, 0), QColor(40, 40, 40));
  DrawLock(P, 3 * kSize, true, QColor(255, 215, 0), QColor(40, 40, 40));
  return Image;
}

}  // namespace trochodraw
