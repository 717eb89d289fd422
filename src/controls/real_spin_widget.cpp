#include "controls/real_spin_widget.h"

namespace trochodraw {

TRealSpin::TRealSpin(QWidget* Parent)
    : TCustomSpin(std::make_unique<TRealSpinValue>(), Parent), FRules(static_cast<TRealSpinValue*>(&Rules())) {
  FRules->OnIncrement = [this](bool Inc, double& V) {
    if (OnIncrement) OnIncrement(this, Inc, V);
  };
}

TRealSpin::~TRealSpin() = default;

void TRealSpin::SeparatorsChanged(const TFormatSettings& Separators) { FRules->SetRegionalSettings(Separators); }

}  // namespace trochodraw
