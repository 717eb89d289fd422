#include "patterns/pattern_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/run_command.h"
#include "support/text_file.h"

using namespace trochodraw;
using trochodraw::testing::TTempDir;
using trochodraw::testing::ReadText;

namespace {

namespace fs = std::filesystem;

const TFormatSettings kPoint{'.', ','};
const TFormatSettings kComma{',', '.'};

class PatternFileTest : public ::testing::Test {
 protected:
  void Write(const std::string& Text) { std::ofstream(Path, std::ios::binary) << Text; }
  TTempDir Dir;
  std::string Path = Dir.File("Gyrotracer.ini");
};

TEST(DefaultPatternsTest, NineteenBuiltInPatternsInOrder) {
  const TPatternArray& d = DefaultPatterns();
  const char* names[] = {"Mobius",       "Donut",      "Carabiner",  "Loop",         "Sandal",
                         "Long Horn",    "Sail Boats", "Aorta",      "Nose Cone",    "Cyclotrace-1",
                         "Cyclotrace-2", "Owl Eyes",   "Taffy Pull", "Open Basket",  "Smile",
                         "Teardrop",     "Ash Tray",   "Lozenge",    "Flying Saucer"};
  ASSERT_EQ(d.size(), 19u);
  for (size_t i = 0; i < d.size(); ++i) {
    EXPECT_EQ(d[i].Name, names[i]);
    EXPECT_EQ(d[i].OffsetX, 0);
    EXPECT_EQ(d[i].OffsetY, 0);
  }
  EXPECT_EQ(d[0], (TPattern{"Mobius", 0, 75.06, 75.06, 77.6, 77.6, 1, 2, 0, 0, 18.47, 335.47, 284.69, 327.69}));
  EXPECT_EQ(d[4], (TPattern{"Sandal", 1, 37, 37, -50, 50, 1, 1.3, 0, 0, 216, 9, 100.71, 304.29}));
  EXPECT_EQ(d[14], (TPattern{"Smile", 0, 68, 80, 77.63, 80, 0, 1, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(d[18], (TPattern{"Flying Saucer", 0, 50, 50, 62.5, 64, 0, 2, 0, 0, 0, 0, 0, 0}));
}

TEST(DefaultPatternsTest, ModeNames) {
  EXPECT_EQ(ArmModeName(0), "amPantograph");
  EXPECT_EQ(ArmModeName(1), "amTBar");
  EXPECT_EQ(ArmModeName(2), "");
  EXPECT_EQ(PlanetModeName(2), "pmInnerPlanet");
  EXPECT_EQ(PlanetModeName(3), "");
  EXPECT_EQ(PlanetModeName(-1), "");
}

TEST_F(PatternFileTest, RoundTripWithEitherSeparator) {
  for (const TFormatSettings& fs : {kPoint, kComma}) {
    fs::remove(Path);
    SavePatterns(DefaultPatterns(), Path, fs);
    TPatternArray back;
    ASSERT_EQ(LoadPatterns(back, Path, fs), 19);
    EXPECT_EQ(back, DefaultPatterns());
    const std::string text = ReadText(Path);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1 + 1 + 19 * 14) << "header, Count and 266 keys";
    EXPECT_EQ(text.rfind("[Patterns]\nCount=19\nName0=Mobius\nArmMode0=0\nRadius10=", 0), 0u) << text.substr(0, 80);
    EXPECT_NE(text.find(fs.DecimalSeparator == ',' ? "Radius10=75,06\n" : "Radius10=75.06\n"), std::string::npos);
  }
}

TEST_F(PatternFileTest, IndexIsAppendedToTheKeyWithNothingBetween) {
  TPatternArray list(11);
  list[1].Radius2 = 21;
  list[1].Radius1 = 11;
  list[10].Radius1 = 110;
  list[3].Angle1A = 3.5;
  SavePatterns(list, Path, kPoint);
  const TIniFile ini(Path);
  EXPECT_EQ(ini.ReadFloat("Patterns", "Radius110", 0), 110);
  EXPECT_EQ(ini.ReadFloat("Patterns", "Radius11", 0), 11);
  EXPECT_EQ(ini.ReadFloat("Patterns", "Radius21", 0), 21);
  EXPECT_EQ(ini.ReadFloat("Patterns", "Angle1A3", 0), 3.5);
  TPatternArray back;
  ASSERT_EQ(LoadPatterns(back, Path, kPoint), 11);
  EXPECT_EQ(back, list);
}

TEST_F(PatternFileTest, ShorterListKeepsStaleKeysAndOtherSections) {
  Write("[Window]\nLeft=10\n");
  SavePatterns(DefaultPatterns(), Path, kPoint);
  TPatternArray five(DefaultPatterns().begin(), DefaultPatterns().begin() + 5);
  SavePatterns(five, Path, kPoint);
  const TIniFile ini(Path);
  EXPECT_EQ(ini.ReadInteger("Patterns", "Count", 0), 5);
  EXPECT_EQ(ini.ReadString("Patterns", "Name18", ""), "Flying Saucer");
  EXPECT_EQ(ini.ReadString("Window", "Left", ""), "10");
  TPatternArray back;
  EXPECT_EQ(LoadPatterns(back, Path, kPoint), 5);
  EXPECT_EQ(back, five);
  SavePatterns({}, Path, kPoint);
  EXPECT_EQ(LoadPatterns(back, Path, kPoint), 0);
  EXPECT_TRUE(back.empty());
}

TEST_F(PatternFileTest, CountRules) {
  SavePatterns(DefaultPatterns(), Path, kPoint);
  const std::string stored = ReadText(Path);
  struct Case {
    const char* Count;
    int Want;
  };
  for (const Case& c :
       {Case{"-3", 0}, Case{"abc", 0}, Case{"0", 0}, Case{"", 0}, Case{"0x14", 20}, Case{"$5", 5}, Case{"25", 25}}) {
    std::string text = stored;
    text.replace(text.find("Count=19"), 8, std::string("Count=") + c.Count);
    Write(text);
    TPatternArray list(3);  // replaced whatever the count
    EXPECT_EQ(LoadPatterns(list, Path, kPoint), c.Want) << c.Count;
    ASSERT_EQ(list.size(), static_cast<size_t>(c.Want));
    for (int i = 0; i < c.Want; ++i)
      EXPECT_EQ(list[static_cast<size_t>(i)], i < 19 ? DefaultPatterns()[static_cast<size_t>(i)] : TPattern{})
          << c.Count << " entry " << i;
  }
  fs::remove(Path);
  TPatternArray none(2);
  EXPECT_EQ(LoadPatterns(none, Path, kPoint), 0);
  EXPECT_TRUE(none.empty());
}

TEST_F(PatternFileTest, AbsurdCountIsBelievedOnlyAsFarAsTheFileHoldsEntries) {
  Write("[Patterns]\nCount=2147483647\nName0=First\nName10000=Past the bound\nRadius110001=5\nName10003=After a gap\n");
  TPatternArray list;
  EXPECT_EQ(LoadPatterns(list, Path, kPoint), kPatternCountBound + 2);
  EXPECT_EQ(list[0].Name, "First");
  EXPECT_EQ(list[kPatternCountBound].Name, "Past the bound");
  EXPECT_EQ(list[kPatternCountBound + 1].Radius1, 5);
}

TEST_F(PatternFileTest, ModesAreKeptModulo256AndCarriedThrough) {
  Write("[Patterns]\nCount=3\nArmMode0=257\nArmMode1=-1\nArmMode2=5\nPlanetMode0=0x102\nPlanetMode1=$FF\n");
  TPatternArray list;
  ASSERT_EQ(LoadPatterns(list, Path, kPoint), 3);
  EXPECT_EQ(list[0].ArmMode, 1);
  EXPECT_EQ(list[1].ArmMode, 255);
  EXPECT_EQ(list[2].ArmMode, 5);
  EXPECT_EQ(list[0].PlanetMode, 2);
  EXPECT_EQ(list[1].PlanetMode, 255);
  SavePatterns(list, Path, kPoint);
  TPatternArray back;
  LoadPatterns(back, Path, kPoint);
  EXPECT_EQ(back, list);
}

TEST_F(PatternFileTest, ValuesThePlatformReadsDifferently) {
  Write("[Patterns]\nCount=2\nName0=  Spaced  \nName1='Quoted'\nRadius10=75,06\nRadius20= 50 \nScale0=2e0\n");
  TPatternArray list;
  ASSERT_EQ(LoadPatterns(list, Path, kPoint), 2);
  EXPECT_EQ(list[0].Name, "Spaced");
  EXPECT_EQ(list[1].Name, "Quoted");
  EXPECT_EQ(list[0].Radius1, 0) << "a comma on a system with a point";
  EXPECT_EQ(list[0].Radius2, 50);
  EXPECT_EQ(list[0].Scale, 2);
  ASSERT_EQ(LoadPatterns(list, Path, kComma), 2);
  EXPECT_EQ(list[0].Radius1, 75.06);
}

TEST_F(PatternFileTest, RefusedSaveLeavesTheOldFileAndNamesIt) {
  SavePatterns(DefaultPatterns(), Path, kPoint);
  const std::string before = ReadText(Path);
  fs::permissions(Path, fs::perms::owner_read);
  try {
    SavePatterns({}, Path, kPoint);
    FAIL() << "not refused";
  } catch (const EIniFileException& e) {
    EXPECT_STREQ(e.what(), "Unable to write to Gyrotracer.ini");
  }
  EXPECT_EQ(ReadText(Path), before);
}

TEST(PatternFileNameTest, UsesTheUsersConfigurationFolder) {
  const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
  const char* oldHome = std::getenv("HOME");
  const std::string savedXdg = oldXdg ? oldXdg : "", savedHome = oldHome ? oldHome : "";
  ::setenv("HOME", "/home/someone", 1);
  ::setenv("XDG_CONFIG_HOME", "/etc/xdg-user", 1);
  EXPECT_EQ(DefaultPatternFileName(), "/etc/xdg-user/trochodraw/Gyrotracer.ini");
  ::setenv("XDG_CONFIG_HOME", "relative/dir", 1);
  EXPECT_EQ(DefaultPatternFileName(), "/home/someone/.config/trochodraw/Gyrotracer.ini");
  ::unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(DefaultPatternFileName(), "/home/someone/.config/trochodraw/Gyrotracer.ini");
  if (oldXdg) ::setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1);
  if (oldHome) ::setenv("HOME", savedHome.c_str(), 1);
}

}  // namespace
