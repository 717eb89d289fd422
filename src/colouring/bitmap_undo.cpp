#include "colouring/bitmap_undo.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "imagefiles/bmp_codec.h"
#include "imagefiles/file_io.h"

namespace trochodraw {

namespace {

// Writes into a file this process has just created; the name is never followed as a link.
bool WriteInto(const std::string& Name, const std::vector<uint8_t>& Data) {
  const int fd = ::open(Name.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return false;
  size_t done = 0;
  while (done < Data.size()) {
    const ssize_t n = ::write(fd, Data.data() + done, Data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ::close(fd);
      return false;
    }
    done += size_t(n);
  }
  return ::close(fd) == 0;
}

}  // namespace

TBitmapUndo::TBitmapUndo(int Size) : Files(Size), FInfo(size_t(Size)) { Files.Prefix = "BMP"; }

void TBitmapUndo::Store(const TBitmap& Bitmap) {
  const std::vector<uint8_t> data = Bitmap.Empty() ? std::vector<uint8_t>() : EncodeBMP(Bitmap);
  int slot = -1;
  const std::string name = Files.NewFile(&slot);
  if (!WriteInto(name, data)) {
    Files.DiscardNewest();
    throw EImageError("Unable to write to " + name);
  }
  FInfo[size_t(slot)] = {Bitmap.PixelFormat(), Bitmap.Width(), Bitmap.Height()};
}

bool TBitmapUndo::ReadNewest(TBitmap& Bitmap) const {
  int slot = -1;
  const std::string name = Files.PeekFile(&slot);
  if (name.empty()) return false;
  const TSnapshotInfo info = FInfo[size_t(slot)];
  TBitmap restored;
  if (info.Width == 0 || info.Height == 0) {
    restored.Reset(info.Width, info.Height, info.Format);
  } else {
    const std::vector<uint8_t> data = ReadWholeFile(name);
    restored = DecodeBMP(data.data(), data.size());
    if (restored.Width() != info.Width || restored.Height() != info.Height)
      throw EImageError("Bitmap image is not valid");
    restored.SetPixelFormat(info.Format);
  }
  // Transparency is a setting of the picture's owner, not part of the snapshot.
  restored.Transparent = Bitmap.Transparent;
  restored.TransparentColor = Bitmap.TransparentColor;
  Bitmap = std::move(restored);
  return true;
}

bool TBitmapUndo::Restore(TBitmap& Bitmap) {
  if (!ReadNewest(Bitmap)) return false;
  Files.DiscardNewest();
  return true;
}

}  // namespace trochodraw
