#include "imagefiles/save_figure.h"

#include "imagefiles/bmp_codec.h"
#include "imagefiles/file_io.h"

namespace trochodraw {

void SaveFigure(const TBitmap& Figure, const std::string& FileName) {
  WriteFileAtomically(FileName, EncodeBMP(Figure));
}

}  // namespace trochodraw
