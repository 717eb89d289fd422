#pragma once

#include <cstdint>
#include <vector>

#include "vector/vector_document.h"

namespace trochodraw {

// The document as a one-page PDF of vector paths (Qt's PDF writer, no raster): the page is
// the document's size (Qt rounds it to whole points), figure pixels taken at 96 per inch.
// PDF has no layers here; in plotter mode the paths come colour by colour in plotting order.
std::vector<uint8_t> EncodePDF(const TVectorDocument& Doc);

}  // namespace trochodraw
