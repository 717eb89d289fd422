#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <functional>

#include "colouring/colour_band_palette.h"
#include "controls/control_events.h"

class QMimeData;

namespace trochodraw {

using TBarEvent = std::function<void(QObject* Sender, int Index, int Bottom, double Depth)>;

// The band palette control: a vertical bar of colour bands over TColorBandPalette. It paints
// what the palette lays out and hands the mouse to it; the selection mark and the rubber-band
// line of a boundary drag are drawn inverted over the bands. With DragDropColors on, a press
// that does not grab a boundary may start dragging the band's colour onto another band.
class TColorBar : public QWidget {
  Q_OBJECT

 public:
  explicit TColorBar(QWidget* Parent = nullptr);
  ~TColorBar() override;

  TColorBandPalette& Palette() { return FPalette; }
  const TColorBandPalette& Palette() const { return FPalette; }

  TColorCount ColorCount() const { return FPalette.ColorCount(); }
  void SetColorCount(TColorCount Value) { FPalette.SetColorCount(Value); }
  int Selected() const { return FPalette.Selected(); }
  void SetSelected(int Value) { FPalette.SetSelected(Value); }

  bool DragDropColors = false;

  TNotifyEvent OnChangeSelect;
  TNotifyEvent OnChangeSpread;
  TBarEvent OnChangingBar;

  // The picture the bar shows now (bands, selection mark, rubber-band line).
  QImage Render() const;

  // The drag data of a band colour; only the bar that made it accepts it.
  QMimeData* CreateBandMimeData() const;
  bool AcceptsDrop(const QMimeData* Data) const;
  // A drop at row Y: the band there takes the colour of the band the drag started on (the
  // selected one). False for another's data or a drop outside every band.
  bool DropBandColor(const QMimeData* Data, int Y);
  static const char* const kBandMimeType;

  QSize sizeHint() const override { return {41, 300}; }

 protected:
  // Runs the drag-and-drop of the selected band's colour (blocks until the drop).
  virtual void StartBandDrag();

  void paintEvent(QPaintEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseMoveEvent(QMouseEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;
  void dragEnterEvent(QDragEnterEvent* Event) override;
  void dragMoveEvent(QDragMoveEvent* Event) override;
  void dropEvent(QDropEvent* Event) override;
  void changeEvent(QEvent* Event) override;

 private:
  void UpdateRow(int Y);

  TColorBandPalette FPalette;
  bool FDragPending = false;
  QPoint FPressPos;
};

}  // namespace trochodraw
