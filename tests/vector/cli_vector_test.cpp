#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "support/run_command.h"
#include "vector/gcode_reader.h"

using namespace trochodraw;
using namespace trochodraw::testing;

namespace {

const std::string kCli = TROCHODRAW_CLI;

TEST(CliVectorTest, WritesTheDrawingsWithoutARasterFile) {
  TTempDir dir;
  const auto r = RunCommand(kCli + " render --ticks 300 --svg " + dir.File("d.svg") + " --pdf " + dir.File("d.pdf"));
  ASSERT_EQ(r.Status, 0) << r.Output;
  EXPECT_NE(r.Output.find("wrote " + dir.File("d.svg") + " (SVG, "), std::string::npos) << r.Output;
  EXPECT_NE(r.Output.find("wrote " + dir.File("d.pdf") + " (PDF, "), std::string::npos) << r.Output;
  EXPECT_EQ(RunCommand("xmllint --noout " + dir.File("d.svg")).Status, 0);
  EXPECT_EQ(RunCommand("pdfinfo " + dir.File("d.pdf")).Status, 0);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2) << "nothing else written";
}

TEST(CliVectorTest, PlotterPage) {
  TTempDir dir;
  const auto r = RunCommand(kCli + " render --ticks 300 --plotter --page 300x200mm --margin 5 --simplify 0.05 --svg " +
                            dir.File("p.svg") + " -o " + dir.File("f.bmp"));
  ASSERT_EQ(r.Status, 0) << r.Output;
  const auto lint = RunCommand("xmllint --xpath 'string(/*/@width)' " + dir.File("p.svg"));
  EXPECT_EQ(lint.Output.substr(0, lint.Output.find_last_not_of('\n') + 1), "300mm") << lint.Output;
  EXPECT_TRUE(std::filesystem::exists(dir.File("f.bmp")));
}

TEST(CliVectorTest, BadValuesAreNamedWithStatusTwo) {
  TTempDir dir;
  const std::string svg = " --svg " + dir.File("never.svg");
  const std::string bad[] = {"--plotter --page B5" + svg,
                             "--plotter --page 0x10mm" + svg,
                             "--plotter --margin -1" + svg,
                             "--plotter --margin wide" + svg,
                             "--plotter --simplify 500" + svg,
                             "--plotter --page 100x100mm --margin 50" + svg,
                             "--page A4" + svg,
                             "--simplify 0.1" + svg,
                             "--plotter -o " + dir.File("f.bmp"),
                             "--svg",
                             "--reink-after 0.5 --stats",
                             "--reink-after 100 -o " + dir.File("f.bmp"),
                             "--pen-speed 0 --stats",
                             "--travel-speed fast --stats",
                             "--pen-up '' --gcode " + dir.File("never.nc"),
                             "--pen-down 'M3 S1000\nG0 X0' --stats",
                             "--stats --path -",
                             "--one-period -o " + dir.File("f.bmp"),
                             "--hpgl " + dir.File("never.txt") + " --margin 150"};
  for (const std::string& b : bad) {
    const auto r = RunCommand(kCli + " render --ticks 1 " + b);
    EXPECT_EQ(r.Status, 2) << b << ": " << r.Output;
    EXPECT_NE(r.Output.find("render:"), std::string::npos) << b;
    EXPECT_EQ(std::count(r.Output.begin(), r.Output.end(), '\n'), 1) << "one line: " << r.Output;
  }
  for (const char* never : {"never.svg", "never.nc", "never.txt", "f.bmp"})
    EXPECT_FALSE(std::filesystem::exists(dir.File(never))) << never;
}

// Status lines on standard error, the statistics alone on standard output; the G-code holds
// the drawn length the statistics tell, with the pen commands asked for.
TEST(CliVectorTest, PlotterFilesAndStatistics) {
  TTempDir dir;
  const auto r = RunCommandApart(
      kCli + " render --ticks 300 --stats --pen-speed 40 --travel-speed 100 --reink-after 300" +
      " --pen-up 'G0 Z5' --pen-down 'G1 Z0 F300' --gcode " + dir.File("d.gcode") + " --hpgl " + dir.File("d.hpgl"));
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_NE(r.Err.find("wrote " + dir.File("d.gcode") + " (G-code, "), std::string::npos) << r.Err;
  EXPECT_NE(r.Err.find("wrote " + dir.File("d.hpgl") + " (HPGL, "), std::string::npos) << r.Err;
  std::map<std::string, double> stats;
  std::istringstream out(r.Out);
  std::string line;
  while (std::getline(out, line)) {
    const auto colon = line.find(": ");
    ASSERT_NE(colon, std::string::npos) << "a key: value line: " << line;
    stats[line.substr(0, colon)] = std::stod(line.substr(colon + 2));
  }
  for (const char* key : {"paths", "pen-lifts", "pauses", "drawn-mm", "travel-mm", "plot-seconds"})
    EXPECT_EQ(stats.count(key), 1u) << key;
  EXPECT_NEAR(stats["plot-seconds"], stats["drawn-mm"] / 40 + stats["travel-mm"] / 100, 0.1);
  EXPECT_GE(stats["pauses"], std::floor(stats["drawn-mm"] / 300));

  std::ifstream in(dir.File("d.gcode"));
  std::stringstream text;
  text << in.rdbuf();
  const TGCodeRead g = ReadGCode(text.str(), {40, 100, "G0 Z5", "G1 Z0 F300"});
  EXPECT_TRUE(g.Errors.empty()) << g.Errors.front();
  double drawn = 0.0, travel = 0.0;
  TDocPoint at{0, 0};
  for (const TGCodeMove& m : g.Moves) {
    (m.PenDown ? drawn : travel) += Length(at, m.To);
    at = m.To;
  }
  EXPECT_NEAR(drawn, stats["drawn-mm"], stats["drawn-mm"] * 0.01);
  EXPECT_NEAR(travel, stats["travel-mm"], stats["travel-mm"] * 0.01);
  for (double mm : g.DrawnBetweenPauses) EXPECT_LE(mm, 300.01);
}

// A run of a period and a half, cut to one period, plots what a run of one period plots.
TEST(CliVectorTest, OnePeriodPlotsWhatOnePeriodDraws) {
  const std::string machine = kCli + " render --rpm1 30 --rpm2 45 --mode two-wheel --stats";
  const auto once = RunCommandApart(machine + " --ticks 400");
  const auto longer = RunCommandApart(machine + " --ticks 600");
  const auto cut = RunCommandApart(machine + " --ticks 600 --one-period");
  const auto shorter = RunCommandApart(machine + " --ticks 300 --one-period");
  ASSERT_EQ(cut.Status, 0) << cut.Err;
  EXPECT_EQ(cut.Out, once.Out);
  EXPECT_NE(longer.Out, once.Out);
  EXPECT_NE(cut.Err.find("keeping one period: 400 of 600 ticks"), std::string::npos) << cut.Err;
  EXPECT_NE(shorter.Err.find("all of it kept"), std::string::npos) << shorter.Err;
}

TEST(CliVectorTest, UnwritableDrawingGivesTheSystemsMessage) {
  const auto r = RunCommand(kCli + " render --ticks 1 --pdf /nonexistent-dir/d.pdf");
  EXPECT_EQ(r.Status, 1);
  EXPECT_NE(r.Output.find("Cannot create file /nonexistent-dir/d.pdf"), std::string::npos) << r.Output;
}

}  // namespace
