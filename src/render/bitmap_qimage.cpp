#include "render/bitmap_qimage.h"

#include "render/bitmap.h"
#include "render/paint_cache.h"

namespace trochodraw {

namespace {

bool SharesMemory(TPixelFormat F) {
  switch (F) {
    case TPixelFormat::pf1bit:
    case TPixelFormat::pf4bit:
    case TPixelFormat::pf8bit:
      return false;
    default:
      return true;
  }
}

QImage ConvertPixels(const TBitmap& Bitmap) {
  QImage Image(Bitmap.Width(), Bitmap.Height(), QImage::Format_RGB32);
  for (int Y = 0; Y < Bitmap.Height(); ++Y) {
    auto* Row = reinterpret_cast<QRgb*>(Image.scanLine(Y));
    for (int X = 0; X < Bitmap.Width(); ++X) {
      const TColor C = Bitmap.GetPixel(X, Y);
      Row[X] = qRgb(RedOf(C), GreenOf(C), BlueOf(C));
    }
  }
  return Image;
}

}  // namespace

QImage BitmapAsQImage(const TBitmap& Bitmap) {
  if (Bitmap.Empty()) return {};
  if (!SharesMemory(Bitmap.PixelFormat())) return ConvertPixels(Bitmap);
  // The const constructor never writes to the memory it is given.
  return QImage(Bitmap.Bits(), Bitmap.Width(), Bitmap.Height(), Bitmap.BytesPerLine(), QImageFormatOf(Bitmap));
}

QImage BitmapToQImage(const TBitmap& Bitmap) {
  if (Bitmap.Empty()) return {};
  if (!SharesMemory(Bitmap.PixelFormat())) return ConvertPixels(Bitmap);
  const QImage Shared = BitmapAsQImage(Bitmap);
  // Converting to the format it already has would still share the bitmap's memory.
  return Shared.format() == QImage::Format_RGB32 ? Shared.copy() : Shared.convertToFormat(QImage::Format_RGB32);
}

}  // namespace trochodraw
