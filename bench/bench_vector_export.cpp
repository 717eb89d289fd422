// Exporting a drawing of 100 000 segments: SVG and PDF, figure and plotter mode, with the file
// sizes and the number of paths before and after joining.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "machine/simulation.h"
#include "vector/export_drawing.h"
#include "vector/plotter_layout.h"
#include "vector/svg_writer.h"
#include "vector/vector_document.h"

using namespace trochodraw;

namespace {

constexpr uint64_t kSegments = 100000;

// The program's first pattern ("Mobius"), accelerated, until the record holds 100 000
// segments; the pen is lifted every 40 ticks so that the drawing has pieces to order.
std::unique_ptr<TStrokeRecord> Draw(TLineColorMode Mode) {
  auto record = std::make_unique<TStrokeRecord>();
  TLineColoring lc;
  lc.Settings.Mode = Mode;
  TSimulation sim(lc);
  sim.Settings.Machine = {75.06, 75.06, pmOuterPlanet, amPantograph, 350};
  sim.Settings.RPM1 = sim.Settings.RPM2 = 77.6;
  sim.Settings.Scale = 2;
  sim.Settings.Accelerate = true;
  sim.MechanismImage = TBitmap(350, 400);
  sim.FigureImage = TBitmap(1024, 768);
  sim.Initialise();
  sim.SetAngles(18.5, 335.5, 284.7, 327.7);
  sim.Timer1Timer();  // from (0, 0) to the pen
  sim.ClearFigure(false);
  AttachStrokeRecord(sim, *record);
  for (int t = 1; record->SegmentCount() < kSegments; ++t) {
    sim.Timer1Timer();
    if (t % 40 == 0) sim.LiftPen();
  }
  CaptureFigure(*record, sim);
  return record;
}

const TStrokeRecord& Drawing(int Kind) {
  static std::map<int, std::unique_ptr<TStrokeRecord>> cache;
  auto& r = cache[Kind];
  if (!r) r = Draw(Kind == 0 ? lcSingle : lcStep);
  return *r;
}

const char* KindName(int Kind) { return Kind == 0 ? "single colour" : "step gradient"; }

std::string TempFile(const char* Ext) {
  return (std::filesystem::temp_directory_path() / (std::string("trochodraw-bench") + Ext)).string();
}

TExportOptions Options(bool Plotter) {
  TExportOptions o;
  o.Plotter = Plotter;
  return o;
}

// The whole export: layout, encoding and the atomic write.
void BM_Export(benchmark::State& state) {
  const int kind = static_cast<int>(state.range(0));
  const TDrawingFormat format = state.range(1) ? dfPDF : dfSVG;
  const bool plotter = state.range(2) != 0;
  const TStrokeRecord& r = Drawing(kind);
  const std::string file = TempFile(format == dfPDF ? ".pdf" : ".svg");
  TExportResult res;
  for (auto _ : state) res = ExportDrawingAs(r, Options(plotter), file, format);
  std::filesystem::remove(file);
  state.SetLabel(KindName(kind));
  state.counters["segments"] = static_cast<double>(r.SegmentCount());
  state.counters["paths"] = static_cast<double>(res.Paths);
  state.counters["bytes"] = static_cast<double>(res.Bytes);
  state.counters["bytes/seg"] = static_cast<double>(res.Bytes) / static_cast<double>(r.SegmentCount());
}
BENCHMARK(BM_Export)
    ->ArgNames({"gradient", "pdf", "plotter"})
    ->ArgsProduct({{0, 1}, {0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

void BM_EncodeSVG(benchmark::State& state) {
  const TStrokeRecord& r = Drawing(static_cast<int>(state.range(0)));
  const TVectorDocument doc = BuildVectorDocument(r, Options(false));
  size_t bytes = 0;
  for (auto _ : state) bytes = EncodeSVG(doc).size();
  state.SetLabel(KindName(static_cast<int>(state.range(0))));
  state.counters["bytes/seg"] = static_cast<double>(bytes) / static_cast<double>(r.SegmentCount());
}
BENCHMARK(BM_EncodeSVG)->ArgNames({"gradient"})->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void PrintSummary() {
  std::printf("\n%-14s %9s %10s %11s %9s %10s %10s %9s %10s %10s %12s %12s\n", "drawing", "segments", "polylines",
              "record B/seg", "SVG ms", "SVG bytes", "SVG B/seg", "PDF ms", "PDF bytes", "plot paths", "travel mm",
              "ordered mm");
  for (int kind : {0, 1}) {
    const TStrokeRecord& r = Drawing(kind);
    const double segs = static_cast<double>(r.SegmentCount());
    auto timed = [&](TDrawingFormat f, TExportResult& res) {
      const std::string file = TempFile(f == dfPDF ? ".pdf" : ".svg");
      double best = 1e9;
      for (int i = 0; i < 5; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        res = ExportDrawingAs(r, Options(false), file, f);
        best = std::min(best, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
      }
      std::filesystem::remove(file);
      return best;
    };
    TExportResult svg, pdf;
    const double svgMs = timed(dfSVG, svg), pdfMs = timed(dfPDF, pdf);
    TExportOptions inOrder = Options(true);
    inOrder.Reorder = false;
    const TVectorDocument drawn = BuildVectorDocument(r, inOrder), planned = BuildVectorDocument(r, Options(true));
    std::printf("%-14s %9.0f %10zu %11.1f %9.1f %10zu %10.1f %9.1f %10zu %10zu %12.0f %12.0f\n", KindName(kind), segs,
                r.PolylineCount(), static_cast<double>(r.MemoryBytes()) / segs, svgMs, svg.Bytes,
                static_cast<double>(svg.Bytes) / segs, pdfMs, pdf.Bytes, planned.PathCount(), PenUpTravel(drawn),
                PenUpTravel(planned));
  }
  std::printf("target: SVG under 250 ms and under 40 bytes per segment; paths before joining = segments\n");
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  PrintSummary();
  return 0;
}
