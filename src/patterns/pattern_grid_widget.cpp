#include "patterns/pattern_grid_widget.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QShowEvent>
#include <QStyledItemDelegate>

#include "controls/application_error.h"
#include "patterns/pattern_list_editor.h"

namespace trochodraw {

// Model row m is grid row m + 1; the grid's header row is the view's header.
class TPatternGridModel : public QAbstractTableModel {
 public:
  explicit TPatternGridModel(QObject* Parent) : QAbstractTableModel(Parent) {}

  TPatternListEditor* Editor = nullptr;
  int Rows = 0;

  void Reload() {
    const int rows = Editor ? Editor->RowCount() - 1 : 0;
    if (rows != Rows) {
      beginResetModel();
      Rows = rows;
      endResetModel();
    } else if (Rows > 0) {
      Q_EMIT dataChanged(index(0, 0), index(Rows - 1, 1));
    }
  }

  int rowCount(const QModelIndex& Parent = {}) const override { return Parent.isValid() ? 0 : Rows; }
  int columnCount(const QModelIndex& Parent = {}) const override { return Parent.isValid() ? 0 : 2; }

  QVariant data(const QModelIndex& Index, int Role) const override {
    if (!Editor || !Index.isValid()) return {};
    if (Role == Qt::DisplayRole) return QString::fromStdString(Editor->CellText(Index.column(), Index.row() + 1));
    if (Role == Qt::EditRole) return QString::fromStdString(Editor->GetEditText(Index.column(), Index.row() + 1));
    return {};
  }

  bool setData(const QModelIndex& Index, const QVariant& Value, int Role) override {
    if (!Editor || !Index.isValid() || Role != Qt::EditRole) return false;
    if (!Editor->CanEditCell(Index.column(), Index.row() + 1)) return false;
    Editor->SetEditText(Index.column(), Index.row() + 1, Value.toString().toStdString());
    Q_EMIT dataChanged(Index, Index);
    return true;
  }

  QVariant headerData(int Section, Qt::Orientation Orientation, int Role) const override {
    if (Orientation == Qt::Horizontal && Role == Qt::DisplayRole && Editor)
      return QString::fromStdString(Editor->CellText(Section, 0));
    if (Orientation == Qt::Horizontal && Role == Qt::TextAlignmentRole)
      return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    return {};
  }

  Qt::ItemFlags flags(const QModelIndex& Index) const override {
    if (!Editor || !Index.isValid()) return Qt::NoItemFlags;
    // Column 0 is fixed; rows past the end of the list cannot become current.
    const int r = Index.row() + 1;
    if (Index.column() != 1 || r > static_cast<int>(Editor->List().size())) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
  }
};

namespace {

// The cell painter: text 2 pixels right of and below the cell's top-left corner, clipped to
// the cell; the fixed column in the button colour, the current cell highlighted.
class TPatternGridDelegate : public QStyledItemDelegate {
 public:
  TPatternGridDelegate(TPatternGrid* Grid) : QStyledItemDelegate(Grid), FGrid(Grid) {}

  void paint(QPainter* P, const QStyleOptionViewItem& Option, const QModelIndex& Index) const override {
    const TPatternListEditor* editor = FGrid->Editor();
    const QPalette& pal = Option.palette;
    const bool fixed = Index.column() == 0;
    const bool current = !fixed && editor && editor->Row() == Index.row() + 1;
    // The fixed column is not selectable, which must not make it look disabled.
    QColor back = pal.color(QPalette::Active, fixed ? QPalette::Button : QPalette::Base);
    QColor text = pal.color(QPalette::Active, fixed ? QPalette::ButtonText : QPalette::Text);
    if (current) {
      back = pal.color(QPalette::Active, QPalette::Highlight);
      text = pal.color(QPalette::Active, QPalette::HighlightedText);
    }
    P->save();
    P->fillRect(Option.rect, back);
    P->setClipRect(Option.rect);
    P->setFont(Option.font);
    P->setPen(text);
    const QString s = Index.data(Qt::DisplayRole).toString();
    const QFontMetrics fm(Option.font);
    P->drawText(Option.rect.left() + 2, Option.rect.top() + 2 + fm.ascent(), s);
    if (current && FGrid->hasFocus()) {
      // The toolkit's focus rectangle: a dotted outline just inside the cell.
      QPen dots(pal.color(QPalette::Active, QPalette::HighlightedText), 1, Qt::DotLine);
      P->setPen(dots);
      P->drawRect(Option.rect.adjusted(0, 0, -1, -1));
    }
    P->restore();
  }

  QWidget* createEditor(QWidget* Parent, const QStyleOptionViewItem&, const QModelIndex&) const override {
    auto* edit = new QLineEdit(Parent);
    edit->setObjectName("InplaceEditor");
    edit->setFrame(false);
    FGrid->SetActiveEditor(edit);
    return edit;
  }

