// Loading and saving a pattern library of 1000 patterns.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "patterns/pattern_file.h"

using namespace trochodraw;

namespace {

constexpr int kPatterns = 1000;

TPatternArray Library() {
  TPatternArray list;
  for (int i = 0; i < kPatterns; ++i) {
    TPattern p = DefaultPatterns()[static_cast<size_t>(i) % DefaultPatterns().size()];
    p.Name += " " + std::to_string(i);
    p.Angle1 = i * 0.37;  // numbers of varied length
    list.push_back(p);
  }
  return list;
}

std::string TempFile(const char* Name) {
  return (std::filesystem::temp_directory_path() / (std::string(Name) + std::to_string(::getpid()) + ".ini")).string();
}

void BM_LoadPatterns(benchmark::State& State) {
  const std::string file = TempFile("bench-load-");
  SavePatterns(Library(), file, {});
  TPatternArray list;
  for (auto _ : State) benchmark::DoNotOptimize(LoadPatterns(list, file, {}));
  State.counters["patterns/s"] = benchmark::Counter(double(kPatterns), benchmark::Counter::kIsIterationInvariantRate);
  State.counters["file KiB"] = double(std::filesystem::file_size(file)) / 1024.0;
  std::filesystem::remove(file);
}
BENCHMARK(BM_LoadPatterns)->Unit(benchmark::kMillisecond);

// Over an existing file of the same length: every key is replaced in place.
void BM_SavePatternsOverExisting(benchmark::State& State) {
  const std::string file = TempFile("bench-save-");
  const TPatternArray list = Library();
  SavePatterns(list, file, {});
  for (auto _ : State) SavePatterns(list, file, {});
  State.counters["patterns/s"] = benchmark::Counter(double(kPatterns), benchmark::Counter::kIsIterationInvariantRate);
  std::filesystem::remove(file);
}
BENCHMARK(BM_SavePatternsOverExisting)->Unit(benchmark::kMillisecond);

// A first save: every key is new to the file.
void BM_SavePatternsFresh(benchmark::State& State) {
  const std::string file = TempFile("bench-fresh-");
  const TPatternArray list = Library();
  for (auto _ : State) {
    State.PauseTiming();
    std::filesystem::remove(file);
    State.ResumeTiming();
    SavePatterns(list, file, {});
  }
  State.counters["patterns/s"] = benchmark::Counter(double(kPatterns), benchmark::Counter::kIsIterationInvariantRate);
  std::filesystem::remove(file);
}
BENCHMARK(BM_SavePatternsFresh)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
