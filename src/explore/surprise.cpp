#include "explore/surprise.h"

#include <algorithm>
#include <bitset>
#include <cmath>
#include <cstdio>
#include <optional>
#include <random>
#include <vector>

#include "explore/parallel_for.h"
#include "explore/thumbnail.h"
#include "machine/figure_period.h"
#include "machine/figure_runner.h"

namespace trochodraw {

namespace {

constexpr int kCellColumns = 16;
constexpr int kCellRows = 12;
constexpr int kAttempts = 3000;

const char* const kAdjectives[] = {"Quiet", "Spun",   "Amber",  "Restless", "Folded", "Paper", "Hollow",   "Velvet",
                                   "Tidal", "Silver", "Wobbly", "Lunar",    "Copper", "Woven", "Drifting", "Lazy"};
const char* const kNouns[] = {"Comet",    "Lantern", "Knot",    "Orchid", "Spindle", "Lagoon", "Pretzel", "Halo",
                              "Carousel", "Shell",   "Rosette", "Whirl",  "Basket",  "Bloom",  "Nebula",  "Loop"};

// Planet radii (percent) whose turns come out even, so planetary figures close soon.
const double kPlanetRadii[] = {10, 12.5, 20, 25, 30, 40, 50, 60, 62.5, 75, 80, 100};
// How the second wheel's speed follows the first's.
const double kRatios[] = {1, 1, 1, 0.5, 2, 2.0 / 3, 1.5, 0.75, 4.0 / 3, 0.8, 1.25};
const double kNudges[] = {0, 0, 0, 0.1, -0.1, 0.2, -0.2, 0.5, -0.5, 1, -1, 2, -2};

uint64_t SplitMix(uint64_t X) {
  X += 0x9E3779B97F4A7C15ULL;
  X = (X ^ (X >> 30)) * 0xBF58476D1CE4E5B9ULL;
  X = (X ^ (X >> 27)) * 0x94D049BB133111EBULL;
  return X ^ (X >> 31);
}

// Whole draws from the raw engine: the same on every standard library, unlike its distributions.
class TDraw {
 public:
  TDraw(uint64_t Seed, int Index) : FEngine(SplitMix(Seed ^ SplitMix(static_cast<uint64_t>(Index) + 1))) {}
  int Below(int N) { return static_cast<int>(FEngine() % static_cast<uint64_t>(N)); }
  bool OneIn(int N) { return Below(N) == 0; }
  template <typename T, size_t N>
  T Pick(const T (&Items)[N]) {
    return Items[Below(static_cast<int>(N))];
  }

