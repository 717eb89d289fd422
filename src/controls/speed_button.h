#pragma once

#include <QImage>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>

#include "controls/control_events.h"
#include "controls/glyph_images.h"

namespace trochodraw {

using TMouseEvent = std::function<void(QObject* Sender, Qt::MouseButton Button, QPoint Pos)>;

// The toolkit's speed button: a button that never takes the focus, shows itself down while
// held, and clicks on a release over it. Buttons under one parent with the same non-zero
// GroupIndex are exclusive; with AllowAllUp a down button may be clicked up again.
class TSpeedButton : public QWidget {
  Q_OBJECT

 public:
  explicit TSpeedButton(QWidget* Parent = nullptr);
  ~TSpeedButton() override;

  QString Caption() const { return FCaption; }
  void SetCaption(const QString& Value);
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  // A horizontal strip of NumGlyphs (1 to 4) images: up, disabled, down, exclusive.
  const QImage& Glyph() const { return FGlyph; }
  void SetGlyph(const QImage& Value);
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int Value);
  TButtonState State() const { return FState; }
  // The pointer is over the button (the hot look).
  bool MouseInControl() const { return FMouseInControl; }

  // The toolkit's click: raises OnClick.
  virtual void Click();

  TNotifyEvent OnClick;
  TMouseEvent OnMouseDown;

  QSize sizeHint() const override;

 protected:
  virtual void MouseDown(Qt::MouseButton Button, QPoint Pos);
  virtual void MouseMove(QPoint Pos);
  virtual void MouseUp(Qt::MouseButton Button, QPoint Pos);
  // The press ends without a release reaching the button: a modal window took the input, or
  // the button was disabled or hidden while held. No click.
  virtual void CancelPress();
  virtual void MouseEnter();
  virtual void MouseLeave();

  // True from a left press on the button to its release: the button holds the pointer.
  bool Dragging() const { return FDragging; }
  const QImage& StateImage(TButtonState S) const { return FStateImages[static_cast<int>(S)]; }
  QSize GlyphSize() const;
  // Brings the state up to date with the enabled state, as the toolkit does before painting.
  void UpdateState();

  void paintEvent(QPaintEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseDoubleClickEvent(QMouseEvent* Event) override;
  void mouseMoveEvent(QMouseEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;
  void enterEvent(QEnterEvent* Event) override;
  void leaveEvent(QEvent* Event) override;
  void changeEvent(QEvent* Event) override;
  bool event(QEvent* Event) override;

 private:
  void UpdateExclusive();
  void RebuildStateImages();

  QString FCaption;
  bool FDown = false;
  int FGroupIndex = 0;
  bool FAllowAllUp = false;
  bool FFlat = false;
  bool FDragging = false;
  bool FMouseInControl = false;
  TButtonState FState = TButtonState::bsUp;
  QImage FGlyph;
  int FNumGlyphs = 1;
  std::array<QImage, 4> FStateImages;
};

}  // namespace trochodraw
