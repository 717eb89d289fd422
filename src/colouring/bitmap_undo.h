#pragma once

#include <vector>

#include "colouring/file_undo.h"
#include "render/bitmap.h"

namespace trochodraw {

// A stack of bitmap snapshots kept as BMP files in the temporary folder.
class TBitmapUndo {
 public:
  explicit TBitmapUndo(int Size);

  mutable TFileUndo Files;

  // Writes the bitmap to a new snapshot file. A failed write deletes that file and leaves
  // the stack as it was.
  void Store(const TBitmap& Bitmap);
  // Replaces size, pixel format and pixels of Bitmap by the newest snapshot and deletes its
  // file; false when there is none. A snapshot that cannot be read stays on the stack and
  // Bitmap stays as it was.
  bool Restore(TBitmap& Bitmap);
  // Restore without taking the snapshot off the stack.
  bool ReadNewest(TBitmap& Bitmap) const;
  // Deletes the newest snapshot without restoring it.
  void DiscardNewest() { Files.DiscardNewest(); }
  void Clear() { Files.Clear(); }
  int Count() const { return Files.Count(); }

 private:
  // What a BMP file does not tell: a device bitmap and a 32-bit one read back alike.
  struct TSnapshotInfo {
    TPixelFormat Format = TPixelFormat::pfDevice;
    int Width = 0;
    int Height = 0;
  };
  std::vector<TSnapshotInfo> FInfo;
};

}  // namespace trochodraw
