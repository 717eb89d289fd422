#include "vector/export_drawing_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "controls/file_row_widget.h"
#include "vector/export_drawing.h"
#include "vector/plot_statistics.h"

namespace trochodraw {

TExportDrawingDialog::TExportDrawingDialog(QWidget* Parent) : QDialog(Parent) {
  setObjectName("ExportDrawingDlg");
  setWindowTitle("Export Drawing");
  auto* top = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  top->addLayout(form);

  const TFileRow fileRow = AddFileRow(form, this, "drawing.svg, .pdf, .hpgl, .plt, .gcode or .nc");
  FileEdit = fileRow.Edit;
  QPushButton* browse = fileRow.Browse;

  PlotterChk = new QCheckBox("Plotter page (no background, fitted, pens as layers)", this);
  PlotterChk->setObjectName("PlotterChk");
  form->addRow(PlotterChk);

  auto* pageRow = new QHBoxLayout;
  PageCombo = new QComboBox(this);
  PageCombo->setObjectName("PageCombo");
  PageCombo->addItems({"A4", "A3", "Letter", "Other (W x H mm)"});
  CustomPageEdit = new QLineEdit(this);
  CustomPageEdit->setObjectName("CustomPageEdit");
  CustomPageEdit->setPlaceholderText("300x200mm");
  pageRow->addWidget(PageCombo);
  pageRow->addWidget(CustomPageEdit, 1);
  form->addRow("Page:", pageRow);

  MarginSpin = new QDoubleSpinBox(this);
  MarginSpin->setObjectName("MarginSpin");
  MarginSpin->setRange(0.0, 200.0);
  MarginSpin->setDecimals(1);
  MarginSpin->setValue(10.0);
  MarginSpin->setSuffix(" mm");
  form->addRow("Margin:", MarginSpin);

  SimplifySpin = new QDoubleSpinBox(this);
  SimplifySpin->setObjectName("SimplifySpin");
  SimplifySpin->setRange(0.0, 10.0);
  SimplifySpin->setDecimals(2);
  SimplifySpin->setSingleStep(0.05);
  SimplifySpin->setSuffix(" mm");
  SimplifySpin->setSpecialValueText("off");
  form->addRow("Simplify:", SimplifySpin);

  ReinkSpin = new QDoubleSpinBox(this);
  ReinkSpin->setObjectName("ReinkSpin");
  ReinkSpin->setRange(0.0, kReinkMaxMM);
  ReinkSpin->setDecimals(0);
  ReinkSpin->setSingleStep(100.0);
  ReinkSpin->setSuffix(" mm");
  ReinkSpin->setSpecialValueText("never");
  form->addRow("Re-ink after:", ReinkSpin);

  const auto speedSpin = [this](const char* Name, double Value) {
    auto* spin = new QDoubleSpinBox(this);
    spin->setObjectName(Name);
    spin->setRange(kSlowestMMPerS, kFastestMMPerS);
    spin->setDecimals(1);
    spin->setValue(Value);
    spin->setSuffix(" mm/s");
    return spin;
  };
  const TPlotMotion motion;
  PenSpeedSpin = speedSpin("PenSpeedSpin", motion.PenSpeed);
  TravelSpeedSpin = speedSpin("TravelSpeedSpin", motion.TravelSpeed);
  auto* speedRow = new QHBoxLayout;
  speedRow->addWidget(PenSpeedSpin);
  speedRow->addWidget(new QLabel("pen up:", this));
  speedRow->addWidget(TravelSpeedSpin);
  form->addRow("Pen down:", speedRow);

  PenUpEdit = new QLineEdit(QString::fromStdString(motion.PenUp), this);
  PenUpEdit->setObjectName("PenUpEdit");
  PenDownEdit = new QLineEdit(QString::fromStdString(motion.PenDown), this);
  PenDownEdit->setObjectName("PenDownEdit");
  auto* penRow = new QHBoxLayout;
  penRow->addWidget(new QLabel("up", this));
  penRow->addWidget(PenUpEdit, 1);
  penRow->addWidget(new QLabel("down", this));
  penRow->addWidget(PenDownEdit, 1);
  form->addRow("G-code pen:", penRow);

  OnePeriodChk = new QCheckBox("Plot the figure once (keep one period)", this);
  OnePeriodChk->setObjectName("OnePeriodChk");
  OnePeriodChk->setEnabled(false);
  form->addRow(OnePeriodChk);

  StatsLabel = new QLabel(this);
  StatsLabel->setObjectName("StatsLabel");
  StatsLabel->setWordWrap(true);
  // Room for the statistics from the start, so the dialog does not jump when they arrive.
  StatsLabel->setMinimumHeight(2 * StatsLabel->fontMetrics().lineSpacing() + 4);
  StatsLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  form->addRow("Plot:", StatsLabel);
  EstimateTimer = new QTimer(this);
  EstimateTimer->setSingleShot(true);
  EstimateTimer->setInterval(150);

  ErrorLabel = new QLabel(this);
  ErrorLabel->setObjectName("ErrorLabel");
  ErrorLabel->setStyleSheet("color: #b00000");
  ErrorLabel->setWordWrap(true);
  top->addWidget(ErrorLabel);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText("Export");
  top->addWidget(buttons);

  connect(browse, &QPushButton::clicked, this, &TExportDrawingDialog::Browse);
  connect(PlotterChk, &QCheckBox::toggled, this, &TExportDrawingDialog::UpdateEnabled);
  connect(PageCombo, &QComboBox::currentIndexChanged, this, &TExportDrawingDialog::UpdateEnabled);
  connect(FileEdit, &QLineEdit::textChanged, this, &TExportDrawingDialog::UpdateEnabled);
  // Any change of what goes on the page asks for new statistics, a moment after typing stops.
  for (QDoubleSpinBox* spin : {MarginSpin, SimplifySpin, ReinkSpin, PenSpeedSpin, TravelSpeedSpin})
    connect(spin, &QDoubleSpinBox::valueChanged, this, &TExportDrawingDialog::OptionsChanged);
  for (QCheckBox* chk : {PlotterChk, OnePeriodChk})
    connect(chk, &QCheckBox::toggled, this, &TExportDrawingDialog::OptionsChanged);
  connect(PageCombo, &QComboBox::currentIndexChanged, this, &TExportDrawingDialog::OptionsChanged);
  for (QLineEdit* edit : {FileEdit, CustomPageEdit})
    connect(edit, &QLineEdit::textChanged, this, &TExportDrawingDialog::OptionsChanged);
  connect(EstimateTimer, &QTimer::timeout, this, &TExportDrawingDialog::Estimate);
  connect(buttons, &QDialogButtonBox::accepted, this, &TExportDrawingDialog::AcceptIfValid);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  UpdateEnabled();
}

TExportDrawingDialog::~TExportDrawingDialog() {
  if (FWorker.joinable()) FWorker.join();
}

void TExportDrawingDialog::SetRecord(std::shared_ptr<const TStrokeRecord> Record, const TPeriodCut& Cut) {
  FRecord = std::move(Record);
  FCut = Cut;
  OnePeriodChk->setEnabled(Cut.Longer());
  OnePeriodChk->setChecked(Cut.Longer());
  OnePeriodChk->setText(Cut.Longer() ? QString("Plot the figure once (keep one period: %1 of %2 ticks)")
                                           .arg(Cut.PeriodTicks)
                                           .arg(Cut.RecordedTicks)
                                     : QString("Plot the figure once (the record is no longer than one period)"));
  OptionsChanged();
}

QString TExportDrawingDialog::StatisticsText() const { return StatsLabel->text(); }

bool TExportDrawingDialog::PlotterPage() const {
  if (PlotterChk->isChecked()) return true;
  try {
    return IsMachineFormat(DrawingFormatOf(FileName()));
  } catch (const EDrawingError&) {
    return false;
  }
}

void TExportDrawingDialog::OptionsChanged() {
  ++FGeneration;
  StatsLabel->setText(FRecord && PlotterPage() ? "working it out..." : "");
  EstimateTimer->start();
}

void TExportDrawingDialog::Estimate() {
  if (!FRecord || !PlotterPage()) return;
  if (FBusy) {
    FPending = true;
    return;
  }
  TExportOptions o;
  try {
    o = Options();
    o.Plotter = true;
    ValidateExportOptions(o);
  } catch (const std::exception& e) {
    StatsLabel->setText(QString::fromStdString(e.what()));
    return;
  }
  FBusy = true;
  if (FWorker.joinable()) FWorker.join();
  // The worker has its own reference to the snapshot and a copy of the options; it reports back
  // through the event loop, which drops the report when the dialog is gone.
  FWorker = std::thread([Record = FRecord, o, Generation = FGeneration, Self = QPointer(this)] {
    QString text;
    try {
      const TPlotStatistics s = EstimatePlot(*Record, o);
      text = QString("%1 mm drawn, %2 mm pen up, %3 paths, %4 pen lifts, %5 pauses: about %6")
                 .arg(s.DrawnMM, 0, 'f', 0)
                 .arg(s.TravelMM, 0, 'f', 0)
                 .arg(s.Paths)
                 .arg(s.PenLifts)
                 .arg(s.Pauses)
                 .arg(QString::fromStdString(DurationText(s.Seconds)));
    } catch (const std::exception& e) {
      text = QString::fromStdString(e.what());
    }
    QMetaObject::invokeMethod(
        Self,
        [Self, Generation, text] {
          if (Self) Self->Estimated(Generation, text);
        },
        Qt::QueuedConnection);
  });
}

void TExportDrawingDialog::Estimated(uint64_t Generation, const QString& Text) {
  FBusy = false;
  if (Generation == FGeneration) StatsLabel->setText(Text);
  if (FPending) {
    FPending = false;
    Estimate();
  }
}

std::string TExportDrawingDialog::FileName() const {
  return QFile::encodeName(FileEdit->text().trimmed()).toStdString();
}

void TExportDrawingDialog::SetFileName(const QString& Name) { FileEdit->setText(Name); }

TExportOptions TExportDrawingDialog::Options() const {
  TExportOptions o;
  o.Plotter = PlotterChk->isChecked();
  // HPGL and G-code always go on a plotter page, with or without the check box.
  if (PlotterPage()) {
    const bool custom = PageCombo->currentIndex() == 3;
    o.Page = ParsePageSize((custom ? CustomPageEdit->text() : PageCombo->currentText()).toStdString());
    o.MarginMM = MarginSpin->value();
    o.SimplifyMM = SimplifySpin->value();
    o.ReinkAfterMM = ReinkSpin->value();
    o.Motion = {PenSpeedSpin->value(), TravelSpeedSpin->value(), PenUpEdit->text().trimmed().toStdString(),
                PenDownEdit->text().trimmed().toStdString()};
    TExportOptions check = o;
    check.Plotter = true;
    ValidateExportOptions(check);
  }
  if (OnePeriodChk->isEnabled() && OnePeriodChk->isChecked()) o.KeepTicks = FCut.PeriodTicks;
  return o;
}

void TExportDrawingDialog::Browse() {
  QFileDialog dlg(this, "Export Drawing", FileEdit->text(),
                  "SVG drawings (*.svg);;PDF drawings (*.pdf);;HPGL plots (*.hpgl *.plt);;G-code plots (*.gcode *.nc)");
  dlg.setOption(QFileDialog::DontUseNativeDialog);
  dlg.setAcceptMode(QFileDialog::AcceptSave);
  if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return;
  QString name = dlg.selectedFiles().first();
  try {
    DrawingFormatOf(QFile::encodeName(name).toStdString());
  } catch (const EDrawingError&) {
    const QString filter = dlg.selectedNameFilter();
    name += filter.startsWith("PDF")      ? ".pdf"
            : filter.startsWith("HPGL")   ? ".hpgl"
            : filter.startsWith("G-code") ? ".gcode"
                                          : ".svg";
  }
  FileEdit->setText(name);
}

void TExportDrawingDialog::UpdateEnabled() {
  const bool plotter = PlotterPage();
  PageCombo->setEnabled(plotter);
  CustomPageEdit->setEnabled(plotter && PageCombo->currentIndex() == 3);
  for (QWidget* w : std::initializer_list<QWidget*>{MarginSpin, SimplifySpin, ReinkSpin, PenSpeedSpin, TravelSpeedSpin,
                                                    PenUpEdit, PenDownEdit})
    w->setEnabled(plotter);
}

void TExportDrawingDialog::AcceptIfValid() {
  // Mistakes are named in the dialog itself, so nothing typed is lost.
  try {
    if (FileEdit->text().trimmed().isEmpty())
      throw EDrawingError("Enter a file name ending in .svg, .pdf, .hpgl, .plt, .gcode or .nc");
    DrawingFormatOf(FileName());
    Options();
  } catch (const std::exception& e) {
    ErrorLabel->setText(QString::fromStdString(e.what()));
    return;
  }
  ErrorLabel->clear();
  accept();
}

}  // namespace trochodraw
