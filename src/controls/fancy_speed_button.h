#pragma once

#include "controls/auto_button.h"
#include "controls/fancy_look_properties.h"

namespace trochodraw {

// The gradient speed button: a vertical two-colour gradient face inside a two-level bevel,
// lightened while hot or pressed, with a glyph strip of up to four state images.
class TFancySpeedBtn : public TAutoButton, public TFancyLookProperties<TFancySpeedBtn> {
  Q_OBJECT

 public:
  explicit TFancySpeedBtn(QWidget* Parent = nullptr);
  ~TFancySpeedBtn() override;


  bool Hot() const { return MouseInControl(); }

  QSize sizeHint() const override;

 protected:
  void MouseUp(Qt::MouseButton Button, QPoint Pos) override;
  void paintEvent(QPaintEvent* Event) override;

 private:
  QString FNameCaption;
};

}  // namespace trochodraw
