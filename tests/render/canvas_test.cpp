#include <gtest/gtest.h>

#include "render/canvas.h"
#include "render/drawing_surface.h"
#include "render/mechanism_view.h"

using namespace trochodraw;

namespace {

TEST(ColorToARGBTest, SwapsRedAndBlueAndIsOpaque) {
  struct {
    TColor in;
    uint32_t out;
  } cases[] = {{0x0000FF, 0xFFFF0000}, {0x808000, 0xFF008080}, {0x123456, 0xFF563412}, {0xFF000000, 0xFF000000}};
  for (auto c : cases) EXPECT_EQ(ColorToARGB(c.in), c.out);
}

TEST(CanvasTest, MarkPointCoversItsSixBySixBox) {
  TBitmap b(30, 30);
  TCanvas c(b);
  ClearCanvas(c, clBlack);
  MarkRadius = 3;
  MarkPoint(c, {10, 10}, clLime);
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 30; ++x) {
      if (x < 7 || x > 12 || y < 7 || y > 12) {
        EXPECT_EQ(b.GetPixel(x, y), clBlack) << x << "," << y;
      }
    }
  }
  EXPECT_EQ(b.GetPixel(9, 9), clLime) << "interior in the brush colour";
  EXPECT_EQ(b.GetPixel(7, 9), clWhite) << "white outline";
}

TEST(CanvasTest, LineLeavesOutItsEndPixelAndXorInverts) {
  TBitmap b(20, 5);
  TCanvas c(b);
  ClearCanvas(c, clWhite);
  c.PenColor = clBlack;
  c.MoveTo(2, 2);
  c.LineTo(8, 2);
  for (int x = 0; x < 20; ++x) EXPECT_EQ(b.GetPixel(x, 2), x >= 2 && x < 8 ? clBlack : clWhite) << x;
  c.PenColor = clWhite;
  c.PenMode = TPenMode::pmXor;
  c.MoveTo(0, 2);
  c.LineTo(5, 2);
  EXPECT_EQ(b.GetPixel(1, 2), clBlack) << "white xor white";
  EXPECT_EQ(b.GetPixel(3, 2), clWhite) << "black xor white";
}

struct CrossCase {
  TColor back, arm, centre;
};

class ClearFigureTest : public ::testing::TestWithParam<CrossCase> {};

TEST_P(ClearFigureTest, CentreMarkIsAnXorCross) {
  const auto p = GetParam();
  TBitmap fig(640, 480);
  ClearFigureImage(fig, p.back, true);
  for (int x = 310; x < 330; ++x)
    EXPECT_EQ(fig.GetPixel(x, 240), x == 320 ? p.centre : (x >= 315 && x <= 325 ? p.arm : p.back)) << x;
  for (int y = 230; y < 250; ++y)
    EXPECT_EQ(fig.GetPixel(320, y), y == 240 ? p.centre : (y >= 235 && y <= 245 ? p.arm : p.back)) << y;
  ClearFigureImage(fig, p.back, false);
  EXPECT_EQ(fig.GetPixel(318, 240), p.back);
}

INSTANTIATE_TEST_SUITE_P(Backgrounds, ClearFigureTest,
                         ::testing::Values(CrossCase{clWhite, clBlack, clWhite}, CrossCase{clBlack, clWhite, clBlack}));

// A wide plain line covers each pixel once: XOR inverts exactly the pixels that copy mode
// paints, however often the round pen overlaps itself along the line.
TEST(CanvasTest, AWideXorLineInvertsWhatACopyLinePaints) {
  const TRect lines[] = {{3, 10, 30, 10}, {5, 3, 28, 20}, {20, 2, 12, 22}, {4, 4, 4, 4}};
  for (int width = 1; width <= 4; ++width) {
    for (const TRect& l : lines) {
      TBitmap copied(34, 26), inverted(34, 26);
      TCanvas a(copied), b(inverted);
      ClearCanvas(a, clWhite);
      ClearCanvas(b, clWhite);
      a.PenColor = clBlack;
      b.PenColor = clWhite;
      b.PenMode = TPenMode::pmXor;
      for (TCanvas* c : {&a, &b}) {
        c->PenWidth = width;
        c->MoveTo(l.Left, l.Top);
        c->LineTo(l.Right, l.Bottom);
      }
      for (int y = 0; y < 26; ++y)
        for (int x = 0; x < 34; ++x)
          ASSERT_EQ(inverted.GetPixel(x, y), copied.GetPixel(x, y))
              << "width " << width << ", line to " << l.Right << "," << l.Bottom << ", pixel " << x << "," << y;
    }
  }
}

