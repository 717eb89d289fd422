#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace trochodraw {

// A fresh folder for one test, removed with everything in it afterwards.
class TTempFolder {
 public:
  TTempFolder() {
    std::string name = (std::filesystem::temp_directory_path() / "trochodraw-test-XXXXXX").string();
    if (!mkdtemp(name.data())) throw std::runtime_error("mkdtemp failed");
    FPath = name;
  }
  ~TTempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(FPath, ec);
  }
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;

  const std::filesystem::path& Path() const { return FPath; }
  int FileCount() const {
    int n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(FPath)) ++n;
    return n;
  }

 private:
  std::filesystem::path FPath;
};

// The text of the E that Call throws, or "(no error)" / "(other error)".
template <class E, class F>
std::string ErrorText(F&& Call) {
  try {
    Call();
  } catch (const E& e) {
    return e.what();
  } catch (...) {
    return "(other error)";
  }
  return "(no error)";
}

}  // namespace trochodraw
