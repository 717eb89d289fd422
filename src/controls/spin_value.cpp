#include "controls/spin_value.h"

#include <cmath>
#include <limits>

namespace trochodraw {

namespace {

bool IsDigitKey(char32_t Ch) { return Ch >= U'0' && Ch <= U'9'; }

char32_t KeyOf(char C) { return static_cast<unsigned char>(C); }

// 64-bit integer arithmetic that wraps on overflow instead of being undefined.
int64_t WrapAdd(int64_t A, int64_t B) {
  return static_cast<int64_t>(static_cast<uint64_t>(A) + static_cast<uint64_t>(B));
}
int64_t WrapSub(int64_t A, int64_t B) {
  return static_cast<int64_t>(static_cast<uint64_t>(A) - static_cast<uint64_t>(B));
}

// A step never jumps from one end of the number range to the other.
int64_t SaturatedStep(int64_t Value, int64_t Increment, int64_t Factor, bool Up) {
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max(), kMin = std::numeric_limits<int64_t>::min();
  int64_t step = 0, out = 0;
  if (__builtin_mul_overflow(Increment, Factor, &step)) step = Increment > 0 ? kMax : kMin;
  const bool over = Up ? __builtin_add_overflow(Value, step, &out) : __builtin_sub_overflow(Value, step, &out);
  if (!over) return out;
  return (Up ? step > 0 : step < 0) ? kMax : kMin;
}

// Keeps a flag set for a scope and restores it also when an exception passes.
class TFlagGuard {
 public:
  explicit TFlagGuard(bool& Flag) : FFlag(Flag), FOld(Flag) { Flag = true; }
  ~TFlagGuard() { FFlag = FOld; }
  TFlagGuard(const TFlagGuard&) = delete;
  TFlagGuard& operator=(const TFlagGuard&) = delete;

