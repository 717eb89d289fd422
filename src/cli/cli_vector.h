#pragma once

#include <iosfwd>
#include <string>

#include "cli/cli_args.h"
#include "vector/export_options.h"
#include "vector/stroke_record.h"

namespace trochodraw {
class TSimulation;
}

namespace trochodraw::cli {

// The vector outputs of `render`: the strokes of the run as SVG and PDF drawings, as HPGL and
// G-code for a plotter, and the plot statistics.
class TVectorOutputs {
 public:
  static const char* const kUsage;

  // Takes Option (and its value) when it is one of ours; false when it is not.
  bool Parse(const std::string& Option, TArgs& Args);
  // After all options: throws EUsage for a combination that makes no drawing.
  void Check() const;
  bool Any() const { return !FSVG.empty() || !FPDF.empty() || !FHPGL.empty() || !FGCode.empty() || FStats; }
  // --stats writes to standard output.
  bool Stats() const { return FStats; }
  // Before the run: the record follows the simulation's strokes.
  void Attach(TSimulation& Sim);
  // After the run: writes the drawings and says on Status what it wrote, with the notes; the
  // statistics go to Data.
  void Write(const TSimulation& Sim, std::ostream& Status, std::ostream& Data);
  // The figure went through a mosaic: the drawing holds only the strokes, and says so.
  void MarkMosaic() { FRecord.MarkMosaic(); }

 private:
  std::string FSVG, FPDF, FHPGL, FGCode;
  bool FStats = false;
  bool FOnePeriod = false;
  TExportOptions FOptions;
  std::string FPlotterOnly;  // the first plotter option seen, named if nothing plots
  TStrokeRecord FRecord;
};

}  // namespace trochodraw::cli
