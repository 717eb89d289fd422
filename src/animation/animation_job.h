#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "animation/animation_frame.h"
#include "animation/animation_writer.h"
#include "machine/simulation.h"
#include "render/line_coloring.h"

namespace trochodraw {

// Everything a run needs to start a fresh figure: copied from the program's settings, so that a
// worker thread can run its own machine while the window goes on with its own.
struct TFigureStart {
  TTickSettings Settings;
  TLineColorSettings Lines;
  TColor BackColor = clWhite;
  TFrameSize Figure{640, 480};
  TFrameSize Mechanism{350, 400};
  double Angles[4] = {0, 0, 0, 0};  // Wheel1, Wheel2, Planet1, Planet2 (the angle spins)
};

// How long the animation's run is: the machine's own pace for the animation's duration, or
// one whole figure spread over it.
enum class TAnimationSpan { asRealTime, asWholeFigure };

struct TSpanTicks {
  bool Ok = false;
  uint64_t Ticks = 0;
  std::string Text;  // what the run is, or why there is none, for the dialog
};

// The ticks of the span: Seconds of timer ticks, or the figure's exact period (its near closure
// within half a degree when the period is beyond MaxTicks).
TSpanTicks AnimationSpanTicks(const TTickSettings& Settings, TAnimationSpan Span, double Seconds,
                              uint64_t MaxTicks = 50'000'000);

// One animation (or its preview) from a fresh figure, on a machine of its own.
class TAnimationJob {
 public:
  explicit TAnimationJob(const TFigureStart& Start);
  TAnimationJob(const TAnimationJob&) = delete;
  TAnimationJob& operator=(const TAnimationJob&) = delete;

  TAnimationResult Write(uint64_t Ticks, const TAnimationOptions& Options, const std::string& FileName,
                         const TAnimationProgress& Progress = {});
  // The first frame (before the first tick) and the last (after Ticks ticks) as Write would
  // make them; KeepGoing false cancels (EAnimationCancelled).
  std::pair<TAnimationFrame, TAnimationFrame> FirstAndLast(uint64_t Ticks, const TAnimationOptions& Options,
                                                           const std::function<bool()>& KeepGoing = {});

  TSimulation& Simulation() { return FSim; }

 private:
  TLineColoring FLines;
  TSimulation FSim{FLines};
};

// Puts Sim at the start of a fresh figure, as `trochodraw-cli render` starts: the figure
// cleared to the background without a centre mark, the pen up, the wheels at the start angles.
void StartFreshFigure(TSimulation& Sim, const TFigureStart& Start);

}  // namespace trochodraw
