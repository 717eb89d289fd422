// The mosaic of a rendered figure at two sizes, and an undo level against a plain file
// write and read of the same bytes. Targets: at least 50 megapixels a second at 1600 × 1200;
// the 4000 × 3000 run at most 7 times the 1600 × 1200 run.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "colouring/bitmap_undo.h"
#include "colouring/mosaic.h"
#include "imagefiles/bmp_codec.h"
#include "imagefiles/file_io.h"
#include "bench_mobius.h"
#include "machine/simulation.h"

namespace trochodraw {
namespace {

constexpr int kTicks = 2000;

// The first built-in pattern, run with Accelerate at a scale that fills the figure alike
// at every size.
TBitmap RenderFigure(int W, int H) {
  TLineColoring lines;
  TSimulation sim(lines);
  SetUpMobius(sim, W, H, 2.0 * W / 640, true);
  for (int t = 0; t < kTicks; ++t) sim.Timer1Timer();
  return std::move(sim.FigureImage);
}

const TBitmap& Figure(int W, int H) {
  static std::map<std::pair<int, int>, TBitmap> figures;
  auto it = figures.find({W, H});
  if (it == figures.end()) it = figures.emplace(std::pair{W, H}, RenderFigure(W, H)).first;
  return it->second;
}

// Arguments: width, height, and whether the figure is 24-bit already (a second mosaic) or
// still in the device format (the first mosaic, which converts it).
void BM_Mosaic(benchmark::State& State, TMosaicColors Colors) {
  const int W = int(State.range(0)), H = int(State.range(1));
  TBitmap figure = Figure(W, H);
  if (State.range(2)) figure.SetPixelFormat(TPixelFormat::pf24bit);
  TColorBandPalette palette;
  palette.SetColorCount(dc32);
  palette.SetRange(0, W / 2.0);
  TMosaicRandom random(1);
  for (auto _ : State) {
    State.PauseTiming();
    TBitmap b = figure;
    State.ResumeTiming();
    MozaicImage(b, palette, {Colors, 0.6, clBlack}, random);
    benchmark::DoNotOptimize(b.Bits());
  }
  State.counters["Mpix/s"] = benchmark::Counter(W * double(H) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}
void MosaicSizes(benchmark::internal::Benchmark* B) {
  B->ArgNames({"w", "h", "24bit"});
  for (int f : {0, 1}) B->Args({1600, 1200, f})->Args({4000, 3000, f});
  B->Unit(benchmark::kMillisecond);
}
BENCHMARK_CAPTURE(BM_Mosaic, gradient, mcGradient)->Apply(MosaicSizes);
BENCHMARK_CAPTURE(BM_Mosaic, random, mcRandom)->Apply(MosaicSizes);

// The figure as the undo store meets it: device format before the first mosaic, 24-bit after.
TBitmap UndoFigure(bool TwentyFour) {
  TBitmap b = Figure(1600, 1200);
  if (TwentyFour) b.SetPixelFormat(TPixelFormat::pf24bit);
  return b;
}

void BM_UndoStore(benchmark::State& State) {
  const TBitmap b = UndoFigure(State.range(0));
  TBitmapUndo undo(100);
  for (auto _ : State) {
    undo.Store(b);
    State.PauseTiming();
    undo.DiscardNewest();
    State.ResumeTiming();
  }
}
BENCHMARK(BM_UndoStore)->ArgName("24bit")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_UndoRestore(benchmark::State& State) {
  const TBitmap b = UndoFigure(State.range(0));
  TBitmapUndo undo(100);
  TBitmap out;
  for (auto _ : State) {
    State.PauseTiming();
    undo.Store(b);
    State.ResumeTiming();
    undo.Restore(out);
  }
}
BENCHMARK(BM_UndoRestore)->ArgName("24bit")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

std::string PlainName() { return (std::filesystem::temp_directory_path() / "trochodraw-bench-plain.bmp").string(); }

void WritePlain(const std::string& Name, const std::vector<uint8_t>& Data) {
  const int fd = ::open(Name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0 || ::write(fd, Data.data(), Data.size()) != ssize_t(Data.size()) || ::close(fd) != 0)
    throw EImageError("Unable to write to " + Name);
}

void BM_PlainWrite(benchmark::State& State) {
  const std::vector<uint8_t> bytes = EncodeBMP(UndoFigure(State.range(0)));
  const std::string name = PlainName();
  for (auto _ : State) {
    WritePlain(name, bytes);
    State.PauseTiming();
    ::unlink(name.c_str());
    State.ResumeTiming();
  }
}
BENCHMARK(BM_PlainWrite)->ArgName("24bit")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_PlainRead(benchmark::State& State) {
  const std::vector<uint8_t> bytes = EncodeBMP(UndoFigure(State.range(0)));
  const std::string name = PlainName();
  WritePlain(name, bytes);
  for (auto _ : State) benchmark::DoNotOptimize(ReadWholeFile(name));
  ::unlink(name.c_str());
}
BENCHMARK(BM_PlainRead)->ArgName("24bit")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Keeps the console table and remembers each run's time for the comparison afterwards.
class TCollector : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& Runs) override {
    for (const Run& r : Runs) Times[r.benchmark_name()] = {r.GetAdjustedRealTime(), r.GetAdjustedCPUTime()};
    ConsoleReporter::ReportRuns(Runs);
  }
  std::map<std::string, std::pair<double, double>> Times;  // real and CPU milliseconds
};

}  // namespace
}  // namespace trochodraw

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  trochodraw::TCollector collector;
  benchmark::RunSpecifiedBenchmarks(&collector);
  // On a shared machine the processor time is the steadier figure; both are shown.
  std::printf("\nmosaic targets: >= 50 Mpix/s at 1600x1200, 4000x3000 <= 7x 1600x1200 (cpu / wall)\n");
  for (const char* format : {"0", "1"})
    for (const char* mode : {"gradient", "random"}) {
      const std::string base = std::string("BM_Mosaic/") + mode + "/";
      const auto small = collector.Times.find(base + "w:1600/h:1200/24bit:" + format);
      const auto large = collector.Times.find(base + "w:4000/h:3000/24bit:" + format);
      if (small == collector.Times.end() || large == collector.Times.end()) continue;
      const auto [sw, sc] = small->second;
      const auto [lw, lc] = large->second;
      std::printf(
          "  %-8s %-7s 1600x1200 %6.1f / %6.1f ms  %5.1f / %5.1f Mpix/s   4000x3000 %6.1f / %6.1f ms   "
          "ratio %.2f / %.2f\n",
          mode, *format == '0' ? "device" : "24-bit", sc, sw, 1920.0 / sc, 1920.0 / sw, lc, lw, lc / sc, lw / sw);
    }
  auto pair = [&](const char* a, const char* b, const char* label) {
    const auto x = collector.Times.find(a), y = collector.Times.find(b);
    if (x == collector.Times.end() || y == collector.Times.end()) return;
    std::printf("  %-34s %6.1f ms   plain %6.1f ms   (wall %6.1f / %6.1f)\n", label, x->second.second, y->second.second,
                x->second.first, y->second.first);
  };
  std::printf("\nundo of a 1600x1200 figure against a plain write/read of the same BMP bytes (cpu)\n");
  pair("BM_UndoStore/24bit:0", "BM_PlainWrite/24bit:0", "store, device (32-bit) figure");
  pair("BM_UndoStore/24bit:1", "BM_PlainWrite/24bit:1", "store, 24-bit figure");
  pair("BM_UndoRestore/24bit:0", "BM_PlainRead/24bit:0", "restore, device (32-bit) figure");
  pair("BM_UndoRestore/24bit:1", "BM_PlainRead/24bit:1", "restore, 24-bit figure");
  benchmark::Shutdown();
  return 0;
}
