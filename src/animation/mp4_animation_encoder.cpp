// MP4 through FFmpeg: H.264 (libx264) in yuv420p, even sides, the index at the front of the file
// (+faststart) so that a browser plays it while it loads.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include <filesystem>
#include <mutex>

#include "animation/animation_encoder.h"
#include "imagefiles/atomic_file.h"
#include "render/bitmap.h"

namespace trochodraw {

namespace {

// x264's constant quality (lower is better; 18 is near the source for line drawings) and
// speed preset: a figure's frames are simple, and "fast" keeps encoding far above real time.
constexpr const char* kCrf = "18";
constexpr const char* kPreset = "fast";

std::string AvMessage(const char* What, int Error) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(Error, text, sizeof text);
  return std::string("MP4: ") + What + ": " + text;
}

class TMp4AnimationEncoder : public TAnimationEncoder {
 public:
  TMp4AnimationEncoder(const TEncoderSettings& S, const std::string& FileName) : FSettings(S), FFile(FileName) {
    if (S.Width % 2 || S.Height % 2) throw EAnimationError("MP4: H.264 in yuv420p takes even frame sizes only");
    static std::once_flag quiet;
    std::call_once(quiet, [] { av_log_set_level(AV_LOG_ERROR); });
    FFile.CloseStream();
    const std::string& path = FFile.TempPath();
    int r = avformat_alloc_output_context2(&FFormat, nullptr, "mp4", path.c_str());
    if (r < 0 || !FFormat) throw EAnimationError(AvMessage("no MP4 muxer", r));
    const AVCodec* codec = avcodec_find_encoder_by_name("libx264");
    if (!codec) codec = avcodec_find_encoder(AV_CODEC_ID_H264);
    if (!codec) throw EAnimationError("MP4: this FFmpeg has no H.264 encoder");
    FStream = avformat_new_stream(FFormat, nullptr);
    FCodec = avcodec_alloc_context3(codec);
    if (!FStream || !FCodec) throw EAnimationError("MP4: out of memory");
    FCodec->width = S.Width;
    FCodec->height = S.Height;
    FCodec->time_base = AVRational{1, S.Fps};
    FCodec->framerate = AVRational{S.Fps, 1};
    FCodec->pix_fmt = AV_PIX_FMT_YUV420P;
    FCodec->gop_size = S.Fps * 2;
    FCodec->color_range = AVCOL_RANGE_MPEG;
    FCodec->colorspace = AVCOL_SPC_BT709;
    FCodec->color_primaries = AVCOL_PRI_BT709;
    FCodec->color_trc = AVCOL_TRC_BT709;
    if (FFormat->oformat->flags & AVFMT_GLOBALHEADER) FCodec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    av_opt_set(FCodec->priv_data, "preset", kPreset, 0);
    av_opt_set(FCodec->priv_data, "crf", kCrf, 0);
    r = avcodec_open2(FCodec, codec, nullptr);
    if (r < 0) throw EAnimationError(AvMessage("cannot open the H.264 encoder", r));
    r = avcodec_parameters_from_context(FStream->codecpar, FCodec);
    if (r < 0) throw EAnimationError(AvMessage("stream parameters", r));
    FStream->time_base = FCodec->time_base;
    FStream->avg_frame_rate = FCodec->framerate;
    r = avio_open(&FFormat->pb, path.c_str(), AVIO_FLAG_WRITE);
    if (r < 0) throw EImageError("Cannot create file " + FFile.Target());
    AVDictionary* options = nullptr;
    av_dict_set(&options, "movflags", "+faststart", 0);
    r = avformat_write_header(FFormat, &options);
    av_dict_free(&options);
    if (r < 0) throw EAnimationError(AvMessage("cannot write the header", r));

    FFrame = av_frame_alloc();
    FPacket = av_packet_alloc();
    if (!FFrame || !FPacket) throw EAnimationError("MP4: out of memory");
    FFrame->format = FCodec->pix_fmt;
    FFrame->width = S.Width;
    FFrame->height = S.Height;
    FFrame->color_range = AVCOL_RANGE_MPEG;
    FFrame->colorspace = AVCOL_SPC_BT709;
    if (av_frame_get_buffer(FFrame, 0) < 0) throw EAnimationError("MP4: out of memory");
    FScaler = sws_getContext(S.Width, S.Height, AV_PIX_FMT_RGB24, S.Width, S.Height, AV_PIX_FMT_YUV420P,
                             SWS_BILINEAR | SWS_ACCURATE_RND, nullptr, nullptr, nullptr);
    if (!FScaler) throw EAnimationError("MP4: no RGB to yuv420p conversion");
    // BT.709 coefficients, limited range, as the stream says.
    const int* coefficients = sws_getCoefficients(SWS_CS_ITU709);
    sws_setColorspaceDetails(FScaler, coefficients, 1, coefficients, 0, 0, 1 << 16, 1 << 16);
  }

