#include "vector/plot_walk.h"

#include <cmath>

#include "vector/plotter_layout.h"

namespace trochodraw {

void WalkPlot(const TVectorDocument& Doc, TPlotSink& Sink) {
  const auto machine = [&](TDocPoint P) { return TDocPoint{P.X, Doc.Height - P.Y}; };
  bool down = false;
  TDocPoint pen{0.0, 0.0};
  for (const TDocLayer& layer : Doc.Layers) {
    if (layer.Paths.empty()) continue;
    if (down) Sink.PenUp();
    down = false;
    Sink.BeginLayer(layer);
    for (const TDocPath& p : layer.Paths) {
      if (p.Count == 0) continue;
      const TDocPoint start = machine(Doc.Points[p.First]);
      if (!down || std::hypot(start.X - pen.X, start.Y - pen.Y) > kTouchMM) {
        if (down) Sink.PenUp();
        Sink.Travel(start);
        Sink.PenDown();
        down = true;
      }
      for (size_t k = 1; k < p.Count; ++k) Sink.Draw(machine(Doc.Points[p.First + k]));
      pen = machine(Doc.Points[p.First + p.Count - 1]);
    }
  }
  if (down) Sink.PenUp();
}

}  // namespace trochodraw
