#pragma once

#include <QColor>

#include "render/color.h"

class QPalette;

namespace trochodraw {

// System colours: the top bit set and the system colour index in the low byte, as the
// toolkit writes them. Only the controls' own paint code meets them.
inline constexpr TColor clSystemColor = 0x80000000u;
inline constexpr TColor clWindow = clSystemColor | 5;
inline constexpr TColor clWindowText = clSystemColor | 8;
inline constexpr TColor clHighlight = clSystemColor | 13;
inline constexpr TColor clHighlightText = clSystemColor | 14;
inline constexpr TColor clBtnFace = clSystemColor | 15;
inline constexpr TColor clBtnShadow = clSystemColor | 16;
inline constexpr TColor clGrayText = clSystemColor | 17;
inline constexpr TColor clBtnText = clSystemColor | 18;
inline constexpr TColor clBtnHighlight = clSystemColor | 20;
inline constexpr TColor cl3DDkShadow = clSystemColor | 21;
inline constexpr TColor cl3DLight = clSystemColor | 22;

constexpr bool IsSystemColor(TColor C) { return (C & clSystemColor) != 0; }

// Resolves system colours through Palette (the widget's current colours); plain colours are
// returned as they are, with the top byte cleared.
TColor ColorToRGB(TColor C, const QPalette& Palette);
QColor ToQColor(TColor C, const QPalette& Palette);
// Plain colour of an opaque QColor.
TColor FromQColor(const QColor& C);

}  // namespace trochodraw
