#include "controls/speed_button.h"

#include <qdrawutil.h>

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "controls/application_error.h"
#include "controls/fancy_paint.h"

namespace trochodraw {

TSpeedButton::TSpeedButton(QWidget* Parent) : QWidget(Parent) {
  setFocusPolicy(Qt::NoFocus);
  setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
  resize(23, 22);
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::SetCaption(const QString& Value) {
  if (Value == FCaption) return;
  FCaption = Value;
  updateGeometry();
  update();
}

void TSpeedButton::SetDown(bool Value) {
  if (FGroupIndex == 0) Value = false;
  if (Value == FDown) return;
  if (FDown && !FAllowAllUp) return;
  FDown = Value;
  FState = Value ? TButtonState::bsExclusive : TButtonState::bsUp;
  update();
  if (Value) UpdateExclusive();
}

void TSpeedButton::SetGroupIndex(int Value) {
  if (Value == FGroupIndex) return;
  FGroupIndex = Value;
  UpdateExclusive();
}

void TSpeedButton::SetAllowAllUp(bool Value) {
  if (Value == FAllowAllUp) return;
  FAllowAllUp = Value;
  UpdateExclusive();
}

void TSpeedButton::SetFlat(bool Value) {
  if (Value == FFlat) return;
  FFlat = Value;
  update();
}

void TSpeedButton::SetGlyph(const QImage& Value) {
  FGlyph = Value;
  RebuildStateImages();
  updateGeometry();
  update();
}

void TSpeedButton::SetNumGlyphs(int Value) {
  Value = std::clamp(Value, 1, 4);
  if (Value == FNumGlyphs) return;
  FNumGlyphs = Value;
  RebuildStateImages();
  updateGeometry();
  update();
}

void TSpeedButton::RebuildStateImages() {
  const QPalette& P = palette();
  FStateImages = MakeStateImages(FGlyph, FNumGlyphs, P.color(QPalette::Active, QPalette::Button),
                                 P.color(QPalette::Active, QPalette::Light), P.color(QPalette::Active, QPalette::Dark));
}

QSize TSpeedButton::GlyphSize() const {
  const QImage& Up = StateImage(TButtonState::bsUp);
  return Up.isNull() ? QSize() : Up.size();
}

// Buttons of one group under one parent: a button going down raises the others, and all of
// them share the group's AllowAllUp.
void TSpeedButton::UpdateExclusive() {
  if (FGroupIndex == 0 || !parentWidget()) return;
  const auto Siblings = parentWidget()->findChildren<TSpeedButton*>(QString(), Qt::FindDirectChildrenOnly);
  for (TSpeedButton* S : Siblings) {
    if (S == this || S->FGroupIndex != FGroupIndex) continue;
    if (FDown && S->FDown) {
      S->FDown = false;
      S->FState = TButtonState::bsUp;
      S->update();
    }
    S->FAllowAllUp = FAllowAllUp;
  }
}

void TSpeedButton::Click() {
  if (OnClick) OnClick(this);
}

void TSpeedButton::UpdateState() {
  if (!isEnabled()) {
    FState = TButtonState::bsDisabled;
    FDragging = false;
  } else if (FState == TButtonState::bsDisabled) {
    FState = FDown && FGroupIndex != 0 ? TButtonState::bsExclusive : TButtonState::bsUp;
  }
}

void TSpeedButton::MouseDown(Qt::MouseButton Button, QPoint Pos) {
  if (OnMouseDown) OnMouseDown(this, Button, Pos);
  if (Button != Qt::LeftButton || !isEnabled()) return;
  if (!FDown) {
    FState = TButtonState::bsDown;
    update();
  }
  FDragging = true;
}

void TSpeedButton::MouseMove(QPoint Pos) {
  if (!FDragging) return;
  TButtonState New = FDown ? TButtonState::bsExclusive : TButtonState::bsUp;
  if (rect().contains(Pos)) New = FDown ? TButtonState::bsExclusive : TButtonState::bsDown;
  if (New != FState) {
    FState = New;
    update();
  }
}

void TSpeedButton::MouseUp(Qt::MouseButton Button, QPoint Pos) {
  if (Button != Qt::LeftButton || !FDragging) return;
  FDragging = false;
  const bool DoClick = rect().contains(Pos);
  FMouseInControl = DoClick;
  if (FGroupIndex != 0 && DoClick) {
    SetDown(!FDown);
  }
  // Also when the release comes outside without a move before it: the button must not stay
  // drawn down.
  FState = FDown ? TButtonState::bsExclusive : TButtonState::bsUp;
  update();
  if (DoClick) Click();
}

void TSpeedButton::CancelPress() {
  if (!FDragging) return;
  FDragging = false;
  FState = !isEnabled() ? TButtonState::bsDisabled : FDown ? TButtonState::bsExclusive : TButtonState::bsUp;
  update();
}

void TSpeedButton::MouseEnter() {
  FMouseInControl = true;
  update();
}

void TSpeedButton::MouseLeave() {
  FMouseInControl = false;
  update();
}

void TSpeedButton::mousePressEvent(QMouseEvent* Event) {
  InvokeGuarded([&] { MouseDown(Event->button(), Event->position().toPoint()); });
}

void TSpeedButton::mouseDoubleClickEvent(QMouseEvent* Event) {
  // The second press of a double click is a press like the first.
  mousePressEvent(Event);
}

void TSpeedButton::mouseMoveEvent(QMouseEvent* Event) {
  InvokeGuarded([&] { MouseMove(Event->position().toPoint()); });
}

void TSpeedButton::mouseReleaseEvent(QMouseEvent* Event) {
  InvokeGuarded([&] { MouseUp(Event->button(), Event->position().toPoint()); });
}

void TSpeedButton::enterEvent(QEnterEvent* Event) {
  QWidget::enterEvent(Event);
  InvokeGuarded([&] { MouseEnter(); });
}

void TSpeedButton::leaveEvent(QEvent* Event) {
  QWidget::leaveEvent(Event);
  InvokeGuarded([&] { MouseLeave(); });
}

void TSpeedButton::changeEvent(QEvent* Event) {
  QWidget::changeEvent(Event);
  switch (Event->type()) {
    case QEvent::EnabledChange:
      if (!isEnabled()) InvokeGuarded([&] { CancelPress(); });
      UpdateState();
      update();
      break;
    case QEvent::PaletteChange:
      RebuildStateImages();
      update();
      break;
    case QEvent::FontChange:
      updateGeometry();
      update();
      break;
    default:
      break;
  }
}

bool TSpeedButton::event(QEvent* Event) {
  // A modal window or hiding takes the pointer away: the release will never come here.
  if (Event->type() == QEvent::WindowBlocked || Event->type() == QEvent::Hide) InvokeGuarded([&] { CancelPress(); });
  return QWidget::event(Event);
}

QSize TSpeedButton::sizeHint() const {
  const QSize Text = fontMetrics().size(Qt::TextShowMnemonic | Qt::TextSingleLine, FCaption);
  const QSize Glyph = GlyphSize();
  const int W = Glyph.width() + (FCaption.isEmpty() ? 0 : Text.width() + (Glyph.isEmpty() ? 0 : 4)) + 10;
  const int H = std::max(Glyph.height(), FCaption.isEmpty() ? 0 : Text.height()) + 8;
  return QSize(std::max(23, W), std::max(22, H));
}

void TSpeedButton::paintEvent(QPaintEvent*) {
  UpdateState();
  QPainter P(this);
  const bool PressedLook = FState == TButtonState::bsDown || FState == TButtonState::bsExclusive;
  const QPalette& Pal = palette();
  if (!FFlat) {
    qDrawWinButton(&P, rect(), Pal, PressedLook, &Pal.button());
  } else {
    P.fillRect(rect(), Pal.button());
    if (PressedLook || (FMouseInControl && isEnabled())) qDrawShadePanel(&P, rect(), Pal, PressedLook, 1);
  }
  if (FState == TButtonState::bsExclusive && !FMouseInControl)
    P.fillRect(rect().adjusted(2, 2, -2, -2), QBrush(Pal.color(QPalette::Light), Qt::Dense4Pattern));
  TRect Bounds = ToTRect(rect());
  if (PressedLook) Bounds = {Bounds.Left + 1, Bounds.Top + 1, Bounds.Right + 1, Bounds.Bottom + 1};
  const QSize Text = fontMetrics().size(Qt::TextShowMnemonic | Qt::TextSingleLine, FCaption);
  const TContentLayout L = LayoutFancyContent(Bounds, Text, GlyphSize(), 4, -1);
  const QImage& Image = StateImage(FState);
  if (!Image.isNull()) P.drawImage(L.GlyphCorner, Image);
  DrawFancyCaption(P, L.Caption, FCaption, !isEnabled(), Pal);
}

}  // namespace trochodraw
