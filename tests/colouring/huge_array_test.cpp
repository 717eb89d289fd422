#include "colouring/huge_array.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

#include "colouring/circular_index.h"
#include "colouring/huge_point.h"
#include "colouring/huge_string.h"
#include "colouring/temp_folder.h"

namespace trochodraw {
namespace {

std::vector<int32_t> Xs(const THugePoint& A) {
  std::vector<int32_t> out;
  for (int i = 0; i < A.Count(); ++i) out.push_back(A.Get(i).X);
  return out;
}

// Points (i, -i) for i = 0..N - 1.
std::unique_ptr<THugePoint> Numbered(int N) {
  auto a = std::make_unique<THugePoint>(5);
  for (int i = 0; i < N; ++i) a->Add(i, -i);
  return a;
}

TEST(HugeArray, GrowsInStepsOfFourSixteenOrAQuarter) {
  THugePoint a(5);
  std::vector<int> capacities = {a.Capacity()};
  for (int i = 0; i < 100; ++i) {
    a.Add(i, i);
    if (a.Capacity() != capacities.back()) capacities.push_back(a.Capacity());
  }
  EXPECT_EQ(capacities, (std::vector<int>{5, 9, 25, 41, 57, 73, 91, 113}));
  EXPECT_EQ(a.Get(99), (TPoint{99, 99}));
  a.Clear();
  EXPECT_EQ(a.Count(), 0);
  EXPECT_EQ(a.Capacity(), 5);
}

TEST(HugeArray, DeleteRange) {
  struct Case {
    int Count, From, To;
    int Left;       // items left, or -1 for the range error
    int FirstLeft;  // the first item left
  };
  const Case cases[] = {{1500, 0, 999, 500, 1000}, {10, -3, 5000, 0, 0}, {10, 5, 2, -1, 0},
                        {10, 3, 3, 9, 0},          {10, 10, 12, -1, 0},  {0, 0, 0, -1, 0}};
  for (const Case& c : cases) {
    const auto a = Numbered(c.Count);
    if (c.Left < 0) {
      EXPECT_EQ(ErrorText<EHugeArrayError>([&] { a->DeleteRange(c.From, c.To); }), "Range Error in DeleteRange");
      EXPECT_EQ(a->Count(), c.Count);
      continue;
    }
    a->DeleteRange(c.From, c.To);
    ASSERT_EQ(a->Count(), c.Left) << c.From << ".." << c.To;
    if (c.Left) {
      EXPECT_EQ(a->Get(0).X, c.FirstLeft);
    }
  }
  const auto a = Numbered(1500);
  a->DeleteRange(0, 999);
  EXPECT_EQ(a->Get(499), (TPoint{1499, -1499}));
}

TEST(HugeArray, Errors) {
  for (auto [capacity, size] : {std::pair{0, 8}, {5, 0}, {-1, 8}, {5, -8}})
    EXPECT_EQ(ErrorText<EHugeArrayError>([&] { THugeArray a(capacity, size); }), "Empty Array Allocation");
  THugePoint a(5);
  a.Put(4, {7, 8});  // slots below the capacity may be used before they are counted
  EXPECT_EQ(a.Get(4), (TPoint{7, 8}));
  EXPECT_EQ(ErrorText<EHugeArrayError>([&] { a.Put(5, {1, 1}); }), "Range Error in Put");
  EXPECT_EQ(ErrorText<EHugeArrayError>([&] { a.Get(-1); }), "Range Error in Get");
  EXPECT_EQ(ErrorText<EHugeArrayError>([&] { a.Insert({1, 1}, 1); }), "Range Error in Insert");
  EXPECT_EQ(ErrorText<EHugeArrayError>([&] { a.Delete(0); }), "Range Error in Delete");
  EXPECT_EQ(ErrorText<EHugeArrayError>([&] { THugeString s(5, 256); }), "Invalid String Length");
}

TEST(HugeArray, InsertDeleteExchangeKeepObjectsAlongside) {
  int tags[4];
  THugePoint a(2);
  a.AddObject({0, 0}, &tags[0]);
  a.AddObject({2, 0}, &tags[2]);
  a.Insert({1, 0}, 1, &tags[1]);
  a.Insert({3, 0}, 3, &tags[3]);
  EXPECT_EQ(Xs(a), (std::vector<int32_t>{0, 1, 2, 3}));
  a.Exchange(0, 3);
  EXPECT_EQ(Xs(a), (std::vector<int32_t>{3, 1, 2, 0}));
  EXPECT_EQ(a.Object(0), &tags[3]);
  a.Delete(1);
  EXPECT_EQ(Xs(a), (std::vector<int32_t>{3, 2, 0}));
  EXPECT_EQ(a.Object(1), &tags[2]);
  a.CustomSort(
      [](const void* l, const void* r) { return static_cast<const TPoint*>(l)->X - static_cast<const TPoint*>(r)->X; });
  EXPECT_EQ(Xs(a), (std::vector<int32_t>{0, 2, 3}));
  EXPECT_EQ(a.Object(0), &tags[0]);
  EXPECT_EQ(a.Object(2), &tags[3]);
}

TEST(HugeString, StoresCutsAndSorts) {
  THugeString s(2, 5);
  EXPECT_EQ(s.Get(1), "");  // a slot never written holds the empty string
  s.Add("pear");
  s.Add("Apple");
  s.Add("banana split");
  s.Add("apple");
  EXPECT_EQ(s.Get(2), "banan");  // cut to the maximum length
  s.Put(3, "fig");
  EXPECT_EQ(s.Get(3), "fig");
  auto all = [&] {
    std::vector<std::string> out;
    for (int i = 0; i < s.Count(); ++i) out.push_back(s.Get(i));
    return out;
  };
  s.Sort();
  EXPECT_EQ(all(), (std::vector<std::string>{"Apple", "banan", "fig", "pear"}));
  s.Ascending = false;
  s.Sort();
  EXPECT_EQ(all(), (std::vector<std::string>{"pear", "fig", "banan", "Apple"}));
  s.Put(0, "apple");
  s.CaseSensitive = false;
  s.Ascending = true;
  s.Sort();
  const std::vector<std::string> folded = all();
  EXPECT_EQ(std::set<std::string>(folded.begin(), folded.begin() + 2), (std::set<std::string>{"apple", "Apple"}));
  EXPECT_EQ(folded[2], "banan");
  EXPECT_EQ(folded[3], "fig");
}

TEST(CircularIndex, RingOfThree) {
  TCircularIndex ring(3);
  std::vector<int> dropped;
  ring.OnDrop = [&](int i) { dropped.push_back(i); };
  EXPECT_EQ(ring.Push(), 0);
  EXPECT_EQ(ring.Push(), 1);
  EXPECT_EQ(ring.Push(), 2);
  EXPECT_EQ(dropped, std::vector<int>{0});
  EXPECT_EQ(ring.Tail(), 1);
  EXPECT_EQ(ring.Count(), 2);
  EXPECT_EQ(ring.Pop(), 2);
  EXPECT_EQ(ring.Pop(), 1);
  EXPECT_EQ(ring.Pop(), -1);
  EXPECT_EQ(ring.Count(), 0);

  // Clear hands every slot still in use to OnDrop, newest first.
  dropped.clear();
  ring.Push();
  ring.Push();
  ring.Clear();
  EXPECT_EQ(dropped, (std::vector<int>{2, 1}));
  EXPECT_EQ(ring.Head(), 0);
  EXPECT_EQ(ring.Tail(), 0);
  ring.Push();
  dropped.clear();
  ring.SetSize(5);
  EXPECT_EQ(dropped, std::vector<int>{0});
  EXPECT_EQ(ring.Size(), 5);
  EXPECT_EQ(ErrorText<EHugeArrayError>([] { TCircularIndex bad(0); }), "Invalid Ring Size");
}

}  // namespace
}  // namespace trochodraw
