#pragma once

#include <fstream>
#include <sstream>
#include <string>

namespace trochodraw::testing {

// A whole file's bytes as a string (empty when it cannot be read).
inline std::string ReadText(const std::string& Path) {
  std::ifstream in(Path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

inline void WriteText(const std::string& Path, const std::string& Text) {
  std::ofstream(Path, std::ios::binary) << Text;
}

}  // namespace trochodraw::testing
