#include "vector/export_drawing.h"

#include <algorithm>
#include <cctype>

#include "imagefiles/file_io.h"
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
  throw EDrawingError("Unknown drawing format: " + FileName + " (use .svg or .pdf)");
}

TExportResult ExportDrawing(const TStrokeRecord& Record, const TExportOptions& Options, const std::string& FileName) {
  return ExportDrawingAs(Record, Options, FileName, DrawingFormatOf(FileName));
}

TExportResult ExportDrawingAs(const TStrokeRecord& Record, const TExportOptions& Options, const std::string& FileName,
                              TDrawingFormat Format) {
  const TVectorDocument doc = BuildVectorDocument(Record, Options);
  std::vector<uint8_t> data;
  if (Format == dfPDF) {
    data = EncodePDF(doc);
  } else {
    const std::string svg = EncodeSVG(doc);
    data.assign(svg.begin(), svg.end());
  }
  WriteFileAtomically(FileName, data);
  TExportResult r;
  r.Paths = doc.PathCount();
  r.Segments = Record.SegmentCount();
  r.Bytes = data.size();
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
