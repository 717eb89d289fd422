#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "animation/animation_options.h"
#include "machine/simulation.h"

namespace trochodraw {

struct TAnimationResult {
  TAnimationFormat Format = TAnimationFormat::afGIF;
  int Frames = 0;
  TFrameSize Size;
  uint64_t Ticks = 0;
  uint64_t Bytes = 0;
  double RenderSeconds = 0;  // running the machine and making the frames
  double EncodeSeconds = 0;  // the encoder alone
};

// Frames done so far and in all; answering false cancels (EAnimationCancelled).
using TAnimationProgress = std::function<bool(int Done, int Total)>;

// Runs Sim for Ticks ticks from where it stands and writes its animation to FileName, in the
// format the extension names: frames spread over the run, the first before the first tick,
// the last after the whole run. Throws EAnimationError for options or a file name that make
// no animation (before anything runs), EAnimationCancelled when Progress cancels, and
// EImageError when the file cannot be written; in each case no file is left behind and an
// existing file is as it was.
TAnimationResult WriteAnimation(TSimulation& Sim, uint64_t Ticks, const TAnimationOptions& Options,
                                const std::string& FileName, const TAnimationProgress& Progress = {});

// The options with the format of FileName, checked (EAnimationError).
TAnimationOptions CheckedAnimationOptions(const TAnimationOptions& Options, const std::string& FileName);

}  // namespace trochodraw
