#pragma once

#include <string>

#include "patterns/number_text.h"
#include "patterns/pattern.h"

namespace trochodraw::cli {

int RunPatterns(int argc, char** argv);  // argv[0] is the "patterns" word

// The separators of the user's regional settings, as the program uses them for the file.
TFormatSettings SystemFormatSettings();

// The library as the program loads it at start: the file's patterns, or the built-in list
// when it holds none. An explicit FileName must exist (EUsage); a file that cannot be read
// is an error rather than an empty library. Nothing is ever written.
TPatternArray LoadPatternLibrary(const std::string& FileName, const TFormatSettings& FS);

}  // namespace trochodraw::cli
