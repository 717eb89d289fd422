#pragma once

#include <cstddef>
#include <string>

#include "vector/export_options.h"
#include "vector/vector_document.h"

namespace trochodraw {

// What plotting a document costs, measured along the walk of plot_walk.h.
struct TPlotStatistics {
  size_t Paths = 0;
  size_t PenLifts = 0;  // every time the pen goes up after drawing, the last time included
  size_t Pauses = 0;    // pen changes and re-inkings
  double DrawnMM = 0.0;
  double TravelMM = 0.0;
  double Seconds = 0.0;  // drawn at the pen speed, travelled at the travel speed; pauses not counted
};

TPlotStatistics PlotStatistics(const TVectorDocument& Doc, const TPlotMotion& Motion);

// "paths: 12\npen-lifts: 12\n..." : one key: value line each, for scripts.
std::string PlotStatisticsText(const TPlotStatistics& Stats);
// "1 h 02 min", "3 min 20 s", "45 s": a plot time for people.
std::string DurationText(double Seconds);

}  // namespace trochodraw
