#include "patterns/settings_dialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace trochodraw {

TSettingsDlg* SettingsDlg = nullptr;

bool MarkCenterChecked() { return SettingsDlg && SettingsDlg->MarkCenterChk->isChecked(); }

TSettingsDlg::TSettingsDlg(QWidget* Parent) : QDialog(Parent) {
  setObjectName("SettingsDlg");
  setWindowTitle("Settings");
  setModal(false);
  setWindowFlag(Qt::WindowStaysOnTopHint, true);
  resize(329, 392);
  auto* Layout = new QVBoxLayout(this);
  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName("PageControl1");
  TabSheet1 = new QWidget;
  TabSheet1->setObjectName("TabSheet1");
  TabSheet2 = new QWidget;
  TabSheet2->setObjectName("TabSheet2");
  PageControl1->addTab(TabSheet1, "Image");
  PageControl1->addTab(TabSheet2, "Pattern");
  auto* ImageLayout = new QVBoxLayout(TabSheet1);
  MarkCenterChk = new QCheckBox("Mark Center", TabSheet1);
  MarkCenterChk->setObjectName("MarkCenterChk");
  ImageLayout->addWidget(MarkCenterChk);
  ImageLayout->addStretch(1);
  Layout->addWidget(PageControl1, 1);
  auto* Bottom = new QHBoxLayout;
  Bottom->addStretch(1);
  CancelBtn = new QPushButton("Close", this);
  CancelBtn->setObjectName("CancelBtn");
  Bottom->addWidget(CancelBtn);
  Layout->addLayout(Bottom);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::close);
  PageControl1->setCurrentWidget(TabSheet1);
  if (!SettingsDlg) SettingsDlg = this;
}

TSettingsDlg::~TSettingsDlg() {
  if (SettingsDlg == this) SettingsDlg = nullptr;
}

void TSettingsDlg::ShowSettings() {
  show();
  raise();
  activateWindow();
}

}  // namespace trochodraw
