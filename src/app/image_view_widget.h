#pragma once

#include <QWidget>
#include <functional>

namespace trochodraw {

class TBitmap;

// An image control showing a bitmap at its top-left corner, painted straight from the
// bitmap's memory (no copy per paint). Press positions are reported in image pixels.
class TImageView : public QWidget {
  Q_OBJECT

 public:
  explicit TImageView(QWidget* Parent = nullptr);

  TBitmap* Bitmap() const { return FBitmap; }
  // The bitmap must outlive the view or be replaced first.
  void SetBitmap(TBitmap* Bitmap);
  // The control takes the bitmap's size (after a resize or a restore of the picture).
  void FitToBitmap();

  // Any mouse button pressed on the image, at image pixel Pos.
  std::function<void(Qt::MouseButton Button, QPoint Pos)> OnMouseDown;

  // The control changed its size (the splitter moved or the window was resized).
  std::function<void()> OnResize;

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;

 private:
  TBitmap* FBitmap = nullptr;
};

// The image control takes the size of its bitmap.
void FitImageToBitmap(TImageView& Image);

}  // namespace trochodraw
