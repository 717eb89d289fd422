#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "imagefiles/image_test_support.h"
#include "render/bitmap.h"

namespace trochodraw::test {

#define REQUIRE_TOOL(name) \
  if (!::trochodraw::test::HaveTool(name)) GTEST_SKIP() << name " is not installed"

// What a command prints (standard output and error together) and its exit status.
inline std::string Output(const std::string& Command, int* Status = nullptr) {
  std::string out;
  FILE* p = ::popen((Command + " 2>&1").c_str(), "r");
  if (!p) return out;
  char buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  const int st = ::pclose(p);
  if (Status) *Status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  return out;
}

// The last frame of an animation as an independent decoder shows it (FFmpeg for GIF and MP4,
// ImageMagick for WebP), read back from a PPM file. Empty when the decoder fails.
inline TBitmap LastFrameOf(const std::string& Animation, const std::string& Ppm) {
  const bool webp = Animation.size() > 5 && Animation.substr(Animation.size() - 5) == ".webp";
  const std::string cmd = webp ? "convert '" + Animation + "' -coalesce +adjoin -delete 0--2 '" + Ppm + "'"
                               : "ffmpeg -v error -y -i '" + Animation + "' -update 1 -pix_fmt rgb24 '" + Ppm + "'";
  if (Shell(cmd + " 2>/dev/null") != 0) return TBitmap();
  return ReadPNM(Ppm);
}

inline int Grey(TColor C) { return (RedOf(C) * 299 + GreenOf(C) * 587 + BlueOf(C) * 114) / 1000; }

// The same ink: few pixels far from the expected colour (a channel off by more than 64), and
// the greys close on average. Lossy codecs soften edges, so neither is asked to be exact.
inline ::testing::AssertionResult SameInk(const TBitmap& Expected, const TBitmap& Actual, double MaxFarFraction,
                                          double MaxMeanGrey) {
  if (Expected.Width() != Actual.Width() || Expected.Height() != Actual.Height())
    return ::testing::AssertionFailure() << "size " << Actual.Width() << "x" << Actual.Height() << ", expected "
                                         << Expected.Width() << "x" << Expected.Height();
  long far = 0, ink = 0;
  double greySum = 0;
  const TColor background = Expected.GetPixel(0, Expected.Height() - 1);
  for (int y = 0; y < Expected.Height(); ++y)
    for (int x = 0; x < Expected.Width(); ++x) {
      const TColor a = Expected.GetPixel(x, y), b = Actual.GetPixel(x, y);
      greySum += std::abs(Grey(a) - Grey(b));
      ink += a != background;
      far += std::abs(RedOf(a) - RedOf(b)) > 64 || std::abs(GreenOf(a) - GreenOf(b)) > 64 ||
             std::abs(BlueOf(a) - BlueOf(b)) > 64;
    }
  const double pixels = static_cast<double>(Expected.Width()) * Expected.Height();
  if (ink < pixels / 100) return ::testing::AssertionFailure() << "the expected picture has almost no ink";
  if (far / pixels > MaxFarFraction || greySum / pixels > MaxMeanGrey)
    return ::testing::AssertionFailure() << "pixels far off: " << far / pixels << " (at most " << MaxFarFraction
                                         << "), mean grey difference " << greySum / pixels << " (at most "
                                         << MaxMeanGrey << ")";
  return ::testing::AssertionSuccess();
}

}  // namespace trochodraw::test
