#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>

#include "animation/animation_options.h"
#include "cli/cli_args.h"

namespace trochodraw {
class TSimulation;
}

namespace trochodraw::cli {

// The animation output of `render`: the machine drawing the run's figure, as GIF, WebP or MP4.
class TAnimationOutputs {
 public:
  static const char* const kUsage;

  // Takes Option (and its value) when it is one of ours; false when it is not.
  bool Parse(const std::string& Option, TArgs& Args);
  // After all options: throws EUsage for options that make no animation.
  void Check();
  bool Any() const { return !FFile.empty(); }
  // Runs Sim for Ticks ticks, taking the frames on the way, and writes the file. Progress is
  // told the frames done and in all.
  void Run(TSimulation& Sim, uint64_t Ticks, const std::function<void(uint64_t, uint64_t)>& Progress);
  // Says what was written.
  void Report(std::ostream& Status) const;

 private:
  std::string FFile;
  TAnimationOptions FOptions;
  bool FFps = false, FDuration = false, FFrames = false;
  std::string FOnlyWithAnimate;  // the first animation option seen, named if --animate is missing
  std::string FReport;
};

}  // namespace trochodraw::cli
