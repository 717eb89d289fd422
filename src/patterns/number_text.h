#pragma once

#include <cstdint>
#include <string>

namespace trochodraw {

// The decimal and thousands separators of the user's regional settings. They are single
// bytes; the GUI takes them from the system locale (mapping a non-ASCII separator to a
// plain one), the pattern file and the properties text use them as they come.
struct TFormatSettings {
  char DecimalSeparator = '.';
  char ThousandSeparator = ',';
};

enum TNumberFormat { nfStandard, nfScientific, nfFixed, nfThousands };

// The general format: the shortest form with at most 15 significant digits, no trailing
// zeros; plain for magnitudes from 1E-5 up to 15 integer digits, otherwise scientific with
// a capital E and a bare exponent (1E-6, 1.5E20).
std::string FormatGeneral(double X, const TFormatSettings& FS);

// Fixed notation with exactly Decimals decimals (0 to 18); halves round away from zero.
// A value with more than 18 integer digits falls back on the general format.
std::string FormatFixed(double X, int Decimals, const TFormatSettings& FS);

// As FormatFixed, with the thousands separator between groups of three integer digits.
std::string FormatThousands(double X, int Decimals, const TFormatSettings& FS);

// Exponent format: Digits significant digits (1 to 18), a signed exponent of at least four
// digits: 12.5 with 3 digits is 1.25E+0001.
std::string FormatScientific(double X, int Digits, const TFormatSettings& FS);

// One of the four formats above; Digits means decimals, or significant digits for nfScientific.
std::string FormatNumber(double X, TNumberFormat Format, int Digits, const TFormatSettings& FS);

// Reads a float written with FS's decimal separator: blanks around it, a sign and an
// exponent part (E or e, optional sign) allowed; thousands separators are not. False when
// the text is no number or its magnitude is beyond a 64-bit float (too small gives 0).
bool TryTextToFloat(const std::string& Text, double& Value, const TFormatSettings& FS);

// Drops every thousands separator; nothing when it is the same byte as the decimal one.
std::string RemoveThousandSeparators(const std::string& Text, const TFormatSettings& FS);

// A decimal integer with optional leading blanks and sign; "$" before the digits means
// hexadecimal (up to 64 bits, read as two's complement). False on anything else or overflow.
bool TryStrToInt64(const std::string& Text, int64_t& Value);

// As TryStrToInt64 for 32 bits: hexadecimal up to 8 digits wraps, decimal must fit.
bool TryStrToInt32(const std::string& Text, int32_t& Value);

// Upper-case hexadecimal with at least Digits digits, zero-padded, no prefix; negative
// values as their 64-bit two's complement.
std::string IntToHex(int64_t Value, int Digits);

}  // namespace trochodraw
