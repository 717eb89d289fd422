#include "patterns/find_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "controls/application_error.h"

namespace trochodraw {

TFindDialog::TFindDialog(QWidget* Parent) : QDialog(Parent) {
  setObjectName("FindDialog1");
  setWindowTitle("Find");
  setModal(false);
  auto* layout = new QGridLayout(this);
  auto* label = new QLabel("Fi&nd what:", this);
  FindEdit = new QLineEdit(this);
  FindEdit->setObjectName("FindEdit");
  FindEdit->setMinimumWidth(180);
  label->setBuddy(FindEdit);
  FindNextBtn = new QPushButton("&Find Next", this);
  FindNextBtn->setObjectName("FindNextBtn");
  FindNextBtn->setDefault(true);
  FindNextBtn->setEnabled(false);
  CancelBtn = new QPushButton("Cancel", this);
  CancelBtn->setObjectName("CancelBtn");
  layout->addWidget(label, 0, 0);
  layout->addWidget(FindEdit, 0, 1);
  layout->addWidget(FindNextBtn, 0, 2);
  layout->addWidget(CancelBtn, 1, 2);
  layout->setRowStretch(2, 1);
  // As in the platform's dialog, there is nothing to find while the field is empty.
  connect(FindEdit, &QLineEdit::textChanged, this, [this](const QString& T) { FindNextBtn->setEnabled(!T.isEmpty()); });
  connect(FindNextBtn, &QPushButton::clicked, this, [this] {
    if (OnFind) InvokeGuarded([this] { OnFind(); });
  });
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

QString TFindDialog::FindText() const { return FindEdit->text(); }

void TFindDialog::SetFindText(const QString& Text) { FindEdit->setText(Text); }

void TFindDialog::Execute() {
  show();
  raise();
  activateWindow();
  FindEdit->setFocus();
  FindEdit->selectAll();
}

}  // namespace trochodraw
