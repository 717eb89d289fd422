#include "colouring/mosaic.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <set>

#include "colouring/image_undoer.h"
#include "colouring/temp_folder.h"
#include "colouring/test_pictures.h"

namespace trochodraw {
namespace {

// Four inner regions: A touches the top border but no corner, B and C share a wall, D stands
// alone. Their first pixels in reading order are (7, 0), (2, 3), (6, 3) and (14, 4).
const std::vector<std::string> kFigure = {
    "......#...#.........",  //
    "......#####.........",  //
    ".##########.........",  //
    ".#...#....#..######.",  //
    ".#...#....#..#....#.",  //
    ".##########..######.",  //
    "....................",  //
    "....................",  //
};
const std::vector<std::string> kRegions = {
    "......#AAA#.........",  //
    "......#####.........",  //
    ".##########.........",  //
    ".#BBB#CCCC#..######.",  //
    ".#BBB#CCCC#..#DDDD#.",  //
    ".##########..######.",  //
    "....................",  //
    "....................",  //
};

TColorBandPalette PaletteFor(int Width, TColorCount Count = dc32) {
  TColorBandPalette p;
  p.SetColorCount(Count);
  p.SetRange(0, Width / 2.0);
  return p;
}

TBitmap Figure(TPixelFormat Format = TPixelFormat::pfDevice) {
  return PictureFromRows(kFigure, {{'.', clWhite}, {'#', clBlack}}, Format);
}

TColor BandColourAt(const TColorBandPalette& P, int X, int Y, int W, int H) {
  return P.ColorAt(std::hypot(X - W / 2.0, Y - H / 2.0));
}

TEST(Mosaic, GradientColoursEachRegionByItsFirstPixel) {
  for (const TColor back : {clBlue, kOutsideMarker}) {
    TBitmap b = Figure();
    const TColorBandPalette palette = PaletteFor(b.Width());
    TMosaicRandom random(1);
    MozaicImage(b, palette, {mcGradient, 0.6, back}, random);
    EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf24bit);
    const std::map<char, TColor> inks = {{'#', clBlack},
                                         {'.', back},
                                         {'A', BandColourAt(palette, 7, 0, 20, 8)},
                                         {'B', BandColourAt(palette, 2, 3, 20, 8)},
                                         {'C', BandColourAt(palette, 6, 3, 20, 8)},
                                         {'D', BandColourAt(palette, 14, 4, 20, 8)}};
    // The region's other pixels lie in other bands: only the first pixel decides.
    ASSERT_NE(inks.at('A'), BandColourAt(palette, 9, 0, 20, 8));
    EXPECT_EQ(FirstDifference(b, PictureFromRows(kRegions, inks)), "") << std::hex << back;
  }
}

TEST(Mosaic, RandomColoursFollowReadingOrder) {
  TBitmap b = Figure(), again = Figure();
  const TColorBandPalette palette = PaletteFor(b.Width());
  TMosaicRandom random(42), same(42), expected(42);
  MozaicImage(b, palette, {mcRandom, 0.6, clBlack}, random);
  MozaicImage(again, palette, {mcRandom, 0.6, clBlack}, same);
  EXPECT_EQ(FirstDifference(b, again), "");
  std::map<char, TColor> inks = {{'#', clBlack}, {'.', clBlack}};
  for (char region : {'A', 'B', 'C', 'D'}) inks[region] = expected.NextColor();
  EXPECT_EQ(FirstDifference(b, PictureFromRows(kRegions, inks)), "");

  TBitmap other = Figure();
  TMosaicRandom seven(7);
  MozaicImage(other, palette, {mcRandom, 0.6, clBlack}, seven);
  EXPECT_NE(FirstDifference(other, b), "");
}

TEST(Mosaic, RandomColoursAreNeverBlackOrWhite) {
  TMosaicRandom r(3);
  std::set<TColor> seen;
  for (int i = 0; i < 200000; ++i) {
    const TColor c = r.NextColor();
    ASSERT_GE(c, 1u);
    ASSERT_LE(c, 16777214u);
    seen.insert(c >> 20);  // the top four bits are spread evenly
  }
  EXPECT_EQ(seen.size(), 16u);
}

TEST(Mosaic, PixelsThatNeverStartAFill) {
  // Inner regions already in a band colour or in the marker colour keep it; in the random
  // mode only pixels equal to the background start a fill, so a near-white region stays.
  const TColorBandPalette palette = PaletteFor(20);
  const TColor band = palette.EntryColor(5), nearWhite = RGBColor(250, 250, 250);
  const std::map<char, TColor> inks = {
      {'.', clWhite}, {'#', clBlack}, {'b', band}, {'m', kOutsideMarker}, {'n', nearWhite}};
  const std::vector<std::string> rows = {"..........",  //
                                         ".####.###.",  //
                                         ".#bb#.#m#.",  //
                                         ".####.###.",  //
                                         ".###......",  //
                                         ".#n#......",  //
                                         ".###......"};
  TBitmap gradient = PictureFromRows(rows, inks), random = gradient;
  TMosaicRandom r(5);
  MozaicImage(gradient, palette, {mcGradient, 0.6, clBlue}, r);
  MozaicImage(random, palette, {mcRandom, 0.6, clBlue}, r);
  EXPECT_EQ(gradient.GetPixel(2, 2), band);
  EXPECT_EQ(gradient.GetPixel(7, 2), kOutsideMarker);
  EXPECT_NE(gradient.GetPixel(2, 5), nearWhite);  // within the threshold of white: blended
  EXPECT_EQ(random.GetPixel(2, 5), nearWhite);
  EXPECT_EQ(random.GetPixel(7, 2), kOutsideMarker);
  EXPECT_EQ(gradient.GetPixel(0, 0), clBlue);
}

TEST(Mosaic, RegionBeyondTheScaleTakesBlack) {
  // 40 × 30: the scale reaches 20 pixels from the centre; the box near the corner is farther.
  TBitmap b(40, 30);
  for (int x = 1; x <= 5; ++x) {
    b.SetPixel(x, 1, clBlack);
    b.SetPixel(x, 5, clBlack);
    b.SetPixel(1, x, clBlack);
    b.SetPixel(5, x, clBlack);
  }
  TMosaicRandom r(1);
  MozaicImage(b, PaletteFor(40, dc12), {mcGradient, 0.6, clBlue}, r);
  EXPECT_EQ(b.GetPixel(3, 3), clBlack);
  EXPECT_EQ(b.GetPixel(0, 0), clBlue);
}

TEST(Mosaic, AntiAliasedEdgesAndTheThreshold) {
  const TBitmap ring = RingPicture(TPixelFormat::pfDevice);
  const TColorBandPalette palette = PaletteFor(ring.Width());
  // The disc's first pixel in reading order is (6, 4); the edge pixel (7, 11) below it is
  // reached by the disc's fill before the scan comes to it.
  const TColor fill = BandColourAt(palette, 6, 4, 15, 15);
  ASSERT_TRUE(InsideRing(6, 4) && !InsideRing(5, 4) && !InsideRing(7, 3));
  ASSERT_EQ(ring.GetPixel(7, 11), kRingEdge);
  struct Case {
    double Threshold;
    TColor Edge;  // a grey edge pixel next to the disc
  };
  const Case cases[] = {{0.6, TripleToColor(BlendValue(ColorToTriple(kRingEdge), ColorToTriple(fill)))},
                        {0.0, kRingEdge}};
  for (const Case& c : cases) {
    TBitmap b = ring;
    TMosaicRandom r(1);
    MozaicImage(b, palette, {mcGradient, c.Threshold, clBlue}, r);
    EXPECT_EQ(b.GetPixel(7, 7), fill) << c.Threshold;
    EXPECT_EQ(b.GetPixel(7, 11), c.Edge) << c.Threshold;
    EXPECT_EQ(b.GetPixel(7, 12), clBlack) << c.Threshold;
    EXPECT_EQ(b.GetPixel(0, 0), clBlue) << c.Threshold;
  }
}

TEST(Mosaic, ProgressAndEmptyFigures) {
  TBitmap b = Figure();
  std::vector<int> progress;
  TMosaicRandom r(1);
  MozaicImage(b, PaletteFor(20), {}, r, [&](int p) { progress.push_back(p); });
  ASSERT_FALSE(progress.empty());
  EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
  EXPECT_EQ(progress.back(), 100);

  for (auto [w, h] : {std::pair{0, 0}, {5, 0}, {0, 5}}) {
    TBitmap empty(w, h);
    MozaicImage(empty, PaletteFor(20), {}, r);
    EXPECT_EQ(empty.Width(), w);
  }
}

TEST(Mosaic, CommandStoresAnUndoLevelFirst) {
  TTempFolder folder;
  TImageUndoer undoer;
  undoer.SetFolder(folder.Path());
  TMosaicRandom r(1);
  EXPECT_EQ(ErrorText<EImageError>([&] { MozaicImage(undoer, PaletteFor(20), {}, r); }), "No Image Set");

  TBitmap figure = Figure();
  const TBitmap original = figure;
  TImageHolder holder(figure);
  int shown = 0;
  holder.OnPictureChanged = [&] { ++shown; };
  undoer.SetImage(&holder);
  MozaicImage(undoer, PaletteFor(20), {}, r);
  EXPECT_EQ(undoer.Count(), 1);
  EXPECT_EQ(shown, 1);
  EXPECT_NE(FirstDifference(figure, original), "");
  undoer.Undo();
  EXPECT_EQ(FirstDifference(figure, original), "");
  EXPECT_EQ(figure.PixelFormat(), TPixelFormat::pfDevice);

  // A snapshot that cannot be written stops the command before it paints.
  undoer.SetFolder(folder.Path() / "gone");
  EXPECT_EQ(ErrorText<EImageError>([&] { MozaicImage(undoer, PaletteFor(20), {}, r); }).rfind("Unable to write to ", 0),
            0u);
  EXPECT_EQ(FirstDifference(figure, original), "");
  EXPECT_EQ(figure.PixelFormat(), TPixelFormat::pfDevice);
}

}  // namespace
}  // namespace trochodraw
