// render --animate from the command line, checked with independent tools.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "animation_test_support.h"
#include "imagefiles/file_io.h"
#include "imagefiles/png_codec.h"

namespace trochodraw {
namespace {

using test::Output;

const std::string kCli = TROCHODRAW_CLI;
// A figure of 12 000 ticks that closes exactly, in a gradient.
const std::string kMachine = " --rpm1 25 --rpm2 50.5 --mode two-wheel --size 320x240 --line-mode distance";

TEST(CliAnimation, CompleteFigureAsGifMatchesTheRendersFigure) {
  REQUIRE_TOOL("gifsicle");
  REQUIRE_TOOL("ffmpeg");
  test::TTempDir dir;
  const std::string gif = (dir.Path() / "a.gif").string(), png = (dir.Path() / "f.png").string();
  int status = 0;
  const std::string out = Output(
      kCli + " render" + kMachine + " --complete --animate " + gif + " --duration 1 --fps 20 -o " + png, &status);
  ASSERT_EQ(status, 0) << out;
  EXPECT_NE(out.find("wrote " + gif + " (GIF, 20 frames, 320x240, 20 fps, 12000 ticks, "), std::string::npos) << out;
  const std::string info = Output("gifsicle --info " + gif);
  EXPECT_NE(info.find("20 images"), std::string::npos) << info;
  EXPECT_NE(info.find("loop forever"), std::string::npos) << info;
  const auto data = ReadWholeFile(png);
  const TBitmap figure = DecodePNG(data.data(), data.size());
  EXPECT_TRUE(test::SameInk(figure, test::LastFrameOf(gif, (dir.Path() / "last.ppm").string()), 0.01, 3.0));
}

TEST(CliAnimation, FramesDurationAndMechanismMakeTheMp4) {
  REQUIRE_TOOL("ffprobe");
  test::TTempDir dir;
  const std::string mp4 = (dir.Path() / "m.mp4").string();
  int status = 0;
  const std::string out = Output(kCli + " render" + kMachine + " --ticks 200 --animate " + mp4 +
                                     " --frames 36 --duration 3 --with-mechanism --animation-width 335 --quiet",
                                 &status);
  ASSERT_EQ(status, 0) << out;
  EXPECT_EQ(out, "") << "--quiet";
  const std::string info = Output(
      "ffprobe -v error -count_frames -show_entries stream=width,height,nb_read_frames,"
      "r_frame_rate -of default=nw=1 " +
      mp4);
  for (const char* want : {"width=334", "height=200", "nb_read_frames=36", "r_frame_rate=12/1"})
    EXPECT_NE(info.find(want), std::string::npos) << want << " in\n" << info;
}

TEST(CliAnimation, MistakesAreNamedWithStatusTwoAndWriteNothing) {
  test::TTempDir dir;
  const std::string gif = " --animate " + (dir.Path() / "a.gif").string();
  const std::string bad[] = {" --animate " + (dir.Path() / "a.png").string(),
                             " --animate " + (dir.Path() / "a").string(),
                             gif + " --fps 0",
                             gif + " --fps 60",
                             gif + " --quality 50",
                             gif + " --frames 10 --duration 1 --fps 30",
                             gif + " --frames 1000 --duration 1",
                             gif + " --animation-width 1",
                             " --with-mechanism -o " + (dir.Path() / "f.bmp").string(),
                             " --fps 10 -o " + (dir.Path() / "f.bmp").string(),
                             " --animate"};
  for (const std::string& b : bad) {
    int status = 0;
    const std::string out = Output(kCli + " render --ticks 5" + b, &status);
    EXPECT_EQ(status, 2) << b << ": " << out;
    EXPECT_NE(out.find("render:"), std::string::npos) << b;
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1) << "one line: " << out;
  }
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
  int status = 0;
  const std::string out = Output(kCli + " render --ticks 5 --animate /nonexistent-dir/a.webp", &status);
  EXPECT_EQ(status, 1);
  EXPECT_NE(out.find("Cannot create file /nonexistent-dir/a.webp"), std::string::npos) << out;
}

}  // namespace
}  // namespace trochodraw
