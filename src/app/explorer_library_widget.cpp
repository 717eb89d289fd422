#include "app/explorer_library_widget.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdio>

#include "app/explorer_window.h"
#include "app/main_window.h"
#include "app/pattern_sharing_dialog.h"
#include "controls/application_error.h"

namespace trochodraw {

namespace {

const QSize kPicture(200, 150);
// How often the tab looks whether the library or the colours changed while it is shown.
constexpr int kWatchMilliseconds = 500;

// Every value a picture depends on, exactly.
std::string PatternKey(const TPattern& P) {
  char buf[512];
  std::snprintf(buf, sizeof buf, "%d %d %a %a %a %a %a %a %a %a %a %a %a", P.ArmMode, P.PlanetMode, P.Radius1,
                P.Radius2, P.RPM1, P.RPM2, P.Scale, P.OffsetX, P.OffsetY, P.Angle1, P.Angle2, P.Angle1A, P.Angle2A);
  return buf;
}

std::string OptionsKey(const TThumbnailOptions& O) {
  const TLineColorSettings& l = O.Lines;
  char buf[512];
  std::snprintf(buf, sizeof buf, "%d %d %d %d %d %llu %d %u %u %u %d %d %d %d %u %d", O.Width, O.Height, O.FigureWidth,
                O.FigureHeight, O.MechanismWidth, static_cast<unsigned long long>(O.MaxTicks), static_cast<int>(l.Mode),
                l.SingleColor, l.StartColor, l.EndColor, l.StepSpin, l.PixelRange, l.PixelOffset, l.PenWidth,
                O.Background, O.Antialias ? 1 : 0);
  return buf;
}

}  // namespace

TExplorerLibrary::TExplorerLibrary(TForm1& Main, QWidget* Parent) : QWidget(Parent), Batch(this), FMain(Main) {
  setObjectName("LibraryTab");
  auto* layout = new QVBoxLayout(this);
  LibraryList = new QListWidget(this);
  LibraryList->setObjectName("LibraryList");
  LibraryList->setViewMode(QListView::IconMode);
  LibraryList->setIconSize(kPicture);
  LibraryList->setGridSize(QSize(kPicture.width() + 16, kPicture.height() + 30));
  LibraryList->setResizeMode(QListView::Adjust);
  LibraryList->setMovement(QListView::Static);
  LibraryList->setUniformItemSizes(true);
  LibraryList->setSelectionMode(QAbstractItemView::ExtendedSelection);
  LibraryList->setToolTip("Click: use the pattern. Double click: use it and draw its whole figure.");
  layout->addWidget(LibraryList, 1);

  auto* bottom = new QHBoxLayout;
  FProgress = new TBatchProgress(this, Batch);
  bottom->addWidget(FProgress, 1);
  ExportSelectedBtn = new QPushButton("E&xport Selected...", this);
  ExportSelectedBtn->setObjectName("ExportSelectedBtn");
  bottom->addWidget(ExportSelectedBtn);
  layout->addLayout(bottom);

  connect(&Batch, &TThumbnailBatch::ThumbnailReady, this,
          [this](int Index, const TThumbnailResult& R) { PictureReady(Index, R); });
  connect(LibraryList, &QListWidget::itemClicked, this, [this](QListWidgetItem* Item) {
    // Ctrl and Shift clicks only select, for exporting.
    if (QApplication::keyboardModifiers() == Qt::NoModifier)
      InvokeGuarded([this, Item] { ItemClicked(LibraryList->row(Item)); });
  });
  connect(LibraryList, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* Item) {
    InvokeGuarded([this, Item] { ItemDoubleClicked(LibraryList->row(Item)); });
  });
  connect(LibraryList, &QListWidget::itemSelectionChanged, this,
          [this] { ExportSelectedBtn->setEnabled(!LibraryList->selectedItems().isEmpty()); });
  connect(ExportSelectedBtn, &QPushButton::clicked, this,
          [this] { ExportPatternsWithDialog(FMain, SelectedPatterns(), "Export Selected Patterns"); });
  ExportSelectedBtn->setEnabled(false);
  FWatch = new QTimer(this);
  FWatch->setInterval(kWatchMilliseconds);
  connect(FWatch, &QTimer::timeout, this, [this] {
    if (isVisible()) Refresh();
  });
  FWatch->start();
}

void TExplorerLibrary::Refresh() {
  const TThumbnailOptions o = TExplorerWindow::ThumbnailOptions(FMain);
  std::string signature = OptionsKey(o);
  for (const TPattern& p : FMain.Patterns.List()) signature += "\n" + PatternKey(p) + " " + p.Name;
  if (signature == FSignature) return;
  FSignature = std::move(signature);
  Rebuild();
}

void TExplorerLibrary::Rebuild() {
  const TThumbnailOptions o = TExplorerWindow::ThumbnailOptions(FMain);
  const std::string optionsKey = OptionsKey(o);
  if (optionsKey != FOptionsKey) FDrawn.clear();
  FOptionsKey = optionsKey;
  const TPatternArray& list = FMain.Patterns.List();
  std::vector<TThumbnailBatch::TJob> jobs;
  FJobRows.clear();
  LibraryList->clear();
  const QPixmap pending = PendingPicture(kPicture, o.Background, "drawing...");
  for (size_t i = 0; i < list.size(); ++i) {
    auto* item = new QListWidgetItem(QString::fromStdString(list[i].Name), LibraryList);
    const auto drawn = FDrawn.find(PatternKey(list[i]));
    if (drawn != FDrawn.end()) {
      item->setIcon(QIcon(QPixmap::fromImage(drawn->second)));
    } else {
      item->setIcon(QIcon(pending));
      jobs.push_back(TThumbnailBatch::RenderJob(list[i], o));
      FJobRows.push_back(static_cast<int>(i));
    }
  }
  Batch.Start(std::move(jobs));
  FProgress->Show(0, Batch.Total());
}

void TExplorerLibrary::PictureReady(int Index, const TThumbnailResult& Result) {
  if (Index < 0 || Index >= static_cast<int>(FJobRows.size()) || Result.Image.isNull()) return;
  FDrawn[PatternKey(Result.Pattern)] = Result.Image;
  if (QListWidgetItem* item = LibraryList->item(FJobRows[static_cast<size_t>(Index)]))
    item->setIcon(QIcon(QPixmap::fromImage(Result.Image)));
}

TPatternArray TExplorerLibrary::SelectedPatterns() const {
  TPatternArray out;
  const TPatternArray& list = FMain.Patterns.List();
  for (int i = 0; i < LibraryList->count() && i < static_cast<int>(list.size()); ++i)
    if (LibraryList->item(i)->isSelected()) out.push_back(list[static_cast<size_t>(i)]);
  return out;
}

void TExplorerLibrary::ItemClicked(int Index) {
  if (Index < 0 || Index >= static_cast<int>(FMain.Patterns.List().size())) return;
  ApplyLibraryPattern(FMain, Index);
}

void TExplorerLibrary::ItemDoubleClicked(int Index) {
  if (Index < 0 || Index >= static_cast<int>(FMain.Patterns.List().size())) return;
  ApplyLibraryPattern(FMain, Index);
  // The whole figure on its own, as the picture shows it.
  FMain.ClearBtnClick();
  FMain.CompleteFigure1Click();
}

}  // namespace trochodraw
