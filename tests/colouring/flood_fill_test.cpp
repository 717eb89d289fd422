#include "colouring/flood_fill.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "colouring/huge_point.h"
#include "colouring/test_pictures.h"

namespace trochodraw {
namespace {

// The fill read off its description, step by step: a point array read from the front, its
// first 1000 points deleted once the read index passes 1000, every test done afresh.
void ReferenceFill(TBitmap& B, int X, int Y, TColor Target, TColor New, double Threshold, std::vector<int>* Progress) {
  const int W = B.Width(), H = B.Height();
  const double total = double(W) * H * 4;
  THugePoint queue(5);
  B.SetPixelFormat(TPixelFormat::pf24bit);
  const TColorTriple t = ColorToTriple(Target), n = ColorToTriple(New);
  queue.Add(X, Y);
  int i = 0, processed = 0;
  while (i < queue.Count()) {
    if (i % 1000 == 0 && Progress) Progress->push_back(int(std::nearbyint(100.0 * processed / total)));
    const TPoint p = queue.Get(i);
    ++i;
    ++processed;
    const TColorTriple px = ColorToTriple(B.GetPixel(p.X, p.Y));
    if (!SameTriple(px, n) && TripleDistance(t, px) <= Threshold) {
      if (SameTriple(px, t)) {
        B.SetPixel(p.X, p.Y, New);
        if (p.X + 1 < W) queue.Add(p.X + 1, p.Y);
        if (p.X > 0) queue.Add(p.X - 1, p.Y);
        if (p.Y + 1 < H) queue.Add(p.X, p.Y + 1);
        if (p.Y > 0) queue.Add(p.X, p.Y - 1);
      } else {
        B.SetPixel(p.X, p.Y, TripleToColor(BlendValue(px, n)));
      }
    }
    if (i > 1000) {
      queue.DeleteRange(0, 999);
      i -= 1000;
    }
  }
  if (Progress) Progress->push_back(100);
}

TEST(FloodFill, MatchesTheStepByStepFillOnRandomPictures) {
  std::mt19937 rng(20240611);
  // Few colours, several of them near each other, so that fills, edges and repeated blends
  // all happen. In the second set, blending grey-ish pixels with white gives the target grey
  // itself, which a later visit then fills. Sizes up to 70 × 70 give thousands of points.
  struct World {
    std::vector<TColor> Inks;
    std::vector<TColor> Fills;
  };
  const World worlds[] = {
      {{clWhite, clBlack, RGBColor(200, 200, 200), RGBColor(230, 240, 250), RGBColor(128, 128, 128),
        RGBColor(250, 250, 250), RGBColor(255, 0, 0)},
       {RGBColor(250, 251, 252), RGBColor(30, 200, 90), RGBColor(250, 250, 252)}},
      {{RGBColor(128, 128, 128), clBlack, RGBColor(128, 120, 128), RGBColor(128, 128, 110), RGBColor(140, 128, 128),
        RGBColor(100, 100, 100)},
       {clWhite}},
  };
  const double thresholds[] = {0.0, 0.05, 0.3, 0.6, 1.0};
  for (int round = 0; round < 300; ++round) {
    const World& world = worlds[round % 2];
    const int w = 1 + int(rng() % 70), h = 1 + int(rng() % 70);
    TBitmap picture(w, h, TPixelFormat::pf24bit);
    const size_t inkCount = 2 + rng() % (world.Inks.size() - 1);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) picture.SetPixel(x, y, world.Inks[rng() % 3 ? 0 : rng() % inkCount]);
    const int sx = int(rng() % unsigned(w)), sy = int(rng() % unsigned(h));
    const TColor target = rng() % 4 ? picture.GetPixel(sx, sy) : world.Inks[0];
    const TColor fill = world.Fills[rng() % world.Fills.size()];
    const double threshold = thresholds[rng() % 5];
    TBitmap expected = picture, queued = picture, spans = picture;
    std::vector<int> expectedProgress, actualProgress;
    ReferenceFill(expected, sx, sy, target, fill, threshold, &expectedProgress);
    FloodFill(queued, sx, sy, target, fill, threshold, [&](int p) { actualProgress.push_back(p); });
    FloodFill(spans, sx, sy, target, fill, threshold);
    ASSERT_EQ(FirstDifference(queued, expected), "") << "round " << round << ", " << w << "x" << h;
    ASSERT_EQ(FirstDifference(spans, expected), "") << "round " << round << ", " << w << "x" << h;
    ASSERT_EQ(actualProgress, expectedProgress) << "round " << round;
  }
}

TEST(FloodFill, AntiAliasedRingStopsTheFill) {
  // A white disc in a black ring whose inner edge is anti-aliased grey.
  const TBitmap ring = RingPicture();
  TBitmap b = ring;
  FloodFill(b, 7, 7, clWhite, clLime, 0.6);
  EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf24bit);
  const TColor dimLime = TripleToColor(BlendValue(ColorToTriple(kRingEdge), ColorToTriple(clLime)));
  ASSERT_EQ(dimLime, RGBColor(0, 128, 0));
  auto filledInside = [&](int x, int y) {
    return x >= 0 && y >= 0 && x < ring.Width() && y < ring.Height() && InsideRing(x, y) &&
           ring.GetPixel(x, y) == clWhite;
  };
  int blended = 0;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      const TColor before = ring.GetPixel(x, y), after = b.GetPixel(x, y);
      const bool touched =
          filledInside(x + 1, y) || filledInside(x - 1, y) || filledInside(x, y + 1) || filledInside(x, y - 1);
      if (filledInside(x, y)) {
        EXPECT_EQ(after, clLime) << x << "," << y;
      } else if (before == kRingEdge && touched) {  // lime at the edge's own brightness
        EXPECT_EQ(after, dimLime) << x << "," << y;
        ++blended;
      } else {
        EXPECT_EQ(after, before) << x << "," << y;  // the black ring, untouched edges, the outside
      }
    }
  EXPECT_GT(blended, 8);
}

