#include "patterns/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace trochodraw {

namespace {

// |value| = 0.Digits × 10^Exponent; no digits means zero.
struct TDecimal {
  bool Negative = false;
  int Exponent = 0;
  std::string Digits;
};

constexpr int kMaxPrecision = 18;
constexpr int kGeneralPrecision = 15;
constexpr int kNoDecimalLimit = 100000;

// Rounds X to at most Precision significant digits and at most Decimals decimals. The
// 18-digit expansion is rounded once more with halves away from zero, so that exact halves
// (0.125 to two decimals) go up as the platform's float formatting does.
TDecimal ToDecimal(double X, int Precision, int Decimals) {
  TDecimal d;
  if (X == 0.0) return d;
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(X), std::chars_format::scientific, kMaxPrecision - 1);
  const std::string s(buf, res.ptr);  // d.ddddddddddddddddde±x
  const size_t e = s.find('e');
  std::string digits = s.substr(0, 1) + s.substr(2, e - 2);
  int exponent = std::stoi(s.substr(e + 1)) + 1;
  const int keep = std::min(Precision, exponent + Decimals);
  if (keep < 0) return d;
  if (keep < static_cast<int>(digits.size())) {
    const bool up = digits[static_cast<size_t>(keep)] >= '5';
    digits.resize(static_cast<size_t>(keep));
    if (up) {
      int i = keep - 1;
      while (i >= 0 && digits[static_cast<size_t>(i)] == '9') digits[static_cast<size_t>(i--)] = '0';
      if (i >= 0) {
        ++digits[static_cast<size_t>(i)];
      } else {
        digits = "1";
        ++exponent;
      }
    }
  }
  while (!digits.empty() && digits.back() == '0') digits.pop_back();
  if (digits.empty()) return d;
  d.Negative = X < 0;
  d.Exponent = exponent;
  d.Digits = digits;
  return d;
}

std::string NonFinite(double X) {
  if (std::isnan(X)) return "NAN";
  return X < 0 ? "-INF" : "INF";
}

char DigitAt(const TDecimal& d, int Pos) {
  return Pos >= 0 && Pos < static_cast<int>(d.Digits.size()) ? d.Digits[static_cast<size_t>(Pos)] : '0';
}

std::string FixedText(double X, int Decimals, const TFormatSettings& FS, bool Thousands) {
  if (!std::isfinite(X)) return NonFinite(X);
  Decimals = std::clamp(Decimals, 0, kMaxPrecision);
  const TDecimal d = ToDecimal(X, kMaxPrecision, Decimals);
  if (d.Exponent > kMaxPrecision) return FormatGeneral(X, FS);
  std::string whole;
  for (int p = 0; p < d.Exponent; ++p) whole += DigitAt(d, p);
  if (whole.empty()) whole = "0";
  if (Thousands) {
    std::string grouped;
    for (size_t i = 0; i < whole.size(); ++i) {
      if (i > 0 && (whole.size() - i) % 3 == 0) grouped += FS.ThousandSeparator;
      grouped += whole[i];
    }
    whole = grouped;
  }
  std::string out = d.Negative ? "-" + whole : whole;
  if (Decimals > 0) {
    out += FS.DecimalSeparator;
    for (int p = d.Exponent; p < d.Exponent + Decimals; ++p) out += DigitAt(d, p);
  }
  return out;
}

bool IsBlank(char C) { return C == ' ' || C == '\t'; }

bool IsDigit(char C) { return C >= '0' && C <= '9'; }

int HexDigit(char C) {
  if (IsDigit(C)) return C - '0';
  if (C >= 'a' && C <= 'f') return C - 'a' + 10;
  if (C >= 'A' && C <= 'F') return C - 'A' + 10;
  return -1;
}

// Sign, digits and base of an integer text; the value itself is built by the callers.
struct TIntegerText {
  bool Negative = false;
  bool Hex = false;
  uint64_t Magnitude = 0;
};

