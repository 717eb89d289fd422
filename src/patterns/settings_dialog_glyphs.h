#pragma once

#include <QImage>

namespace trochodraw {

// The pictures of the Pattern tab's eight buttons, 16 x 16 on a transparent ground.
enum class TPatternGlyph { Insert, Overwrite, MoveUp, MoveDown, Delete, Search, Properties, AllProperties };

QImage PatternButtonGlyph(TPatternGlyph Glyph);

}  // namespace trochodraw
