#include "imagefiles/save_figure.h"

#include "imagefiles/bmp_codec.h"
#include "imagefiles/file_io.h"
#include "imagefiles/format_registry.h"
#include "imagefiles/picture_class.h"
#include "imagefiles/tga_codec.h"
#include "imagefiles/tiff_codec.h"

namespace trochodraw {

// The whole file is encoded before anything touches the disk, and it replaces the target only
// once it is completely written: a refused or failed save leaves an existing file as it was.
void SaveFigure(const TBitmap& Figure, const std::string& FileName) {
  const TPictureClass* cls = ClassForExtension(FileExtension(FileName));
  const std::vector<uint8_t> data = cls ? cls->SaveToData(Figure) : EncodeBMP(Figure);
  WriteFileAtomically(FileName, data);
}

void SaveFigureConverted(const TBitmap& Figure, const std::string& FileName) {
  const TPictureClass* cls = ClassForExtension(FileExtension(FileName));
  const bool refused = (cls == &TIFFBitmapClass && !TIFFWriterTakes(Figure.PixelFormat())) ||
                       (cls == &TGABitmapClass && !TGAWriterTakes(Figure.PixelFormat()));
  if (!refused) {
    SaveFigure(Figure, FileName);
    return;
  }
  TBitmap copy(Figure);
  copy.SetPixelFormat(TPixelFormat::pf24bit);
  SaveFigure(copy, FileName);
}

}  // namespace trochodraw
