#pragma once

#include <QFrame>

namespace trochodraw {

// A horizontal progress gauge: a bar filled to Progress of MaxValue, with the whole
// percentage and a percent sign written across it.
class TGauge : public QFrame {
  Q_OBJECT

 public:
  explicit TGauge(QWidget* Parent = nullptr);

  int MinValue() const { return FMinValue; }
  int MaxValue() const { return FMaxValue; }
  void SetMaxValue(int Value);
  int Progress() const { return FProgress; }
  // Clamped into MinValue..MaxValue.
  void SetProgress(int Value);
  int PercentDone() const;
  QString Text() const { return QString::number(PercentDone()) + "%"; }

 protected:
  void paintEvent(QPaintEvent* Event) override;

 private:
  int FMinValue = 0;
  int FMaxValue = 100;
  int FProgress = 0;
};

}  // namespace trochodraw
