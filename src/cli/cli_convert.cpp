#include "cli/cli_convert.h"

#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_status.h"
#include "imagefiles/preview_load.h"
#include "imagefiles/save_figure.h"

namespace trochodraw::cli {

namespace {

const char* const kUsage =
    "usage: trochodraw-cli convert [--quiet] IN OUT\n"
    "  reads IN by its extension (bmp, png, gif, jpg, jpeg, tif, tiff, tga, pcx, lbm)\n"
    "  and writes OUT by its extension (unknown or none: BMP); TIFF and TGA take a 24-bit copy\n"
    "  of a picture in a pixel format their writers refuse (such as 32 bits for TIFF)\n"
    "  --quiet   no status line; without it the line saying what was written goes to standard error\n";

}  // namespace

int RunConvert(int argc, char** argv) {
  std::vector<std::string> names;
  bool quiet = false;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "-h") || !std::strcmp(argv[i], "--help")) {
      std::cout << kUsage;
      return 0;
    }
    if (!std::strcmp(argv[i], "--quiet"))
      quiet = true;
    else
      names.emplace_back(argv[i]);
  }
  if (names.size() != 2) {
    std::cerr << "trochodraw-cli convert: needs IN and OUT\n" << kUsage;
    return 2;
  }
  const std::string& in = names[0];
  const std::string& out = names[1];
  try {
    const TBitmap picture = PreviewLoad(in);
    SaveFigureConverted(picture, out);
    StatusStream(quiet) << "wrote " << out << " (" << picture.Width() << "x" << picture.Height() << ")\n";
  } catch (const std::exception& e) {
    std::cerr << "trochodraw-cli convert: " << e.what() << "\n";
    return 1;
  }
  return 0;
}

}  // namespace trochodraw::cli
