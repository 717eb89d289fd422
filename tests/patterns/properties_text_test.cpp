#include "patterns/properties_text.h"

#include <gtest/gtest.h>

using namespace trochodraw;

namespace {

const TFormatSettings kPoint{'.', ','};
const TFormatSettings kComma{',', '.'};

TEST(PropertiesTextTest, FixedNumbers) {
  EXPECT_EQ(F2(77.6, kPoint), "77.60");
  EXPECT_EQ(F2(-40, kPoint), "-40.00");
  EXPECT_EQ(F4(0, kPoint), "0.0000");
  EXPECT_EQ(F2(1234567.891, kPoint), "1234567.89") << "no thousands separators";
  EXPECT_EQ(OffsetText(80, -140.25, kComma), "(X: 80,0000; Y: -140,2500)");
}

TEST(PropertiesTextTest, OnePatternShowsThirteenLinesAndAnEmptyOne) {
  std::string memo;
  AppendPatternProperties(memo, DefaultPatterns()[0], kPoint);
  EXPECT_EQ(memo,
            "Name: 'Mobius';\r\n"
            "ArmMode: amPantograph;\r\n"
            "Radius1: 75.06;\r\n"
            "Radius2: 75.06;\r\n"
            "RPM1: 77.60;\r\n"
            "RPM2: 77.60;\r\n"
            "PlanetMode: pmOuterPlanet;\r\n"
            "Scale: 2.00;\r\n"
            "Offset: (X: 0.0000; Y: 0.0000);\r\n"
            "Angle1: 18.47;\r\n"
            "Angle2: 335.47;\r\n"
            "Angle1A: 284.69;\r\n"
            "Angle2A: 327.69;\r\n"
            "\r\n");
  const std::string once = memo;
  AppendPatternProperties(memo, DefaultPatterns()[0], kPoint);
  EXPECT_EQ(memo, once + once) << "the second block starts after the empty line";
}

TEST(PropertiesTextTest, AllPatternsOneLineEach) {
  std::string memo;
  AppendAllPatternProperties(memo, DefaultPatterns(), kPoint);
  std::vector<std::string> lines;
  for (size_t at = 0, next; (next = memo.find("\r\n", at)) != std::string::npos; at = next + 2)
    lines.push_back(memo.substr(at, next - at));
  ASSERT_EQ(lines.size(), 19u);
  EXPECT_EQ(lines[4].rfind("Name: 'Sandal'; ArmMode: amTBar; Radius1: 37.00; Radius2: 37.00; RPM1: -50.00; ", 0), 0u)
      << lines[4];
  EXPECT_TRUE(lines[4].ends_with("Angle2A: 304.29; ")) << lines[4];
}

TEST(PropertiesTextTest, OddValuesAreShownAsTheyAre) {
  TPattern p;
  p.Name = "it's; odd";
  p.ArmMode = 5;
  p.PlanetMode = 3;
  p.Radius1 = 75.06;
  const std::string t = PatternText(p, "|", kComma);
  EXPECT_EQ(t.rfind("Name: 'it's; odd';|ArmMode: ;|Radius1: 75,06;|", 0), 0u) << t;
  EXPECT_NE(t.find("|PlanetMode: ;|"), std::string::npos) << t;
}

TEST(PropertiesTextTest, MemoAppendStartsANewLineAfterTheUsersText) {
  struct Case {
    const char *Memo, *Want;
  };
  for (const Case& c : {Case{"", "X\r\n"}, Case{"typed", "typed\r\nX\r\n"}, Case{"typed\r\n", "typed\r\nX\r\n"},
                        Case{"a\r\n\r\n\r\n", "a\r\n\r\n\r\nX\r\n"}}) {
    std::string memo = c.Memo;
    AppendMemoText(memo, "X");
    EXPECT_EQ(memo, c.Want) << c.Memo;
  }
  std::string unixMemo = "a";
  AppendMemoText(unixMemo, "b", "\n");
  EXPECT_EQ(unixMemo, "a\nb\n");
}

}  // namespace
