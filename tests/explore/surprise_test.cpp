#include "explore/surprise.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "explore/thumbnail.h"
#include "machine/figure_period.h"
#include "machine/figure_runner.h"

using namespace trochodraw;

namespace {

struct TDrawnFigure {
  int Segments = 0;
  int Outside = 0;  // segment ends off the figure
  std::set<std::pair<int, int>> Pixels;
};

// The figure as the window would draw it, one whole period, watched segment by segment.
TDrawnFigure DrawWhole(const TPattern& P, uint64_t Ticks, int W, int H) {
  const TPatternMachine m = PatternMachine(P);
  TLineColoring lc;
  TSimulation sim(lc);
  sim.Settings = m.Settings;
  sim.FigureImage = TBitmap(W, H);
  sim.Initialise();
  sim.PrevPoint = {0, 0};
  sim.SetAngles(m.Angles[0], m.Angles[1], m.Angles[2], m.Angles[3]);
  TDrawnFigure d;
  sim.OnSegment = [&](TVector2 A, TVector2 B, const TLineStyle&, bool) {
    ++d.Segments;
    for (TVector2 q : {A, B}) {
      if (q.X < 0 || q.Y < 0 || q.X >= W || q.Y >= H) ++d.Outside;
      d.Pixels.insert({static_cast<int>(q.X), static_cast<int>(q.Y)});
    }
  };
  TFigureRunner::Run(sim, Ticks);
  return d;
}

TEST(SurpriseTest, EveryPatternOfManySeedsClosesInTimeAndFits) {
  TSurpriseConstraints c;
  c.MaxTicks = 12000;
  for (uint64_t seed : {1u, 7u, 42u, 1234u, 99999u, 31337u}) {
    const TPatternArray list = SurprisePatterns(seed, 3, c);
    for (const TPattern& p : list) {
      SCOPED_TRACE("seed " + std::to_string(seed) + ", " + p.Name);
      EXPECT_FALSE(p.Name.empty());
      const TFigurePeriod period = FigurePeriod(PatternMachine(p).Settings);
      ASSERT_TRUE(period.Moves && period.Exact);
      EXPECT_LE(period.Ticks, c.MaxTicks);
      const TDrawnFigure d = DrawWhole(p, period.Ticks, c.FigureWidth, c.FigureHeight);
      EXPECT_EQ(d.Outside, 0);
      // Not a dot or a line: hundreds of distinct pen positions spread over the figure.
      EXPECT_GT(d.Pixels.size(), 300u);
      int minX = c.FigureWidth, maxX = 0, minY = c.FigureHeight, maxY = 0;
      for (auto [x, y] : d.Pixels) {
        minX = std::min(minX, x), maxX = std::max(maxX, x);
        minY = std::min(minY, y), maxY = std::max(maxY, y);
      }
      EXPECT_GT(maxX - minX, c.FigureWidth / 4);
      EXPECT_GT(maxY - minY, c.FigureHeight / 8);
      EXPECT_EQ(SurpriseCheck(p, c), "");
    }
  }
}

TEST(SurpriseTest, TheSameSeedGivesTheSamePatterns) {
  TSurpriseConstraints c;
  const TPatternArray a = SurprisePatterns(2024, 4, c, 1);
  const TPatternArray b = SurprisePatterns(2024, 4, c, 3);
  EXPECT_EQ(a, b) << "the threads must not change what a seed makes";
  // Each pattern depends on its seed and place alone.
  EXPECT_EQ(SurprisePattern(2024, 2, c), a[2]);
  const TPatternArray other = SurprisePatterns(2025, 4, c, 1);
  EXPECT_NE(a, other);
  std::set<std::pair<double, double>> speeds;
  for (const TPattern& p : a) speeds.insert({p.RPM1, p.RPM2});
  EXPECT_GT(speeds.size(), 1u) << "nine of the same would be no surprise";
}

TEST(SurpriseTest, ChecksNameWhatIsWrong) {
  const TSurpriseConstraints c;
  TPattern good = SurprisePattern(5, 0, c);
  ASSERT_EQ(SurpriseCheck(good, c), "");
  struct Case {
    const char* What;
    void (*Change)(TPattern&);
    const char* Reason;
  };
  const Case cases[] = {
      {"still", [](TPattern& p) { p.RPM1 = p.RPM2 = 0; }, "nothing moves"},
      // 31.3 RPM turns wheel 1 round after 60,000 ticks whatever the rest does.
      {"long", [](TPattern& p) { p.RPM1 = 31.3; }, "does not close within 20,000 ticks"},
      {"huge", [](TPattern& p) { p.Scale *= 3; }, "does not fit the figure"},
      {"shifted", [](TPattern& p) { p.OffsetX += 400; }, "does not fit the figure"},
      {"tiny", [](TPattern& p) { p.Scale = 0.1; }, "the pen travels too little"},
  };
  for (const Case& k : cases) {
    TPattern p = good;
    k.Change(p);
    EXPECT_EQ(SurpriseCheck(p, c), k.Reason) << k.What;
  }
}

TEST(SurpriseTest, ConstraintsThatCannotBeMetRaiseAnError) {
  TSurpriseConstraints c;
  c.MaxTicks = 1;
  EXPECT_THROW(SurprisePattern(3, 0, c), ESurprise);
  std::atomic<bool> cancel{true};
  EXPECT_EQ(SurprisePattern(3, 0, TSurpriseConstraints{}, &cancel), TPattern{}) << "a cancelled search gives up";
}

}  // namespace
