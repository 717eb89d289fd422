#include "cli/cli_vector.h"

#include <ostream>

#include "machine/simulation.h"
#include "vector/export_drawing.h"

namespace trochodraw::cli {

const char* const TVectorOutputs::kUsage =
    "  --svg FILE  --pdf FILE         write the strokes as an SVG or PDF drawing (with or without -o)\n"
    "  --plotter                      vector drawing for a pen plotter: no background, fitted on a page,\n"
    "                                 paths ordered and joined, one layer per pen colour\n"
    "  --page A4|A3|Letter|WxHmm      plotter page (default A4; named sizes turn to suit the drawing)\n"
    "  --margin MM                    plotter page margin (default 10)\n"
    "  --simplify MM                  plotter path simplification tolerance (default 0: none)\n";

bool TVectorOutputs::Parse(const std::string& Option, TArgs& Args) {
  if (Option == "--svg") {
    FSVG = Args.Value(Option);
  } else if (Option == "--pdf") {
    FPDF = Args.Value(Option);
  } else if (Option == "--plotter") {
    FOptions.Plotter = true;
  } else if (Option == "--page") {
    const std::string v = Args.Value(Option);
    try {
      FOptions.Page = ParsePageSize(v);
    } catch (const EDrawingError& e) {
      throw EUsage("option --page: " + std::string(e.what()));
    }
    if (FPlotterOnly.empty()) FPlotterOnly = Option;
  } else if (Option == "--margin") {
    FOptions.MarginMM = Args.Real(Option, 0, 1000);
    if (FPlotterOnly.empty()) FPlotterOnly = Option;
  } else if (Option == "--simplify") {
    FOptions.SimplifyMM = Args.Real(Option, 0, 100);
    if (FPlotterOnly.empty()) FPlotterOnly = Option;
  } else {
    return false;
  }
  return true;
}

void TVectorOutputs::Check() const {
  if (!FPlotterOnly.empty() && !FOptions.Plotter) throw EUsage("option " + FPlotterOnly + " needs --plotter");
  if (FOptions.Plotter && !Any()) throw EUsage("option --plotter needs --svg FILE or --pdf FILE");
  try {
    ValidateExportOptions(FOptions);
  } catch (const EDrawingError& e) {
    throw EUsage(e.what());
  }
}

void TVectorOutputs::Attach(TSimulation& Sim) {
  if (Any()) AttachStrokeRecord(Sim, FRecord);
}

void TVectorOutputs::Write(const TSimulation& Sim, std::ostream& Status) {
  if (!Any()) return;
  CaptureFigure(FRecord, Sim);
  std::vector<std::string> notes;
  for (const auto& [file, format] : {std::pair{FSVG, dfSVG}, std::pair{FPDF, dfPDF}}) {
    if (file.empty()) continue;
    const TExportResult r = ExportDrawingAs(FRecord, FOptions, file, format);
    Status << "wrote " << file << " (" << (format == dfSVG ? "SVG" : "PDF") << ", " << r.Paths << " paths, "
           << r.Segments << " segments)\n";
    notes = r.Notes;
  }
  for (const std::string& n : notes) Status << "note: " << n << "\n";
}

}  // namespace trochodraw::cli
