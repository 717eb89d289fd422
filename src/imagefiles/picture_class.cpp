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

// A freshly drawn figure is still in the display's own format, which the TIFF and TGA
// writers do not take; like JPEG and PCX they get a 24-bit copy of it. Other formats go to
// the codec as they are, and the codec refuses what it cannot write.
TBitmap DeviceAs24Bit(const TBitmap& Figure) {
  TBitmap copy(Figure);
  if (copy.PixelFormat() == TPixelFormat::pfDevice) copy.SetPixelFormat(TPixelFormat::pf24bit);
  return copy;
}

std::vector<uint8_t> SaveTIFF(const TBitmap& Figure) {
  if (Figure.PixelFormat() != TPixelFormat::pfDevice) return EncodeTIFF(Figure);
  return EncodeTIFF(DeviceAs24Bit(Figure));
}

std::vector<uint8_t> SaveTGA(const TBitmap& Figure) {
  if (Figure.PixelFormat() != TPixelFormat::pfDevice) return EncodeTGA(Figure);
  return EncodeTGA(DeviceAs24Bit(Figure));
}

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
const TPictureClass TGABitmapClass{"TTGABitmap", SaveTGA, DecodeTGA};
const TPictureClass TIFFBitmapClass{"TTIFFBitmap", SaveTIFF, DecodeTIFF};
const TPictureClass JPGBitmapClass{"TJPGBitmap", EncodeJPEG, DecodeJPEG};
const TPictureClass PNGBitmapClass{"TPNGBitmap", EncodePNG, DecodePNG};
const TPictureClass GIFBitmapClass{"TGIFBitmap", EncodeGIF, DecodeGIF};

}  // namespace trochodraw
