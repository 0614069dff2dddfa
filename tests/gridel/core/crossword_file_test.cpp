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
  for (int c = 0; c < 101; ++c) wide += "<cell></cell>";
  LetterGrid g(20);
  g.SetCell(0, 0, "K");
  EXPECT_EQ(ReadGridXML(wide + "</row>", 20, g), LoadStatus::TooLarge);
  EXPECT_EQ(g.Cell(0, 0), "K");  // untouched
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

  dir.Write("huge.gdl", "[FileInfo]\r\nVersion=3\r\n\r\n[GridV3]\r\nGridRow100=A\r\n\r\n");
  EXPECT_EQ(ReadOldCrossword(TDataFile(dir.File("huge.gdl")), "", 20).status, LoadStatus::TooLarge);
  dir.Write("wide.gdl", "[FileInfo]\r\nVersion=3\r\n\r\n[GridV3]\r\nGridRow0=" + std::string(101, 'x') + "\r\n\r\n");
  EXPECT_EQ(ReadOldCrossword(TDataFile(dir.File("wide.gdl")), "", 20).status, LoadStatus::TooLarge);
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
