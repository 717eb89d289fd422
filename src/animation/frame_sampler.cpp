#include "animation/frame_sampler.h"

#include <algorithm>

#include "render/mechanism_view.h"

namespace trochodraw {

namespace {

// Ticks between two questions whether to go on.
constexpr uint64_t kTicksPerSlice = 2000;

}  // namespace

TFrameSampler::TFrameSampler(TSimulation& Sim, TAnimationContent Content, TFrameSize Size,
                             std::vector<uint64_t> FrameTicks)
    : FSim(Sim), FContent(Content), FSize(Size), FTicks(std::move(FrameTicks)) {
  const uint64_t total = FTicks.empty() ? 0 : *std::max_element(FTicks.begin(), FTicks.end());
  FRunner = std::make_unique<TFigureRunner>(FSim, total);
}

TFrameSampler::~TFrameSampler() = default;

TAnimationFrame TFrameSampler::Render() {
  const bool mechanism = FContent == TAnimationContent::acFigureAndMechanism;
  if (mechanism)
    DrawMechanism(FSim.MechanismImage, FSim.Machine, FSim.Settings.Machine.Mode, FSim.Settings.Machine.Mechanism);
  const TAnimationFrame natural = ComposeFrame(FSim.FigureImage, mechanism ? &FSim.MechanismImage : nullptr);
  return ScaleFrame(natural, FSize.Width, FSize.Height);
}

bool TFrameSampler::Next(TAnimationFrame& Frame, const std::function<bool()>& KeepGoing) {
  if (FNext >= FrameCount()) return false;
  const uint64_t target = FTicks[static_cast<size_t>(FNext)];
  while (FRunner->Done() < target) {
    FRunner->RunSlice(std::min(kTicksPerSlice, target - FRunner->Done()));
    if (FRunner->Done() < target && KeepGoing && !KeepGoing()) throw EAnimationCancelled();
  }
  Frame = Render();
  ++FNext;
  return true;
}

}  // namespace trochodraw
