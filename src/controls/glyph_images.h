#pragma once

#include <QColor>
#include <QImage>
#include <array>

namespace trochodraw {

// The toolkit speed button's states; also the order of the images in a glyph strip.
enum class TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

// A copy of Image in which every pixel of the bottom-left pixel's colour is fully
// transparent (the toolkit's transparent bitmaps).
QImage MakeTransparent(const QImage& Image);

// The disabled look of a one-image glyph: on a Face-coloured ground, the dark pixels and the
// outline of the glyph's shape in Highlight shifted one pixel right and down, then in Shadow.
// The result is opaque; its bottom-left pixel is Face.
QImage EmbossGlyph(const QImage& Frame, QColor Face, QColor Highlight, QColor Shadow);

// The four state images (in TButtonState order) cut from a horizontal strip of NumGlyphs
// equal frames, each made transparent. A missing frame repeats frame 0; with fewer than two
// frames the disabled image is the embossed frame 0. An empty strip gives empty images.
std::array<QImage, 4> MakeStateImages(const QImage& Strip, int NumGlyphs, QColor Face, QColor Highlight, QColor Shadow);

}  // namespace trochodraw
