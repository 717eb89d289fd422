#include "colouring/huge_array.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <limits>
#include <new>
#include <numeric>
#include <sstream>
#include <string>

namespace trochodraw {

int64_t FreeVirtualMemory() {
  std::ifstream in("/proc/meminfo");
  if (!in) return -1;
  int64_t available = -1, swapFree = 0;
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string key;
    int64_t kb = 0;
    if (!(fields >> key >> kb)) continue;
    if (key == "MemAvailable:") available = kb * 1024;
    if (key == "SwapFree:") swapFree = kb * 1024;
  }
  return available < 0 ? -1 : available + swapFree;
}

THugeArray::THugeArray(int Capacity, int ElementSize) : FElementSize(ElementSize), FInitialCapacity(Capacity) {
  FBytes = int64_t{Capacity} * ElementSize;
  if (Capacity <= 0 || ElementSize <= 0) throw EHugeArrayError("Empty Array Allocation");
  const int64_t free = FreeVirtualMemory();
  if (free >= 0 && free < FBytes) {
    FBytes = free;
    Capacity = static_cast<int>(FBytes / ElementSize);
  }
  FData.reset(new (std::nothrow) uint8_t[size_t(std::max<int64_t>(FBytes, 1))]());
  if (!FData) throw EHugeArrayError("Out of memory");
  FCapacity = Capacity;
}

THugeArray::~THugeArray() = default;

void THugeArray::Reallocate(int NewCapacity) {
  if (NewCapacity <= 0) throw EHugeArrayError("Empty Array Allocation");
  const int64_t bytes = int64_t{NewCapacity} * FElementSize;
  std::unique_ptr<uint8_t[]> block(new (std::nothrow) uint8_t[size_t(bytes)]());
  if (!block) throw EHugeArrayError("Out of memory");
  std::memcpy(block.get(), FData.get(), size_t(std::min(FCount, NewCapacity)) * size_t(FElementSize));
  FData = std::move(block);
  FBytes = bytes;
  FCapacity = NewCapacity;
}

void THugeArray::Grow() {
  if (FCount < FCapacity) return;
  FDelta = FCount > 64 ? FCount / 4 : (FCount < 9 ? 4 : 16);
  if (FCount > std::numeric_limits<int>::max() - FDelta) throw EHugeArrayError("Out of memory");
  Reallocate(FCount + FDelta);
}

void THugeArray::CheckSlot(int Index, const char* Operation) const {
  if (Index < 0 || Index >= FCapacity) throw EHugeArrayError(std::string("Range Error in ") + Operation);
}

int THugeArray::Add(const void* Item) { return AddObject(Item, nullptr); }

int THugeArray::AddObject(const void* Item, void* Object) {
  Grow();
  std::memcpy(Slot(FCount), Item, size_t(FElementSize));
  FObjects.push_back(Object);
  return FCount++;
}

void THugeArray::Get(int Index, void* Item) const {
  CheckSlot(Index, "Get");
  std::memcpy(Item, Slot(Index), size_t(FElementSize));
}

void THugeArray::Put(int Index, const void* Item) {
  CheckSlot(Index, "Put");
  std::memmove(Slot(Index), Item, size_t(FElementSize));
}

void* THugeArray::Object(int Index) const {
  return Index >= 0 && size_t(Index) < FObjects.size() ? FObjects[size_t(Index)] : nullptr;
}

void THugeArray::Insert(const void* Item, int Index, void* Object) {
  if (Index < 0 || Index > FCount) throw EHugeArrayError("Range Error in Insert");
  // The item may live inside the block, which growing moves.
  std::vector<uint8_t> copy(static_cast<const uint8_t*>(Item), static_cast<const uint8_t*>(Item) + FElementSize);
  Grow();
  std::memmove(Slot(Index + 1), Slot(Index), size_t(FCount - Index) * size_t(FElementSize));
  std::memcpy(Slot(Index), copy.data(), size_t(FElementSize));
  FObjects.insert(FObjects.begin() + std::min<ptrdiff_t>(Index, ptrdiff_t(FObjects.size())), Object);
  ++FCount;
}

void THugeArray::Delete(int Index) {
  if (Index < 0 || Index >= FCount) throw EHugeArrayError("Range Error in Delete");
  DeleteRange(Index, Index);
}

void THugeArray::DeleteRange(int From, int To) {
  From = std::max(From, 0);
  if (To >= FCount) To = FCount - 1;
  if (To < From) throw EHugeArrayError("Range Error in DeleteRange");
  std::memmove(Slot(From), Slot(To + 1), size_t(FCount - To - 1) * size_t(FElementSize));
  FCount -= To - From + 1;
  const size_t objFrom = std::min(size_t(From), FObjects.size());
  const size_t objTo = std::min(size_t(To) + 1, FObjects.size());
  FObjects.erase(FObjects.begin() + ptrdiff_t(objFrom), FObjects.begin() + ptrdiff_t(objTo));
}

void THugeArray::Exchange(int I, int J) {
  if (I < 0 || J < 0 || I >= FCount || J >= FCount) throw EHugeArrayError("Range Error in Exchange");
  if (I == J) return;
  std::vector<uint8_t> tmp(Slot(I), Slot(I) + FElementSize);
  std::memcpy(Slot(I), Slot(J), size_t(FElementSize));
  std::memcpy(Slot(J), tmp.data(), size_t(FElementSize));
  if (size_t(std::max(I, J)) < FObjects.size()) std::swap(FObjects[size_t(I)], FObjects[size_t(J)]);
}

void THugeArray::CustomSort(const std::function<int(const void*, const void*)>& Compare) {
  std::vector<int> order(static_cast<size_t>(FCount));
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(), [&](int a, int b) { return Compare(Slot(a), Slot(b)) < 0; });
  std::vector<uint8_t> items(size_t(FCount) * size_t(FElementSize));
  std::vector<void*> objects = FObjects;
  for (size_t i = 0; i < order.size(); ++i) {
    std::memcpy(items.data() + i * size_t(FElementSize), Slot(order[i]), size_t(FElementSize));
    if (i < FObjects.size()) objects[i] = Object(order[i]);
  }
  if (!items.empty()) std::memcpy(Slot(0), items.data(), items.size());
  FObjects = std::move(objects);
}

void THugeArray::Clear() {
  FCount = 0;
  FObjects.clear();
  Reallocate(FInitialCapacity);
}

}  // namespace trochodraw
