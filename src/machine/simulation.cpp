#include "machine/simulation.h"

#include <algorithm>
#include <cmath>

#include "render/drawing_surface.h"
#include "render/mechanism_view.h"

namespace trochodraw {

TSimulation::TSimulation(TLineColoring& LineColoring) : FLineColoring(LineColoring) {}

void TSimulation::Initialise() {
  if (MechanismImage.Empty()) MechanismImage = TBitmap(Settings.Machine.MechanismWidth, 400);
  if (FigureImage.Empty()) FigureImage = TBitmap(640, 480);
  Machine.Initialise(Settings.Machine);
  BackColor = clWhite;
  ClearFigure(false);
  RefreshMechanism();
}

double TSimulation::DegreesPerStep(int N, double RPM) const {
  return RPM / 60.0 * (Settings.TimerInterval / 1000.0 / N) * 360.0;
}

void TSimulation::StepMachine(bool Draw, double Delta1, double Delta2) {
  if (Machine.SolveMachine(Settings.Machine, Delta1, Delta2) && Draw && MechanismDrawing) RedrawMechanism();
}

void TSimulation::RefreshMechanism() { StepMachine(true, 0.0, 0.0); }

void TSimulation::RedrawMechanism() {
  DrawMechanism(MechanismImage, Machine, Settings.Machine.Mode, Settings.Machine.Mechanism);
  if (OnMechanismDrawn) OnMechanismDrawn();
}

TVector2 TSimulation::ReferencePoint() const {
  const TVector2 mid = VecDiv(VecAdd(Machine.Wheel1.Center, Machine.Wheel2.Center), 2.0);
  const TVector2 off = Settings.Machine.Mechanism == amPantograph ? TVector2{0.0, 213.0} : TVector2{-37.0, 200.0};
  return VecAdd(mid, off);
}

void TSimulation::MapToFigure() {
  TVector2 p = VecSub(Machine.PenPoint, ReferencePoint());
  p = VecScale(p, Settings.Scale);
  p = VecAdd(p, TVector2{static_cast<double>(FigureImage.Width() / 2), static_cast<double>(FigureImage.Height() / 2)});
  p = VecAdd(p, TVector2{Settings.OffX, Settings.OffY});
  Machine.PenPoint = p;
}

double TSimulation::ProbeStroke(double Delta1, double Delta2) {
  const double a1 = Machine.Wheel1.Angle, a2 = Machine.Wheel2.Angle;
  const double a1a = Machine.Planet1.Angle, a2a = Machine.Planet2.Angle;
  Machine.SolveMachine(Settings.Machine, Delta1, Delta2);
  MapToFigure();
  const double dist = VecLength(VecSub(Machine.PenPoint, PrevPoint));
  Machine.Wheel1.SetAngle(a1);
  Machine.Wheel2.SetAngle(a2);
  Machine.Planet1.SetAngle(a1a);
  Machine.Planet2.SetAngle(a2a);
  return dist;
}

void TSimulation::DrawStroke() {
  MapToFigure();
  FLastStrokeDrew = false;
  if (PenDown) {
    TLineColorContext ctx{FigureImage.Width(), FigureImage.Height(), Settings.OffX, Settings.OffY, Phase1, Phase2};
    const TLineStyle style = FLineColoring.GetLineColor(Machine.PenPoint, ctx);
    if (Settings.Antialias) {
      TGDPCanvas G(FigureImage);
      G.SetSmoothingMode(5);
      G.SetPenColor(ColorToARGB(style.Color));
      G.SetPenWidth(static_cast<double>(style.Width));
      G.DrawLine(PrevPoint, Machine.PenPoint);
    } else {
      TCanvas C(FigureImage);
      C.PenColor = style.Color;
      C.PenWidth = style.Width;
      C.PenMode = TPenMode::pmCopy;
      FigurePenWidth = style.Width;
      const TPoint a = VecRound(PrevPoint), b = VecRound(Machine.PenPoint);
      C.MoveTo(a.X, a.Y);
      C.LineTo(b.X, b.Y);
    }
    AddDirty(PrevPoint, Machine.PenPoint, style.Width);
    if (OnSegment) OnSegment(PrevPoint, Machine.PenPoint, style, Settings.Antialias);
    FLastStrokeDrew = true;
  }
  PrevPoint = Machine.PenPoint;
  PenDown = true;
  if (OnStroke) OnStroke();
}

void TSimulation::Timer1Timer() {
  ++FTickCount;
  const double F = Settings.Accelerate ? 10.0 : 1.0;
  const double D1 = DegreesPerStep(1, Settings.RPM1 * F);
  const double D2 = DegreesPerStep(1, Settings.RPM2 * F);
  const double dist = ProbeStroke(D1, D2);
  // A runaway distance (a huge offset or scale) must not ask for billions of sub-steps.
  const double steps = std::trunc(dist / 10.0 * F) + 1.0;
  const int N = steps > 1e6 || !std::isfinite(steps) ? 1000000 : static_cast<int>(steps);
  for (int i = 1; i <= N; ++i) {
    const bool draw = i == 1 || i == N;
    const double S1 = DegreesPerStep(N, Settings.RPM1 * F);
    const double S2 = DegreesPerStep(N, Settings.RPM2 * F);
    StepMachine(draw, S1, S2);
    DrawStroke();
    if (OnSubStep) OnSubStep(FTickCount, i, FLastStrokeDrew);
  }
  UpdateAngleDisplays();
}

double TSimulation::PhaseDiff(double X, double Y) { return FloorMod((X - Y) + 180.0, 360.0) - 180.0; }

void TSimulation::UpdateAngleDisplays() {
  Displays.Angle1 = Machine.Wheel1.Angle;
  Displays.Angle2 = Machine.Wheel2.Angle;
  Displays.Angle1A = Machine.Planet1.Angle;
  Displays.Angle2A = Machine.Planet2.Angle;
  Phase1 = PhaseDiff(Machine.Wheel2.Angle, Machine.Wheel1.Angle);
  Phase2 = PhaseDiff(Machine.Planet2.Angle, Machine.Planet1.Angle);
  Displays.Phase1 = Phase1;
  Displays.Phase2 = Phase2;
  if (OnAnglesUpdated) OnAnglesUpdated(Displays);
}

void TSimulation::ClearFigure(bool MarkCenter) {
  ClearFigureImage(FigureImage, BackColor, MarkCenter, FigurePenWidth);
  PenDown = false;
  FDirty = {0, 0, FigureImage.Width(), FigureImage.Height()};
  if (OnFigureCleared) OnFigureCleared();
}

void TSimulation::LiftPen() {
  PenDown = false;
  if (OnPenLifted) OnPenLifted();
}

void TSimulation::SetAngles(double A1, double A2, double A1A, double A2A) {
  Machine.Wheel1.SetAngle(A1);
  Machine.Wheel2.SetAngle(A2);
  Machine.Planet1.SetAngle(A1A);
  Machine.Planet2.SetAngle(A2A);
  RefreshMechanism();
  UpdateAngleDisplays();
}

void TSimulation::AddDirty(TVector2 A, TVector2 B, int Width) {
  const double pad = Width / 2.0 + 2.0;
  auto clampi = [](double v) { return static_cast<int>(std::clamp(v, -1e9, 1e9)); };
  const TRect r{clampi(std::floor(std::min(A.X, B.X) - pad)), clampi(std::floor(std::min(A.Y, B.Y) - pad)),
                clampi(std::ceil(std::max(A.X, B.X) + pad)) + 1, clampi(std::ceil(std::max(A.Y, B.Y) + pad)) + 1};
  if (FDirty.IsEmpty()) {
    FDirty = r;
  } else {
    FDirty = {std::min(FDirty.Left, r.Left), std::min(FDirty.Top, r.Top), std::max(FDirty.Right, r.Right),
              std::max(FDirty.Bottom, r.Bottom)};
  }
}

TRect TSimulation::TakeDirtyRect() {
  TRect r{std::max(FDirty.Left, 0), std::max(FDirty.Top, 0), std::min(FDirty.Right, FigureImage.Width()),
          std::min(FDirty.Bottom, FigureImage.Height())};
  FDirty = {};
  return r.IsEmpty() ? TRect{} : r;
}

}  // namespace trochodraw
