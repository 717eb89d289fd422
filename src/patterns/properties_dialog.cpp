#include "patterns/properties_dialog.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QVBoxLayout>

#include "patterns/properties_text.h"

namespace trochodraw {

namespace {

// The memo keeps its lines with plain line feeds.
constexpr const char* kLineBreak = "\n";

}  // namespace

TPropertiesDlg* PropertiesDlg = nullptr;

TPropertiesDlg::TPropertiesDlg(QWidget* Parent) : TCentredDialog(Parent) {
  setObjectName("PropertiesDlg");
  setWindowTitle("Properties");
  setModal(true);
  resize(328, 252);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto* panel2 = new QWidget(this);
  panel2->setObjectName("Panel2");
  auto* memoLayout = new QVBoxLayout(panel2);
  memoLayout->setContentsMargins(4, 4, 4, 4);
  Memo1 = new QPlainTextEdit(panel2);
  Memo1->setObjectName("Memo1");
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  fixed.setStyleHint(QFont::TypeWriter);
  fixed.setPixelSize(12);
  Memo1->setFont(fixed);
  memoLayout->addWidget(Memo1);
  layout->addWidget(panel2, 1);
  auto* panel1 = new QWidget(this);
  panel1->setObjectName("Panel1");
  auto* bottom = new QHBoxLayout(panel1);
  bottom->setContentsMargins(4, 4, 8, 8);
  bottom->addStretch(1);
  CancelBtn = new QPushButton("Close", panel1);
  CancelBtn->setObjectName("CancelBtn");
  CancelBtn->setFixedSize(75, 25);
  CancelBtn->setAutoDefault(false);
  bottom->addWidget(CancelBtn);
  layout->addWidget(panel1);
  // Esc rejects the dialog, which is what Close does.
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
  if (!PropertiesDlg) PropertiesDlg = this;
}

TPropertiesDlg::~TPropertiesDlg() {
  if (PropertiesDlg == this) PropertiesDlg = nullptr;
}

std::string TPropertiesDlg::MemoText() const { return Memo1->toPlainText().toStdString(); }

void TPropertiesDlg::AppendToMemo(const std::string& Updated) {
  const std::string present = MemoText();
  // The additions only ever go at the end, so Updated begins with the present text.
  const std::string added = Updated.substr(std::min(present.size(), Updated.size()));
  QTextCursor cursor(Memo1->document());
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(QString::fromStdString(added));
  Memo1->setTextCursor(cursor);
  Memo1->ensureCursorVisible();
  Memo1->horizontalScrollBar()->setValue(0);
}

void TPropertiesDlg::AddPatternProperties(const TPattern& P) {
  std::string memo = MemoText();
  AppendPatternProperties(memo, P, FormatSettings, kLineBreak);
  AppendToMemo(memo);
}

void TPropertiesDlg::AddAllPatternProperties(const TPatternArray& List) {
  std::string memo = MemoText();
  AppendAllPatternProperties(memo, List, FormatSettings, kLineBreak);
  AppendToMemo(memo);
}

void TPropertiesDlg::ShowPatternProperties(const TPattern& P) {
  AddPatternProperties(P);
  exec();
}

void TPropertiesDlg::ShowAllPatternProperties(const TPatternArray& List) {
  AddAllPatternProperties(List);
  exec();
}

}  // namespace trochodraw
