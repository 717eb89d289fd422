#include "patterns/pattern_file.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace trochodraw {

namespace {

// The 14 key names of a pattern, in the order they are read and written.
const char* const kKeys[] = {"Name",  "ArmMode", "Radius1", "Radius2", "RPM1",   "RPM2",    "PlanetMode",
                             "Scale", "OffsetX", "OffsetY", "Angle1",  "Angle2", "Angle1A", "Angle2A"};

std::string Key(const char* Name, int I) { return Name + std::to_string(I); }

bool HasPatternKeys(const TIniFile& File, int I) {
  for (const char* k : kKeys)
    if (File.ValueExists(kPatternSection, Key(k, I))) return true;
  return false;
}

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return pw->pw_dir;
  return ".";
}

}  // namespace

std::string DefaultPatternFileName() {
  namespace fs = std::filesystem;
  fs::path base;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && fs::path(xdg).is_absolute())
    base = xdg;
  else
    base = fs::path(HomeFolder()) / ".config";
  return (base / "trochodraw" / kPatternFileName).string();
}

void ReadPattern(const TIniFile& File, int I, TPattern& P) {
  const auto real = [&](const char* Name, double& Field) {
    Field = File.ReadFloat(kPatternSection, Key(Name, I), Field);
  };
  const auto mode = [&](const char* Name, uint8_t& Field) {
    Field = static_cast<uint8_t>(File.ReadInteger(kPatternSection, Key(Name, I), Field));
  };
  P.Name = File.ReadString(kPatternSection, Key("Name", I), P.Name);
  mode("ArmMode", P.ArmMode);
  real("Radius1", P.Radius1);
  real("Radius2", P.Radius2);
  real("RPM1", P.RPM1);
  real("RPM2", P.RPM2);
  mode("PlanetMode", P.PlanetMode);
  real("Scale", P.Scale);
  real("OffsetX", P.OffsetX);
  real("OffsetY", P.OffsetY);
  real("Angle1", P.Angle1);
  real("Angle2", P.Angle2);
  real("Angle1A", P.Angle1A);
  real("Angle2A", P.Angle2A);
}

void WritePattern(TIniFile& File, int I, const TPattern& P) {
  const auto real = [&](const char* Name, double Field) { File.WriteFloat(kPatternSection, Key(Name, I), Field); };
  File.WriteString(kPatternSection, Key("Name", I), P.Name);
  File.WriteInteger(kPatternSection, Key("ArmMode", I), P.ArmMode);
  real("Radius1", P.Radius1);
  real("Radius2", P.Radius2);
  real("RPM1", P.RPM1);
  real("RPM2", P.RPM2);
  File.WriteInteger(kPatternSection, Key("PlanetMode", I), P.PlanetMode);
  real("Scale", P.Scale);
  real("OffsetX", P.OffsetX);
  real("OffsetY", P.OffsetY);
  real("Angle1", P.Angle1);
  real("Angle2", P.Angle2);
  real("Angle1A", P.Angle1A);
  real("Angle2A", P.Angle2A);
}

int LoadPatterns(TPatternArray& List, const std::string& FileName, const TFormatSettings& FS) {
  return LoadPatterns(List, TIniFile(FileName, FS));
}

int LoadPatterns(TPatternArray& List, const TIniFile& File) {
  List.clear();
  int count = File.ReadInteger(kPatternSection, "Count", 0);
  if (count < 1) return 0;
  if (count > kPatternCountBound) {
    int stored = kPatternCountBound;
    while (stored < count && HasPatternKeys(File, stored)) ++stored;
    count = stored;
  }
  List.resize(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) ReadPattern(File, i, List[static_cast<size_t>(i)]);
  return count;
}

void SavePatterns(const TPatternArray& List, const std::string& FileName, const TFormatSettings& FS) {
  TIniFile file(FileName, FS);
  file.WriteInteger(kPatternSection, "Count", static_cast<int64_t>(List.size()));
  for (size_t i = 0; i < List.size(); ++i) WritePattern(file, static_cast<int>(i), List[i]);
  file.UpdateFile();
}

}  // namespace trochodraw
