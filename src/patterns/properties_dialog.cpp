#include "patterns/properties_dialog.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace trochodraw {

TPropertiesDlg* PropertiesDlg = nullptr;

TPropertiesDlg::TPropertiesDlg(QWidget* Parent) : QDialog(Parent) {
  setObjectName("PropertiesDlg");
  setWindowTitle("Properties");
  setModal(true);
  resize(328, 252);
  auto* Layout = new QVBoxLayout(this);
  Layout->setContentsMargins(4, 4, 4, 4);
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName("Memo1");
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  QFont Fixed("Monospace");
  Fixed.setStyleHint(QFont::TypeWriter);
  Fixed.setPixelSize(12);
  Memo1->setFont(Fixed);
  Layout->addWidget(Memo1, 1);
  auto* Panel1 = new QHBoxLayout;
  Panel1->addStretch(1);
  CancelBtn = new QPushButton("Close", this);
  CancelBtn->setObjectName("CancelBtn");
  Panel1->addWidget(CancelBtn);
  Layout->addLayout(Panel1);
  // Esc rejects the dialog, which presses Close.
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
  if (!PropertiesDlg) PropertiesDlg = this;
}

TPropertiesDlg::~TPropertiesDlg() {
  if (PropertiesDlg == this) PropertiesDlg = nullptr;
}

}  // namespace trochodraw
