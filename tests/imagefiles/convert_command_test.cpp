#include <gtest/gtest.h>

#include <string>

#include "image_test_support.h"
#include "imagefiles/bmp_codec.h"
#include "imagefiles/png_codec.h"
#include "imagefiles/save_figure.h"

namespace trochodraw {
namespace {

int Convert(const std::string& Arguments) {
  return test::Shell(std::string(TROCHODRAW_CLI) + " convert " + Arguments + " >/dev/null 2>&1");
}

TEST(ConvertCommand, ReadsByOneExtensionAndWritesByTheOther) {
  test::TTempDir dir;
  const TBitmap picture = test::MakeTestPicture(TPixelFormat::pf24bit, 12, 5);
  SaveFigure(picture, (dir / "in.bmp").string());
  ASSERT_EQ(Convert((dir / "in.bmp").string() + " " + (dir / "out.PNG").string()), 0);
  const auto png = test::ReadBytes(dir / "out.PNG");
  EXPECT_EQ(test::FirstPixelDifference(picture, DecodePNG(png.data(), png.size())), "");
  ASSERT_EQ(Convert((dir / "out.PNG").string() + " " + (dir / "again").string()), 0);
  const auto bmp = test::ReadBytes(dir / "again");  // no extension: BMP
  EXPECT_EQ(test::FirstPixelDifference(picture, DecodeBMP(bmp.data(), bmp.size())), "");
}

TEST(ConvertCommand, ReportsFailuresByExitStatus) {
  test::TTempDir dir;
  test::WriteBytes(dir / "in.xyz", {1, 2, 3});
  test::WriteBytes(dir / "bad.png", {1, 2, 3});
  test::WriteBytes(dir / "keep.gif", {'k'});
  EXPECT_EQ(Convert((dir / "in.xyz").string() + " " + (dir / "o.png").string()), 1);
  EXPECT_EQ(Convert((dir / "bad.png").string() + " " + (dir / "keep.gif").string()), 1);
  EXPECT_EQ(test::ReadBytes(dir / "keep.gif"), std::vector<uint8_t>{'k'});
  EXPECT_EQ(Convert((dir / "in.xyz").string()), 2);
  EXPECT_EQ(dir.Files().size(), 3u);
}

}  // namespace
}  // namespace trochodraw
