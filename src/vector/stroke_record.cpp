#include "vector/stroke_record.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "machine/simulation.h"

namespace trochodraw {

namespace {

bool Finite(TStrokePoint P) { return std::isfinite(P.X) && std::isfinite(P.Y); }

}  // namespace

void TStrokeRecord::AddSegment(TVector2 From, TVector2 To, const TLineStyle& Style, bool Antialiased, int64_t Tick) {
  // Every tick before this one has ended: note where the record stood at each end.
  const uint64_t tick = Tick > FStartTick ? static_cast<uint64_t>(Tick - FStartTick) : 1;
  if (FTickEnds.Size() < tick) {
    const TTickEnd now{static_cast<uint32_t>(FPoints.Size()), static_cast<uint32_t>(FPolylines.Size())};
    while (FTickEnds.Size() < tick) FTickEnds.PushBack(now);
  }
  const TStrokePoint a{static_cast<float>(From.X), static_cast<float>(From.Y)};
  const TStrokePoint b{static_cast<float>(To.X), static_cast<float>(To.Y)};
  // A segment off to infinity drew nothing that can be kept; what follows starts afresh.
  if (!Finite(a) || !Finite(b)) {
    FLifted = true;
    return;
  }
  // Two points more must still have an index.
  if (FPoints.Size() + 2 > std::numeric_limits<uint32_t>::max()) {
    FFull = true;
    return;
  }
  // A pen of width 0 or less draws one pixel wide, as the raster does.
  const uint16_t width = static_cast<uint16_t>(std::clamp(Style.Width, 1, 65535));
  const TColor color = Style.Color & 0xFFFFFFu;
  ++FSegments;
  const bool joins = !FLifted && !FPoints.Empty() && FPoints.Back() == a;
  if (joins) {
    TPolyline& last = FPolylines.Back();
    if (last.Color == color && last.Width == width && last.Antialiased == Antialiased) {
      // A zero-length segment adds nothing to the path.
      if (!(b == a)) {
        FPoints.PushBack(b);
        ++last.Count;
      }
      return;
    }
    FPolylines.PushBack({static_cast<uint32_t>(FPoints.Size() - 1), 2, color, width, Antialiased});
    FPoints.PushBack(b);
    return;
  }
  FPolylines.PushBack({static_cast<uint32_t>(FPoints.Size()), 2, color, width, Antialiased});
  FPoints.PushBack(a);
  FPoints.PushBack(b);
  FLifted = false;
}

void TStrokeRecord::Clear(TColor Background, int64_t StartTick) {
  FPoints.Clear();
  FTickEnds.Clear();
  FStartTick = FEndTick = StartTick;
  FPolylines.Clear();
  FSegments = 0;
  FLifted = true;
  FMosaic = false;
  FFull = false;
  FBackground = Background & 0xFFFFFFu;
}

void TStrokeRecord::SetFigureSize(int Width, int Height) {
  FWidth = std::max(Width, 1);
  FHeight = std::max(Height, 1);
}

uint64_t TStrokeRecord::TicksRecorded() const {
  return FEndTick > FStartTick ? static_cast<uint64_t>(FEndTick - FStartTick) : 0;
}

TStrokeRecord::TPrefix TStrokeRecord::PrefixOfTicks(uint64_t Ticks) const {
  if (Ticks >= FTickEnds.Size()) return Whole();
  const TTickEnd e = FTickEnds[Ticks];
  return {e.Polylines, e.Points};
}

size_t TStrokeRecord::MemoryBytes() const {
  return sizeof(*this) + FPoints.MemoryBytes() + FPolylines.MemoryBytes() + FTickEnds.MemoryBytes();
}

void AttachStrokeRecord(TSimulation& Sim, TStrokeRecord& Record) {
  Record.Clear(Sim.BackColor, Sim.TickCount());
  CaptureFigure(Record, Sim);
  auto segment = std::move(Sim.OnSegment);
  Sim.OnSegment = [segment, &Record, &Sim](TVector2 From, TVector2 To, const TLineStyle& Style, bool Antialiased) {
    if (segment) segment(From, To, Style, Antialiased);
    Record.AddSegment(From, To, Style, Antialiased, Sim.TickCount());
  };
  // The figure is cleared with the colour that is current then; a later Back Color change
  // does not repaint it, so the background is taken here and not at export.
  auto cleared = std::move(Sim.OnFigureCleared);
  Sim.OnFigureCleared = [cleared, &Record, &Sim] {
    if (cleared) cleared();
    Record.Clear(Sim.BackColor, Sim.TickCount());
  };
  auto lifted = std::move(Sim.OnPenLifted);
  Sim.OnPenLifted = [lifted, &Record] {
    if (lifted) lifted();
    Record.LiftPen();
  };
}

void CaptureFigure(TStrokeRecord& Record, const TSimulation& Sim) {
  Record.SetFigureSize(Sim.FigureImage.Width(), Sim.FigureImage.Height());
  Record.SetTickCount(Sim.TickCount());
}

}  // namespace trochodraw
