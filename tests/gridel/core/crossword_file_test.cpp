#include <gtest/gtest.h>

#include "GridFixture.h"
#include "gridel/core/CrosswordFile.h"
#include "shared/core/ConfigDocument.h"
#include "shared/core/DataFile.h"
#include "shared/core/FileFunctions.h"
#include "support/TempDir.h"

using namespace gridel;
using gridel::testing::Draw;
using gridel::testing::Rows;
using tavrel::testing::TempDir;

namespace {

const std::string kStubConfig = "<tavrel-config-file>\r\n<gridel>\r\n</gridel>\r\n</tavrel-config-file>";

Crossword Small() {
  Crossword c;
  c.title = "Pets & \"friends\" <b>1</b>";
  c.grid = Draw(4, {"CAT.", "A...", "R..\xC9", "...."});
  c.clues = {{"CAT", "A <i>pet</i>"}, {"CAR", ""}, {"old", "kept"}};
  return c;
}

std::string Golden(const char* name) {
  return tavrel::testing::ReadFileBytes(std::string(GRIDEL_TEST_DIR) + "/golden/" + name);
}

LoadedCrossword Reload(const std::string& text, int currentSize) {
  return ReadCrosswordXML(text, "current title", "current.htm", currentSize);
}

}  // namespace

TEST(CrosswordFile, GoldenBytes) {
  TempDir dir;
  ASSERT_TRUE(SaveCrosswordFile(dir.File("small.gdl"), 6, Small(), kStubConfig));
  EXPECT_EQ(dir.Read("small.gdl"), Golden("small.gdl"));
  // A save that cannot be written says so.
  EXPECT_FALSE(SaveCrosswordFile(dir.File("no folder/small.gdl"), 6, Small(), kStubConfig));
  EXPECT_EQ(WriteCluesXML({}), "<clues></clues>");
  EXPECT_EQ(NameWithExtension("puzzle"), "puzzle.gdl");
  EXPECT_EQ(NameWithExtension("puzzle.GDL"), "puzzle.GDL.gdl");
  EXPECT_EQ(NameWithExtension("a.gdl"), "a.gdl");
}

TEST(CrosswordFile, RoundTripWithEmbeddedConfiguration) {
  ConfigValues config = configdoc::Defaults(configdoc::Program::Gridel);
  config.text["editNextExURL"] = "next & <last>.htm";
  config.text["editCluesAcross"] = "Across";
  Crossword c = Small();
  const std::string text = BuildCrosswordFileText(6, c, configdoc::MakeConfigXML(configdoc::Program::Gridel, config));
  ASSERT_TRUE(IsCrosswordDocument(text));
  const LoadedCrossword back = Reload(text, 4);
  ASSERT_EQ(back.status, LoadStatus::Loaded);
  EXPECT_EQ(back.crossword.title, c.title);
  EXPECT_EQ(back.crossword.grid, c.grid);
  ASSERT_EQ(back.crossword.clues.size(), 3u);
  EXPECT_EQ(back.crossword.clues[0].clue, "A <i>pet</i>");
  EXPECT_EQ(back.crossword.clues[1].clue, "");
  EXPECT_EQ(back.nextExURL, "next & <last>.htm");
  // The whole file serves the configuration reader when the reload option is on.
  const ConfigValues read = configdoc::ReadConfigXML(configdoc::Program::Gridel, text,
                                                     configdoc::Defaults(configdoc::Program::Gridel));
  EXPECT_EQ(read.Text("editCluesAcross"), "Across");
}

