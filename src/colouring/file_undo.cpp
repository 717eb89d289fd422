#include "colouring/file_undo.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>

#include "render/bitmap.h"

namespace trochodraw {

namespace {

constexpr size_t kMaxName = 255;

int CheckedSize(int Size) {
  // A ring of one slot would drop each file as it is made, leaving it behind on disk.
  if (Size < 2) throw EHugeArrayError("Invalid Ring Size");
  return Size;
}

unsigned TickCount() {
  using namespace std::chrono;
  return static_cast<unsigned>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace

void DeleteFileIfPresent(const std::string& Name) {
  if (!Name.empty()) ::unlink(Name.c_str());
}

TFileUndo::TFileUndo(int Size) : FNames(CheckedSize(Size), int(kMaxName)), FRing(Size) {
  FRing.OnDrop = [this](int Slot) { DeleteFileIfPresent(FNames.Get(Slot)); };
}

std::string TFileUndo::TempName(const std::filesystem::path& Folder, const std::string& Prefix, unsigned Unique) {
  char number[8];
  std::snprintf(number, sizeof number, "%X", Unique & 0xFFFFu);
  return (Folder / (Prefix.substr(0, 3) + number + ".tmp")).string();
}

std::string TFileUndo::CreateExclusively() {
  std::filesystem::path folder = Folder;
  if (folder.empty()) {
    std::error_code ec;
    folder = std::filesystem::temp_directory_path(ec);
    if (ec) throw EImageError("No temporary folder");
  }
  const unsigned start = Clock ? Clock() : TickCount();
  for (unsigned n = 0; n <= 0xFFFFu; ++n) {
    const std::string name = TempName(folder, Prefix, start + n);
    if (name.size() > kMaxName) throw EImageError("Temporary file name too long: " + name);
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd >= 0) {
      ::close(fd);
      return name;
    }
    if (errno != EEXIST) throw EImageError("Unable to write to " + name);
  }
  throw EImageError("Unable to write to " + folder.string());
}

std::string TFileUndo::NewFile(int* Slot) {
  // The file exists before the ring holds its name, so a failure leaves nothing behind.
  const std::string name = CreateExclusively();
  FPoppedSlot = -1;
  int slot = -1;
  try {
    slot = FRing.Push();
    FNames.Put(slot, name);
  } catch (...) {
    if (slot >= 0) FRing.Pop();
    DeleteFileIfPresent(name);
    throw;
  }
  if (Slot) *Slot = slot;
  return name;
}

std::string TFileUndo::PopFile(int* Slot) {
  const int slot = FRing.Pop();
  FPoppedSlot = slot;
  if (Slot) *Slot = slot;
  return slot < 0 ? std::string() : FNames.Get(slot);
}

std::string TFileUndo::PeekFile(int* Slot) {
  std::string name = PopFile(Slot);
  ReturnFile();
  return name;
}

void TFileUndo::ReturnFile() {
  // Popping moved the head back over the slot; pushing moves it forward over the same slot.
  if (FPoppedSlot >= 0) FRing.Push();
  FPoppedSlot = -1;
}

void TFileUndo::DiscardNewest() { DeleteFileIfPresent(PopFile()); }

void TFileUndo::Clear() {
  for (std::string name = PopFile(); !name.empty(); name = PopFile()) DeleteFileIfPresent(name);
  FRing.Clear();
  FPoppedSlot = -1;
}

}  // namespace trochodraw
