#pragma once

#include <string>

#include "render/bitmap.h"

namespace trochodraw {

// Writes the figure in the format its file name's last extension selects.
void SaveFigure(const TBitmap& Figure, const std::string& FileName);

}  // namespace trochodraw
