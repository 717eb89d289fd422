#pragma once

#include <string>

#include "patterns/number_text.h"
#include "patterns/pattern.h"

namespace trochodraw {

inline constexpr const char* kMemoLineBreak = "\r\n";

// x with exactly 2 (F2) or 4 (F4) decimals, no thousands separators.
std::string F2(double X, const TFormatSettings& FS);
std::string F4(double X, const TFormatSettings& FS);

// "(X: <F4 X>; Y: <F4 Y>)".
std::string OffsetText(double X, double Y, const TFormatSettings& FS);

// The 13 labelled fields of P, each followed by ";" and Sep (the last one too). The name is
// inserted as it is.
std::string PatternText(const TPattern& P, const std::string& Sep, const TFormatSettings& FS);

// The Properties dialog's memo: Text goes on a new line at the end (after a line break
// that the memo's text does not end with yet), and a line break follows it.
void AppendMemoText(std::string& Memo, const std::string& Text, const std::string& LineBreak = kMemoLineBreak);

// What ShowPatternProperties and ShowAllPatternProperties add to the memo.
void AppendPatternProperties(std::string& Memo, const TPattern& P, const TFormatSettings& FS,
                             const std::string& LineBreak = kMemoLineBreak);
void AppendAllPatternProperties(std::string& Memo, const TPatternArray& List, const TFormatSettings& FS,
                                const std::string& LineBreak = kMemoLineBreak);

}  // namespace trochodraw
