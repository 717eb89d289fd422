#include "imagefiles/picture_class.h"

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

std::vector<uint8_t> SavePCX(const TBitmap& Figure) {
  if (Figure.PixelFormat() == TPixelFormat::pf24bit) return EncodePCX(Figure);
  TBitmap copy(Figure);
  copy.SetPixelFormat(TPixelFormat::pf24bit);
  return EncodePCX(copy);
}

// What this program writes under an icon or metafile name is BMP data, so that is what the
// toolkit classes read back; real icons and metafiles are not drawn here.
TBitmap LoadToolkitPicture(const uint8_t* Data, size_t Size) {
  if (Size >= 2 && Data[0] == 'B' && Data[1] == 'M') return DecodeBMP(Data, Size);
  throw EImageError("Icons and metafiles cannot be shown");
}

}  // namespace

const TPictureClass MetafileClass{"TMetafile", EncodeBMP, LoadToolkitPicture};
const TPictureClass IconClass{"TIcon", EncodeBMP, LoadToolkitPicture};
const TPictureClass BitmapClass{"TBitmap", EncodeBMP, DecodeBMP};
const TPictureClass LBMBitmapClass{"TLBMBitmap", EncodeLBM, DecodeLBM};
const TPictureClass PCXBitmapClass{"TPCXBitmap", SavePCX, DecodePCX};
// TIFF and TGA get the figure as it is: a freshly drawn one, still in the display's own
// format, is refused ("Invalid Pixel Format", "Unsupported Bitmap format") until a mosaic
// has made it 24-bit.
const TPictureClass TGABitmapClass{"TTGABitmap", EncodeTGA, DecodeTGA};
const TPictureClass TIFFBitmapClass{"TTIFFBitmap", EncodeTIFF, DecodeTIFF};
const TPictureClass JPGBitmapClass{"TJPGBitmap", EncodeJPEG, DecodeJPEG};
const TPictureClass PNGBitmapClass{"TPNGBitmap", EncodePNG, DecodePNG};
const TPictureClass GIFBitmapClass{"TGIFBitmap", EncodeGIF, DecodeGIF};

}  // namespace trochodraw
