#include "controls/file_row_widget.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace trochodraw {

TFileRow AddFileRow(QFormLayout* Form, QWidget* Owner, const QString& Placeholder) {
  auto* row = new QHBoxLayout;
  auto* edit = new QLineEdit(Owner);
  edit->setObjectName("FileEdit");
  edit->setPlaceholderText(Placeholder);
  auto* browse = new QPushButton("Browse...", Owner);
  browse->setObjectName("BrowseBtn");
  row->addWidget(edit, 1);
  row->addWidget(browse);
  Form->addRow("File:", row);
  return {edit, browse};
}

}  // namespace trochodraw
