// The Explorer's library: the 19 built-in thumbnails at 200 x 150 (each at most 100,000 ticks),
// on one thread and on every core, timed in the same run (target: under 2 s on two cores).
#include <benchmark/benchmark.h>

#include <chrono>
#include <thread>

#include "explore/thumbnail.h"
#include "patterns/pattern.h"

using namespace trochodraw;

namespace {

double Seconds(int Threads, uint64_t& Ticks) {
  TThumbnailOptions o;  // 200 x 150, 100,000 ticks at most
  const auto t0 = std::chrono::steady_clock::now();
  const auto pictures = RenderThumbnails(DefaultPatterns(), o, Threads);
  const auto t1 = std::chrono::steady_clock::now();
  Ticks = 0;
  for (const TThumbnail& t : pictures) Ticks += t.TicksRun;
  return std::chrono::duration<double>(t1 - t0).count();
}

void BM_LibraryThumbnails(benchmark::State& State) {
  const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  double one = 0, all = 0;
  uint64_t ticks = 0;
  for (auto _ : State) {
    one += Seconds(1, ticks);
    all += Seconds(cores, ticks);
  }
  const double n = static_cast<double>(State.iterations());
  State.counters["cores"] = cores;
  State.counters["ticks"] = static_cast<double>(ticks);
  State.counters["one_thread_s"] = one / n;
  State.counters["all_cores_s"] = all / n;
  State.counters["speedup"] = one / all;
}
BENCHMARK(BM_LibraryThumbnails)->Iterations(3)->Unit(benchmark::kMillisecond);

// One thumbnail per built-in pattern, with the ticks it takes.
void BM_Thumbnail(benchmark::State& State) {
  const TPattern& p = DefaultPatterns()[static_cast<size_t>(State.range(0))];
  State.SetLabel(p.Name);
  uint64_t ticks = 0;
  for (auto _ : State) ticks = RenderThumbnail(p, TThumbnailOptions{}).TicksRun;
  State.counters["ticks"] = static_cast<double>(ticks);
}
BENCHMARK(BM_Thumbnail)->DenseRange(0, 18)->Iterations(2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
