#pragma once

#include <vector>

#include "vector/vector_document.h"

namespace trochodraw {

// Two ends closer than this (millimetres) touch: a plotter's pen need not lift between them.
constexpr double kTouchMM = 0.01;

// Lays a figure-mode document (figure pixels, one layer in drawing order) out for a plotter:
// the drawing scaled uniformly and centred inside the page's margin, the page turned when a
// named size fits the drawing better in landscape, no background, one layer per pen colour in
// the order the colours first appear. Within a layer the paths are ordered greedily, each
// next path the one with the end nearest to the pen (taken backwards when its far end is the
// nearer), joined to the previous path when the two touch in the same width, and simplified
// to Options.SimplifyMM.
void LayOutForPlotter(TVectorDocument& Doc, const TExportOptions& Options);

// Cuts the plotter layers so that no part draws more than AfterMM millimetres: where a pen has
// drawn that far since it was inked, its layer ends and a part that starts with a re-inking
// pause goes on from the very point (a new pen comes inked).
void SplitForReinking(TVectorDocument& Doc, double AfterMM);

// The pen's travel with the pen up: from the page's top-left corner to the first path, then
// from the end of each path to the start of the next, through all layers in order.
double PenUpTravel(const TVectorDocument& Doc);

// Ramer-Douglas-Peucker: keeps the end points and as few others as leave every dropped point
// within Tolerance of the simplified line.
std::vector<TDocPoint> SimplifyPolyline(const std::vector<TDocPoint>& Line, double Tolerance);

}  // namespace trochodraw
