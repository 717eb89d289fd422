#include "colouring/color_bar_widget.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "controls/application_error.h"

namespace trochodraw {

const char* const TColorBar::kBandMimeType = "application/x-trochodraw-color-band";

namespace {

QRgb ToRgb(TColor C) { return qRgb(RedOf(C), GreenOf(C), BlueOf(C)); }

void Plot(QImage& Image, int X, int Y, QRgb C) {
  if (X >= 0 && Y >= 0 && X < Image.width() && Y < Image.height()) reinterpret_cast<QRgb*>(Image.scanLine(Y))[X] = C;
}

void Invert(QImage& Image, int X, int Y) {
  if (X >= 0 && Y >= 0 && X < Image.width() && Y < Image.height()) {
    QRgb& p = reinterpret_cast<QRgb*>(Image.scanLine(Y))[X];
    p ^= 0x00FFFFFFu;
  }
}

// The toolkit's rectangle with a one-pixel pen: the outline runs on the first and the last
// column and row inside R (right and bottom exclusive), the brush fills what lies within.
void GdiRectangle(QImage& Image, const TRect& R, QRgb Pen, QRgb Brush) {
  if (R.IsEmpty()) return;
  for (int y = R.Top; y < R.Bottom; ++y)
    for (int x = R.Left; x < R.Right; ++x) {
      const bool edge = x == R.Left || x == R.Right - 1 || y == R.Top || y == R.Bottom - 1;
      Plot(Image, x, y, edge ? Pen : Brush);
    }
}

// A rectangle outline with a dotted pen (three pixels on, three off, running round the
// outline) in the "not" mode: drawing it twice leaves the picture as it was.
void InvertDottedRectangle(QImage& Image, const TRect& R) {
  if (R.IsEmpty()) return;
  int n = 0;
  auto dot = [&](int x, int y) {
    if ((n++ / 3) % 2 == 0) Invert(Image, x, y);
  };
  const int l = R.Left, t = R.Top, r = R.Right - 1, b = R.Bottom - 1;
  for (int x = l; x < r; ++x) dot(x, t);
  for (int y = t; y < b; ++y) dot(r, y);
  if (b > t)
    for (int x = r; x > l; --x) dot(x, b);
  if (r > l)
    for (int y = b; y > t; --y) dot(l, y);
  if (r == l && b == t) dot(l, t);
}

}  // namespace

TColorBar::TColorBar(QWidget* Parent) : QWidget(Parent) {
  setObjectName("ColorBar");
  setMouseTracking(true);  // the split cursor follows the pointer without a button held
  setAcceptDrops(true);
  FPalette.OnRepaint = [this] { update(); };
  FPalette.OnChangeSelect = [this] {
    if (OnChangeSelect) OnChangeSelect(this);
  };
  FPalette.OnChangeSpread = [this] {
    if (OnChangeSpread) OnChangeSpread(this);
  };
  FPalette.OnChangingBar = [this](int Index, int32_t Bottom, double Depth) {
    if (OnChangingBar) OnChangingBar(this, Index, Bottom, Depth);
  };
}

TColorBar::~TColorBar() {
  FPalette.OnRepaint = nullptr;
  FPalette.OnChangeSelect = nullptr;
  FPalette.OnChangeSpread = nullptr;
  FPalette.OnChangingBar = nullptr;
}

QImage TColorBar::Render() const {
  const int w = width(), h = height();
  QImage image(std::max(w, 1), std::max(h, 1), QImage::Format_RGB32);
  image.fill(palette().color(QPalette::Window));
  const char sep = locale().decimalPoint().isEmpty() ? '.' : locale().decimalPoint().at(0).toLatin1();
  const std::vector<TBandPaint> bands = FPalette.PaintBands(w, h, sep ? sep : '.');
  const QFontMetrics metrics(font());
  for (const TBandPaint& b : bands) {
    GdiRectangle(image, b.Outline, ToRgb(b.Pen), ToRgb(b.Brush));
    if (b.Labelled && metrics.height() + 1 < b.Bottom - b.Top) {
      QPainter p(&image);
      p.setFont(font());
      p.setPen(QColor(ToRgb(b.LabelColor)));
      const QRect r(b.LabelRect.Left, b.LabelRect.Top, b.LabelRect.Right - b.LabelRect.Left,
                    b.LabelRect.Bottom - b.LabelRect.Top);
      p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip, QString::fromStdString(b.Label));
    }
  }
  if (const auto mark = FPalette.SelectionMark(w, h)) InvertDottedRectangle(image, *mark);
  if (FPalette.Dragging())
    for (int x = 0; x < w; ++x) Invert(image, x, FPalette.DragRow());
  return image;
}

