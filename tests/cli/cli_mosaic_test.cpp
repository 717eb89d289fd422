#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "colouring/temp_folder.h"
#include "imagefiles/bmp_codec.h"
#include "imagefiles/file_io.h"

namespace trochodraw {
namespace {

// Runs the command-line tool; its exit status, or -1.
int Cli(const std::string& Args) {
  const std::string command = std::string(TROCHODRAW_CLI) + " " + Args + " >/dev/null 2>&1";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(CliMosaic, BadValuesAreUsageErrors) {
  TTempFolder folder;
  const std::string out = " -o " + (folder.Path() / "x.bmp").string();
  const char* cases[] = {
      "--mosaic stripes",
      "--mosaic",
      "--mosaic gradient --threshold 1.5",
      "--mosaic gradient --threshold -0.1",
      "--mosaic gradient --threshold x",
      "--mosaic random --mosaic-background 12345",
      "--mosaic gradient --colour-count 13",
      "--threshold 0.5",
      "--colour-count 12",
      "--mosaic random --seed -4",
  };
  for (const char* c : cases) EXPECT_EQ(Cli(std::string("render --ticks 1") + out + " " + c), 2) << c;
  EXPECT_EQ(folder.FileCount(), 0);
}

TEST(CliMosaic, RendersAMosaic) {
  TTempFolder folder;
  const std::string a = (folder.Path() / "a.bmp").string(), b = (folder.Path() / "b.bmp").string();
  const std::string common =
      "render --ticks 300 --size 160x120 --scale 0.5 --mosaic random --seed 9 "
      "--threshold 0.5 --mosaic-background 102030 --colour-count 20 -o ";
  ASSERT_EQ(Cli(common + a), 0);
  ASSERT_EQ(Cli(common + b), 0);
  const std::vector<uint8_t> bytes = ReadWholeFile(a);
  EXPECT_EQ(bytes, ReadWholeFile(b));  // the same seed gives the same colours
  const TBitmap figure = DecodeBMP(bytes.data(), bytes.size());
  EXPECT_EQ(figure.PixelFormat(), TPixelFormat::pf24bit);
  EXPECT_EQ(figure.GetPixel(0, 0), RGBColor(0x10, 0x20, 0x30));
  EXPECT_EQ(figure.GetPixel(159, 119), RGBColor(0x10, 0x20, 0x30));

  ASSERT_EQ(Cli("render --ticks 300 --size 160x120 --scale 0.5 --mosaic gradient -o " + a), 0);
  const std::vector<uint8_t> gradient = ReadWholeFile(a);
  EXPECT_EQ(DecodeBMP(gradient.data(), gradient.size()).GetPixel(0, 0), clBlack);
}

}  // namespace
}  // namespace trochodraw
