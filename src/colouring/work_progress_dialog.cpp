#include "colouring/work_progress_dialog.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <algorithm>

namespace trochodraw {

namespace {

// How often the windows are repainted while the work goes on.
constexpr int kPumpInterval = 40;  // milliseconds

}  // namespace

TWorkProgress::TWorkProgress(QWidget* Parent, const QString& Caption, const QString& Label, int Delay)
    : FParent(Parent), FCaption(Caption), FLabel(Label), FDelay(std::max(Delay, 0)) {
  FClock.start();
}

TWorkProgress::~TWorkProgress() { delete FDialog; }

void TWorkProgress::Step(int Percent) {
  if (!FDialog) {
    if (FClock.elapsed() < FDelay) return;
    auto* box = new QProgressDialog(FLabel, QString(), 0, 100, FParent);
    box->setObjectName("WorkProgress");
    box->setWindowTitle(FCaption);
    // No Cancel: the work cannot stop halfway without leaving a half-done picture.
    box->setCancelButton(nullptr);
    box->setMinimumDuration(0);
    box->setAutoClose(false);
    box->setAutoReset(false);
    box->setWindowModality(Qt::NonModal);
    FDialog = box;
    FDialog->setValue(std::clamp(Percent, 0, 100));
    FDialog->show();
    FDialog->raise();
    Pump();
    return;
  }
  FDialog->setValue(std::clamp(Percent, 0, 100));
  if (FSincePump.elapsed() >= kPumpInterval) Pump();
}

void TWorkProgress::Pump() {
  FSincePump.start();
  // Paint and expose events only: input waits, and timers (the simulation's ticks among
  // them) fire once the work is done.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::X11ExcludeTimers);
}

}  // namespace trochodraw
