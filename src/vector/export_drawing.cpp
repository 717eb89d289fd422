#include "vector/export_drawing.h"

#include <algorithm>
#include <cctype>

#include "imagefiles/file_io.h"
#include "machine/figure_period.h"
#include "vector/gcode_writer.h"
#include "vector/hpgl_writer.h"
#include "vector/pdf_writer.h"
#include "vector/svg_writer.h"
#include "vector/vector_document.h"

namespace trochodraw {

TDrawingFormat DrawingFormatOf(const std::string& FileName) {
  const auto dot = FileName.find_last_of('.');
  const auto slash = FileName.find_last_of('/');
  std::string ext = dot == std::string::npos || (slash != std::string::npos && dot < slash) ? "" : FileName.substr(dot);
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (ext == ".svg") return dfSVG;
  if (ext == ".pdf") return dfPDF;
  if (ext == ".hpgl" || ext == ".plt") return dfHPGL;
  if (ext == ".gcode" || ext == ".nc") return dfGCode;
  throw EDrawingError("Unknown drawing format: " + FileName + " (use .svg, .pdf, .hpgl, .plt, .gcode or .nc)");
}

const char* DrawingFormatName(TDrawingFormat Format) {
  switch (Format) {
    case dfPDF:
      return "PDF";
    case dfHPGL:
      return "HPGL";
    case dfGCode:
      return "G-code";
    default:
      return "SVG";
  }
}

TPeriodCut PeriodCutOf(const TStrokeRecord& Record, const TTickSettings& Settings) {
  const TFigurePeriod period = FigurePeriod(Settings);
  TPeriodCut cut;
  cut.Exact = period.Moves && period.Exact && period.Ticks > 0;
  cut.PeriodTicks = period.Ticks;
  cut.RecordedTicks = Record.TicksRecorded();
  return cut;
}

TPlotStatistics EstimatePlot(const TStrokeRecord& Record, const TExportOptions& Options) {
  TExportOptions o = Options;
  o.Plotter = true;
  ValidateExportOptions(o);
  return PlotStatistics(BuildVectorDocument(Record, o), o.Motion);
}

TExportResult ExportDrawing(const TStrokeRecord& Record, const TExportOptions& Options, const std::string& FileName) {
  return ExportDrawingAs(Record, Options, FileName, DrawingFormatOf(FileName));
}

TExportResult ExportDrawingAs(const TStrokeRecord& Record, const TExportOptions& Options, const std::string& FileName,
                              TDrawingFormat Format) {
  TExportOptions options = Options;
  if (IsMachineFormat(Format)) options.Plotter = true;
  ValidateExportOptions(options);
  const TVectorDocument doc = BuildVectorDocument(Record, options);
  std::vector<uint8_t> data;
  if (Format == dfPDF) {
    data = EncodePDF(doc);
  } else {
    const std::string text = Format == dfHPGL    ? EncodeHPGL(doc)
                             : Format == dfGCode ? EncodeGCode(doc, options.Motion)
                                                 : EncodeSVG(doc);
    data.assign(text.begin(), text.end());
  }
  WriteFileAtomically(FileName, data);
  TExportResult r;
  r.Paths = doc.PathCount();
  r.Segments = Record.SegmentCount();
  if (options.KeepTicks) {
    // The segments of the part kept, less those that drew nothing (not stored).
    const TStrokeRecord::TPrefix kept = Record.PrefixOfTicks(options.KeepTicks);
    uint64_t segments = 0;
    for (size_t i = 0; i < kept.Polylines; ++i) {
      const TPolyline& p = Record.Polyline(i);
      segments += std::min<size_t>(p.Count, kept.Points - p.First) - 1;
    }
    r.Segments = std::min<uint64_t>(segments, r.Segments);
  }
  r.Bytes = data.size();
  if (options.Plotter) {
    r.Plotted = true;
    r.Stats = PlotStatistics(doc, options.Motion);
  }
  if (Record.MosaicSinceClear()) r.Notes.push_back(kMosaicNote);
  if (!Record.Complete())
    r.Notes.push_back("The record was full: the drawing holds only the first " + std::to_string(Record.SegmentCount()) +
                      " segments.");
  if (r.Paths == 0) r.Notes.push_back(kNoStrokesNote);
  // A gradient gives a plotter a pen change for every shade.
  if (doc.Layered && doc.Layers.size() > kManyPens)
    r.Notes.push_back("The drawing has " + std::to_string(doc.Layers.size()) + " pen colours, each a layer of its own.");
  return r;
}

}  // namespace trochodraw
