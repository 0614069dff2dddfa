#include <gtest/gtest.h>

#include "GridFixture.h"
#include "gridel/core/Words.h"

using namespace gridel;
using gridel::testing::Draw;

namespace {

std::string Describe(const std::vector<Word>& words) {
  std::string s;
  for (const Word& w : words) s += std::to_string(w.number) + ":" + w.text + (w.clue.empty() ? std::string() : "=" + w.clue) + " ";
  return s;
}

}  // namespace

TEST(WordFinding, CrossingWordsShareTheirNumber) {
  const LetterGrid g = Draw(5, {"CAT..", "A....", "R...."});
  const CrosswordWords w = FindWords(g);
  EXPECT_EQ(Describe(w.across), "1:CAT ");
  EXPECT_EQ(Describe(w.down), "1:CAR ");
  EXPECT_TRUE(StartsWord(g, 0, 0));
  EXPECT_FALSE(StartsWord(g, 1, 0));
}

TEST(WordFinding, SingleLettersAreNoWordsAndTwoLetterRunsAre) {
  const LetterGrid g = Draw(6, {"A.....", "......", "..OX..", "......", "....Q.", "....I."});
  const CrosswordWords w = FindWords(g);
  EXPECT_EQ(Describe(w.across), "1:OX ");
  EXPECT_EQ(Describe(w.down), "2:QI ");
  EXPECT_FALSE(StartsWord(g, 0, 0));
}

TEST(WordFinding, TouchingWordsAndNumbersInReadingOrder) {
  // Two parallel across words touching make two-letter down words.
  const LetterGrid g = Draw(5, {"AB...", "CD...", ".....", "...EF", "....G"});
  const CrosswordWords w = FindWords(g);
  EXPECT_EQ(Describe(w.across), "1:AB 3:CD 4:EF ");
  EXPECT_EQ(Describe(w.down), "1:AC 2:BD 5:FG ");
}

TEST(WordFinding, FullRowsAndColumnsEndAtTheEdges) {
  const LetterGrid g = Draw(4, {"ABCD", "E..F", "G..H", "IJKL"});
  const CrosswordWords w = FindWords(g);
  EXPECT_EQ(Describe(w.across), "1:ABCD 3:IJKL ");
  EXPECT_EQ(Describe(w.down), "1:AEGI 2:DFHL ");
  EXPECT_EQ(w.down[1].col, 3);
  EXPECT_EQ(w.across[1].row, 3);
  const CrosswordWords full = FindWords(Draw(4, {"ABCD", "EFGH", "IJKL", "MNOP"}));
  EXPECT_EQ(full.across.size(), 4u);
  EXPECT_EQ(full.down.size(), 4u);
  EXPECT_EQ(full.across.back().number, 7);  // 1..4 along the top, 5, 6, 7 down the left
}

TEST(WordFinding, ALetterTheCodePageCannotHoldIsOneLetterOfItsWordsAndClues) {
  LetterGrid g = Draw(4, {".A..", "....", "B..."});
  g.SetCell(0, 0, "&#322;");
  g.SetCell(0, 1, "&#1103;");
  ClueList stored{{"&#321;&#1071;B", "down"}, {"&#321;A", "across"}};
  const CrosswordWords w = GenerateClues(g, stored);
  EXPECT_EQ(Describe(w.across), "1:&#321;A=across ");
  EXPECT_EQ(Describe(w.down), "1:&#321;&#1071;B=down ");
  EXPECT_TRUE(stored.empty());
}

TEST(ClueAttachment, ScanOrderCaseInsensitiveAndEachPairOnce) {
  // CAT across and down at two places; one stored clue for CAT, one for "car".
  const LetterGrid g = Draw(6, {"CAT...", "A.....", "R.....", "......", "...CAT", "......"});
  ClueList stored = {{"gone", "old clue"}, {"Cat", "a pet"}, {"CAR", "drives"}, {"\xC9T\xC9", "summer"}};
  const CrosswordWords w = GenerateClues(g, stored);
  EXPECT_EQ(Describe(w.down), "1:CAR=drives ");
  EXPECT_EQ(Describe(w.across), "1:CAT=a pet 2:CAT ");
  EXPECT_FALSE(AllCluesDone(w));
  // The pairs used are gone; the others stay in their order.
  ASSERT_EQ(stored.size(), 2u);
  EXPECT_EQ(stored[0].word, "gone");
  EXPECT_EQ(stored[1].word, "\xC9T\xC9");

  // Windows-1252 case pairs match: "été" finds "ÉTÉ".
  ClueList accented = {{"\xE9t\xE9", "summer"}};
  const CrosswordWords e = GenerateClues(Draw(4, {"\xC9T\xC9."}), accented);
  EXPECT_EQ(e.across[0].clue, "summer");
  EXPECT_TRUE(accented.empty());
  EXPECT_TRUE(SameTextNoCase("\x9A\xFF", "\x8A\x9F"));
  EXPECT_FALSE(SameTextNoCase("\xDF", "SS"));
}

TEST(ClueAttachment, AWordAcrossAndDownKeepsEachItsOwnClueWhenFoundAgain) {
  // The same word across and down, the down one first in reading order:
  // the pairs are taken in the order they are saved (across first), so the
  // clues never change places between the two entries.
  const LetterGrid g = Draw(5, {"T....", "E....", "A....", ".TEA.", "....."});
  ClueList stored = {{"tea", "across clue"}, {"TEA", "down clue"}};
  CrosswordWords w = GenerateClues(g, stored);
  EXPECT_EQ(Describe(w.down), "1:TEA=down clue ");
  EXPECT_EQ(Describe(w.across), "2:TEA=across clue ");
  EXPECT_TRUE(AllCluesDone(w));
  for (int again = 0; again < 2; ++again) {
    ClueList saved = SaveWordsAndClues(w);
    ASSERT_EQ(saved.size(), 2u);
    EXPECT_EQ(saved[0].clue, "across clue");  // across first
    w = GenerateClues(g, saved);
    EXPECT_EQ(Describe(w.down), "1:TEA=down clue ");
    EXPECT_EQ(Describe(w.across), "2:TEA=across clue ");
  }
}

TEST(ClueAttachment, CluesFollowTheirWordsAfterAShift) {
  LetterGrid g = Draw(5, {"....", ".SUN", "...."});
  ClueList stored = {{"SUN", "a star"}};
  g.ShiftLetters(Shift::Left);
  g.ShiftLetters(Shift::Down);
  const CrosswordWords w = GenerateClues(g, stored);
  EXPECT_EQ(Describe(w.across), "1:SUN=a star ");
  EXPECT_TRUE(AllCluesDone(FindWords(LetterGrid(4))));
}
