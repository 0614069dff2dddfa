// The shuffling list: one swap per position with a fixed random source, a
// reseed at every shuffle, the kept entry found without regard to case
// (Windows-1252 case pairs), and lists that cannot be shuffled.
#include <gtest/gtest.h>

#include <algorithm>

#include "pairo/ScriptedRandom.h"
#include "pairo/core/MixStringList.h"

using pairo::TClockRandom;
using pairo::TMixStringList;
using pairo::testing::ScriptedRandom;

namespace {

TMixStringList ListOf(std::initializer_list<const char*> items, pairo::IMixRandom* random) {
  TMixStringList list(random);
  for (const char* s : items) list.Add(s);
  return list;
}

}  // namespace

TEST(MixStringList, SwapsEachPositionOnceWithADrawOverTheWholeList) {
  ScriptedRandom random({2, 0, 1});
  TMixStringList list = ListOf({"a", "b", "c"}, &random);
  // i=0 <-> 2: c b a; i=1 <-> 0: b c a; i=2 <-> 1: b a c.
  EXPECT_EQ(list.Shuffle(0), 1);
  EXPECT_EQ(list.Strings(), (std::vector<std::string>{"b", "a", "c"}));
  EXPECT_EQ(random.reseeds, 1);
  EXPECT_EQ(random.ranges, (std::vector<int>{3, 3, 3}));
  // The next shuffle reseeds again.
  list.Shuffle(2);
  EXPECT_EQ(random.reseeds, 2);
}

TEST(MixStringList, KeptEntryIsFoundWithoutRegardToCaseAcrossTheCodePage) {
  // "Paris" is kept, and "PARIS" stands before it: PARIS's index comes back.
  ScriptedRandom random;  // every position stays
  TMixStringList list = ListOf({"x", "PARIS", "Paris"}, &random);
  EXPECT_EQ(list.Shuffle(2), 1);
  ScriptedRandom swapFirstTwo({2, 1, 2});  // x <-> Paris
  TMixStringList list2 = ListOf({"x", "PARIS", "Paris"}, &swapFirstTwo);
  EXPECT_EQ(list2.Shuffle(2), 0);
  EXPECT_EQ(list2[0], "Paris");

  // Accented capitals and their small letters are one letter.
  TMixStringList accents = ListOf({"caf\xC9", "CAF\xE9"}, &random);
  EXPECT_EQ(accents.IndexOf("Caf\xE9"), 0);
  EXPECT_EQ(accents.IndexOf("\x8A"), -1);
}

TEST(MixStringList, SameClockGivesTheSameOrderAndEveryEntryStays) {
  std::vector<std::string> start;
  for (int i = 0; i < 30; ++i) start.push_back("item " + std::to_string(i));
  auto shuffled = [&](std::uint32_t ms) {
    TClockRandom random([ms] { return ms; });
    TMixStringList list(&random);
    for (const auto& s : start) list.Add(s);
    const int kept = list.Shuffle(7);
    EXPECT_EQ(list[kept], "item 7");
    return list.Strings();
  };
  const auto a = shuffled(45'296'789);
  EXPECT_EQ(shuffled(45'296'789), a);  // reseeded: same millisecond, same order
  EXPECT_NE(shuffled(45'296'790), a);
  EXPECT_NE(a, start);
  auto sorted = a;
  std::sort(sorted.begin(), sorted.end());
  auto expected = start;
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(sorted, expected);
}

TEST(MixStringList, EmptyListOrIndexOutsideChangesNothing) {
  ScriptedRandom random({1});
  TMixStringList empty(&random);
  EXPECT_EQ(empty.Shuffle(0), -1);
  TMixStringList list = ListOf({"a", "b"}, &random);
  EXPECT_EQ(list.Shuffle(-1), -1);
  EXPECT_EQ(list.Shuffle(2), -1);
  EXPECT_EQ(list.Strings(), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(random.reseeds, 0);
  TMixStringList one = ListOf({"only"}, &random);
  EXPECT_EQ(one.Shuffle(0), 0);
  EXPECT_EQ(one[0], "only");
}
