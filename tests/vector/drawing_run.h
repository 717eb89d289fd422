#pragma once

#include "machine/simulation.h"
#include "vector/stroke_record.h"

namespace trochodraw::testing {

// The machine the command-line tool starts from, at other speeds and in inner planetary mode:
// a figure of long, well separated curves. Its strokes go into Record.
struct TDrawingRun {
  TLineColoring Colouring;
  TSimulation Sim{Colouring};
  TStrokeRecord Record;

  // Before is called before the record is attached (to bind hooks of one's own first).
  template <typename F = void (*)(TSimulation&)>
  explicit TDrawingRun(int Width = 640, int Height = 480, F Before = [](TSimulation&) {}) {
    Sim.Settings.Machine = {75.06, 75.06, pmInnerPlanet, amPantograph, 350};
    Sim.Settings.RPM1 = -40;
    Sim.Settings.RPM2 = 60;
    Sim.Settings.Scale = 2.0;
    Sim.MechanismImage = TBitmap(350, 400);
    Sim.FigureImage = TBitmap(Width, Height);
    Before(Sim);
    AttachStrokeRecord(Sim, Record);
    Sim.Initialise();
    Sim.SetAngles(18.5, 335.5, 284.7, 327.7);
  }
  void Run(int Ticks) {
    for (int t = 0; t < Ticks; ++t) Sim.Timer1Timer();
    CaptureFigure(Record, Sim);
  }
};

}  // namespace trochodraw::testing
