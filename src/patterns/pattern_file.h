#pragma once

#include <string>

#include "patterns/ini_file.h"
#include "patterns/number_text.h"
#include "patterns/pattern.h"

namespace trochodraw {

inline constexpr const char* kPatternFileName = "Gyrotracer.ini";
inline constexpr const char* kPatternSection = "Patterns";

// A "Count" above this is believed only as far as the file holds entries without a gap, so a
// damaged count cannot make the program build millions of empty patterns.
inline constexpr int kPatternCountBound = 10000;

// Gyrotracer.ini in $XDG_CONFIG_HOME/trochodraw (an absolute path), else ~/.config/trochodraw.
std::string DefaultPatternFileName();

// Replaces List by the patterns of the file and returns their number; 0 (and an empty List)
// when the file, its "Count" or a count of at least 1 is missing.
int LoadPatterns(TPatternArray& List, const std::string& FileName, const TFormatSettings& FS);
int LoadPatterns(TPatternArray& List, const TIniFile& File);

// Writes "Count" and the 14 keys of every entry; keys of other sections and of higher,
// stale indexes stay. The file is replaced whole or not at all: EIniFileException
// ("Unable to write to Gyrotracer.ini") when it cannot be written.
void SavePatterns(const TPatternArray& List, const std::string& FileName, const TFormatSettings& FS);

// The 14 keys of index I; a missing or unreadable key leaves P's field as it was.
void ReadPattern(const TIniFile& File, int I, TPattern& P);
void WritePattern(TIniFile& File, int I, const TPattern& P);

}  // namespace trochodraw
