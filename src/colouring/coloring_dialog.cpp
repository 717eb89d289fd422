#include "colouring/coloring_dialog.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace trochodraw {

TColoringDlg* ColoringDlg = nullptr;

TLineColoring& LineColoringState() {
  static TLineColoring State;
  return State;
}

TColoringDlg::TColoringDlg(QWidget* Parent, TImageHolder* Figure) : QDialog(Parent) {
  setObjectName("ColoringDlg");
  setWindowTitle("Coloring");
  setModal(false);
  setWindowFlag(Qt::WindowStaysOnTopHint, true);
  resize(341, 390);
  auto* Layout = new QVBoxLayout(this);
  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName("PageControl1");
  MosaicSheet = new QWidget;
  MosaicSheet->setObjectName("MosaicSheet");
  LinesSheet = new QWidget;
  LinesSheet->setObjectName("LinesSheet");
  PageControl1->addTab(MosaicSheet, "Mosaic");
  PageControl1->addTab(LinesSheet, "Lines");
  Layout->addWidget(PageControl1, 1);
  auto* Bottom = new QHBoxLayout;
  Bottom->addStretch(1);
  CancelBtn = new QPushButton("Close", this);
  CancelBtn->setObjectName("CancelBtn");
  CancelBtn->setFixedSize(75, 25);
  Bottom->addWidget(CancelBtn);
  Layout->addLayout(Bottom);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::close);
  ImageUndoer1.SetImage(Figure);
  if (!ColoringDlg) ColoringDlg = this;
}

TColoringDlg::~TColoringDlg() {
  if (ColoringDlg == this) ColoringDlg = nullptr;
}

void TColoringDlg::ShowColoring() {
  ImageUndoer1.Store();
  show();
  raise();
  activateWindow();
}

}  // namespace trochodraw
