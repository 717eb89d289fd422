#include "explore/pattern_exchange.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <utility>

#include "imagefiles/file_io.h"
#include "patterns/ini_file.h"
#include "patterns/pattern_file.h"

namespace trochodraw {

namespace {

// Far more than the largest library a file may hold (10,000 patterns of 14 short lines).
constexpr uintmax_t kLargestFile = 32u << 20;

enum class TKind { kName, kMode, kFloat };
// The keys of a pattern in the order they are written, so the first fault is the first in the file.
const std::pair<const char*, TKind> kKeys[] = {
    {"Name", TKind::kName},     {"ArmMode", TKind::kMode},  {"Radius1", TKind::kFloat},   {"Radius2", TKind::kFloat},
    {"RPM1", TKind::kFloat},    {"RPM2", TKind::kFloat},    {"PlanetMode", TKind::kMode}, {"Scale", TKind::kFloat},
    {"OffsetX", TKind::kFloat}, {"OffsetY", TKind::kFloat}, {"Angle1", TKind::kFloat},    {"Angle2", TKind::kFloat},
    {"Angle1A", TKind::kFloat}, {"Angle2A", TKind::kFloat}};

std::string Quoted(const std::string& S) { return "\"" + S + "\""; }

void CheckPattern(const TIniFile& File, int I, const std::string& Shown, const TFormatSettings& FS) {
  const auto fault = [&](const std::string& Key, const std::string& What) {
    throw EPatternExchange(Shown + ": pattern " + std::to_string(I + 1) + " " + What + " (key " + Key + ")");
  };
  for (const auto& [k, kind] : kKeys) {
    const std::string name = k + std::to_string(I);
    const std::string text = File.ReadString(kPatternSection, name, "");
    if (!File.ValueExists(kPatternSection, name))
      fault(name, kind == TKind::kName ? "has no name" : "has no " + std::string(k));
    if (kind == TKind::kMode) {
      const int32_t low = File.ReadInteger(kPatternSection, name, INT32_MIN);
      const int32_t high = File.ReadInteger(kPatternSection, name, INT32_MAX);
      if (low != high || low < 0 || low > 255)
        fault(name, "has " + std::string(k) + " " + Quoted(text) + ", not a whole number from 0 to 255");
    } else if (kind == TKind::kFloat && !std::isfinite(File.ReadFloat(kPatternSection, name, NAN))) {
      fault(name, "has " + std::string(k) + " " + Quoted(text) + ", not a number written with " +
                      Quoted(std::string(1, FS.DecimalSeparator)) + " as decimal separator");
    }
  }
}

}  // namespace

TPatternArray ReadPatternFile(const std::string& FileName, const TFormatSettings& FS) {
  namespace fs = std::filesystem;
  const std::string shown = fs::path(FileName).filename().string();
  std::error_code ec;
  if (!fs::exists(FileName, ec)) throw EPatternExchange("There is no file " + FileName);
  if (!fs::is_regular_file(FileName, ec)) throw EPatternExchange(FileName + " is not a file");
  if (fs::file_size(FileName, ec) > kLargestFile) throw EPatternExchange(shown + " is too large to be a pattern file");
  const TIniFile file(FileName, FS);
  if (file.ReadFailed()) throw EPatternExchange(FileName + " cannot be read");
  if (!file.ValueExists(kPatternSection, "Count"))
    throw EPatternExchange(shown + " is not a pattern file: it has no [Patterns] section with a Count");
  const int32_t count = file.ReadInteger(kPatternSection, "Count", 0);
  if (count < 1)
    throw EPatternExchange(shown + " holds no patterns (Count is " +
                           Quoted(file.ReadString(kPatternSection, "Count", "")) + ")");
  if (count > kPatternCountBound)
    throw EPatternExchange(shown + " says it holds " + std::to_string(count) + " patterns, more than " +
                           std::to_string(kPatternCountBound));
  TPatternArray list(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    CheckPattern(file, i, shown, FS);
    ReadPattern(file, i, list[static_cast<size_t>(i)]);
  }
  return list;
}

std::string PatternFileText(const TPatternArray& List, const TFormatSettings& FS) {
  TIniFile file(std::string(), FS);  // no file behind it: nothing of an old file is kept
  file.WriteInteger(kPatternSection, "Count", static_cast<int64_t>(List.size()));
  for (size_t i = 0; i < List.size(); ++i) WritePattern(file, static_cast<int>(i), List[i]);
  return file.Content();
}

void WritePatternFile(const std::string& FileName, const TPatternArray& List, const TFormatSettings& FS) {
  const std::string refused = "Unable to write to " + FileName;
  // A read-only file stays as it is, as the library's own file does, also for a user whose
  // rights would allow replacing it.
  struct stat st {};
  if (::stat(FileName.c_str(), &st) == 0 &&
      (!S_ISREG(st.st_mode) || (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
       ::access(FileName.c_str(), W_OK) != 0))
    throw EPatternExchange(refused);
  const std::string text = PatternFileText(List, FS);
  try {
    WriteFileAtomically(FileName, std::vector<uint8_t>(text.begin(), text.end()));
  } catch (const std::exception&) {
    throw EPatternExchange(refused);
  }
}

}  // namespace trochodraw
