#pragma once

#include <QImage>

namespace trochodraw {

// The pictures of the Pattern tab's eight buttons: 16 x 16, the bottom-left pixel's colour
// (magenta) standing for transparent, as the speed buttons take their glyphs.
enum class TPatternGlyph { Insert, Overwrite, MoveUp, MoveDown, Delete, Search, Properties, AllProperties };

QImage PatternButtonGlyph(TPatternGlyph Glyph);

}  // namespace trochodraw
