#pragma once

#include <string>

#include "vector/vector_document.h"

namespace trochodraw {

// The document as an SVG 1.1 file: a viewBox of the page in page units, the background as a
// rectangle, one path per document path (no fill, flat ends), colours as #rrggbb; in plotter
// mode one Inkscape layer per pen colour. Coordinates keep two decimals (0.01 of a page unit)
// and run relative to the previous point, computed from the rounded points so that no
// rounding error adds up along a path.
std::string EncodeSVG(const TVectorDocument& Doc);

// V to two decimals with no trailing zeros ("12.5", "-0.07", "3").
std::string FormatSVGNumber(double V);

}  // namespace trochodraw
