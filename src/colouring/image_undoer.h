#pragma once

#include <functional>

#include "colouring/bitmap_undoer.h"
#include "render/bitmap.h"

namespace trochodraw {

// A bitmap that a view shows (the figure), with the view's notifications: after the bitmap
// was replaced by a restore (repaint and fit the control), and the canvas-change hook that
// the drawing code calls after it painted.
struct TImageHolder {
  explicit TImageHolder(TBitmap& Bitmap) : Picture(Bitmap) {}
  TBitmap& Picture;
  std::function<void()> OnPictureChanged;
  std::function<void()> OnCanvasChange;
  void PictureChanged() const {
    if (OnPictureChanged) OnPictureChanged();
  }
  void CanvasChanged() const {
    if (OnCanvasChange) OnCanvasChange();
  }
};

// Undo bound to an image: Store and Undo work on the holder's bitmap.
class TImageUndoer : public TBitmapUndoer {
 public:
  TImageUndoer() = default;
  ~TImageUndoer() override;

  using TBitmapUndoer::Redo;
  using TBitmapUndoer::Store;
  using TBitmapUndoer::Undo;

  TImageHolder* Image() const { return FImage; }
  // The holder must outlive the binding (or be unbound with nullptr first).
  void SetImage(TImageHolder* Image);

  // Asked before each store; CanStore comes in true.
  std::function<void(bool& CanStore)> OnStoreQuery;
  // After each store and each undo.
  std::function<void()> OnChange;

  // "No Image Set" without an image; an empty bitmap is never stored.
  void Store();
  // "No Image Set" without an image; OnChange fires also when there was nothing to undo.
  void Undo();
  int Count() const { return UndoCount(); }

  bool AutoUpdate() const { return FAutoUpdate; }
  // Stores at every change of the image's canvas while set; needs the image set first.
  void SetAutoUpdate(bool Value);

 protected:
  virtual void DoChange();
  virtual bool DoStoreQuery();

 private:
  void Hook(bool On);

  TImageHolder* FImage = nullptr;
  bool FAutoUpdate = false;
};

}  // namespace trochodraw
