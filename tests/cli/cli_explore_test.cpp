#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/run_command.h"
#include "support/text_file.h"

using trochodraw::testing::RunCommand;
using trochodraw::testing::RunCommandApart;
using trochodraw::testing::TCommandResult;
using trochodraw::testing::TTempDir;
using trochodraw::testing::ReadText;

namespace {

const std::string kCli = TROCHODRAW_CLI;

bool HaveTool(const std::string& Name) { return RunCommand("command -v " + Name).Status == 0; }

// The tool with a home folder of its own, so the user's library is a file of the test.
class CliExploreTest : public ::testing::Test {
 protected:
  std::string Env() const { return "HOME=" + Home.Path().string() + " XDG_CONFIG_HOME= LC_ALL=C "; }
  TCommandResult Run(const std::string& Args) { return RunCommand(Env() + kCli + " " + Args); }
  std::string Library() const { return (Home.Path() / ".config/trochodraw/Gyrotracer.ini").string(); }
  int Count(const std::string& Args) {
    const auto r = RunCommandApart(Env() + kCli + " patterns " + Args + " list");
    EXPECT_EQ(r.Status, 0) << r.Err;
    return static_cast<int>(std::count(r.Out.begin(), r.Out.end(), '\n'));
  }
  TTempDir Home;
};

TEST_F(CliExploreTest, GallerySheetHoldsACellPerPattern) {
  if (!HaveTool("identify")) GTEST_SKIP() << "ImageMagick's identify is not installed";
  const std::string sheet = Home.File("sheet.png");
  const auto r = Run("gallery --cell 100x75 --columns 5 --max-ticks 20000 -o " + sheet);
  ASSERT_EQ(r.Status, 0) << r.Output;
  EXPECT_NE(r.Output.find("19 patterns"), std::string::npos) << r.Output;
  // 19 cells in 5 columns: 4 rows of 75 + 20 for the name + 10 between, 10 at the edges.
  const auto id = RunCommand("identify -format '%m %wx%h' " + sheet);
  EXPECT_EQ(id.Output, "PNG 560x430");
  if (HaveTool("pngcheck")) {
    EXPECT_EQ(RunCommand("pngcheck -q " + sheet).Status, 0);
  }
}

TEST_F(CliExploreTest, SurpriseWritesPatternFilesTheLibraryReads) {
  const auto a = RunCommandApart(Env() + kCli + " surprise --count 4 --seed 77 --max-ticks 10000");
  ASSERT_EQ(a.Status, 0) << a.Err;
  EXPECT_NE(a.Err.find("seed: 77"), std::string::npos);
  EXPECT_EQ(a.Out.rfind("[Patterns]\nCount=4\n", 0), 0u) << a.Out;
  const std::string file = Home.File("s.ini");
  const auto b = Run("surprise --count 4 --seed 77 --max-ticks 10000 --quiet -o " + file);
  ASSERT_EQ(b.Status, 0) << b.Output;
  EXPECT_EQ(b.Output, "");
  EXPECT_EQ(ReadText(file), a.Out) << "the same seed, the same patterns";
  EXPECT_EQ(Count("--patterns-file " + file), 4);
  const auto period = RunCommandApart(Env() + kCli + " period --patterns-file " + file + " --pattern \"$(" + kCli +
                                      " patterns --patterns-file " + file + " list | head -1 | cut -f2)\"");
  ASSERT_EQ(period.Status, 0) << period.Err;
  const long ticks = std::stol(period.Out.substr(period.Out.find(": ") + 2));
  EXPECT_LE(ticks, 10000);
}

TEST_F(CliExploreTest, ImportAddsToTheLibraryAndABrokenFileChangesNothing) {
  const std::string shared = Home.File("friend.ini");
  ASSERT_EQ(Run("surprise --count 3 --seed 5 -o " + shared).Status, 0);
  const auto r = Run("patterns import " + shared);
  ASSERT_EQ(r.Status, 0) << r.Output;
  EXPECT_NE(r.Output.find("imported 3 patterns"), std::string::npos) << r.Output;
  EXPECT_EQ(Count(""), 22) << "the built-in 19, then the 3";
  const std::string before = ReadText(Library());

  const std::string broken = Home.File("broken.ini");
  std::ofstream(broken) << "[Patterns]\nCount=2\nName0=Half\n";
  const auto bad = Run("patterns import " + broken);
  EXPECT_EQ(bad.Status, 1);
  EXPECT_NE(bad.Output.find("broken.ini: pattern 1 has no ArmMode (key ArmMode0)"), std::string::npos) << bad.Output;
  EXPECT_EQ(Run("patterns import " + Home.File("none.ini")).Status, 1);
  EXPECT_EQ(ReadText(Library()), before);

  // Export and import again: the same library, twice over.
  const std::string out = Home.File("export.ini");
  ASSERT_EQ(Run("patterns export " + out).Status, 0);
  EXPECT_EQ(Count("--patterns-file " + out), 22);
  const auto list = RunCommandApart(Env() + kCli + " patterns list");
  ASSERT_EQ(Run("patterns import " + out).Status, 0);
  const auto doubled = RunCommandApart(Env() + kCli + " patterns show-all");
  const auto once = RunCommandApart(Env() + kCli + " patterns --patterns-file " + out + " show-all");
  EXPECT_EQ(doubled.Out, once.Out + once.Out);
  EXPECT_EQ(Run("patterns import").Status, 2);
}

}  // namespace
