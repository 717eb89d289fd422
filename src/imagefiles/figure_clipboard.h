#pragma once

namespace trochodraw {

class TBitmap;

// Puts a device-dependent copy of the figure on the clipboard, replacing what was there.
void CopyFigure(const TBitmap& Figure);

}  // namespace trochodraw
