#pragma once

#include <QLineEdit>
#include <functional>

#include "controls/control_events.h"

namespace trochodraw {

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

// A one-line edit with a text alignment and the toolkit's edit events. Program assignments
// of the text go through SetText, which runs the change handling outside Qt's own frames so
// that an error of a handler reaches the caller; changes by the user run it from the event
// loop, and an error there goes to the error box.
class TCustomEditEx : public QLineEdit {
  Q_OBJECT

 public:
  explicit TCustomEditEx(QWidget* Parent = nullptr);
  ~TCustomEditEx() override;

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);

  QString Text() const { return text(); }
  void SetText(const QString& Value);
  bool ReadOnly() const { return isReadOnly(); }
  void SetReadOnly(bool Value) { setReadOnly(Value); }

  // Entering the control selects all its text, unless a left mouse press on it brought the focus.
  bool AutoSelect = true;

  TNotifyEvent OnChange;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  // Raised after the control has lost the keyboard focus and that has been handled.
  TNotifyEvent OnKillFocus;

  // The platform's default beep (QApplication::beep unless a handler is installed).
  static void Beep();
  static std::function<void()> SetBeepHandler(std::function<void()> Handler);

 protected:
  // Every change of the text, by the user or by assignment.
  virtual void Change();
  // Shows Value without running Change (the caller has handled the change already).
  void ShowText(const QString& Value);
  virtual void DoEnter();
  // Focus moved to another control of the window.
  virtual void DoExit();

  void focusInEvent(QFocusEvent* Event) override;
  void focusOutEvent(QFocusEvent* Event) override;

 private:
  TAlignment FAlignment = TAlignment::taLeftJustify;
  bool FSettingText = false;
};

// The plain edit box the main window uses for its read-out fields.
class TEditEx : public TCustomEditEx {
  Q_OBJECT

 public:
  using TCustomEditEx::TCustomEditEx;
};

}  // namespace trochodraw
