#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>
#include <QString>

class QWidget;

namespace trochodraw {

// Progress of a long piece of work done on the user-interface thread. Nothing shows for
// work that ends within Delay milliseconds; after that a progress box shows the percentage,
// and the windows keep being painted. User input and timers wait until the work is done, so
// no handler and no simulation tick runs in the middle of it.
class TWorkProgress {
 public:
  TWorkProgress(QWidget* Parent, const QString& Caption, const QString& Label, int Delay = 500);
  ~TWorkProgress();
  TWorkProgress(const TWorkProgress&) = delete;
  TWorkProgress& operator=(const TWorkProgress&) = delete;

  // A whole percentage of the work done.
  void Step(int Percent);

  // The progress box, once it is shown.
  QProgressDialog* Dialog() const { return FDialog; }

 private:
  void Pump();

  QWidget* FParent;
  QString FCaption;
  QString FLabel;
  int FDelay;
  QElapsedTimer FClock;
  QElapsedTimer FSincePump;
  QPointer<QProgressDialog> FDialog;
};

}  // namespace trochodraw
