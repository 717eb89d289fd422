#pragma once

#include "colouring/huge_array.h"
#include "machine/vector2.h"

namespace trochodraw {

// A block array of integer points (two 32-bit values each).
class THugePoint : public THugeArray {
 public:
  explicit THugePoint(int Capacity) : THugeArray(Capacity, sizeof(TPoint)) {}

  void Put(int Index, TPoint P) { THugeArray::Put(Index, &P); }
  TPoint Get(int Index) const {
    TPoint p;
    THugeArray::Get(Index, &p);
    return p;
  }
  int Add(TPoint P) { return THugeArray::AddObject(&P, nullptr); }
  int Add(int32_t X, int32_t Y) { return Add(TPoint{X, Y}); }
  int AddObject(TPoint P, void* Object) { return THugeArray::AddObject(&P, Object); }
  void Insert(TPoint P, int Index, void* Object = nullptr) { THugeArray::Insert(&P, Index, Object); }
};

}  // namespace trochodraw
