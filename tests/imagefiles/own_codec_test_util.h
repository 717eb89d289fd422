#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "render/bitmap.h"

namespace trochodraw::testing {

using TBytes = std::vector<uint8_t>;

// A small picture with varied colours; palette formats get a palette of their own.
TBitmap PatternBitmap(int Width, int Height, TPixelFormat Format, uint32_t Seed = 1);

// Every pixel of Actual equals Expected (each channel within Tolerance); a failure names the
// first differing pixel and both colours.
::testing::AssertionResult SamePixels(const TBitmap& Expected, const TBitmap& Actual, int Tolerance = 0);

// Little- and big-endian values at an offset of a file.
uint32_t LE16(const TBytes& B, size_t At);
uint32_t LE32(const TBytes& B, size_t At);
uint32_t BE16(const TBytes& B, size_t At);
uint32_t BE32(const TBytes& B, size_t At);
void PutLE16(TBytes& B, size_t At, uint32_t V);
void PutLE32(TBytes& B, size_t At, uint32_t V);
void PutBE16(TBytes& B, size_t At, uint32_t V);
void PutBE32(TBytes& B, size_t At, uint32_t V);
TBytes Slice(const TBytes& B, size_t At, size_t N);

// Runs Body and returns the message of the EImageError it throws ("" when none).
std::string ErrorOf(const std::function<void()>& Body);

// A scratch folder removed at the end of the test.
class TTempDir {
 public:
  TTempDir();
  ~TTempDir();
  std::string Path(const std::string& Name) const { return FPath + "/" + Name; }

 private:
  std::string FPath;
};

// PPM (P6) files of a bitmap's colours, and back.
TBytes ToPPM(const TBitmap& B);
// Reads P4/P5/P6 files of maxval 255 (as produced by netpbm) into a 24-bit bitmap.
TBitmap FromPNM(const TBytes& Data);

TBytes ReadFile(const std::string& Name);
void WriteFile(const std::string& Name, const TBytes& Data);
bool HaveTool(const std::string& Name);
// Runs a shell command line quietly; true when it exited with 0.
bool RunQuietly(const std::string& Command);

}  // namespace trochodraw::testing