  void updateEditorGeometry(QWidget* Editor, const QStyleOptionViewItem& Option, const QModelIndex&) const override {
    Editor->setGeometry(Option.rect);
  }

 private:
  TPatternGrid* FGrid;
};

}  // namespace

TPatternGrid::TPatternGrid(QWidget* Parent) : QTableView(Parent) {
  setObjectName("PatternGrid");
  FModel = new TPatternGridModel(this);
  setModel(FModel);
  setItemDelegate(new TPatternGridDelegate(this));
  QFont gridFont("MS Sans Serif");
  gridFont.setStyleHint(QFont::SansSerif);
  gridFont.setBold(true);
  gridFont.setPixelSize(11);
  setFont(gridFont);
  horizontalHeader()->setFont(gridFont);
  verticalHeader()->hide();
  verticalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setDefaultSectionSize(kRowHeight);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  horizontalHeader()->setMinimumSectionSize(1);
  horizontalHeader()->setFixedHeight(kRowHeight + 1);
  horizontalHeader()->setSectionsClickable(false);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setStretchLastSection(false);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  setColumnWidth(0, kFixedColWidth);
  setColumnWidth(1, kNameColWidth);
  setShowGrid(true);
  setSelectionMode(QAbstractItemView::NoSelection);
  setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::SelectedClicked);
  setTabKeyNavigation(true);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  verticalScrollBar()->setTracking(true);
  horizontalScrollBar()->setTracking(true);
  setWordWrap(false);
}

TPatternGrid::~TPatternGrid() = default;

void TPatternGrid::SetEditor(TPatternListEditor* Editor) {
  FEditor = Editor;
  FModel->Editor = Editor;
  Refresh();
}

void TPatternGrid::Refresh() {
  FModel->Reload();
  SyncCurrent();
  viewport()->update();
}

void TPatternGrid::SyncCurrent() {
  if (FSyncing) return;
  FSyncing = true;
  const int row = FEditor ? FEditor->Row() : 0;
  const QModelIndex target = row >= 1 ? FModel->index(row - 1, 1) : QModelIndex();
  if (selectionModel() && currentIndex() != target)
    selectionModel()->setCurrentIndex(target, QItemSelectionModel::NoUpdate);
  FSyncing = false;
}

void TPatternGrid::currentChanged(const QModelIndex& Current, const QModelIndex& Previous) {
  QTableView::currentChanged(Current, Previous);
  if (FSyncing || !FEditor) return;
  InvokeGuarded([&] {
    // The editor vetoes rows without a pattern; the view then goes back to its row.
    if (!Current.isValid() || !FEditor->SelectCell(1, Current.row() + 1)) SyncCurrent();
  });
  viewport()->update();
}

void TPatternGrid::ScrollToTopRow() {
  FTopRowPending = true;
  if (isVisible()) ApplyTopRow();
}

void TPatternGrid::ApplyTopRow() {
  if (!FEditor || !FTopRowPending) return;
  FTopRowPending = false;
  executeDelayedItemsLayout();
  updateGeometries();
  const int top = FEditor->TopRow();
  // Scrolling goes by whole rows: the scroll position is the first visible row's index.
  verticalScrollBar()->setValue(top >= 1 ? top - 1 : 0);
}

void TPatternGrid::showEvent(QShowEvent* Event) {
  QTableView::showEvent(Event);
  ApplyTopRow();
}

void TPatternGrid::resizeEvent(QResizeEvent* Event) {
  QTableView::resizeEvent(Event);
  if (isVisible()) ApplyTopRow();
}

void TPatternGrid::ShowCurrentRow() {
  if (!FEditor) return;
  const int row = FEditor->Row();
  if (row >= 1 && row - 1 < FModel->rowCount()) scrollTo(FModel->index(row - 1, 1), QAbstractItemView::EnsureVisible);
}

QRect TPatternGrid::CellRect(int Col, int R) const {
  if (R == 0) {
    const QHeaderView* h = horizontalHeader();
    return {h->sectionViewportPosition(Col), -h->height(), h->sectionSize(Col), h->height()};
  }
  return visualRect(FModel->index(R - 1, Col));
}

void TPatternGrid::closeEditor(QWidget* Editor, QAbstractItemDelegate::EndEditHint Hint) {
  if (Editor == FActiveEditor) FActiveEditor = nullptr;
  QTableView::closeEditor(Editor, Hint);
}

void TPatternGrid::CommitEdit() {
  if (!FActiveEditor || state() != QAbstractItemView::EditingState) return;
  QWidget* editor = FActiveEditor;
  FActiveEditor = nullptr;
  commitData(editor);
  closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void TPatternGrid::mouseDoubleClickEvent(QMouseEvent* Event) {
  // The first click of the pair has made the row under the pointer current already.
  Event->accept();
  if (OnDblClick) InvokeGuarded([&] { OnDblClick(this); });
}

}  // namespace trochodraw
