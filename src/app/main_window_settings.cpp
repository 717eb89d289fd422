// The handlers of the machine's settings: radii, speeds and their locks, mode and mechanism,
// angles, scale and offsets, and the run, step, lift-pen and figure commands.
#include <QColorDialog>
#include <QTimer>

#include "app/image_view_widget.h"
#include "app/main_window.h"
#include "controls/application_error.h"
#include "controls/fancy_button.h"
#include "controls/fancy_speed_button.h"
#include "controls/radio_group_widget.h"
#include "controls/real_spin_widget.h"
#include "controls/system_colors.h"
#include "controls/track_bar_widget.h"
#include "patterns/settings_dialog.h"

namespace trochodraw {

namespace {

// A spin takes a slider's position without raising its own change event.
void SetSpinFromBar(TRealSpin* Spin, const TTrackBarExt* Bar) { Spin->SetValueNoEvent(Bar->RealPos()); }

QColor ToQColor(TColor C) { return QColor(RedOf(C), GreenOf(C), BlueOf(C)); }

}  // namespace

void TForm1::BindHandlers() {
  Circle1Bar->OnChange = [this](QObject*) { Circle1BarChange(); };
  Circle2Bar->OnChange = [this](QObject*) { Circle2BarChange(); };
  RPM1Bar->OnChange = [this](QObject*) { RPM1BarChange(); };
  RPM2Bar->OnChange = [this](QObject*) { RPM2BarChange(); };
  Circle1Spin->OnChange = [this](QObject*) { Circle1SpinChange(); };
  Circle2Spin->OnChange = [this](QObject*) { Circle2SpinChange(); };
  RPM1Spin->OnChange = [this](QObject*) { RPM1SpinChange(); };
  RPM2Spin->OnChange = [this](QObject*) { RPM2SpinChange(); };
  // The offsets share the first radius's handler: the machine is redrawn and the lock applied.
  OffXSpin->OnChange = [this](QObject*) { Circle1SpinChange(); };
  OffYSpin->OnChange = [this](QObject*) { Circle1SpinChange(); };
  CircleLockBtn->OnClick = [this](QObject*) { CircleLockBtnClick(); };
  RPMLockBtn->OnClick = [this](QObject*) { RPMLockBtnClick(); };
  ModeRadio->OnClick = [this](QObject*) { ModeRadioClick(); };
  MechanismRadio->OnClick = [this](QObject*) { MechanismRadioClick(); };
  SetAnglesBtn->OnClick = [this](QObject*) { SetAnglesBtnClick(); };
  for (TRealSpin* S : {Angle1Spin, Angle2Spin, Angle1ASpin, Angle2ASpin}) {
    S->OnChange = [this](QObject*) { SetAnglesBtnClick(); };
  }
  ResetAnglesBtn->OnClick = [this](QObject*) { ResetAnglesBtnClick(); };
  RunBtn->OnClick = [this](QObject*) { RunBtnClick(); };
  StepBtn->OnClick = [this](QObject*) { Timer1Timer(); };
  LiftPenBtn->OnClick = [this](QObject*) { LiftPenBtnClick(); };
  ClearBtn->OnClick = [this](QObject*) { ClearBtnClick(); };
  BackColorBtn->OnClick = [this](QObject*) { BackColorBtnClick(); };
  ResetZoomBtn->OnClick = [this](QObject*) { ResetZoomBtnClick(); };
  Image2->OnMouseDown = [this](Qt::MouseButton Button, QPoint Pos) { Image2MouseDown(Button, Pos); };
  Image1->OnResize = [this] { Splitter2Moved(); };
  connect(Timer1, &QTimer::timeout, this, [this] { InvokeGuarded([this] { Timer1Timer(); }); });
  BindMenuHandlers();
  BindPatternHandlers();
}

void TForm1::Circle1BarChange() {
  SetSpinFromBar(Circle1Spin, Circle1Bar);
  RefreshMechanism();
  if (CircleLockBtn->Down()) Circle2Spin->SetValue(Circle1Spin->Value());
}

void TForm1::Circle1SpinChange() {
  Circle1Bar->SetRealPos(Circle1Spin->Value());
  RefreshMechanism();
  if (CircleLockBtn->Down()) Circle2Spin->SetValue(Circle1Spin->Value());
}

void TForm1::Circle2BarChange() {
  SetSpinFromBar(Circle2Spin, Circle2Bar);
  RefreshMechanism();
  if (CircleLockBtn->Down()) Circle1Spin->SetValue(Circle2Spin->Value());
}

void TForm1::Circle2SpinChange() {
  Circle2Bar->SetRealPos(Circle2Spin->Value());
  RefreshMechanism();
  if (CircleLockBtn->Down()) Circle1Spin->SetValue(Circle2Spin->Value());
}

void TForm1::RPM1BarChange() {
  SetSpinFromBar(RPM1Spin, RPM1Bar);
  if (RPMLockBtn->Down()) RPM2Spin->SetValue(RPM1Spin->Value());
}

void TForm1::RPM1SpinChange() {
  RPM1Bar->SetRealPos(RPM1Spin->Value());
  if (RPMLockBtn->Down()) RPM2Spin->SetValue(RPM1Spin->Value());
}

void TForm1::RPM2BarChange() {
  SetSpinFromBar(RPM2Spin, RPM2Bar);
  if (RPMLockBtn->Down()) RPM1Spin->SetValue(RPM2Spin->Value());
}

void TForm1::RPM2SpinChange() {
  RPM2Bar->SetRealPos(RPM2Spin->Value());
  if (RPMLockBtn->Down()) RPM1Spin->SetValue(RPM2Spin->Value());
}

void TForm1::CircleLockBtnClick() {
  if (CircleLockBtn->Down()) Circle2Spin->SetValue(Circle1Spin->Value());
}

void TForm1::RPMLockBtnClick() {
  if (RPMLockBtn->Down()) RPM2Spin->SetValue(RPM1Spin->Value());
}

void TForm1::ModeRadioClick() { RefreshMechanism(); }

void TForm1::MechanismRadioClick() { RefreshMechanism(); }

void TForm1::SetAnglesBtnClick() {
  ReadTickSettings();
  Sim.SetAngles(Angle1Spin->Value(), Angle2Spin->Value(), Angle1ASpin->Value(), Angle2ASpin->Value());
}

void TForm1::ResetAnglesBtnClick() {
  Angle1Spin->SetValue(0);
  Angle2Spin->SetValue(0);
  Angle1ASpin->SetValue(0);
  Angle2ASpin->SetValue(0);
}

void TForm1::RunBtnClick() {
  if (RunBtn->Down())
    Timer1->start();
  else
    Timer1->stop();
}

void TForm1::LiftPenBtnClick() {
  Sim.LiftPen();
  RunBtn->SetDown(false);
  Timer1->stop();
}

void TForm1::ClearBtnClick() {
  Sim.ClearFigure(MarkCenterChecked());
  RepaintFigure();
}

void TForm1::BackColorBtnClick() {
  ColorDialog1->setCurrentColor(ToQColor(Sim.BackColor));
  if (ColorDialog1->exec() != QDialog::Accepted) return;
  // Used from the next Clear Figure on; the figure keeps its background until then.
  Sim.BackColor = FromQColor(ColorDialog1->selectedColor());
}

void TForm1::ResetZoomBtnClick() {
  ScaleSpin->SetValue(1);
  OffXSpin->SetValue(0);
  OffYSpin->SetValue(0);
}

void TForm1::Image2MouseDown(Qt::MouseButton, QPoint Pos) {
  if (!ClickOffBtn->Down()) return;
  const QPoint C(Image2->width() / 2, Image2->height() / 2);
  OffXSpin->SetValue(Pos.x() - C.x());
  OffYSpin->SetValue(Pos.y() - C.y());
  ClickOffBtn->SetDown(false);
}

void TForm1::Splitter2Moved() {
  const QSize Size = Image1->size();
  if (Size.isEmpty() || (Size.width() == Sim.MechanismImage.Width() && Size.height() == Sim.MechanismImage.Height()))
    return;
  Sim.MechanismImage.SetSize(Size.width(), Size.height());
  RefreshMechanism();
  Image1->update();
}

}  // namespace trochodraw
