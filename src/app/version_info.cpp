#include "app/version_info.h"

#include <ctime>

#include "app/version_record.h"

namespace trochodraw {

namespace {

constexpr const char* kStringTable = "StringFileInfo\\040904E4\\";

constexpr std::array<const char*, VersionTypeCount> kTypeNames = {
    "vtCompanyName",     "vtFileDescription",  "vtFileVersion", "vtInternalName",   "vtLegalCopyright",
    "vtLegalTrademarks", "vtOriginalFilename", "vtProductName", "vtProductVersion", "vtComments"};

}  // namespace

const TVersionRecord& ProgramVersionRecord() {
  static const TVersionRecord Record = [] {
    TVersionRecord R;
    auto Put = [&R](TVersionType T, const std::string& V) { R.Strings[TVersionInfo::QueryKey(T)] = V; };
    Put(vtCompanyName, TROCHODRAW_COMPANY_NAME);
    Put(vtFileDescription, TROCHODRAW_FILE_DESCRIPTION);
    Put(vtFileVersion, TROCHODRAW_FILE_VERSION);
    Put(vtInternalName, "trochodraw");
    Put(vtOriginalFilename, "trochodraw");
    Put(vtProductName, "Trochodraw");
    Put(vtProductVersion, TROCHODRAW_PRODUCT_VERSION);
    return R;
  }();
  return Record;
}

std::string TVersionInfo::KeyName(TVersionType Type) { return std::string(kTypeNames[Type]).substr(2); }

std::string TVersionInfo::QueryKey(TVersionType Type) { return kStringTable + KeyName(Type); }

TVersionInfo::TVersionInfo(const TVersionRecord* Record) {
  if (!Record) return;
  for (int i = 0; i < VersionTypeCount; ++i) {
    const auto It = Record->Strings.find(QueryKey(static_cast<TVersionType>(i)));
    if (It != Record->Strings.end()) FValues[i] = It->second;
  }
}

std::string BuildNumber(const TVersionRecord* Record) {
  const TVersionInfo Info(Record);
  const std::string& V = Info.FileVersion();
  const auto Dot = V.rfind('.');
  return Dot == std::string::npos ? V : V.substr(Dot + 1);
}

TFileDate LocalDate(std::chrono::system_clock::time_point Time) {
  const std::time_t T = std::chrono::system_clock::to_time_t(Time);
  std::tm Local{};
  localtime_r(&T, &Local);
  return {Local.tm_year + 1900, Local.tm_mon + 1, Local.tm_mday};
}

TFileDate FileDate(const std::filesystem::path& File) {
  const auto FileTime = std::filesystem::last_write_time(File);
  return LocalDate(
      std::chrono::time_point_cast<std::chrono::system_clock::duration>(std::chrono::file_clock::to_sys(FileTime)));
}

std::string VersionLine(const TFileDate& Date, const std::string& Build) {
  const std::string Year = std::to_string(Date.Year);
  const std::string YY = Year.size() > 2 ? Year.substr(2) : std::string();
  return "Version 1." + YY + "." + std::to_string(Date.Month) + "." + std::to_string(Date.Day) + "." + Build;
}

std::string CopyRightLine(const std::string& CompanyName, const TFileDate& Date) {
  return CompanyName + " " + std::to_string(Date.Year);
}

}  // namespace trochodraw
