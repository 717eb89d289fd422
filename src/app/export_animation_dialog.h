#pragma once

#include <QDialog>
#include <QImage>
#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "animation/animation_job.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QThread;
class QTimer;

namespace trochodraw {

class TForm1;

// Figure > Export Animation...: the machine drawing a fresh figure from the window's settings,
// written as GIF, WebP or MP4. Not modal: the preview and the export run on worker threads, each
// with a machine of its own, so the window goes on running while they work.
class TExportAnimationDialog : public QDialog {
  Q_OBJECT

 public:
  // Start tells the window's settings at the moment of asking.
  explicit TExportAnimationDialog(std::function<TFigureStart()> Start, QWidget* Parent = nullptr);
  ~TExportAnimationDialog() override;

  // Shows the dialog with the window's settings as they are now.
  void ShowForFigure();
  void SetFileName(const QString& Name);
  // The options and the run length as the controls say; EAnimationError when they make none.
  TAnimationOptions Options() const;
  TSpanTicks Span() const;
  bool Exporting() const { return FExportThread != nullptr; }
  bool PreviewReady() const { return !FFirst.isNull() && !FPreviewThread; }
  const QImage& FirstFrame() const { return FFirst; }
  const QImage& LastFrame() const { return FLast; }

  // Starts the export (what the Export button does); false when the settings make none, with
  // the reason shown in the dialog.
  bool StartExport();
  void CancelExport();

 Q_SIGNALS:
  // The export ended: Ok, or cancelled, or failed with Message.
  void ExportEnded(bool Ok, bool Cancelled, const QString& Message);

 protected:
  void closeEvent(QCloseEvent* Event) override;

 private:
  void Browse();
  void SettingsChanged();
  void UpdateSize();
  void StartPreview();
  void StopPreview();
  void ExportProgress(int Done, int Total);
  void ExportFinished(bool Ok, bool Cancelled, const QString& Message);
  void SetExporting(bool On);

  std::function<TFigureStart()> FStart;
  TFigureStart FSnapshot;

  QLineEdit* FileEdit;
  QComboBox* ContentCombo;
  QSpinBox* WidthSpin;
  QLabel* SizeLabel;
  QSpinBox* FpsSpin;
  QDoubleSpinBox* DurationSpin;
  QCheckBox* WholeFigureChk;
  QLabel* SpanLabel;
  QSpinBox* QualitySpin;
  QLabel* FirstFrameLabel;
  QLabel* LastFrameLabel;
  QLabel* PreviewStatus;
  QLabel* ErrorLabel;
  QProgressBar* ExportProgressBar;
  QPushButton* ExportBtn;
  QPushButton* CancelBtn;
  QPushButton* CloseBtn;
  QTimer* PreviewTimer;

  QImage FFirst, FLast;
  QThread* FPreviewThread = nullptr;
  std::shared_ptr<std::atomic<bool>> FPreviewCancel;
  uint64_t FPreviewGeneration = 0;
  QThread* FExportThread = nullptr;
  std::shared_ptr<std::atomic<bool>> FExportCancel;
};

// Adds Figure > Export Animation... to Menu, opening one dialog for the window.
void AddExportAnimationAction(TForm1& Form, QMenu* Menu);

}  // namespace trochodraw