// The centre mark with a wide pen: each arm inverts the pixels it covers once, so only where
// the two arms overlap does the background come back.
struct WideCrossCase {
  int Width;
  TRect Arm;  // the horizontal arm's pixels around the centre; the vertical one is its mirror
};

class WideCrossTest : public ::testing::TestWithParam<WideCrossCase> {};

TEST_P(WideCrossTest, EachArmInvertsItsPixelsOnce) {
  const auto p = GetParam();
  TBitmap fig(64, 48);
  ClearFigureImage(fig, clWhite, true, p.Width);
  auto in = [](const TRect& r, int x, int y) { return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom; };
  const TRect h{32 + p.Arm.Left, 24 + p.Arm.Top, 32 + p.Arm.Right, 24 + p.Arm.Bottom};
  const TRect v{32 + p.Arm.Top, 24 + p.Arm.Left, 32 + p.Arm.Bottom, 24 + p.Arm.Right};
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x)
      ASSERT_EQ(fig.GetPixel(x, y), in(h, x, y) != in(v, x, y) ? clBlack : clWhite) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(PenWidths, WideCrossTest,
                         ::testing::Values(WideCrossCase{1, {-5, 0, 6, 1}}, WideCrossCase{2, {-6, -1, 6, 1}},
                                           WideCrossCase{3, {-6, -1, 7, 2}}));

class SurfaceTest : public ::testing::TestWithParam<TPixelFormat> {};

// Integer coordinates are pixel centres and the ends are flat.
TEST_P(SurfaceTest, HorizontalLineCoversExactlyItsRow) {
  TBitmap b(30, 20, GetParam());
  {
    TGDPCanvas g(b);
    g.SetPenColor(ColorToARGB(clBlack));
    g.SetPenWidth(1);
    g.DrawLine(10, 10, 20, 10);
  }
  for (int x = 11; x <= 19; ++x) EXPECT_EQ(b.GetPixel(x, 10), clBlack) << x;
  for (int x : {0, 9, 21, 29}) EXPECT_EQ(b.GetPixel(x, 10), clWhite) << x;
  for (int x = 0; x < 30; ++x) {
    EXPECT_EQ(b.GetPixel(x, 9), clWhite) << x;
    EXPECT_EQ(b.GetPixel(x, 11), clWhite) << x;
  }
  const TColor half = b.GetPixel(10, 10);
  EXPECT_NE(half, clBlack) << "the end pixel is half covered";
  EXPECT_NE(half, clWhite);
}

TEST_P(SurfaceTest, PenWidthCarriesFromSpokesToCircle) {
  TBitmap b(60, 60, GetParam());
  TGDPCanvas g(b);
  DrawSpokes(g, clBlack, 2, {30, 30}, {30, 30}, {30, 30}, {30, 30}, {30, 30});
  EXPECT_DOUBLE_EQ(g.PenWidth(), 2.0);
  DrawCircle(g, {30, 30}, 20, false, clRed, clWhite);
  EXPECT_DOUBLE_EQ(g.PenWidth(), 2.0);
  EXPECT_EQ(b.GetPixel(30, 10), clRed) << "the outline runs through the circle's top pixel";
  EXPECT_EQ(b.GetPixel(30, 30), clWhite) << "not filled";
}

INSTANTIATE_TEST_SUITE_P(Formats, SurfaceTest, ::testing::Values(TPixelFormat::pfDevice, TPixelFormat::pf24bit));

TEST(SurfaceTest, PaletteBitmapIsRefused) {
  TBitmap b(4, 4, TPixelFormat::pf8bit);
  EXPECT_THROW(TGDPCanvas g(b), EImageError);
}

}  // namespace
