#include "render/caption_text.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

namespace trochodraw {

void DrawCaption(TBitmap& Bitmap, const TRect& Box, const std::string& Text, TColor Color, int PixelSize) {
  if (Bitmap.PixelFormat() != TPixelFormat::pfDevice) throw EImageError("Invalid Pixel Format");
  if (Box.IsEmpty() || Text.empty()) return;
  // Painted straight into the bitmap's memory, with the bitmap's own kept painter closed first.
  Bitmap.DropPaintCache();
  QImage image(Bitmap.Bits(), Bitmap.Width(), Bitmap.Height(), Bitmap.BytesPerLine(), QImage::Format_RGB32);
  QPainter painter(&image);
  QFont font("DejaVu Sans");
  font.setPixelSize(PixelSize);
  painter.setFont(font);
  painter.setPen(QColor::fromRgba(ColorToARGB(Color)));
  const QRect r(Box.Left, Box.Top, Box.Right - Box.Left, Box.Bottom - Box.Top);
  painter.setClipRect(r);
  const QString shown = QFontMetrics(font).elidedText(QString::fromStdString(Text), Qt::ElideRight, r.width());
  painter.drawText(r, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine, shown);
}

}  // namespace trochodraw