bool ScanInteger(const std::string& Text, TIntegerText& Out) {
  size_t i = 0;
  while (i < Text.size() && IsBlank(Text[i])) ++i;
  if (i < Text.size() && (Text[i] == '+' || Text[i] == '-')) Out.Negative = Text[i++] == '-';
  if (i < Text.size() && Text[i] == '$') {
    Out.Hex = true;
    ++i;
  }
  if (i == Text.size()) return false;
  const uint64_t base = Out.Hex ? 16 : 10;
  uint64_t v = 0;
  for (; i < Text.size(); ++i) {
    const int digit = Out.Hex ? HexDigit(Text[i]) : (IsDigit(Text[i]) ? Text[i] - '0' : -1);
    if (digit < 0) return false;
    if (v > (std::numeric_limits<uint64_t>::max() - static_cast<uint64_t>(digit)) / base) return false;
    v = v * base + static_cast<uint64_t>(digit);
  }
  Out.Magnitude = v;
  return true;
}

}  // namespace

std::string FormatGeneral(double X, const TFormatSettings& FS) {
  if (!std::isfinite(X)) return NonFinite(X);
  const TDecimal d = ToDecimal(X, kGeneralPrecision, kNoDecimalLimit);
  if (d.Digits.empty()) return "0";
  std::string out = d.Negative ? "-" : "";
  const int n = static_cast<int>(d.Digits.size());
  if (d.Exponent >= -4 && d.Exponent <= kGeneralPrecision) {
    if (d.Exponent <= 0) {
      out += '0';
      out += FS.DecimalSeparator;
      out.append(static_cast<size_t>(-d.Exponent), '0');
      out += d.Digits;
    } else {
      for (int p = 0; p < d.Exponent; ++p) out += DigitAt(d, p);
      if (n > d.Exponent) {
        out += FS.DecimalSeparator;
        out += d.Digits.substr(static_cast<size_t>(d.Exponent));
      }
    }
    return out;
  }
  out += d.Digits[0];
  if (n > 1) {
    out += FS.DecimalSeparator;
    out += d.Digits.substr(1);
  }
  out += 'E';
  out += std::to_string(d.Exponent - 1);
  return out;
}

std::string FormatFixed(double X, int Decimals, const TFormatSettings& FS) { return FixedText(X, Decimals, FS, false); }

std::string FormatThousands(double X, int Decimals, const TFormatSettings& FS) {
  return FixedText(X, Decimals, FS, true);
}

std::string FormatScientific(double X, int Digits, const TFormatSettings& FS) {
  if (!std::isfinite(X)) return NonFinite(X);
  const int precision = std::clamp(Digits, 1, kMaxPrecision);
  const TDecimal d = ToDecimal(X, precision, kNoDecimalLimit);
  std::string out = d.Negative ? "-" : "";
  out += d.Digits.empty() ? '0' : d.Digits[0];
  if (precision > 1) {
    out += FS.DecimalSeparator;
    for (int p = 1; p < precision; ++p) out += DigitAt(d, p);
  }
  const int exponent = d.Digits.empty() ? 0 : d.Exponent - 1;
  std::string e = std::to_string(std::abs(exponent));
  if (e.size() < 4) e.insert(0, 4 - e.size(), '0');
  out += exponent < 0 ? "E-" : "E+";
  return out + e;
}

std::string FormatNumber(double X, TNumberFormat Format, int Digits, const TFormatSettings& FS) {
  switch (Format) {
    case nfScientific:
      return FormatScientific(X, Digits, FS);
    case nfFixed:
      return FormatFixed(X, Digits, FS);
    case nfThousands:
      return FormatThousands(X, Digits, FS);
    case nfStandard:
      break;
  }
  return FormatGeneral(X, FS);
}

