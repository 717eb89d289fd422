#include "colouring/huge_string.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace trochodraw {

namespace {

int CheckedLength(int MaxLength) {
  // The length prefix is one byte.
  if (MaxLength < 0 || MaxLength > 255) throw EHugeArrayError("Invalid String Length");
  return MaxLength + 1;
}

}  // namespace

THugeString::THugeString(int Capacity, int MaxLength) : THugeArray(Capacity, CheckedLength(MaxLength)) {}

std::string THugeString::Encode(std::string_view S) const {
  const size_t n = std::min(S.size(), size_t(MaxLength()));
  std::string item(size_t(ElementSize()), '\0');
  item[0] = static_cast<char>(n);
  std::memcpy(item.data() + 1, S.data(), n);
  return item;
}

void THugeString::Put(int Index, std::string_view S) { THugeArray::Put(Index, Encode(S).data()); }

std::string THugeString::Get(int Index) const {
  CheckSlot(Index, "Get");
  const uint8_t* p = Slot(Index);
  return std::string(reinterpret_cast<const char*>(p + 1), std::min<size_t>(p[0], size_t(MaxLength())));
}

int THugeString::AddObject(std::string_view S, void* Object) { return THugeArray::AddObject(Encode(S).data(), Object); }

void THugeString::Insert(std::string_view S, int Index, void* Object) {
  THugeArray::Insert(Encode(S).data(), Index, Object);
}

void THugeString::Exchange(int I, int J) { THugeArray::Exchange(I, J); }

void THugeString::Sort() {
  const bool sensitive = CaseSensitive, ascending = Ascending;
  const int maxLength = MaxLength();
  CustomSort([=](const void* A, const void* B) {
    const auto* a = static_cast<const uint8_t*>(A);
    const auto* b = static_cast<const uint8_t*>(B);
    const size_t na = std::min<size_t>(a[0], size_t(maxLength)), nb = std::min<size_t>(b[0], size_t(maxLength));
    int r = 0;
    for (size_t i = 0; i < std::min(na, nb) && r == 0; ++i) {
      int ca = a[1 + i], cb = b[1 + i];
      if (!sensitive) ca = std::tolower(ca), cb = std::tolower(cb);
      r = ca - cb;
    }
    if (r == 0) r = na < nb ? -1 : (na > nb ? 1 : 0);
    return ascending ? r : -r;
  });
}

}  // namespace trochodraw
