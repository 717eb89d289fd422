// The main window's side of the pattern library: capturing and applying a pattern, the
// Saved Patterns list and the Save Pattern button.
#include <QComboBox>
#include <QInputDialog>
#include <QLineEdit>

#include "app/main_window.h"
#include "controls/application_error.h"
#include "controls/fancy_button.h"
#include "controls/radio_group_widget.h"
#include "controls/real_spin_widget.h"

namespace trochodraw {

void TForm1::BindPatternHandlers() {
  Patterns.OnComboChanged = [this] { UpdatePatternCombo(); };
  SavePatternBtn->OnClick = [this](QObject*) { SavePatternBtnClick(); };
  connect(PatternCombo, &QComboBox::activated, this,
          [this](int Index) { InvokeGuarded([this, Index] { PatternComboSelect(Index); }); });
  connect(PatternCombo->lineEdit(), &QLineEdit::textEdited, this,
          [this](const QString& Text) { InvokeGuarded([this, &Text] { PatternComboEdited(Text); }); });
}

TPattern TForm1::CapturePattern() {
  TPattern P;
  P.ArmMode = static_cast<uint8_t>(std::max(MechanismRadio->ItemIndex(), 0));
  P.PlanetMode = static_cast<uint8_t>(std::max(ModeRadio->ItemIndex(), 0));
  P.Radius1 = Circle1Spin->Value();
  P.Radius2 = Circle2Spin->Value();
  P.RPM1 = RPM1Spin->Value();
  P.RPM2 = RPM2Spin->Value();
  P.Scale = ScaleSpin->Value();
  P.OffsetX = OffXSpin->Value();
  P.OffsetY = OffYSpin->Value();
  // The wheels' own angles, wherever running has brought them.
  P.Angle1 = Sim.Machine.Wheel1.Angle;
  P.Angle2 = Sim.Machine.Wheel2.Angle;
  P.Angle1A = Sim.Machine.Planet1.Angle;
  P.Angle2A = Sim.Machine.Planet2.Angle;
  return P;
}

void TForm1::ApplyPattern(const TPattern& P) {
  // Each through the control's own setter, so that its handlers run, locks included.
  Circle1Spin->SetValue(P.Radius1);
  Circle2Spin->SetValue(P.Radius2);
  RPM1Spin->SetValue(P.RPM1);
  RPM2Spin->SetValue(P.RPM2);
  MechanismRadio->SetItemIndex(P.ArmMode);
  ModeRadio->SetItemIndex(P.PlanetMode);
  ScaleSpin->SetValue(P.Scale);
  OffXSpin->SetValue(P.OffsetX);
  OffYSpin->SetValue(P.OffsetY);
  Angle1Spin->SetValue(P.Angle1);
  Angle2Spin->SetValue(P.Angle2);
  Angle1ASpin->SetValue(P.Angle1A);
  Angle2ASpin->SetValue(P.Angle2A);
}

void TForm1::PatternApplied() {
  SetAnglesBtnClick();
  RefreshMechanism();
}

void TForm1::UpdatePatternCombo() {
  const QSignalBlocker Block(PatternCombo);
  PatternCombo->clear();
  for (const std::string& Name : Patterns.ComboItems()) PatternCombo->addItem(QString::fromStdString(Name));
  PatternCombo->setCurrentIndex(Patterns.ComboIndex());
  FComboTyped.clear();
}

void TForm1::PatternComboSelect(int Index) {
  FComboTyped.clear();
  Patterns.PatternComboSelect(Index);
}

void TForm1::PatternComboEdited(const QString& Text) {
  // Deleting characters does not complete, or the typed text could never get shorter.
  const bool Deleting = Text.size() < FComboTyped.size() && FComboTyped.startsWith(Text);
  FComboTyped = Text;
  if (Deleting || Text.isEmpty()) return;
  const int Index = Patterns.ComboCompletion(Text.toStdString());
  if (Index < 0) return;
  const QString Full = PatternCombo->itemText(Index);
  const bool Other = Index != PatternCombo->currentIndex();
  if (Other) {
    const QSignalBlocker Block(PatternCombo);
    PatternCombo->setCurrentIndex(Index);
  }
  PatternCombo->lineEdit()->setText(Full);
  PatternCombo->lineEdit()->setSelection(static_cast<int>(Text.size()), static_cast<int>(Full.size() - Text.size()));
  if (Other) Patterns.PatternComboSelect(Index);
}

void TForm1::SavePatternBtnClick() {
  bool Ok = false;
  const QString Name =
      QInputDialog::getText(this, "Save Pattern", "Enter Pattern Name", QLineEdit::Normal, "New Pattern", &Ok);
  if (!Ok) return;
  Patterns.SavePattern(Name.toStdString());
}

}  // namespace trochodraw
