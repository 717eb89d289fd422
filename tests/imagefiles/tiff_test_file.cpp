#include "imagefiles/tiff_test_file.h"

#include <algorithm>
#include <map>

namespace trochodraw::testing {

TTestTIFF& TTestTIFF::Tag(uint16_t Tag, uint16_t Type, std::vector<uint32_t> Values) {
  FEntries.push_back({Tag, Type, std::move(Values)});
  return *this;
}

TTestTIFF& TTestTIFF::Strip(TBytes Data) {
  FStrips.push_back(std::move(Data));
  return *this;
}

TBytes TTestTIFF::Build() const {
  if (!FStripsLast) return Build(0);
  // The directory's size does not depend on the offsets, so a first pass finds where the
  // strips go.
  size_t strips = 0;
  for (const TBytes& s : FStrips) strips += s.size();
  const size_t base = Build(8).size() - strips;
  return Build(base);
}

TBytes TTestTIFF::Build(size_t StripBase) const {
  TBytes out(8, 0);
  auto put16 = [&](size_t at, uint32_t v) { FBigEndian ? PutBE16(out, at, v) : PutLE16(out, at, v); };
  auto put32 = [&](size_t at, uint32_t v) { FBigEndian ? PutBE32(out, at, v) : PutLE32(out, at, v); };
  out[0] = out[1] = FBigEndian ? 'M' : 'I';
  put16(2, 42);
  std::vector<TEntry> entries = FEntries;
  std::vector<uint32_t> offsets, counts;
  size_t next = StripBase;
  for (const TBytes& s : FStrips) {
    offsets.push_back(static_cast<uint32_t>(FStripsLast ? next : out.size()));
    counts.push_back(static_cast<uint32_t>(s.size()));
    next += s.size();
    if (!FStripsLast) out.insert(out.end(), s.begin(), s.end());
  }
  if (!FStrips.empty()) {
    entries.push_back({273, kTIFFLong, offsets});
    entries.push_back({279, kTIFFLong, counts});
  }
  std::stable_sort(entries.begin(), entries.end(), [](const TEntry& a, const TEntry& b) { return a.Tag < b.Tag; });
  std::vector<uint32_t> field(entries.size());
  for (size_t i = 0; i < entries.size(); ++i) {
    const TEntry& e = entries[i];
    const size_t size = e.Type == kTIFFShort ? 2 : e.Type == kTIFFLong ? 4 : 1;
    if (e.Values.size() * size <= 4) continue;
    if (out.size() & 1) out.push_back(0);
    field[i] = static_cast<uint32_t>(out.size());
    out.resize(out.size() + e.Values.size() * size);
    for (size_t k = 0; k < e.Values.size(); ++k) {
      const size_t at = field[i] + k * size;
      if (size == 2)
        put16(at, e.Values[k]);
      else if (size == 4)
        put32(at, e.Values[k]);
      else
        out[at] = static_cast<uint8_t>(e.Values[k]);
    }
  }
  if (out.size() & 1) out.push_back(0);
  const size_t ifd = out.size();
  put32(4, static_cast<uint32_t>(ifd));
  out.resize(ifd + 2 + 12 * entries.size() + 4, 0);
  put16(ifd, static_cast<uint32_t>(entries.size()));
  for (size_t i = 0; i < entries.size(); ++i) {
    const TEntry& e = entries[i];
    const size_t at = ifd + 2 + 12 * i;
    const size_t size = e.Type == kTIFFShort ? 2 : e.Type == kTIFFLong ? 4 : 1;
    put16(at, e.Tag);
    put16(at + 2, e.Type);
    put32(at + 4, static_cast<uint32_t>(e.Values.size()));
    if (e.Values.size() * size > 4) {
      put32(at + 8, field[i]);
      continue;
    }
    for (size_t k = 0; k < e.Values.size(); ++k) {
      if (size == 2)
        put16(at + 8 + 2 * k, e.Values[k]);
      else if (size == 4)
        put32(at + 8, e.Values[k]);
      else
        out[at + 8 + k] = static_cast<uint8_t>(e.Values[k]);
    }
  }
  if (FStripsLast)
    for (const TBytes& s : FStrips) out.insert(out.end(), s.begin(), s.end());
  return out;
}

namespace {

// Codes most significant bit first, as TIFF's LZW packs them.
class TCodeWriter {
 public:
  void Put(int Code, int Width) {
    FAcc = (FAcc << Width) | static_cast<uint32_t>(Code);
    FBits += Width;
    while (FBits >= 8) {
      FOut.push_back(static_cast<uint8_t>(FAcc >> (FBits - 8)));
      FBits -= 8;
    }
  }
  TBytes Finish() {
    if (FBits) FOut.push_back(static_cast<uint8_t>(FAcc << (8 - FBits)));
    FBits = 0;
    return std::move(FOut);
  }

 private:
  TBytes FOut;
  uint32_t FAcc = 0;
  int FBits = 0;
};

}  // namespace

TBytes TIFFLZWEncode(const TBytes& Data, bool ClearWhenFull) {
  TCodeWriter out;
  int width = 9, next = 258;
  auto emit = [&](int code) { out.Put(code, width); };
  std::map<std::pair<int, uint8_t>, int> table;
  auto added = [&] {
    if (next == 4096) return;  // a full table without clears takes no more strings
    ++next;
    if (next == 4094 && ClearWhenFull) {
      emit(256);
      table.clear();
      next = 258;
      width = 9;
    } else if (next > (1 << width) - 1 && width < 12) {
      ++width;
    }
  };
  emit(256);
  int w = -1;
  for (uint8_t c : Data) {
    if (w < 0) {
      w = c;
      continue;
    }
    const auto it = table.find({w, c});
    if (it != table.end()) {
      w = it->second;
      continue;
    }
    emit(w);
    if (next < 4096) table[{w, c}] = next;
    added();
    w = c;
  }
  if (w >= 0) {
    emit(w);
    added();
  }
  emit(257);
  return out.Finish();
}

TBytes DensestTIFFLZW(uint8_t Value, int Cycles) {
  // The k-th code of a table's cycle is read at 9 bits up to k = 254, then 10, 11 and 12 bits
  // as the table passes 511, 1023 and 2047 entries.
  auto widthOf = [](int k) { return k <= 254 ? 9 : k <= 766 ? 10 : k <= 1790 ? 11 : 12; };
  TCodeWriter out;
  for (int c = 0; c < Cycles; ++c) {
    out.Put(256, c == 0 ? 9 : 12);
    out.Put(Value, 9);
    for (int k = 2; 256 + k < 4093; ++k) out.Put(256 + k, widthOf(k));
  }
  out.Put(257, 12);
  return out.Finish();
}

}  // namespace trochodraw::testing
