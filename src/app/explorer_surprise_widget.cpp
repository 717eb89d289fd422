#include "app/explorer_surprise_widget.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/explorer_window.h"
#include "app/main_window.h"
#include "controls/application_error.h"
#include "render/bitmap_qimage.h"

namespace trochodraw {

namespace {

const QSize kPicture(200, 150);
constexpr int kCount = 9;
// Seeds a person can read out and type again.
constexpr uint32_t kSeedLimit = 1000000000;

}  // namespace

TExplorerSurprise::TExplorerSurprise(TForm1& Main, QWidget* Parent) : QWidget(Parent), Batch(this), FMain(Main) {
  setObjectName("SurpriseTab");
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  auto* closes = new QLabel("&Closes within", this);
  MaxTicksSpin = new QSpinBox(this);
  MaxTicksSpin->setObjectName("MaxTicksSpin");
  MaxTicksSpin->setRange(1000, 1000000);
  MaxTicksSpin->setSingleStep(1000);
  MaxTicksSpin->setValue(static_cast<int>(TSurpriseConstraints{}.MaxTicks));
  MaxTicksSpin->setSuffix(" ticks");
  closes->setBuddy(MaxTicksSpin);
  AgainBtn = new QPushButton("&Again", this);
  AgainBtn->setObjectName("AgainBtn");
  SeedLabel = new QLabel(this);
  SeedLabel->setObjectName("SeedLabel");
  SeedLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
  top->addWidget(closes);
  top->addWidget(MaxTicksSpin);
  top->addWidget(AgainBtn);
  top->addStretch(1);
  top->addWidget(SeedLabel);
  layout->addLayout(top);

  auto* grid = new QGridLayout;
  for (int i = 0; i < kCount; ++i) {
    auto* cell = new QWidget(this);
    auto* v = new QVBoxLayout(cell);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    QToolButton* picture = NewPictureButton(cell, kPicture);
    picture->setObjectName(QString("SurpriseCell%1").arg(i));
    picture->setToolTip("Use this setting");
    auto* add = new QPushButton("Add to Library", cell);
    add->setObjectName(QString("AddToLibraryBtn%1").arg(i));
    v->addWidget(picture, 1);
    v->addWidget(add, 0, Qt::AlignHCenter);
    grid->addWidget(cell, i / 3, i % 3);
    Cells.push_back(picture);
    AddButtons.push_back(add);
    connect(picture, &QToolButton::clicked, this, [this, i] { InvokeGuarded([this, i] { CellClicked(i); }); });
    connect(add, &QPushButton::clicked, this, [this, i] { InvokeGuarded([this, i] { AddBtnClick(i); }); });
  }
  layout->addLayout(grid, 1);
  FProgress = new TBatchProgress(this, Batch);
  layout->addWidget(FProgress);
  connect(&Batch, &TThumbnailBatch::ThumbnailReady, this,
          [this](int Index, const TThumbnailResult& R) { Ready(Index, R); });
  connect(AgainBtn, &QPushButton::clicked, this, [this] { AgainBtnClick(); });
  FPatterns.assign(kCount, TPattern{});
  FMade.assign(kCount, false);
  for (QPushButton* add : AddButtons) add->setEnabled(false);
}

void TExplorerSurprise::Shown() {
  if (!FStarted) AgainBtnClick();
}

void TExplorerSurprise::AgainBtnClick() { Surprise(QRandomGenerator::global()->bounded(kSeedLimit)); }

void TExplorerSurprise::Surprise(uint64_t Seed) {
  FStarted = true;
  SeedLabel->setText(QString("Seed %1").arg(Seed));
  const TThumbnailOptions o = TExplorerWindow::ThumbnailOptions(FMain);
  TSurpriseConstraints c;
  c.MaxTicks = static_cast<uint64_t>(MaxTicksSpin->value());
  c.FigureWidth = o.FigureWidth;
  c.FigureHeight = o.FigureHeight;
  c.MechanismWidth = o.MechanismWidth;
  FPatterns.assign(kCount, TPattern{});
  FMade.assign(kCount, false);
  std::vector<TThumbnailBatch::TJob> jobs;
  for (int i = 0; i < kCount; ++i) {
    Cells[static_cast<size_t>(i)]->setIcon(QIcon(PendingPicture(kPicture, o.Background, "looking...")));
    Cells[static_cast<size_t>(i)]->setText(" ");
    AddButtons[static_cast<size_t>(i)]->setText("Add to Library");
    AddButtons[static_cast<size_t>(i)]->setEnabled(false);
    jobs.push_back([Seed, i, c, o](const std::atomic<bool>& Cancel) {
      TThumbnailResult r;
      r.Pattern = SurprisePattern(Seed, i, c, &Cancel);
      if (Cancel) return r;
      TThumbnail t = RenderThumbnail(r.Pattern, o, &Cancel);
      r.Figure = t.Figure;
      if (!t.Cancelled) r.Image = BitmapToQImage(t.Image);
      return r;
    });
  }
  Batch.Start(std::move(jobs));
  FProgress->Show(0, Batch.Total());
}

void TExplorerSurprise::Ready(int Index, const TThumbnailResult& Result) {
  if (Index < 0 || Index >= kCount) return;
  const auto i = static_cast<size_t>(Index);
  if (!Result.Error.empty()) {
    Cells[i]->setText(QString::fromStdString(Result.Error));
    return;
  }
  if (Result.Image.isNull()) return;
  FPatterns[i] = Result.Pattern;
  FMade[i] = true;
  Cells[i]->setIcon(QIcon(QPixmap::fromImage(Result.Image)));
  Cells[i]->setText(QString::fromStdString(Result.Pattern.Name));
  AddButtons[i]->setEnabled(true);
}

void TExplorerSurprise::CellClicked(int Index) {
  if (Index < 0 || Index >= kCount || !FMade[static_cast<size_t>(Index)]) return;
  ApplyOtherPattern(FMain, FPatterns[static_cast<size_t>(Index)]);
}

void TExplorerSurprise::AddBtnClick(int Index) {
  if (Index < 0 || Index >= kCount || !FMade[static_cast<size_t>(Index)]) return;
  FMain.Patterns.SaveNewPattern(FPatterns[static_cast<size_t>(Index)]);
  AddButtons[static_cast<size_t>(Index)]->setText("Added");
  AddButtons[static_cast<size_t>(Index)]->setEnabled(false);
}

}  // namespace trochodraw