 private:
  bool& FFlag;
  bool FOld;
};

}  // namespace

// ---- TCustomSpinValue

void TCustomSpinValue::SetText(const std::string& Text) { WriteText(Text); }

void TCustomSpinValue::TextEdited(const std::string& Text) {
  if (Text == FText) return;
  FText = Text;
  TextChanged();
}

void TCustomSpinValue::WriteText(const std::string& Text) {
  if (Text == FText) return;
  FText = Text;
  if (OnTextWrite) OnTextWrite(FText);
  TextChanged();
}

bool TCustomSpinValue::KeyPress(char32_t Ch) {
  if (AcceptsKey(Ch)) return true;
  Beep();
  return false;
}

void TCustomSpinValue::RaiseChange() {
  if (!BlockChangeEvent && OnChange) OnChange();
}

void TCustomSpinValue::RaiseWrap(TWrapMode Mode) {
  if (OnWrap) OnWrap(Mode);
}

void TCustomSpinValue::Beep() {
  if (OnBeep) OnBeep();
}

bool TCustomSpinValue::AcceptsControlKey(char32_t Ch) const { return Ch < 32 && Ch != 13; }

// ---- TRealSpinValue

double TRealSpinValue::ConstrainValue(double X) {
  if (!UseLimit) return X;
  const bool wrap = Wrap && MinValue != MaxValue && std::isfinite(X);
  double r = X;
  if (X >= MaxValue) {
    if (wrap && MaxValue > 0) {
      // Taking MaxValue off until below it, then counting on from MinValue.
      r = MinValue + std::fmod(r, MaxValue);
      RaiseWrap(wrPastMax);
    } else if (wrap && MinValue < MaxValue) {
      // Subtracting a limit of 0 or less never ends; wrap into the range instead.
      const double span = MaxValue - MinValue;
      double m = std::fmod(r - MinValue, span);
      if (m < 0) m += span;
      r = MinValue + m;
      RaiseWrap(wrPastMax);
    } else {
      r = MaxValue;
    }
  }
  if (X < MinValue) {
    if (wrap) {
      // One reflection at MinValue; repeating it could only cycle between two values.
      r = MaxValue - (MinValue - r);
      RaiseWrap(wrPastMin);
    } else {
      r = MinValue;
    }
  }
  return r;
}

std::string TRealSpinValue::ValueToText(double X) {
  return FormatNumber(ConstrainValue(X), NumFormat, Digits, FormatSettings);
}

double TRealSpinValue::TextToValue() {
  double v = 0.0;
  if (!TryTextToFloat(RemoveThousandSeparators(Text(), FormatSettings), v, FormatSettings)) return LastGoodValue;
  const double r = ConstrainValue(v);
  LastGoodValue = r;
  return r;
}

void TRealSpinValue::SetValue(double X) {
  const double v = ConstrainValue(X);
  LastGoodValue = v;
  FValue = v;
  WriteText(ValueToText(v));
}

void TRealSpinValue::SetValueNoEvent(double X) {
  TFlagGuard block(BlockChangeEvent);
  SetValue(X);
}

void TRealSpinValue::SetRegionalSettings(const TFormatSettings& FS) {
  FormatSettings = FS;
  WriteText(ValueToText(FValue));
}

void TRealSpinValue::TextChanged() {
  FValue = TextToValue();
  RaiseChange();
}

bool TRealSpinValue::AcceptsKey(char32_t Ch) const {
  bool ok = Ch == U'+' || Ch == U'-' || IsDigitKey(Ch) || Ch == U'E' || Ch == U'e' ||
            Ch == KeyOf(FormatSettings.DecimalSeparator) || Ch == KeyOf(FormatSettings.ThousandSeparator) ||
            AcceptsControlKey(Ch);
  if (ok && !EditorEnabled && (Ch >= 32 || Ch == 8)) ok = false;
  return ok;
}

void TRealSpinValue::Step(bool Up, bool CtrlDown) {
  const double factor = CtrlDown ? 10.0 : 1.0;
  if (ReadOnly) {
    Beep();
    return;
  }
  if (OwnerIncrement) {
    double v = FValue;
    if (OnIncrement) OnIncrement(Up, v);
    SetValue(v);
  } else {
    SetValue(Up ? FValue + factor * Increment : FValue - factor * Increment);
  }
}

void TRealSpinValue::StepUp(bool CtrlDown) { Step(true, CtrlDown); }

void TRealSpinValue::StepDown(bool CtrlDown) { Step(false, CtrlDown); }

void TRealSpinValue::FocusLeft() {
  if (Text().empty()) SetValue(LastGoodValue);
  SetValue(FValue);
}

// ---- TIntegerSpinValue

int64_t TIntegerSpinValue::ConstrainValue(int64_t X) {
  if (!UseLimit) return X;
  const bool wrap = Wrap && MinValue != MaxValue;
  int64_t r = X;
  if (X >= MaxValue) {
    if (wrap && MaxValue > 0) {
      r = WrapAdd(MinValue, r % MaxValue);
      RaiseWrap(wrPastMax);
    } else if (wrap && MinValue < MaxValue) {
      const uint64_t span = static_cast<uint64_t>(MaxValue) - static_cast<uint64_t>(MinValue);
      const uint64_t offset = (static_cast<uint64_t>(r) - static_cast<uint64_t>(MinValue)) % span;
      r = static_cast<int64_t>(static_cast<uint64_t>(MinValue) + offset);
      RaiseWrap(wrPastMax);
    } else {
      r = MaxValue;
    }
  }
  if (X < MinValue) {
    if (wrap) {
      r = WrapSub(MaxValue, WrapSub(MinValue, r));
      RaiseWrap(wrPastMin);
    } else {
      r = MinValue;
    }
  }
  return r;
}

std::string TIntegerSpinValue::ValueToText(int64_t X) {
  const int64_t v = ConstrainValue(X);
  return FHexMode ? IntToHex(v, FHexDigits) : std::to_string(v);
}

int64_t TIntegerSpinValue::Value() {
  int64_t v = 0;
  if (!TryStrToInt64(FHexMode ? "$" + Text() : Text(), v)) return LastGoodValue;
  const int64_t r = ConstrainValue(v);
  LastGoodValue = r;
  return r;
}

void TIntegerSpinValue::SetValue(int64_t X) {
  LastGoodValue = X;
  WriteText(ValueToText(X));
}

void TIntegerSpinValue::SetHexMode(bool On) {
  const int64_t v = Value();
  FHexMode = On;
  SetValue(v);
}

void TIntegerSpinValue::SetHexDigits(int Digits) {
  const int64_t v = Value();
  FHexDigits = Digits;
  SetValue(v);
}

void TIntegerSpinValue::TextChanged() { RaiseChange(); }

bool TIntegerSpinValue::AcceptsKey(char32_t Ch) const {
  bool ok;
  if (FHexMode)
    ok = IsDigitKey(Ch) || (Ch >= U'A' && Ch <= U'F') || (Ch >= U'a' && Ch <= U'f');
  else
    ok = Ch == U'+' || Ch == U'-' || IsDigitKey(Ch) || Ch == KeyOf(FormatSettings.DecimalSeparator);
  ok = ok || AcceptsControlKey(Ch);
  if (ok && !EditorEnabled && (Ch >= 32 || Ch == 8)) ok = false;
  return ok;
}

void TIntegerSpinValue::Step(bool Up, bool CtrlDown) {
  const int64_t factor = CtrlDown ? 10 : 1;
  if (ReadOnly) {
    Beep();
    return;
  }
  if (OwnerIncrement) {
    int64_t v = Value();
    if (OnIncrement) OnIncrement(Up, v);
    SetValue(v);
  } else {
    SetValue(SaturatedStep(Value(), Increment, factor, Up));
  }
}

void TIntegerSpinValue::StepUp(bool CtrlDown) { Step(true, CtrlDown); }

void TIntegerSpinValue::StepDown(bool CtrlDown) { Step(false, CtrlDown); }

void TIntegerSpinValue::FocusLeft() {
  if (Text().empty()) SetValue(LastGoodValue);
  SetValue(Value());
}

}  // namespace trochodraw
