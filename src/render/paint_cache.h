#pragma once

#include <QImage>
#include <QPainter>
#include <cstdint>

namespace trochodraw {

class TBitmap;

// A QImage over the bitmap's own memory (no copy) with one painter kept open on it, so a
// drawing pass costs no set-up. The pixel grid is shifted half a pixel: integer coordinates
// are pixel centres.
class TPaintCache {
 public:
  explicit TPaintCache(TBitmap& Bitmap);
  ~TPaintCache();
  TPaintCache(const TPaintCache&) = delete;
  TPaintCache& operator=(const TPaintCache&) = delete;

  uint64_t Generation() const { return FGeneration; }
  QPainter& Painter() { return FPainter; }
  QImage& Image() { return FImage; }

 private:
  uint64_t FGeneration;
  QImage FImage;
  QPainter FPainter;
};

// The QImage format that shares the bitmap's memory layout; throws for palette formats.
QImage::Format QImageFormatOf(const TBitmap& Bitmap);

}  // namespace trochodraw
