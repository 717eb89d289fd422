#include "animation/animation_writer.h"

#include <chrono>

#include "animation/animation_encoder.h"
#include "animation/frame_sampler.h"
#include "animation/frame_schedule.h"

namespace trochodraw {

namespace {

double Since(std::chrono::steady_clock::time_point Start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
}

}  // namespace

TAnimationOptions CheckedAnimationOptions(const TAnimationOptions& Options, const std::string& FileName) {
  TAnimationOptions o = Options;
  o.Format = AnimationFormatOf(FileName);
  ValidateAnimationOptions(o);
  return o;
}

TAnimationResult WriteAnimation(TSimulation& Sim, uint64_t Ticks, const TAnimationOptions& Options,
                                const std::string& FileName, const TAnimationProgress& Progress) {
  const TAnimationOptions o = CheckedAnimationOptions(Options, FileName);
  TAnimationResult result;
  result.Format = o.Format;
  result.Frames = AnimationFrameCount(o);
  result.Ticks = Ticks;
  const TFrameSize natural = NaturalFrameSize(o.Content, {Sim.FigureImage.Width(), Sim.FigureImage.Height()},
                                              {Sim.MechanismImage.Width(), Sim.MechanismImage.Height()});
  result.Size = AnimationFrameSize(o, natural);

  TEncoderSettings es;
  es.Format = o.Format;
  es.Width = result.Size.Width;
  es.Height = result.Size.Height;
  es.Fps = o.Fps;
  es.Frames = result.Frames;
  es.Quality = o.Quality;
  auto clock = std::chrono::steady_clock::now();
  auto encoder = CreateAnimationEncoder(es, FileName);
  result.EncodeSeconds += Since(clock);

  TFrameSampler sampler(Sim, o.Content, result.Size, SpreadFrameTicks(Ticks, result.Frames));
  const std::function<bool()> keepGoing = [&] { return !Progress || Progress(sampler.FramesDone(), result.Frames); };
  TAnimationFrame frame;
  for (;;) {
    clock = std::chrono::steady_clock::now();
    const bool more = sampler.Next(frame, keepGoing);
    result.RenderSeconds += Since(clock);
    if (!more) break;
    clock = std::chrono::steady_clock::now();
    encoder->AddFrame(frame);
    result.EncodeSeconds += Since(clock);
    if (Progress && !Progress(sampler.FramesDone(), result.Frames)) throw EAnimationCancelled();
  }
  sampler.Finish();
  clock = std::chrono::steady_clock::now();
  encoder->Finish();
  result.EncodeSeconds += Since(clock);
  result.Bytes = encoder->FileSize();
  return result;
}

}  // namespace trochodraw
