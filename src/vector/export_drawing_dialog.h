#pragma once

#include <QDialog>
#include <string>

#include "vector/export_options.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QLabel;

namespace trochodraw {

// File > Export Drawing...: the drawing's file (SVG or PDF by its extension) and the plotter
// options. The dialog only gathers them; the export itself is the caller's.
class TExportDrawingDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TExportDrawingDialog(QWidget* Parent = nullptr);

  std::string FileName() const;
  void SetFileName(const QString& Name);
  // Throws EDrawingError when the page size text names no page.
  TExportOptions Options() const;

 private:
  void Browse();
  void UpdateEnabled();
  void AcceptIfValid();

  QLineEdit* FileEdit;
  QCheckBox* PlotterChk;
  QComboBox* PageCombo;
  QLineEdit* CustomPageEdit;
  QDoubleSpinBox* MarginSpin;
  QDoubleSpinBox* SimplifySpin;
  QLabel* ErrorLabel;
};

}  // namespace trochodraw
