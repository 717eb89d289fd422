// Complete figures: every built-in pattern's whole figure, and how close a headless run
// comes to the bare QPainter stroke floor of the same segments.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <chrono>
#include <vector>

#include "bench_mobius.h"
#include "machine/figure_period.h"
#include "machine/figure_runner.h"
#include "patterns/machine_settings.h"
#include "patterns/pattern.h"

using namespace trochodraw;

namespace {

// A pattern as the window applies it after start (the first pattern, then the chosen one: a
// spin keeps decimals it does not show), on a figure of Width x Height.
void SetUpPattern(TSimulation& Sim, const TPattern& P, int Width, int Height, bool Antialias) {
  TMachineSettings controls;
  controls.ApplyPattern(DefaultPatterns().front());
  controls.ApplyPattern(P);
  controls.ToTickSettings(Sim.Settings);
  Sim.Settings.Antialias = Antialias;
  Sim.MechanismImage = TBitmap(350, 400);
  Sim.FigureImage = TBitmap(Width, Height);
  Sim.Initialise();
  Sim.PrevPoint = {0.0, 0.0};
  Sim.SetAngles(controls.Angle1Spin.Value(), controls.Angle2Spin.Value(), controls.Angle1ASpin.Value(),
                controls.Angle2ASpin.Value());
}

void BM_BuiltInCompleteFigure(benchmark::State& state) {
  const TPattern& p = DefaultPatterns()[static_cast<size_t>(state.range(0))];
  state.SetLabel(p.Name);
  uint64_t ticks = 0;
  for (auto _ : state) {
    TLineColoring lc;
    TSimulation sim(lc);
    SetUpPattern(sim, p, 640, 480, true);
    ticks = FigurePeriod(sim.Settings).Ticks;
    TFigureRunner::Run(sim, ticks);
  }
  state.counters["ticks"] = static_cast<double>(ticks);
  state.counters["ticks/s"] = benchmark::Counter(static_cast<double>(ticks) * static_cast<double>(state.iterations()),
                                                 benchmark::Counter::kIsRate);
}
BENCHMARK(BM_BuiltInCompleteFigure)->DenseRange(0, 18)->Iterations(1)->Unit(benchmark::kMillisecond);

// A headless complete render at 1600 x 1200, antialiased, against the floor: the same segments
// through one open QPainter, timed in the same run.
void BM_CompleteRenderVsFloor(benchmark::State& state) {
  const TPattern& p = DefaultPatterns()[static_cast<size_t>(state.range(0))];
  state.SetLabel(p.Name);
  double runSeconds = 0, floorSeconds = 0;
  size_t segments = 0;
  for (auto _ : state) {
    TLineColoring lc;
    TSimulation sim(lc);
    SetUpPattern(sim, p, 1600, 1200, true);
    sim.Settings.Scale = 4;
    std::vector<QLineF> lines;
    sim.OnSegment = [&](TVector2 A, TVector2 B, const TLineStyle&, bool) { lines.emplace_back(A.X, A.Y, B.X, B.Y); };
    const uint64_t ticks = FigurePeriod(sim.Settings).Ticks;
    lines.reserve(ticks * 2);
    const auto t0 = std::chrono::steady_clock::now();
    TFigureRunner::Run(sim, ticks);
    const auto t1 = std::chrono::steady_clock::now();
    QImage img(1600, 1200, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
      QPainter painter(&img);
      painter.setRenderHint(QPainter::Antialiasing);
      painter.translate(0.5, 0.5);
      painter.setPen(QPen(Qt::black, 1.0, Qt::SolidLine, Qt::FlatCap));
      for (const QLineF& l : lines) painter.drawLine(l);
    }
    const auto t2 = std::chrono::steady_clock::now();
    runSeconds += std::chrono::duration<double>(t1 - t0).count();
    floorSeconds += std::chrono::duration<double>(t2 - t1).count();
    segments = lines.size();
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["segments"] = static_cast<double>(segments);
  state.counters["run_segments/s"] = static_cast<double>(segments) * n / runSeconds;
  state.counters["floor_segments/s"] = static_cast<double>(segments) * n / floorSeconds;
  state.counters["run/floor_time"] = runSeconds / floorSeconds;
}
// Cyclotrace-1 and Smile: long figures of many short segments.
BENCHMARK(BM_CompleteRenderVsFloor)->Arg(9)->Arg(14)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
