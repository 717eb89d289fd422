// The Figure menu and the status bar: when the figure closes, and drawing it whole.
#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <utility>

#include "app/export_animation_dialog.h"
#include "app/explorer_window.h"
#include "app/image_view_widget.h"
#include "app/main_window.h"
#include "controls/fancy_speed_button.h"
#include "controls/real_spin_widget.h"
#include "machine/figure_runner.h"

namespace trochodraw {

namespace {

// Ticks a second that Complete Figure draws on this kind of machine, for the warning before
// a long run; an estimate, not a promise.
constexpr double kCompleteTicksPerSecond = 500000.0;
constexpr double kLongRunSeconds = 60.0;
// A slice of ticks between two paints of the window.
constexpr qint64 kSliceMilliseconds = 40;
// The near closure offered before a long run: a search of a fraction of a second.
constexpr uint64_t kQuestionSearchSteps = 5'000'000;

QString Grouped(uint64_t N) { return QString::fromStdString(GroupedIntegerText(N)); }

QString RunTimeText(uint64_t Ticks) {
  const double s = static_cast<double>(Ticks) / kCompleteTicksPerSecond;
  if (s < 120) return QString("about %1 seconds").arg(std::max(1.0, std::round(s)));
  if (s < 7200) return QString("about %1 minutes").arg(std::round(s / 60));
  if (s < 172800) return QString("about %1 hours").arg(std::round(s / 3600));
  return QString("about %1 days").arg(Grouped(static_cast<uint64_t>(s / 86400)));
}

}  // namespace

void TForm1::BuildFigureMenu() {
  QMenu* Figure = menuBar()->addMenu("F&igure");
  Figure->setObjectName("Figure1");
  CompleteFigure1 = Figure->addAction("&Complete Figure");
  CompleteFigure1->setObjectName("CompleteFigure1");
  CompleteFigure1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return));
  CompleteFigure1->setShortcutContext(Qt::ApplicationShortcut);
  connect(CompleteFigure1, &QAction::triggered, this, [this] { CompleteFigure1Click(); });
  AddExportAnimationAction(*this, Figure);
  AddExplorerMenuItem(*this, *Figure);

  FigureStatusLabel = new QLabel(this);
  FigureStatusLabel->setObjectName("FigureStatusLabel");
  statusBar()->setObjectName("StatusBar1");
  statusBar()->addWidget(FigureStatusLabel, 1);
}

void TForm1::BindFigureStatus() {
  // The speeds and the scale change no picture of the machine, so their own handlers read
  // no settings; the status bar still has to follow them.
  for (TRealSpin* S : {RPM1Spin, RPM2Spin, ScaleSpin}) {
    S->OnChange = [this, Described = std::move(S->OnChange)](QObject* Sender) {
      if (Described) Described(Sender);
      ReadTickSettings();
    };
  }
}

void TForm1::FigureSettingsRead() {
  if (!FigureStatus.Changed(Sim.Settings)) return;
  FigureStatus.SetSettings(Sim.Settings);
  ShowFigureStatus();
}

void TForm1::ShowFigureStatus() {
  if (!FigureStatusLabel) return;
  const QString text = QString::fromStdString(FigureStatus.Text());
  if (FigureStatusLabel->text() != text) FigureStatusLabel->setText(text);
}

void TForm1::CompleteFigure1Click() {
  ReadTickSettings();
  const TFigurePeriod period = FigurePeriod(Sim.Settings);
  if (!period.Moves) {
    QMessageBox::information(this, "Complete Figure", "Nothing moves: both wheel speeds are 0.");
    return;
  }
  uint64_t ticks = period.Exact ? period.Ticks : 0;
  const double seconds = static_cast<double>(ticks) / kCompleteTicksPerSecond;
  if (!period.Exact || seconds > kLongRunSeconds) {
    const TNearClosure near = NearClosure(Sim.Settings, 0.5, UINT64_MAX, kQuestionSearchSteps);
    QMessageBox box(QMessageBox::Question, "Complete Figure", "", QMessageBox::Cancel, this);
    QString text = period.Exact ? QString("The whole figure takes %1 ticks, %2 at full speed.")
                                      .arg(Grouped(ticks), RunTimeText(ticks))
                                : QString("The whole figure takes more than 10^18 ticks.");
    QPushButton* nearBtn = nullptr;
    QPushButton* wholeBtn = nullptr;
    if (near.Found && (!period.Exact || near.Ticks < ticks)) {
      text += QString("\nIt looks closed after %1 ticks (every angle back within 0.5 degrees), %2.")
                  .arg(Grouped(near.Ticks), RunTimeText(near.Ticks));
      nearBtn = box.addButton("&Near Closure", QMessageBox::AcceptRole);
    }
    if (period.Exact) wholeBtn = box.addButton("&Whole Figure", QMessageBox::AcceptRole);
    box.setText(text);
    box.setDefaultButton(nearBtn ? nearBtn : wholeBtn);
    box.exec();
    if (nearBtn && box.clickedButton() == nearBtn)
      ticks = near.Ticks;
    else if (!wholeBtn || box.clickedButton() != wholeBtn)
      return;
  }
  RunFigureTicks(ticks);
}

void TForm1::RunFigureTicks(uint64_t Ticks) {
  QProgressDialog progress("Completing the figure...", "Cancel", 0, 1000, this);
  progress.setObjectName("CompleteFigureProgress");
  progress.setWindowTitle("Complete Figure");
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(400);
  progress.setAutoReset(false);
  progress.setValue(0);

  const bool running = Timer1->isActive();
  Timer1->stop();
  // The angle displays are shown once at the end; formatting them every tick would cost
  // more than the tick.
  auto anglesHook = std::exchange(Sim.OnAnglesUpdated, nullptr);
  TFigureRunner runner(Sim, Ticks);
  uint64_t slice = 64;
  QElapsedTimer clock;
  // A window closed meanwhile ends the run too: nothing would show what it draws.
  const bool shown = isVisible();
  while (!runner.Finished() && !progress.wasCanceled() && (!shown || isVisible())) {
    clock.start();
    runner.RunSlice(slice);
    const qint64 took = std::max<qint64>(clock.elapsed(), 1);
    // Aim each slice at a steady paint rate, whatever a tick costs.
    slice = std::clamp<uint64_t>(slice * kSliceMilliseconds / took, 16, 1u << 22);
    progress.setValue(static_cast<int>(runner.Done() * 1000 / std::max<uint64_t>(Ticks, 1)));
    RepaintFigure();
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  runner.Finish();
  Sim.OnAnglesUpdated = std::move(anglesHook);
  if (runner.Done() > 0) ShowAngleDisplays(Sim.Displays);
  FigureStatus.TicksRun(runner.Done(), Sim.Settings.Accelerate);
  ShowFigureStatus();
  RepaintFigure();
  if (running) Timer1->start();
}

}  // namespace trochodraw
