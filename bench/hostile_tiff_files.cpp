#include "hostile_tiff_files.h"

#include <algorithm>

namespace trochodraw {

namespace {

constexpr uint32_t kLZW = 5;

void Put16(std::vector<uint8_t>& F, uint32_t V) { F.insert(F.end(), {uint8_t(V), uint8_t(V >> 8)}); }
void Put32(std::vector<uint8_t>& F, uint32_t V) {
  Put16(F, V & 0xFFFF);
  Put16(F, V >> 16);
}

// LZW codes of one byte value, each code one byte longer than the one before and a clear code
// whenever the table fills, until they give at least Out bytes: the densest stream there is.
std::vector<uint8_t> DensestLZW(uint8_t Value, uint64_t Out) {
  std::vector<uint8_t> bytes;
  uint64_t acc = 0;
  int pending = 0;
  auto put = [&](int Code, int Width) {
    acc = (acc << Width) | uint64_t(Code);
    for (pending += Width; pending >= 8; pending -= 8) bytes.push_back(uint8_t(acc >> (pending - 8)));
  };
  uint64_t made = 0;
  int width = 9;
  while (made < Out) {
    put(256, width);
    width = 9;
    put(Value, width);
    made += 1;
    for (int k = 2; 256 + k < 4093 && made < Out; ++k) {
      put(256 + k, width);
      made += uint64_t(k);
      if (257 + k >= (1 << width) - 1 && width < 12) ++width;  // the reader widens one code early
    }
  }
  put(257, width);
  if (pending) bytes.push_back(uint8_t(acc << (8 - pending)));
  return bytes;
}

// A little-endian file of 8-bit grey: the strip data, the strip offsets and byte counts (when
// Counts is not empty), then the directory.
std::vector<uint8_t> GreyTIFF(uint32_t Width, uint32_t Height, uint32_t RowsPerStrip, const std::vector<uint8_t>& Data,
                              const std::vector<uint32_t>& Offsets, const std::vector<uint32_t>& Counts) {
  std::vector<uint8_t> f(8 + Data.size());
  f[0] = f[1] = 'I';
  f[2] = 42;
  std::copy(Data.begin(), Data.end(), f.begin() + 8);
  auto array = [&](const std::vector<uint32_t>& Values) {
    const auto at = uint32_t(f.size());
    for (uint32_t v : Values) Put32(f, v);
    return Values.size() == 1 ? Values[0] : at;
  };
  const uint32_t offsets = array(Offsets);
  const uint32_t counts = Counts.empty() ? 0 : array(Counts);
  const auto ifd = uint32_t(f.size());
  f[4] = uint8_t(ifd), f[5] = uint8_t(ifd >> 8), f[6] = uint8_t(ifd >> 16), f[7] = uint8_t(ifd >> 24);
  struct TEntry {
    uint16_t Tag, Type;
    uint32_t Count, Value;
  };
  std::vector<TEntry> entries = {{256, 4, 1, Width},      {257, 4, 1, Height},
                                 {258, 3, 1, 8},          {259, 3, 1, kLZW},
                                 {273, 4, uint32_t(Offsets.size()), offsets}, {278, 4, 1, RowsPerStrip}};
  if (!Counts.empty()) entries.push_back({279, 4, uint32_t(Counts.size()), counts});
  Put16(f, uint32_t(entries.size()));
  for (const TEntry& e : entries) {
    Put16(f, e.Tag);
    Put16(f, e.Type);
    Put32(f, e.Count);
    Put32(f, e.Value);
  }
  Put32(f, 0);
  return f;
}

// Sets the height of a file made by GreyTIFF.
void SetHeight(std::vector<uint8_t>& F, uint32_t Height) {
  const size_t at = F[4] | size_t(F[5]) << 8 | size_t(F[6]) << 16 | size_t(F[7]) << 24;
  for (int i = 0; i < 4; ++i) F[at + 2 + 12 + 8 + size_t(i)] = uint8_t(Height >> (8 * i));
}

// The most rows of RowBytes the reader lets a file claim whose strips run from byte 8 to the end.
uint32_t MostRows(const std::vector<uint8_t>& F, uint64_t RowBytes) {
  return uint32_t((1366 * uint64_t(F.size() - 8) + 4096) / RowBytes);
}

}  // namespace

std::vector<THostileTIFF> HostileTIFFs(size_t Bytes) {
  std::vector<THostileTIFF> files;
  const size_t room = Bytes - 200;  // for the header and the directory
  uint64_t out = 1362 * uint64_t(room);
  std::vector<uint8_t> dense;
  while ((dense = DensestLZW(9, out)).size() > room) out -= out / 100;
  for (uint32_t width : {16384u, 1u}) {
    std::vector<uint8_t> f = GreyTIFF(width, 1, 0, dense, {8}, {});
    SetHeight(f, MostRows(f, width < 4 ? 4 : width));
    files.push_back({"densest LZW, " + std::to_string(width) + " wide", f});
  }

  // One-row strips that all read one row's data, without byte counts to tell them apart.
  const uint32_t width = 5400;
  const std::vector<uint8_t> row = DensestLZW(9, width);
  const auto strips = uint32_t((room - row.size()) / 4);
  std::vector<uint8_t> shared = GreyTIFF(width, 1, 1, row, std::vector<uint32_t>(strips, 8), {});
  SetHeight(shared, std::min(strips, MostRows(shared, width)));
  files.push_back({"one-row strips share a row", shared});
  // The same with byte counts, and offsets that lie past the end of the file.
  const auto counted = uint32_t((room - row.size()) / 8);
  files.push_back({"shared strips, byte counts",
                   GreyTIFF(width, counted, 1, row, std::vector<uint32_t>(counted, 8),
                            std::vector<uint32_t>(counted, uint32_t(row.size())))});
  const auto past = uint32_t(room / 4);
  files.push_back({"offsets past the end", GreyTIFF(1, past, 1, {}, std::vector<uint32_t>(past, 0xFFFFFF00u), {})});
  return files;
}

}  // namespace trochodraw
