#include "cli/cli_convert.h"

#include <cstring>
#include <iostream>
#include <string>

#include "imagefiles/preview_load.h"
#include "imagefiles/save_figure.h"

namespace trochodraw::cli {

namespace {

const char* const kUsage =
    "usage: trochodraw-cli convert IN OUT\n"
    "  reads IN by its extension (bmp, png, gif, jpg, jpeg, tif, tiff, tga, pcx, lbm)\n"
    "  and writes OUT by its extension (unknown or none: BMP)\n";

}  // namespace

int RunConvert(int argc, char** argv) {
  if (argc == 2 && (!std::strcmp(argv[1], "-h") || !std::strcmp(argv[1], "--help"))) {
    std::cout << kUsage;
    return 0;
  }
  if (argc != 3) {
    std::cerr << "trochodraw-cli convert: needs IN and OUT\n" << kUsage;
    return 2;
  }
  const std::string in = argv[1], out = argv[2];
  try {
    const TBitmap picture = PreviewLoad(in);
    SaveFigure(picture, out);
    std::cout << "wrote " << out << " (" << picture.Width() << "x" << picture.Height() << ")\n";
  } catch (const std::exception& e) {
    std::cerr << "trochodraw-cli convert: " << e.what() << "\n";
    return 1;
  }
  return 0;
}

}  // namespace trochodraw::cli
