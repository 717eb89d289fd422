// WebP through libwebp's animation encoder: lossless by default, lossy at a quality when asked;
// the encoder itself finds the changed rectangle of each frame. Loops for ever.
#include <webp/encode.h>
#include <webp/mux.h>

#include <algorithm>

#include "animation/animation_encoder.h"
#include "animation/frame_schedule.h"
#include "imagefiles/atomic_file.h"
#include "render/bitmap.h"

namespace trochodraw {

namespace {

// Lossless effort (0 fastest .. 9 smallest) and lossy method (0 .. 6): fast ones, since a
// figure's frames differ in a few strokes and compress well at any effort.
constexpr int kLosslessLevel = 1;
constexpr int kLossyMethod = 2;

class TWebPAnimationEncoder : public TAnimationEncoder {
 public:
  TWebPAnimationEncoder(const TEncoderSettings& S, const std::string& FileName) : FSettings(S), FFile(FileName) {
    WebPAnimEncoderOptions options;
    if (!WebPAnimEncoderOptionsInit(&options)) throw EAnimationError("WebP: the library does not match its headers");
    options.anim_params.loop_count = 0;
    options.anim_params.bgcolor = 0xFFFFFFFF;
    options.allow_mixed = 0;
    options.minimize_size = 0;
    FEncoder = WebPAnimEncoderNew(S.Width, S.Height, &options);
    if (!FEncoder) throw EAnimationError("WebP: cannot start an animation of this size");
    if (!WebPConfigInit(&FConfig)) throw EAnimationError("WebP: the library does not match its headers");
    if (S.Quality < 0) {
      WebPConfigLosslessPreset(&FConfig, kLosslessLevel);
    } else {
      FConfig.lossless = 0;
      FConfig.quality = static_cast<float>(S.Quality);
      FConfig.method = kLossyMethod;
    }
    if (!WebPValidateConfig(&FConfig)) throw EAnimationError("WebP: the encoder refuses these settings");
  }

  ~TWebPAnimationEncoder() override {
    if (FEncoder) WebPAnimEncoderDelete(FEncoder);
  }

  void AddFrame(const TAnimationFrame& F) override {
    if (F.Width != FSettings.Width || F.Height != FSettings.Height)
      throw EAnimationError("WebP: a frame of another size");
    WebPPicture pic;
    if (!WebPPictureInit(&pic)) throw EAnimationError("WebP: the library does not match its headers");
    pic.width = F.Width;
    pic.height = F.Height;
    pic.use_argb = 1;
    struct TPictureHolder {
      WebPPicture* P;
      ~TPictureHolder() { WebPPictureFree(P); }
    } holder{&pic};
    if (!WebPPictureImportRGB(&pic, F.Pixels.data(), F.Width * 3)) throw EAnimationError("WebP: out of memory");
    if (!WebPAnimEncoderAdd(FEncoder, &pic, static_cast<int>(FrameTime(FIndex, FSettings.Fps, 1000)), &FConfig))
      throw EAnimationError(std::string("WebP: ") + WebPAnimEncoderGetError(FEncoder));
    ++FIndex;
  }

  void Finish() override {
    if (FIndex == 0) throw EAnimationError("WebP: an animation needs at least one frame");
    if (!WebPAnimEncoderAdd(FEncoder, nullptr, static_cast<int>(FrameTime(FIndex, FSettings.Fps, 1000)), nullptr))
      throw EAnimationError(std::string("WebP: ") + WebPAnimEncoderGetError(FEncoder));
    WebPData data;
    WebPDataInit(&data);
    if (!WebPAnimEncoderAssemble(FEncoder, &data))
      throw EAnimationError(std::string("WebP: ") + WebPAnimEncoderGetError(FEncoder));
    struct TDataHolder {
      WebPData* D;
      ~TDataHolder() { WebPDataClear(D); }
    } holder{&data};
    FFile.Write(data.bytes, data.size);
    FBytes = data.size;
    FFile.Commit();
  }

  uint64_t FileSize() const override { return FBytes; }

 private:
  TEncoderSettings FSettings;
  TAtomicFile FFile;
  WebPAnimEncoder* FEncoder = nullptr;
  WebPConfig FConfig{};
  int FIndex = 0;
  uint64_t FBytes = 0;
};

}  // namespace

std::unique_ptr<TAnimationEncoder> CreateWebPAnimationEncoder(const TEncoderSettings& Settings,
                                                              const std::string& FileName) {
  return std::make_unique<TWebPAnimationEncoder>(Settings, FileName);
}

}  // namespace trochodraw
