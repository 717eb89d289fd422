#include "patterns/ini_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/run_command.h"
#include "support/text_file.h"

using namespace trochodraw;
using trochodraw::testing::TTempDir;
using trochodraw::testing::ReadText;
using trochodraw::testing::WriteText;

namespace {

namespace fs = std::filesystem;

class IniFileTest : public ::testing::Test {
 protected:
  TIniFile Load(const std::string& Text, TFormatSettings FS = {}) {
    WriteText(Path, Text);
    return TIniFile(Path, FS);
  }
  TTempDir Dir;
  std::string Path = Dir.File("Gyrotracer.ini");
};

TEST_F(IniFileTest, ReadingRules) {
  const TIniFile ini = Load(
      "[Other]\n"
      "Name0=other\n"
      "[patterns]\n"
      "  name0  =   Mobius  \n"
      "Quoted=\"  spaced  \"\n"
      "Single='x'\n"
      "Mixed=\"x'\n"
      "Lone=\"\n"
      "Empty=\n"
      "a line without an equals sign\n"
      "Dup=first\n"
      "Dup=second\n"
      "Long=" +
      std::string(3000, 'n') + "\n");
  struct Case {
    const char *Section, *Key, *Want;
  };
  const Case cases[] = {
      {"PATTERNS", "NAME0", "Mobius"},   {"Patterns", "Quoted", "  spaced  "}, {"Patterns", "Single", "x"},
      {"Patterns", "Mixed", "\"x'"},     {"Patterns", "Lone", "\""},           {"Patterns", "Empty", ""},
      {"Patterns", "Dup", "first"},      {"other", "name0", "other"},          {"Patterns", "Missing", "<default>"},
      {"Nowhere", "Name0", "<default>"},
  };
  for (const auto& c : cases) EXPECT_EQ(ini.ReadString(c.Section, c.Key, "<default>"), c.Want) << c.Key;
  EXPECT_EQ(ini.ReadString("Patterns", "Long", ""), std::string(2047, 'n'));
  EXPECT_TRUE(ini.ValueExists("patterns", "empty"));
  EXPECT_FALSE(ini.ValueExists("Patterns", "a line without an equals sign"));
}

TEST_F(IniFileTest, IntegersAndFloats) {
  const TIniFile ini = Load(
      "[S]\nHex=0x14\nHexUpper=0X14\nDollar=$14\nBareX=0x\nNeg=-3\nWord=abc\nHuge=2147483648\n"
      "Real= 75.06 \nComma=75,06\nExp=-1.5E+3\nBad=7 metres\nBlank=\n");
  struct IntCase {
    const char* Key;
    int32_t Want;
  };
  for (const IntCase& c : {IntCase{"Hex", 20}, IntCase{"HexUpper", 20}, IntCase{"Dollar", 20}, IntCase{"BareX", -9},
                           IntCase{"Neg", -3}, IntCase{"Word", -9}, IntCase{"Huge", -9}, IntCase{"Missing", -9}})
    EXPECT_EQ(ini.ReadInteger("S", c.Key, -9), c.Want) << c.Key;
  EXPECT_EQ(ini.ReadFloat("S", "Real", -9), 75.06);
  EXPECT_EQ(ini.ReadFloat("S", "Comma", -9), -9) << "a comma is no decimal separator here";
  EXPECT_EQ(ini.ReadFloat("S", "Exp", -9), -1500);
  EXPECT_EQ(ini.ReadFloat("S", "Bad", -9), -9);
  EXPECT_EQ(ini.ReadFloat("S", "Blank", -9), -9);
  const TIniFile comma(Path, TFormatSettings{',', '.'});
  EXPECT_EQ(comma.ReadFloat("S", "Comma", -9), 75.06);
  EXPECT_EQ(comma.ReadFloat("S", "Real", -9), -9);
}

TEST_F(IniFileTest, WritesReplaceInPlaceAppendToTheSectionAndKeepEverythingElse) {
  TIniFile ini = Load(
      "; kept comment\n"
      "[Patterns]\n"
      "Count=3\n"
      "Name0=Old\n"
      "; note inside\n"
      "\n"
      "[Other]\n"
      "Key=value\n");
  ini.WriteInteger("PATTERNS", "count", 1);
  ini.WriteString("Patterns", "Name0", "New");
  ini.WriteString("Patterns", "Name1", "Added");
  ini.WriteFloat("Patterns", "Scale1", 1.5);
  ini.WriteString("Fresh", "K", "v");
  EXPECT_EQ(ini.Content(),
            "; kept comment\n"
            "[Patterns]\n"
            "count=1\n"
            "Name0=New\n"
            "; note inside\n"
            "Name1=Added\n"
            "Scale1=1.5\n"
            "\n"
            "[Other]\n"
            "Key=value\n"
            "[Fresh]\n"
            "K=v\n");
}

TEST_F(IniFileTest, LineBreaksAndByteOrderMarkOfTheFileAreKept) {
  TIniFile ini = Load("\xEF\xBB\xBF[Patterns]\r\nCount=1\r\n");
  EXPECT_EQ(ini.ReadInteger("Patterns", "Count", 0), 1);
  ini.WriteString("Patterns", "Name0", "A");
  EXPECT_EQ(ini.Content(), "\xEF\xBB\xBF[Patterns]\r\nCount=1\r\nName0=A\r\n");
}

TEST_F(IniFileTest, AValueCannotAddLinesToTheFile) {
  TIniFile ini(Path);
  ini.WriteString("Patterns", "Name0", "evil\r\nCount=99999");
  ini.WriteInteger("Patterns", "Count", 1);
  ini.UpdateFile();
  const TIniFile back(Path);
  EXPECT_EQ(back.ReadInteger("Patterns", "Count", 0), 1);
  EXPECT_EQ(back.ReadString("Patterns", "Name0", ""), "evil  Count=99999");
}

TEST_F(IniFileTest, UpdateFileCreatesTheFolderAndFollowsALink) {
  const std::string nested = Dir.File("config/trochodraw/Gyrotracer.ini");
  TIniFile ini(nested);
  EXPECT_FALSE(ini.Exists());
  ini.WriteInteger("Patterns", "Count", 0);
  ini.UpdateFile();
  EXPECT_EQ(ReadText(nested), "[Patterns]\nCount=0\n");

  const std::string link = Dir.File("link.ini");
  fs::create_symlink(nested, link);
  TIniFile viaLink(link);
  viaLink.WriteInteger("Patterns", "Count", 4);
  viaLink.UpdateFile();
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadText(nested), "[Patterns]\nCount=4\n");
}

