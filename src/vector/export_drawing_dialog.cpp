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
#include <QPushButton>
#include <QVBoxLayout>

#include "vector/export_drawing.h"

namespace trochodraw {

TExportDrawingDialog::TExportDrawingDialog(QWidget* Parent) : QDialog(Parent) {
  setObjectName("ExportDrawingDlg");
  setWindowTitle("Export Drawing");
  auto* top = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  top->addLayout(form);

  auto* fileRow = new QHBoxLayout;
  FileEdit = new QLineEdit(this);
  FileEdit->setObjectName("FileEdit");
  FileEdit->setPlaceholderText("drawing.svg or drawing.pdf");
  auto* browse = new QPushButton("Browse...", this);
  browse->setObjectName("BrowseBtn");
  fileRow->addWidget(FileEdit, 1);
  fileRow->addWidget(browse);
  form->addRow("File:", fileRow);

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
  connect(buttons, &QDialogButtonBox::accepted, this, &TExportDrawingDialog::AcceptIfValid);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  UpdateEnabled();
}

std::string TExportDrawingDialog::FileName() const {
  return QFile::encodeName(FileEdit->text().trimmed()).toStdString();
}

void TExportDrawingDialog::SetFileName(const QString& Name) { FileEdit->setText(Name); }

TExportOptions TExportDrawingDialog::Options() const {
  TExportOptions o;
  o.Plotter = PlotterChk->isChecked();
  if (o.Plotter) {
    const bool custom = PageCombo->currentIndex() == 3;
    o.Page = ParsePageSize((custom ? CustomPageEdit->text() : PageCombo->currentText()).toStdString());
    o.MarginMM = MarginSpin->value();
    o.SimplifyMM = SimplifySpin->value();
    ValidateExportOptions(o);
  }
  return o;
}

void TExportDrawingDialog::Browse() {
  QFileDialog dlg(this, "Export Drawing", FileEdit->text(), "SVG drawings (*.svg);;PDF drawings (*.pdf)");
  dlg.setOption(QFileDialog::DontUseNativeDialog);
  dlg.setAcceptMode(QFileDialog::AcceptSave);
  if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return;
  QString name = dlg.selectedFiles().first();
  if (!name.endsWith(".svg", Qt::CaseInsensitive) && !name.endsWith(".pdf", Qt::CaseInsensitive))
    name += dlg.selectedNameFilter().startsWith("PDF") ? ".pdf" : ".svg";
  FileEdit->setText(name);
}

void TExportDrawingDialog::UpdateEnabled() {
  const bool plotter = PlotterChk->isChecked();
  PageCombo->setEnabled(plotter);
  CustomPageEdit->setEnabled(plotter && PageCombo->currentIndex() == 3);
  MarginSpin->setEnabled(plotter);
  SimplifySpin->setEnabled(plotter);
}

void TExportDrawingDialog::AcceptIfValid() {
  // Mistakes are named in the dialog itself, so nothing typed is lost.
  try {
    if (FileEdit->text().trimmed().isEmpty()) throw EDrawingError("Enter a file name ending in .svg or .pdf");
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
