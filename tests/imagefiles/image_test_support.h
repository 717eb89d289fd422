#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "render/bitmap.h"

namespace trochodraw::test {

// A small picture in the given format: for the palette formats a palette of distinct colours
// and every index in use, for the others a colour pattern the format holds exactly.
TBitmap MakeTestPicture(TPixelFormat Format, int Width, int Height);

// A picture without sharp edges (for the lossy format), in any format.
TBitmap MakeSmoothPicture(TPixelFormat Format, int Width, int Height);

// The largest difference of one colour channel between two pictures of the same size; -1 when
// the sizes differ.
int MaxChannelDifference(const TBitmap& A, const TBitmap& B);
// "" when every pixel has the same colour, else where the first difference is.
std::string FirstPixelDifference(const TBitmap& A, const TBitmap& B);
// The mean absolute difference over all channels of all pixels.
double MeanChannelDifference(const TBitmap& A, const TBitmap& B);

std::vector<uint8_t> ReadBytes(const std::filesystem::path& File);
void WriteBytes(const std::filesystem::path& File, const std::vector<uint8_t>& Data);

// Binary PPM (P6, maxval 255 or Maxval 65535 with each sample scaled up).
void WritePPM(const TBitmap& Picture, const std::filesystem::path& File, int Maxval = 255);
// P4, P5 or P6, maxval up to 65535 (samples scaled to 8 bits); a 24-bit bitmap.
TBitmap ReadPNM(const std::filesystem::path& File);

// Whether a program is on the PATH; runs a shell command and returns its exit status.
bool HaveTool(const std::string& Name);
int Shell(const std::string& Command);

// A fresh folder removed again at the end of the test.
class TTempDir {
 public:
  TTempDir();
  ~TTempDir();
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;
  const std::filesystem::path& Path() const { return FPath; }
  std::filesystem::path operator/(const std::string& Name) const { return FPath / Name; }
  // Names of the files in the folder.
  std::vector<std::string> Files() const;

 private:
  std::filesystem::path FPath;
};

}  // namespace trochodraw::test
