// Replays the seed corpus of the own readers' fuzzers and every input the fuzzers found
// trouble with (kept in tests/data/fuzz/<reader>/), so a fix stays fixed.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "imagefiles/lbm_codec.h"
#include "imagefiles/own_codec_test_util.h"
#include "imagefiles/pcx_codec.h"
#include "imagefiles/tga_codec.h"
#include "imagefiles/tiff_codec.h"

namespace trochodraw {
namespace {

using namespace trochodraw::testing;
namespace fs = std::filesystem;

struct TReader {
  const char* Name;
  TBitmap (*Decode)(const uint8_t*, size_t);
};

constexpr TReader kReaders[] = {{"tiff", DecodeTIFF}, {"pcx", DecodePCX}, {"lbm", DecodeLBM}, {"tga", DecodeTGA}};

std::vector<fs::path> FilesIn(const fs::path& Dir) {
  std::vector<fs::path> files;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(Dir, ec))
    if (e.is_regular_file()) files.push_back(e.path());
  std::sort(files.begin(), files.end());
  return files;
}

TEST(OwnCodecFuzzReplay, SeedFilesDecode) {
  for (const TReader& r : kReaders) {
    const std::vector<fs::path> files = FilesIn(fs::path(TROCHODRAW_SOURCE_DIR) / "fuzz" / "corpus" / r.Name);
    EXPECT_FALSE(files.empty()) << r.Name;
    for (const fs::path& p : files) {
      const TBytes data = ReadFile(p.string());
      EXPECT_EQ(ErrorOf([&] { EXPECT_FALSE(r.Decode(data.data(), data.size()).Empty()) << p; }), "") << p;
    }
  }
}

TEST(OwnCodecFuzzReplay, KeptFindingsFailCleanly) {
  for (const TReader& r : kReaders)
    for (const fs::path& p : FilesIn(fs::path(TROCHODRAW_SOURCE_DIR) / "tests" / "data" / "fuzz" / r.Name)) {
      SCOPED_TRACE(p.string());
      const TBytes data = ReadFile(p.string());
      // A clean error or a picture; a crash or a sanitizer report fails the run.
      ErrorOf([&] { r.Decode(data.data(), data.size()); });
    }
}

}  // namespace
}  // namespace trochodraw
