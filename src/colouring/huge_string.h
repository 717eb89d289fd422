#pragma once

#include <string>
#include <string_view>

#include "colouring/huge_array.h"

namespace trochodraw {

// A block array of length-prefixed byte strings of at most MaxLength (0..255) bytes.
class THugeString : public THugeArray {
 public:
  THugeString(int Capacity, int MaxLength);

  int MaxLength() const { return ElementSize() - 1; }
  bool CaseSensitive = true;

  // Longer strings are cut to MaxLength bytes.
  void Put(int Index, std::string_view S);
  std::string Get(int Index) const;
  int Add(std::string_view S) { return AddObject(S, nullptr); }
  int AddObject(std::string_view S, void* Object);
  void Insert(std::string_view S, int Index, void* Object = nullptr);

  void Exchange(int I, int J) override;
  // Text order by Ascending and CaseSensitive (ASCII letters folded when not sensitive).
  void Sort() override;

 private:
  std::string Encode(std::string_view S) const;
};

}  // namespace trochodraw
