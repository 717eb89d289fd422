// GIF through giflib: a looping GIF89a. Each frame after the first is the rectangle of pixels
// that changed, the unchanged ones transparent over the frame before (disposal "leave in
// place"), with a palette of its own made for its new pixels.
#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "animation/animation_encoder.h"
#include "animation/frame_schedule.h"
#include "animation/gif_palette.h"
#include "imagefiles/atomic_file.h"
#include "render/bitmap.h"

namespace trochodraw {

namespace {

std::string GifMessage(int Error) {
  const char* text = GifErrorString(Error);
  return std::string("GIF: ") + (text ? text : "encoder error " + std::to_string(Error));
}

class TGifAnimationEncoder : public TAnimationEncoder {
 public:
  TGifAnimationEncoder(const TEncoderSettings& S, const std::string& FileName) : FSettings(S), FFile(FileName) {
    int error = 0;
    FGif = EGifOpen(this, &TGifAnimationEncoder::Output, &error);
    if (!FGif) throw EAnimationError(GifMessage(error));
    EGifSetGifVersion(FGif, true);
  }

  ~TGifAnimationEncoder() override {
    if (FGif) EGifCloseFile(FGif, nullptr);
  }

  void AddFrame(const TAnimationFrame& F) override {
    const int w = FSettings.Width, h = FSettings.Height;
    if (F.Width != w || F.Height != h) throw EAnimationError("GIF: a frame of another size");
    // The rectangle of changed pixels (all of the first frame).
    int x0 = 0, y0 = 0, x1 = w - 1, y1 = h - 1;
    const bool first = FPrevious.Pixels.empty();
    if (!first) {
      x0 = w, y0 = h, x1 = -1, y1 = -1;
      for (int y = 0; y < h; ++y) {
        const uint8_t* a = F.Row(y);
        const uint8_t* b = FPrevious.Row(y);
        if (std::memcmp(a, b, static_cast<size_t>(w) * 3) == 0) continue;
        y0 = std::min(y0, y);
        y1 = y;
        int l = 0;
        while (std::memcmp(a + 3 * l, b + 3 * l, 3) == 0) ++l;
        int r = w - 1;
        while (std::memcmp(a + 3 * r, b + 3 * r, 3) == 0) --r;
        x0 = std::min(x0, l);
        x1 = std::max(x1, r);
      }
      if (x1 < 0) x0 = y0 = x1 = y1 = 0;  // nothing changed: one transparent pixel
    }
    const int rw = x1 - x0 + 1, rh = y1 - y0 + 1;
    auto changed = [&](int x, int y) {
      return first || std::memcmp(F.Row(y) + 3 * x, FPrevious.Row(y) + 3 * x, 3) != 0;
    };
    // 255 colours and a transparent index after the first frame; 256 in the first.
    FPalette = TGifPalette(first ? 256 : 255);
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x)
        if (changed(x, y)) {
          const uint8_t* p = F.Row(y) + 3 * x;
          FPalette.Count(p[0], p[1], p[2]);
        }
    FPalette.Build();
    const int transparent = first ? NO_TRANSPARENT_COLOR : FPalette.Size();
    const int entries = FPalette.Size() + (first ? 0 : 1);
    int bits = 1;
    while ((1 << bits) < entries) ++bits;
    ColorMapObject* map = GifMakeMapObject(1 << bits, nullptr);
    if (!map) throw EAnimationError("GIF: out of memory");
    for (int i = 0; i < (1 << bits); ++i) {
      GifColorType& c = map->Colors[i];
      if (i < FPalette.Size()) {
        c.Red = FPalette.Colours()[3 * i];
        c.Green = FPalette.Colours()[3 * i + 1];
        c.Blue = FPalette.Colours()[3 * i + 2];
      } else {
        c.Red = c.Green = c.Blue = 0;
      }
    }
    struct TMapHolder {
      ColorMapObject* M;
      ~TMapHolder() { GifFreeMapObject(M); }
    } holder{map};

