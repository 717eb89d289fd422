#include "machine/figure_runner.h"

#include <algorithm>

namespace trochodraw {

TFigureRunner::TFigureRunner(TSimulation& Sim, uint64_t Ticks)
    : FSim(Sim), FTotal(Ticks), FWasDrawing(Sim.MechanismDrawing) {
  FSim.MechanismDrawing = false;
}

TFigureRunner::~TFigureRunner() { Finish(); }

uint64_t TFigureRunner::RunSlice(uint64_t Count) {
  const uint64_t n = std::min(Count, FTotal - FDone);
  for (uint64_t i = 0; i < n; ++i) FSim.Timer1Timer();
  FDone += n;
  return n;
}

void TFigureRunner::Finish() {
  if (FFinished) return;
  FFinished = true;
  FSim.MechanismDrawing = FWasDrawing;
  if (FDone > 0 && FSim.MechanismDrawing) FSim.RedrawMechanism();
}

uint64_t TFigureRunner::Run(TSimulation& Sim, uint64_t Ticks,
                            const std::function<bool(uint64_t Done, uint64_t Total)>& Progress, uint64_t Every) {
  TFigureRunner runner(Sim, Ticks);
  Every = std::max<uint64_t>(Every, 1);
  while (!runner.Finished()) {
    runner.RunSlice(Every);
    if (Progress && !Progress(runner.Done(), Ticks)) break;
  }
  runner.Finish();
  return runner.Done();
}

}  // namespace trochodraw
