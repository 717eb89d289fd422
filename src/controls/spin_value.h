#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "patterns/number_text.h"

namespace trochodraw {

enum TWrapMode { wrPastMax = 0, wrPastMin = 1 };

// The value rules of a spin edit without its window: the edit's text, the range switches
// and the events. A widget forwards the user's text changes, key presses, arrow steps and
// focus loss here, and shows whatever text OnTextWrite hands it (without reporting that
// change back). Settings that are plain fields only store; the text follows at the next
// assignment of the value.
class TCustomSpinValue {
 public:
  virtual ~TCustomSpinValue() = default;

  bool EditorEnabled = true;
  bool ReadOnly = false;
  bool UseLimit = false;
  bool Wrap = false;  // with UseLimit: past one limit continues from the other
  bool BlockChangeEvent = false;
  TFormatSettings FormatSettings;

  std::function<void()> OnChange;
  std::function<void(TWrapMode)> OnWrap;
  std::function<void()> OnBeep;                         // the platform's default beep
  std::function<void(const std::string&)> OnTextWrite;  // the edit is to show this text

  const std::string& Text() const { return FText; }
  // Assigns the edit's text from code: only a different text is written, then the
  // text-change rule runs.
  void SetText(const std::string& Text);
  // The user changed the edit's text (typing, cut, paste): the text-change rule.
  void TextEdited(const std::string& Text);

  // Key press filter: false when the character is to be dropped (the beep has sounded).
  bool KeyPress(char32_t Ch);
  virtual bool AcceptsKey(char32_t Ch) const = 0;
  // One arrow step; CtrlDown makes it ten increments. A read-only control only beeps.
  virtual void StepUp(bool CtrlDown) = 0;
  virtual void StepDown(bool CtrlDown) = 0;
  // After the widget's own exit handling: an empty text takes the last good value, and the
  // value's canonical text is written.
  virtual void FocusLeft() = 0;

 protected:
  void WriteText(const std::string& Text);
  virtual void TextChanged() = 0;
  void RaiseChange();
  void RaiseWrap(TWrapMode Mode);
  void Beep();
  bool AcceptsControlKey(char32_t Ch) const;

 private:
  std::string FText = "0";
};

// TRealSpin's rules: a 64-bit float tied to the text.
class TRealSpinValue : public TCustomSpinValue {
 public:
  TRealSpinValue() = default;
  TRealSpinValue(const TRealSpinValue&) = delete;
  TRealSpinValue& operator=(const TRealSpinValue&) = delete;

  double MinValue = 0.0;
  double MaxValue = 0.0;
  double Increment = 1.0;
  TNumberFormat NumFormat = nfStandard;
  int Digits = 5;  // decimals, or significant digits for nfScientific
  bool OwnerIncrement = false;
  std::function<void(bool Inc, double& Value)> OnIncrement;
  double LastGoodValue = 0.0;  // the last value assigned or read from the text

  double Value() const { return FValue; }
  // Constrains X and writes its text; the value ends as read back from a changed text.
  void SetValue(double X);
  void SetValueNoEvent(double X);
  double ConstrainValue(double X);
  std::string ValueToText(double X);
  double TextToValue();
  // The regional settings changed: new separators, and the value's text rewritten.
  void SetRegionalSettings(const TFormatSettings& FS);

  bool AcceptsKey(char32_t Ch) const override;
  void StepUp(bool CtrlDown) override;
  void StepDown(bool CtrlDown) override;
  void FocusLeft() override;

 protected:
  void TextChanged() override;

 private:
  void Step(bool Up, bool CtrlDown);
  double FValue = 0.0;
};

// TIntegerSpin's rules: a 64-bit integer kept only as the text.
class TIntegerSpinValue : public TCustomSpinValue {
 public:
  TIntegerSpinValue() = default;
  TIntegerSpinValue(const TIntegerSpinValue&) = delete;
  TIntegerSpinValue& operator=(const TIntegerSpinValue&) = delete;

  int64_t MinValue = 0;
  int64_t MaxValue = 0;
  int64_t Increment = 1;
  bool OwnerIncrement = false;
  std::function<void(bool Inc, int64_t& Value)> OnIncrement;
  int64_t LastGoodValue = 0;

  // Read from the text at every call (constrained); the last good value when it does not convert.
  int64_t Value();
  void SetValue(int64_t X);
  int64_t ConstrainValue(int64_t X);
  std::string ValueToText(int64_t X);

  bool HexMode() const { return FHexMode; }
  void SetHexMode(bool On);
  int HexDigits() const { return FHexDigits; }
  void SetHexDigits(int Digits);

  bool AcceptsKey(char32_t Ch) const override;
  void StepUp(bool CtrlDown) override;
  void StepDown(bool CtrlDown) override;
  void FocusLeft() override;

 protected:
  void TextChanged() override;

 private:
  void Step(bool Up, bool CtrlDown);
  bool FHexMode = false;
  int FHexDigits = 4;
};

}  // namespace trochodraw