TEST(CrosswordFile, GridTakesTheSizeThatHoldsEveryStoredCell) {
  Crossword big;
  big.grid = LetterGrid(25);
  big.grid.SetCell(24, 24, "Z");
  const LoadedCrossword grown = Reload(BuildCrosswordFileText(6, big, kStubConfig), 20);
  EXPECT_EQ(grown.crossword.grid.Size(), 25);
  EXPECT_EQ(grown.crossword.grid.Cell(24, 24), "Z");

  Crossword small;
  small.grid = LetterGrid(15);
  small.grid.SetCell(14, 0, "Q");
  const LoadedCrossword kept = Reload(BuildCrosswordFileText(6, small, kStubConfig), 20);
  EXPECT_EQ(kept.crossword.grid.Size(), 20);
  EXPECT_EQ(kept.crossword.grid.Cell(14, 0), "Q");

  // One long row and few rows still keeps every cell.
  LetterGrid g(4);
  ASSERT_EQ(ReadGridXML("<row><cell></cell><cell></cell><cell></cell><cell></cell><cell></cell>"
                        "<cell></cell><cell>w</cell></row>",
                        4, g),
            LoadStatus::Loaded);
  EXPECT_EQ(g.Size(), 7);
  EXPECT_EQ(g.Cell(6, 0), "W");
}

TEST(CrosswordFile, OversizedGridIsRefusedAndNothingLoaded) {
  std::string rows;
  for (int r = 0; r < 101; ++r) rows += "<row><cell>A</cell></row>";
  const std::string doc = "<tavrel-gridel-file><version>6</version><data><title>T</title><crossword><grid>" +
                          rows + "</grid><clues><item><word>A</word></item></clues></crossword></data></tavrel-gridel-file>";
  const LoadedCrossword r = Reload(doc, 20);
  EXPECT_EQ(r.status, LoadStatus::TooLarge);
  EXPECT_EQ(r.message, kTooLargeMessage);
  EXPECT_TRUE(r.crossword.clues.empty());
  std::string wide = "<row>";
  for (int c = 0; c < 100; ++c) wide += "<cell></cell>";
  LetterGrid g(20);
  g.SetCell(0, 0, "K");
  EXPECT_EQ(ReadGridXML(wide + "<cell>x</cell></row>", 20, g), LoadStatus::TooLarge);
  EXPECT_EQ(g.Cell(0, 0), "K");  // untouched
}

// Empty cells and rows after the last letter take no room, however many a
// file holds; a cell that is not one letter is left empty and counted.
TEST(CrosswordFile, TheGridHoldsTheLastLetterAndCountsCellsItCannotRead) {
  std::string grid = "<row><cell>p</cell><cell>&amp;#321;</cell><cell>&#1103;</cell><cell>\xC5\x81</cell>";
  for (int c = 0; c < 150; ++c) grid += "<cell></cell>";
  grid += "</row><row><cell></cell><cell>AB</cell><cell>\x01</cell><cell>&#8203;</cell><cell>\xEF\xBB\xBF</cell>"
          "<cell>&#8195;</cell><cell>&#769;</cell></row>";
  for (int r = 0; r < 120; ++r) grid += "<row><cell></cell><cell> </cell></row>";
  grid += "<row></row>";
  LetterGrid g(4);
  UnreadableCells bad;
  ASSERT_EQ(ReadGridXML(grid, 12, g, &bad), LoadStatus::Loaded);
  EXPECT_EQ(g.Size(), 12);
  EXPECT_EQ(g.Cell(0, 0) + g.Cell(1, 0) + g.Cell(2, 0) + g.Cell(3, 0), "P&#321;&#1071;&#321;");
  EXPECT_EQ(bad.count, 6);
  EXPECT_EQ(bad.col, 1);
  EXPECT_EQ(bad.row, 1);
  EXPECT_EQ(UnreadableCellsMessage(bad),
            "6 cells of this crossword's grid do not hold a single letter and have been left empty; "
            "the first is in row 2, column 2. Please check the grid before you save the crossword.");

  // Saved and read again, the letters are the same.
  Crossword c;
  c.grid = g;
  const LoadedCrossword back = Reload(BuildCrosswordFileText(6, c, kStubConfig), 12);
  EXPECT_EQ(back.crossword.grid, g);
  EXPECT_EQ(back.unreadable.count, 0);
}

