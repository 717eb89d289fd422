#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

#include "patterns/number_text.h"

namespace trochodraw {

// A refused write of an INI file: "Unable to write to %s".
class EIniFileException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An INI file read into memory with the private-profile rules: section and key names match
// without regard to case, blanks around a value and one pair of matching quotes are
// dropped, values come back cut at 2047 characters. Writing replaces a key's value in its
// line, appends a new key to its section (a new section to the file) and keeps every other
// line. UpdateFile writes the whole text at once, so the file on disk is either the old one
// or the new one.
class TIniFile {
 public:
  static constexpr size_t kMaxValueLength = 2047;

  // Reads FileName when it exists; a missing file reads as an empty one.
  explicit TIniFile(std::string FileName, TFormatSettings FS = {});

  const std::string& FileName() const { return FFileName; }
  bool Exists() const { return FExists; }
  // The file is there but could not be read; such a file is never overwritten.
  bool ReadFailed() const { return FReadFailed; }

  bool ValueExists(const std::string& Section, const std::string& Key) const;
  std::string ReadString(const std::string& Section, const std::string& Key, const std::string& Default) const;
  // "0x" or "0X" before more text, or "$", means hexadecimal; 32-bit; Default when it does not convert.
  int32_t ReadInteger(const std::string& Section, const std::string& Key, int32_t Default) const;
  // A float with the decimal separator of the format settings; Default when empty or no number.
  double ReadFloat(const std::string& Section, const std::string& Key, double Default) const;

  // Line breaks in a value are written as blanks: a value never spills into further lines.
  void WriteString(const std::string& Section, const std::string& Key, const std::string& Value);
  void WriteInteger(const std::string& Section, const std::string& Key, int64_t Value);
  void WriteFloat(const std::string& Section, const std::string& Key, double Value);

  // The file's text as UpdateFile would write it.
  std::string Content() const;
  // Writes the text through a temporary file renamed over the old one; the folder is made
  // when missing. Raises EIniFileException("Unable to write to <file name>") when the file
  // cannot be written, is read-only, or could not be read (its other content would be lost).
  void UpdateFile();

 private:
  struct TSection {
    std::string Header;                            // the raw "[...]" line; empty for the lines before any section
    std::vector<std::string> Lines;                // the raw lines after the header
    std::unordered_map<std::string, size_t> Keys;  // lower-case key name -> first line holding it
    size_t InsertAt = 0;                           // after the last non-blank line: where a new key goes
  };

  void Parse(const std::string& Text);
  const std::string* FindRawValue(const std::string& Section, const std::string& Key) const;
  TSection& SectionFor(const std::string& Section);

  std::string FFileName;
  TFormatSettings FFormat;
  bool FExists = false;
  bool FReadFailed = false;
  bool FByteOrderMark = false;
  std::string FLineBreak = "\n";
  std::vector<TSection> FSections;                        // FSections[0]: the lines before the first header
  std::unordered_map<std::string, size_t> FSectionIndex;  // lower-case name -> first such section
};

}  // namespace trochodraw
