#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

namespace trochodraw {

// Failures of the block arrays, with the system's fixed texts.
class EHugeArrayError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A growable array of fixed-size items in one block, with a parallel list of untyped
// object pointers (one per item added with Add or AddObject). It grows in steps of 4, 16 or
// a quarter of the count, so appends rarely reallocate.
class THugeArray {
 public:
  // Throws "Empty Array Allocation" when Capacity × ElementSize is not positive. A capacity
  // beyond the system's free memory is cut down to what is free.
  THugeArray(int Capacity, int ElementSize);
  virtual ~THugeArray();
  THugeArray(const THugeArray&) = delete;
  THugeArray& operator=(const THugeArray&) = delete;

  int Count() const { return FCount; }
  int Capacity() const { return FCapacity; }
  int ElementSize() const { return FElementSize; }
  int InitialCapacity() const { return FInitialCapacity; }
  int Delta() const { return FDelta; }
  bool Ascending = true;

  virtual int Add(const void* Item);
  int AddObject(const void* Item, void* Object);
  // Slot Index may lie beyond Count but not outside the block (then "Range Error in Get" /
  // "Range Error in Put").
  void Get(int Index, void* Item) const;
  void Put(int Index, const void* Item);
  void* Object(int Index) const;
  // 0 <= Index <= Count, else "Range Error in Insert".
  void Insert(const void* Item, int Index, void* Object = nullptr);
  virtual void Delete(int Index);
  // From is raised to 0 and To lowered to Count - 1; an empty range then raises
  // "Range Error in DeleteRange".
  void DeleteRange(int From, int To);
  virtual void Exchange(int I, int J);
  // Sorts the items (and their objects) by Compare (< 0, 0, > 0 as for memcmp).
  virtual void CustomSort(const std::function<int(const void*, const void*)>& Compare);
  virtual void Sort() {}
  // Empties the array and shrinks it to its initial capacity.
  virtual void Clear();

 protected:
  uint8_t* Slot(int Index) { return FData.get() + size_t(Index) * size_t(FElementSize); }
  const uint8_t* Slot(int Index) const { return FData.get() + size_t(Index) * size_t(FElementSize); }
  void CheckSlot(int Index, const char* Operation) const;

 private:
  void Grow();
  void Reallocate(int NewCapacity);

  int FElementSize;
  int64_t FBytes = 0;
  std::unique_ptr<uint8_t[]> FData;
  int FDelta = 4;
  int FInitialCapacity;
  int FCapacity = 0;
  int FCount = 0;
  std::vector<void*> FObjects;
};

// Bytes of memory the system can still hand out (available RAM plus free swap), or -1 when
// it cannot be read.
int64_t FreeVirtualMemory();

}  // namespace trochodraw