TEST(FloodFill, EdgePixelIsBlendedOncePerFilledNeighbour) {
  // A near-white fill colour keeps blended pixels within the threshold of white, so each
  // visit blends the edge pixel again: one visit per filled neighbour.
  const TColor fill = RGBColor(250, 250, 252), edge = RGBColor(200, 200, 200);
  auto blend = [&](TColor c) { return TripleToColor(BlendValue(ColorToTriple(c), ColorToTriple(fill))); };
  struct Case {
    std::vector<std::string> Rows;
    int Visits;
  };
  const Case cases[] = {{{"#####", "#.e##", "#####"}, 1},
                        {{"#####", "#.e.#", "#####"}, 2},
                        {{"##.##", "#.e.#", "##.##"}, 4},
                        {{"##.##", "#.e.#", "#.#.#"}, 3}};
  for (const Case& c : cases) {
    TBitmap b = PictureFromRows(c.Rows, {{'#', clBlack}, {'.', clWhite}, {'e', edge}});
    // The dots are joined only through the edge pixel; fill each of them.
    for (int y = 0; y < b.Height(); ++y)
      for (int x = 0; x < b.Width(); ++x)
        if (b.GetPixel(x, y) == clWhite) FloodFill(b, x, y, clWhite, fill, 0.6);
    TColor expected = edge;
    for (int v = 0; v < c.Visits; ++v) expected = blend(expected);
    EXPECT_EQ(b.GetPixel(2, 1), expected) << c.Visits;
    EXPECT_NE(expected, blend(expected)) << "fixture must show each visit";
  }
}

TEST(FloodFill, ThresholdDecidesWhatIsFilledAndWhatBlended) {
  // The seed's right neighbour lies 0.0196 (near) or 0.3725 (mid) of the cube's diagonal
  // from the target; a blended pixel passes nothing on, so the white beyond stays white.
  const TColor near = RGBColor(250, 250, 250), mid = RGBColor(160, 160, 160);
  auto blend = [](TColor c) { return TripleToColor(BlendValue(ColorToTriple(c), ColorToTriple(clRed))); };
  struct Case {
    double Threshold;
    TColor Near, Mid;
  };
  const Case cases[] = {{0.0, near, mid},
                        {0.019, near, mid},
                        {0.02, blend(near), mid},
                        {0.372, blend(near), mid},
                        {0.373, blend(near), blend(mid)},
                        {1.0, blend(near), blend(mid)}};
  for (const Case& c : cases) {
    for (const TColor edge : {near, mid}) {
      TBitmap b = PictureFromRows({"wew"}, {{'w', clWhite}, {'e', edge}});
      FloodFill(b, 0, 0, clWhite, clRed, c.Threshold);
      EXPECT_EQ(b.GetPixel(0, 0), clRed) << c.Threshold;
      EXPECT_EQ(b.GetPixel(1, 0), edge == near ? c.Near : c.Mid) << c.Threshold;
      EXPECT_EQ(b.GetPixel(2, 0), clWhite) << c.Threshold;
    }
  }
}

TEST(FloodFill, DistanceLimitAgreesWithTripleDistance) {
  for (double t : {-0.5, 0.0, 0.001, 0.3, 0.5, 0.6, 0.999, 1.0, 2.0, std::nan("")}) {
    const int limit = TFloodFiller::DistanceLimit(t);
    for (int d2 = 0; d2 <= 3 * 255 * 255; ++d2)
      ASSERT_EQ(d2 > limit, std::clamp(std::sqrt(double(d2)) / 441.67295593, 0.0, 1.0) > t) << t << " " << d2;
  }
}

TEST(FloodFill, SameColourOrSeedOutsideChangesNothing) {
  const TBitmap ring = RingPicture();
  TBitmap b = ring;
  FloodFill(b, 7, 7, clWhite, clWhite, 0.6);
  FloodFill(b, 7, 7, clWhite, clWhite, 0.6, [](int) {});
  FloodFill(b, 7, 3, clWhite, clWhite, 0.6);  // an edge pixel as the seed: blended with white
  EXPECT_EQ(b.GetPixel(7, 3), TripleToColor(BlendValue(ColorToTriple(kRingEdge), ColorToTriple(clWhite))));
  b.SetPixel(7, 3, kRingEdge);
  EXPECT_EQ(FirstDifference(b, ring), "");
  for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {ring.Width(), 0}, {0, ring.Height()}}) {
    std::vector<int> progress;
    FloodFill(b, x, y, clWhite, clRed, 0.6, [&](int p) { progress.push_back(p); });
    EXPECT_EQ(FirstDifference(b, ring), "");
    EXPECT_EQ(progress, std::vector<int>{100});
  }
  TBitmap empty;
  FloodFill(empty, 0, 0, clWhite, clRed, 0.6);
  EXPECT_TRUE(empty.Empty());
}

}  // namespace
}  // namespace trochodraw