    if (first) {
      // The first frame's colours are the global colour map.
      if (EGifPutScreenDesc(FGif, w, h, 8, 0, map) == GIF_ERROR) Fail();
      // Loop for ever (the NETSCAPE2.0 application extension, count 0).
      static const unsigned char kApp[] = "NETSCAPE2.0";
      static const unsigned char kLoop[] = {1, 0, 0};
      if (EGifPutExtensionLeader(FGif, APPLICATION_EXT_FUNC_CODE) == GIF_ERROR ||
          EGifPutExtensionBlock(FGif, 11, kApp) == GIF_ERROR || EGifPutExtensionBlock(FGif, 3, kLoop) == GIF_ERROR ||
          EGifPutExtensionTrailer(FGif) == GIF_ERROR)
        Fail();
    }
    GraphicsControlBlock gcb{};
    gcb.DisposalMode = DISPOSE_DO_NOT;
    gcb.UserInputFlag = false;
    gcb.DelayTime = static_cast<int>(FrameTime(FIndex + 1, FSettings.Fps, 100) - FrameTime(FIndex, FSettings.Fps, 100));
    gcb.TransparentColor = transparent;
    GifByteType ext[4];
    EGifGCBToExtension(&gcb, ext);
    if (EGifPutExtension(FGif, GRAPHICS_EXT_FUNC_CODE, 4, ext) == GIF_ERROR) Fail();
    if (EGifPutImageDesc(FGif, x0, y0, rw, rh, false, first ? nullptr : map) == GIF_ERROR) Fail();
    FLine.resize(static_cast<size_t>(rw));
    for (int y = y0; y <= y1; ++y) {
      for (int x = x0; x <= x1; ++x) {
        const uint8_t* p = F.Row(y) + 3 * x;
        FLine[static_cast<size_t>(x - x0)] =
            changed(x, y) ? FPalette.IndexOf(p[0], p[1], p[2]) : static_cast<GifPixelType>(transparent);
      }
      if (EGifPutLine(FGif, FLine.data(), rw) == GIF_ERROR) Fail();
    }
    FPrevious = F;
    ++FIndex;
  }

  void Finish() override {
    if (FIndex == 0) throw EAnimationError("GIF: an animation needs at least one frame");
    int error = 0;
    GifFileType* gif = std::exchange(FGif, nullptr);
    if (EGifCloseFile(gif, &error) == GIF_ERROR) Fail(error);
    if (FWriteFailed) throw EImageError("Write error on " + FFile.Target());
    FFile.Commit();
  }

  uint64_t FileSize() const override { return FBytes; }

 private:
  static int Output(GifFileType* Gif, const GifByteType* Data, int Length) {
    auto* self = static_cast<TGifAnimationEncoder*>(Gif->UserData);
    try {
      self->FFile.Write(Data, static_cast<size_t>(Length));
      self->FBytes += static_cast<uint64_t>(Length);
      return Length;
    } catch (...) {
      self->FWriteFailed = true;
      return 0;
    }
  }

  [[noreturn]] void Fail(int Error = 0) {
    if (FWriteFailed) throw EImageError("Write error on " + FFile.Target());
    throw EAnimationError(GifMessage(Error ? Error : (FGif ? FGif->Error : 0)));
  }

  TEncoderSettings FSettings;
  TAtomicFile FFile;
  GifFileType* FGif = nullptr;
  TAnimationFrame FPrevious;
  TGifPalette FPalette;
  std::vector<GifPixelType> FLine;
  int FIndex = 0;
  uint64_t FBytes = 0;
  bool FWriteFailed = false;
};

}  // namespace

std::unique_ptr<TAnimationEncoder> CreateGifAnimationEncoder(const TEncoderSettings& Settings,
                                                             const std::string& FileName) {
  return std::make_unique<TGifAnimationEncoder>(Settings, FileName);
}

}  // namespace trochodraw
