#include "patterns/settings_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "colouring/image_undoer.h"
#include "controls/application_error.h"
#include "controls/integer_spin_widget.h"
#include "controls/radio_group_widget.h"
#include "controls/speed_button.h"
#include "patterns/find_dialog.h"
#include "patterns/image_size.h"
#include "patterns/pattern_grid_widget.h"
#include "patterns/pattern_list_editor.h"
#include "patterns/properties_dialog.h"
#include "patterns/settings_dialog_glyphs.h"

namespace trochodraw {

TSettingsDlg* SettingsDlg = nullptr;

bool MarkCenterChecked() { return SettingsDlg && SettingsDlg->MarkCenterChk->isChecked(); }

namespace {

TIntegerSpin* MakeSizeSpin(QWidget* Parent, const char* Name) {
  auto* spin = new TIntegerSpin(Parent);
  spin->setObjectName(Name);
  spin->SetAlignment(TAlignment::taLeftJustify);
  spin->SetMinValue(kMinImageSide);
  spin->SetMaxValue(kMaxImageSide);
  spin->SetUseLimit(true);
  spin->SetIncrement(1);
  spin->SetUnitsString("Px");
  spin->SetValue(1);
  spin->setFixedWidth(97);
  return spin;
}

}  // namespace

TSettingsDlg::TSettingsDlg(QWidget* Parent, TPatternListEditor* Editor, TImageHolder* Figure)
    : TCentredDialog(Parent), FFigure(Figure) {
  setObjectName("SettingsDlg");
  setWindowTitle("Settings");
  setModal(false);
  setWindowFlag(Qt::WindowStaysOnTopHint, true);
  resize(321, 365);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName("PageControl1");
  TabSheet1 = new QWidget;
  TabSheet1->setObjectName("TabSheet1");
  TabSheet2 = new QWidget;
  TabSheet2->setObjectName("TabSheet2");
  PageControl1->addTab(TabSheet1, "Image");
  PageControl1->addTab(TabSheet2, "Pattern");
  layout->addWidget(PageControl1, 1);
  auto* bottomPanel = new QWidget(this);
  bottomPanel->setObjectName("Panel1");
  bottomPanel->setFixedHeight(41);
  auto* bottom = new QHBoxLayout(bottomPanel);
  bottom->setContentsMargins(8, 8, 8, 8);
  bottom->addStretch(1);
  CancelBtn = new QPushButton("Close", bottomPanel);
  CancelBtn->setObjectName("CancelBtn");
  CancelBtn->setFixedSize(75, 25);
  CancelBtn->setAutoDefault(false);
  bottom->addWidget(CancelBtn);
  layout->addWidget(bottomPanel);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::close);

  BuildImageTab();
  BuildPatternTab();
  FindDialog1 = new TFindDialog(this);
  FindDialog1->OnFind = [this] { FindDialog1Find(); };

  // FormCreate: the dialog opens on "Image".
  PageControl1->setCurrentWidget(TabSheet1);
  SetPatternEditor(Editor);
  if (!SettingsDlg) SettingsDlg = this;
}

TSettingsDlg::~TSettingsDlg() {
  SetPatternEditor(nullptr);
  if (SettingsDlg == this) SettingsDlg = nullptr;
}

void TSettingsDlg::BuildImageTab() {
  auto* tab = new QVBoxLayout(TabSheet1);
  tab->setContentsMargins(4, 4, 4, 4);
  SizeRadio = new TRadioGroup(TabSheet1);
  SizeRadio->setObjectName("SizeRadio");
  SizeRadio->setTitle("Image Size");
  QStringList items;
  for (const TImageSizeItem& item : kImageSizeItems) items << item.Caption;
  SizeRadio->SetColumns(3);
  SizeRadio->SetItems(items);
  SizeRadio->SetItemIndex(kDefaultImageSizeItem);
  SizeRadio->setFixedHeight(49 + 8);
  SizeRadio->OnClick = [this](QObject*) { SizeFromRadio(); };
  tab->addWidget(SizeRadio);

  auto* sizeRow = new QGridLayout;
  sizeRow->setContentsMargins(4, 8, 4, 4);
  sizeRow->setHorizontalSpacing(8);
  auto* widthLabel = new QLabel("Width", TabSheet1);
  auto* heightLabel = new QLabel("Height", TabSheet1);
  WidthSpin = MakeSizeSpin(TabSheet1, "WidthSpin");
  HeightSpin = MakeSizeSpin(TabSheet1, "HeightSpin");
  widthLabel->setBuddy(WidthSpin);
  heightLabel->setBuddy(HeightSpin);
  ApplyBtn = new QPushButton("Apply", TabSheet1);
  ApplyBtn->setObjectName("ApplyBtn");
  ApplyBtn->setFixedSize(75, 25);
  ApplyBtn->setAutoDefault(false);
  connect(ApplyBtn, &QPushButton::clicked, this, [this] { InvokeGuarded([this] { ApplyImageSize(); }); });
  sizeRow->addWidget(widthLabel, 0, 0);
  sizeRow->addWidget(heightLabel, 0, 1);
  sizeRow->addWidget(WidthSpin, 1, 0);
  sizeRow->addWidget(HeightSpin, 1, 1);
  sizeRow->addWidget(ApplyBtn, 1, 2);
  sizeRow->setColumnStretch(3, 1);
  tab->addLayout(sizeRow);

  MarkCenterChk = new QCheckBox("Mark Center", TabSheet1);
  MarkCenterChk->setObjectName("MarkCenterChk");
  auto* markRow = new QHBoxLayout;
  markRow->setContentsMargins(4, 8, 4, 4);
  markRow->addWidget(MarkCenterChk);
  tab->addLayout(markRow);
  tab->addStretch(1);
}

