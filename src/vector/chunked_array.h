#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <vector>

namespace trochodraw {

// A growable array kept in fixed blocks of 2^BlockShift items: appending never moves what is
// stored, so a long-running record costs no copy of itself and no doubling slack when it grows.
template <typename T, unsigned BlockShift = 16>
class TChunkedArray {
 public:
  static constexpr size_t kBlockSize = size_t(1) << BlockShift;

  TChunkedArray() = default;
  // A copy holds only the blocks in use: a snapshot for work on another thread.
  TChunkedArray(const TChunkedArray& Other) : FSize(Other.FSize) {
    const size_t used = (FSize + kBlockSize - 1) >> BlockShift;
    FBlocks.reserve(used);
    for (size_t b = 0; b < used; ++b) {
      FBlocks.push_back(std::make_unique<T[]>(kBlockSize));
      std::copy_n(Other.FBlocks[b].get(), kBlockSize, FBlocks[b].get());
    }
  }
  TChunkedArray& operator=(const TChunkedArray& Other) {
    if (this != &Other) *this = TChunkedArray(Other);
    return *this;
  }
  TChunkedArray(TChunkedArray&&) noexcept = default;
  TChunkedArray& operator=(TChunkedArray&&) noexcept = default;

  void PushBack(const T& Item) {
    if ((FSize & (kBlockSize - 1)) == 0 && (FSize >> BlockShift) == FBlocks.size())
      FBlocks.push_back(std::make_unique<T[]>(kBlockSize));
    FBlocks[FSize >> BlockShift][FSize & (kBlockSize - 1)] = Item;
    ++FSize;
  }
  T& operator[](size_t I) { return FBlocks[I >> BlockShift][I & (kBlockSize - 1)]; }
  const T& operator[](size_t I) const { return FBlocks[I >> BlockShift][I & (kBlockSize - 1)]; }
  T& Back() { return (*this)[FSize - 1]; }
  const T& Back() const { return (*this)[FSize - 1]; }
  size_t Size() const { return FSize; }
  bool Empty() const { return FSize == 0; }
  // Keeps the first block so that clearing and drawing again costs no allocation.
  void Clear() {
    if (FBlocks.size() > 1) FBlocks.resize(1);
    FSize = 0;
  }
  size_t MemoryBytes() const {
    return FBlocks.size() * kBlockSize * sizeof(T) + FBlocks.capacity() * sizeof(std::unique_ptr<T[]>);
  }

 private:
  std::vector<std::unique_ptr<T[]>> FBlocks;
  size_t FSize = 0;
};

}  // namespace trochodraw
