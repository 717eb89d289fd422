#include "controls/system_colors.h"

#include <QPalette>

namespace trochodraw {

TColor FromQColor(const QColor& C) {
  return RGBColor(static_cast<uint8_t>(C.red()), static_cast<uint8_t>(C.green()), static_cast<uint8_t>(C.blue()));
}

TColor ColorToRGB(TColor C, const QPalette& Palette) {
  if (!IsSystemColor(C)) return C & 0x00FFFFFFu;
  QColor Q;
  switch (C) {
    case clWindow:
      Q = Palette.color(QPalette::Base);
      break;
    case clWindowText:
      Q = Palette.color(QPalette::Text);
      break;
    case clHighlight:
      Q = Palette.color(QPalette::Highlight);
      break;
    case clHighlightText:
      Q = Palette.color(QPalette::HighlightedText);
      break;
    case clBtnShadow:
      Q = Palette.color(QPalette::Dark);
      break;
    case clGrayText:
      Q = Palette.color(QPalette::Disabled, QPalette::Text);
      break;
    case clBtnText:
      Q = Palette.color(QPalette::ButtonText);
      break;
    case clBtnHighlight:
      Q = Palette.color(QPalette::Light);
      break;
    case cl3DDkShadow:
      Q = Palette.color(QPalette::Shadow);
      break;
    case cl3DLight:
      Q = Palette.color(QPalette::Midlight);
      break;
    case clBtnFace:
    default:
      Q = Palette.color(QPalette::Button);
      break;
  }
  return FromQColor(Q);
}

QColor ToQColor(TColor C, const QPalette& Palette) {
  const TColor RGB = ColorToRGB(C, Palette);
  return QColor(RedOf(RGB), GreenOf(RGB), BlueOf(RGB));
}

}  // namespace trochodraw
