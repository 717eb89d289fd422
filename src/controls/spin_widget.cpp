#include "controls/spin_widget.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QStyleOptionFrame>

#include "controls/application_error.h"
#include "controls/locale_separators.h"

namespace trochodraw {

TCustomSpin::TCustomSpin(std::unique_ptr<TCustomSpinValue> Rules, QWidget* Parent)
    : TCustomEditEx(Parent), FRules(std::move(Rules)) {
  FRules->FormatSettings = SystemSeparators();
  FRules->OnChange = [this] {
    if (OnChange) OnChange(this);
  };
  FRules->OnWrap = [this](TWrapMode Mode) {
    if (OnWrap) OnWrap(this, Mode);
  };
  FRules->OnBeep = [] { Beep(); };
  FRules->OnTextWrite = [this](const std::string& Text) { ShowText(QString::fromStdString(Text)); };
  ShowText(QString::fromStdString(FRules->Text()));

  FUpDown = new TUpDownButton(this);
  FUpDown->setObjectName(QStringLiteral("UpDown"));
  FUpDown->resize(15, 17);
  FUpDown->SetFocusControl(this);
  FUpDown->OnUpClick = [this](QObject*) { StepUp(); };
  FUpDown->OnDownClick = [this](QObject*) { StepDown(); };
  FUpDown->setCursor(Qt::ArrowCursor);

  FUnitsPanel = new TDisPanel(this);
  FUnitsPanel->setObjectName(QStringLiteral("UnitsPanel"));
  FUnitsPanel->resize(0, 17);
  FUnitsPanel->hide();
  FUnitsPanel->setCursor(Qt::ArrowCursor);

  setMinimumHeight(MinimumHeight());
  resize(121, std::max(21, MinimumHeight()));
  LayoutChildren();
}

TCustomSpin::~TCustomSpin() = default;

int TCustomSpin::FrameWidth() const {
  QStyleOptionFrame Option;
  initStyleOption(&Option);
  return style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &Option, this);
}

int TCustomSpin::MinimumHeight() const { return fontMetrics().height() + 2 * FrameWidth() + 2; }

bool TCustomSpin::CtrlDown() { return QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier; }

void TCustomSpin::Step(bool Up, bool Ctrl) {
  FRules->ReadOnly = isReadOnly();
  if (Up)
    FRules->StepUp(Ctrl);
  else
    FRules->StepDown(Ctrl);
}

void TCustomSpin::StepUp() { Step(true, CtrlDown()); }
void TCustomSpin::StepDown() { Step(false, CtrlDown()); }

bool TCustomSpin::AcceptsKey(char32_t Ch) const { return FRules->AcceptsKey(Ch); }

void TCustomSpin::SeparatorsChanged(const TFormatSettings& Separators) { FRules->FormatSettings = Separators; }

void TCustomSpin::Change() { FRules->TextEdited(text().toStdString()); }

void TCustomSpin::DoExit() {
  TCustomEditEx::DoExit();
  FRules->FocusLeft();
}

