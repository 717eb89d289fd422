#include "controls/edit_ex_widget.h"

#include <QApplication>
#include <QFocusEvent>
#include <utility>

#include "controls/application_error.h"

namespace trochodraw {

namespace {

std::function<void()>& BeepHandler() {
  static std::function<void()> Handler;
  return Handler;
}

}  // namespace

TCustomEditEx::TCustomEditEx(QWidget* Parent) : QLineEdit(Parent) {
  connect(this, &QLineEdit::textChanged, this, [this] {
    if (!FSettingText) InvokeGuarded([this] { Change(); });
  });
  SetAlignment(TAlignment::taLeftJustify);
}

TCustomEditEx::~TCustomEditEx() = default;

void TCustomEditEx::Beep() {
  if (BeepHandler())
    BeepHandler()();
  else
    QApplication::beep();
}

std::function<void()> TCustomEditEx::SetBeepHandler(std::function<void()> Handler) {
  return std::exchange(BeepHandler(), std::move(Handler));
}

void TCustomEditEx::SetAlignment(TAlignment Value) {
  FAlignment = Value;
  const Qt::Alignment H = Value == TAlignment::taRightJustify ? Qt::AlignRight
                          : Value == TAlignment::taCenter     ? Qt::AlignHCenter
                                                              : Qt::AlignLeft;
  setAlignment(H | Qt::AlignVCenter);
}

void TCustomEditEx::SetText(const QString& Value) {
  if (Value == text()) return;
  ShowText(Value);
  Change();
}

void TCustomEditEx::ShowText(const QString& Value) {
  if (Value == text()) return;
  FSettingText = true;
  setText(Value);
  FSettingText = false;
}

void TCustomEditEx::Change() {
  if (OnChange) OnChange(this);
}

void TCustomEditEx::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TCustomEditEx::DoExit() {
  if (OnExit) OnExit(this);
}

void TCustomEditEx::focusInEvent(QFocusEvent* Event) {
  const bool LeftPress = Event->reason() == Qt::MouseFocusReason && (QGuiApplication::mouseButtons() & Qt::LeftButton);
  QLineEdit::focusInEvent(Event);
  if (AutoSelect && !LeftPress) selectAll();
  InvokeGuarded([this] { DoEnter(); });
}

void TCustomEditEx::focusOutEvent(QFocusEvent* Event) {
  QLineEdit::focusOutEvent(Event);
  // A popup menu or another window taking over leaves the control where it is.
  const bool Exit = Event->reason() != Qt::PopupFocusReason && Event->reason() != Qt::ActiveWindowFocusReason;
  if (Exit) InvokeGuarded([this] { DoExit(); });
  InvokeGuarded([this] {
    if (OnKillFocus) OnKillFocus(this);
  });
}

}  // namespace trochodraw
