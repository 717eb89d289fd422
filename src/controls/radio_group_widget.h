#pragma once

#include <QGroupBox>
#include <QStringList>
#include <vector>

#include "controls/control_events.h"

class QButtonGroup;
class QGridLayout;
class QRadioButton;

namespace trochodraw {

// The toolkit's radio group: a captioned box of radio buttons in columns with one item index.
// OnClick runs whenever the index changes, by a click or by assignment.
class TRadioGroup : public QGroupBox {
  Q_OBJECT

 public:
  explicit TRadioGroup(QWidget* Parent = nullptr);

  void SetItems(const QStringList& Items);
  QStringList Items() const { return FItems; }
  int Columns() const { return FColumns; }
  void SetColumns(int Value);

  int ItemIndex() const { return FItemIndex; }
  // An index beyond the last item selects the last; below 0 selects none.
  void SetItemIndex(int Value);

  QRadioButton* Button(int Index) const;

  TNotifyEvent OnClick;

 private:
  void Rebuild();
  void ButtonToggled(int Index, bool Checked);

  QStringList FItems;
  int FColumns = 1;
  int FItemIndex = -1;
  bool FUpdating = false;
  QGridLayout* FLayout = nullptr;
  QButtonGroup* FGroup = nullptr;
  std::vector<QRadioButton*> FButtons;
};

}  // namespace trochodraw