TEST(CrosswordFile, MissingPiecesReadAsDefaults) {
  const std::string doc = "<tavrel-gridel-file><version>6</version><data><crossword><clues>"
                          "<item><def>no word</def></item><item><word>ONLY</word></item>"
                          "</clues></crossword></data></tavrel-gridel-file>";
  const LoadedCrossword r = Reload(doc, 12);
  EXPECT_EQ(r.crossword.title, "current title");
  EXPECT_EQ(r.nextExURL, "current.htm");
  EXPECT_EQ(r.crossword.grid.Size(), 12);
  EXPECT_TRUE(r.crossword.grid.NoLetters());
  ASSERT_EQ(r.crossword.clues.size(), 2u);
  EXPECT_EQ(r.crossword.clues[0].word, "");
  EXPECT_EQ(r.crossword.clues[1].clue, "");
  EXPECT_FALSE(IsCrosswordDocument("<tavrel-gridel-file><version>XYZ</version></tavrel-gridel-file>"));
  // Cells that break the cell rule are left empty.
  LetterGrid g(4);
  ReadGridXML("<row><cell>AB</cell><cell>&lt;</cell><cell>\t</cell></row>", 4, g);
  EXPECT_EQ(Rows(g)[0], ".[..");
}

TEST(OldCrosswordFile, ImportsGridWordsAndConfiguration) {
  TempDir dir;
  dir.Write("old.gdl",
            "[FileInfo]\r\nVersion=3\r\n\r\n"
            "[Title]\r\nstrPuzzleTitle=Line one\x1Aline two\r\n\r\n"
            "[NextEx]\r\nstrNextExURL=next.htm\r\n\r\n"
            "[Config]\r\nstrCheckCaption=Check\r\nstrPuzzleSubtitle=Sub\x1A" "title\r\nIncludeHint=1\r\n\r\n"
            "[GridV3]\r\nGridRow0=AB\xB6" "C\r\nGridRow1=b\r\n\r\n"
            "[Words]\r\nTotalWords=2147483647\r\nWord0=ABC\r\nWord1=AB\r\n\r\n"
            "[Definitions]\r\nDef0=first\r\n\r\n");
  TDataFile file(dir.File("old.gdl"));
  const LoadedCrossword r = ReadOldCrossword(file, "current.htm", 20);
  ASSERT_EQ(r.status, LoadStatus::Loaded);
  EXPECT_EQ(r.crossword.title, "Line one\r\nline two");
  EXPECT_EQ(r.nextExURL, "next.htm");
  EXPECT_TRUE(r.carriesConfig);
  EXPECT_EQ(r.crossword.grid.Size(), 20);
  EXPECT_EQ(Rows(r.crossword.grid)[0].substr(0, 5), "AB.C.");
  EXPECT_EQ(r.crossword.grid.Cell(0, 1), "B");
  // TotalWords is bounded by the keys present.
  ASSERT_EQ(r.crossword.clues.size(), 2u);
  EXPECT_EQ(r.crossword.clues[0].clue, "first");
  EXPECT_EQ(r.crossword.clues[1].clue, "");

  const ConfigValues cfg = ReadOldCrosswordConfig(file, configdoc::Defaults(configdoc::Program::Gridel));
  EXPECT_EQ(cfg.Text("mmoSubtitle"), "Sub\r\ntitle");
  EXPECT_EQ(cfg.Text("editCheck"), "Check");
  EXPECT_TRUE(cfg.Checked("chkIncludeHint"));
  EXPECT_EQ(cfg.Text("editPageBGColor"), "#FFFFFF");  // absent: kept
}

