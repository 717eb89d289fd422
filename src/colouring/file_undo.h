#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "colouring/circular_index.h"
#include "colouring/huge_string.h"

namespace trochodraw {

// A stack of temporary files in a ring of Size slots (Size - 1 files at most): a new file
// beyond that drops and deletes the oldest. Every file still held is deleted by Clear and
// when the stack is destroyed. Files are created exclusively, so a name another program
// holds is never taken and no file this stack did not create is ever written or deleted.
class TFileUndo {
 public:
  // Size must be at least 2 ("Invalid Ring Size").
  explicit TFileUndo(int Size);
  ~TFileUndo() = default;
  TFileUndo(const TFileUndo&) = delete;
  TFileUndo& operator=(const TFileUndo&) = delete;

  std::string Prefix = "Undo";
  // Where the files go; the system's temporary folder unless set.
  std::filesystem::path Folder;
  // The source of the names' numbers: the millisecond tick count unless set.
  std::function<unsigned()> Clock;

  // Creates a new, empty file owned by this stack and pushes it; the caller writes it.
  // Slot (if given) receives its ring slot.
  std::string NewFile(int* Slot = nullptr);
  // The newest file's name (now the caller's to delete), or "" when there is none.
  std::string PopFile(int* Slot = nullptr);
  // The newest file's name without popping it, or "".
  std::string PeekFile(int* Slot = nullptr);
  // Pops the newest file and deletes it (a snapshot that could not be written).
  void DiscardNewest();
  void Clear();
  int Count() const { return FRing.Count(); }

  // A file name in Folder built from the first three characters of Prefix, a 16-bit number
  // in hexadecimal and ".tmp".
  static std::string TempName(const std::filesystem::path& Folder, const std::string& Prefix, unsigned Unique);

 private:
  std::string CreateExclusively();
  void ReturnFile();

  THugeString FNames;  // declared first: the ring's clearing reads it as the stack dies
  TCircularIndex FRing;
  int FPoppedSlot = -1;
};

// Deletes a file; a file that is already gone is no failure.
void DeleteFileIfPresent(const std::string& Name);

}  // namespace trochodraw
