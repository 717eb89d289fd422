#include "colouring/colour_band_palette.h"

#include <gtest/gtest.h>

#include <vector>

#include "colouring/colour_arithmetic.h"

namespace trochodraw {
namespace {

std::vector<int32_t> Bottoms(const TColorBandPalette& P) {
  std::vector<int32_t> out;
  for (int i = 0; i < P.Count(); ++i) out.push_back(P.Entry(i).Bottom);
  return out;
}

std::vector<TColor> Colours(const TColorBandPalette& P) {
  std::vector<TColor> out;
  for (int i = 0; i < P.Count(); ++i) out.push_back(P.EntryColor(i));
  return out;
}

// The palette the Coloring dialog starts with: 32 bands, depth 0 to 320 (a 640-wide figure).
TColorBandPalette DialogPalette() {
  TColorBandPalette p;
  p.SetColorCount(dc32);
  p.SetRange(0, 640 / 2.0);
  return p;
}

TEST(ColourBandPalette, FreshBarHoldsTwelveBandsEvenlySpaced) {
  TColorBandPalette p;
  EXPECT_EQ(p.ColorCount(), dc12);
  EXPECT_EQ(p.Count(), 13);
  EXPECT_EQ(p.Selected(), 1);
  EXPECT_EQ(Bottoms(p), (std::vector<int32_t>{0, 8333, 16666, 25000, 33333, 41666, 50000, 58333, 66666, 75000, 83333,
                                              91666, 100000}));
  EXPECT_DOUBLE_EQ(p.Entry(0).Depth, 100000);
  EXPECT_DOUBLE_EQ(p.Entry(12).Depth, 0);
  EXPECT_EQ(p.EntryColor(1), RGBColor(0x80, 0, 0));
  EXPECT_EQ(p.EntryColor(12), RGBColor(0xFF, 0, 0xFF));
}

TEST(ColourBandPalette, BuiltInPalettes) {
  struct Case {
    TColorCount Count;
    int Entries;
    int Index;
    TColor Colour;
  };
  const Case cases[] = {
      {dc12, 13, 3, RGBColor(0xFF, 0xFF, 0x00)}, {dc20, 20, 1, clWhite},
      {dc20, 20, 19, RGBColor(0, 0, 0x80)},      {dc24, 24, 23, RGBColor(0xFF, 0, 0x7F)},
      {dc30, 30, 6, RGBColor(0xD0, 0x40, 0xD0)}, {dc30, 30, 29, RGBColor(0, 0, 0x80)},
      {dc32, 33, 1, RGBColor(0xFF, 0xF0, 0)},    {dc32, 33, 16, RGBColor(0xFF, 0, 0)},
      {dc32, 33, 17, RGBColor(0xF0, 0, 0)},      {dc32, 33, 32, clBlack},
  };
  for (const Case& c : cases) {
    TColorBandPalette p;
    p.SetColorCount(c.Count);
    EXPECT_EQ(p.Count(), c.Entries) << c.Count;
    EXPECT_EQ(p.EntryColor(0), clBlack) << c.Count;
    EXPECT_EQ(p.EntryColor(c.Index), c.Colour) << c.Count << " entry " << c.Index;
    EXPECT_EQ(p.Entry(p.Count() - 1).Bottom, 100000) << c.Count;
  }
}

TEST(ColourBandPalette, BandAtOnTheDialogScale) {
  const TColorBandPalette p = DialogPalette();
  for (int k = 0; k < p.Count(); ++k) ASSERT_EQ(p.Entry(k).Bottom, 3125 * k);
  struct Case {
    double Depth;
    int Band;
  };
  // A depth on a boundary belongs to the upper band; beyond the scale there is none.
  const Case cases[] = {{0, 1}, {10, 1}, {10.5, 2}, {20, 2}, {319.9, 32}, {320, 32}, {320.5, -1}, {-0.1, -1}};
  for (const Case& c : cases) EXPECT_EQ(p.BandAt(c.Depth), c.Band) << c.Depth;
  EXPECT_EQ(p.ColorAt(10.5), p.EntryColor(2));
  EXPECT_EQ(p.ColorAt(320.5), clBlack);
}

TEST(ColourBandPalette, BandAtFindsNothingAboveAnInwardTopBoundary) {
  TColorBandPalette p = DialogPalette();
  p.MoveBoundary(0, 50000, 400, false);  // boundary 0 to depth 160
  EXPECT_EQ(p.BandAt(100), -1);
  EXPECT_EQ(p.ColorAt(100), clBlack);
  EXPECT_EQ(p.BandAt(160), 1);
}

TEST(ColourBandPalette, GradientsBetweenBlackAndWhite) {
  // RGB steps by a fifth (the span's entry count), hue by a quarter (its step count).
  TColorBandPalette rgb, hue;
  for (TColorBandPalette* p : {&rgb, &hue}) {
    p->SetEntryColor(1, clBlack);
    p->SetEntryColor(5, clWhite);
  }
  rgb.RGBGradient(1, 5);
  hue.HueGradient(1, 5);
  const uint8_t rgbLevels[] = {51, 102, 153}, hueLevels[] = {63, 127, 191};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(rgb.EntryColor(2 + i), RGBColor(rgbLevels[i], rgbLevels[i], rgbLevels[i])) << i;
    EXPECT_EQ(hue.EntryColor(2 + i), RGBColor(hueLevels[i], hueLevels[i], hueLevels[i])) << i;
  }
  EXPECT_EQ(rgb.EntryColor(5), clWhite);
  EXPECT_EQ(hue.EntryColor(5), clWhite);
}

TEST(ColourBandPalette, GradientsOverShortSpansAndClampedArguments) {
  const TColorBandPalette fresh;
  TColorBandPalette p;
  p.HueGradient(1, 3);  // two steps: too short for the hue gradient
  EXPECT_EQ(Colours(p), Colours(fresh));
  p.RGBGradient(1, 2);  // two entries: nothing between them
  EXPECT_EQ(Colours(p), Colours(fresh));

  p.RGBGradient(1, 3);  // three entries are enough here
  const TVector3 a = ColorToUnitRGB(fresh.EntryColor(1)), b = ColorToUnitRGB(fresh.EntryColor(3));
  EXPECT_EQ(p.EntryColor(2), UnitRGBToColor({a.X + (b.X - a.X) / 3, a.Y + (b.Y - a.Y) / 3, a.Z + (b.Z - a.Z) / 3}));

  // (0, Count) works on bands 1..Count - 1 and keeps both ends; reversed arguments swap.
  TColorBandPalette whole, reversed;
  whole.HueGradient(0, whole.Count());
  reversed.HueGradient(whole.Count() - 1, 1);
  EXPECT_EQ(whole.EntryColor(0), clBlack);
  EXPECT_EQ(whole.EntryColor(1), fresh.EntryColor(1));
  EXPECT_EQ(whole.EntryColor(12), fresh.EntryColor(12));
  EXPECT_NE(whole.EntryColor(6), fresh.EntryColor(6));
  EXPECT_EQ(Colours(whole), Colours(reversed));
}

TEST(ColourBandPalette, InvertReversesTheBandsButNotEntryZero) {
  for (TColorCount count : {dc12, dc32}) {  // 12 bands and 32 bands: even counts swap the middle pair
    TColorBandPalette p;
    p.SetColorCount(count);
    const std::vector<TColor> before = Colours(p);
    const std::vector<int32_t> bottoms = Bottoms(p);
    p.Invert();
    const int n = p.Count();
    EXPECT_EQ(p.EntryColor(0), before[0]);
    for (int i = 1; i < n; ++i) EXPECT_EQ(p.EntryColor(i), before[size_t(n - i)]) << count << " entry " << i;
    EXPECT_EQ(Bottoms(p), bottoms);
  }
}

TEST(ColourBandPalette, ColorCountChoiceAndTheSelection) {
  TColorBandPalette p;
  p.ChooseColorCount(dc20);
  EXPECT_EQ(p.EntryColor(1), RGBColor(240, 240, 240));
  p.ChooseColorCount(dc30);
  EXPECT_EQ(p.EntryColor(1), RGBColor(240, 240, 240));
  p.ChooseColorCount(dc24);
  EXPECT_EQ(Colours(p), BuiltInPalette(dc24));
  EXPECT_EQ(p.HueBase(), BuiltInPalette(dc24));

  // "Change Color" saves the hue base whether or not a colour was chosen.
  p.SetSelected(3);
  p.SetHueOffset(40);
  p.ChangeSelectedColor(std::nullopt);
  EXPECT_EQ(p.HueOffset(), 0);
  p.ChangeSelectedColor(RGBColor(1, 2, 3));
  EXPECT_EQ(p.EntryColor(3), RGBColor(1, 2, 3));
  EXPECT_EQ(p.HueBase()[3], RGBColor(1, 2, 3));

  // A shrinking palette pulls the selection back onto its last band.
  p.ChooseColorCount(dc32);
  p.SetSelected(30);
  int changes = 0;
  p.OnChangeSelect = [&] { ++changes; };
  p.ChooseColorCount(dc12);
  EXPECT_EQ(p.Selected(), 12);
  EXPECT_EQ(changes, 1);
}

TEST(ColourBandPalette, SelectionRules) {
  struct Case {
    int Value;
    bool Changes;
  };
  // The 12-band palette has entries 0..12.
  const Case cases[] = {{1, false}, {-1, false}, {13, false}, {20, false}, {0, true}, {12, true}, {5, true}};
  for (const Case& c : cases) {
    TColorBandPalette p;
    int fired = 0;
    p.OnChangeSelect = [&] { ++fired; };
    p.SetBandSpin(c.Value);
    EXPECT_EQ(p.Selected(), c.Changes ? c.Value : 1) << c.Value;
    EXPECT_EQ(fired, c.Changes ? 1 : 0) << c.Value;
  }
}

TEST(ColourBandPalette, MovingABoundaryKeepsTwoPixelsBetweenNeighbours) {
  const int height = 200;  // two pixels are 1000 positions
  struct Case {
    const char* Name;
    int Index;
    int Position;
    std::vector<int32_t> Bottoms;
  };
  const Case cases[] = {
      {"down past 6 and 7",
       5,
       60000,
       {0, 8333, 16666, 25000, 33333, 60000, 61000, 62000, 66666, 75000, 83333, 91666, 100000}},
      {"up past 4..1", 5, 10000, {0, 6000, 7000, 8000, 9000, 10000, 50000, 58333, 66666, 75000, 83333, 91666, 100000}},
      {"never past the bottom",
       10,
       99500,
       {0, 8333, 16666, 25000, 33333, 41666, 50000, 58333, 66666, 75000, 99500, 100000, 100000}},
      {"released below the bar",
       10,
       150000,
       {0, 8333, 16666, 25000, 33333, 41666, 50000, 58333, 66666, 75000, 150000, 100000, 100000}},
      {"released above the bar",
       2,
       -5000,
       {0, 0, -5000, 25000, 33333, 41666, 50000, 58333, 66666, 75000, 83333, 91666, 100000}},
      {"top boundary inwards",
       0,
       30000,
       {30000, 31000, 32000, 33000, 33333, 41666, 50000, 58333, 66666, 75000, 83333, 91666, 100000}},
  };
  for (const Case& c : cases) {
    TColorBandPalette p;
    p.MoveBoundary(c.Index, c.Position, height, false);
    EXPECT_EQ(Bottoms(p), c.Bottoms) << c.Name;
    for (int i = 0; i < p.Count(); ++i) EXPECT_DOUBLE_EQ(p.Entry(i).Depth, p.DepthAt(p.Entry(i).Bottom)) << c.Name;
  }
}

TEST(ColourBandPalette, CtrlSpreadsTheBoundariesOnBothSides) {
  TColorBandPalette p;
  p.MoveBoundary(5, 60000, 200, true);
  EXPECT_EQ(Bottoms(p), (std::vector<int32_t>{0, 12000, 24000, 36000, 48000, 60000, 65714, 71428, 77142, 82857, 88571,
                                              94285, 100000}));
}

TEST(ColourBandPalette, BoundaryAndBandHitTests) {
  const int h = 200;  // dc12 boundary rows: 0, 16, 33, 50, 66, 83, 100, 116, 133, 150, 166, 183, 200
  struct Case {
    int Y;
    int Boundary;       // default bar
    int InnerBoundary;  // AdjustEnds off
    int Band;
  };
  const Case cases[] = {
      {-2, -1, -1, -1},  {-1, 0, -1, -1},   {0, 0, -1, 1},     {1, 0, -1, 1},   {2, -1, -1, 1},
      {15, 1, 1, 1},     {16, 1, 1, 1},     {17, 1, 1, 2},     {18, -1, -1, 2}, {199, 12, -1, 12},
      {200, 12, -1, 12}, {201, 12, -1, -1}, {202, -1, -1, -1},
  };
  for (const Case& c : cases) {
    TColorBandPalette p;
    EXPECT_EQ(p.BoundaryHit(c.Y, h), c.Boundary) << c.Y;
    EXPECT_EQ(p.BandHit(c.Y, h), c.Band) << c.Y;
    p.AdjustEnds = false;
    EXPECT_EQ(p.BoundaryHit(c.Y, h), c.InnerBoundary) << c.Y;
    p.Adjustable = false;
    EXPECT_EQ(p.BoundaryHit(c.Y, h), -1) << c.Y;
  }
  TColorBandPalette p;
  EXPECT_EQ(p.BoundaryHit(0, 0), -1);  // a bar with no height has nothing to grab
  EXPECT_EQ(p.BandHit(0, 0), -1);
}

TEST(ColourBandPalette, PressMoveReleaseDragsABoundary) {
  TColorBandPalette p;
  std::vector<std::tuple<int, int32_t, double>> changing;
  int spread = 0;
  p.OnChangingBar = [&](int i, int32_t b, double d) { changing.emplace_back(i, b, d); };
  p.OnChangeSpread = [&] { ++spread; };

  EXPECT_TRUE(p.Press(101, 200));  // within a pixel of boundary 6 (row 100)
  EXPECT_TRUE(p.Dragging());
  EXPECT_EQ(p.DragIndex(), 6);
  EXPECT_EQ(p.Selected(), 1);
  EXPECT_FALSE(p.SplitCursorAt(100, 200));
  p.Move(130, 200);
  ASSERT_EQ(changing.size(), 1u);
  EXPECT_EQ(changing[0], std::make_tuple(6, 65000, p.DepthAt(65000)));
  EXPECT_EQ(p.DragRow(), 130);
  p.Release(140, 200, false);
  EXPECT_FALSE(p.Dragging());
  EXPECT_EQ(p.Entry(6).Bottom, 70000);
  EXPECT_EQ(p.Entry(7).Bottom, 71000);
  EXPECT_EQ(spread, 1);

  // A press away from every boundary selects the band under it.
  EXPECT_FALSE(p.Press(25, 200));
  EXPECT_FALSE(p.Dragging());
  EXPECT_EQ(p.Selected(), 2);
  p.Release(25, 200, false);
  EXPECT_EQ(spread, 1);
  EXPECT_TRUE(p.SplitCursorAt(33, 200));
}

TEST(ColourBandPalette, DroppingCopiesTheSelectedBandsColour) {
  TColorBandPalette p;
  p.Press(25, 200);               // band 2
  EXPECT_TRUE(p.Drop(120, 200));  // band 8
  EXPECT_EQ(p.EntryColor(8), p.EntryColor(2));
  const std::vector<TColor> before = Colours(p);
  EXPECT_FALSE(p.Drop(230, 200));
  EXPECT_EQ(Colours(p), before);
}

TEST(ColourBandPalette, HueOffsetTurnsTheSavedBase) {
  TColorBandPalette p;
  p.SaveHueBase();
  std::vector<TColor> base = Colours(p);
  // Offset 0 gives the base back through the HSV round trip, which lowers some channels
  // of the half-bright colours by one (808000 comes back as 7F8000).
  for (TColor& c : base) c = HSVToColor(RGBToHSV(ColorToTriple(c)));
  EXPECT_EQ(base[4], RGBColor(0x7F, 0x80, 0x00));
  p.Invert();
  p.Drop(120, 200);
  p.SetHueOffset(0);
  EXPECT_EQ(Colours(p), base);  // the inversion and the copied colour are undone

  p.SetHueOffset(120);
  EXPECT_EQ(p.EntryColor(2), RGBColor(0, 0xFF, 0));  // red turns green
  EXPECT_EQ(p.EntryColor(9), RGBColor(0xFF, 0, 0));  // blue turns red
  EXPECT_EQ(p.EntryColor(0), clBlack);               // black keeps its colour
  for (int offset : {480, -240, 120 + 360 * 1000000}) {
    TColorBandPalette q;
    q.SaveHueBase();
    q.SetHueOffset(offset);
    EXPECT_EQ(Colours(q), Colours(p)) << offset;
  }
}

TEST(ColourBandPalette, HueOffsetKeepsGreysAndSavingResetsIt) {
  TColorBandPalette p;
  p.SetColorCount(dc30);  // whites and greys in entries 1..5
  p.SaveHueBase();
  p.SetHueOffset(77);
  for (int i = 0; i <= 5; ++i) EXPECT_EQ(p.EntryColor(i), BuiltInPalette(dc30)[size_t(i)]) << i;

  // Saving takes the turned colours as the new base and puts the offset back to 0.
  const std::vector<TColor> turned = Colours(p);
  p.SaveHueBase();
  EXPECT_EQ(p.HueOffset(), 0);
  EXPECT_EQ(p.HueBase(), turned);
  for (int i = 0; i < p.Count(); ++i)
    EXPECT_EQ(p.EntryColor(i), HSVToColor(RGBToHSV(ColorToTriple(turned[size_t(i)])))) << i;
}

TEST(ColourBandPalette, PaintData) {
  TColorBandPalette p;
  p.SetRange(0, 320);
  p.LabelBars = true;
  p.Decimals = 1;
  const std::vector<TBandPaint> bands = p.PaintBands(57, 200, ',');
  ASSERT_EQ(bands.size(), 14u);
  EXPECT_EQ(bands[0].Outline, (TRect{0, -1, 57, 0}));
  EXPECT_FALSE(bands[0].Labelled);
  EXPECT_EQ(bands[1].Outline, (TRect{0, -1, 57, 16}));
  EXPECT_EQ(bands[1].Pen, RGBColor(128, 128, 128));  // dark red: (128 + 0 + 0) / 3 < 50
  EXPECT_EQ(bands[2].Pen, clBlack);                  // red: 85
  EXPECT_EQ(bands[2].Top, 16);
  EXPECT_EQ(bands[2].Bottom, 33);
  EXPECT_EQ(bands[2].Label, "53,3");
  EXPECT_EQ(bands[2].LabelColor, RGBColor(0, 255, 255));
  EXPECT_EQ(bands[2].LabelRect, (TRect{1, 17, 56, 32}));
  EXPECT_EQ(bands[13].Index, 13);  // the strip below the last boundary
  EXPECT_EQ(bands[13].Top, 200);
  EXPECT_EQ(bands[13].Bottom, 200);
  EXPECT_EQ(bands[13].Brush, clBlack);

  EXPECT_EQ(p.SelectionMark(57, 200), (TRect{1, 1, 56, 15}));
  p.Enabled = false;
  EXPECT_FALSE(p.SelectionMark(57, 200).has_value());
  p.Enabled = true;
  p.SetSelected(0);
  EXPECT_FALSE(p.SelectionMark(57, 200).has_value());
}

}  // namespace
}  // namespace trochodraw
