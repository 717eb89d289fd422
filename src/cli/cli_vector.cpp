#include "cli/cli_vector.h"

#include <ostream>

#include "machine/simulation.h"
#include "vector/export_drawing.h"

namespace trochodraw::cli {

const char* const TVectorOutputs::kUsage =
    "  --svg FILE  --pdf FILE         write the strokes as an SVG or PDF drawing (with or without -o)\n"
    "  --hpgl FILE  --gcode FILE      write them for a pen plotter as HPGL or G-code (always on a\n"
    "                                 plotter page; --page, --margin and --simplify apply)\n"
    "  --stats                        print the plot statistics on standard output: paths, pen-lifts,\n"
    "                                 pauses, drawn-mm, travel-mm, plot-seconds\n"
    "  --plotter                      vector drawing for a pen plotter: no background, fitted on a page,\n"
    "                                 paths ordered and joined, one layer per pen colour\n"
    "  --page A4|A3|Letter|WxHmm      plotter page (default A4; named sizes turn to suit the drawing)\n"
    "  --margin MM                    plotter page margin (default 10)\n"
    "  --simplify MM                  plotter path simplification tolerance (default 0: none)\n"
    "  --reink-after MM               stop to re-ink the pen after drawing this far (default: never)\n"
    "  --pen-speed MM/S               pen-down speed for the plot time and G-code feed (default 25)\n"
    "  --travel-speed MM/S            pen-up speed (default 75)\n"
    "  --pen-up CMD  --pen-down CMD   G-code that lifts and lowers the pen (default M3 S0, M3 S1000)\n"
    "  --one-period                   vector outputs hold one period of the figure when the run is\n"
    "                                 longer (no line plotted twice)\n";

bool TVectorOutputs::Parse(const std::string& Option, TArgs& Args) {
  const auto plotterOnly = [&] {
    if (FPlotterOnly.empty()) FPlotterOnly = Option;
  };
  if (Option == "--svg") {
    FSVG = Args.Value(Option);
  } else if (Option == "--pdf") {
    FPDF = Args.Value(Option);
  } else if (Option == "--hpgl") {
    FHPGL = Args.Value(Option);
  } else if (Option == "--gcode") {
    FGCode = Args.Value(Option);
  } else if (Option == "--stats") {
    FStats = true;
  } else if (Option == "--one-period") {
    FOnePeriod = true;
  } else if (Option == "--plotter") {
    FOptions.Plotter = true;
  } else if (Option == "--page") {
    const std::string v = Args.Value(Option);
    try {
      FOptions.Page = ParsePageSize(v);
    } catch (const EDrawingError& e) {
      throw EUsage("option --page: " + std::string(e.what()));
    }
    plotterOnly();
  } else if (Option == "--margin") {
    FOptions.MarginMM = Args.Real(Option, 0, 1000);
    plotterOnly();
  } else if (Option == "--simplify") {
    FOptions.SimplifyMM = Args.Real(Option, 0, 100);
    plotterOnly();
  } else if (Option == "--reink-after") {
    FOptions.ReinkAfterMM = Args.Real(Option, kReinkMinMM, kReinkMaxMM);
    plotterOnly();
  } else if (Option == "--pen-speed") {
    FOptions.Motion.PenSpeed = Args.Real(Option, kSlowestMMPerS, kFastestMMPerS);
    plotterOnly();
  } else if (Option == "--travel-speed") {
    FOptions.Motion.TravelSpeed = Args.Real(Option, kSlowestMMPerS, kFastestMMPerS);
    plotterOnly();
  } else if (Option == "--pen-up") {
    FOptions.Motion.PenUp = Args.Value(Option);
    plotterOnly();
  } else if (Option == "--pen-down") {
    FOptions.Motion.PenDown = Args.Value(Option);
    plotterOnly();
  } else {
    return false;
  }
  return true;
}

void TVectorOutputs::Check() const {
  const bool plots = FOptions.Plotter || !FHPGL.empty() || !FGCode.empty() || FStats;
  if (!FPlotterOnly.empty() && !plots)
    throw EUsage("option " + FPlotterOnly + " needs --plotter, --hpgl, --gcode or --stats");
  if (FOptions.Plotter && FSVG.empty() && FPDF.empty()) throw EUsage("option --plotter needs --svg FILE or --pdf FILE");
  if (FOnePeriod && !Any()) throw EUsage("option --one-period needs a vector output or --stats");
  try {
    TExportOptions o = FOptions;
    o.Plotter = plots;
    ValidateExportOptions(o);
  } catch (const EDrawingError& e) {
    throw EUsage(e.what());
  }
}

void TVectorOutputs::Attach(TSimulation& Sim) {
  if (Any()) AttachStrokeRecord(Sim, FRecord);
}

void TVectorOutputs::Write(const TSimulation& Sim, std::ostream& Status, std::ostream& Data) {
  if (!Any()) return;
  CaptureFigure(FRecord, Sim);
  TExportOptions options = FOptions;
  if (FOnePeriod) {
    const TPeriodCut cut = PeriodCutOf(FRecord, Sim.Settings);
    if (cut.Longer()) {
      options.KeepTicks = cut.PeriodTicks;
      Status << "keeping one period: " << cut.PeriodTicks << " of " << cut.RecordedTicks << " ticks\n";
    } else if (cut.Exact) {
      Status << "note: the run (" << cut.RecordedTicks << " ticks) is no longer than one period (" << cut.PeriodTicks
             << " ticks): all of it kept\n";
    } else {
      Status << "note: the figure has no period to cut to: all of the run kept\n";
    }
  }
  std::vector<std::string> notes;
  for (const auto& [file, format] :
       {std::pair{FSVG, dfSVG}, std::pair{FPDF, dfPDF}, std::pair{FHPGL, dfHPGL}, std::pair{FGCode, dfGCode}}) {
    if (file.empty()) continue;
    const TExportResult r = ExportDrawingAs(FRecord, options, file, format);
    Status << "wrote " << file << " (" << DrawingFormatName(format) << ", " << r.Paths << " paths, " << r.Segments
           << " segments)\n";
    notes = r.Notes;
  }
  for (const std::string& n : notes) Status << "note: " << n << "\n";
  if (FStats) Data << PlotStatisticsText(EstimatePlot(FRecord, options)) << std::flush;
}

}  // namespace trochodraw::cli
