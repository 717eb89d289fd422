#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <vector>

#include "imagefiles/bmp_codec.h"
#include "imagefiles/file_io.h"
#include "imagefiles/preview_load.h"
#include "support/run_command.h"

using namespace trochodraw;
using trochodraw::testing::RunCommand;
using trochodraw::testing::TTempDir;

namespace {

const std::string kCli = TROCHODRAW_CLI;

std::vector<std::vector<std::string>> ReadCsv(const std::string& text) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    std::vector<std::string> cells;
    std::istringstream l(line);
    std::string cell;
    while (std::getline(l, cell, ',')) cells.push_back(cell);
    rows.push_back(cells);
  }
  return rows;
}

TEST(CliRenderTest, PathOfTheWorkedExample) {
  TTempDir dir;
  const auto r = RunCommand(kCli + " render -o " + dir.File("f.bmp") +
                            " --radius1 74.95 --radius2 74.95 --rpm1 75.5 --rpm2 75.5 --angles 0,0,0,0"
                            " --scale 1 --mode two-wheel --ticks 2 --path " + dir.File("p.csv"));
  ASSERT_EQ(r.Status, 0) << r.Output;
  std::ifstream in(dir.File("p.csv"));
  std::stringstream ss;
  ss << in.rdbuf();
  const auto rows = ReadCsv(ss.str());
  ASSERT_EQ(rows.size(), 1u + 38u + 1u);
  EXPECT_EQ(rows[0], (std::vector<std::string>{"tick", "step", "x", "y", "drawn"}));
  EXPECT_EQ(rows[1][4], "0");
  EXPECT_EQ(rows[2][4], "1");
  EXPECT_EQ(rows[38][0], "1");
  EXPECT_EQ(rows[38][1], "38");
  EXPECT_NEAR(std::stod(rows[38][2]), 323.55, 0.005);
  EXPECT_NEAR(std::stod(rows[38][3]), 195.21, 0.005);
  EXPECT_EQ(rows[39][0], "2");
  EXPECT_NEAR(std::stod(rows[39][2]), 327.08, 0.005);
  EXPECT_NEAR(std::stod(rows[39][3]), 195.63, 0.005);

  const auto file = ReadWholeFile(dir.File("f.bmp"));
  const TBitmap fig = DecodeBMP(file.data(), file.size());
  EXPECT_EQ(fig.Width(), 640);
  EXPECT_EQ(fig.Height(), 480);
}

TEST(CliRenderTest, DefaultMachineDrawsTheFigureAndTheMechanism) {
  TTempDir dir;
  const auto r = RunCommand(kCli + " render --ticks 200 --size 320x200 -o " + dir.File("m.bmp") +
                            " --mechanism-image " + dir.File("mech.bmp"));
  ASSERT_EQ(r.Status, 0) << r.Output;
  EXPECT_NE(r.Output.find("m.bmp"), std::string::npos) << "says where it wrote";
  auto file = ReadWholeFile(dir.File("m.bmp"));
  const TBitmap fig = DecodeBMP(file.data(), file.size());
  int inked = 0;
  for (int y = 0; y < fig.Height(); ++y)
    for (int x = 0; x < fig.Width(); ++x) inked += fig.GetPixel(x, y) != clWhite;
  EXPECT_GT(inked, 500);
  file = ReadWholeFile(dir.File("mech.bmp"));
  const TBitmap mech = DecodeBMP(file.data(), file.size());
  EXPECT_EQ(mech.Width(), 350);
}

// The program refuses a fresh figure as TIFF or TGA; the command line writes it as 24 bits.
TEST(CliRenderTest, TIFFAndTGAHoldTheFigureThatBMPHolds) {
  TTempDir dir;
  const std::string files[] = {"f.bmp", "f.tif", "f.tiff", "f.tga"};
  for (const std::string& f : files) {
    const auto r = RunCommand(kCli + " render --ticks 40 --size 90x70 --pen-width 3 -o " + dir.File(f));
    ASSERT_EQ(r.Status, 0) << f << ": " << r.Output;
  }
  const TBitmap bmp = PreviewLoad(dir.File("f.bmp"));
  for (const std::string& f : files) {
    const TBitmap back = PreviewLoad(dir.File(f));
    ASSERT_EQ(back.Width(), 90) << f;
    ASSERT_EQ(back.Height(), 70) << f;
    int differ = 0;
    for (int y = 0; y < 70; ++y)
      for (int x = 0; x < 90; ++x) differ += back.GetPixel(x, y) != bmp.GetPixel(x, y);
    EXPECT_EQ(differ, 0) << f;
  }
}

TEST(CliRenderTest, BadInputIsNamedWithStatusTwo) {
  const char* bad[] = {"--rpm1 200", "--rpm1 fast", "--mode sideways", "--size 0x10", "--angles 1,2,3",
                       "--colour 12345G", "--frobnicate", "--ticks"};
  for (const char* b : bad) {
    const auto r = RunCommand(kCli + " render -o /tmp/never-written.bmp " + b);
    EXPECT_EQ(r.Status, 2) << b << ": " << r.Output;
    EXPECT_NE(r.Output.find("render:"), std::string::npos) << b;
    EXPECT_EQ(std::count(r.Output.begin(), r.Output.end(), '\n'), 1) << "one line: " << r.Output;
  }
  EXPECT_EQ(RunCommand(kCli + " render").Status, 2) << "no output file";
}

TEST(CliRenderTest, UnwritableFileGivesTheSystemsMessage) {
  const auto r = RunCommand(kCli + " render --ticks 1 -o /nonexistent-dir/f.bmp");
  EXPECT_EQ(r.Status, 1);
  EXPECT_NE(r.Output.find("Cannot create file /nonexistent-dir/f.bmp"), std::string::npos) << r.Output;
}

}  // namespace
