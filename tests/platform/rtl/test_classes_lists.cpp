#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "platform/rtl/classes.h"

namespace {

void* P(std::intptr_t v) { return reinterpret_cast<void*>(v); }
std::intptr_t V(void* p) { return reinterpret_cast<std::intptr_t>(p); }

std::vector<std::intptr_t> Values(const TList& l) {
  std::vector<std::intptr_t> v;
  for (int i = 0; i < l.Count(); ++i) v.push_back(V(l.Get(i)));
  return v;
}

TEST(List, EditsAndIndexErrors) {
  TList l;
  for (int i = 1; i <= 4; ++i) l.Add(P(i));
  l.Insert(0, P(9));
  l.Move(0, 4);
  EXPECT_EQ(Values(l), (std::vector<std::intptr_t>{1, 2, 3, 4, 9}));
  l.Exchange(0, 4);
  EXPECT_EQ(l.Remove(P(3)), 2);
  EXPECT_EQ(l.Remove(P(3)), -1);
  l.Delete(0);
  EXPECT_EQ(Values(l), (std::vector<std::intptr_t>{2, 4, 1}));
  EXPECT_EQ(l.IndexOf(P(1)), 2);

  l.SetCount(5);
  EXPECT_EQ(l.Get(4), nullptr);
  l.Pack();
  EXPECT_EQ(l.Count(), 3);

  try {
    l.Get(3);
    FAIL();
  } catch (const EListError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (3)");
  }
  EXPECT_THROW(l.Get(-1), EListError);
  EXPECT_THROW(l.Insert(4, nullptr), EListError);
  EXPECT_THROW(l.Move(0, 3), EListError);
  EXPECT_EQ(Values(l), (std::vector<std::intptr_t>{2, 4, 1}));
}

TEST(List, SortOrdersAndSurvivesInconsistentCompare) {
  std::mt19937 rng(5);
  TList l;
  std::vector<std::intptr_t> expect;
  for (int i = 0; i < 500; ++i) {
    std::intptr_t v = static_cast<std::intptr_t>(rng() % 50);
    l.Add(P(v));
    expect.push_back(v);
  }
  std::sort(expect.begin(), expect.end());
  l.Sort([](void* a, void* b) { return V(a) < V(b) ? -1 : V(a) > V(b) ? 1 : 0; });
  EXPECT_EQ(Values(l), expect);

  // A compare function that answers at random must not run off the list.
  l.Sort([&](void*, void*) { return static_cast<int>(rng() % 3) - 1; });
  EXPECT_EQ(l.Count(), 500);
}

int GLive = 0;
class TTracked : public TObject {
public:
  TTracked() { ++GLive; }
  ~TTracked() override { --GLive; }
};

TEST(ObjectList, OwnsWhatItDeletesButNotWhatItExtracts) {
  GLive = 0;
  TTracked* kept = nullptr;
  {
    TObjectList l;
    for (int i = 0; i < 3; ++i) l.Add(new TTracked);
    kept = static_cast<TTracked*>(l.Extract(l.Get(1)));
    l.Delete(0);
    EXPECT_EQ(GLive, 2);
    l.Put(0, new TTracked);  // the replaced object is freed
    EXPECT_EQ(GLive, 2);
  }
  EXPECT_EQ(GLive, 1);
  delete kept;

  TObjectList borrowed(false);
  TTracked local;
  borrowed.Add(&local);
  borrowed.Clear();
  EXPECT_EQ(GLive, 1);
}

}  // namespace
