#pragma once

#include <QDialog>
#include <memory>
#include <string>
#include <thread>

#include "vector/export_drawing.h"
#include "vector/export_options.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QLabel;
class QTimer;

namespace trochodraw {

// File > Export Drawing...: the drawing's file (SVG, PDF, HPGL or G-code by its extension), the
// plotter options and, for a plotter page, the plot statistics, worked out on a thread of
// their own from a snapshot of the record. The dialog only gathers the options; the export
// itself is the caller's.
class TExportDrawingDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TExportDrawingDialog(QWidget* Parent = nullptr);
  ~TExportDrawingDialog() override;

  // The strokes to be exported (a snapshot nothing else changes) and how they compare with one
  // period of the figure: a record longer than a period is cut to one by default.
  void SetRecord(std::shared_ptr<const TStrokeRecord> Record, const TPeriodCut& Cut);
  // The statistics shown now ("" while they are worked out or when there are none).
  QString StatisticsText() const;

  std::string FileName() const;
  void SetFileName(const QString& Name);
  // Throws EDrawingError when the page size text names no page.
  TExportOptions Options() const;

 private:
  void Browse();
  void UpdateEnabled();
  void AcceptIfValid();
  void OptionsChanged();
  void Estimate();
  void Estimated(uint64_t Generation, const QString& Text);
  bool PlotterPage() const;

  QLineEdit* FileEdit;
  QCheckBox* PlotterChk;
  QComboBox* PageCombo;
  QLineEdit* CustomPageEdit;
  QDoubleSpinBox* MarginSpin;
  QDoubleSpinBox* SimplifySpin;
  QDoubleSpinBox* ReinkSpin;
  QDoubleSpinBox* PenSpeedSpin;
  QDoubleSpinBox* TravelSpeedSpin;
  QLineEdit* PenUpEdit;
  QLineEdit* PenDownEdit;
  QCheckBox* OnePeriodChk;
  QLabel* StatsLabel;
  QLabel* ErrorLabel;
  QTimer* EstimateTimer;

  std::shared_ptr<const TStrokeRecord> FRecord;
  TPeriodCut FCut;
  // One estimate at a time; a newer request waits for it, and only the newest is shown.
  std::thread FWorker;
  uint64_t FGeneration = 0;
  bool FBusy = false;
  bool FPending = false;
};

}  // namespace trochodraw
