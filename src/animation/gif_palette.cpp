#include "animation/gif_palette.h"

#include <algorithm>
#include <cmath>
#include <queue>

namespace trochodraw {

namespace {

inline uint32_t KeyOf(uint8_t R, uint8_t G, uint8_t B) {
  return 0x1000000u | (static_cast<uint32_t>(R) << 16) | (static_cast<uint32_t>(G) << 8) | B;
}
inline uint32_t Hash(uint32_t K) { return (K * 2654435761u) >> 7; }
inline int Channel(uint32_t Key, int C) { return static_cast<int>((Key >> (16 - 8 * C)) & 0xFF); }

struct TColourCount {
  uint32_t Key;
  uint32_t Count;
};

// A box of colours (a range of the sorted list) in median cut.
struct TBox {
  size_t Begin, End;
  int Axis = 0;
  int Range = 0;
  double Weight = 0;  // pixels in the box
  double Priority() const { return Range * std::sqrt(Weight); }
};

void Measure(TBox& B, const std::vector<TColourCount>& C) {
  int lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
  B.Weight = 0;
  for (size_t i = B.Begin; i < B.End; ++i) {
    for (int c = 0; c < 3; ++c) {
      lo[c] = std::min(lo[c], Channel(C[i].Key, c));
      hi[c] = std::max(hi[c], Channel(C[i].Key, c));
    }
    B.Weight += C[i].Count;
  }
  B.Axis = 0;
  for (int c = 1; c < 3; ++c)
    if (hi[c] - lo[c] > hi[B.Axis] - lo[B.Axis]) B.Axis = c;
  B.Range = B.End - B.Begin > 1 ? hi[B.Axis] - lo[B.Axis] : 0;
}

// Orders C[Begin, End) by one channel: a counting sort, as the keys are bytes.
void SortByChannel(std::vector<TColourCount>& C, size_t Begin, size_t End, int Axis,
                   std::vector<TColourCount>& Scratch) {
  size_t start[257] = {};
  for (size_t i = Begin; i < End; ++i) ++start[Channel(C[i].Key, Axis) + 1];
  for (int v = 0; v < 256; ++v) start[v + 1] += start[v];
  Scratch.resize(End - Begin);
  for (size_t i = Begin; i < End; ++i) Scratch[start[Channel(C[i].Key, Axis)]++] = C[i];
  std::copy(Scratch.begin(), Scratch.end(), C.begin() + static_cast<std::ptrdiff_t>(Begin));
}

}  // namespace

TGifPalette::TGifPalette(int MaxColours) : FMax(std::clamp(MaxColours, 1, 256)) { FTable.resize(1024); }

void TGifPalette::Clear() {
  if (FUsed) std::fill(FTable.begin(), FTable.end(), TEntry{0, 0, 0});
  FUsed = 0;
  FPalette.clear();
}

TGifPalette::TEntry& TGifPalette::Slot(uint32_t Key) {
  const size_t mask = FTable.size() - 1;
  for (size_t i = Hash(Key) & mask;; i = (i + 1) & mask) {
    TEntry& e = FTable[i];
    if (e.Key == Key || e.Key == 0) return e;
  }
}

const TGifPalette::TEntry* TGifPalette::Find(uint32_t Key) const {
  const size_t mask = FTable.size() - 1;
  for (size_t i = Hash(Key) & mask;; i = (i + 1) & mask) {
    const TEntry& e = FTable[i];
    if (e.Key == Key) return &e;
    if (e.Key == 0) return nullptr;
  }
}

void TGifPalette::Grow() {
  std::vector<TEntry> old(FTable.size() * 2, TEntry{0, 0, 0});
  old.swap(FTable);
  for (const TEntry& e : old)
    if (e.Key) Slot(e.Key) = e;
}

void TGifPalette::Count(uint8_t R, uint8_t G, uint8_t B) {
  const uint32_t key = KeyOf(R, G, B);
  TEntry* e = &Slot(key);
  if (e->Key == 0) {
    if ((FUsed + 1) * 2 > FTable.size()) {
      Grow();
      e = &Slot(key);
    }
    e->Key = key;
    ++FUsed;
  }
  ++e->Count;
}

void TGifPalette::Build() {
  FPalette.clear();
  std::vector<TColourCount> colours;
  colours.reserve(FUsed);
  for (const TEntry& e : FTable)
    if (e.Key) colours.push_back({e.Key, e.Count});
  if (colours.empty()) colours.push_back({KeyOf(0, 0, 0), 1});

  std::vector<TBox> boxes;
  if (colours.size() <= static_cast<size_t>(FMax)) {
    for (size_t i = 0; i < colours.size(); ++i) boxes.push_back({i, i + 1});
  } else {
    auto cmp = [](const TBox& a, const TBox& b) { return a.Priority() < b.Priority(); };
    std::priority_queue<TBox, std::vector<TBox>, decltype(cmp)> queue(cmp);
    std::vector<TColourCount> scratch;
    TBox all{0, colours.size()};
    Measure(all, colours);
    queue.push(all);
    while (queue.size() < static_cast<size_t>(FMax) && queue.top().Range > 0) {
      TBox b = queue.top();
      queue.pop();
      const int axis = b.Axis;
      SortByChannel(colours, b.Begin, b.End, axis, scratch);
      // Split where half of the box's pixels lie on either side, keeping both sides non-empty.
      double half = b.Weight / 2, seen = 0;
      size_t cut = b.Begin + 1;
      for (size_t i = b.Begin; i < b.End - 1; ++i) {
        seen += colours[i].Count;
        cut = i + 1;
        if (seen >= half) break;
      }
      TBox lo{b.Begin, cut}, hi{cut, b.End};
      Measure(lo, colours);
      Measure(hi, colours);
      queue.push(lo);
      queue.push(hi);
    }
    while (!queue.empty()) {
      boxes.push_back(queue.top());
      queue.pop();
    }
  }
  for (const TBox& b : boxes) {
    double sum[3] = {0, 0, 0}, weight = 0;
    for (size_t i = b.Begin; i < b.End; ++i) {
      for (int c = 0; c < 3; ++c) sum[c] += static_cast<double>(Channel(colours[i].Key, c)) * colours[i].Count;
      weight += colours[i].Count;
    }
    for (int c = 0; c < 3; ++c) FPalette.push_back(static_cast<uint8_t>(std::lround(sum[c] / std::max(weight, 1.0))));
  }
  // Each counted colour to the entry of its box: with few colours that is the colour itself;
  // with many, the box's mean, which lies near every colour of a box this small.
  for (size_t b = 0; b < boxes.size(); ++b)
    for (size_t i = boxes[b].Begin; i < boxes[b].End; ++i) Slot(colours[i].Key).Index = static_cast<uint32_t>(b);
}

uint8_t TGifPalette::IndexOf(uint8_t R, uint8_t G, uint8_t B) const {
  const TEntry* e = Find(KeyOf(R, G, B));
  return e ? static_cast<uint8_t>(e->Index) : 0;
}

}  // namespace trochodraw