 private:
  std::mt19937_64 FEngine;
};

double OneDecimal(double X) { return std::round(X * 10.0) / 10.0; }

std::optional<TPattern> Candidate(TDraw& D) {
  TPattern p;
  p.ArmMode = D.OneIn(5) ? 1 : 0;
  p.PlanetMode = static_cast<uint8_t>(D.Below(3));
  p.RPM1 = (20 + D.Below(81)) * (D.OneIn(3) ? -1.0 : 1.0) + (D.OneIn(4) ? 0.5 : 0.0);
  p.RPM2 = OneDecimal(p.RPM1 * D.Pick(kRatios) + D.Pick(kNudges)) * (D.OneIn(5) ? -1.0 : 1.0);
  if (std::abs(p.RPM2) < 5 || std::abs(p.RPM2) > 100) return std::nullopt;
  if (p.PlanetMode == 0) {
    p.Radius1 = 15 + D.Below(86);
    p.Radius2 = D.OneIn(3) ? p.Radius1 : 15 + D.Below(86);
  } else {
    p.Radius1 = D.Pick(kPlanetRadii);
    p.Radius2 = D.OneIn(2) ? p.Radius1 : D.Pick(kPlanetRadii);
    p.Angle1A = 15.0 * D.Below(24);
    p.Angle2A = 15.0 * D.Below(24);
  }
  p.Angle1 = 15.0 * D.Below(24);
  p.Angle2 = 15.0 * D.Below(24);
  p.Scale = 1;
  return p;
}

std::string Ticks(uint64_t N) { return GroupedIntegerText(N); }

}  // namespace

TFigureShape MeasureFigure(const TPattern& P, uint64_t Ticks, int FigureWidth, int FigureHeight, int MechanismWidth) {
  const TPatternMachine m = PatternMachine(P, MechanismWidth);
  TLineColoring lc;
  TSimulation sim(lc);
  sim.Settings = m.Settings;
  sim.Settings.Accelerate = false;
  sim.MechanismDrawing = false;
  sim.MechanismImage = TBitmap(1, 1);
  sim.FigureImage = TBitmap(FigureWidth, FigureHeight);  // only its size is read
  sim.Initialise();
  sim.PrevPoint = {0.0, 0.0};
  sim.SetAngles(m.Angles[0], m.Angles[1], m.Angles[2], m.Angles[3]);

  TFigureShape s;
  s.MinX = s.MinY = HUGE_VAL;
  s.MaxX = s.MaxY = -HUGE_VAL;
  double n = 0, sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
  std::bitset<kCellColumns * kCellRows> cells;
  const int fineW = (FigureWidth + 1) / 2, fineH = (FigureHeight + 1) / 2;
  std::vector<bool> fine(static_cast<size_t>(fineW) * static_cast<size_t>(fineH));
  const auto touch = [&](TVector2 q) {
    const int fx = static_cast<int>(std::floor(q.X / 2)), fy = static_cast<int>(std::floor(q.Y / 2));
    if (fx < 0 || fx >= fineW || fy < 0 || fy >= fineH) return;
    auto cell = fine[static_cast<size_t>(fy) * static_cast<size_t>(fineW) + static_cast<size_t>(fx)];
    if (!cell) {
      cell = true;
      ++s.FineCells;
    }
  };
  bool penDown = false;
  const TTickSettings& t = sim.Settings;
  // The tick without its drawing: the same probe, sub-steps and solves.
  for (uint64_t tick = 0; tick < Ticks; ++tick) {
    const double dist = sim.ProbeStroke(sim.DegreesPerStep(1, t.RPM1), sim.DegreesPerStep(1, t.RPM2));
    const double steps = std::trunc(dist / 10.0) + 1.0;
    const int N = steps > 1e6 || !std::isfinite(steps) ? 1000000 : static_cast<int>(steps);
    for (int i = 1; i <= N; ++i) {
      if (!sim.Machine.SolveMachine(t.Machine, sim.DegreesPerStep(N, t.RPM1), sim.DegreesPerStep(N, t.RPM2)))
        s.Solved = false;
      sim.MapToFigure();
      const TVector2 q = sim.Machine.PenPoint;
      if (penDown) {
        const double len = VecLength(VecSub(q, sim.PrevPoint));
        s.Travel += len;
        // Every cell along the segment, not only its ends.
        const int parts = std::min(static_cast<int>(len), 10000);
        for (int k = 1; k < parts; ++k)
          touch(VecAdd(sim.PrevPoint, VecScale(VecSub(q, sim.PrevPoint), static_cast<double>(k) / parts)));
      }
      touch(q);
      penDown = true;
      sim.PrevPoint = q;
      s.MinX = std::min(s.MinX, q.X);
      s.MaxX = std::max(s.MaxX, q.X);
      s.MinY = std::min(s.MinY, q.Y);
      s.MaxY = std::max(s.MaxY, q.Y);
      n += 1;
      sx += q.X;
      sy += q.Y;
      sxx += q.X * q.X;
      syy += q.Y * q.Y;
      sxy += q.X * q.Y;
      const int cx = static_cast<int>(std::floor(q.X * kCellColumns / FigureWidth));
      const int cy = static_cast<int>(std::floor(q.Y * kCellRows / FigureHeight));
      if (cx >= 0 && cx < kCellColumns && cy >= 0 && cy < kCellRows)
        cells.set(static_cast<size_t>(cy * kCellColumns + cx));
    }
  }
  if (n > 0) {
    const double a = sxx / n - (sx / n) * (sx / n), c = syy / n - (sy / n) * (sy / n),
                 b = sxy / n - (sx / n) * (sy / n);
    const double root = std::sqrt(((a - c) / 2) * ((a - c) / 2) + b * b);
    const double big = (a + c) / 2 + root, small = std::max((a + c) / 2 - root, 0.0);
    s.Spread = big > 0 ? std::sqrt(small / big) : 0.0;
  } else {
    s.MinX = s.MinY = s.MaxX = s.MaxY = 0;
  }
  s.Cells = static_cast<int>(cells.count());
  return s;
}

std::string SurpriseCheck(const TPattern& P, const TSurpriseConstraints& C) {
  const TFigurePeriod period = FigurePeriod(PatternMachine(P, C.MechanismWidth).Settings);
  if (!period.Moves) return "nothing moves";
  if (!period.Exact || period.Ticks > C.MaxTicks) return "does not close within " + Ticks(C.MaxTicks) + " ticks";
  const TFigureShape s = MeasureFigure(P, period.Ticks, C.FigureWidth, C.FigureHeight, C.MechanismWidth);
  if (!s.Solved) return "the linkage does not close";
  const double mx = C.Margin * C.FigureWidth, my = C.Margin * C.FigureHeight;
  if (s.MinX < mx || s.MinY < my || s.MaxX > C.FigureWidth - mx || s.MaxY > C.FigureHeight - my)
    return "does not fit the figure";
  const double perimeter = 2.0 * (C.FigureWidth + C.FigureHeight);
  if (s.Travel < C.MinTravel * perimeter) return "the pen travels too little";
  const double box = std::max((s.MaxX - s.MinX) * (s.MaxY - s.MinY), 1.0);
  if (s.Travel > C.MaxInk * box) return "too dense: a blot";
  if (2.0 * static_cast<double>(s.FineCells) < C.MinFresh * s.Travel) return "the pen goes over the same lines";
  if (s.Spread < C.MinSpread || s.Cells < C.MinCells) return "hardly more than a line";
  return {};
}

TPattern SurprisePattern(uint64_t Seed, int Index, const TSurpriseConstraints& C, const std::atomic<bool>* Cancel) {
  TDraw draw(Seed, Index);
  const int w = C.FigureWidth, h = C.FigureHeight;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    if (Cancel && Cancel->load(std::memory_order_relaxed)) return {};
    std::optional<TPattern> p = Candidate(draw);
    const double fill = 0.7 + 0.05 * draw.Below(6);
    if (!p) continue;
    const TFigurePeriod period = FigurePeriod(PatternMachine(*p, C.MechanismWidth).Settings);
    if (!period.Moves || !period.Exact || period.Ticks > C.MaxTicks) continue;
    // Sized and centred from a run at scale 1, then checked as it will be drawn.
    const TFigureShape s = MeasureFigure(*p, period.Ticks, w, h, C.MechanismWidth);
    const double fw = s.MaxX - s.MinX, fh = s.MaxY - s.MinY;
    if (!s.Solved || fw < 1 || fh < 1) continue;
    const double room = 1.0 - 2.0 * C.Margin;
    const double scale = std::floor(std::min(room * w / fw, room * h / fh) * fill * 100.0) / 100.0;
    if (scale < 0.1) continue;
    p->Scale = std::min(scale, 100.0);
    p->OffsetX = std::round(-((s.MinX + s.MaxX) / 2 - w / 2) * p->Scale);
    p->OffsetY = std::round(-((s.MinY + s.MaxY) / 2 - h / 2) * p->Scale);
    if (!SurpriseCheck(*p, C).empty()) continue;
    p->Name = std::string(draw.Pick(kAdjectives)) + " " + draw.Pick(kNouns);
    return *p;
  }
  throw ESurprise("no settings met the constraints in " + std::to_string(kAttempts) +
                  " tries; allow more ticks or a larger figure");
}

TPatternArray SurprisePatterns(uint64_t Seed, int Count, const TSurpriseConstraints& C, int Threads) {
  TPatternArray out(static_cast<size_t>(std::max(Count, 0)));
  ParallelFor(out.size(), Threads, [&](size_t i) { out[i] = SurprisePattern(Seed, static_cast<int>(i), C); });
  return out;
}

}  // namespace trochodraw
