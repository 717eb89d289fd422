#include "controls/fancy_button.h"

#include <QApplication>
#include <QDialog>
#include <QPainter>

#include "controls/application_error.h"
#include "controls/glyph_images.h"

namespace trochodraw {

TFancyButton::TFancyButton(QWidget* Parent) : QPushButton(Parent) {
  resize(75, 25);
  connect(this, &QAbstractButton::clicked, this, [this] { InvokeGuarded([this] { Click(); }); });
  // Which button looks active depends on where the focus is in the whole window.
  connect(qApp, &QApplication::focusChanged, this, [this] { update(); });
}

TFancyButton::~TFancyButton() = default;

QSize TFancyButton::sizeHint() const {
  const QSize Text = fontMetrics().size(Qt::TextShowMnemonic | Qt::TextSingleLine, text());
  const int GlyphPart = FGlyph.isNull() || FGlyph.height() == 0 ? 0 : FGlyph.width() + FLook.Spacing;
  return QSize(std::max(75, GlyphPart + Text.width() + 16), std::max({25, Text.height() + 10, FGlyph.height() + 10}));
}

void TFancyButton::SetGlyph(const QImage& Value) {
  FGlyph = Value;
  FTransparentGlyph = MakeTransparent(Value);
  updateGeometry();
  update();
}

void TFancyButton::SetDown(bool Value) {
  setDown(Value);
  update();
}

bool TFancyButton::Active() const {
  if (hasFocus()) return true;
  const QWidget* Focus = window()->focusWidget();
  if (qobject_cast<const QPushButton*>(Focus)) return Focus == this;
  return isDefault();
}

void TFancyButton::Click() {
  if (FModalResult != mrNone)
    if (auto* Dialog = qobject_cast<QDialog*>(window())) Dialog->done(FModalResult);
  if (OnClick) OnClick(this);
}

void TFancyButton::enterEvent(QEnterEvent* Event) {
  QPushButton::enterEvent(Event);
  FHot = true;
  update();
}

void TFancyButton::leaveEvent(QEvent* Event) {
  QPushButton::leaveEvent(Event);
  FHot = false;
  update();
}

void TFancyButton::changeEvent(QEvent* Event) {
  QPushButton::changeEvent(Event);
  if (Event->type() == QEvent::EnabledChange || Event->type() == QEvent::FontChange) update();
}

void TFancyButton::paintEvent(QPaintEvent*) {
  const bool PressedLook = isDown();
  const bool Disabled = !isEnabled();
  const bool Focused = hasFocus();
  const bool IsActive = Active();
  const QPalette& Pal = palette();
  QPainter P(this);
  const TFancyColors Colors = FancyColors(FLook, PressedLook, FHot, Pal);
  const TRect Whole = ToTRect(rect());
  const TRect Face = PaintFancyFrame(P, Whole, FLook, Colors, PressedLook, IsActive || Focused, Pal);
  PaintFancyFace(P, Face, FLook, Colors);

  TRect Bounds = Whole;
  if (PressedLook) Bounds = {Bounds.Left + 1, Bounds.Top + 1, Bounds.Right + 1, Bounds.Bottom + 1};
  const QSize Text = fontMetrics().size(Qt::TextShowMnemonic | Qt::TextSingleLine, text());
  const QSize Glyph = FTransparentGlyph.isNull() ? QSize() : FTransparentGlyph.size();
  const TContentLayout L = LayoutFancyContent(Bounds, Text, Glyph, FLook.Spacing, FLook.Margin);
  if (!Glyph.isEmpty()) P.drawImage(L.GlyphCorner, FTransparentGlyph);
  DrawFancyCaption(P, L.Caption, text(), Disabled, Pal);

  if (IsActive && Focused) {
    // Dotted focus rectangle, drawn by inverting every other pixel of its outline.
    const int Inset = FLook.Gradient ? 2 : 4;
    const QRect F = rect().adjusted(Inset, Inset, -Inset, -Inset);
    if (F.width() > 0 && F.height() > 0) {
      P.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
      auto Dot = [&](int X, int Y) {
        if (((X + Y) & 1) == 0) P.fillRect(X, Y, 1, 1, Qt::white);
      };
      for (int X = F.left(); X <= F.right(); ++X) {
        Dot(X, F.top());
        if (F.bottom() != F.top()) Dot(X, F.bottom());
      }
      for (int Y = F.top() + 1; Y < F.bottom(); ++Y) {
        Dot(F.left(), Y);
        if (F.right() != F.left()) Dot(F.right(), Y);
      }
    }
  }
}

}  // namespace trochodraw
