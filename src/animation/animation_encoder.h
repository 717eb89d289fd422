#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "animation/animation_frame.h"
#include "animation/animation_options.h"

namespace trochodraw {

// What every encoder is told before its first frame.
struct TEncoderSettings {
  TAnimationFormat Format = TAnimationFormat::afGIF;
  int Width = 0, Height = 0;
  int Fps = 30;
  int Frames = 0;
  int Quality = -1;  // WebP: -1 lossless, else lossy at this quality
};

// One animation file being written. Frames come in order, each of the declared size; the file
// appears under its name only when Finish succeeds. Destroyed unfinished (a failure, a
// cancel), it leaves no file behind and an existing file as it was. Throws EAnimationError
// for what the library refuses and EImageError for what the file system refuses.
class TAnimationEncoder {
 public:
  virtual ~TAnimationEncoder() = default;
  virtual void AddFrame(const TAnimationFrame& Frame) = 0;
  virtual void Finish() = 0;
  // Bytes in the file after Finish.
  virtual uint64_t FileSize() const = 0;
};

// The encoder of Settings.Format, made for the file FileName (GIF through giflib, WebP through
// libwebp's animation encoder, MP4 through FFmpeg's libavcodec and libavformat).
std::unique_ptr<TAnimationEncoder> CreateAnimationEncoder(const TEncoderSettings& Settings,
                                                          const std::string& FileName);

std::unique_ptr<TAnimationEncoder> CreateGifAnimationEncoder(const TEncoderSettings& Settings,
                                                             const std::string& FileName);
std::unique_ptr<TAnimationEncoder> CreateWebPAnimationEncoder(const TEncoderSettings& Settings,
                                                              const std::string& FileName);
std::unique_ptr<TAnimationEncoder> CreateMp4AnimationEncoder(const TEncoderSettings& Settings,
                                                             const std::string& FileName);

}  // namespace trochodraw
