#include "image_test_support.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace trochodraw::test {

TBitmap MakeTestPicture(TPixelFormat Format, int Width, int Height) {
  TBitmap b(Width, Height, Format);
  const int bits = TBitmap::BitsPerPixel(Format);
  const bool palette = Format == TPixelFormat::pf1bit || Format == TPixelFormat::pf4bit || Format == TPixelFormat::pf8bit;
  if (palette) {
    const int n = 1 << bits;
    auto& p = b.Palette();
    p.resize(size_t(n));
    for (int i = 0; i < n; ++i)
      p[size_t(i)] = RGBColor(uint8_t(i * 37 + 11), uint8_t(255 - i * 53), uint8_t(i * 97 + 3));
    for (int y = 0; y < Height; ++y)
      for (int x = 0; x < Width; ++x) {
        const int i = (x + y * 3) % n;
        uint8_t* row = b.ScanLine(y);
        if (bits == 8) row[x] = uint8_t(i);
        else if (bits == 4) row[x >> 1] = (x & 1) ? uint8_t((row[x >> 1] & 0xF0) | i) : uint8_t((row[x >> 1] & 0x0F) | (i << 4));
        else row[x >> 3] = i ? uint8_t(row[x >> 3] | (0x80 >> (x & 7))) : uint8_t(row[x >> 3] & ~(0x80 >> (x & 7)));
      }
    return b;
  }
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x) {
      // Multiples of 8 (and of 4 for 16-bit green) survive the 15- and 16-bit formats.
      const auto r = uint8_t((x * 24 + y * 8) & 0xF8), g = uint8_t((x * 8 + y * 40) & 0xF8),
                 bl = uint8_t((255 - x * 16 - y * 16) & 0xF8);
      b.SetPixel(x, y, RGBColor(r, g, bl));
    }
  return b;
}

TBitmap MakeSmoothPicture(TPixelFormat Format, int Width, int Height) {
  TBitmap b(Width, Height, Format);
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x) b.SetPixel(x, y, RGBColor(uint8_t(x * 4), uint8_t(y * 4), uint8_t(128 + x - y)));
  return b;
}

double MeanChannelDifference(const TBitmap& A, const TBitmap& B) {
  double sum = 0;
  for (int y = 0; y < A.Height(); ++y)
    for (int x = 0; x < A.Width(); ++x) {
      const TColor a = A.GetPixel(x, y), b = B.GetPixel(x, y);
      sum += std::abs(RedOf(a) - RedOf(b)) + std::abs(GreenOf(a) - GreenOf(b)) + std::abs(BlueOf(a) - BlueOf(b));
    }
  return A.Empty() ? 0.0 : sum / (3.0 * A.Width() * A.Height());
}

int MaxChannelDifference(const TBitmap& A, const TBitmap& B) {
  if (A.Width() != B.Width() || A.Height() != B.Height()) return -1;
  int worst = 0;
  for (int y = 0; y < A.Height(); ++y)
    for (int x = 0; x < A.Width(); ++x) {
      const TColor a = A.GetPixel(x, y), b = B.GetPixel(x, y);
      worst = std::max({worst, std::abs(RedOf(a) - RedOf(b)), std::abs(GreenOf(a) - GreenOf(b)),
                        std::abs(BlueOf(a) - BlueOf(b))});
    }
  return worst;
}

std::string FirstPixelDifference(const TBitmap& A, const TBitmap& B) {
  std::ostringstream m;
  if (A.Width() != B.Width() || A.Height() != B.Height()) {
    m << "sizes differ: " << A.Width() << "x" << A.Height() << " and " << B.Width() << "x" << B.Height();
    return m.str();
  }
  for (int y = 0; y < A.Height(); ++y)
    for (int x = 0; x < A.Width(); ++x)
      if ((A.GetPixel(x, y) & 0xFFFFFF) != (B.GetPixel(x, y) & 0xFFFFFF)) {
        m << std::hex << "pixel (" << std::dec << x << "," << y << "): " << std::hex << A.GetPixel(x, y) << " vs "
          << B.GetPixel(x, y);
        return m.str();
      }
  return "";
}

