#pragma once

#include "machine/simulation.h"

namespace trochodraw {

// The program's first pattern ("Mobius") as the window shows it after start, on a figure of
// Width x Height, so every benchmark draws the same machine.
inline void SetUpMobius(TSimulation& Sim, int Width, int Height, double Scale, bool Accelerate,
                        bool Antialias = true) {
  Sim.Settings.Machine = {75.06, 75.06, pmOuterPlanet, amPantograph, 350};
  Sim.Settings.RPM1 = Sim.Settings.RPM2 = 77.6;
  Sim.Settings.Scale = Scale;
  Sim.Settings.Accelerate = Accelerate;
  Sim.Settings.Antialias = Antialias;
  Sim.MechanismImage = TBitmap(350, 400);
  Sim.FigureImage = TBitmap(Width, Height);
  Sim.Initialise();
  Sim.PrevPoint = {0.0, 0.0};
  Sim.SetAngles(18.5, 335.5, 284.7, 327.7);
}

}  // namespace trochodraw
