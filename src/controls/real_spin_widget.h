#pragma once

#include "controls/spin_widget.h"

namespace trochodraw {

using TRealIncEvent = std::function<void(QObject* Sender, bool Inc, double& Value)>;

// The spin edit of a 64-bit float. Assigning Value raises OnChange only when the shown text
// changes; SetValueNoEvent assigns without it.
class TRealSpin : public TCustomSpin {
  Q_OBJECT

 public:
  explicit TRealSpin(QWidget* Parent = nullptr);
  ~TRealSpin() override;

  double Value() const { return FRules->Value(); }
  void SetValue(double X) { FRules->SetValue(X); }
  void SetValueNoEvent(double X) { FRules->SetValueNoEvent(X); }

  // The settings below only store; the text follows at the next assignment of Value.
  double MinValue() const { return FRules->MinValue; }
  void SetMinValue(double V) { FRules->MinValue = V; }
  double MaxValue() const { return FRules->MaxValue; }
  void SetMaxValue(double V) { FRules->MaxValue = V; }
  double Increment() const { return FRules->Increment; }
  void SetIncrement(double V) { FRules->Increment = V; }
  TNumberFormat NumFormat() const { return FRules->NumFormat; }
  void SetNumFormat(TNumberFormat V) { FRules->NumFormat = V; }
  int Digits() const { return FRules->Digits; }
  void SetDigits(int V) { FRules->Digits = V; }
  bool OwnerIncrement() const { return FRules->OwnerIncrement; }
  void SetOwnerIncrement(bool V) { FRules->OwnerIncrement = V; }
  double LastGoodValue() const { return FRules->LastGoodValue; }
  void SetLastGoodValue(double V) { FRules->LastGoodValue = V; }

  double ConstrainValue(double X) { return FRules->ConstrainValue(X); }
  QString ValueToText(double X) { return QString::fromStdString(FRules->ValueToText(X)); }
  double TextToValue() { return FRules->TextToValue(); }

  // Inc is true for a step up; the handler changes Value.
  TRealIncEvent OnIncrement;

  TRealSpinValue& RealRules() const { return *FRules; }

 protected:
  void SeparatorsChanged(const TFormatSettings& Separators) override;

 private:
  TRealSpinValue* FRules;
};

}  // namespace trochodraw
