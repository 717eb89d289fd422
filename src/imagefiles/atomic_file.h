#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace trochodraw {

// A new file made under a temporary name beside its target and renamed over the target only by
// Commit, so that a failed or cancelled write leaves no file behind and an existing file as it
// was. Until Commit, the destructor removes the temporary file.
class TAtomicFile {
 public:
  // Throws EImageError("Cannot create file %s") when the folder takes no new file.
  explicit TAtomicFile(const std::string& Target);
  ~TAtomicFile();
  TAtomicFile(const TAtomicFile&) = delete;
  TAtomicFile& operator=(const TAtomicFile&) = delete;

  const std::string& Target() const { return FTarget; }
  // The temporary file, for a library that opens files by name (close our stream first).
  const std::string& TempPath() const { return FTemp; }
  // Appends; throws EImageError("Write error on %s").
  void Write(const void* Data, size_t Size);
  // Closes our own stream; further writing goes through TempPath.
  void CloseStream();
  // Flushes, keeps the permissions of the file it replaces and renames it into place.
  void Commit();

 private:
  std::string FTarget, FTemp;
  std::FILE* FStream = nullptr;
  bool FCommitted = false;
};

}  // namespace trochodraw
