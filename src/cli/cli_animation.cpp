#include "cli/cli_animation.h"

#include <cmath>
#include <ostream>
#include <sstream>

#include "animation/animation_writer.h"

namespace trochodraw::cli {

const char* const TAnimationOutputs::kUsage =
    "  --animate FILE                 also write the machine drawing the run as an animation: .gif,\n"
    "                                 .webp or .mp4 (H.264); the frames cover the --ticks run, or one\n"
    "                                 whole figure with --complete; the first frame is the machine\n"
    "                                 before its first tick, the last the finished figure\n"
    "  --fps N                        frames a second (default 30; GIF at most 50)\n"
    "  --duration SECONDS             how long the animation plays (default 10): frames = fps x duration\n"
    "  --frames N                     the number of frames (with --duration and without --fps, the\n"
    "                                 frame rate follows from both)\n"
    "  --with-mechanism               show the mechanism pane to the left of the figure\n"
    "  --animation-width PX           scale the frames to this width (default: their own)\n"
    "  --quality Q                    lossy WebP at quality 0 to 100 (default: lossless)\n";

bool TAnimationOutputs::Parse(const std::string& Option, TArgs& Args) {
  if (Option == "--animate") {
    FFile = Args.Value(Option);
    return true;
  }
  if (Option == "--fps") {
    FOptions.Fps = static_cast<int>(Args.Integer(Option, kMinFps, kMaxFps));
    FFps = true;
  } else if (Option == "--duration") {
    FOptions.DurationSeconds = Args.Real(Option, 0.01, 3600);
    FDuration = true;
  } else if (Option == "--frames") {
    FOptions.Frames = static_cast<int>(Args.Integer(Option, 1, kMaxFrames));
    FFrames = true;
  } else if (Option == "--with-mechanism") {
    FOptions.Content = TAnimationContent::acFigureAndMechanism;
  } else if (Option == "--animation-width") {
    FOptions.Width = static_cast<int>(Args.Integer(Option, 2, kMaxAnimationSide));
  } else if (Option == "--quality") {
    FOptions.Quality = static_cast<int>(Args.Integer(Option, 0, 100));
  } else {
    return false;
  }
  if (FOnlyWithAnimate.empty()) FOnlyWithAnimate = Option;
  return true;
}

void TAnimationOutputs::Check() {
  if (!Any()) {
    if (!FOnlyWithAnimate.empty()) throw EUsage("option " + FOnlyWithAnimate + " needs --animate FILE");
    return;
  }
  if (FFrames && FDuration) {
    const double fps = FOptions.Frames / FOptions.DurationSeconds;
    if (FFps) {
      if (std::lround(FOptions.Fps * FOptions.DurationSeconds) != FOptions.Frames)
        throw EUsage("--frames, --duration and --fps disagree: give two of them");
    } else {
      if (std::lround(fps) < kMinFps || std::lround(fps) > kMaxFps)
        throw EUsage("--frames over --duration make " + std::to_string(fps) + " frames a second; the rate must be " +
                     std::to_string(kMinFps) + " to " + std::to_string(kMaxFps));
      FOptions.Fps = static_cast<int>(std::lround(fps));
    }
  }
  if (!FFrames) FOptions.Frames = 0;
  try {
    FOptions = CheckedAnimationOptions(FOptions, FFile);
  } catch (const EAnimationError& e) {
    throw EUsage(std::string("--animate: ") + e.what());
  }
}

void TAnimationOutputs::Run(TSimulation& Sim, uint64_t Ticks, const std::function<void(uint64_t, uint64_t)>& Progress) {
  const TAnimationResult r = WriteAnimation(Sim, Ticks, FOptions, FFile, [&](int Done, int Total) {
    if (Progress) Progress(static_cast<uint64_t>(Done), static_cast<uint64_t>(Total));
    return true;
  });
  std::ostringstream s;
  s << "wrote " << FFile << " (" << AnimationFormatName(r.Format) << ", " << r.Frames << " frames, " << r.Size.Width
    << "x" << r.Size.Height << ", " << FOptions.Fps << " fps, " << r.Ticks << " ticks, " << r.Bytes << " bytes)\n";
  FReport = s.str();
}

void TAnimationOutputs::Report(std::ostream& Status) const { Status << FReport; }

}  // namespace trochodraw::cli
