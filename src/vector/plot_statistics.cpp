#include "vector/plot_statistics.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "vector/plot_walk.h"

namespace trochodraw {

namespace {

class TStatisticsSink : public TPlotSink {
 public:
  TPlotStatistics Stats;

  void BeginLayer(const TDocLayer& Layer) override { Stats.Pauses += Layer.Pause != lpNone; }
  void PenUp() override { ++Stats.PenLifts; }
  void PenDown() override {}
  void Travel(TDocPoint To) override { Stats.TravelMM += MoveTo(To); }
  void Draw(TDocPoint To) override { Stats.DrawnMM += MoveTo(To); }

 private:
  double MoveTo(TDocPoint To) {
    const double d = std::hypot(To.X - FPen.X, To.Y - FPen.Y);
    FPen = To;
    return d;
  }
  TDocPoint FPen{0.0, 0.0};
};

}  // namespace

TPlotStatistics PlotStatistics(const TVectorDocument& Doc, const TPlotMotion& Motion) {
  TStatisticsSink sink;
  WalkPlot(Doc, sink);
  TPlotStatistics s = sink.Stats;
  s.Paths = Doc.PathCount();
  s.Seconds = s.DrawnMM / Motion.PenSpeed + s.TravelMM / Motion.TravelSpeed;
  return s;
}

std::string PlotStatisticsText(const TPlotStatistics& Stats) {
  char text[256];
  std::snprintf(text, sizeof text,
                "paths: %zu\npen-lifts: %zu\npauses: %zu\ndrawn-mm: %.2f\ntravel-mm: %.2f\nplot-seconds: %.1f\n",
                Stats.Paths, Stats.PenLifts, Stats.Pauses, Stats.DrawnMM, Stats.TravelMM, Stats.Seconds);
  return text;
}

std::string DurationText(double Seconds) {
  const long long s = static_cast<long long>(std::ceil(std::max(Seconds, 0.0)));
  char text[64];
  if (s >= 3600) {
    std::snprintf(text, sizeof text, "%lld h %02lld min", s / 3600, s % 3600 / 60);
  } else if (s >= 60) {
    std::snprintf(text, sizeof text, "%lld min %02lld s", s / 60, s % 60);
  } else {
    std::snprintf(text, sizeof text, "%lld s", s);
  }
  return text;
}

}  // namespace trochodraw
