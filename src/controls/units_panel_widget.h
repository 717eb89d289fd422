#pragma once

#include <QWidget>

namespace trochodraw {

// The units label of a spin edit: a raised panel with its caption centred, black while
// enabled and grey when disabled.
class TDisPanel : public QWidget {
  Q_OBJECT

 public:
  explicit TDisPanel(QWidget* Parent = nullptr);

  QString Caption() const { return FCaption; }
  void SetCaption(const QString& Value);
  // The caption's colour in the current enabled state.
  QColor TextColor() const;

 protected:
  void paintEvent(QPaintEvent* Event) override;
  void changeEvent(QEvent* Event) override;

 private:
  QString FCaption;
};

}  // namespace trochodraw
