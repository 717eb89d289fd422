#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/run_command.h"
#include "support/text_file.h"

using trochodraw::testing::RunCommand;
using trochodraw::testing::TCommandResult;
using trochodraw::testing::TTempDir;
using trochodraw::testing::ReadText;

namespace {

const std::string kCli = TROCHODRAW_CLI;

// Runs the tool with a home folder of its own and a plain locale unless told otherwise.
class CliPatternsTest : public ::testing::Test {
 protected:
  TCommandResult Run(const std::string& Args, const std::string& Locale = "C") {
    return RunCommand("HOME=" + Home.Path().string() + " XDG_CONFIG_HOME= LC_ALL=" + Locale + " " + kCli + " " + Args);
  }
  // The pen path of a short run, to compare machine settings by what they draw.
  std::string PathOf(const std::string& Args) {
    const std::string csv = Home.File("path.csv");
    std::filesystem::remove(csv);
    const auto r = Run("render --ticks 20 --size 200x200 -o " + Home.File("f.bmp") + " --path " + csv + " " + Args);
    EXPECT_EQ(r.Status, 0) << Args << ": " << r.Output;
    return ReadText(csv);
  }
  std::string UserFile() const { return (Home.Path() / ".config/trochodraw/Gyrotracer.ini").string(); }
  void WriteFile(const std::string& Path, const std::string& Text) {
    std::filesystem::create_directories(std::filesystem::path(Path).parent_path());
    std::ofstream(Path, std::ios::binary) << Text;
  }
  TTempDir Home;
};

TEST_F(CliPatternsTest, BuiltInListWhenThereIsNoPatternFile) {
  const auto r = Run("patterns list");
  ASSERT_EQ(r.Status, 0) << r.Output;
  EXPECT_EQ(std::count(r.Output.begin(), r.Output.end(), '\n'), 19);
  EXPECT_EQ(r.Output.rfind("0\tMobius\n1\tDonut\n", 0), 0u) << r.Output;
  EXPECT_TRUE(r.Output.ends_with("18\tFlying Saucer\n")) << r.Output;
  EXPECT_FALSE(std::filesystem::exists(Home.Path() / ".config")) << "the tool never writes the library";
}

TEST_F(CliPatternsTest, ShowPrintsThePropertiesTextOfTheDialog) {
  auto r = Run("patterns show 0");
  ASSERT_EQ(r.Status, 0) << r.Output;
  EXPECT_EQ(r.Output,
            "Name: 'Mobius';\nArmMode: amPantograph;\nRadius1: 75.06;\nRadius2: 75.06;\nRPM1: 77.60;\nRPM2: 77.60;\n"
            "PlanetMode: pmOuterPlanet;\nScale: 2.00;\nOffset: (X: 0.0000; Y: 0.0000);\nAngle1: 18.47;\n"
            "Angle2: 335.47;\nAngle1A: 284.69;\nAngle2A: 327.69;\n\n");
  r = Run("patterns show-all");
  ASSERT_EQ(r.Status, 0) << r.Output;
  std::istringstream lines(r.Output);
  std::string line;
  for (int i = 0; i <= 4; ++i) std::getline(lines, line);
  EXPECT_EQ(line.rfind("Name: 'Sandal'; ArmMode: amTBar; Radius1: 37.00;", 0), 0u) << line;
  EXPECT_TRUE(line.ends_with("Angle2A: 304.29; ")) << line;
  EXPECT_EQ(std::count(r.Output.begin(), r.Output.end(), '\n'), 19);
}

TEST_F(CliPatternsTest, ReadsTheUsersFileOrTheNamedOneWithTheRegionalSeparator) {
  WriteFile(UserFile(), "[Patterns]\nCount=1\nName0=Mine\nRadius10=75,06\n");
  auto r = Run("patterns show 0", "de_DE.UTF-8");
  ASSERT_EQ(r.Status, 0) << r.Output;
  EXPECT_NE(r.Output.find("Name: 'Mine';\nArmMode: amPantograph;\nRadius1: 75,06;\n"), std::string::npos) << r.Output;
  r = Run("patterns show 0");
  EXPECT_NE(r.Output.find("Radius1: 0.00;"), std::string::npos) << "a comma does not read with a point";

  const std::string other = Home.File("other.ini");
  WriteFile(other, "[patterns]\ncount=0x2\nname0=A\nname1=B\n");
  r = Run("patterns --patterns-file " + other + " list");
  EXPECT_EQ(r.Output, "0\tA\n1\tB\n");
  EXPECT_EQ(ReadText(other), "[patterns]\ncount=0x2\nname0=A\nname1=B\n");
}

TEST_F(CliPatternsTest, BadRequestsAreNamedOnOneLine) {
  struct Case {
    const char* Args;
    int Status;
    const char* Says;
  };
  const Case cases[] = {
      {"patterns", 2, "needs list"},
      {"patterns show", 2, "needs an INDEX"},
      {"patterns show 19", 2, "no pattern 19"},
      {"patterns show -1", 2, "no pattern -1"},
      {"patterns show two", 2, "no pattern two"},
      {"patterns list extra", 2, "unexpected argument: extra"},
      {"patterns --patterns-file /nonexistent/p.ini list", 2, "no pattern file /nonexistent/p.ini"},
      {"patterns --patterns-file /tmp list", 1, "Cannot read pattern file /tmp"},
      {"render -o never.bmp --pattern Nope", 2, "no pattern named \"Nope\""},
      {"render -o never.bmp --pattern", 2, "--pattern needs a value"},
      {"render -o never.bmp --patterns-file /nonexistent/p.ini", 2, "no pattern file"},
  };
  for (const auto& c : cases) {
    const auto r = Run(c.Args);
    EXPECT_EQ(r.Status, c.Status) << c.Args << ": " << r.Output;
    EXPECT_NE(r.Output.find(c.Says), std::string::npos) << c.Args << ": " << r.Output;
    EXPECT_EQ(std::count(r.Output.begin(), r.Output.end(), '\n'), 1) << c.Args << ": " << r.Output;
  }
  EXPECT_FALSE(std::filesystem::exists(Home.File("never.bmp")));
}

TEST_F(CliPatternsTest, RenderSetsTheMachineAsTheWindowsControlsWould) {
  const std::string lib = Home.File("lib.ini");
  // Radius 0 becomes 1, speeds and angles keep one decimal: the same machine as the plain values.
  WriteFile(lib,
            "[Patterns]\nCount=2\nName0=First\nName1=Odd\nRadius11=0\nRadius21=150\nRPM11=33.33\nRPM21=-20.04\n"
            "PlanetMode1=2\nScale1=1.5\nAngle11=10.04\nAngle21=20.06\nAngle1A1=0.44\nAngle2A1=359.96\n");
  const std::string viaPattern = PathOf("--patterns-file " + lib + " --pattern Odd");
  const std::string plain = PathOf(
      "--radius1 1 --radius2 100 --rpm1 33.3 --rpm2 -20 --mode inner-planetary --scale 1.5 "
      "--angles 10,20.1,0.4,360");
  EXPECT_GT(std::count(plain.begin(), plain.end(), '\n'), 20);
  EXPECT_EQ(viaPattern, plain);
  EXPECT_EQ(PathOf("--rpm1 33.33 --rpm2 -20.04 --radius1 1 --radius2 100 --mode inner-planetary "
                   "--scale 1.5 --angles 10.04,20.06,0.44,359.96"),
            plain)
      << "options go through the same controls";
  EXPECT_NE(PathOf("--patterns-file " + lib), plain) << "without a name: the first pattern";
}

}  // namespace
