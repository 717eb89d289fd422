#pragma once

#include <QImage>

namespace trochodraw {

// The small pictures beside the captions of the palette buttons and "Undo".
enum class TColoringGlyph { ResetSpacing, RGBGradient, HueGradient, Invert, Undo };

QImage ColoringButtonGlyph(TColoringGlyph Glyph);

}  // namespace trochodraw