void TColorBar::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, Render());
}

void TColorBar::UpdateRow(int Y) { update(0, Y, width(), 1); }

void TColorBar::mousePressEvent(QMouseEvent* Event) {
  InvokeGuarded([&] {
    const int y = Event->position().toPoint().y();
    FDragPending = false;
    if (FPalette.Press(y, height())) {
      UpdateRow(y);
      return;
    }
    if (DragDropColors) {
      FDragPending = true;
      FPressPos = Event->position().toPoint();
    }
  });
}

void TColorBar::mouseMoveEvent(QMouseEvent* Event) {
  InvokeGuarded([&] {
    const QPoint pos = Event->position().toPoint();
    if (FPalette.Dragging()) {
      UpdateRow(FPalette.DragRow());
      FPalette.Move(pos.y(), height());
      UpdateRow(pos.y());
      return;
    }
    setCursor(FPalette.SplitCursorAt(pos.y(), height()) ? Qt::SplitVCursor : Qt::ArrowCursor);
    if (FDragPending && Event->buttons() != Qt::NoButton &&
        (pos - FPressPos).manhattanLength() >= QApplication::startDragDistance()) {
      FDragPending = false;
      StartBandDrag();
    }
  });
}

void TColorBar::mouseReleaseEvent(QMouseEvent* Event) {
  InvokeGuarded([&] {
    FDragPending = false;
    if (!FPalette.Dragging()) return;
    const bool ctrl = Event->modifiers().testFlag(Qt::ControlModifier);
    FPalette.Release(Event->position().toPoint().y(), height(), ctrl);
    update();
  });
}

QMimeData* TColorBar::CreateBandMimeData() const {
  auto* data = new QMimeData;
  data->setData(kBandMimeType, QByteArray::number(reinterpret_cast<quintptr>(this)));
  const TColor c = FPalette.EntryColor(FPalette.Selected());
  data->setColorData(QColor(RedOf(c), GreenOf(c), BlueOf(c)));
  return data;
}

bool TColorBar::AcceptsDrop(const QMimeData* Data) const {
  return Data && Data->hasFormat(kBandMimeType) &&
         Data->data(kBandMimeType) == QByteArray::number(reinterpret_cast<quintptr>(this));
}

void TColorBar::StartBandDrag() {
  auto* drag = new QDrag(this);
  drag->setMimeData(CreateBandMimeData());
  QPixmap swatch(16, 16);
  const TColor c = FPalette.EntryColor(FPalette.Selected());
  swatch.fill(QColor(RedOf(c), GreenOf(c), BlueOf(c)));
  drag->setPixmap(swatch);
  drag->exec(Qt::CopyAction);
}

void TColorBar::dragEnterEvent(QDragEnterEvent* Event) {
  if (AcceptsDrop(Event->mimeData()))
    Event->acceptProposedAction();
  else
    Event->ignore();
}

void TColorBar::dragMoveEvent(QDragMoveEvent* Event) {
  if (AcceptsDrop(Event->mimeData()))
    Event->acceptProposedAction();
  else
    Event->ignore();
}

void TColorBar::dropEvent(QDropEvent* Event) {
  if (!DropBandColor(Event->mimeData(), Event->position().toPoint().y())) {
    Event->ignore();
    return;
  }
  Event->acceptProposedAction();
}

bool TColorBar::DropBandColor(const QMimeData* Data, int Y) {
  if (!AcceptsDrop(Data)) return false;
  bool dropped = false;
  InvokeGuarded([&] { dropped = FPalette.Drop(Y, height()); });
  return dropped;
}

void TColorBar::changeEvent(QEvent* Event) {
  if (Event->type() == QEvent::EnabledChange) {
    FPalette.Enabled = isEnabled();
    update();
  }
  QWidget::changeEvent(Event);
}

}  // namespace trochodraw
