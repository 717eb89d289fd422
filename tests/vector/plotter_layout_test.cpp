#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "vector/drawing_run.h"
#include "vector/plotter_layout.h"
#include "vector/vector_document.h"

using namespace trochodraw;
using trochodraw::testing::TDrawingRun;

namespace {

struct TLine {
  std::vector<TVector2> Points;
  TColor Color = clBlack;
  int Width = 1;
};

// A record of separate polylines (the pen lifted between them) on a figure of W x H.
TStrokeRecord RecordOf(const std::vector<TLine>& Lines, int W = 200, int H = 100) {
  TStrokeRecord r;
  r.SetFigureSize(W, H);
  for (const TLine& l : Lines) {
    r.LiftPen();
    for (size_t i = 1; i < l.Points.size(); ++i) r.AddSegment(l.Points[i - 1], l.Points[i], {l.Color, l.Width}, true);
  }
  return r;
}

TExportOptions Plotter(TPageSize Page = {210, 297, true}, double Margin = 10) {
  TExportOptions o;
  o.Plotter = true;
  o.Page = Page;
  o.MarginMM = Margin;
  return o;
}

std::vector<TDocPoint> PointsOf(const TVectorDocument& D, const TDocPath& P) {
  return {D.Points.begin() + static_cast<std::ptrdiff_t>(P.First),
          D.Points.begin() + static_cast<std::ptrdiff_t>(P.First + P.Count)};
}

double DistanceToPolyline(TDocPoint P, const std::vector<TDocPoint>& L) {
  double best = std::numeric_limits<double>::infinity();
  for (size_t i = 0; i + 1 < L.size(); ++i) {
    const double dx = L[i + 1].X - L[i].X, dy = L[i + 1].Y - L[i].Y, len2 = dx * dx + dy * dy;
    const double t = len2 > 0 ? std::clamp(((P.X - L[i].X) * dx + (P.Y - L[i].Y) * dy) / len2, 0.0, 1.0) : 0.0;
    best = std::min(best, std::hypot(P.X - L[i].X - t * dx, P.Y - L[i].Y - t * dy));
  }
  return best;
}

TEST(PageSizeTest, NamedAndMeasuredSizes) {
  struct TCase {
    const char* Text;
    double W, H;
    bool Turnable;
  } cases[] = {{"A4", 210, 297, true},      {"a3", 297, 420, true},          {"LETTER", 215.9, 279.4, true},
               {"300x200mm", 300, 200, false}, {"12.5x80MM", 12.5, 80, false}};
  for (const TCase& c : cases) {
    const TPageSize p = ParsePageSize(c.Text);
    EXPECT_DOUBLE_EQ(p.WidthMM, c.W) << c.Text;
    EXPECT_DOUBLE_EQ(p.HeightMM, c.H) << c.Text;
    EXPECT_EQ(p.Turnable, c.Turnable) << c.Text;
  }
  for (const char* bad : {"B5", "", "300x200", "x200mm", "300xmm", "300x0mm", "0.5x10mm", "20000x10mm", "-5x10mm",
                          "300x200x5mm", "1,5x10mm", "inf x10mm"}) {
    try {
      ParsePageSize(bad);
      ADD_FAILURE() << "accepted " << bad;
    } catch (const EDrawingError& e) {
      EXPECT_NE(std::string(e.what()).find("age size"), std::string::npos) << e.what();
    }
  }
}

TEST(PageSizeTest, MarginMustLeaveRoom) {
  EXPECT_NO_THROW(ValidateExportOptions(Plotter({100, 50, false}, 24.9)));
  EXPECT_THROW(ValidateExportOptions(Plotter({100, 50, false}, 25)), EDrawingError);
  EXPECT_THROW(ValidateExportOptions(Plotter({100, 50, false}, -1)), EDrawingError);
  TExportOptions o = Plotter();
  o.SimplifyMM = -0.1;
  EXPECT_THROW(ValidateExportOptions(o), EDrawingError);
  EXPECT_THROW(BuildVectorDocument(TStrokeRecord(), Plotter({100, 50, false}, 30)), EDrawingError);
}

TEST(ClipTest, FigureModeDropsOnlyWhatCannotShow) {
  // Out of the figure and back in: two pieces, cut one pen width beyond the edge.
  const TStrokeRecord r = RecordOf({{{{10, 50}, {-500, 50}, {10, 60}}, clBlack, 2}, {{{-50, -50}, {-40, -60}}}});
  const TVectorDocument d = BuildVectorDocument(r, TExportOptions());
  ASSERT_EQ(d.PathCount(), 2u);
  for (const TDocPoint& p : d.Points) {
    EXPECT_GE(p.X, -2.0 - 1e-9);
    EXPECT_LE(p.X, 202.0 + 1e-9);
  }
  EXPECT_DOUBLE_EQ(d.Points[d.Layers[0].Paths[0].First].X, 10.5) << "pixel centres sit half a pixel in";
}

// A drawing run offset so that part of it runs off the figure, made once for all pages.
const TStrokeRecord& OffsetRun() {
  static const TStrokeRecord record = [] {
    TDrawingRun run;
    run.Sim.Settings.OffX = 150;
    run.Run(400);
    return std::move(run.Record);
  }();
  return record;
}

class FitTest : public ::testing::TestWithParam<std::tuple<const char*, double>> {};

// The drawing fits inside the margin box, touching it on one axis and centred on the other.
TEST_P(FitTest, EveryPointInsideTheMarginBox) {
  const auto [page, margin] = GetParam();
  const TVectorDocument d = BuildVectorDocument(OffsetRun(), Plotter(ParsePageSize(page), margin));
  ASSERT_GT(d.PathCount(), 0u);
  EXPECT_TRUE(d.Millimetres);
  EXPECT_FALSE(d.HasBackground);
  double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
  for (const TDocPoint& p : d.Points) {
    x0 = std::min(x0, p.X), y0 = std::min(y0, p.Y), x1 = std::max(x1, p.X), y1 = std::max(y1, p.Y);
  }
  const double eps = 1e-9;
  EXPECT_GE(x0, margin - eps);
  EXPECT_GE(y0, margin - eps);
  EXPECT_LE(x1, d.Width - margin + eps);
  EXPECT_LE(y1, d.Height - margin + eps);
  const double slackX = (x0 - margin) + (d.Width - margin - x1), slackY = (y0 - margin) + (d.Height - margin - y1);
  EXPECT_NEAR(std::min(slackX, slackY), 0.0, 1e-6) << "fitted";
  EXPECT_NEAR(x0 - margin, d.Width - margin - x1, 1e-6) << "centred";
  EXPECT_NEAR(y0 - margin, d.Height - margin - y1, 1e-6) << "centred";
}

INSTANTIATE_TEST_SUITE_P(Pages, FitTest,
                         ::testing::Combine(::testing::Values("A4", "A3", "Letter", "300x200mm", "60x400mm"),
                                            ::testing::Values(0.0, 10.0, 25.0)));

TEST(FitTest, NamedPagesTurnToSuitTheDrawing) {
  const TStrokeRecord wide = RecordOf({{{{0, 0}, {190, 40}}}});
  const TStrokeRecord tall = RecordOf({{{{0, 0}, {30, 90}}}});
  TVectorDocument d = BuildVectorDocument(wide, Plotter());
  EXPECT_EQ(d.Width, 297);
  EXPECT_EQ(d.Height, 210);
  d = BuildVectorDocument(tall, Plotter());
  EXPECT_EQ(d.Width, 210);
  d = BuildVectorDocument(wide, Plotter(ParsePageSize("210x297mm")));
  EXPECT_EQ(d.Width, 210) << "a measured page stays as given";
}

// Nearest end first, by brute force, as a check on the grid search.
std::vector<std::pair<double, double>> GreedyStarts(const TVectorDocument& D) {
  std::vector<TDocPath> left = D.Layers[0].Paths;
  std::vector<std::pair<double, double>> starts;
  TDocPoint pen{0, 0};
  while (!left.empty()) {
    size_t best = 0;
    bool far = false;
    double bd = std::numeric_limits<double>::infinity();
    for (size_t i = 0; i < left.size(); ++i)
      for (bool f : {false, true}) {
        const TDocPoint e = D.Points[f ? left[i].First + left[i].Count - 1 : left[i].First];
        const double dd = std::hypot(e.X - pen.X, e.Y - pen.Y);
        if (dd < bd) bd = dd, best = i, far = f;
      }
    const TDocPath p = left[best];
    const TDocPoint s = D.Points[far ? p.First + p.Count - 1 : p.First];
    starts.push_back({s.X, s.Y});
    pen = D.Points[far ? p.First : p.First + p.Count - 1];
    left.erase(left.begin() + static_cast<std::ptrdiff_t>(best));
  }
  return starts;
}

TEST(PlotOrderTest, NearestEndFirstLikeABruteForceSearch) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> at(5, 395), step(-6, 6);
  std::vector<TLine> lines;
  for (int i = 0; i < 400; ++i) {
    const TVector2 a{at(rng), at(rng) / 2};
    lines.push_back({{a, {a.X + step(rng), a.Y + step(rng)}, {a.X + step(rng), a.Y + step(rng)}}});
  }
  const TStrokeRecord r = RecordOf(lines, 400, 200);
  TExportOptions inOrder = Plotter();
  inOrder.Reorder = false;
  const TVectorDocument drawn = BuildVectorDocument(r, inOrder);
  const TVectorDocument planned = BuildVectorDocument(r, Plotter());
  ASSERT_EQ(drawn.PathCount(), 400u);
  ASSERT_EQ(planned.PathCount(), 400u);
  const auto expected = GreedyStarts(drawn);
  for (size_t i = 0; i < expected.size(); ++i) {
    const TDocPoint s = planned.Points[planned.Layers[0].Paths[i].First];
    ASSERT_DOUBLE_EQ(s.X, expected[i].first) << i;
    ASSERT_DOUBLE_EQ(s.Y, expected[i].second) << i;
  }
  EXPECT_LT(PenUpTravel(planned), PenUpTravel(drawn) / 3);
}