bool TryTextToFloat(const std::string& Text, double& Value, const TFormatSettings& FS) {
  size_t i = 0;
  const size_t n = Text.size();
  while (i < n && IsBlank(Text[i])) ++i;
  std::string plain;  // the number rewritten for the locale-free parser
  if (i < n && (Text[i] == '+' || Text[i] == '-')) {
    if (Text[i] == '-') plain += '-';
    ++i;
  }
  int wholeDigits = 0, leadingZeros = 0, mantissaDigits = 0;
  bool point = false, nonZeroSeen = false;
  plain += '0';
  for (; i < n; ++i) {
    const char c = Text[i];
    if (IsDigit(c)) {
      ++mantissaDigits;
      if (c != '0') nonZeroSeen = true;
      if (!point && nonZeroSeen) ++wholeDigits;
      if (point && !nonZeroSeen) ++leadingZeros;
      plain += c;
    } else if (c == FS.DecimalSeparator && !point) {
      point = true;
      plain += '.';
    } else {
      break;
    }
  }
  if (mantissaDigits == 0) return false;
  long exponent = 0;
  if (i < n && (Text[i] == 'E' || Text[i] == 'e')) {
    ++i;
    bool negative = false;
    if (i < n && (Text[i] == '+' || Text[i] == '-')) negative = Text[i++] == '-';
    if (i == n || !IsDigit(Text[i])) return false;
    for (; i < n && IsDigit(Text[i]); ++i) exponent = std::min(exponent * 10 + (Text[i] - '0'), 1000000L);
    if (negative) exponent = -exponent;
    plain += 'e' + std::to_string(exponent);
  }
  while (i < n && IsBlank(Text[i])) ++i;
  if (i != n) return false;
  double v = 0.0;
  const auto res = std::from_chars(plain.data(), plain.data() + plain.size(), v, std::chars_format::general);
  if (res.ec == std::errc::result_out_of_range) {
    // Only a value too small for a 64-bit float is read (as zero); too large is refused.
    const long magnitude = (wholeDigits > 0 ? wholeDigits : -leadingZeros) + exponent;
    if (!nonZeroSeen || magnitude < 0) {
      Value = plain[0] == '-' ? -0.0 : 0.0;
      return true;
    }
    return false;
  }
  if (res.ec != std::errc() || res.ptr != plain.data() + plain.size() || !std::isfinite(v)) return false;
  Value = v;
  return true;
}

std::string RemoveThousandSeparators(const std::string& Text, const TFormatSettings& FS) {
  if (FS.ThousandSeparator == FS.DecimalSeparator) return Text;
  std::string out;
  out.reserve(Text.size());
  for (char c : Text)
    if (c != FS.ThousandSeparator) out += c;
  return out;
}

bool TryStrToInt64(const std::string& Text, int64_t& Value) {
  TIntegerText t;
  if (!ScanInteger(Text, t)) return false;
  if (!t.Hex) {
    const uint64_t limit = static_cast<uint64_t>(std::numeric_limits<int64_t>::max()) + (t.Negative ? 1 : 0);
    if (t.Magnitude > limit) return false;
  }
  const uint64_t v = t.Negative ? 0 - t.Magnitude : t.Magnitude;
  Value = static_cast<int64_t>(v);
  return true;
}

bool TryStrToInt32(const std::string& Text, int32_t& Value) {
  TIntegerText t;
  if (!ScanInteger(Text, t)) return false;
  if (t.Hex) {
    if (t.Magnitude > 0xFFFFFFFFull) return false;
    const uint32_t v = static_cast<uint32_t>(t.Negative ? 0 - t.Magnitude : t.Magnitude);
    Value = static_cast<int32_t>(v);
    return true;
  }
  const uint64_t limit = static_cast<uint64_t>(std::numeric_limits<int32_t>::max()) + (t.Negative ? 1 : 0);
  if (t.Magnitude > limit) return false;
  Value = static_cast<int32_t>(t.Negative ? -static_cast<int64_t>(t.Magnitude) : static_cast<int64_t>(t.Magnitude));
  return true;
}

std::string IntToHex(int64_t Value, int Digits) {
  static const char kHex[] = "0123456789ABCDEF";
  uint64_t v = static_cast<uint64_t>(Value);
  std::string out;
  do {
    out.insert(out.begin(), kHex[v & 15]);
    v >>= 4;
  } while (v != 0);
  const size_t width = static_cast<size_t>(std::clamp(Digits, 0, 32));
  if (out.size() < width) out.insert(0, width - out.size(), '0');
  return out;
}

}  // namespace trochodraw
