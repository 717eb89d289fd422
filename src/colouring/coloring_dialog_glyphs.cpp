#include "colouring/coloring_dialog_glyphs.h"

#include <QPainter>
#include <QPainterPath>

#include "colouring/colour_arithmetic.h"

namespace trochodraw {

QImage ColoringButtonGlyph(TColoringGlyph Glyph) {
  QImage image(16, 16, QImage::Format_RGB32);
  image.fill(QColor(255, 0, 255));
  QPainter p(&image);
  const QRect strip(3, 1, 10, 14);
  switch (Glyph) {
    case TColoringGlyph::ResetSpacing:
      p.fillRect(strip, Qt::white);
      p.setPen(Qt::black);
      for (int y = 1; y <= 15; y += 3) p.drawLine(3, y, 12, y);
      p.drawRect(strip.adjusted(0, 0, -1, -1));
      break;
    case TColoringGlyph::RGBGradient:
    case TColoringGlyph::HueGradient:
      for (int y = 0; y < strip.height(); ++y) {
        const double t = double(y) / (strip.height() - 1);
        const TColor c = Glyph == TColoringGlyph::HueGradient ? GradientColor(clRed, clBlue, t)
                                                              : RGBColor(uint8_t(255 * (1 - t)), 0, uint8_t(255 * t));
        p.setPen(QColor(RedOf(c), GreenOf(c), BlueOf(c)));
        p.drawLine(strip.left(), strip.top() + y, strip.right(), strip.top() + y);
      }
      p.setPen(Qt::black);
      p.setBrush(Qt::NoBrush);
      p.drawRect(strip.adjusted(0, 0, -1, -1));
      break;
    case TColoringGlyph::Invert: {
      p.setPen(Qt::black);
      p.setBrush(QColor(0, 0, 160));
      const QPoint up[] = {{4, 1}, {7, 5}, {5, 5}, {5, 13}, {3, 13}, {3, 5}, {1, 5}};
      const QPoint down[] = {{11, 14}, {14, 10}, {12, 10}, {12, 2}, {10, 2}, {10, 10}, {8, 10}};
      p.drawPolygon(up, 7);
      p.setBrush(QColor(160, 0, 0));
      p.drawPolygon(down, 7);
      break;
    }
    case TColoringGlyph::Undo: {
      QPainterPath arc;
      arc.moveTo(4, 7);
      arc.cubicTo(6, 2, 14, 3, 13, 9);
      arc.cubicTo(12.5, 12, 10, 13, 8, 13);
      p.setPen(QPen(QColor(0, 0, 160), 2));
      p.drawPath(arc);
      const QPoint head[] = {{1, 3}, {7, 8}, {1, 10}};
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(0, 0, 160));
      p.drawPolygon(head, 3);
      break;
    }
  }
  return image;
}

}  // namespace trochodraw