void TSettingsDlg::BuildPatternTab() {
  auto* tab = new QHBoxLayout(TabSheet2);
  tab->setContentsMargins(0, 0, 4, 4);
  tab->setSpacing(0);
  auto* panel7 = new QWidget(TabSheet2);
  panel7->setObjectName("Panel7");
  panel7->setFixedWidth(28);
  struct TButtonDef {
    TSpeedButton** Button;
    const char* Name;
    int Top;
    const char* Hint;
    TPatternGlyph Glyph;
    void (TSettingsDlg::*Handler)();
  };
  const TButtonDef defs[] = {
      {&InsertPatternBtn, "InsertPatternBtn", 3, "Insert Current Pattern", TPatternGlyph::Insert,
       &TSettingsDlg::InsertPatternBtnClick},
      {&SpeedButton1, "SpeedButton1", 31, "Overwrite", TPatternGlyph::Overwrite, &TSettingsDlg::SpeedButton1Click},
      {&MoveUpBtn, "MoveUpBtn", 61, "Move Move Up", TPatternGlyph::MoveUp, &TSettingsDlg::MoveUpBtnClick},
      {&MoveDnBtn, "MoveDnBtn", 93, "Move Pattern Down", TPatternGlyph::MoveDown, &TSettingsDlg::MoveDnBtnClick},
      {&DeleteBtn, "DeleteBtn", 120, "Delete Pattern", TPatternGlyph::Delete, &TSettingsDlg::DeleteBtnClick},
      {&SearchBtn, "SearchBtn", 144, "Search For Pattern", TPatternGlyph::Search, &TSettingsDlg::SearchBtnClick},
      {&PropertiesBtn, "PropertiesBtn", 171, "View Pattern Properties", TPatternGlyph::Properties,
       &TSettingsDlg::PropertiesBtnClick},
      {&AllPatternBtn, "AllPatternBtn", 196, "Show All Pattern Properties", TPatternGlyph::AllProperties,
       &TSettingsDlg::AllPatternBtnClick},
  };
  for (const TButtonDef& d : defs) {
    auto* b = new TSpeedButton(panel7);
    b->setObjectName(d.Name);
    b->setGeometry(2, d.Top, 25, 25);
    b->setToolTip(d.Hint);
    b->SetGlyph(PatternButtonGlyph(d.Glyph));
    const auto handler = d.Handler;
    b->OnClick = [this, handler](QObject*) { InvokeGuarded([this, handler] { (this->*handler)(); }); };
    *d.Button = b;
  }
  tab->addWidget(panel7);

  auto* right = new QVBoxLayout;
  right->setContentsMargins(0, 4, 0, 0);
  right->setSpacing(2);
  Label2 = new QLabel("Saved Patterns", TabSheet2);
  Label2->setObjectName("Label2");
  right->addWidget(Label2);
  PatternGrid = new TPatternGrid(TabSheet2);
  PatternGrid->OnDblClick = [this](QObject*) { PatternGridDblClick(); };
  Label2->setBuddy(PatternGrid);
  right->addWidget(PatternGrid, 1);
  tab->addLayout(right, 1);
}

void TSettingsDlg::SetPatternEditor(TPatternListEditor* Editor) {
  if (FEditor && FEditor != Editor) FEditor->OnGridChanged = nullptr;
  FEditor = Editor;
  if (FEditor) {
    FEditor->OnGridChanged = [this] { GridChanged(); };
    FRow = FEditor->Row();
  }
  PatternGrid->SetEditor(FEditor);
}

