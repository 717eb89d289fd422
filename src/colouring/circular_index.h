#pragma once

#include <functional>

namespace trochodraw {

// The bookkeeping of a ring of Size slots used as a stack that forgets its oldest entry:
// at most Size - 1 slots are in use; a push onto a full ring drops the oldest slot.
class TCircularIndex {
 public:
  // Size must be at least 1 ("Invalid Ring Size").
  explicit TCircularIndex(int Size);
  ~TCircularIndex();
  TCircularIndex(const TCircularIndex&) = delete;
  TCircularIndex& operator=(const TCircularIndex&) = delete;

  // Fired for every slot that leaves the ring by a drop or by Clear.
  std::function<void(int Index)> OnDrop;

  int Push();
  // The most recently pushed slot, or -1 when empty.
  int Pop();
  int Count() const;
  void Clear();
  void SetSize(int N);
  int Size() const { return FSize; }
  int Head() const { return FHead; }
  int Tail() const { return FTail; }

 private:
  int FSize;
  int FHead = 0;
  int FTail = 0;
};

}  // namespace trochodraw
