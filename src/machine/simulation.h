#pragma once

#include <cstdint>
#include <functional>

#include "machine/linkage.h"
#include "render/bitmap.h"
#include "render/canvas.h"
#include "render/line_coloring.h"

namespace trochodraw {

// What the tick reads from the main window's controls.
struct TTickSettings {
  TMachineInputs Machine;
  double RPM1 = 75.5;
  double RPM2 = 75.5;
  bool Accelerate = false;
  double Scale = 1.0;
  double OffX = 0.0;
  double OffY = 0.0;
  bool Antialias = true;
  int TimerInterval = 10;  // milliseconds
};

// The six display fields refreshed at the end of a tick.
struct TAngleDisplays {
  double Angle1 = 0, Angle2 = 0, Angle1A = 0, Angle2A = 0, Phase1 = 0, Phase2 = 0;
};

// The drawing machine running: wheel speeds become pen strokes in the figure. The mechanism
// pane and the figure are the two bitmaps held here; the windows show them as they are.
class TSimulation {
 public:
  explicit TSimulation(TLineColoring& LineColoring);

  // The creation steps of the main window: wheels, a cleared figure, one refresh.
  void Initialise();

  void Timer1Timer();
  double DegreesPerStep(int N, double RPM) const;
  void StepMachine(bool Draw, double Delta1, double Delta2);
  void RefreshMechanism();
  // Draws the mechanism pane as the machine stands now, without solving or turning anything.
  void RedrawMechanism();
  TVector2 ReferencePoint() const;
  void MapToFigure();
  double ProbeStroke(double Delta1, double Delta2);
  void DrawStroke();
  void UpdateAngleDisplays();
  void ClearFigure(bool MarkCenter);
  // Lift Pen: the next stroke starts a new line without joining the last point.
  void LiftPen();
  // Sets the four wheel angles as the angle spins do, then refreshes and updates the displays.
  void SetAngles(double A1, double A2, double A1A, double A2A);

  static double PhaseDiff(double X, double Y);

  TTickSettings Settings;
  TMachine Machine;
  TBitmap MechanismImage;  // Image1
  TBitmap FigureImage;     // Image2
  TVector2 PrevPoint;
  bool PenDown = false;
  double Phase1 = 0.0;
  double Phase2 = 0.0;
  TColor BackColor = clWhite;
  TAngleDisplays Displays;
  // The figure canvas keeps its pen between plain strokes, as the toolkit's canvas does.
  int FigurePenWidth = 1;

  // The figure area drawn since the last TakeDirtyRect (for a partial repaint).
  TRect TakeDirtyRect();

  // Hooks for a window: after each stroke (Lift Pen is released), after each mechanism
  // redraw, after the angle displays changed.
  std::function<void()> OnStroke;
  std::function<void()> OnMechanismDrawn;
  std::function<void(const TAngleDisplays&)> OnAnglesUpdated;
  // Called after every sub-step's stroke with the tick and sub-step numbers and whether a
  // segment was drawn (for the path record of the command-line tool).
  std::function<void(int64_t Tick, int Step, bool Drawn)> OnSubStep;
  // Every segment drawn into the figure, in figure pixels, with its style.
  std::function<void(TVector2 From, TVector2 To, const TLineStyle& Style, bool Antialiased)> OnSegment;
  // The figure was cleared or the pen lifted: what follows starts a new line.
  std::function<void()> OnFigureCleared;
  std::function<void()> OnPenLifted;

  int64_t TickCount() const { return FTickCount; }

  // Off while a fast run draws many ticks: the mechanism pane is then redrawn once at the end.
  bool MechanismDrawing = true;

 private:
  void AddDirty(TVector2 A, TVector2 B, int Width);

  TLineColoring& FLineColoring;
  TRect FDirty;
  int64_t FTickCount = 0;
  bool FLastStrokeDrew = false;
};

}  // namespace trochodraw
