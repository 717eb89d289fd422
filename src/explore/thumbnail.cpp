#include "explore/thumbnail.h"

#include <algorithm>
#include <cmath>

#include "explore/parallel_for.h"
#include "machine/figure_period.h"
#include "machine/figure_runner.h"
#include "patterns/machine_settings.h"

namespace trochodraw {

namespace {

constexpr double kNearTolerance = 0.5;
constexpr uint64_t kSliceTicks = 1000;

int Shrunk(int32_t Value, double Factor) { return static_cast<int>(std::lround(Value * Factor)); }

}  // namespace

TPatternMachine PatternMachine(const TPattern& P, int MechanismWidth) {
  TMachineSettings controls;
  controls.ApplyPattern(P);
  TPatternMachine m;
  controls.ToTickSettings(m.Settings);
  m.Settings.Machine.MechanismWidth = MechanismWidth;
  m.Angles[0] = controls.Angle1Spin.Value();
  m.Angles[1] = controls.Angle2Spin.Value();
  m.Angles[2] = controls.Angle1ASpin.Value();
  m.Angles[3] = controls.Angle2ASpin.Value();
  return m;
}

TFigureTicks ThumbnailTicks(const TTickSettings& Settings, uint64_t MaxTicks) {
  const TFigurePeriod period = FigurePeriod(Settings);
  if (!period.Moves) return {0, TFigureSpan::fsStill};
  if (period.Exact && period.Ticks <= MaxTicks) return {period.Ticks, TFigureSpan::fsWhole};
  const TNearClosure near = NearClosure(Settings, kNearTolerance, MaxTicks);
  if (near.Found && near.Ticks <= MaxTicks) return {near.Ticks, TFigureSpan::fsNearClosure};
  return {MaxTicks, TFigureSpan::fsBudget};
}

TThumbnail RenderThumbnail(const TPattern& P, const TThumbnailOptions& Options, const std::atomic<bool>* Cancel) {
  const TPatternMachine m = PatternMachine(P, Options.MechanismWidth);
  const double f = std::min(static_cast<double>(Options.Width) / std::max(Options.FigureWidth, 1),
                            static_cast<double>(Options.Height) / std::max(Options.FigureHeight, 1));
  TLineColoring lc;
  lc.Settings = Options.Lines;
  lc.Settings.PenWidth = std::max(1, Shrunk(Options.Lines.PenWidth, f));
  lc.Settings.PixelRange = Shrunk(Options.Lines.PixelRange, f);
  lc.Settings.PixelOffset = Shrunk(Options.Lines.PixelOffset, f);

  TThumbnail t;
  t.Figure = ThumbnailTicks(m.Settings, Options.MaxTicks);
  TSimulation sim(lc);
  sim.Settings = m.Settings;
  sim.Settings.Accelerate = false;
  sim.Settings.Antialias = Options.Antialias;
  sim.Settings.Scale *= f;
  sim.Settings.OffX *= f;
  sim.Settings.OffY *= f;
  // The mechanism is never drawn here: its circle sprites are cached for the one thread of
  // the window, and a thumbnail does not show it.
  sim.MechanismDrawing = false;
  sim.MechanismImage = TBitmap(1, 1);
  sim.FigureImage = TBitmap(Options.Width, Options.Height);
  sim.Initialise();
  sim.BackColor = Options.Background;
  sim.ClearFigure(false);
  sim.PrevPoint = {0.0, 0.0};
  sim.SetAngles(m.Angles[0], m.Angles[1], m.Angles[2], m.Angles[3]);

  TFigureRunner runner(sim, t.Figure.Ticks);
  while (!runner.Finished()) {
    if (Cancel && Cancel->load(std::memory_order_relaxed)) {
      t.Cancelled = true;
      break;
    }
    runner.RunSlice(kSliceTicks);
  }
  runner.Finish();
  t.TicksRun = runner.Done();
  t.Image = std::move(sim.FigureImage);
  return t;
}

std::vector<TThumbnail> RenderThumbnails(const TPatternArray& Patterns, const TThumbnailOptions& Options, int Threads) {
  std::vector<TThumbnail> out(Patterns.size());
  ParallelFor(Patterns.size(), Threads, [&](size_t i) { out[i] = RenderThumbnail(Patterns[i], Options); });
  return out;
}

}  // namespace trochodraw
