#include "imagefiles/figure_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include "render/bitmap.h"
#include "render/bitmap_qimage.h"

namespace trochodraw {

void CopyFigure(const TBitmap& Figure) {
  if (Figure.Empty()) throw EImageError("No Image Set");
  QGuiApplication::clipboard()->setImage(BitmapToQImage(Figure));
}

}  // namespace trochodraw
