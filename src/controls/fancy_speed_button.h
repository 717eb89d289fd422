#pragma once

#include "controls/auto_button.h"
#include "controls/fancy_paint.h"

namespace trochodraw {

// The gradient speed button: a vertical two-colour gradient face inside a two-level bevel,
// lightened while hot or pressed, with a glyph strip of up to four state images.
class TFancySpeedBtn : public TAutoButton {
  Q_OBJECT

 public:
  explicit TFancySpeedBtn(QWidget* Parent = nullptr);
  ~TFancySpeedBtn() override;

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

  bool Hot() const { return MouseInControl(); }

  QSize sizeHint() const override;

 protected:
  void MouseUp(Qt::MouseButton Button, QPoint Pos) override;
  void paintEvent(QPaintEvent* Event) override;

 private:
  template <class T>
  void SetLook(T TFancyLook::*Field, T Value) {
    if (FLook.*Field == Value) return;
    FLook.*Field = Value;
    update();
  }

  TFancyLook FLook;
  QString FNameCaption;
};

}  // namespace trochodraw
