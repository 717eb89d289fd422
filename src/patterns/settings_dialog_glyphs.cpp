#include "patterns/settings_dialog_glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

namespace trochodraw {

namespace {

const QColor kInk(0, 0, 0);
const QColor kPaper(255, 255, 255);
const QColor kBlue(0, 0, 160);
const QColor kGreen(0, 128, 0);
const QColor kRed(192, 0, 0);
const QColor kTransparent(255, 0, 255);

// A sheet with a turned corner and a few lines of text.
void Sheet(QPainter& P, int X, int Y, int W, int H, bool Lines) {
  QPolygon outline;
  outline << QPoint(X, Y) << QPoint(X + W - 4, Y) << QPoint(X + W - 1, Y + 3) << QPoint(X + W - 1, Y + H - 1)
          << QPoint(X, Y + H - 1);
  P.setPen(kInk);
  P.setBrush(kPaper);
  P.drawPolygon(outline);
  P.drawLine(X + W - 4, Y, X + W - 4, Y + 3);
  P.drawLine(X + W - 4, Y + 3, X + W - 1, Y + 3);
  if (Lines) {
    P.setPen(QColor(96, 96, 96));
    for (int y = Y + 5; y < Y + H - 2; y += 2) P.drawLine(X + 2, y, X + W - 3, y);
  }
}

void Arrow(QPainter& P, bool Up) {
  QPolygon a;
  if (Up)
    a << QPoint(8, 2) << QPoint(14, 8) << QPoint(10, 8) << QPoint(10, 14) << QPoint(6, 14) << QPoint(6, 8)
      << QPoint(2, 8);
  else
    a << QPoint(8, 14) << QPoint(14, 8) << QPoint(10, 8) << QPoint(10, 2) << QPoint(6, 2) << QPoint(6, 8)
      << QPoint(2, 8);
  P.setPen(kInk);
  P.setBrush(kBlue);
  P.drawPolygon(a);
}

}  // namespace

QImage PatternButtonGlyph(TPatternGlyph Glyph) {
  // The button treats the bottom-left pixel's colour as transparent: a colour no glyph uses.
  QImage image(16, 16, QImage::Format_RGB32);
  image.fill(kTransparent);
  QPainter p(&image);
  switch (Glyph) {
    case TPatternGlyph::Insert:
      Sheet(p, 1, 1, 11, 14, true);
      p.fillRect(9, 7, 7, 3, kGreen);
      p.fillRect(11, 5, 3, 7, kGreen);
      break;
    case TPatternGlyph::Overwrite:
      Sheet(p, 1, 1, 11, 14, true);
      p.setPen(QPen(kRed, 2));
      p.drawLine(6, 13, 14, 5);
      p.setPen(kInk);
      p.drawLine(5, 14, 6, 13);
      break;
    case TPatternGlyph::MoveUp:
      Arrow(p, true);
      break;
    case TPatternGlyph::MoveDown:
      Arrow(p, false);
      break;
    case TPatternGlyph::Delete:
      p.setPen(QPen(kRed, 3, Qt::SolidLine, Qt::SquareCap));
      p.drawLine(4, 4, 12, 12);
      p.drawLine(12, 4, 4, 12);
      break;
    case TPatternGlyph::Search:
      p.setPen(QPen(QColor(128, 64, 0), 3, Qt::SolidLine, Qt::SquareCap));
      p.drawLine(10, 10, 13, 13);
      p.setPen(kInk);
      p.setBrush(QColor(200, 230, 255));
      p.drawEllipse(1, 1, 9, 9);
      break;
    case TPatternGlyph::Properties:
      Sheet(p, 2, 1, 12, 14, true);
      break;
    case TPatternGlyph::AllProperties:
      Sheet(p, 5, 0, 10, 12, false);
      Sheet(p, 3, 2, 10, 12, false);
      Sheet(p, 1, 4, 10, 12, true);
      break;
  }
  return image;
}

}  // namespace trochodraw
