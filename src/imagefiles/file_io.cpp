#include "imagefiles/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "render/bitmap.h"

namespace trochodraw {

std::vector<uint8_t> ReadWholeFile(const std::string& FileName) {
  std::ifstream in(FileName, std::ios::binary);
  if (!in) throw EImageError("Cannot open file " + FileName);
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0) throw EImageError("Cannot open file " + FileName);
  in.seekg(0, std::ios::beg);
  std::vector<uint8_t> data(static_cast<size_t>(size));
  if (size > 0 && !in.read(reinterpret_cast<char*>(data.data()), size)) throw EImageError("Read error in " + FileName);
  return data;
}

void WriteFileAtomically(const std::string& FileName, const std::vector<uint8_t>& Data) {
  namespace fs = std::filesystem;
  const fs::path target(FileName);
  fs::path dir = target.parent_path();
  if (dir.empty()) dir = ".";
  std::random_device rd;
  std::string tmp;
  int fd = -1;
  for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%08x.tmp", static_cast<unsigned>(rd()));
    tmp = (dir / ("." + target.filename().string() + suffix)).string();
    fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) throw EImageError("Cannot create file " + FileName);
  size_t done = 0;
  while (done < Data.size()) {
    const ssize_t n = ::write(fd, Data.data() + done, Data.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      ::unlink(tmp.c_str());
      throw EImageError("Write error on " + FileName);
    }
    done += static_cast<size_t>(n);
  }
  if (::close(fd) != 0) {
    ::unlink(tmp.c_str());
    throw EImageError("Write error on " + FileName);
  }
  // Keep the permissions of the file being replaced.
  struct stat st {};
  if (::stat(FileName.c_str(), &st) == 0) ::chmod(tmp.c_str(), st.st_mode & 07777);
  if (::rename(tmp.c_str(), FileName.c_str()) != 0) {
    ::unlink(tmp.c_str());
    throw EImageError("Cannot create file " + FileName);
  }
}

}  // namespace trochodraw
