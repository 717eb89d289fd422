#include "app/image_view_widget.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <algorithm>

#include "controls/application_error.h"
#include "render/bitmap.h"
#include "render/bitmap_qimage.h"

namespace trochodraw {

TImageView::TImageView(QWidget* Parent) : QWidget(Parent) {}

void TImageView::SetBitmap(TBitmap* Bitmap) {
  FBitmap = Bitmap;
  update();
}

void TImageView::FitToBitmap() {
  if (!FBitmap) return;
  setFixedSize(std::max(FBitmap->Width(), 1), std::max(FBitmap->Height(), 1));
  update();
}

void FitImageToBitmap(TImageView& Image) { Image.FitToBitmap(); }

QSize TImageView::sizeHint() const { return FBitmap ? QSize(FBitmap->Width(), FBitmap->Height()) : QSize(100, 100); }

void TImageView::paintEvent(QPaintEvent* Event) {
  if (!FBitmap || FBitmap->Empty()) return;
  InvokeGuarded([&] {
    const QImage Image = BitmapAsQImage(*FBitmap);
    const QRect Area = Event->rect() & Image.rect();
    if (Area.isEmpty()) return;
    QPainter P(this);
    P.drawImage(Area.topLeft(), Image, Area);
  });
}

void TImageView::mousePressEvent(QMouseEvent* Event) {
  const QPoint Pos = Event->position().toPoint();
  const Qt::MouseButton Button = Event->button();
  Event->accept();
  if (OnMouseDown) InvokeGuarded([&] { OnMouseDown(Button, Pos); });
}

void TImageView::resizeEvent(QResizeEvent* Event) {
  QWidget::resizeEvent(Event);
  if (OnResize) InvokeGuarded([this] { OnResize(); });
}

}  // namespace trochodraw