std::vector<uint8_t> ReadBytes(const std::filesystem::path& File) {
  std::ifstream in(File, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::filesystem::path& File, const std::vector<uint8_t>& Data) {
  std::ofstream out(File, std::ios::binary);
  out.write(reinterpret_cast<const char*>(Data.data()), static_cast<std::streamsize>(Data.size()));
}

void WritePPM(const TBitmap& Picture, const std::filesystem::path& File, int Maxval) {
  std::ofstream out(File, std::ios::binary);
  out << "P6\n" << Picture.Width() << " " << Picture.Height() << "\n" << Maxval << "\n";
  std::vector<char> row;
  for (int y = 0; y < Picture.Height(); ++y) {
    row.clear();
    for (int x = 0; x < Picture.Width(); ++x) {
      const TColor c = Picture.GetPixel(x, y);
      for (const uint8_t v : {RedOf(c), GreenOf(c), BlueOf(c)}) {
        if (Maxval > 255) row.push_back(char(v));  // v * 257: high and low byte both v
        row.push_back(char(v));
      }
    }
    out.write(row.data(), static_cast<std::streamsize>(row.size()));
  }
}

namespace {

int ReadHeaderNumber(std::istream& in) {
  int c = in.get();
  for (;;) {
    while (c == ' ' || c == '\n' || c == '\r' || c == '\t') c = in.get();
    if (c != '#') break;
    while (c != '\n' && c != EOF) c = in.get();
  }
  int v = 0;
  if (c < '0' || c > '9') throw std::runtime_error("bad PNM header");
  while (c >= '0' && c <= '9') {
    v = v * 10 + (c - '0');
    c = in.get();
  }
  return v;  // the single whitespace after the number is consumed
}

}  // namespace

TBitmap ReadPNM(const std::filesystem::path& File) {
  std::ifstream in(File, std::ios::binary);
  char p = 0, kind = 0;
  in.get(p).get(kind);
  if (p != 'P' || (kind != '4' && kind != '5' && kind != '6')) throw std::runtime_error("not a binary PNM: " + File.string());
  const int w = ReadHeaderNumber(in), h = ReadHeaderNumber(in);
  const int maxval = kind == '4' ? 1 : ReadHeaderNumber(in);
  TBitmap b(w, h, TPixelFormat::pf24bit);
  auto sample = [&]() {
    int v = in.get();
    if (maxval > 255) v = (v << 8) | in.get();
    return uint8_t((v * 255 + maxval / 2) / maxval);
  };
  for (int y = 0; y < h; ++y) {
    if (kind == '4') {
      std::vector<char> row(size_t((w + 7) / 8));
      in.read(row.data(), static_cast<std::streamsize>(row.size()));
      for (int x = 0; x < w; ++x) b.SetPixel(x, y, (row[size_t(x / 8)] >> (7 - x % 8)) & 1 ? clBlack : clWhite);
      continue;
    }
    for (int x = 0; x < w; ++x) {
      if (kind == '5') {
        const uint8_t g = sample();
        b.SetPixel(x, y, RGBColor(g, g, g));
      } else {
        const uint8_t r = sample(), g = sample(), bl = sample();
        b.SetPixel(x, y, RGBColor(r, g, bl));
      }
    }
  }
  if (!in) throw std::runtime_error("PNM file is truncated: " + File.string());
  return b;
}

bool HaveTool(const std::string& Name) { return Shell("command -v " + Name + " >/dev/null 2>&1") == 0; }

int Shell(const std::string& Command) {
  const int status = std::system(Command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TTempDir::TTempDir() {
  std::random_device rd;
  for (int attempt = 0; attempt < 100; ++attempt) {
    auto p = std::filesystem::temp_directory_path() / ("trochodraw-test-" + std::to_string(rd()));
    if (std::filesystem::create_directory(p)) {
      FPath = p;
      return;
    }
  }
  throw std::runtime_error("cannot make a temporary folder");
}

TTempDir::~TTempDir() {
  std::error_code ec;
  std::filesystem::remove_all(FPath, ec);
}

std::vector<std::string> TTempDir::Files() const {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(FPath)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace trochodraw::test
