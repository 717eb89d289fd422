#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "vector/drawing_run.h"
#include "vector/stroke_record.h"

using namespace trochodraw;
using trochodraw::testing::TDrawingRun;

namespace {

struct TSeg {
  double X1, Y1, X2, Y2;
  TColor Color = clBlack;
  int Width = 1;
  bool Antialiased = true;
  bool LiftBefore = false;
};

struct TJoinCase {
  const char* Name;
  std::vector<TSeg> Segments;
  std::vector<uint32_t> PointsPerPolyline;
  size_t Points;
  uint64_t Segments_;
};

class StrokeJoinTest : public ::testing::TestWithParam<TJoinCase> {};

TEST_P(StrokeJoinTest, JoinsWhatTouchesInOneStyle) {
  const TJoinCase& c = GetParam();
  TStrokeRecord r;
  for (const TSeg& s : c.Segments) {
    if (s.LiftBefore) r.LiftPen();
    r.AddSegment({s.X1, s.Y1}, {s.X2, s.Y2}, {s.Color, s.Width}, s.Antialiased);
  }
  ASSERT_EQ(r.PolylineCount(), c.PointsPerPolyline.size());
  for (size_t i = 0; i < r.PolylineCount(); ++i) EXPECT_EQ(r.Polyline(i).Count, c.PointsPerPolyline[i]) << i;
  EXPECT_EQ(r.PointCount(), c.Points);
  EXPECT_EQ(r.SegmentCount(), c.Segments_);
}

const double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Cases, StrokeJoinTest,
    ::testing::Values(
        TJoinCase{"Chain", {{0, 0, 1, 0}, {1, 0, 2, 1}, {2, 1, 3, 1}}, {4}, 4, 3},
        // A new colour goes on from the shared point: no point is stored twice.
        TJoinCase{"ColourChange", {{0, 0, 1, 0}, {1, 0, 2, 0, clRed}, {2, 0, 3, 0, clRed}}, {2, 3}, 4, 3},
        TJoinCase{"WidthChange", {{0, 0, 1, 0}, {1, 0, 2, 0, clBlack, 3}}, {2, 2}, 3, 2},
        TJoinCase{"AntialiasChange", {{0, 0, 1, 0}, {1, 0, 2, 0, clBlack, 1, false}}, {2, 2}, 3, 2},
        TJoinCase{"Gap", {{0, 0, 1, 0}, {1.5, 0, 2, 0}}, {2, 2}, 4, 2},
        TJoinCase{"LiftedPenTouching", {{0, 0, 1, 0}, {1, 0, 2, 0, clBlack, 1, true, true}}, {2, 2}, 4, 2},
        TJoinCase{"StandingPen", {{0, 0, 1, 0}, {1, 0, 1, 0}, {1, 0, 2, 0}}, {3}, 3, 3},
        TJoinCase{"OffToInfinity", {{0, 0, 1, 0}, {1, 0, kInf, 0}, {1, 0, 2, 0}}, {2, 2}, 4, 2},
        TJoinCase{"WidthZeroDrawsOnePixel", {{0, 0, 1, 0, clBlack, 0}, {1, 0, 2, 0, clBlack, 1}}, {3}, 3, 2}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(StrokeRecordTest, PointsKeepTheirPlaceAndStyle) {
  TStrokeRecord r;
  r.AddSegment({10.25, 20.5}, {11.75, 21.0}, {0x123456, 4}, false);
  r.AddSegment({11.75, 21.0}, {13.0, 19.5}, {0x123456, 4}, false);
  ASSERT_EQ(r.PolylineCount(), 1u);
  const TPolyline& p = r.Polyline(0);
  EXPECT_EQ(p.Color, 0x123456u);
  EXPECT_EQ(p.Width, 4);
  EXPECT_FALSE(p.Antialiased);
  EXPECT_EQ(r.Point(p.First), (TStrokePoint{10.25f, 20.5f}));
  EXPECT_EQ(r.Point(p.First + 2), (TStrokePoint{13.0f, 19.5f}));
}

TEST(StrokeRecordTest, ClearEmptiesAndForgetsTheMosaic) {
  TStrokeRecord r;
  r.AddSegment({0, 0}, {5, 5}, {clBlack, 1}, true);
  r.MarkMosaic();
  r.Clear(clTeal);
  EXPECT_EQ(r.PolylineCount(), 0u);
  EXPECT_EQ(r.SegmentCount(), 0u);
  EXPECT_FALSE(r.MosaicSinceClear());
  EXPECT_EQ(r.Background(), clTeal);
  // The first segment after a clear never joins what was there before.
  r.AddSegment({5, 5}, {6, 6}, {clBlack, 1}, true);
  EXPECT_EQ(r.Polyline(0).First, 0u);
  EXPECT_EQ(r.PointCount(), 2u);
}

// A million segments must fit in a few tens of megabytes, also when every one has a colour of
// its own (a fast gradient).
TEST(StrokeRecordTest, MemoryPerSegment) {
  const int n = 1000000;
  TStrokeRecord joined, coloured;
  for (int i = 0; i < n; ++i) {
    const TVector2 a{std::cos(i * 1e-3) * 300, std::sin(i * 1.1e-3) * 200};
    const TVector2 b{std::cos((i + 1) * 1e-3) * 300, std::sin((i + 1) * 1.1e-3) * 200};
    joined.AddSegment(a, b, {clBlack, 1}, true);
    coloured.AddSegment(a, b, {static_cast<TColor>(i & 0xFFFFFF), 1}, true);
  }
  EXPECT_EQ(joined.PolylineCount(), 1u);
  EXPECT_EQ(coloured.PolylineCount(), static_cast<size_t>(n));
  EXPECT_LE(joined.MemoryBytes(), 9u * n) << joined.MemoryBytes() / double(n) << " bytes per segment";
  EXPECT_LE(coloured.MemoryBytes(), 25u * n) << coloured.MemoryBytes() / double(n) << " bytes per segment";
}

// The record bound to a running machine.
class RecordedRunTest : public ::testing::Test {
 protected:
  // Hooks bound before the record must still be called.
  TDrawingRun Run{640, 480, [this](TSimulation& s) {
                    s.OnSegment = [this](TVector2 a, TVector2 b, const TLineStyle&, bool) { Drawn.push_back({a, b}); };
                    s.OnPenLifted = [this] { ++Lifts; };
                    s.OnFigureCleared = [this] { ++Clears; };
                  }};
  std::vector<std::pair<TVector2, TVector2>> Drawn;
  int Lifts = 0, Clears = 0;
};

TEST_F(RecordedRunTest, HoldsEverySegmentTheFigureGot) {
  Run.Run(200);
  ASSERT_GT(Drawn.size(), 100u);
  EXPECT_EQ(Run.Record.SegmentCount(), Drawn.size());
  EXPECT_EQ(Run.Record.PolylineCount(), 1u) << "one colour, pen never lifted";
  const TPolyline& p = Run.Record.Polyline(0);
  ASSERT_EQ(p.Count, Drawn.size() + 1);
  for (size_t i = 0; i < Drawn.size(); ++i) {
    const TStrokePoint q = Run.Record.Point(p.First + i + 1);
    EXPECT_NEAR(q.X, Drawn[i].second.X, 1e-4);
    EXPECT_NEAR(q.Y, Drawn[i].second.Y, 1e-4);
  }
}

TEST_F(RecordedRunTest, LiftPenStartsAPolylineAndClearFigureEmpties) {
  for (int i = 0; i < 5; ++i) {
    Run.Run(20);
    Run.Sim.LiftPen();
  }
  EXPECT_EQ(Run.Record.PolylineCount(), 5u);
  EXPECT_EQ(Run.Record.SegmentCount(), Drawn.size());
  EXPECT_EQ(Lifts, 5);
  // Back Color alone does not repaint the figure; the next Clear Figure does.
  Run.Sim.BackColor = clTeal;
  Run.Run(5);
  EXPECT_EQ(Run.Record.Background(), clWhite);
  const int clears = Clears;
  Run.Sim.ClearFigure(false);
  EXPECT_EQ(Clears, clears + 1);
  EXPECT_EQ(Run.Record.PolylineCount(), 0u);
  EXPECT_EQ(Run.Record.Background(), clTeal);
}

TEST_F(RecordedRunTest, SizeChangeKeepsTheStrokes) {
  Run.Run(50);
  const uint64_t before = Run.Record.SegmentCount();
  Run.Sim.FigureImage.SetSize(320, 200);
  CaptureFigure(Run.Record, Run.Sim);
  EXPECT_EQ(Run.Record.SegmentCount(), before);
  EXPECT_EQ(Run.Record.FigureWidth(), 320);
  EXPECT_EQ(Run.Record.FigureHeight(), 200);
}

}  // namespace
