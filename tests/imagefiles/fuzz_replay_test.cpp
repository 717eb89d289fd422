// Replays the fuzzers' seed files and every input a fuzzer ever crashed on through the reader
// of its folder: each must give a picture or an EImageError, nothing else.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "image_test_support.h"
#include "imagefiles/bmp_codec.h"
#include "imagefiles/gif_codec.h"
#include "imagefiles/jpeg_codec.h"
#include "imagefiles/lbm_codec.h"
#include "imagefiles/pcx_codec.h"
#include "imagefiles/png_codec.h"
#include "imagefiles/tga_codec.h"
#include "imagefiles/tiff_codec.h"

namespace trochodraw {
namespace {

namespace fs = std::filesystem;
using TDecoder = TBitmap (*)(const uint8_t*, size_t);

const std::map<std::string, TDecoder>& Readers() {
  static const std::map<std::string, TDecoder> readers = {
      {"bmp", DecodeBMP}, {"png", DecodePNG}, {"gif", DecodeGIF}, {"jpeg", DecodeJPEG},
      {"tiff", DecodeTIFF}, {"pcx", DecodePCX}, {"lbm", DecodeLBM}, {"tga", DecodeTGA},
  };
  return readers;
}

TEST(FuzzReplay, EveryKeptInputGivesAPictureOrAClearError) {
  const fs::path root(TROCHODRAW_SOURCE_DIR);
  size_t replayed = 0;
  for (const fs::path& base : {root / "fuzz" / "corpus", root / "tests" / "data" / "fuzz"}) {
    if (!fs::is_directory(base)) continue;
    for (const auto& folder : fs::directory_iterator(base)) {
      if (!folder.is_directory()) continue;
      const std::string reader = folder.path().filename().string();
      const auto it = Readers().find(reader);
      if (it == Readers().end()) {
        ADD_FAILURE() << "no reader for the folder " << folder.path();
        continue;
      }
      for (const auto& file : fs::directory_iterator(folder.path())) {
        if (!file.is_regular_file()) continue;
        const auto data = test::ReadBytes(file.path());
        try {
          const TBitmap b = it->second(data.data(), data.size());
          EXPECT_GE(b.Width(), 0) << file.path();
        } catch (const EImageError&) {
        } catch (const std::exception& e) {
          ADD_FAILURE() << file.path() << ": " << e.what();
        }
        ++replayed;
      }
    }
  }
  EXPECT_GT(replayed, 0u) << "no seed files found under " << root;
}

}  // namespace
}  // namespace trochodraw
