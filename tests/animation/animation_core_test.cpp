// The frame schedule, the options, the frames and the GIF palette, headless.
#include <gtest/gtest.h>

#include <numeric>

#include "animation/animation_frame.h"
#include "animation/animation_job.h"
#include "animation/animation_options.h"
#include "animation/frame_sampler.h"
#include "animation/frame_schedule.h"
#include "animation/gif_palette.h"
#include "machine/figure_runner.h"
#include "render/mechanism_view.h"
#include "support/image_compare.h"

namespace trochodraw {
namespace {

TEST(FrameSchedule, SpreadsTheRunFromBeforeTheFirstTickToTheEnd) {
  struct TCase {
    uint64_t Ticks;
    int Frames;
    std::vector<uint64_t> Want;
  };
  const TCase cases[] = {{300, 4, {0, 100, 200, 300}},
                         {10, 4, {0, 3, 7, 10}},
                         {2, 5, {0, 1, 1, 2, 2}},  // more frames than ticks: some repeat
                         {1000, 1, {1000}},
                         {0, 3, {0, 0, 0}}};
  for (const TCase& c : cases) EXPECT_EQ(SpreadFrameTicks(c.Ticks, c.Frames), c.Want) << c.Ticks << "/" << c.Frames;
  const auto big = SpreadFrameTicks(1'000'000'000'000'000'000ULL, 3);
  EXPECT_EQ(big[1], 500'000'000'000'000'000ULL);  // no overflow for the longest periods
  EXPECT_EQ(EveryFrameTicks(7, 3), (std::vector<uint64_t>{0, 7, 14}));
}

TEST(FrameSchedule, DelaysAddUpToTheDuration) {
  EXPECT_EQ(FrameTimes(3, 30, 100), (std::vector<int64_t>{0, 3, 7, 10}));
  for (const int fps : {7, 24, 30, 50}) {
    const auto t = FrameTimes(fps * 3, fps, 100);
    EXPECT_EQ(t.back(), 300) << fps;
    for (size_t i = 1; i < t.size(); ++i) EXPECT_GE(t[i] - t[i - 1], 2) << fps;
  }
  EXPECT_EQ(FrameTime(300, 30, 1000), 10000);
}

TEST(AnimationOptions, TheExtensionNamesTheFormat) {
  EXPECT_EQ(AnimationFormatOf("a.gif"), TAnimationFormat::afGIF);
  EXPECT_EQ(AnimationFormatOf("dir.mp4/A.GIF"), TAnimationFormat::afGIF);
  EXPECT_EQ(AnimationFormatOf("x.png.WebP"), TAnimationFormat::afWebP);
  EXPECT_EQ(AnimationFormatOf("/tmp/v.Mp4"), TAnimationFormat::afMP4);
  for (const std::string bad : {"a.png", "a.gif.png", "noextension", "dir.gif/file", "a."}) {
    try {
      AnimationFormatOf(bad);
      ADD_FAILURE() << bad << " was taken";
    } catch (const EAnimationError& e) {
      EXPECT_NE(std::string(e.what()).find(".gif, .webp or .mp4"), std::string::npos) << e.what();
    }
  }
}

TEST(AnimationOptions, ChoicesNoEncoderTakesAreRefused) {
  auto with = [](auto Change) {
    TAnimationOptions o;
    Change(o);
    return o;
  };
  const TAnimationOptions bad[] = {
      with([](TAnimationOptions& o) { o.Fps = 51; }),  // GIF
      with([](TAnimationOptions& o) { o.Fps = 0; }),
      with([](TAnimationOptions& o) { o.Quality = 50; }),  // GIF
      with([](TAnimationOptions& o) {
        o.Format = TAnimationFormat::afWebP;
        o.Quality = 101;
      }),
      with([](TAnimationOptions& o) { o.DurationSeconds = 0; }),
      with([](TAnimationOptions& o) { o.Width = kMaxAnimationSide + 1; }),
  };
  for (const TAnimationOptions& o : bad) EXPECT_THROW(ValidateAnimationOptions(o), EAnimationError);
  EXPECT_NO_THROW(ValidateAnimationOptions(with([](TAnimationOptions& o) {
    o.Format = TAnimationFormat::afMP4;
    o.Fps = 60;
  })));
  EXPECT_EQ(AnimationFrameCount(with([](TAnimationOptions& o) { o.DurationSeconds = 2.5; })), 75);
  EXPECT_EQ(AnimationFrameCount(with([](TAnimationOptions& o) { o.Frames = 12; })), 12);
}

TEST(AnimationOptions, FrameSizeFollowsTheWidthAndMp4TakesEvenSides) {
  TAnimationOptions o;
  const TFrameSize both = NaturalFrameSize(TAnimationContent::acFigureAndMechanism, {640, 480}, {350, 400});
  EXPECT_EQ(both.Width, 990);
  EXPECT_EQ(both.Height, 480);
  o.Width = 495;
  EXPECT_EQ(AnimationFrameSize(o, both).Height, 240);
  o.Width = 321;
  const TFrameSize gif = AnimationFrameSize(o, {641, 481});
  EXPECT_EQ(gif.Width, 321);
  EXPECT_EQ(gif.Height, 241);
  o.Format = TAnimationFormat::afMP4;
  const TFrameSize mp4 = AnimationFrameSize(o, {641, 481});
  EXPECT_EQ(mp4.Width, 320);
  EXPECT_EQ(mp4.Height, 240);
}

TEST(AnimationFrame, ScalingAveragesTheAreaEachPixelCovers) {
  TAnimationFrame f(4, 2);
  for (int x = 0; x < 4; ++x) f.Row(0)[3 * x] = f.Row(1)[3 * x] = x % 2 ? 255 : 0;  // red stripes
  const TAnimationFrame half = ScaleFrame(f, 2, 1);
  EXPECT_EQ(half.Pixel(0, 0), RGBColor(128, 0, 0));
  EXPECT_EQ(half.Pixel(1, 0), RGBColor(128, 0, 0));
  const TAnimationFrame up = ScaleFrame(f, 8, 4);
  EXPECT_EQ(up.Pixel(2, 3), RGBColor(255, 0, 0));
  EXPECT_EQ(up.Pixel(0, 0), RGBColor(0, 0, 0));
}

TEST(GifPalette, FewColoursStayExactAndAGradientDoesNotBand) {
  TGifPalette p(255);
  for (int i = 0; i < 200; ++i) p.Count(static_cast<uint8_t>(i), 10, 20);
  p.Build();
  EXPECT_EQ(p.Size(), 200);
  for (int i = 0; i < 200; ++i) EXPECT_EQ(p.Colours()[3 * p.IndexOf(static_cast<uint8_t>(i), 10, 20)], i);

  // A two-dimensional gradient of 65 536 colours, as antialiased gradient strokes make.
  p.Clear();
  for (int r = 0; r < 256; ++r)
    for (int g = 0; g < 256; ++g) p.Count(static_cast<uint8_t>(r), static_cast<uint8_t>(g), 128);
  p.Build();
  EXPECT_EQ(p.Size(), 255);
  int worst = 0;
  double sum = 0;
  for (int r = 0; r < 256; ++r)
    for (int g = 0; g < 256; ++g) {
      const int i = p.IndexOf(static_cast<uint8_t>(r), static_cast<uint8_t>(g), 128);
      const int e = std::max({std::abs(p.Colours()[3 * i] - r), std::abs(p.Colours()[3 * i + 1] - g),
                              std::abs(p.Colours()[3 * i + 2] - 128)});
      worst = std::max(worst, e);
      sum += e;
    }
  // 255 colours over a 256 x 256 square are steps of about 16: half a step off on average.
  EXPECT_LE(worst, 16);
  EXPECT_LE(sum / 65536, 6.0);
}

// A fresh figure of the command line's machine in a distance gradient.
TFigureStart Start() {
  TFigureStart s;
  s.Settings.Machine = {75.06, 75.06, pmTwoWheel, amPantograph, 350};
  s.Settings.RPM1 = 25;
  s.Settings.RPM2 = 50.5;
  s.Settings.Scale = 1.5;
  s.Lines.Mode = lcDistance;
  s.Figure = {320, 240};
  s.BackColor = RGBColor(250, 240, 200);
  return s;
}

TEST(FrameSampler, FirstFrameIsBlankAndTheLastIsTheRunsFigure) {
  TAnimationJob job(Start());
  TFrameSampler sampler(job.Simulation(), TAnimationContent::acFigure, {320, 240}, SpreadFrameTicks(500, 5));
  TAnimationFrame first, f;
  ASSERT_TRUE(sampler.Next(first));
  for (int y = 0; y < first.Height; ++y)
    for (int x = 0; x < first.Width; ++x) ASSERT_EQ(first.Pixel(x, y), RGBColor(250, 240, 200)) << x << "," << y;
  int frames = 1;
  while (sampler.Next(f)) ++frames;
  EXPECT_EQ(frames, 5);
  EXPECT_EQ(sampler.TicksRun(), 500u);

  // The same 500 ticks run plainly give the same pixels.
  TLineColoring lines;
  lines.Settings = Start().Lines;
  TSimulation plain(lines);
  StartFreshFigure(plain, Start());
  TFigureRunner::Run(plain, 500);
  const TAnimationFrame want = ComposeFrame(plain.FigureImage, nullptr);
  EXPECT_TRUE(want.Pixels == f.Pixels);
}

TEST(FrameSampler, TheMechanismIsShownAsItStandsAtEachFrame) {
  TAnimationJob job(Start());
  TFrameSampler sampler(job.Simulation(), TAnimationContent::acFigureAndMechanism, {350 + 320, 400},
                        SpreadFrameTicks(37, 2));
  TAnimationFrame f;
  ASSERT_TRUE(sampler.Next(f));
  ASSERT_TRUE(sampler.Next(f));
  TLineColoring lines;
  lines.Settings = Start().Lines;
  TSimulation plain(lines);
  StartFreshFigure(plain, Start());
  for (int t = 0; t < 37; ++t) plain.Timer1Timer();  // the mechanism drawn at each tick's end
  const TAnimationFrame want = ComposeFrame(plain.FigureImage, &plain.MechanismImage);
  EXPECT_TRUE(want.Pixels == f.Pixels);
  EXPECT_EQ(f.Pixel(350 + 1, 1), RGBColor(250, 240, 200)) << "the figure's background";
  EXPECT_EQ(f.Pixel(350 + 10, 300), kFrameGapColor) << "below the shorter figure";
}

TEST(FrameSampler, CancelsBetweenSlicesOfALongGap) {
  TAnimationJob job(Start());
  TFrameSampler sampler(job.Simulation(), TAnimationContent::acFigure, {320, 240}, {0, 1'000'000});
  TAnimationFrame f;
  ASSERT_TRUE(sampler.Next(f));
  int asked = 0;
  EXPECT_THROW(sampler.Next(f, [&] { return ++asked < 3; }), EAnimationCancelled);
  EXPECT_LT(sampler.TicksRun(), 10000u);
}

TEST(AnimationSpan, RealTimeAndWholeFigure) {
  TTickSettings s = Start().Settings;
  const TSpanTicks real = AnimationSpanTicks(s, TAnimationSpan::asRealTime, 2.5);
  EXPECT_TRUE(real.Ok);
  EXPECT_EQ(real.Ticks, 250u);
  const TSpanTicks whole = AnimationSpanTicks(s, TAnimationSpan::asWholeFigure, 10);
  EXPECT_TRUE(whole.Ok);
  EXPECT_EQ(whole.Ticks, 12000u);
  s.RPM1 = s.RPM2 = 0;
  EXPECT_FALSE(AnimationSpanTicks(s, TAnimationSpan::asWholeFigure, 10).Ok);
}

}  // namespace
}  // namespace trochodraw
