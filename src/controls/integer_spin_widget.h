#pragma once

#include "controls/spin_widget.h"

namespace trochodraw {

using TIntegerIncEvent = std::function<void(QObject* Sender, bool Inc, int64_t& Value)>;

// The spin edit of a 64-bit integer, decimal or hexadecimal. It keeps no value apart from
// its text: Value reads the text at every call.
class TIntegerSpin : public TCustomSpin {
  Q_OBJECT

 public:
  explicit TIntegerSpin(QWidget* Parent = nullptr);
  ~TIntegerSpin() override;

  int64_t Value() const { return FRules->Value(); }
  void SetValue(int64_t X) { FRules->SetValue(X); }

  int64_t MinValue() const { return FRules->MinValue; }
  void SetMinValue(int64_t V) { FRules->MinValue = V; }
  int64_t MaxValue() const { return FRules->MaxValue; }
  void SetMaxValue(int64_t V) { FRules->MaxValue = V; }
  int64_t Increment() const { return FRules->Increment; }
  void SetIncrement(int64_t V) { FRules->Increment = V; }
  bool OwnerIncrement() const { return FRules->OwnerIncrement; }
  void SetOwnerIncrement(bool V) { FRules->OwnerIncrement = V; }
  int64_t LastGoodValue() const { return FRules->LastGoodValue; }
  void SetLastGoodValue(int64_t V) { FRules->LastGoodValue = V; }

  // Changing either rewrites the text of the value read with the old setting.
  bool HexMode() const { return FRules->HexMode(); }
  void SetHexMode(bool V) { FRules->SetHexMode(V); }
  int HexDigits() const { return FRules->HexDigits(); }
  void SetHexDigits(int V) { FRules->SetHexDigits(V); }

  int64_t ConstrainValue(int64_t X) { return FRules->ConstrainValue(X); }

  TIntegerIncEvent OnIncrement;

  TIntegerSpinValue& IntegerRules() const { return *FRules; }

 private:
  TIntegerSpinValue* FRules;
};

}  // namespace trochodraw
