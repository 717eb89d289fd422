#include "imagefiles/file_io.h"

#include <fstream>

#include "imagefiles/atomic_file.h"
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
  TAtomicFile file(FileName);
  file.Write(Data.data(), Data.size());
  file.Commit();
}

}  // namespace trochodraw
