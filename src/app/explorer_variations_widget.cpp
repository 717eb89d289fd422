#include "app/explorer_variations_widget.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/explorer_window.h"
#include "app/main_window.h"
#include "controls/application_error.h"

namespace trochodraw {

namespace {

const QSize kPicture(200, 150);

QDoubleSpinBox* NewStepSpin(QWidget* Parent, const char* Name) {
  auto* s = new QDoubleSpinBox(Parent);
  s->setObjectName(Name);
  s->setDecimals(2);
  s->setRange(0.01, 360);
  s->setSingleStep(0.1);
  return s;
}

QString CellText(const TPattern& P, TVarySetting S) {
  return QString("%1 %2").arg(VarySettingInfo(S).Name, QString::fromStdString(VariedValueText(P, S)));
}

}  // namespace

TExplorerVariations::TExplorerVariations(TForm1& Main, QWidget* Parent) : QWidget(Parent), Batch(this), FMain(Main) {
  setObjectName("VariationsTab");
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  SettingCombo = new QComboBox(this);
  SettingCombo->setObjectName("SettingCombo");
  SecondCombo = new QComboBox(this);
  SecondCombo->setObjectName("SecondCombo");
  SecondCombo->addItem("Nothing");
  for (const TVarySettingInfo& s : VarySettings()) {
    SettingCombo->addItem(s.Name);
    SecondCombo->addItem(s.Name);
  }
  StepSpin = NewStepSpin(this, "StepSpin");
  SecondStepSpin = NewStepSpin(this, "SecondStepSpin");
  AroundCurrentBtn = new QPushButton("Around &Current", this);
  AroundCurrentBtn->setObjectName("AroundCurrentBtn");
  AroundCurrentBtn->setToolTip("Take the main window's setting as the middle");
  top->addWidget(new QLabel("&Vary", this));
  top->addWidget(SettingCombo);
  top->addWidget(new QLabel("step", this));
  top->addWidget(StepSpin);
  top->addSpacing(16);
  top->addWidget(new QLabel("&and", this));
  top->addWidget(SecondCombo);
  top->addWidget(new QLabel("step", this));
  top->addWidget(SecondStepSpin);
  top->addStretch(1);
  top->addWidget(AroundCurrentBtn);
  static_cast<QLabel*>(top->itemAt(0)->widget())->setBuddy(SettingCombo);
  static_cast<QLabel*>(top->itemAt(5)->widget())->setBuddy(SecondCombo);
  layout->addLayout(top);

  auto* grid = new QGridLayout;
  for (int i = 0; i < 9; ++i) {
    QToolButton* b = NewPictureButton(this, kPicture);
    b->setObjectName(QString("VariationCell%1").arg(i));
    grid->addWidget(b, i / 3, i % 3);
    Cells.push_back(b);
    connect(b, &QToolButton::clicked, this, [this, i] { InvokeGuarded([this, i] { CellClicked(i); }); });
  }
  layout->addLayout(grid, 1);
  FProgress = new TBatchProgress(this, Batch);
  layout->addWidget(FProgress);

  connect(&Batch, &TThumbnailBatch::ThumbnailReady, this, [this](int Index, const TThumbnailResult& R) {
    if (Index >= 0 && Index < static_cast<int>(Cells.size()) && !R.Image.isNull())
      Cells[static_cast<size_t>(Index)]->setIcon(QIcon(QPixmap::fromImage(R.Image)));
  });
  connect(SettingCombo, &QComboBox::currentIndexChanged, this, [this] { SettingChosen(SettingCombo, StepSpin); });
  connect(SecondCombo, &QComboBox::currentIndexChanged, this, [this] { SettingChosen(SecondCombo, SecondStepSpin); });
  for (QDoubleSpinBox* s : {StepSpin, SecondStepSpin})
    connect(s, &QDoubleSpinBox::editingFinished, this, [this] { Redraw(); });
  connect(AroundCurrentBtn, &QPushButton::clicked, this, [this] { AroundCurrent(); });
  SettingChosen(SettingCombo, StepSpin);
  SettingChosen(SecondCombo, SecondStepSpin);
}

void TExplorerVariations::SettingChosen(QComboBox* Combo, QDoubleSpinBox* Step) {
  const int i = Combo->currentIndex() - (Combo == SecondCombo ? 1 : 0);
  const bool some = i >= 0 && i < static_cast<int>(VarySettings().size());
  const bool discrete = some && VarySettings()[static_cast<size_t>(i)].Discrete;
  {
    const QSignalBlocker block(Step);
    if (some) Step->setValue(VarySettings()[static_cast<size_t>(i)].DefaultStep);
  }
  Step->setEnabled(some && !discrete);
  Redraw();
}

void TExplorerVariations::Shown() {
  if (!FHasBase) AroundCurrent();
}

void TExplorerVariations::AroundCurrent() {
  FBase = FMain.CapturePattern();
  FHasBase = true;
  Redraw();
}

void TExplorerVariations::Redraw() {
  if (!FHasBase) return;
  const auto a = static_cast<TVarySetting>(SettingCombo->currentIndex());
  std::optional<TVarySetting> b;
  if (SecondCombo->currentIndex() > 0) b = static_cast<TVarySetting>(SecondCombo->currentIndex() - 1);
  FGrid = VariationGrid(FBase, a, StepSpin->value(), b, SecondStepSpin->value());
  const TThumbnailOptions o = TExplorerWindow::ThumbnailOptions(FMain);
  std::vector<TThumbnailBatch::TJob> jobs;
  for (size_t i = 0; i < FGrid.size() && i < Cells.size(); ++i) {
    QToolButton* cell = Cells[i];
    const TVariation& v = FGrid[i];
    cell->setEnabled(v.Pattern.has_value());
    if (!v.Pattern) {
      cell->setIcon(QIcon(PendingPicture(kPicture, o.Background, "beyond the range")));
      cell->setText(" ");
      jobs.push_back([](const std::atomic<bool>&) { return TThumbnailResult{}; });
      continue;
    }
    QString text = CellText(*v.Pattern, a);
    if (b) text += "\n" + CellText(*v.Pattern, *b);
    if (i == FGrid.size() / 2) text += "  (now)";
    cell->setText(text);
    cell->setIcon(QIcon(PendingPicture(kPicture, o.Background, "drawing...")));
    jobs.push_back(TThumbnailBatch::RenderJob(*v.Pattern, o));
  }
  Batch.Start(std::move(jobs));
  FProgress->Show(0, Batch.Total());
}

void TExplorerVariations::CellClicked(int Index) {
  if (Index < 0 || Index >= static_cast<int>(FGrid.size()) || !FGrid[static_cast<size_t>(Index)].Pattern) return;
  ApplyOtherPattern(FMain, *FGrid[static_cast<size_t>(Index)].Pattern);
  // The adopted setting becomes the middle, with the wheels' angles as the window now has them.
  AroundCurrent();
}

}  // namespace trochodraw
