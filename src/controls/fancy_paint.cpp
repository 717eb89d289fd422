#include "controls/fancy_paint.h"

#include <QPainter>
#include <QPalette>
#include <QRect>
#include <cmath>

#include "machine/vector2.h"

namespace trochodraw {

namespace {

QColor Q(TColor C) { return QColor(RedOf(C), GreenOf(C), BlueOf(C)); }

// GDI's Rectangle: a one-pixel outline inside R in Pen, the inside filled with Brush.
void Outline(QPainter& P, const TRect& R, QColor Pen, QColor Brush) {
  if (R.IsEmpty()) return;
  P.fillRect(ToQRect(R), Brush);
  const int W = R.Right - R.Left;
  const int H = R.Bottom - R.Top;
  P.fillRect(R.Left, R.Top, W, 1, Pen);
  P.fillRect(R.Left, R.Bottom - 1, W, 1, Pen);
  P.fillRect(R.Left, R.Top, 1, H, Pen);
  P.fillRect(R.Right - 1, R.Top, 1, H, Pen);
}

// Light outline, then the bottom edge (up to one pixel before the right edge) and the right
// edge (from the bottom up to and including the top row) redrawn dark.
void Bevel(QPainter& P, const TRect& R, QColor Light, QColor Dark, QColor Brush) {
  if (R.IsEmpty()) return;
  Outline(P, R, Light, Brush);
  P.fillRect(R.Left, R.Bottom - 1, R.Right - 1 - R.Left, 1, Dark);
  P.fillRect(R.Right - 1, R.Top, 1, R.Bottom - R.Top, Dark);
}

TRect Shrunk(TRect R) { return {R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1}; }

TRect CentredBox(const TRect& Bounds, int Width, int Height, int Margin) {
  TRect Box{0, 0, Width, Height};
  const int DX = (Bounds.Left + Bounds.Right) / 2 - (Box.Left + Box.Right) / 2;
  const int DY = (Bounds.Top + Bounds.Bottom) / 2 - (Box.Top + Box.Bottom) / 2;
  Box = {Box.Left + DX, Box.Top + DY, Box.Right + DX, Box.Bottom + DY};
  if (Margin >= 0) {
    const int MX = Margin - Box.Left;
    Box.Left += MX;
    Box.Right += MX;
  }
  return Box;
}

}  // namespace

TRect ToTRect(const QRect& R) { return {R.left(), R.top(), R.left() + R.width(), R.top() + R.height()}; }
QRect ToQRect(const TRect& R) { return QRect(R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top); }

double LighteningFraction(bool PressedLook, bool DownInvert, bool Hot) {
  if (PressedLook) return DownInvert ? 0.0 : 0.5;
  return Hot ? 0.25 : 0.0;
}

TColor LightenColor(TColor RGB, double F) {
  auto Channel = [F](uint8_t C) { return static_cast<uint8_t>(RoundHalfEven((255.0 - C) * F + C)); };
  return RGBColor(Channel(RedOf(RGB)), Channel(GreenOf(RGB)), Channel(BlueOf(RGB)));
}

TFancyColors FancyColors(const TFancyLook& Look, bool PressedLook, bool Hot, const QPalette& Palette) {
  const double F = LighteningFraction(PressedLook, Look.DownInvert, Hot);
  TFancyColors C;
  C.Brush = LightenColor(ColorToRGB(Look.Color, Palette), F);
  C.Top = LightenColor(ColorToRGB(Look.GradColor1, Palette), F);
  C.Bottom = LightenColor(ColorToRGB(Look.GradColor2, Palette), F);
  if (Look.DownInvert && PressedLook) std::swap(C.Top, C.Bottom);
  return C;
}

TColor GradientRowColor(TColor Top, TColor Bottom, int Rows, int Row) {
  auto Channel = [&](uint8_t T, uint8_t B) {
    const double Step = (static_cast<double>(B) - T) / Rows * Row;
    return static_cast<uint8_t>(T + static_cast<int>(std::ceil(Step)));
  };
  return RGBColor(Channel(RedOf(Top), RedOf(Bottom)), Channel(GreenOf(Top), GreenOf(Bottom)),
                  Channel(BlueOf(Top), BlueOf(Bottom)));
}

TRect PaintFancyFrame(QPainter& P, TRect R, const TFancyLook& Look, const TFancyColors& Colors, bool PressedLook,
                      bool OuterOutline, const QPalette& Palette) {
  const QColor Brush = Q(Colors.Brush);
  auto Frame = [&](TColor C) { return ToQColor(C, Palette); };
  if (OuterOutline) {
    Outline(P, R, Frame(Look.FrameDarkest), Brush);
    R = Shrunk(R);
  }
  if (PressedLook) {
    Outline(P, R, Frame(Look.FrameDark), Brush);
  } else {
    Bevel(P, R, Frame(Look.FrameLightest), Frame(Look.FrameDarkest), Brush);
    R = Shrunk(R);
    Bevel(P, R, Frame(Look.FrameLight), Frame(Look.FrameDark), Brush);
    R = Shrunk(R);
  }
  return Shrunk(R);
}

void PaintFancyFace(QPainter& P, const TRect& Face, const TFancyLook& Look, const TFancyColors& Colors) {
  if (Face.IsEmpty()) return;
  if (!Look.Gradient) {
    P.fillRect(ToQRect(Face), Q(Colors.Brush));
    return;
  }
  const int Rows = Face.Bottom - Face.Top;
  for (int I = 0; I < Rows; ++I)
    P.fillRect(Face.Left, Face.Top + I, Face.Right - Face.Left, 1,
               Q(GradientRowColor(Colors.Top, Colors.Bottom, Rows, I)));
}

TContentLayout LayoutFancyContent(const TRect& Bounds, QSize Text, QSize Glyph, int Spacing, int Margin) {
  const bool HasGlyph = Glyph.width() > 0 && Glyph.height() > 0;
  const int GlyphPart = HasGlyph ? Glyph.width() + Spacing : 0;
  TContentLayout L;
  const TRect TextBox = CentredBox(Bounds, GlyphPart + Text.width(), Text.height(), Margin);
  L.Caption = {TextBox.Left + GlyphPart, TextBox.Top, TextBox.Right, TextBox.Bottom};
  const TRect GlyphBox = CentredBox(Bounds, GlyphPart + Text.width(), HasGlyph ? Glyph.height() : 0, Margin);
  L.GlyphCorner = QPoint(GlyphBox.Left, GlyphBox.Top);
  return L;
}

void DrawFancyCaption(QPainter& P, const TRect& R, const QString& Text, bool Disabled, const QPalette& Palette) {
  if (Text.isEmpty()) return;
  P.save();
  P.setBackgroundMode(Qt::TransparentMode);
  if (Disabled) {
    // The toolkit's disabled text: a highlight copy one pixel right and down under the shadow.
    const int Flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip | Qt::TextShowMnemonic;
    P.setPen(Palette.color(QPalette::Light));
    P.drawText(QRect(R.Left + 1, R.Top + 1, 10000, 10000), Flags, Text);
    P.setPen(Palette.color(QPalette::Dark));
    P.drawText(QRect(R.Left, R.Top, 10000, 10000), Flags, Text);
  } else {
    P.setPen(Palette.color(QPalette::ButtonText));
    P.drawText(ToQRect(R), Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip | Qt::TextShowMnemonic, Text);
  }
  P.restore();
}

}  // namespace trochodraw
