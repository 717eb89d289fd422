#pragma once

#include <string>

#include "render/bitmap.h"
#include "render/canvas.h"

namespace trochodraw {

// Writes Text (UTF-8) centred in Box of a display-format bitmap, PixelSize pixels high,
// clipped to the box and cut with an ellipsis when it is too wide. Fonts need the
// application object of Qt's GUI module to exist.
void DrawCaption(TBitmap& Bitmap, const TRect& Box, const std::string& Text, TColor Color, int PixelSize);

}  // namespace trochodraw
