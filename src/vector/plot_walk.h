#pragma once

#include "vector/vector_document.h"

namespace trochodraw {

// What a plotter does, move by move, to draw a plotter-mode document: the machine formats and
// the plot statistics all follow this one walk, so what they report is what the files do.
// Points are in machine coordinates: millimetres from the page's lower-left corner, Y upwards
// (the page turned the right way up on a plotter whose Y axis points away from the user).
class TPlotSink {
 public:
  virtual ~TPlotSink() = default;
  // A new layer begins (the pen is up): a pen change or a re-inking when Layer.Pause says so.
  virtual void BeginLayer(const TDocLayer& Layer) = 0;
  virtual void PenUp() = 0;
  virtual void PenDown() = 0;
  // A move with the pen up, and one with the pen down.
  virtual void Travel(TDocPoint To) = 0;
  virtual void Draw(TDocPoint To) = 0;
};

// The pen starts up at the machine origin (0, 0) and ends up where it drew last; it is
// lifted between paths unless the next one starts where the pen stands in the same layer.
void WalkPlot(const TVectorDocument& Doc, TPlotSink& Sink);

}  // namespace trochodraw
