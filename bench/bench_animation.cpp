// A 10-second, 30 frames a second, 640 x 480 animation of one whole figure in each format:
// the encoder's time (and its frames a second), the time of rendering the frames alone (the
// machine's run and the frames, no encoder), their ratio, and the file's size. Targets: every
// format encodes at least 60 frames a second; the GIF stays under 8 MB.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "animation/animation_job.h"
#include "animation/frame_sampler.h"
#include "animation/frame_schedule.h"

using namespace trochodraw;

namespace {

// A two-wheel figure of 12 000 ticks in a distance gradient: curves in many colours, spread
// over the frame, drawn over and across each other.
TFigureStart WholeFigure() {
  TFigureStart s;
  s.Settings.Machine = {75.06, 75.06, pmTwoWheel, amPantograph, 350};
  s.Settings.RPM1 = 25;
  s.Settings.RPM2 = 50.5;
  s.Settings.Scale = 2.0;
  s.Lines.Mode = lcDistance;
  s.Lines.PixelRange = 150;
  return s;
}

uint64_t Ticks(const TFigureStart& S) {
  return AnimationSpanTicks(S.Settings, TAnimationSpan::asWholeFigure, 10).Ticks;
}

// Rendering the 300 frames without an encoder.
void BM_RenderFramesOnly(benchmark::State& State) {
  const TFigureStart start = WholeFigure();
  const auto content = State.range(0) ? TAnimationContent::acFigureAndMechanism : TAnimationContent::acFigure;
  for (auto _ : State) {
    TAnimationJob job(start);
    TFrameSize size = NaturalFrameSize(content, start.Figure, start.Mechanism);
    TFrameSampler sampler(job.Simulation(), content, size, SpreadFrameTicks(Ticks(start), 300));
    TAnimationFrame f;
    while (sampler.Next(f)) benchmark::DoNotOptimize(f.Pixels.data());
  }
  State.SetLabel(State.range(0) ? "figure and mechanism" : "figure");
}

void BM_WriteAnimation(benchmark::State& State) {
  const TFigureStart start = WholeFigure();
  static const char* const kExt[] = {".gif", ".webp", ".mp4"};
  const std::string file =
      (std::filesystem::temp_directory_path() / ("trochodraw-bench-animation" + std::string(kExt[State.range(0)])))
          .string();
  TAnimationOptions o;
  o.Fps = 30;
  o.DurationSeconds = 10;
  o.Content = State.range(1) ? TAnimationContent::acFigureAndMechanism : TAnimationContent::acFigure;
  TAnimationResult r;
  for (auto _ : State) {
    TAnimationJob job(start);
    r = job.Write(Ticks(start), o, file);
    State.SetIterationTime(r.EncodeSeconds);
  }
  std::filesystem::remove(file);
  State.counters["frames"] = r.Frames;
  State.counters["encode_s"] = r.EncodeSeconds;
  State.counters["encode_fps"] = r.Frames / r.EncodeSeconds;
  State.counters["render_s"] = r.RenderSeconds;
  State.counters["encode/render"] = r.EncodeSeconds / r.RenderSeconds;
  State.counters["MB"] = static_cast<double>(r.Bytes) / (1024.0 * 1024.0);
  State.SetLabel(std::string(AnimationFormatName(r.Format)) + (State.range(1) ? " figure and mechanism" : " figure") +
                 ", " + std::to_string(r.Size.Width) + "x" + std::to_string(r.Size.Height));
}

}  // namespace

BENCHMARK(BM_RenderFramesOnly)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteAnimation)
    ->ArgsProduct({{0, 1, 2}, {0, 1}})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
