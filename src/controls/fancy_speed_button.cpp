#include "controls/fancy_speed_button.h"

#include <QPainter>

namespace trochodraw {

TFancySpeedBtn::TFancySpeedBtn(QWidget* Parent) : TAutoButton(Parent) {
  resize(75, 25);
  // The caption starts as the component name and follows it until it is set otherwise.
  connect(this, &QObject::objectNameChanged, this, [this](const QString& Name) {
    if (Caption() == FNameCaption) SetCaption(Name);
    FNameCaption = Name;
  });
}

TFancySpeedBtn::~TFancySpeedBtn() = default;

QSize TFancySpeedBtn::sizeHint() const { return TSpeedButton::sizeHint().expandedTo(QSize(75, 25)); }

void TFancySpeedBtn::MouseUp(Qt::MouseButton Button, QPoint Pos) {
  TAutoButton::MouseUp(Button, Pos);
  update();
}

void TFancySpeedBtn::paintEvent(QPaintEvent*) {
  UpdateState();
  const bool PressedLook = State() == TButtonState::bsDown || State() == TButtonState::bsExclusive;
  const bool Disabled = !isEnabled();
  const QPalette& Pal = palette();
  QPainter P(this);
  const TFancyColors Colors = FancyColors(FLook, PressedLook, Hot(), Pal);
  const TRect Whole = ToTRect(rect());
  const TRect Face = PaintFancyFrame(P, Whole, FLook, Colors, PressedLook, false, Pal);
  PaintFancyFace(P, Face, FLook, Colors);

  TRect Bounds = Whole;
  if (PressedLook) Bounds = {Bounds.Left + 1, Bounds.Top + 1, Bounds.Right + 1, Bounds.Bottom + 1};
  const QSize Text = fontMetrics().size(Qt::TextShowMnemonic | Qt::TextSingleLine, Caption());
  const TContentLayout L = LayoutFancyContent(Bounds, Text, GlyphSize(), FLook.Spacing, FLook.Margin);
  const QImage& Image = StateImage(State());
  if (!Image.isNull()) P.drawImage(L.GlyphCorner, Image);
  DrawFancyCaption(P, L.Caption, Caption(), Disabled, Pal);
}

}  // namespace trochodraw
