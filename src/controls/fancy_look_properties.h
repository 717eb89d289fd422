#pragma once

#include "controls/fancy_paint.h"

namespace trochodraw {

// The look properties both gradient buttons offer; Widget repaints when one changes.
template <class Widget>
class TFancyLookProperties {
 public:
  const TFancyLook& Look() const { return FLook; }
  TColor Color() const { return FLook.Color; }
  void SetColor(TColor Value) { SetLook(&TFancyLook::Color, Value); }
  TColor GradColor1() const { return FLook.GradColor1; }
  void SetGradColor1(TColor Value) { SetLook(&TFancyLook::GradColor1, Value); }
  TColor GradColor2() const { return FLook.GradColor2; }
  void SetGradColor2(TColor Value) { SetLook(&TFancyLook::GradColor2, Value); }
  bool Gradient() const { return FLook.Gradient; }
  void SetGradient(bool Value) { SetLook(&TFancyLook::Gradient, Value); }
  bool DownInvert() const { return FLook.DownInvert; }
  void SetDownInvert(bool Value) { SetLook(&TFancyLook::DownInvert, Value); }
  TColor FrameDarkest() const { return FLook.FrameDarkest; }
  void SetFrameDarkest(TColor Value) { SetLook(&TFancyLook::FrameDarkest, Value); }
  TColor FrameDark() const { return FLook.FrameDark; }
  void SetFrameDark(TColor Value) { SetLook(&TFancyLook::FrameDark, Value); }
  TColor FrameLight() const { return FLook.FrameLight; }
  void SetFrameLight(TColor Value) { SetLook(&TFancyLook::FrameLight, Value); }
  TColor FrameLightest() const { return FLook.FrameLightest; }
  void SetFrameLightest(TColor Value) { SetLook(&TFancyLook::FrameLightest, Value); }
  int Spacing() const { return FLook.Spacing; }
  void SetSpacing(int Value) { SetLook(&TFancyLook::Spacing, Value); }
  int Margin() const { return FLook.Margin; }
  // Values below -1 are ignored.
  void SetMargin(int Value) {
    if (Value >= -1) SetLook(&TFancyLook::Margin, Value);
  }

 protected:
  template <class T>
  void SetLook(T TFancyLook::*Field, T Value) {
    if (FLook.*Field == Value) return;
    FLook.*Field = Value;
    static_cast<Widget*>(this)->update();
  }

  TFancyLook FLook;
};

}  // namespace trochodraw
