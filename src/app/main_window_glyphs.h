#pragma once

#include <QImage>

namespace trochodraw {

// The glyph strips of the main window's buttons. Each frame's bottom-left pixel carries the
// transparent colour, as the speed buttons expect.
QImage RunGlyph();   // one frame: a play triangle
QImage StepGlyph();  // two frames: up and disabled
QImage LockGlyph();  // four frames: up (open), disabled, down and exclusive (closed)

}  // namespace trochodraw
