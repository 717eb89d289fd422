#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace trochodraw {

// A choice that makes no animation, or an encoder that failed: one sentence for the user.
class EAnimationError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The run was cancelled; what was written is thrown away.
class EAnimationCancelled : public std::runtime_error {
 public:
  EAnimationCancelled() : std::runtime_error("The animation was cancelled") {}
};

enum class TAnimationFormat { afGIF, afWebP, afMP4 };
enum class TAnimationContent { acFigure, acFigureAndMechanism };

inline constexpr int kMinFps = 1;
inline constexpr int kMaxFps = 60;
// GIF delays are hundredths of a second, and players stretch delays under 2 of them.
inline constexpr int kMaxGifFps = 50;
inline constexpr int kMaxFrames = 100000;
inline constexpr int kMaxAnimationSide = 8192;
inline constexpr double kDefaultDurationSeconds = 10.0;

// What the user chose; the frame count and size follow from it and from the run.
struct TAnimationOptions {
  TAnimationFormat Format = TAnimationFormat::afGIF;
  TAnimationContent Content = TAnimationContent::acFigure;
  int Fps = 30;
  int Frames = 0;  // 0: Fps x Duration
  double DurationSeconds = kDefaultDurationSeconds;
  int Width = 0;     // 0: the natural width (the figure's, or the mechanism's and the figure's)
  int Quality = -1;  // WebP only: -1 lossless, 0..100 lossy at that quality
};

// The format that the file name's last extension names (.gif, .webp, .mp4 in any case);
// anything else is refused with a message that says which are taken.
TAnimationFormat AnimationFormatOf(const std::string& FileName);
const char* AnimationFormatName(TAnimationFormat Format);

// Frames = Fps x Duration (rounded, at least 2) unless Frames is given.
int AnimationFrameCount(const TAnimationOptions& Options);

// Throws EAnimationError for options no encoder takes (a GIF beyond 50 frames a second,
// a quality for a format other than WebP, a width out of range, ...).
void ValidateAnimationOptions(const TAnimationOptions& Options);

struct TFrameSize {
  int Width = 0, Height = 0;
};

// The frame's size before scaling: the figure alone, or the mechanism pane to the left of it.
TFrameSize NaturalFrameSize(TAnimationContent Content, TFrameSize Figure, TFrameSize Mechanism);
// The natural size scaled to Width (0: kept), the height following the aspect ratio; MP4
// takes even sides only, so both are rounded down to even there.
TFrameSize AnimationFrameSize(const TAnimationOptions& Options, TFrameSize Natural);

}  // namespace trochodraw
