#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "animation/animation_frame.h"
#include "animation/animation_options.h"
#include "machine/figure_runner.h"
#include "machine/simulation.h"

namespace trochodraw {

// Takes the frames of an animation from a headless run: the machine runs (through the figure
// runner: same strokes as the timer's ticks) up to each frame's tick, and the frame shows the
// figure, or the mechanism as it stands then beside the figure, scaled to the frame size.
class TFrameSampler {
 public:
  TFrameSampler(TSimulation& Sim, TAnimationContent Content, TFrameSize Size, std::vector<uint64_t> FrameTicks);
  ~TFrameSampler();

  int FrameCount() const { return static_cast<int>(FTicks.size()); }
  int FramesDone() const { return FNext; }
  uint64_t TicksRun() const { return FRunner->Done(); }
  // Runs to the next frame and renders it; false when every frame was taken. KeepGoing is asked
  // between slices of ticks (a frame may be many ticks away) and cancels with
  // EAnimationCancelled when it answers false.
  bool Next(TAnimationFrame& Frame, const std::function<bool()>& KeepGoing = {});
  // The frame of the machine as it stands, without running.
  TAnimationFrame Render();
  // Ends the run: the mechanism pane shows the machine as it stands (as after any run).
  void Finish() { FRunner->Finish(); }

 private:
  TSimulation& FSim;
  TAnimationContent FContent;
  TFrameSize FSize;
  std::vector<uint64_t> FTicks;
  std::unique_ptr<TFigureRunner> FRunner;
  int FNext = 0;
};

}  // namespace trochodraw
