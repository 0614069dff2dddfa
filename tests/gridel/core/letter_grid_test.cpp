#include <gtest/gtest.h>

#include "GridFixture.h"
#include "gridel/core/LetterGrid.h"

using namespace gridel;
using gridel::testing::Draw;
using gridel::testing::Rows;

TEST(LetterGridKeys, LettersAreUpperCasedByWindows1252Pairs) {
  LetterGrid g(4);
  EXPECT_TRUE(g.TypeKey(0, 0, 'a'));
  EXPECT_EQ(g.Cell(0, 0), "A");
  g.TypeKey(1, 0, 0xE9);  // e acute
  EXPECT_EQ(g.Cell(1, 0), "\xC9");
  g.TypeKey(2, 0, 0x9A);  // s caron
  EXPECT_EQ(g.Cell(2, 0), "\x8A");
  g.TypeKey(3, 0, 0xFF);  // y diaeresis
  EXPECT_EQ(g.Cell(3, 0), "\x9F");
  g.TypeKey(0, 1, 0xDF);  // sharp s stays one letter
  EXPECT_EQ(g.Cell(0, 1), "\xDF");
  g.TypeKey(1, 1, 0xF7);  // division sign has no case
  EXPECT_EQ(g.Cell(1, 1), "\xF7");
  g.TypeKey(2, 1, '7');
  EXPECT_EQ(g.Cell(2, 1), "7");
}

TEST(LetterGridKeys, AngleBracketsBecomeSquareAndBlanksEmpty) {
  LetterGrid g(4);
  g.TypeKey(0, 0, '<');
  g.TypeKey(1, 0, '>');
  EXPECT_EQ(g.Cell(0, 0), "[");
  EXPECT_EQ(g.Cell(1, 0), "]");
  EXPECT_TRUE(g.TypeKey(0, 0, ' '));
  EXPECT_TRUE(g.TypeKey(1, 0, 8));
  EXPECT_TRUE(g.NoLetters());
}

TEST(LetterGridKeys, ControlKeysAndUnknownCharactersAreRefusedAndChangeNothing) {
  LetterGrid g(4);
  g.TypeKey(0, 0, 'X');
  // The no-break space (0xA0) and the soft hyphen (0xAD) would look like an
  // empty square that a student must fill.
  for (int key : {13, 27, 9, 1, 26, 127, 0x81, 0x8D, 0x8F, 0x90, 0x9D, 0xA0, 0xAD, -1, 256}) {
    EXPECT_FALSE(g.TypeKey(0, 0, key)) << key;
    EXPECT_EQ(g.Cell(0, 0), "X") << key;
  }
  // Outside the grid nothing happens either.
  EXPECT_FALSE(g.TypeKey(4, 0, 'a'));
  EXPECT_FALSE(g.TypeKey(-1, 0, 'a'));
}

TEST(LetterGridKeys, PastedAndLoadedTextFollowsTheCellRule) {
  LetterGrid g(4);
  EXPECT_TRUE(g.SetCell(0, 0, "q"));
  EXPECT_EQ(g.Cell(0, 0), "Q");
  EXPECT_FALSE(g.SetCell(0, 0, "AB"));       // more than one character
  EXPECT_FALSE(g.SetCell(0, 0, "\t"));       // control character
  EXPECT_EQ(g.Cell(0, 0), "Q");
  EXPECT_FALSE(g.SetCell(0, 0, "Q"));        // no change
  EXPECT_TRUE(g.SetCell(0, 0, " "));
  EXPECT_TRUE(g.NoLetters());
  EXPECT_TRUE(g.SetCell(1, 1, "<"));
  EXPECT_EQ(g.Cell(1, 1), "[");
  EXPECT_TRUE(g.DeleteCell(1, 1));
  EXPECT_FALSE(g.DeleteCell(1, 1));
}

