#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "machine/simulation.h"
#include "vector/export_options.h"
#include "vector/plot_statistics.h"
#include "vector/stroke_record.h"

namespace trochodraw {

enum TDrawingFormat : int { dfSVG = 0, dfPDF = 1, dfHPGL = 2, dfGCode = 3 };

// HPGL and G-code drive a plotter: they are always laid out on a plotter page.
inline bool IsMachineFormat(TDrawingFormat Format) { return Format == dfHPGL || Format == dfGCode; }
const char* DrawingFormatName(TDrawingFormat Format);

// Told to the user after an export.
inline constexpr const char* kMosaicNote = "The mosaic colours are not part of the vector drawing; it holds the strokes only.";
inline constexpr const char* kNoStrokesNote = "The drawing has no strokes.";
// More pen colours than this in plotter mode are worth a note.
inline constexpr size_t kManyPens = 8;

struct TExportResult {
  size_t Paths = 0;
  uint64_t Segments = 0;
  size_t Bytes = 0;
  std::vector<std::string> Notes;
  // Plotter pages only: what plotting the drawing costs.
  bool Plotted = false;
  TPlotStatistics Stats;
};

// The format named by the file's extension (.svg, .pdf, .hpgl or .plt, .gcode or .nc, any
// case); throws EDrawingError.
TDrawingFormat DrawingFormatOf(const std::string& FileName);

// How a record compares with one period of the figure its machine draws.
struct TPeriodCut {
  bool Exact = false;  // the machine has a period (it moves, and within the limit)
  uint64_t PeriodTicks = 0;
  uint64_t RecordedTicks = 0;
  // Longer than one period: keeping PeriodTicks ticks plots every line once.
  bool Longer() const { return Exact && RecordedTicks > PeriodTicks; }
};
// Settings are the machine's now: a record drawn under other speeds is not told apart.
TPeriodCut PeriodCutOf(const TStrokeRecord& Record, const TTickSettings& Settings);

// The plot statistics of the record laid out on the plotter page of Options (plotter mode is
// taken whatever Options.Plotter says). Throws EDrawingError for options that make no plot.
TPlotStatistics EstimatePlot(const TStrokeRecord& Record, const TExportOptions& Options);

// Writes the record's strokes as a vector drawing, replacing FileName only once the whole file
// is written. Throws EDrawingError for options that make no page and EImageError when the file
// cannot be written.
TExportResult ExportDrawing(const TStrokeRecord& Record, const TExportOptions& Options, const std::string& FileName);
TExportResult ExportDrawingAs(const TStrokeRecord& Record, const TExportOptions& Options, const std::string& FileName,
                              TDrawingFormat Format);

}  // namespace trochodraw
