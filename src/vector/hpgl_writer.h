#pragma once

#include <string>

#include "vector/vector_document.h"

namespace trochodraw {

// Plotter units of HPGL: 40 to the millimetre.
inline constexpr double kHPGLUnitsPerMM = 40.0;

// A plotter-mode document as HPGL: IN; then one SP n; per pen in layer order, the paths as
// PU/PD moves in absolute plotter units from the page's lower-left corner, and PU;SP0; at the
// end. HPGL has no pause, so a re-inking shows only as the pen lifting where the path is cut.
std::string EncodeHPGL(const TVectorDocument& Doc);

}  // namespace trochodraw
