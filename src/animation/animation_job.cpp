#include "animation/animation_job.h"

#include <cmath>

#include "animation/frame_sampler.h"
#include "machine/figure_period.h"
#include "machine/figure_status.h"

namespace trochodraw {

TSpanTicks AnimationSpanTicks(const TTickSettings& Settings, TAnimationSpan Span, double Seconds, uint64_t MaxTicks) {
  TSpanTicks r;
  if (Span == TAnimationSpan::asRealTime) {
    r.Ticks = static_cast<uint64_t>(std::llround(std::max(0.0, Seconds) * 1000.0 / Settings.TimerInterval));
    r.Ok = true;
    r.Text = GroupedIntegerText(r.Ticks) + " ticks: the machine at its own pace";
    return r;
  }
  const TFigurePeriod p = FigurePeriod(Settings);
  if (!p.Moves) {
    r.Text = "Nothing moves: both wheel speeds are 0.";
    return r;
  }
  if (p.Exact && p.Ticks <= MaxTicks) {
    r.Ok = true;
    r.Ticks = p.Ticks;
    r.Text = "One whole figure: " + GroupedIntegerText(p.Ticks) + " ticks";
    return r;
  }
  const TNearClosure n = NearClosure(Settings, 0.5, MaxTicks);
  if (n.Found) {
    r.Ok = true;
    r.Ticks = n.Ticks;
    r.Text = "The figure looks closed after " + GroupedIntegerText(n.Ticks) + " ticks (its exact period is " +
             (p.Exact ? GroupedIntegerText(p.Ticks) + " ticks" : "beyond 10^18 ticks") + ")";
    return r;
  }
  r.Text = "The figure does not close within " + GroupedIntegerText(MaxTicks) + " ticks; choose a duration instead.";
  return r;
}

void StartFreshFigure(TSimulation& Sim, const TFigureStart& Start) {
  Sim.Settings = Start.Settings;
  Sim.Settings.Machine.MechanismWidth = Start.Mechanism.Width;
  Sim.MechanismImage = TBitmap(Start.Mechanism.Width, Start.Mechanism.Height);
  Sim.FigureImage = TBitmap(Start.Figure.Width, Start.Figure.Height);
  Sim.Initialise();
  Sim.BackColor = Start.BackColor;
  Sim.ClearFigure(false);
  Sim.PrevPoint = {0.0, 0.0};
  Sim.SetAngles(Start.Angles[0], Start.Angles[1], Start.Angles[2], Start.Angles[3]);
  Sim.RefreshMechanism();
}

TAnimationJob::TAnimationJob(const TFigureStart& Start) {
  FLines.Settings = Start.Lines;
  StartFreshFigure(FSim, Start);
}

TAnimationResult TAnimationJob::Write(uint64_t Ticks, const TAnimationOptions& Options, const std::string& FileName,
                                      const TAnimationProgress& Progress) {
  return WriteAnimation(FSim, Ticks, Options, FileName, Progress);
}

std::pair<TAnimationFrame, TAnimationFrame> TAnimationJob::FirstAndLast(uint64_t Ticks,
                                                                        const TAnimationOptions& Options,
                                                                        const std::function<bool()>& KeepGoing) {
  const TFrameSize natural = NaturalFrameSize(Options.Content, {FSim.FigureImage.Width(), FSim.FigureImage.Height()},
                                              {FSim.MechanismImage.Width(), FSim.MechanismImage.Height()});
  TFrameSampler sampler(FSim, Options.Content, AnimationFrameSize(Options, natural), {0, Ticks});
  std::pair<TAnimationFrame, TAnimationFrame> frames;
  sampler.Next(frames.first, KeepGoing);
  sampler.Next(frames.second, KeepGoing);
  sampler.Finish();
  return frames;
}

}  // namespace trochodraw
