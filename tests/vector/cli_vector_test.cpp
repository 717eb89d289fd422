#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "support/run_command.h"

using trochodraw::testing::RunCommand;
using trochodraw::testing::TTempDir;

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
                             "--svg"};
  for (const std::string& b : bad) {
    const auto r = RunCommand(kCli + " render --ticks 1 " + b);
    EXPECT_EQ(r.Status, 2) << b << ": " << r.Output;
    EXPECT_NE(r.Output.find("render:"), std::string::npos) << b;
    EXPECT_EQ(std::count(r.Output.begin(), r.Output.end(), '\n'), 1) << "one line: " << r.Output;
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("never.svg")));
}

TEST(CliVectorTest, UnwritableDrawingGivesTheSystemsMessage) {
  const auto r = RunCommand(kCli + " render --ticks 1 --pdf /nonexistent-dir/d.pdf");
  EXPECT_EQ(r.Status, 1);
  EXPECT_NE(r.Output.find("Cannot create file /nonexistent-dir/d.pdf"), std::string::npos) << r.Output;
}

}  // namespace
