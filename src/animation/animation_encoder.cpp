#include "animation/animation_encoder.h"

namespace trochodraw {

std::unique_ptr<TAnimationEncoder> CreateAnimationEncoder(const TEncoderSettings& Settings,
                                                          const std::string& FileName) {
  if (Settings.Width < 1 || Settings.Height < 1)
    throw EAnimationError("An animation needs frames of at least 1 x 1 pixels");
  switch (Settings.Format) {
    case TAnimationFormat::afGIF:
      return CreateGifAnimationEncoder(Settings, FileName);
    case TAnimationFormat::afWebP:
      return CreateWebPAnimationEncoder(Settings, FileName);
    case TAnimationFormat::afMP4:
      return CreateMp4AnimationEncoder(Settings, FileName);
  }
  throw EAnimationError("Unknown animation format");
}

}  // namespace trochodraw
