#pragma once

#include <array>
#include <chrono>
#include <filesystem>
#include <map>
#include <string>

namespace trochodraw {

// The ten strings of a version record, in the record's order.
enum TVersionType {
  vtCompanyName,
  vtFileDescription,
  vtFileVersion,
  vtInternalName,
  vtLegalCopyright,
  vtLegalTrademarks,
  vtOriginalFilename,
  vtProductName,
  vtProductVersion,
  vtComments
};
inline constexpr int VersionTypeCount = 10;

// A version record: its strings under their full query keys, e.g.
// "StringFileInfo\040904E4\FileVersion". A key that is missing reads as empty.
struct TVersionRecord {
  std::map<std::string, std::string> Strings;
};

// The record compiled into this program (US English, code page 1252).
const TVersionRecord& ProgramVersionRecord();

// Reads the ten strings of a record; with no record (nullptr) all of them are empty.
class TVersionInfo {
 public:
  explicit TVersionInfo(const TVersionRecord* Record = &ProgramVersionRecord());

  // The key of a string: the type's name without its "vt" prefix.
  static std::string KeyName(TVersionType Type);
  static std::string QueryKey(TVersionType Type);

  const std::string& Value(TVersionType Type) const { return FValues[Type]; }
  const std::string& CompanyName() const { return Value(vtCompanyName); }
  const std::string& FileDescription() const { return Value(vtFileDescription); }
  const std::string& FileVersion() const { return Value(vtFileVersion); }
  const std::string& InternalName() const { return Value(vtInternalName); }
  const std::string& LegalCopyright() const { return Value(vtLegalCopyright); }
  const std::string& LegalTrademarks() const { return Value(vtLegalTrademarks); }
  const std::string& OriginalFilename() const { return Value(vtOriginalFilename); }
  const std::string& ProductName() const { return Value(vtProductName); }
  const std::string& ProductVersion() const { return Value(vtProductVersion); }
  const std::string& Comments() const { return Value(vtComments); }

 private:
  std::array<std::string, VersionTypeCount> FValues;
};

// The part of the file version after its last "."; empty without a file version.
std::string BuildNumber(const TVersionRecord* Record = &ProgramVersionRecord());

struct TFileDate {
  int Year = 0, Month = 0, Day = 0;
};

// The local date of a file's last change; throws std::filesystem::filesystem_error.
TFileDate FileDate(const std::filesystem::path& File);
TFileDate LocalDate(std::chrono::system_clock::time_point Time);

// "Version 1.YY.M.D.Build": the year without its first two digits, month and day without
// leading zeros, then the build number.
std::string VersionLine(const TFileDate& Date, const std::string& Build);
// The maker's name, a blank and the four-digit year.
std::string CopyRightLine(const std::string& CompanyName, const TFileDate& Date);

}  // namespace trochodraw
