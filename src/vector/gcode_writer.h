#pragma once

#include <string>

#include "vector/export_options.h"
#include "vector/vector_document.h"

namespace trochodraw {

// A plotter-mode document as G-code for a pen plotter: millimetres (G21), absolute (G90), the
// page's lower-left corner as the origin, Motion's pen commands around every path, G1 moves
// at the pen-down and the travel feed rates (so the plot time estimate holds for the file),
// and a pause (M0) with a comment before each pen change and re-inking.
std::string EncodeGCode(const TVectorDocument& Doc, const TPlotMotion& Motion);

}  // namespace trochodraw
