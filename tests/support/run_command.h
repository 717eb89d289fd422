#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace trochodraw::testing {

struct TCommandResult {
  int Status = -1;
  std::string Output;  // standard output and standard error together
};

// Runs a shell command and gathers what it prints.
inline TCommandResult RunCommand(const std::string& Command) {
  TCommandResult r;
  FILE* p = ::popen((Command + " 2>&1").c_str(), "r");
  if (!p) return r;
  std::array<char, 4096> buf{};
  size_t n;
  while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0) r.Output.append(buf.data(), n);
  const int st = ::pclose(p);
  r.Status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  return r;
}

struct TSeparateOutput {
  int Status = -1;
  std::string Out;  // standard output alone
  std::string Err;  // standard error alone
};

// Runs a shell command and keeps what it writes to standard output and to standard error apart.
inline TSeparateOutput RunCommandApart(const std::string& Command) {
  TSeparateOutput r;
  std::string errName = (std::filesystem::temp_directory_path() / "trochodraw-stderr-XXXXXX").string();
  const int fd = ::mkstemp(errName.data());
  if (fd < 0) return r;
  ::close(fd);
  FILE* p = ::popen((Command + " 2>'" + errName + "'").c_str(), "r");
  if (p) {
    std::array<char, 4096> buf{};
    size_t n;
    while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0) r.Out.append(buf.data(), n);
    const int st = ::pclose(p);
    r.Status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  }
  std::ifstream err(errName, std::ios::binary);
  std::stringstream ss;
  ss << err.rdbuf();
  r.Err = ss.str();
  std::filesystem::remove(errName);
  return r;
}

// A fresh folder under the system's temporary folder, removed with the object.
class TTempDir {
 public:
  TTempDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "trochodraw-test-XXXXXX").string();
    if (::mkdtemp(tmpl.data())) FPath = tmpl;
  }
  ~TTempDir() {
    std::error_code ec;
    if (!FPath.empty()) std::filesystem::remove_all(FPath, ec);
  }
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;
  const std::filesystem::path& Path() const { return FPath; }
  std::string File(const std::string& Name) const { return (FPath / Name).string(); }

 private:
  std::filesystem::path FPath;
};

}  // namespace trochodraw::testing
