#include "app/version_info.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/run_command.h"

namespace trochodraw {
namespace {

TEST(VersionInfoTest, ReadsTheCompiledInRecord) {
  const TVersionInfo Info;
  EXPECT_EQ(Info.FileVersion(), "1.1.0.7");
  EXPECT_EQ(Info.ProductVersion(), "1.0.0.0");
  EXPECT_FALSE(Info.CompanyName().empty());
  EXPECT_EQ(BuildNumber(), "7");
  EXPECT_EQ(TVersionInfo::QueryKey(vtFileVersion), "StringFileInfo\\040904E4\\FileVersion");
  EXPECT_EQ(TVersionInfo::KeyName(vtComments), "Comments");
}

TEST(VersionInfoTest, MissingStringsAreEmpty) {
  const TVersionInfo None(nullptr);
  for (int i = 0; i < VersionTypeCount; ++i) EXPECT_TRUE(None.Value(static_cast<TVersionType>(i)).empty());
  EXPECT_EQ(BuildNumber(nullptr), "");
  TVersionRecord OnlyFile;
  OnlyFile.Strings[TVersionInfo::QueryKey(vtFileVersion)] = "2.0.1.123";
  EXPECT_EQ(BuildNumber(&OnlyFile), "123");
  EXPECT_TRUE(TVersionInfo(&OnlyFile).CompanyName().empty());
}

TEST(VersionInfoTest, VersionLineCountsFromTheFileDate) {
  struct TCase {
    TFileDate Date;
    std::string Build;
    std::string Line;
  };
  const TCase Cases[] = {
      {{2004, 3, 15}, "7", "Version 1.04.3.15.7"},
      {{2010, 11, 2}, "7", "Version 1.10.11.2.7"},
      {{2004, 3, 15}, "", "Version 1.04.3.15."},
      {{2026, 12, 31}, "7", "Version 1.26.12.31.7"},
  };
  for (const TCase& C : Cases) EXPECT_EQ(VersionLine(C.Date, C.Build), C.Line);
  EXPECT_EQ(CopyRightLine("Makers", {2004, 3, 15}), "Makers 2004");
}

TEST(VersionInfoTest, FileDateIsTheLocalDateOfTheLastChange) {
  testing::TTempDir Dir;
  const std::string File = Dir.File("program");
  std::ofstream(File) << "x";
  // Noon, so that no time zone moves it to another day.
  const auto Run = testing::RunCommand("touch -d '2004-03-15 12:00' '" + File + "'");
  ASSERT_EQ(Run.Status, 0) << Run.Output;
  const TFileDate D = FileDate(File);
  EXPECT_EQ(D.Year, 2004);
  EXPECT_EQ(D.Month, 3);
  EXPECT_EQ(D.Day, 15);
  EXPECT_THROW(FileDate(Dir.File("missing")), std::filesystem::filesystem_error);
}

}  // namespace
}  // namespace trochodraw
