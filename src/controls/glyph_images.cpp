#include "controls/glyph_images.h"

#include <QPainter>
#include <algorithm>
#include <vector>

namespace trochodraw {

namespace {

QRgb Opaque(QRgb P) { return P | 0xFF000000u; }

}  // namespace

QImage MakeTransparent(const QImage& Image) {
  if (Image.isNull()) return {};
  QImage Result = Image.convertToFormat(QImage::Format_ARGB32);
  const QRgb Key = Opaque(Result.pixel(0, Result.height() - 1));
  for (int Y = 0; Y < Result.height(); ++Y) {
    auto* Row = reinterpret_cast<QRgb*>(Result.scanLine(Y));
    for (int X = 0; X < Result.width(); ++X)
      if (Opaque(Row[X]) == Key) Row[X] = 0;
  }
  return Result;
}

QImage EmbossGlyph(const QImage& Frame, QColor Face, QColor Highlight, QColor Shadow) {
  if (Frame.isNull()) return {};
  const QImage Src = Frame.convertToFormat(QImage::Format_RGB32);
  const int W = Src.width();
  const int H = Src.height();
  const QRgb T = Opaque(Src.pixel(0, H - 1));
  auto At = [&](int X, int Y) { return Opaque(Src.pixel(std::clamp(X, 0, W - 1), std::clamp(Y, 0, H - 1))); };
  // A separate mark per pixel rather than black pixels in a T-filled mask: with a black
  // transparent colour such a mask would be black all over and emboss the whole square.
  std::vector<bool> Marked(static_cast<size_t>(W) * H, false);
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X) {
      const QRgb P = At(X, Y);
      if (P == T) continue;
      const bool Dark = qRed(P) + qGreen(P) + qBlue(P) < 384;
      const bool Edge = At(X, Y - 1) == T || At(X, Y + 1) == T || At(X - 1, Y) == T || At(X + 1, Y) == T;
      Marked[static_cast<size_t>(Y) * W + X] = Dark || Edge;
    }
  QImage Result(W, H, QImage::Format_RGB32);
  Result.fill(Face);
  const QRgb Hi = Highlight.rgb();
  const QRgb Sh = Shadow.rgb();
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X)
      if (Marked[static_cast<size_t>(Y) * W + X] && X + 1 < W && Y + 1 < H) Result.setPixel(X + 1, Y + 1, Hi);
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X)
      if (Marked[static_cast<size_t>(Y) * W + X]) Result.setPixel(X, Y, Sh);
  return Result;
}

std::array<QImage, 4> MakeStateImages(const QImage& Strip, int NumGlyphs, QColor Face, QColor Highlight,
                                      QColor Shadow) {
  std::array<QImage, 4> Images;
  NumGlyphs = std::clamp(NumGlyphs, 1, 4);
  const int W = Strip.width() / NumGlyphs;
  if (Strip.isNull() || W == 0 || Strip.height() == 0) return Images;
  auto FrameOf = [&](int K) { return Strip.copy(K * W, 0, W, Strip.height()); };
  for (int K = 0; K < 4; ++K) Images[K] = MakeTransparent(FrameOf(K < NumGlyphs ? K : 0));
  if (NumGlyphs < 2)
    Images[static_cast<int>(TButtonState::bsDisabled)] =
        MakeTransparent(EmbossGlyph(FrameOf(0), Face, Highlight, Shadow));
  return Images;
}

}  // namespace trochodraw
