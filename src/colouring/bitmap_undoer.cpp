#include "colouring/bitmap_undoer.h"

namespace trochodraw {

TBitmapUndoer::TBitmapUndoer() : UndoStack(100), RedoStack(MaxUndo) {}

void TBitmapUndoer::SetFolder(const std::filesystem::path& Folder) {
  UndoStack.Files.Folder = Folder;
  RedoStack.Files.Folder = Folder;
}

void TBitmapUndoer::Store(TBitmap& Bitmap) {
  UndoStack.Store(Bitmap);
  RedoStack.Clear();
}

bool TBitmapUndoer::Swap(TBitmapUndo& From, TBitmapUndo& To, TBitmap& Bitmap) {
  // Read first, then store, then let go of the level: a failure at any step leaves both
  // stacks and the bitmap as they were.
  TBitmap restored;
  restored.Transparent = Bitmap.Transparent;
  restored.TransparentColor = Bitmap.TransparentColor;
  if (!From.ReadNewest(restored)) return false;
  To.Store(Bitmap);
  From.DiscardNewest();
  Bitmap = std::move(restored);
  return true;
}

bool TBitmapUndoer::Undo(TBitmap& Bitmap) { return Swap(UndoStack, RedoStack, Bitmap); }

bool TBitmapUndoer::Redo(TBitmap& Bitmap) { return Swap(RedoStack, UndoStack, Bitmap); }

void TBitmapUndoer::Clear() {
  UndoStack.Clear();
  RedoStack.Clear();
}

}  // namespace trochodraw
