#pragma once

#include <cstdint>
#include <functional>

#include "machine/simulation.h"

namespace trochodraw {

// Runs many ticks into the figure as fast as the machine can: the same strokes, colours and
// stroke record as the timer's ticks, but the mechanism pane is drawn once, at the end.
// Runs in slices, so a window can paint and offer Cancel between them.
class TFigureRunner {
 public:
  TFigureRunner(TSimulation& Sim, uint64_t Ticks);
  ~TFigureRunner();
  TFigureRunner(const TFigureRunner&) = delete;
  TFigureRunner& operator=(const TFigureRunner&) = delete;

  // Runs up to Count more ticks; returns how many it ran.
  uint64_t RunSlice(uint64_t Count);
  uint64_t Done() const { return FDone; }
  uint64_t Total() const { return FTotal; }
  bool Finished() const { return FDone >= FTotal; }
  // Ends the run (also a cancelled one): the mechanism pane shows the machine as it stands.
  void Finish();

  // A whole run. Progress is asked about every Every ticks and at the end; returning false
  // cancels between ticks and keeps what was drawn. Returns the ticks run.
  static uint64_t Run(TSimulation& Sim, uint64_t Ticks,
                      const std::function<bool(uint64_t Done, uint64_t Total)>& Progress = {},
                      uint64_t Every = 1000);

 private:
  TSimulation& FSim;
  uint64_t FTotal;
  uint64_t FDone = 0;
  bool FWasDrawing;
  bool FFinished = false;
};

}  // namespace trochodraw
