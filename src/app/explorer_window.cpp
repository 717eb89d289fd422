#include "app/explorer_window.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/explorer_library_widget.h"
#include "app/explorer_surprise_widget.h"
#include "app/explorer_variations_widget.h"
#include "app/main_window.h"
#include "colouring/coloring_dialog.h"

namespace trochodraw {

TExplorerWindow::TExplorerWindow(TForm1& Main) : QWidget(&Main, Qt::Window) {
  setObjectName("ExplorerWindow");
  setWindowTitle("Explorer");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  Tabs = new QTabWidget(this);
  Tabs->setObjectName("ExplorerTabs");
  LibraryTab = new TExplorerLibrary(Main, Tabs);
  VariationsTab = new TExplorerVariations(Main, Tabs);
  SurpriseTab = new TExplorerSurprise(Main, Tabs);
  Tabs->addTab(LibraryTab, "&Library");
  Tabs->addTab(VariationsTab, "&Variations");
  Tabs->addTab(SurpriseTab, "&Surprise");
  layout->addWidget(Tabs);
  connect(Tabs, &QTabWidget::currentChanged, this, [this] { CurrentTabShown(); });
  resize(900, 640);
}

void TExplorerWindow::showEvent(QShowEvent* Event) {
  QWidget::showEvent(Event);
  CurrentTabShown();
}

void TExplorerWindow::CurrentTabShown() {
  // Each tab draws its pictures when it is first looked at, not before.
  if (Tabs->currentWidget() == LibraryTab) LibraryTab->Refresh();
  if (Tabs->currentWidget() == VariationsTab) VariationsTab->Shown();
  if (Tabs->currentWidget() == SurpriseTab) SurpriseTab->Shown();
}

TThumbnailOptions TExplorerWindow::ThumbnailOptions(TForm1& Main) {
  Main.ReadTickSettings();
  TThumbnailOptions o;
  o.FigureWidth = Main.Sim.FigureImage.Width();
  o.FigureHeight = Main.Sim.FigureImage.Height();
  o.MechanismWidth = Main.Sim.Settings.Machine.MechanismWidth;
  o.Antialias = Main.Sim.Settings.Antialias;
  o.Lines = LineColoringState().Settings;
  o.Background = Main.Sim.BackColor;
  return o;
}

QAction* AddExplorerMenuItem(TForm1& Main, QMenu& Menu) {
  QAction* action = Menu.addAction("&Explorer...");
  action->setObjectName("Explorer1");
  QObject::connect(action, &QAction::triggered, &Main, [&Main] {
    TExplorerWindow* w = FindExplorer(Main);
    if (!w) w = new TExplorerWindow(Main);
    w->show();
    w->raise();
    w->activateWindow();
  });
  return action;
}

TExplorerWindow* FindExplorer(TForm1& Main) {
  return Main.findChild<TExplorerWindow*>("ExplorerWindow", Qt::FindDirectChildrenOnly);
}

void ApplyLibraryPattern(TForm1& Main, int Index) {
  if (Index < Main.PatternCombo->count()) {
    const QSignalBlocker block(Main.PatternCombo);
    Main.PatternCombo->setCurrentIndex(Index);
  }
  Main.PatternComboSelect(Index);
}

void ApplyOtherPattern(TForm1& Main, const TPattern& P) {
  Main.ApplyPattern(P);
  Main.PatternApplied();
}

QToolButton* NewPictureButton(QWidget* Parent, const QSize& Size) {
  auto* b = new QToolButton(Parent);
  b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  b->setIconSize(Size);
  b->setAutoRaise(true);
  b->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
  return b;
}

QPixmap PendingPicture(const QSize& Size, TColor Background, const QString& Text) {
  QPixmap p(Size);
  p.fill(QColor::fromRgb(ColorToARGB(Background)));
  QPainter painter(&p);
  painter.setPen(Qt::gray);
  painter.drawRect(0, 0, Size.width() - 1, Size.height() - 1);
  painter.drawText(QRect(QPoint(0, 0), Size), Qt::AlignCenter, Text);
  return p;
}

TBatchProgress::TBatchProgress(QWidget* Parent, TThumbnailBatch& Batch) : QWidget(Parent) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  FLabel = new QLabel(this);
  FBar = new QProgressBar(this);
  FBar->setTextVisible(false);
  FBar->setMaximumWidth(200);
  FStop = new QPushButton("S&top", this);
  FStop->setObjectName("StopBtn");
  layout->addWidget(FLabel, 1);
  layout->addWidget(FBar);
  layout->addWidget(FStop);
  connect(&Batch, &TThumbnailBatch::Progress, this, [this](int Done, int Total) { Show(Done, Total); });
  connect(FStop, &QPushButton::clicked, this, [this, &Batch] {
    const int done = Batch.Done(), total = Batch.Total();
    Batch.Cancel();
    FLabel->setText(QString("Stopped after %1 of %2").arg(done).arg(total));
    FBar->hide();
    FStop->hide();
  });
  Show(0, 0);
}

void TBatchProgress::Show(int Done, int Total) {
  const bool busy = Done < Total;
  FLabel->setText(busy ? QString("Drawing %1 of %2...").arg(Done + 1).arg(Total) : QString());
  FBar->setRange(0, std::max(Total, 1));
  FBar->setValue(Done);
  FBar->setVisible(busy);
  FStop->setVisible(busy);
}

}  // namespace trochodraw
