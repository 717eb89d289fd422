#include "imagefiles/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <random>

#include "render/bitmap.h"

namespace trochodraw {

TAtomicFile::TAtomicFile(const std::string& Target) : FTarget(Target) {
  namespace fs = std::filesystem;
  const fs::path target(Target);
  fs::path dir = target.parent_path();
  if (dir.empty()) dir = ".";
  std::random_device rd;
  int fd = -1;
  for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%08x.tmp", static_cast<unsigned>(rd()));
    FTemp = (dir / ("." + target.filename().string() + suffix)).string();
    fd = ::open(FTemp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) throw EImageError("Cannot create file " + Target);
  FStream = ::fdopen(fd, "wb");
  if (!FStream) {
    ::close(fd);
    ::unlink(FTemp.c_str());
    throw EImageError("Cannot create file " + Target);
  }
}

TAtomicFile::~TAtomicFile() {
  if (FStream) std::fclose(FStream);
  if (!FCommitted) ::unlink(FTemp.c_str());
}

void TAtomicFile::Write(const void* Data, size_t Size) {
  if (!FStream || (Size > 0 && std::fwrite(Data, 1, Size, FStream) != Size))
    throw EImageError("Write error on " + FTarget);
}

void TAtomicFile::CloseStream() {
  if (!FStream) return;
  const int r = std::fclose(FStream);
  FStream = nullptr;
  if (r != 0) throw EImageError("Write error on " + FTarget);
}

void TAtomicFile::Commit() {
  CloseStream();
  // Keep the permissions of the file being replaced.
  struct stat st {};
  if (::stat(FTarget.c_str(), &st) == 0) ::chmod(FTemp.c_str(), st.st_mode & 07777);
  if (::rename(FTemp.c_str(), FTarget.c_str()) != 0) throw EImageError("Cannot create file " + FTarget);
  FCommitted = true;
}

}  // namespace trochodraw