// A letter Windows-1252 cannot hold is kept as its character reference,
// upper-cased by its own case rules, whether typed, pasted or loaded (as a
// reference or as the UTF-8 bytes a UTF-8 editor leaves); it is one letter.
TEST(LetterGridKeys, LettersOfAnyLanguageAreKeptAsCharacterReferences) {
  LetterGrid g(4);
  EXPECT_TRUE(g.TypeKey(0, 0, std::string("&#322;")));  // l with stroke
  EXPECT_EQ(g.Cell(0, 0), "&#321;");
  EXPECT_EQ(g.At(0, 0), U'\u0141');
  g.TypeKey(1, 0, std::string("&#1103;"));  // Cyrillic ya
  EXPECT_EQ(g.Cell(1, 0), "&#1071;");
  g.TypeKey(2, 0, std::string("&#963;"));  // sigma
  g.TypeKey(3, 0, std::string("&#962;"));  // final sigma
  EXPECT_EQ(g.Cell(2, 0) + g.Cell(3, 0), "&#931;&#931;");
  g.TypeKey(0, 1, std::string("&#20013;"));  // a letter without case
  EXPECT_EQ(g.Cell(0, 1), "&#20013;");
  // The dotless i stays apart from i, whose capital is I too.
  g.TypeKey(1, 1, std::string("&#305;"));
  EXPECT_EQ(g.Cell(1, 1), "&#305;");
  g.TypeKey(1, 1, std::string("i"));
  EXPECT_EQ(g.Cell(1, 1), "I");
  g.TypeKey(1, 1, std::string("&#304;"));  // the I with a dot
  EXPECT_EQ(g.Cell(1, 1), "&#304;");

  EXPECT_TRUE(g.SetCell(2, 1, "&#1103;"));
  EXPECT_EQ(g.Cell(2, 1), "&#1071;");
  EXPECT_TRUE(g.SetCell(3, 1, "\xC5\x82"));  // UTF-8 of l with stroke
  EXPECT_EQ(g.Cell(3, 1), "&#321;");
  EXPECT_TRUE(g.SetCell(0, 2, "\xC3\xA9"));  // UTF-8 of e acute
  EXPECT_EQ(g.Cell(0, 2), "\xC9");
  EXPECT_EQ(CellTextFor("&#322;"), "&#321;");

  // Still no cell for two letters, a control character or a line separator,
  // nor for a character that shows nothing by itself: a zero-width space, a
  // byte-order mark, an em space, a lone combining accent (as a reference or
  // as UTF-8), a no-break space in UTF-8.
  for (const char* bad : {"AB", "&#321;&#321;", "&#321;A", "&#133;", "\xC2\x85", "&#8232;", "\xC5\x82\xC5\x82",
                          "&#8203;", "&#65279;", "&#8195;", "&#769;", "\xCC\x81", "\xE2\x80\x8B", "\xC2\xA0"}) {
    EXPECT_FALSE(g.SetCell(0, 0, bad)) << bad;
    EXPECT_FALSE(g.TypeKey(0, 0, std::string(bad))) << bad;
    EXPECT_EQ(CellTextFor(bad), std::nullopt) << bad;
  }
  EXPECT_EQ(g.Cell(0, 0), "&#321;");
}

TEST(LetterGridNeighbours, OutsideTheGridIsEmpty) {
  const LetterGrid g = Draw(4, {"ABCD", "EFGH", "IJKL", "MNOP"});
  EXPECT_EQ(g.At(-1, 0), 0);
  EXPECT_EQ(g.At(0, -1), 0);
  EXPECT_EQ(g.At(4, 3), 0);
  EXPECT_EQ(g.At(3, 4), 0);
  EXPECT_EQ(g.At(3, 3), 'P');
  EXPECT_EQ(g.Cell(100, 100), "");
}

