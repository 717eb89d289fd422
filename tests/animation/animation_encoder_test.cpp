// The three encoders, read by independent tools; what a cancelled or failed export leaves.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "animation/animation_job.h"
#include "animation_test_support.h"
#include "imagefiles/file_io.h"

namespace trochodraw {
namespace {

using test::Output;

TFigureStart Start() {
  TFigureStart s;
  s.Settings.Machine = {75.06, 75.06, pmTwoWheel, amPantograph, 350};
  s.Settings.RPM1 = 25;
  s.Settings.RPM2 = 50.5;
  s.Settings.Scale = 1.5;
  s.Lines.Mode = lcDistance;  // gradients: the GIF palette has to follow them
  s.Figure = {320, 240};
  return s;
}

// The figure a plain run of Ticks ticks draws.
TBitmap FigureAfter(uint64_t Ticks) {
  TAnimationJob job(Start());
  for (uint64_t t = 0; t < Ticks; ++t) job.Simulation().Timer1Timer();
  return job.Simulation().FigureImage;
}

class AnimationFiles : public ::testing::Test {
 protected:
  TAnimationResult Write(const std::string& Name, TAnimationOptions O, uint64_t Ticks = 600) {
    TAnimationJob job(Start());
    return job.Write(Ticks, O, Path(Name));
  }
  std::string Path(const std::string& Name) const { return (Dir.Path() / Name).string(); }
  test::TTempDir Dir;
};

TEST_F(AnimationFiles, GifLoopsWithEveryFrameAndItsDelays) {
  REQUIRE_TOOL("gifsicle");
  TAnimationOptions o;
  o.Frames = 24;
  o.Fps = 30;
  const TAnimationResult r = Write("a.gif", o);
  EXPECT_EQ(r.Frames, 24);
  const std::string info = Output("gifsicle --info '" + Path("a.gif") + "'");
  EXPECT_NE(info.find("24 images"), std::string::npos) << info;
  EXPECT_NE(info.find("loop forever"), std::string::npos) << info;
  EXPECT_NE(info.find("logical screen 320x240"), std::string::npos) << info;
  EXPECT_NE(info.find("delay 0.03s"), std::string::npos) << info;
  EXPECT_NE(info.find("delay 0.04s"), std::string::npos) << info;
  EXPECT_EQ(r.Bytes, std::filesystem::file_size(Path("a.gif")));
}

TEST_F(AnimationFiles, WebPIsAnAnimationOfEveryFrame) {
  REQUIRE_TOOL("webpmux");
  TAnimationOptions o;
  o.Frames = 10;
  o.Fps = 10;
  Write("a.webp", o);
  const std::string info = Output("webpmux -info '" + Path("a.webp") + "'");
  EXPECT_NE(info.find("Features present: animation"), std::string::npos) << info;
  EXPECT_NE(info.find("Number of frames: 10"), std::string::npos) << info;
  EXPECT_NE(info.find("Loop Count : 0"), std::string::npos) << info;
  o.Quality = 40;
  Write("lossy.webp", o);
  const std::string lossy = Output("webpinfo '" + Path("lossy.webp") + "'");
  EXPECT_NE(lossy.find("Format: Lossy"), std::string::npos) << lossy;
}

TEST_F(AnimationFiles, Mp4IsH264InYuv420pWithItsIndexFirst) {
  REQUIRE_TOOL("ffprobe");
  TAnimationOptions o;
  o.Fps = 25;
  o.DurationSeconds = 2;
  o.Width = 201;  // an odd width becomes even
  const TAnimationResult r = Write("a.mp4", o);
  EXPECT_EQ(r.Size.Width, 200);
  EXPECT_EQ(r.Size.Height, 150);
  const std::string info = Output(
      "ffprobe -v error -count_frames -show_entries stream=codec_name,pix_fmt,width,height,nb_read_frames:"
      "format=duration -of default=nw=1 '" +
      Path("a.mp4") + "'");
  for (const char* want :
       {"codec_name=h264", "pix_fmt=yuv420p", "width=200", "height=150", "nb_read_frames=50", "duration=2.000000"})
    EXPECT_NE(info.find(want), std::string::npos) << want << " in\n" << info;
  // +faststart: the index (moov) comes before the media data (mdat).
  const auto bytes = ReadWholeFile(Path("a.mp4"));
  const std::string text(bytes.begin(), bytes.end());
  ASSERT_NE(text.find("moov"), std::string::npos);
  EXPECT_LT(text.find("moov"), text.find("mdat"));
}

TEST_F(AnimationFiles, TheLastFrameShowsTheFiguresInk) {
  const TBitmap figure = FigureAfter(600);
  struct TCase {
    const char* Name;
    const char* Tool;
    double Far, Grey;
  };
  const TCase cases[] = {
      {"a.gif", "ffmpeg", 0.01, 3.0}, {"a.webp", "convert", 0.0, 0.01}, {"a.mp4", "ffmpeg", 0.08, 10.0}};
  for (const TCase& c : cases) {
    if (!test::HaveTool(c.Tool)) continue;
    TAnimationOptions o;
    o.Frames = 8;
    o.Fps = 10;
    Write(c.Name, o);
    const TBitmap last = test::LastFrameOf(Path(c.Name), Path(std::string(c.Name) + ".ppm"));
    ASSERT_FALSE(last.Empty()) << c.Name << " was not decoded";
    EXPECT_TRUE(test::SameInk(figure, last, c.Far, c.Grey)) << c.Name;
  }
}

TEST_F(AnimationFiles, CancelledOrFailedExportsLeaveNoFileAndKeepAnOldOne) {
  for (const char* name : {"c.gif", "c.webp", "c.mp4"}) {
    { std::ofstream(Path(name)) << "old"; }
    TAnimationJob job(Start());
    TAnimationOptions o;
    o.Frames = 20;
    EXPECT_THROW(job.Write(600, o, Path(name), [](int Done, int) { return Done < 5; }), EAnimationCancelled) << name;
    EXPECT_EQ(Output("cat '" + Path(name) + "'"), "old") << name;
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Dir.Path()), {}), 3) << "no temporary file is left";

  TAnimationJob job(Start());
  EXPECT_THROW(job.Write(10, {}, Path("refused.png")), EAnimationError);
  EXPECT_FALSE(std::filesystem::exists(Path("refused.png")));
  EXPECT_THROW(job.Write(10, {}, "/nonexistent-dir/a.gif"), EImageError);
}

}  // namespace
}  // namespace trochodraw
