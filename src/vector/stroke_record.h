#pragma once

#include <cstdint>

#include "machine/vector2.h"
#include "render/color.h"
#include "render/line_coloring.h"
#include "vector/chunked_array.h"

namespace trochodraw {

class TSimulation;

struct TStrokePoint {
  float X = 0.0f, Y = 0.0f;
  friend bool operator==(const TStrokePoint&, const TStrokePoint&) = default;
};

// A run of joined segments of one style: points First .. First + Count - 1 of the record.
// A polyline that goes on from the previous one in a new style starts at that one's last
// point, so a change of colour costs no repeated point.
struct TPolyline {
  uint32_t First = 0;
  uint32_t Count = 0;
  TColor Color = clBlack;
  uint16_t Width = 1;
  bool Antialiased = true;
};

// Every segment drawn into the figure since the last Clear Figure, in figure pixels (integer
// coordinates are pixel centres). Consecutive segments that join end to start in the same
// colour, width and antialiasing are kept as one polyline: 8 bytes per joined segment, and a
// 16-byte header per polyline.
class TStrokeRecord {
 public:
  // Tick is the simulation's tick count while the segment is drawn; ticks before the record's
  // start tick (see Clear) are taken as its first tick.
  void AddSegment(TVector2 From, TVector2 To, const TLineStyle& Style, bool Antialiased, int64_t Tick = 0);
  // The next segment starts a new polyline even where it touches the last one.
  void LiftPen() { FLifted = true; }
  // Empties the record; Background is the colour the figure was cleared with, StartTick the
  // simulation's tick count then (the record's first tick is the one after it).
  void Clear(TColor Background, int64_t StartTick = 0);

  // Set by the caller when the figure was turned into a mosaic: the vector drawing holds
  // only the strokes, not the filled regions.
  void MarkMosaic() { FMosaic = true; }
  bool MosaicSinceClear() const { return FMosaic; }

  TColor Background() const { return FBackground; }
  int FigureWidth() const { return FWidth; }
  int FigureHeight() const { return FHeight; }
  void SetFigureSize(int Width, int Height);

  uint64_t SegmentCount() const { return FSegments; }
  size_t PolylineCount() const { return FPolylines.Size(); }
  const TPolyline& Polyline(size_t I) const { return FPolylines[I]; }
  size_t PointCount() const { return FPoints.Size(); }
  TStrokePoint Point(size_t I) const { return FPoints[I]; }
  // The ticks run since the start tick, as far as the caller told (SetTickCount).
  uint64_t TicksRecorded() const;
  void SetTickCount(int64_t TickCount) { FEndTick = TickCount; }
  // How much of the record was drawn in its first Ticks ticks: the first Polylines polylines,
  // the last of them cut to end before point Points.
  struct TPrefix {
    size_t Polylines = 0;
    size_t Points = 0;
  };
  TPrefix PrefixOfTicks(uint64_t Ticks) const;
  TPrefix Whole() const { return {FPolylines.Size(), FPoints.Size()}; }

  // False once the record ran out of point indexes and dropped segments.
  bool Complete() const { return !FFull; }
  size_t MemoryBytes() const;

 private:
  TChunkedArray<TStrokePoint, 14> FPoints;
  TChunkedArray<TPolyline, 14> FPolylines;
  // FTickEnds[k]: where the record stood at the end of its tick k (0: before its first tick).
  struct TTickEnd {
    uint32_t Points = 0, Polylines = 0;
  };
  TChunkedArray<TTickEnd, 12> FTickEnds;
  int64_t FStartTick = 0, FEndTick = 0;
  uint64_t FSegments = 0;
  bool FLifted = true;
  bool FMosaic = false;
  bool FFull = false;
  TColor FBackground = clWhite;
  int FWidth = 640, FHeight = 480;
};

// Binds Record to the simulation's segment, clear and lift hooks (keeping whatever hooks were
// bound before). Record must outlive the binding.
void AttachStrokeRecord(TSimulation& Sim, TStrokeRecord& Record);
// Takes the figure's current size into the record, as an export needs it.
void CaptureFigure(TStrokeRecord& Record, const TSimulation& Sim);

}  // namespace trochodraw
