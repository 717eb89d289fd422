#include "render/paint_cache.h"

#include "render/bitmap.h"

namespace trochodraw {

QImage::Format QImageFormatOf(const TBitmap& Bitmap) {
  switch (Bitmap.PixelFormat()) {
    case TPixelFormat::pfDevice:
    case TPixelFormat::pf32bit:
    case TPixelFormat::pfCustom: return QImage::Format_RGB32;
    case TPixelFormat::pf24bit: return QImage::Format_BGR888;
    case TPixelFormat::pf16bit: return QImage::Format_RGB16;
    case TPixelFormat::pf15bit: return QImage::Format_RGB555;
    default: throw EImageError("Invalid Pixel Format");
  }
}

TPaintCache::TPaintCache(TBitmap& Bitmap)
    : FGeneration(Bitmap.Generation()),
      FImage(Bitmap.Bits(), Bitmap.Width(), Bitmap.Height(), Bitmap.BytesPerLine(), QImageFormatOf(Bitmap)) {
  if (!Bitmap.Empty()) {
    FPainter.begin(&FImage);
    FPainter.translate(0.5, 0.5);
  }
}

TPaintCache::~TPaintCache() {
  if (FPainter.isActive()) FPainter.end();
}

}  // namespace trochodraw
