#include "controls/radio_group_widget.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>
#include <algorithm>

#include "controls/application_error.h"

namespace trochodraw {

TRadioGroup::TRadioGroup(QWidget* Parent) : QGroupBox(Parent) {
  FLayout = new QGridLayout(this);
  FLayout->setContentsMargins(6, 2, 6, 2);
  FLayout->setHorizontalSpacing(8);
  FLayout->setVerticalSpacing(0);
  FGroup = new QButtonGroup(this);
  FGroup->setExclusive(true);
}

void TRadioGroup::SetItems(const QStringList& Items) {
  FItems = Items;
  Rebuild();
}

void TRadioGroup::SetColumns(int Value) {
  FColumns = std::max(1, Value);
  Rebuild();
}

QRadioButton* TRadioGroup::Button(int Index) const {
  return Index >= 0 && Index < static_cast<int>(FButtons.size()) ? FButtons[static_cast<size_t>(Index)] : nullptr;
}

void TRadioGroup::Rebuild() {
  for (QRadioButton* B : FButtons) delete B;
  FButtons.clear();
  const int Count = static_cast<int>(FItems.size());
  const int Rows = (Count + FColumns - 1) / FColumns;
  for (int i = 0; i < Count; ++i) {
    auto* B = new QRadioButton(FItems[i], this);
    B->setObjectName(objectName() + QString::number(i));
    FGroup->addButton(B, i);
    // Items run down the first column, then the next, as the toolkit places them.
    FLayout->addWidget(B, Rows ? i % Rows : 0, Rows ? i / Rows : 0);
    connect(B, &QRadioButton::toggled, this, [this, i](bool Checked) { ButtonToggled(i, Checked); });
    FButtons.push_back(B);
  }
  if (FItemIndex >= Count) FItemIndex = -1;
  FUpdating = true;
  if (QRadioButton* B = Button(FItemIndex)) B->setChecked(true);
  FUpdating = false;
}

void TRadioGroup::SetItemIndex(int Value) {
  const int Count = static_cast<int>(FButtons.size());
  if (Value >= Count) Value = Count - 1;
  if (Value < 0) Value = -1;
  if (Value == FItemIndex) return;
  FUpdating = true;
  if (Value < 0) {
    FGroup->setExclusive(false);
    if (QRadioButton* B = Button(FItemIndex)) B->setChecked(false);
    FGroup->setExclusive(true);
  } else {
    Button(Value)->setChecked(true);
  }
  FUpdating = false;
  FItemIndex = Value;
  if (OnClick) OnClick(this);
}

void TRadioGroup::ButtonToggled(int Index, bool Checked) {
  if (FUpdating || !Checked || Index == FItemIndex) return;
  FItemIndex = Index;
  if (OnClick) InvokeGuarded([this] { OnClick(this); });
}

}  // namespace trochodraw
