#pragma once

#include <QImage>
#include <QPushButton>

#include "controls/control_events.h"
#include "controls/fancy_paint.h"

namespace trochodraw {

// Modal results a button hands to its dialog, in the toolkit's numbering.
enum TModalResult : int {
  mrNone = 0,
  mrOk = 1,
  mrCancel = 2,
  mrAbort = 3,
  mrRetry = 4,
  mrIgnore = 5,
  mrYes = 6,
  mrNo = 7
};

// The gradient push button: a focusable button that can be the dialog default and carries
// a modal result, painted like the gradient speed button.
class TFancyButton : public QPushButton {
  Q_OBJECT

 public:
  explicit TFancyButton(QWidget* Parent = nullptr);
  ~TFancyButton() override;

  QString Caption() const { return text(); }
  void SetCaption(const QString& Value) { setText(Value); }

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

  // Drawn transparently: the colour of its bottom-left pixel is left out.
  const QImage& Glyph() const { return FGlyph; }
  void SetGlyph(const QImage& Value);

  // The button's pushed state.
  bool Down() const { return isDown(); }
  void SetDown(bool Value);

  int ModalResult() const { return FModalResult; }
  void SetModalResult(int Value) { FModalResult = Value; }

  bool Hot() const { return FHot; }
  // The default button while no other push button of the window has the focus, or the
  // button with the focus.
  bool Active() const;

  // The toolkit's click: hands the modal result to the dialog, then raises OnClick.
  void Click();

  TNotifyEvent OnClick;

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* Event) override;
  void enterEvent(QEnterEvent* Event) override;
  void leaveEvent(QEvent* Event) override;
  void changeEvent(QEvent* Event) override;

 private:
  template <class T>
  void SetLook(T TFancyLook::*Field, T Value) {
    if (FLook.*Field == Value) return;
    FLook.*Field = Value;
    update();
  }

  TFancyLook FLook;
  QImage FGlyph;
  QImage FTransparentGlyph;
  int FModalResult = mrNone;
  bool FHot = false;
};

}  // namespace trochodraw
