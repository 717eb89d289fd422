#pragma once

#include <QImage>
#include <QPushButton>

#include "controls/control_events.h"
#include "controls/fancy_look_properties.h"

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
class TFancyButton : public QPushButton, public TFancyLookProperties<TFancyButton> {
  Q_OBJECT

 public:
  explicit TFancyButton(QWidget* Parent = nullptr);
  ~TFancyButton() override;

  QString Caption() const { return text(); }
  void SetCaption(const QString& Value) { setText(Value); }


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
  QImage FGlyph;
  QImage FTransparentGlyph;
  int FModalResult = mrNone;
  bool FHot = false;
};

}  // namespace trochodraw