TEST(PlotOrderTest, ShorterPenUpTravelThanTheDrawingOrder) {
  TDrawingRun run;
  for (int i = 0; i < 60; ++i) {
    run.Run(8);
    run.Sim.LiftPen();
  }
  ASSERT_EQ(run.Record.PolylineCount(), 60u);
  TExportOptions inOrder = Plotter();
  inOrder.Reorder = false;
  const double drawn = PenUpTravel(BuildVectorDocument(run.Record, inOrder));
  const double planned = PenUpTravel(BuildVectorDocument(run.Record, Plotter()));
  EXPECT_LT(planned, drawn) << planned << " mm against " << drawn << " mm";
}

struct TJoinCase {
  const char* Name;
  std::vector<TLine> Lines;
  size_t Layers, Paths, Points;
};

class PlotJoinTest : public ::testing::TestWithParam<TJoinCase> {};

TEST_P(PlotJoinTest, JoinsWhereTheyTouch) {
  const TJoinCase& c = GetParam();
  const TVectorDocument d = BuildVectorDocument(RecordOf(c.Lines), Plotter());
  EXPECT_EQ(d.Layers.size(), c.Layers);
  EXPECT_EQ(d.PathCount(), c.Paths);
  EXPECT_EQ(d.Points.size(), c.Points);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlotJoinTest,
    ::testing::Values(TJoinCase{"EndToStart", {{{{10, 10}, {50, 10}}}, {{{50, 10}, {90, 40}}}}, 1, 1, 3},
                      TJoinCase{"EndToEnd", {{{{10, 10}, {50, 10}}}, {{{90, 40}, {50, 10}}}}, 1, 1, 3},
                      TJoinCase{"NearlyTouching", {{{{10, 10}, {50, 10}}}, {{{50.001, 10}, {90, 40}}}}, 1, 1, 3},
                      TJoinCase{"Apart", {{{{10, 10}, {50, 10}}}, {{{51, 10}, {90, 40}}}}, 1, 2, 4},
                      TJoinCase{"OtherWidth", {{{{10, 10}, {50, 10}}}, {{{50, 10}, {90, 40}}, clBlack, 2}}, 1, 2, 4},
                      TJoinCase{"OtherColour", {{{{10, 10}, {50, 10}}}, {{{50, 10}, {90, 40}}, clRed}}, 2, 2, 4}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(PlotLayerTest, OneLayerPerColourInTheOrderTheyAppear) {
  const TVectorDocument d = BuildVectorDocument(
      RecordOf({{{{0, 0}, {5, 5}}, clRed}, {{{9, 9}, {20, 5}}, clBlue}, {{{30, 30}, {40, 5}}, clRed}}), Plotter());
  ASSERT_EQ(d.Layers.size(), 2u);
  EXPECT_EQ(d.Layers[0].Color, clRed);
  EXPECT_EQ(d.Layers[0].Paths.size(), 2u);
  EXPECT_EQ(d.Layers[1].Color, clBlue);
}

class SimplifyTest : public ::testing::TestWithParam<double> {};

TEST_P(SimplifyTest, StaysWithinItsTolerance) {
  const double tol = GetParam();
  const TVectorDocument full = BuildVectorDocument(OffsetRun(), Plotter());
  TExportOptions o = Plotter();
  o.SimplifyMM = tol;
  const TVectorDocument simple = BuildVectorDocument(OffsetRun(), o);
  ASSERT_EQ(simple.PathCount(), full.PathCount());
  EXPECT_LT(simple.Points.size(), full.Points.size());
  for (size_t i = 0; i < full.Layers[0].Paths.size(); ++i) {
    const auto a = PointsOf(full, full.Layers[0].Paths[i]), b = PointsOf(simple, simple.Layers[0].Paths[i]);
    EXPECT_DOUBLE_EQ(a.front().X, b.front().X);
    EXPECT_DOUBLE_EQ(a.back().Y, b.back().Y);
    for (const TDocPoint& p : a) ASSERT_LE(DistanceToPolyline(p, b), tol + 1e-9);
  }
}

INSTANTIATE_TEST_SUITE_P(Tolerances, SimplifyTest, ::testing::Values(0.02, 0.1, 0.5));

TEST(SimplifyTest, StraightRunsBecomeOneSegment) {
  const std::vector<TDocPoint> line{{0, 0}, {1, 0.01}, {2, -0.01}, {3, 0}, {3, 1}, {3, 2}};
  const auto s = SimplifyPolyline(line, 0.05);
  ASSERT_EQ(s.size(), 3u);
  EXPECT_DOUBLE_EQ(s[1].X, 3);
  EXPECT_DOUBLE_EQ(s[1].Y, 0);
  EXPECT_EQ(SimplifyPolyline(line, 0).size(), line.size()) << "no tolerance keeps every point";
}

}  // namespace
