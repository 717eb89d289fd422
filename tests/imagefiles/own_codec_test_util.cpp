#include "imagefiles/own_codec_test_util.h"

#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace trochodraw::testing {

TBitmap PatternBitmap(int Width, int Height, TPixelFormat Format, uint32_t Seed) {
  TBitmap b(Width, Height, Format);
  uint32_t s = Seed * 2654435761u + 12345u;
  auto next = [&s] {
    s = s * 1664525u + 1013904223u;
    return s >> 8;
  };
  const int bits = TBitmap::BitsPerPixel(Format);
  if (bits <= 8) {
    for (TColor& c : b.Palette()) c = next() & 0xFFFFFF;
    b.Palette()[0] = clBlack;
    b.Palette().back() = clWhite;
  }
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x) {
      // Runs of equal pixels and noise, so run-length coders meet both.
      const bool run = ((x / 5 + y) % 3) == 0;
      const TColor c = run ? RGBColor(uint8_t(40 * y), 200, uint8_t(7 * x)) : (next() & 0xFFFFFF);
      if (bits <= 8)
        b.SetPixel(x, y, b.Palette()[(run ? 1 : next()) % b.Palette().size()]);
      else
        b.SetPixel(x, y, c);
    }
  return b;
}

::testing::AssertionResult SamePixels(const TBitmap& Expected, const TBitmap& Actual, int Tolerance) {
  if (Expected.Width() != Actual.Width() || Expected.Height() != Actual.Height())
    return ::testing::AssertionFailure() << "size " << Actual.Width() << "x" << Actual.Height() << ", expected "
                                         << Expected.Width() << "x" << Expected.Height();
  for (int y = 0; y < Expected.Height(); ++y)
    for (int x = 0; x < Expected.Width(); ++x) {
      const TColor e = Expected.GetPixel(x, y), a = Actual.GetPixel(x, y);
      const auto off = [&](uint8_t (*Of)(TColor)) { return std::abs(int(Of(e)) - int(Of(a))) > Tolerance; };
      if (off(RedOf) || off(GreenOf) || off(BlueOf)) {
        char text[96];
        std::snprintf(text, sizeof text, "pixel (%d,%d) is %06X, expected %06X (0xBBGGRR)", x, y, a, e);
        return ::testing::AssertionFailure() << text;
      }
    }
  return ::testing::AssertionSuccess();
}

uint32_t LE16(const TBytes& B, size_t At) { return B.at(At) | (B.at(At + 1) << 8); }
uint32_t LE32(const TBytes& B, size_t At) { return LE16(B, At) | (LE16(B, At + 2) << 16); }
uint32_t BE16(const TBytes& B, size_t At) { return (B.at(At) << 8) | B.at(At + 1); }
uint32_t BE32(const TBytes& B, size_t At) { return (BE16(B, At) << 16) | BE16(B, At + 2); }
void PutLE16(TBytes& B, size_t At, uint32_t V) {
  B.at(At) = uint8_t(V);
  B.at(At + 1) = uint8_t(V >> 8);
}
void PutLE32(TBytes& B, size_t At, uint32_t V) {
  PutLE16(B, At, V);
  PutLE16(B, At + 2, V >> 16);
}
void PutBE16(TBytes& B, size_t At, uint32_t V) {
  B.at(At) = uint8_t(V >> 8);
  B.at(At + 1) = uint8_t(V);
}
void PutBE32(TBytes& B, size_t At, uint32_t V) {
  PutBE16(B, At, V >> 16);
  PutBE16(B, At + 2, V);
}
TBytes Slice(const TBytes& B, size_t At, size_t N) {
  return TBytes(B.begin() + static_cast<long>(At), B.begin() + static_cast<long>(At + N));
}

std::string ErrorOf(const std::function<void()>& Body) {
  try {
    Body();
  } catch (const EImageError& e) {
    return e.what();
  }
  return "";
}

TTempDir::TTempDir() {
  char name[] = "/tmp/trochodraw-codec-XXXXXX";
  const char* made = ::mkdtemp(name);
  if (!made) throw std::runtime_error("no temporary folder");
  FPath = made;
}

TTempDir::~TTempDir() {
  std::error_code ec;
  std::filesystem::remove_all(FPath, ec);
}

TBytes ToPPM(const TBitmap& B) {
  const std::string head = "P6\n" + std::to_string(B.Width()) + " " + std::to_string(B.Height()) + "\n255\n";
  TBytes out(head.begin(), head.end());
  for (int y = 0; y < B.Height(); ++y)
    for (int x = 0; x < B.Width(); ++x) {
      const TColor c = B.GetPixel(x, y);
      out.push_back(RedOf(c));
      out.push_back(GreenOf(c));
      out.push_back(BlueOf(c));
    }
  return out;
}

TBitmap FromPNM(const TBytes& Data) {
  size_t at = 0;
  auto token = [&]() {
    std::string t;
    while (at < Data.size()) {
      const char c = static_cast<char>(Data[at]);
      if (c == '#') {
        while (at < Data.size() && Data[at] != '\n') ++at;
      } else if (std::isspace(static_cast<unsigned char>(c))) {
        ++at;
        if (!t.empty()) return t;
      } else {
        t += c;
        ++at;
      }
    }
    return t;
  };
  const std::string magic = token();
  const int w = std::stoi(token()), h = std::stoi(token());
  const int maxval = magic == "P4" ? 1 : std::stoi(token());
  if (maxval != 255 && magic != "P4") throw std::runtime_error("maxval " + std::to_string(maxval));
  TBitmap b(w, h, TPixelFormat::pf24bit);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      TColor c;
      if (magic == "P6") {
        c = RGBColor(Data.at(at), Data.at(at + 1), Data.at(at + 2));
        at += 3;
      } else if (magic == "P5") {
        c = RGBColor(Data.at(at), Data.at(at), Data.at(at));
        ++at;
      } else {
        const size_t rowBytes = (size_t(w) + 7) / 8;
        const bool black = (Data.at(at + size_t(y) * rowBytes + size_t(x) / 8) >> (7 - x % 8)) & 1;
        c = black ? clBlack : clWhite;
      }
      b.SetPixel(x, y, c);
    }
  return b;
}

TBytes ReadFile(const std::string& Name) {
  std::ifstream in(Name, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  const std::string t = s.str();
  return TBytes(t.begin(), t.end());
}

void WriteFile(const std::string& Name, const TBytes& Data) {
  std::ofstream out(Name, std::ios::binary);
  out.write(reinterpret_cast<const char*>(Data.data()), static_cast<std::streamsize>(Data.size()));
}

bool HaveTool(const std::string& Name) { return RunQuietly("command -v " + Name); }

bool RunQuietly(const std::string& Command) { return std::system(("{ " + Command + "; } >/dev/null 2>&1").c_str()) == 0; }

}  // namespace trochodraw::testing
