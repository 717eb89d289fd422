#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "patterns/pattern.h"

namespace trochodraw {

// What a surprise figure must do.
struct TSurpriseConstraints {
  uint64_t MaxTicks = 20000;  // it closes, exactly, within this many ticks
  int FigureWidth = 640;      // and fits this figure, a margin free on every side
  int FigureHeight = 480;
  double Margin = 0.04;  // of each side
  int MechanismWidth = 350;
  // The pen travels at least MinTravel times the figure's perimeter, but lays no more than
  // MaxInk pixels of line on a square pixel of the figure's box (more is a blot), and most of
  // its way is new ground: at least MinFresh of it, measured in 2-pixel cells (a loop drawn
  // over and over is one loop).
  double MinTravel = 1.5;
  double MaxInk = 0.45;
  double MinFresh = 0.3;
  // Not a near-single line: the figure's thinner principal axis is at least this fraction of
  // its thicker one, and it passes through at least MinCells of a 16 x 12 grid of cells.
  double MinSpread = 0.2;
  int MinCells = 24;
};

// The run of a pattern's pen over some ticks, as the machine's sub-steps place it.
struct TFigureShape {
  bool Solved = true;  // every sub-step's solve succeeded
  double MinX = 0, MinY = 0, MaxX = 0, MaxY = 0;
  double Travel = 0;      // figure pixels
  double Spread = 0;      // thinner / thicker principal axis, 0 to 1
  int Cells = 0;          // of the 16 x 12 grid over the figure
  int64_t FineCells = 0;  // 2 x 2 pixel cells of the figure the pen went through
};
TFigureShape MeasureFigure(const TPattern& P, uint64_t Ticks, int FigureWidth, int FigureHeight,
                           int MechanismWidth = 350);

// Why P is no surprise figure under C, in words; empty when it is one.
std::string SurpriseCheck(const TPattern& P, const TSurpriseConstraints& C);

// No settings met the constraints within the attempts a surprise may take.
class ESurprise : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Random settings, the same for the same Seed and Index, that pass the constraints.
// Raises ESurprise when the attempts run out (constraints that cannot be met) and returns
// an empty pattern when Cancel is set.
TPattern SurprisePattern(uint64_t Seed, int Index, const TSurpriseConstraints& C,
                         const std::atomic<bool>* Cancel = nullptr);

// Surprise patterns 0 to Count - 1 of Seed, made on Threads threads (0: one per core).
TPatternArray SurprisePatterns(uint64_t Seed, int Count, const TSurpriseConstraints& C, int Threads = 0);

}  // namespace trochodraw
