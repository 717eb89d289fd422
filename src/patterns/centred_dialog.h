#pragma once

#include <QDialog>

namespace trochodraw {

// A dialog placed at the centre of its screen the first time it is shown; later showings
// keep wherever the user moved it.
class TCentredDialog : public QDialog {
  Q_OBJECT

 public:
  using QDialog::QDialog;

 protected:
  void showEvent(QShowEvent* Event) override;

 private:
  bool FPlaced = false;
};

}  // namespace trochodraw
