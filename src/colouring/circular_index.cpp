#include "colouring/circular_index.h"

#include "colouring/huge_array.h"

namespace trochodraw {

TCircularIndex::TCircularIndex(int Size) : FSize(Size) {
  if (Size < 1) throw EHugeArrayError("Invalid Ring Size");
}

TCircularIndex::~TCircularIndex() {
  try {
    Clear();
  } catch (...) {
    // A drop handler that fails must not take the program down with it.
  }
}

int TCircularIndex::Push() {
  const int slot = FHead;
  if (++FHead == FSize) FHead = 0;
  if (FHead == FTail) {
    const int dropped = FTail;
    if (++FTail == FSize) FTail = 0;
    if (OnDrop) OnDrop(dropped);
  }
  return slot;
}

int TCircularIndex::Pop() {
  if (FHead == FTail) return -1;
  FHead = FHead == 0 ? FSize - 1 : FHead - 1;
  return FHead;
}

int TCircularIndex::Count() const { return FHead >= FTail ? FHead - FTail : FSize + FHead - FTail; }

void TCircularIndex::Clear() {
  for (int slot = Pop(); slot >= 0; slot = Pop())
    if (OnDrop) OnDrop(slot);
  FHead = FTail = 0;
}

void TCircularIndex::SetSize(int N) {
  if (N == FSize) return;
  if (N < 1) throw EHugeArrayError("Invalid Ring Size");
  Clear();
  FSize = N;
}

}  // namespace trochodraw
