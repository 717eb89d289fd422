// Ticks per second of the full tick, and the stroke pipeline against a bare QPainter loop.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <vector>

#include "bench_mobius.h"
#include "machine/simulation.h"
#include "render/drawing_surface.h"
#include "render/mechanism_view.h"

using namespace trochodraw;

namespace {

void BM_Tick(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = w * 3 / 4;
  TLineColoring lc;
  TSimulation sim(lc);
  SetUpMobius(sim, w, h, 2.0, state.range(1) != 0, state.range(2) != 0);
  sim.Timer1Timer();  // the first tick starts from (0, 0)
  int64_t segments = 0;
  sim.OnSubStep = [&](int, int, bool drawn) { segments += drawn; };
  for (auto _ : state) sim.Timer1Timer();
  state.counters["ticks/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["segments/tick"] = static_cast<double>(segments) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_Tick)
    ->ArgNames({"width", "accelerate", "antialias"})
    ->ArgsProduct({{640, 1600}, {0, 1}, {1, 0}})
    ->Unit(benchmark::kMicrosecond);

// The segments one accelerated run draws, to replay through both pipelines.
std::vector<std::pair<TVector2, TVector2>> RecordSegments(int w, int h) {
  TLineColoring lc;
  TSimulation sim(lc);
  SetUpMobius(sim, w, h, 2.0, true, true);
  sim.Timer1Timer();
  std::vector<std::pair<TVector2, TVector2>> segs;
  TVector2 prev = sim.PrevPoint;
  sim.OnSubStep = [&](int, int, bool drawn) {
    if (drawn) segs.emplace_back(prev, sim.PrevPoint);
    prev = sim.PrevPoint;
  };
  for (int i = 0; i < 300; ++i) sim.Timer1Timer();
  return segs;
}

void BM_StrokePipeline(benchmark::State& state) {
  const auto segs = RecordSegments(1600, 1200);
  TBitmap fig(1600, 1200);
  TLineColoring lc;
  const TLineColorContext ctx{1600, 1200, 0, 0, 0, 0};
  for (auto _ : state) {
    for (const auto& s : segs) {
      const TLineStyle st = lc.GetLineColor(s.second, ctx);
      TGDPCanvas g(fig);
      g.SetSmoothingMode(5);
      g.SetPenColor(ColorToARGB(st.Color));
      g.SetPenWidth(st.Width);
      g.DrawLine(s.first, s.second);
    }
  }
  state.counters["segments/s"] = benchmark::Counter(static_cast<double>(state.iterations() * segs.size()),
                                                    benchmark::Counter::kIsRate);
}
BENCHMARK(BM_StrokePipeline)->Unit(benchmark::kMillisecond);

// The floor: the same segments through one open QPainter and drawLine alone.
void BM_StrokeFloor(benchmark::State& state) {
  const auto segs = RecordSegments(1600, 1200);
  QImage img(1600, 1200, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.translate(0.5, 0.5);
  p.setPen(QPen(Qt::black, 1.0, Qt::SolidLine, Qt::FlatCap));
  for (auto _ : state)
    for (const auto& s : segs) p.drawLine(QLineF(s.first.X, s.first.Y, s.second.X, s.second.Y));
  state.counters["segments/s"] = benchmark::Counter(static_cast<double>(state.iterations() * segs.size()),
                                                    benchmark::Counter::kIsRate);
}
BENCHMARK(BM_StrokeFloor)->Unit(benchmark::kMillisecond);

// The parts of a tick on their own.
void BM_SolveMachine(benchmark::State& state) {
  TMachine m;
  TMachineInputs in{75.06, 75.06, pmOuterPlanet, amPantograph, 350};
  m.Initialise(in);
  for (auto _ : state) benchmark::DoNotOptimize(m.SolveMachine(in, 0.1, 0.1));
}
BENCHMARK(BM_SolveMachine);

void BM_DrawMechanism(benchmark::State& state) {
  TMachine m;
  TMachineInputs in{75.06, 75.06, pmOuterPlanet, amPantograph, 350};
  m.Initialise(in);
  m.SolveMachine(in, 0, 0);
  TBitmap pane(350, 400);
  for (auto _ : state) DrawMechanism(pane, m, pmOuterPlanet, amPantograph);
}
BENCHMARK(BM_DrawMechanism)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
