#include "vector/pdf_writer.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPointF>

#include "render/bitmap.h"

namespace trochodraw {

std::vector<uint8_t> EncodePDF(const TVectorDocument& Doc) {
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setCreator(QStringLiteral("Trochodraw"));
    writer.setTitle(QStringLiteral("Trochodraw drawing"));
    const double unitsPerPoint = Doc.Millimetres ? 72.0 / 25.4 : 72.0 / 96.0;
    const QPageSize size(QSizeF(Doc.Width * unitsPerPoint, Doc.Height * unitsPerPoint), QPageSize::Point,
                         QString(), QPageSize::ExactMatch);
    writer.setPageLayout(QPageLayout(size, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    QPainter painter;
    if (!painter.begin(&writer)) throw EImageError("Unable to write the PDF drawing");
    // Painter units are the writer's device pixels; draw in page units.
    const double perUnit = writer.resolution() / (Doc.Millimetres ? 25.4 : 96.0);
    painter.scale(perUnit, perUnit);
    painter.setRenderHint(QPainter::Antialiasing, true);
    // The page is a whole number of points and may be a fraction larger than the document:
    // the background covers that sliver too (the page clips the rest).
    if (Doc.HasBackground)
      painter.fillRect(QRectF(0, 0, Doc.Width + 2.0, Doc.Height + 2.0), QColor::fromRgb(ColorToARGB(Doc.Background)));
    const Qt::PenJoinStyle join = Doc.Millimetres ? Qt::RoundJoin : Qt::BevelJoin;
    std::vector<QPointF> line;
    for (const TDocLayer& layer : Doc.Layers)
      for (const TDocPath& p : layer.Paths) {
        painter.setPen(QPen(QColor::fromRgb(ColorToARGB(p.Color)), p.Width, Qt::SolidLine, Qt::FlatCap, join));
        line.resize(p.Count);
        for (size_t k = 0; k < p.Count; ++k) line[k] = {Doc.Points[p.First + k].X, Doc.Points[p.First + k].Y};
        painter.drawPolyline(line.data(), static_cast<int>(line.size()));
      }
    if (!painter.end()) throw EImageError("Unable to write the PDF drawing");
  }
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

}  // namespace trochodraw