TEST(LetterGridShifts, EdgesThatFallOffAndTheMovedLetters) {
  LetterGrid g = Draw(4, {"....", ".AB.", "..C.", "...."});
  for (Shift s : {Shift::Up, Shift::Down, Shift::Left, Shift::Right}) EXPECT_FALSE(g.EdgeHoldsLetters(s));
  g.ShiftLetters(Shift::Up);
  EXPECT_EQ(Rows(g), (std::vector<std::string>{".AB.", "..C.", "....", "...."}));
  EXPECT_TRUE(g.EdgeHoldsLetters(Shift::Up));
  EXPECT_FALSE(g.EdgeHoldsLetters(Shift::Down));
  g.ShiftLetters(Shift::Right);
  EXPECT_EQ(Rows(g), (std::vector<std::string>{"..AB", "...C", "....", "...."}));
  EXPECT_TRUE(g.EdgeHoldsLetters(Shift::Right));
  EXPECT_FALSE(g.EdgeHoldsLetters(Shift::Left));
  g.ShiftLetters(Shift::Down);
  g.ShiftLetters(Shift::Left);
  EXPECT_EQ(Rows(g), (std::vector<std::string>{"....", ".AB.", "..C.", "...."}));
  // Shifting a letter off the edge loses it and empties the opposite edge.
  LetterGrid full = Draw(4, {"ABCD", "EFGH", "IJKL", "MNOP"});
  full.ShiftLetters(Shift::Left);
  EXPECT_EQ(Rows(full), (std::vector<std::string>{"BCD.", "FGH.", "JKL.", "NOP."}));
  EXPECT_EQ(ShiftQuestion(Shift::Down),
            "Some letters will be lost from the bottom of the grid. Do you still want to move the grid down?");
}

TEST(LetterGridSize, RefusalsComeInTheirOrder) {
  const LetterGrid empty(20);
  int n = 0;
  EXPECT_EQ(CheckNewSize("abc", empty, n), SizeCheck::NotANumber);
  EXPECT_EQ(CheckNewSize("", empty, n), SizeCheck::NotANumber);
  EXPECT_EQ(CheckNewSize("101", empty, n), SizeCheck::TooLarge);
  EXPECT_EQ(CheckNewSize("99999999999", empty, n), SizeCheck::NotANumber);
  EXPECT_EQ(CheckNewSize("3", empty, n), SizeCheck::TooSmallToBeUseful);
  EXPECT_EQ(CheckNewSize("4", empty, n), SizeCheck::Accepted);
  EXPECT_EQ(n, 4);
  EXPECT_EQ(CheckNewSize("100", empty, n), SizeCheck::Accepted);
  // A letter at column 9 refuses 9 and accepts 10; the letters' test comes
  // before the useful-size test.
  LetterGrid g(20);
  g.SetCell(9, 0, "A");
  EXPECT_EQ(CheckNewSize("9", g, n), SizeCheck::TooSmallForLetters);
  EXPECT_EQ(CheckNewSize("10", g, n), SizeCheck::Accepted);
  g.SetCell(1, 2, "B");
  EXPECT_EQ(CheckNewSize("2", Draw(20, {"...", "...", ".B."}), n), SizeCheck::TooSmallForLetters);
  EXPECT_EQ(SizeRefusalMessage(SizeCheck::TooSmallToBeUseful),
            "This is too small to make a useful crossword. You need a grid at least 4 X 4.");
}

TEST(LetterGridSize, ResizeKeepsLettersAndSettingsAreBounded) {
  LetterGrid g = Draw(4, {"A...", "....", "....", "...D"});
  g.Resize(6);
  EXPECT_EQ(g.Size(), 6);
  EXPECT_EQ(g.Cell(0, 0), "A");
  EXPECT_EQ(g.Cell(3, 3), "D");
  EXPECT_EQ(g.Cell(5, 5), "");
  const Extent e = g.FindExtent();
  EXPECT_EQ(e.topRow, 0);
  EXPECT_EQ(e.bottomRow, 3);
  EXPECT_EQ(e.leftCol, 0);
  EXPECT_EQ(e.rightCol, 3);
  EXPECT_TRUE(LetterGrid(5).FindExtent().Empty());

  EXPECT_EQ(GridSizeFromSetting("15"), 15);
  EXPECT_EQ(GridSizeFromSetting("1"), 1);
  EXPECT_EQ(GridSizeFromSetting("3"), 3);
  for (const char* bad : {"0", "-3", "101", "1e9", "12x", "", " 15"})
    EXPECT_EQ(GridSizeFromSetting(bad), kDefaultGridSize) << bad;
  EXPECT_EQ(LetterGrid(0).Size(), 1);
  EXPECT_EQ(LetterGrid(5000).Size(), kMaxGridSize);

  EXPECT_EQ(CellSide(10, 10, 20), 1);    // a window smaller than the margin
  EXPECT_EQ(CellSide(-50, 300, 20), 1);  // negative room
  EXPECT_EQ(CellSide(524, 600, 20), 25);
}
