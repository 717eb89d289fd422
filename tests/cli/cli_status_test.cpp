#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "support/run_command.h"

using trochodraw::testing::RunCommandApart;
using trochodraw::testing::TTempDir;

namespace {

const std::string kCli = TROCHODRAW_CLI;

std::vector<std::string> Lines(const std::string& Text) {
  std::vector<std::string> lines;
  std::istringstream in(Text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

bool HasLineStarting(const std::string& Text, const std::string& Start) {
  for (const std::string& l : Lines(Text))
    if (l.rfind(Start, 0) == 0) return true;
  return false;
}

// Standard output carries the pen path and nothing else, whatever else the run writes; the
// status lines are on standard error, or nowhere with --quiet.
TEST(CliStatusTest, RenderKeepsStandardOutputForThePath) {
  TTempDir dir;
  const std::string outputs = " -o " + dir.File("f.png") + " --mechanism-image " + dir.File("m.bmp") + " --svg " +
                              dir.File("d.svg") + " --pdf " + dir.File("d.pdf") + " --mosaic gradient --seed 1";
  const std::regex row(R"(\d+,\d+,-?[0-9.e+-]+,-?[0-9.e+-]+,[01])");
  for (const bool quiet : {false, true}) {
    SCOPED_TRACE(quiet ? "--quiet" : "with status");
    const auto r =
        RunCommandApart(kCli + " render --ticks 5 --size 120x90 --path -" + outputs + (quiet ? " --quiet" : ""));
    ASSERT_EQ(r.Status, 0) << r.Err;
    const auto lines = Lines(r.Out);
    ASSERT_GT(lines.size(), 5u) << r.Out;
    EXPECT_EQ(lines[0], "tick,step,x,y,drawn");
    for (size_t i = 1; i < lines.size(); ++i)
      EXPECT_TRUE(std::regex_match(lines[i], row)) << "line " << i << ": " << lines[i];
    if (quiet) {
      EXPECT_EQ(r.Err, "");
    } else {
      for (const char* name : {"f.png", "m.bmp", "d.svg", "d.pdf"})
        EXPECT_TRUE(HasLineStarting(r.Err, "wrote " + dir.File(name))) << name << ": " << r.Err;
      EXPECT_TRUE(HasLineStarting(r.Err, "note: ")) << "the drawing's note on the mosaic: " << r.Err;
    }
  }
}

TEST(CliStatusTest, ConvertSaysWhatItWroteOnStandardError) {
  TTempDir dir;
  ASSERT_EQ(RunCommandApart(kCli + " render --ticks 2 --size 20x10 -o " + dir.File("in.bmp")).Status, 0);
  auto r = RunCommandApart(kCli + " convert " + dir.File("in.bmp") + " " + dir.File("out.png"));
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out, "");
  EXPECT_EQ(r.Err, "wrote " + dir.File("out.png") + " (20x10)\n");
  r = RunCommandApart(kCli + " convert --quiet " + dir.File("in.bmp") + " " + dir.File("out2.png"));
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out + r.Err, "");
}

}  // namespace
