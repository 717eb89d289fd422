#pragma once

#include <QImage>

namespace trochodraw {

// The small pictures beside the captions of the palette buttons and "Undo": 16 x 16, the
// bottom-left pixel's colour (magenta) standing for transparent.
enum class TColoringGlyph { ResetSpacing, RGBGradient, HueGradient, Invert, Undo };

QImage ColoringButtonGlyph(TColoringGlyph Glyph);

}  // namespace trochodraw
