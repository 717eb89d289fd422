#pragma once

#include <stdexcept>
#include <string>

#include "patterns/number_text.h"
#include "patterns/pattern.h"

namespace trochodraw {

// A pattern file that cannot be shared: unreadable, incomplete, or not written.
class EPatternExchange : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Every pattern of a pattern file, for importing: unlike the library's own lenient loading,
// a file that lacks a key, holds a value that is no number, or holds no patterns at all is
// refused with the first fault, in words.
TPatternArray ReadPatternFile(const std::string& FileName, const TFormatSettings& FS);

// The text of a pattern file holding List, in the library's format with FS's decimal separator.
std::string PatternFileText(const TPatternArray& List, const TFormatSettings& FS);

// Writes List as a pattern file of its own (a file that was there is replaced whole, through
// a temporary file beside it), in the library's format and with FS's decimal separator.
void WritePatternFile(const std::string& FileName, const TPatternArray& List, const TFormatSettings& FS);

}  // namespace trochodraw
