#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "machine/simulation.h"
#include "patterns/pattern.h"
#include "render/bitmap.h"

namespace trochodraw {

// A pattern as the main window runs it once applied: the controls take its values (and
// limit them), the wheels take the angle spins' values.
struct TPatternMachine {
  TTickSettings Settings;
  double Angles[4] = {0, 0, 0, 0};  // Wheel1, Wheel2, Planet1, Planet2
};
TPatternMachine PatternMachine(const TPattern& P, int MechanismWidth = 350);

// How much of a figure a picture of it shows.
enum class TFigureSpan {
  fsWhole,        // the exact period: the figure closes
  fsNearClosure,  // every angle back within half a degree: it looks closed
  fsBudget,       // neither within the tick budget: the budget's worth
  fsStill         // both speeds 0: nothing moves
};

struct TFigureTicks {
  uint64_t Ticks = 0;
  TFigureSpan Span = TFigureSpan::fsStill;
};

// The ticks of the whole figure, or of its near closure when the whole one is longer than
// MaxTicks, else MaxTicks.
TFigureTicks ThumbnailTicks(const TTickSettings& Settings, uint64_t MaxTicks);

// A small picture of a pattern's figure: the figure as it would stand in a figure of
// FigureWidth x FigureHeight, shrunk to fit Width x Height (scale, offsets, pen width and
// distance gradient shrink with it), in the given line colouring and background.
struct TThumbnailOptions {
  int Width = 200;
  int Height = 150;
  int FigureWidth = 640;
  int FigureHeight = 480;
  int MechanismWidth = 350;
  uint64_t MaxTicks = 100000;
  TLineColorSettings Lines;
  TColor Background = clWhite;
  bool Antialias = true;
};

struct TThumbnail {
  TBitmap Image;
  TFigureTicks Figure;
  uint64_t TicksRun = 0;  // below Figure.Ticks only when cancelled
  bool Cancelled = false;
};

// Renders with a simulation, line colouring and bitmap of its own, so that any number can run
// on separate threads at once. Cancel, when given, is looked at between slices of ticks.
TThumbnail RenderThumbnail(const TPattern& P, const TThumbnailOptions& Options,
                           const std::atomic<bool>* Cancel = nullptr);

// Every pattern's thumbnail, in order, on Threads threads (0: one per core).
std::vector<TThumbnail> RenderThumbnails(const TPatternArray& Patterns, const TThumbnailOptions& Options,
                                         int Threads = 0);

}  // namespace trochodraw
