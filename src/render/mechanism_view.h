#pragma once

#include "machine/linkage.h"
#include "render/bitmap.h"

namespace trochodraw {

// Redraws the whole machine from a white background, later elements covering earlier ones.
void DrawMechanism(TBitmap& Image1, const TMachine& M, TPlanetMode Mode, TArmMode Mechanism);

// Clears the figure to BackColor and, when asked, marks its centre with an XOR cross.
void ClearFigureImage(TBitmap& Image2, TColor BackColor, bool MarkCenter, int CanvasPenWidth = 1);

}  // namespace trochodraw
