#pragma once

#include <QFrame>

#include "render/color.h"

namespace trochodraw {

// A sunken panel filled with one colour: the dialogs' colour displays.
class TColorPanel : public QFrame {
  Q_OBJECT

 public:
  explicit TColorPanel(QWidget* Parent = nullptr);

  TColor Color() const { return FColor; }
  void SetColor(TColor Value);

 protected:
  void paintEvent(QPaintEvent* Event) override;

 private:
  TColor FColor = clBlack;
};

}  // namespace trochodraw