  ~TMp4AnimationEncoder() override {
    sws_freeContext(FScaler);
    av_frame_free(&FFrame);
    av_packet_free(&FPacket);
    avcodec_free_context(&FCodec);
    if (FFormat) {
      if (FFormat->pb) avio_closep(&FFormat->pb);
      avformat_free_context(FFormat);
    }
  }

  void AddFrame(const TAnimationFrame& F) override {
    if (F.Width != FSettings.Width || F.Height != FSettings.Height)
      throw EAnimationError("MP4: a frame of another size");
    if (av_frame_make_writable(FFrame) < 0) throw EAnimationError("MP4: out of memory");
    const uint8_t* src[1] = {F.Pixels.data()};
    const int stride[1] = {F.Width * 3};
    sws_scale(FScaler, src, stride, 0, F.Height, FFrame->data, FFrame->linesize);
    FFrame->pts = FIndex++;
    Send(FFrame);
  }

  void Finish() override {
    if (FIndex == 0) throw EAnimationError("MP4: an animation needs at least one frame");
    Send(nullptr);
    const int r = av_write_trailer(FFormat);
    if (r < 0) throw EAnimationError(AvMessage("cannot finish the file", r));
    if (avio_closep(&FFormat->pb) < 0) throw EImageError("Write error on " + FFile.Target());
    std::error_code ec;
    FBytes = std::filesystem::file_size(FFile.TempPath(), ec);
    FFile.Commit();
  }

  uint64_t FileSize() const override { return FBytes; }

 private:
  void Send(AVFrame* Frame) {
    int r = avcodec_send_frame(FCodec, Frame);
    if (r < 0) throw EAnimationError(AvMessage("the encoder refused a frame", r));
    for (;;) {
      r = avcodec_receive_packet(FCodec, FPacket);
      if (r == AVERROR(EAGAIN) || r == AVERROR_EOF) return;
      if (r < 0) throw EAnimationError(AvMessage("encoding failed", r));
      if (FPacket->duration == 0) FPacket->duration = 1;
      av_packet_rescale_ts(FPacket, FCodec->time_base, FStream->time_base);
      FPacket->stream_index = FStream->index;
      r = av_interleaved_write_frame(FFormat, FPacket);
      if (r < 0) throw EImageError("Write error on " + FFile.Target());
    }
  }

  TEncoderSettings FSettings;
  TAtomicFile FFile;
  AVFormatContext* FFormat = nullptr;
  AVStream* FStream = nullptr;
  AVCodecContext* FCodec = nullptr;
  AVFrame* FFrame = nullptr;
  AVPacket* FPacket = nullptr;
  SwsContext* FScaler = nullptr;
  int64_t FIndex = 0;
  uint64_t FBytes = 0;
};

}  // namespace

std::unique_ptr<TAnimationEncoder> CreateMp4AnimationEncoder(const TEncoderSettings& Settings,
                                                             const std::string& FileName) {
  return std::make_unique<TMp4AnimationEncoder>(Settings, FileName);
}

}  // namespace trochodraw
