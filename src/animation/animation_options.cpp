#include "animation/animation_options.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace trochodraw {

TAnimationFormat AnimationFormatOf(const std::string& FileName) {
  const auto slash = FileName.find_last_of('/');
  const std::string name = slash == std::string::npos ? FileName : FileName.substr(slash + 1);
  const auto dot = name.find_last_of('.');
  std::string ext = dot == std::string::npos ? "" : name.substr(dot + 1);
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  if (ext == "gif") return TAnimationFormat::afGIF;
  if (ext == "webp") return TAnimationFormat::afWebP;
  if (ext == "mp4") return TAnimationFormat::afMP4;
  const std::string what = ext.empty() ? std::string("A file name without an extension") : "The extension ." + ext;
  throw EAnimationError(what + " names no animation format: use .gif, .webp or .mp4");
}

const char* AnimationFormatName(TAnimationFormat Format) {
  switch (Format) {
    case TAnimationFormat::afGIF:
      return "GIF";
    case TAnimationFormat::afWebP:
      return "WebP";
    case TAnimationFormat::afMP4:
      return "MP4";
  }
  return "?";
}

int AnimationFrameCount(const TAnimationOptions& Options) {
  if (Options.Frames > 0) return Options.Frames;
  const double n = std::round(Options.Fps * Options.DurationSeconds);
  return static_cast<int>(std::clamp(n, 2.0, static_cast<double>(kMaxFrames)));
}

void ValidateAnimationOptions(const TAnimationOptions& Options) {
  if (Options.Fps < kMinFps || Options.Fps > kMaxFps)
    throw EAnimationError("The frame rate must be " + std::to_string(kMinFps) + " to " + std::to_string(kMaxFps) +
                          " frames a second");
  if (Options.Format == TAnimationFormat::afGIF && Options.Fps > kMaxGifFps)
    throw EAnimationError("A GIF plays at most " + std::to_string(kMaxGifFps) +
                          " frames a second (its delays are hundredths of a second)");
  if (Options.Frames < 0 || Options.Frames > kMaxFrames)
    throw EAnimationError("The frame count must be 1 to " + std::to_string(kMaxFrames));
  if (Options.Frames == 0) {
    if (!(Options.DurationSeconds > 0) || Options.Fps * Options.DurationSeconds > kMaxFrames)
      throw EAnimationError("The duration must be above 0 and give at most " + std::to_string(kMaxFrames) + " frames");
  }
  if (Options.Width < 0 || Options.Width > kMaxAnimationSide)
    throw EAnimationError("The animation width must be 2 to " + std::to_string(kMaxAnimationSide) + " pixels");
  if (Options.Quality >= 0 && Options.Format != TAnimationFormat::afWebP)
    throw EAnimationError("A quality applies to WebP only (GIF and MP4 have their own)");
  if (Options.Quality > 100) throw EAnimationError("The WebP quality must be 0 to 100");
}

TFrameSize NaturalFrameSize(TAnimationContent Content, TFrameSize Figure, TFrameSize Mechanism) {
  if (Content == TAnimationContent::acFigure) return Figure;
  return {Figure.Width + Mechanism.Width, std::max(Figure.Height, Mechanism.Height)};
}

TFrameSize AnimationFrameSize(const TAnimationOptions& Options, TFrameSize Natural) {
  TFrameSize s = Natural;
  if (Options.Width > 0 && Options.Width != Natural.Width && Natural.Width > 0) {
    s.Width = Options.Width;
    s.Height = static_cast<int>(std::lround(static_cast<double>(Natural.Height) * Options.Width / Natural.Width));
  }
  if (Options.Format == TAnimationFormat::afMP4) {
    s.Width &= ~1;
    s.Height &= ~1;
  }
  s.Width = std::max(s.Width, 2);
  s.Height = std::max(s.Height, 2);
  if (s.Width > kMaxAnimationSide || s.Height > kMaxAnimationSide)
    throw EAnimationError("The animation would be " + std::to_string(s.Width) + " x " + std::to_string(s.Height) +
                          " pixels; choose a width that keeps both sides within " + std::to_string(kMaxAnimationSide));
  return s;
}

}  // namespace trochodraw
