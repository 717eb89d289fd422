#include "controls/up_down_button.h"

#include <QKeyEvent>

#include "controls/application_error.h"

namespace trochodraw {

namespace {

bool CanFocus(const QWidget* W) { return W && W->isEnabled() && W->isVisible(); }

}  // namespace

TUpDownButton::TUpDownButton(QWidget* Parent) : QWidget(Parent) {
  setFocusPolicy(Qt::NoFocus);
  FUp = new TArrowButton(this);
  FUp->setObjectName(QStringLiteral("UpArrowButton"));
  FUp->SetUpArrow(true);
  FDown = new TArrowButton(this);
  FDown->setObjectName(QStringLiteral("DownArrowButton"));
  FFocused = FUp;
  FUp->OnClick = [this](QObject*) {
    if (OnUpClick) OnUpClick(this);
  };
  FDown->OnClick = [this](QObject*) {
    if (OnDownClick) OnDownClick(this);
  };
  FUp->OnMouseDown = [this](QObject*, Qt::MouseButton B, QPoint) { ArrowMouseDown(FUp, B); };
  FDown->OnMouseDown = [this](QObject*, Qt::MouseButton B, QPoint) { ArrowMouseDown(FDown, B); };
  resize(17, 23);
  Layout();  // a hidden widget gets its resize event only when shown
}

void TUpDownButton::ArrowMouseDown(TArrowButton* Arrow, Qt::MouseButton Button) {
  if (Button != Qt::LeftButton) return;
  if (TabStop() && CanFocus(this)) SetFocusedButton(Arrow);
  const bool ControlTakesFocus = FFocusControl && (FFocusControl->focusPolicy() & Qt::TabFocus) &&
                                 CanFocus(FFocusControl) && !FFocusControl->hasFocus();
  if (ControlTakesFocus)
    FFocusControl->setFocus(Qt::OtherFocusReason);
  else if (TabStop() && !hasFocus() && CanFocus(this))
    setFocus(Qt::OtherFocusReason);
}

void TUpDownButton::SetFocusedButton(TArrowButton* Arrow) {
  FFocused = Arrow;
  UpdateFocusLook();
}

void TUpDownButton::UpdateFocusLook() {
  FUp->SetShowFocus(hasFocus() && FFocused == FUp);
  FDown->SetShowFocus(hasFocus() && FFocused == FDown);
}

void TUpDownButton::Layout() {
  if (width() < 15) {
    resize(15, height());  // the new size lays out again
    return;
  }
  const int W = width();
  const int UpHeight = height() / 2;
  FUp->setGeometry(0, 0, W, UpHeight);
  FDown->setGeometry(0, UpHeight - 1, W, height() - UpHeight + 1);
}

void TUpDownButton::resizeEvent(QResizeEvent* Event) {
  QWidget::resizeEvent(Event);
  Layout();
}

void TUpDownButton::keyPressEvent(QKeyEvent* Event) {
  InvokeGuarded([&] {
    switch (Event->key()) {
      case Qt::Key_Space:
        FFocused->Click();
        break;
      case Qt::Key_Up:
        SetFocusedButton(FUp);
        FUp->Click();
        break;
      case Qt::Key_Down:
        SetFocusedButton(FDown);
        FDown->Click();
        break;
      default:
        Event->ignore();
        return;
    }
    Event->accept();
  });
}

void TUpDownButton::focusInEvent(QFocusEvent* Event) {
  QWidget::focusInEvent(Event);
  UpdateFocusLook();
}

void TUpDownButton::focusOutEvent(QFocusEvent* Event) {
  QWidget::focusOutEvent(Event);
  UpdateFocusLook();
}

}  // namespace trochodraw