void TSettingsDlg::GridChanged() { PatternGrid->Refresh(); }

int TSettingsDlg::Row() const { return FEditor ? FEditor->Row() : FRow; }

void TSettingsDlg::SetRow(int Value) {
  if (FEditor)
    FEditor->SelectCell(1, Value);
  else
    FRow = Value;
}

void TSettingsDlg::SizeFromRadio() {
  const auto size = ImageSizeOfItem(SizeRadio->ItemIndex());
  if (!size) return;
  WidthSpin->SetValue(size->Width);
  HeightSpin->SetValue(size->Height);
}

void TSettingsDlg::ApplyImageSize() {
  if (!FFigure) return;
  const int64_t w = WidthSpin->Value(), h = HeightSpin->Value();
  // Width and height change in one step, so a size that cannot be had changes neither.
  FFigure->Picture.SetSize(static_cast<int>(w), static_cast<int>(h));
  FFigure->PictureChanged();
  if (OnImageSizeApplied) OnImageSizeApplied();
}

void TSettingsDlg::ShowSettings() {
  SizeFromRadio();
  if (FEditor) FEditor->ShowSettings();
  PatternGrid->Refresh();
  show();
  raise();
  activateWindow();
  // The grid's top row can be set only once the grid has its size.
  PatternGrid->ScrollToTopRow();
}

bool TSettingsDlg::ConfirmWarning(const QString& Text) {
  QMessageBox box(QMessageBox::Warning, "Warning", Text, QMessageBox::Ok | QMessageBox::Cancel, this);
  box.setObjectName("WarningBox");
  box.setDefaultButton(QMessageBox::Ok);
  return box.exec() == QMessageBox::Ok;
}

void TSettingsDlg::InsertPatternBtnClick() {
  if (FEditor) FEditor->InsertPatternBtnClick();
}

void TSettingsDlg::SpeedButton1Click() {
  if (!FEditor || !FEditor->HasCurrentPattern()) return;
  if (ConfirmWarning(QString::fromStdString(FEditor->OverwriteWarning()))) FEditor->OverwriteCurrentPattern();
}

void TSettingsDlg::MoveUpBtnClick() {
  if (FEditor && FEditor->MoveUp()) PatternGrid->ShowCurrentRow();
}

void TSettingsDlg::MoveDnBtnClick() {
  if (FEditor && FEditor->MoveDown()) PatternGrid->ShowCurrentRow();
}

void TSettingsDlg::DeleteBtnClick() {
  if (!FEditor || !FEditor->HasCurrentPattern()) return;
  if (ConfirmWarning(QString::fromStdString(FEditor->DeleteWarning()))) FEditor->DeleteCurrentPattern();
}

void TSettingsDlg::SearchBtnClick() {
  if (!FEditor) return;
  FEditor->StartSearch();
  FindDialog1->Execute();
}

void TSettingsDlg::FindDialog1Find() {
  if (FEditor && FEditor->FindNext(FindDialog1->FindText().toStdString())) PatternGrid->ShowCurrentRow();
}

void TSettingsDlg::PropertiesBtnClick() {
  TPropertiesDlg* dlg = FProperties ? FProperties : PropertiesDlg;
  if (!FEditor || !dlg || !FEditor->HasCurrentPattern()) return;
  dlg->FormatSettings = FEditor->FormatSettings;
  dlg->ShowPatternProperties(FEditor->List()[static_cast<size_t>(FEditor->CurrentIndex())]);
}

void TSettingsDlg::AllPatternBtnClick() {
  TPropertiesDlg* dlg = FProperties ? FProperties : PropertiesDlg;
  if (!FEditor || !dlg) return;
  dlg->FormatSettings = FEditor->FormatSettings;
  dlg->ShowAllPatternProperties(FEditor->List());
}

void TSettingsDlg::PatternGridDblClick() {
  if (FEditor) FEditor->ApplyPatternAt(FEditor->Row() - 1);
}

bool TSettingsDlg::FormClose() {
  if (!FEditor) return true;
  PatternGrid->CommitEdit();
  try {
    FEditor->FormClose();
  } catch (...) {
    HandleApplicationError(std::current_exception());
    return false;
  }
  return true;
}

void TSettingsDlg::reject() {
  // Esc, Close and the close box all come here; an unwritten file keeps the dialog open.
  if (!FormClose()) return;
  FindDialog1->hide();
  QDialog::reject();
}

}  // namespace trochodraw
