// The pure parts of pair editing: the print copy's exact text with a fixed
// random source, Shuffle Items, and Move and Clone with numbers the list
// does not hold.
#include "pairo/core/PairEditing.h"

#include <gtest/gtest.h>

#include "pairo/ScriptedRandom.h"
#include "shared/core/TQList.h"

using pairo::testing::ScriptedRandom;

namespace {

TQList Pairs(std::initializer_list<std::tuple<const char*, const char*, bool>> items) {
  TQList l;
  int i = 0;
  for (const auto& [left, right, fixed] : items) {
    ++i;
    l.SetQuestionText(i, left);
    l.SetQuestionExtra(i, right);
    l.SetQuestionFlag(i, fixed);
  }
  return l;
}

}  // namespace

TEST(PrintCopy, JumblesEveryRightItemThenGivesTheKeyInListOrder) {
  TQList l = Pairs({{"one", "un", false},
                    {"", "", false},
                    {"three", "trois", true},
                    {"", "", false},
                    {"", "", false}});
  // Swaps: 0<->2, 1<->2, 2<->2: un,'',trois -> trois,'',un -> trois,un,''.
  ScriptedRandom random({2, 2, 2});
  const auto text =
      pairo::PrintCopyText(l, "Numbers", pairo::PrintReading{"Count", "1, 2, 3"}, random);
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(*text,
            "Count\r\n\r\n1, 2, 3\r\n\r\n"
            "Numbers\r\n\r\n"
            "one\t\t\ttrois\r\n"
            "\t\t\tun\r\n"
            "three\t\t\t\r\n"
            "\r\n\r\n----------Key----------\r\n\r\n"
            "one\t\t\tun\r\n"
            "\t\t\t\r\n"
            "three\t\t\ttrois\r\n");
  EXPECT_EQ(l.Count(), 3);
  EXPECT_EQ(random.reseeds, 1);

  TQList empty = Pairs({{"", " ", false}});
  EXPECT_FALSE(pairo::PrintCopyText(empty, "T", std::nullopt, random).has_value());
}

TEST(ItemCommands, ShuffleRemovesEmptyPairsFirst) {
  TQList l = Pairs({{"A", "a", false}, {"", "", true}, {"B", "b", false}, {"C", "c", true}});
  ScriptedRandom random({2, 0, 1});
  EXPECT_EQ(pairo::ShuffleItems(l, random), 3);
  ASSERT_EQ(l.Count(), 3);
  EXPECT_EQ(random.ranges, (std::vector<int>{3, 3, 3}));
  std::vector<std::string> lefts;
  for (int i = 1; i <= 3; ++i) lefts.push_back(l.GetQuestionText(i));
  std::sort(lefts.begin(), lefts.end());
  EXPECT_EQ(lefts, (std::vector<std::string>{"A", "B", "C"}));
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(l.GetQuestionFlag(i), l.GetQuestionText(i) == "C");
}

TEST(ItemCommands, MoveBeyondTheListGrowsItAndCloneOfAMissingPairDoesNothing) {
  TQList l = Pairs({{"A", "a", false}, {"B", "b", true}, {"C", "c", false}});
  EXPECT_TRUE(pairo::MovePair(l, 2, 6));
  ASSERT_EQ(l.Count(), 6);
  EXPECT_EQ(l.GetQuestionText(2), "C");
  EXPECT_EQ(l.GetQuestionText(6), "B");
  EXPECT_TRUE(l.GetQuestionFlag(6));
  EXPECT_TRUE(pairo::MovePair(l, 9, 1));  // a number beyond: an empty pair moves up
  EXPECT_EQ(l.Count(), 9);
  EXPECT_TRUE(l.QuestionIsEmpty(1));
  EXPECT_FALSE(pairo::MovePair(l, 3, 3));
  EXPECT_FALSE(pairo::MovePair(l, 0, 3));

  TQList c = Pairs({{"A", "a", false}, {"B", "b", true}});
  EXPECT_EQ(pairo::ClonePair(c, 5), 0);
  EXPECT_EQ(c.Count(), 2);
  EXPECT_EQ(pairo::ClonePair(c, 2), 3);
  EXPECT_EQ(c.GetQuestionExtra(3), "b");
  EXPECT_TRUE(c.GetQuestionFlag(3));
}
