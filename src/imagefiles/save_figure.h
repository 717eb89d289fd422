#pragma once

#include <string>

#include "render/bitmap.h"

namespace trochodraw {

// Writes the figure in the format its file name's last extension selects.
void SaveFigure(const TBitmap& Figure, const std::string& FileName);

// The command line's save: where the TIFF or TGA writer refuses the figure's pixel format (a
// freshly drawn figure is still in the display's own), a 24-bit copy is written instead;
// anything else exactly as SaveFigure.
void SaveFigureConverted(const TBitmap& Figure, const std::string& FileName);

}  // namespace trochodraw
