#pragma once

#include <QImage>

namespace trochodraw {

class TBitmap;

// A QImage for showing a bitmap. The formats QImage shares (device, 15-, 16-, 24-, 32-bit)
// are read straight from the bitmap's memory, so the bitmap must outlive the image and must
// not be resized while it is used; palette formats are converted into a copy.
QImage BitmapAsQImage(const TBitmap& Bitmap);

// A deep RGB32 copy of the bitmap (the clipboard's device-dependent bitmap).
QImage BitmapToQImage(const TBitmap& Bitmap);

}  // namespace trochodraw
