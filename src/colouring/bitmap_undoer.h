#pragma once

#include "colouring/bitmap_undo.h"
#include "render/bitmap.h"

namespace trochodraw {

// Undo and redo of a bitmap through two snapshot stacks of 100 slots (99 snapshots each).
class TBitmapUndoer {
 public:
  TBitmapUndoer();
  virtual ~TBitmapUndoer() = default;
  TBitmapUndoer(const TBitmapUndoer&) = delete;
  TBitmapUndoer& operator=(const TBitmapUndoer&) = delete;

  // Only kept as a number: the stacks' sizes are fixed when they are made.
  int MaxUndo = 100;

  // A new undo level; the redo levels are forgotten.
  virtual void Store(TBitmap& Bitmap);
  // Each returns false when its stack held nothing (and Bitmap is unchanged).
  virtual bool Undo(TBitmap& Bitmap);
  virtual bool Redo(TBitmap& Bitmap);
  virtual void Clear();

  int UndoCount() const { return UndoStack.Count(); }
  int RedoCount() const { return RedoStack.Count(); }
  // The files go to the system's temporary folder unless a folder is given here.
  void SetFolder(const std::filesystem::path& Folder);

 protected:
  TBitmapUndo UndoStack;
  TBitmapUndo RedoStack;

 private:
  static bool Swap(TBitmapUndo& From, TBitmapUndo& To, TBitmap& Bitmap);
};

}  // namespace trochodraw