void TCustomSpin::keyPressEvent(QKeyEvent* Event) {
  InvokeGuarded([&] {
    const bool Ctrl = Event->modifiers() & Qt::ControlModifier;
    if (Event->key() == Qt::Key_Up || Event->key() == Qt::Key_Down) {
      Step(Event->key() == Qt::Key_Up, Ctrl);
      Event->accept();
      return;
    }
    // Editing by other means than characters follows the same switches as typing.
    const bool MayEdit = EditorEnabled() && !isReadOnly();
    if (!MayEdit && (Event->matches(QKeySequence::Cut) || Event->matches(QKeySequence::Paste))) {
      Event->accept();
      return;
    }
    if (!EditorEnabled() &&
        (Event->key() == Qt::Key_Delete || Event->matches(QKeySequence::Undo) || Event->matches(QKeySequence::Redo))) {
      Event->accept();
      return;
    }
    char32_t Ch = 0;
    if (Event->key() == Qt::Key_Return || Event->key() == Qt::Key_Enter)
      Ch = 13;
    else if (Event->key() != Qt::Key_Delete && !Event->text().isEmpty())
      Ch = Event->text().toUcs4().value(0);
    // Ctrl with a letter types the control character of that letter (Ctrl+V is 22).
    const bool CtrlOnly = (Event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == Qt::ControlModifier;
    if (CtrlOnly && ((Ch >= U'@' && Ch <= U'_') || (Ch >= U'a' && Ch <= U'z'))) Ch &= 0x1F;
    if (Ch != 0 && !AcceptsKey(Ch)) {
      Beep();
      Event->accept();
      return;
    }
    QLineEdit::keyPressEvent(Event);
  });
}

void TCustomSpin::SetEditorEnabled(bool Value) {
  FRules->EditorEnabled = Value;
  setAcceptDrops(Value);  // a drop is a paste
}

void TCustomSpin::mouseReleaseEvent(QMouseEvent* Event) {
  // The middle button pastes the selection on this platform: it is a paste like any other.
  if (Event->button() == Qt::MiddleButton && (!EditorEnabled() || isReadOnly())) {
    Event->accept();
    return;
  }
  TCustomEditEx::mouseReleaseEvent(Event);
}

void TCustomSpin::contextMenuEvent(QContextMenuEvent* Event) {
  // A read-only edit's own menu offers no editing already; with the editor off the text may
  // still be copied but not changed.
  if (EditorEnabled()) {
    TCustomEditEx::contextMenuEvent(Event);
    return;
  }
  QMenu Menu;
  QAction* Copy = Menu.addAction(tr("&Copy"), QKeySequence::Copy, this, &QLineEdit::copy);
  Copy->setEnabled(hasSelectedText() && echoMode() == QLineEdit::Normal);
  Menu.addSeparator();
  Menu.addAction(tr("Select All"), QKeySequence::SelectAll, this, &QLineEdit::selectAll)->setEnabled(!text().isEmpty());
  Menu.exec(Event->globalPos());
}

void TCustomSpin::SetUnitsString(const QString& Value) {
  FUnitsPanel->SetCaption(Value);
  FUnitsPanel->setVisible(!Value.isEmpty());
  AdjustUnitsPanel();
}

void TCustomSpin::SetPanelWidth(int Value) {
  if (Value == FPanelWidth) return;
  FPanelWidth = Value;
  AdjustUnitsPanel();
}

void TCustomSpin::AdjustUnitsPanel() {
  int W = 0;
  if (!FUnitsPanel->Caption().isEmpty())
    W = FPanelWidth != 0 ? FPanelWidth : FUnitsPanel->fontMetrics().horizontalAdvance(FUnitsPanel->Caption()) + 6;
  FUnitsPanel->resize(W, FUnitsPanel->height());
  LayoutChildren();
}

void TCustomSpin::LayoutChildren() {
  const int F = FrameWidth();
  const int W = FUpDown->width();
  FUpDown->setGeometry(width() - W - F, F, W, height() - 2 * F);
  const int PanelW = FUnitsPanel->width();
  FUnitsPanel->setGeometry(FUpDown->x() - PanelW, FUpDown->y(), PanelW, FUpDown->height());
  FitTextArea();
}

void TCustomSpin::FitTextArea() {
  const int Panel = FUnitsPanel->isVisibleTo(this) ? FUnitsPanel->width() : 0;
  setTextMargins(0, 0, FUpDown->width() + 2 + Panel, 0);
}

void TCustomSpin::resizeEvent(QResizeEvent* Event) {
  TCustomEditEx::resizeEvent(Event);
  if (height() < MinimumHeight()) {
    resize(width(), MinimumHeight());  // the new size lays out again
    return;
  }
  LayoutChildren();
}

void TCustomSpin::changeEvent(QEvent* Event) {
  TCustomEditEx::changeEvent(Event);
  switch (Event->type()) {
    case QEvent::FontChange:
      setMinimumHeight(MinimumHeight());
      AdjustUnitsPanel();
      break;
    case QEvent::StyleChange:
      LayoutChildren();
      break;
    case QEvent::LocaleChange:
      InvokeGuarded([this] { SeparatorsChanged(SystemSeparators()); });
      break;
    default:
      break;
  }
}

}  // namespace trochodraw
