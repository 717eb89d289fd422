#include "imagefiles/jpeg_codec.h"

// jpeglib.h needs size_t and FILE declared first.
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
// After jpeglib.h: the message codes.
#include <jerror.h>

#include <string>

#include "imagefiles/decode_limits.h"

// libjpeg reports fatal errors through the error manager, which jumps back with longjmp.
// The functions that call setjmp keep only trivially destructible locals; the objects they
// work on belong to their callers, so a jump never skips a destructor.

namespace trochodraw {

namespace {

struct TJpegError {
  jpeg_error_mgr Manager;
  std::jmp_buf Jump;
  char Message[JMSG_LENGTH_MAX];
  // While rows are read, the end of the data stops decoding: the rows so far are kept and
  // the rest is not decoded from nothing, which for a large picture would take long.
  bool StopAtEnd;
  bool Truncated;
};

void OnFatal(j_common_ptr C) {
  auto* e = reinterpret_cast<TJpegError*>(C->err);
  (*C->err->format_message)(C, e->Message);
  std::longjmp(e->Jump, 1);
}

// Warnings and trace messages are not printed; damaged data decodes as well as it can.
void OnMessage(j_common_ptr C, int Level) {
  auto* e = reinterpret_cast<TJpegError*>(C->err);
  if (Level < 0 && e->StopAtEnd && C->err->msg_code == JWRN_JPEG_EOF) {
    e->Truncated = true;
    std::longjmp(e->Jump, 1);
  }
}

// The manager is the first member, so libjpeg's pointer to it is a pointer to the whole.
jpeg_error_mgr* InstallErrorManager(TJpegError& E) {
  jpeg_std_error(&E.Manager);
  E.Manager.error_exit = OnFatal;
  E.Manager.emit_message = OnMessage;
  E.Message[0] = '\0';
  E.StopAtEnd = false;
  E.Truncated = false;
  return &E.Manager;
}

struct TCompressGuard {
  jpeg_compress_struct Info{};
  unsigned char* Buffer = nullptr;
  unsigned long Size = 0;
  bool Created = false;
  ~TCompressGuard() {
    if (Created) jpeg_destroy_compress(&Info);
    std::free(Buffer);
  }
};

bool RunCompressor(TCompressGuard& G, TJpegError& E, const TBitmap& B) {
  if (setjmp(E.Jump)) return false;
  jpeg_create_compress(&G.Info);
  G.Created = true;
  jpeg_mem_dest(&G.Info, &G.Buffer, &G.Size);
  G.Info.image_width = static_cast<JDIMENSION>(B.Width());
  G.Info.image_height = static_cast<JDIMENSION>(B.Height());
  G.Info.input_components = 3;
  G.Info.in_color_space = JCS_EXT_BGR;  // the 24-bit bitmap's own byte order
  jpeg_set_defaults(&G.Info);
  jpeg_set_quality(&G.Info, 100, TRUE);
  G.Info.dct_method = JDCT_FLOAT;
  jpeg_start_compress(&G.Info, TRUE);
  while (G.Info.next_scanline < G.Info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(B.ScanLine(static_cast<int>(G.Info.next_scanline)));
    jpeg_write_scanlines(&G.Info, &row, 1);
  }
  jpeg_finish_compress(&G.Info);
  return true;
}

}  // namespace

std::vector<uint8_t> EncodeJPEG(const TBitmap& B) {
  if (B.Empty()) throw EImageError("Cannot write JPEG file: the picture is empty");
  if (B.Width() > JPEG_MAX_DIMENSION || B.Height() > JPEG_MAX_DIMENSION)
    throw EImageError("Cannot write JPEG file: a JPEG picture is at most " + std::to_string(JPEG_MAX_DIMENSION) +
                      " pixels wide and high");
  const TBitmap* source = &B;
  TBitmap copy;
  if (B.PixelFormat() != TPixelFormat::pf24bit) {
    copy = B;
    copy.SetPixelFormat(TPixelFormat::pf24bit);
    source = &copy;
  }
  TJpegError error;
  TCompressGuard g;
  g.Info.err = InstallErrorManager(error);
  if (!RunCompressor(g, error, *source)) throw EImageError(std::string("Cannot write JPEG file: ") + error.Message);
  return std::vector<uint8_t>(g.Buffer, g.Buffer + g.Size);
}

namespace {

// A progressive file can hold any number of scans, each a pass over the whole picture;
// far more than any encoder writes means a hostile file.
constexpr int kMaxScans = 500;
// The library's own working memory (coefficient buffers of progressive files).
constexpr long kMaxWorkingMemory = 512L << 20;

struct TDecompressGuard {
  jpeg_decompress_struct Info{};
  jpeg_progress_mgr Progress{};
  bool Created = false;
  ~TDecompressGuard() {
    if (Created) jpeg_destroy_decompress(&Info);
  }
};

void OnProgress(j_common_ptr C) {
  if (!C->is_decompressor) return;
  auto* d = reinterpret_cast<j_decompress_ptr>(C);
  if (d->input_scan_number > kMaxScans) {
    auto* e = reinterpret_cast<TJpegError*>(C->err);
    std::snprintf(e->Message, sizeof e->Message, "more than %d scans", kMaxScans);
    std::longjmp(e->Jump, 1);
  }
}

bool RunHeaderReader(TDecompressGuard& G, TJpegError& E, const uint8_t* Data, size_t Size) {
  if (setjmp(E.Jump)) return false;
  jpeg_create_decompress(&G.Info);
  G.Created = true;
  G.Info.mem->max_memory_to_use = kMaxWorkingMemory;
  G.Progress.progress_monitor = OnProgress;
  G.Info.progress = &G.Progress;
  jpeg_mem_src(&G.Info, Data, static_cast<unsigned long>(Size));
  jpeg_read_header(&G.Info, TRUE);
  const bool cmyk = G.Info.jpeg_color_space == JCS_CMYK || G.Info.jpeg_color_space == JCS_YCCK;
  G.Info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
  return true;
}

bool RunStart(TDecompressGuard& G, TJpegError& E) {
  if (setjmp(E.Jump)) return false;
  jpeg_start_decompress(&G.Info);
  return true;
}

bool RunScanlines(TDecompressGuard& G, TJpegError& E, JSAMPARRAY Rows, JSAMPROW CmykRow) {
  if (setjmp(E.Jump)) return false;
  E.StopAtEnd = true;
  while (G.Info.output_scanline < G.Info.output_height) {
    if (CmykRow) {
      // One row at a time through the CMYK buffer; the caller converts it.
      const JDIMENSION y = G.Info.output_scanline;
      jpeg_read_scanlines(&G.Info, &CmykRow, 1);
      const bool inverted = G.Info.saw_Adobe_marker;
      JSAMPROW d = Rows[y];
      for (JDIMENSION x = 0; x < G.Info.output_width; ++x) {
        unsigned c = CmykRow[4 * x], m = CmykRow[4 * x + 1], yl = CmykRow[4 * x + 2], k = CmykRow[4 * x + 3];
        if (!inverted) c = 255 - c, m = 255 - m, yl = 255 - yl, k = 255 - k;
        d[3 * x] = static_cast<JSAMPLE>(yl * k / 255);
        d[3 * x + 1] = static_cast<JSAMPLE>(m * k / 255);
        d[3 * x + 2] = static_cast<JSAMPLE>(c * k / 255);
      }
    } else {
      jpeg_read_scanlines(&G.Info, Rows + G.Info.output_scanline, G.Info.output_height - G.Info.output_scanline);
    }
  }
  jpeg_finish_decompress(&G.Info);
  return true;
}

}  // namespace

TBitmap DecodeJPEG(const uint8_t* Data, size_t Size) {
  if (Size < 4 || Data[0] != 0xFF || Data[1] != 0xD8) throw EImageError("Cannot read JPEG file: not a JPEG file");
  TJpegError error;
  TDecompressGuard g;
  g.Info.err = InstallErrorManager(error);
  auto fail = [&]() { throw EImageError(std::string("Cannot read JPEG file: ") + error.Message); };
  if (!RunHeaderReader(g, error, Data, Size)) fail();
  CheckPictureSize(g.Info.image_width, g.Info.image_height);
  TBitmap out(static_cast<int>(g.Info.image_width), static_cast<int>(g.Info.image_height), TPixelFormat::pf24bit);
  if (!RunStart(g, error)) fail();
  if (g.Info.output_width != g.Info.image_width || g.Info.output_height != g.Info.image_height)
    throw EImageError("Cannot read JPEG file: unexpected output size");
  std::vector<JSAMPROW> rows(static_cast<size_t>(out.Height()));
  for (int y = 0; y < out.Height(); ++y) rows[size_t(y)] = out.ScanLine(y);
  std::vector<JSAMPLE> cmyk;
  if (g.Info.out_color_space == JCS_CMYK) cmyk.resize(size_t(out.Width()) * 4);
  if (!RunScanlines(g, error, rows.data(), cmyk.empty() ? nullptr : cmyk.data()) && !error.Truncated) fail();
  return out;
}

}  // namespace trochodraw
