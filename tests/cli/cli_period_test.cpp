#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/run_command.h"

using trochodraw::testing::RunCommand;
using trochodraw::testing::TTempDir;

namespace {

const std::string kCli = TROCHODRAW_CLI;
const std::string kOwlEyes = " --radius1 54 --radius2 54 --rpm1 -40 --rpm2 -40 --mode inner-planetary";

// Standard output alone: what a script reading the data gets.
trochodraw::testing::TCommandResult Stdout(const std::string& Args) {
  return RunCommand("sh -c '" + kCli + Args + " 2>/dev/null'");
}

TEST(CliPeriodTest, KeysInOrder) {
  struct Case {
    std::string Args, Expected;
  };
  const Case cases[] = {
      {" period" + kOwlEyes,
       "period-ticks: 3450\nwheel1-turns: -23\nwheel2-turns: -23\nplanet1-turns: -50\nplanet2-turns: -50\n"
       "near-ticks: 3450\ntolerance: 0.5\nseconds: 34.5\n"},
      {" period --accelerate --tolerance 2" + kOwlEyes,
       "period-ticks: 345\nwheel1-turns: -23\nwheel2-turns: -23\nplanet1-turns: -50\nplanet2-turns: -50\n"
       "near-ticks: 345\ntolerance: 2\nseconds: 3.45\n"},
      // Planets do not matter with two wheels; 77.63 is taken as the decimal it is.
      {" period --radius1 68 --radius2 80 --rpm1 77.63 --rpm2 80 --mode two-wheel --tolerance 0",
       "period-ticks: 600000\nwheel1-turns: 7763\nwheel2-turns: 8000\nnear-ticks: 600000\ntolerance: 0\n"
       "seconds: 6000\n"},
      // Four angles that rarely meet: the near closure search gives up before the period.
      {" period --radius1 2.13 --radius2 3.91 --rpm1 -85.98 --rpm2 32.59 --mode inner-planetary",
       "period-ticks: 2821298490000\nwheel1-turns: -40438611690\nwheel2-turns: 15329055129\n"
       "planet1-turns: -41318700000\nplanet2-turns: 15952810000\nnear-ticks: not found\ntolerance: 0.5\n"
       "seconds: 28212984900\n"},
  };
  for (const Case& c : cases) {
    const auto r = Stdout(c.Args);
    EXPECT_EQ(r.Status, 0) << c.Args;
    EXPECT_EQ(r.Output, c.Expected) << c.Args;
  }
}

TEST(CliPeriodTest, RefusesWhatHasNoPeriod) {
  const auto still = RunCommand(kCli + " period --rpm1 0 --rpm2 0");
  EXPECT_EQ(still.Status, 1);
  EXPECT_NE(still.Output.find("nothing moves: both wheel speeds are 0"), std::string::npos) << still.Output;
  const auto bad = RunCommand(kCli + " period --tolerance 200");
  EXPECT_EQ(bad.Status, 2) << bad.Output;
  const auto both = RunCommand(kCli + " render -o /dev/null --complete --near-complete");
  EXPECT_EQ(both.Status, 2) << both.Output;
  const auto never = RunCommand(kCli + " render -o /dev/null --complete --rpm1 0 --rpm2 0");
  EXPECT_EQ(never.Status, 1) << never.Output;
}

std::vector<std::vector<double>> ReadPath(const std::string& File) {
  std::ifstream in(File);
  std::string line;
  std::getline(in, line);  // header
  std::vector<std::vector<double>> rows;
  while (std::getline(in, line)) {
    std::vector<double> row;
    std::istringstream l(line);
    std::string cell;
    while (std::getline(l, cell, ',')) row.push_back(std::stod(cell));
    rows.push_back(row);
  }
  return rows;
}

TEST(CliPeriodTest, CompleteEndsExactlyAtThePeriodWhereItBegan) {
  TTempDir dir;
  const auto r = RunCommand(kCli + " render -o " + dir.File("f.png") + kOwlEyes + " --angles 262.4,196.8,255.6,240" +
                            " --complete --progress --path " + dir.File("complete.csv"));
  ASSERT_EQ(r.Status, 0) << r.Output;
  const auto complete = ReadPath(dir.File("complete.csv"));
  ASSERT_FALSE(complete.empty());
  EXPECT_EQ(complete.back()[0], 3450) << "the last tick is the period";

  // One tick more: the pen at the end of tick 3451 stands where it stood after tick 1.
  const auto more = RunCommand(kCli + " render -o " + dir.File("g.png") + kOwlEyes + " --angles 262.4,196.8,255.6,240" +
                               " --ticks 3451 --path " + dir.File("more.csv"));
  ASSERT_EQ(more.Status, 0) << more.Output;
  const auto rows = ReadPath(dir.File("more.csv"));
  std::vector<double> afterFirst, afterLast;
  for (const auto& row : rows) {
    if (row[0] == 1) afterFirst = row;
    if (row[0] == 3451) afterLast = row;
  }
  ASSERT_FALSE(afterFirst.empty());
  ASSERT_FALSE(afterLast.empty());
  EXPECT_NEAR(afterLast[2], afterFirst[2], 1e-6);
  EXPECT_NEAR(afterLast[3], afterFirst[3], 1e-6);
}

}  // namespace