// Every refused write names the file as the program knows it and leaves the old file whole.
class IniFileRefusalTest : public IniFileTest {
 protected:
  const std::string Old = "[Patterns]\nCount=2\nName0=Keep me\n[Other]\nX=1\n";
  void ExpectRefused(TIniFile& Ini) {
    Ini.WriteInteger("Patterns", "Count", 7);
    try {
      Ini.UpdateFile();
      FAIL() << "the write was not refused";
    } catch (const EIniFileException& e) {
      EXPECT_STREQ(e.what(), "Unable to write to Gyrotracer.ini");
    }
    for (const auto& entry : fs::directory_iterator(Dir.Path()))
      EXPECT_EQ(entry.path().filename(), "Gyrotracer.ini") << "left behind: " << entry.path();
  }
};

TEST_F(IniFileRefusalTest, ReadOnlyFile) {
  TIniFile ini = Load(Old);
  fs::permissions(Path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  ExpectRefused(ini);
  EXPECT_EQ(ReadText(Path), Old);
}

TEST_F(IniFileRefusalTest, DiskFullHalfwayThrough) {
  TIniFile ini = Load(Old);
  for (int i = 0; i < 2000; ++i) ini.WriteString("Patterns", "Name" + std::to_string(i), std::string(40, 'z'));
  // A file size limit makes the write fail part of the way, as a full disk does.
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  ::getrlimit(RLIMIT_FSIZE, &old);
  rlimit small = old;
  small.rlim_cur = 4096;
  ::setrlimit(RLIMIT_FSIZE, &small);
  ExpectRefused(ini);
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(ReadText(Path), Old);
}

TEST_F(IniFileRefusalTest, FileThatCouldNotBeRead) {
  fs::create_directory(Path);
  TIniFile ini(Path);
  EXPECT_TRUE(ini.ReadFailed());
  EXPECT_EQ(ini.ReadInteger("Patterns", "Count", -1), -1);
  ExpectRefused(ini);
  EXPECT_TRUE(fs::is_directory(Path));
}

TEST_F(IniFileRefusalTest, FolderThatCannotBeMade) {
  WriteText(Dir.File("plain"), "not a folder");
  TIniFile ini(Dir.File("plain/Gyrotracer.ini"));
  ini.WriteInteger("Patterns", "Count", 1);
  EXPECT_THROW(ini.UpdateFile(), EIniFileException);
}

}  // namespace