TEST(OldCrosswordFile, VersionsSizesAndAbsurdCounts) {
  TempDir dir;
  dir.Write("v1.gdl", "[FileInfo]\r\nVersion=1\r\n\r\n[Grid]\r\nGridRow0=AB\r\n\r\n");
  EXPECT_EQ(ReadOldCrossword(TDataFile(dir.File("v1.gdl")), "", 20).status, LoadStatus::UnsupportedVersion);
  EXPECT_EQ(ReadOldCrossword(TDataFile(dir.File("none.gdl")), "", 20).message, kUnsupportedVersionMessage);

  // Version 2: character 26 marks a blank; a long row enlarges the grid.
  dir.Write("v2.gdl", "[FileInfo]\r\nVersion=2\r\n\r\n[Grid]\r\nGridRow0=A\x1A" "B\x1A\x1A\x1A\r\nGridRow5=Z\r\n\r\n"
                      "[Words]\r\nTotalWords=-4\r\nWord0=A\r\n\r\n");
  const LoadedCrossword v2 = ReadOldCrossword(TDataFile(dir.File("v2.gdl")), "", 4);
  ASSERT_EQ(v2.status, LoadStatus::Loaded);
  EXPECT_EQ(v2.crossword.grid.Size(), 6);
  EXPECT_EQ(Rows(v2.crossword.grid)[0], "A.B...");
  EXPECT_EQ(v2.crossword.grid.Cell(0, 5), "Z");
  EXPECT_TRUE(v2.crossword.clues.empty());
  EXPECT_FALSE(v2.carriesConfig);

  // Only the rows a grid can have are read, and blank markers after the
  // last letter take no room.
  dir.Write("sound.gdl", "[FileInfo]\r\nVersion=3\r\n\r\n[GridV3]\r\nGridRow0=PEAR" + std::string(200, '\xB6') +
                         "\r\nGridRow100=\r\nGridRow99999999=XYZ\r\nGridRow007=Q\r\nGridRow1=\x01\r\n\r\n");
  const LoadedCrossword sound = ReadOldCrossword(TDataFile(dir.File("sound.gdl")), "", 20);
  ASSERT_EQ(sound.status, LoadStatus::Loaded);
  EXPECT_EQ(sound.crossword.grid.Size(), 20);
  EXPECT_EQ(Rows(sound.crossword.grid)[0].substr(0, 5), "PEAR.");
  EXPECT_EQ(Rows(sound.crossword.grid)[7], std::string(20, '.'));
  EXPECT_EQ(sound.unreadable.count, 1);
  EXPECT_EQ(sound.unreadable.row, 1);
  // A letter beyond the last column a grid can have cannot be read.
  dir.Write("wide.gdl", "[FileInfo]\r\nVersion=3\r\n\r\n[GridV3]\r\nGridRow0=" + std::string(101, 'x') + "\r\n\r\n");
  const LoadedCrossword wide = ReadOldCrossword(TDataFile(dir.File("wide.gdl")), "", 20);
  ASSERT_EQ(wide.status, LoadStatus::Loaded);
  EXPECT_EQ(wide.crossword.grid.Size(), kMaxGridSize);
  EXPECT_EQ(wide.unreadable.count, 1);
  EXPECT_EQ(wide.unreadable.col, 100);
}

TEST(CrosswordFile, ExamplesLoadWithEveryClue) {
  const std::string folder = std::string(TAVREL_SOURCE_DIR) + "/examples/";
  LoadedCrossword xml = ReadCrosswordFile(folder + "planets.gdl", "", "", 20);
  ASSERT_EQ(xml.status, LoadStatus::Loaded);
  EXPECT_EQ(xml.format, FileFormat::Xml);
  EXPECT_EQ(xml.crossword.title, "Planets of the Solar System");
  CrosswordWords words = GenerateClues(xml.crossword.grid, xml.crossword.clues);
  EXPECT_TRUE(AllCluesDone(words));
  EXPECT_TRUE(xml.crossword.clues.empty());

  LoadedCrossword old = ReadCrosswordFile(folder + "fruit-oldformat.gdl", "", "", 20);
  ASSERT_EQ(old.status, LoadStatus::Loaded);
  EXPECT_EQ(old.format, FileFormat::Old);
  EXPECT_EQ(old.nextExURL, "planets.htm");
  EXPECT_EQ(ReadCrosswordFile(folder + "missing.gdl", "", "", 20).status, LoadStatus::Unreadable);
  words = GenerateClues(old.crossword.grid, old.crossword.clues);
  EXPECT_TRUE(AllCluesDone(words));
  EXPECT_GE(words.across.size() + words.down.size(), 4u);
}
