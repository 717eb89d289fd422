#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include "controls/system_colors.h"
#include "render/canvas.h"

class QPainter;
class QPalette;

namespace trochodraw {

// The appearance settings that the gradient push button and speed button share.
struct TFancyLook {
  TColor Color = clBtnFace;
  TColor GradColor1 = clSilver;
  TColor GradColor2 = clBlack;
  bool Gradient = false;
  bool DownInvert = false;
  TColor FrameDarkest = cl3DDkShadow;
  TColor FrameDark = clBtnShadow;
  TColor FrameLight = cl3DLight;
  TColor FrameLightest = clBtnHighlight;
  int Spacing = 4;  // pixels between glyph and caption
  int Margin = -1;  // -1 centres the content
};

// How far toward white a paint lightens its colours.
double LighteningFraction(bool PressedLook, bool DownInvert, bool Hot);
// Each channel c of an RGB colour becomes round((255 - c) * F + c), halves to even.
TColor LightenColor(TColor RGB, double F);

struct TFancyColors {
  TColor Brush = 0;
  TColor Top = 0;
  TColor Bottom = 0;
};
// The brush, top and bottom colours of one paint, system colours resolved through Palette.
TFancyColors FancyColors(const TFancyLook& Look, bool PressedLook, bool Hot, const QPalette& Palette);

// Colour of row Row of a vertical gradient over Rows rows: per channel
// Top + ceil((Bottom - Top) / Rows * Row), so the last row stops one step short of Bottom.
TColor GradientRowColor(TColor Top, TColor Bottom, int Rows, int Row);

// The frame around R: with OuterOutline (a focused or active push button) first an outline
// in FrameDarkest; then one FrameDark outline for the pressed look, else two bevels. Every
// outline is filled with the brush colour. Returns the face that remains inside.
TRect PaintFancyFrame(QPainter& P, TRect R, const TFancyLook& Look, const TFancyColors& Colors, bool PressedLook,
                      bool OuterOutline, const QPalette& Palette);
// The face: the vertical gradient, or the brush colour when the gradient is off.
void PaintFancyFace(QPainter& P, const TRect& Face, const TFancyLook& Look, const TFancyColors& Colors);

// Where glyph and caption go inside Bounds. Glyph is the glyph's size (empty: no glyph).
struct TContentLayout {
  TRect Caption;
  QPoint GlyphCorner;
};
TContentLayout LayoutFancyContent(const TRect& Bounds, QSize Text, QSize Glyph, int Spacing, int Margin);

// The caption on one line centred in R, or embossed at R's top-left corner when disabled.
void DrawFancyCaption(QPainter& P, const TRect& R, const QString& Text, bool Disabled, const QPalette& Palette);

// Rectangle conversions: TRect keeps right and bottom exclusive.
TRect ToTRect(const QRect& R);
QRect ToQRect(const TRect& R);

}  // namespace trochodraw
