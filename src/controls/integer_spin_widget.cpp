#include "controls/integer_spin_widget.h"

namespace trochodraw {

TIntegerSpin::TIntegerSpin(QWidget* Parent)
    : TCustomSpin(std::make_unique<TIntegerSpinValue>(), Parent), FRules(static_cast<TIntegerSpinValue*>(&Rules())) {
  FRules->OnIncrement = [this](bool Inc, int64_t& V) {
    if (OnIncrement) OnIncrement(this, Inc, V);
  };
}

TIntegerSpin::~TIntegerSpin() = default;

}  // namespace trochodraw
