// The .pry data file: its exact bytes, round trips, Append, and the old
// line-based import with its own keys and defaults.
#include "pairo/core/MatchFile.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "shared/core/ConfigDocument.h"
#include "shared/core/DataFile.h"
#include "shared/core/FileFunctions.h"
#include "shared/core/ReadingData.h"
#include "shared/core/TQList.h"
#include "shared/core/XMLRoutines.h"
#include "support/TempDir.h"

using tavrel::testing::TempDir;

namespace {

std::string EmptyReading() {
  ReadingData r;
  r.minutes = 3;
  return ReadingElement(r);
}

std::string Config() {
  ConfigValues v = configdoc::Defaults(configdoc::Program::Pairo);
  v.text["editNextExURL"] = "next.htm";
  return configdoc::MakeConfigXML(configdoc::Program::Pairo, v);
}

void SetPair(TQList& l, int i, const std::string& left, const std::string& right, bool fixed) {
  l.SetQuestionText(i, left);
  l.SetQuestionExtra(i, right);
  l.SetQuestionFlag(i, fixed);
}

// Pairs 1 and 4 filled, 2 empty, 3 a distractor, 5 to 8 stashed empty.
TQList Sample() {
  TQList l;
  SetPair(l, 1, "dog", "chien", false);
  SetPair(l, 3, "", "chat & <b>souris</b>", false);
  SetPair(l, 4, "two\r\nlines", "\"fixed\"", true);
  SetPair(l, 8, "", "", false);
  return l;
}

std::string SaveSample(TQList& l) {
  return pairo::BuildMatchFileText(6, "Animals & 'pets'", EmptyReading(), "???", l, Config());
}

}  // namespace

TEST(MatchFile, WritesTheGoldenBytesAndDropsOnlyTrailingEmptyPairs) {
  TQList l = Sample();
  TempDir dir;
  ASSERT_TRUE(SaveXMLFile(dir.File("sample.pry"), SaveSample(l)));
  EXPECT_EQ(l.Count(), 4);
  const std::string goldenName = std::string(PAIRO_GOLDEN_DIR) + "/sample.pry";
  // PAIRO_WRITE_GOLDEN=1 writes the golden file afresh (to be read by eye).
  if (std::getenv("PAIRO_WRITE_GOLDEN"))
    tavrel::testing::WriteFileBytes(goldenName, dir.Read("sample.pry"));
  const std::string golden = tavrel::testing::ReadFileBytes(goldenName);
  ASSERT_FALSE(golden.empty());
  EXPECT_EQ(dir.Read("sample.pry"), golden);
}

TEST(MatchFile, ReadsBackWhatItWrote) {
  TQList l = Sample();
  const std::string text = SaveSample(l);
  ASSERT_TRUE(pairo::IsMatchDocument(text));
  const exercisedoc::Parts parts = pairo::ReadMatchXML(text, "old title", "old.htm");
  EXPECT_EQ(parts.title, "Animals & 'pets'");
  EXPECT_EQ(parts.nextExURL, "next.htm");
  EXPECT_EQ(GetValueByPath(parts.reading, "time-limit", ""), "3");
  TQList back;
  const pairo::ItemsRead read = pairo::ReadMatchItems(parts.body, 1, back);
  EXPECT_TRUE(read.hasDefault);
  EXPECT_EQ(read.defaultRight, "???");
  EXPECT_EQ(read.pairs, 4);
  ASSERT_EQ(back.Count(), 4);
  for (int i = 1; i <= 4; ++i) {
    EXPECT_EQ(back.GetQuestionText(i), l.GetQuestionText(i));
    EXPECT_EQ(back.GetQuestionExtra(i), l.GetQuestionExtra(i));
    EXPECT_EQ(back.GetQuestionFlag(i), l.GetQuestionFlag(i));
  }
  EXPECT_EQ(SaveSample(back), text);
  // An old file is not taken for a document; nor is one whose version says XYZ.
  EXPECT_FALSE(pairo::IsMatchDocument("[FileInfo]\r\nVersion=2\r\n"));
  EXPECT_FALSE(
      pairo::IsMatchDocument("<tavrel-pairo-file><version>XYZ</version></tavrel-pairo-file>"));
}

TEST(MatchFile, AppendOverwritesFromTheChosenNumberAndKeepsTheRest) {
  TQList source = Sample();
  const std::string other = SaveSample(source);
  TQList l;
  for (int i = 1; i <= 6; ++i)
    SetPair(l, i, "L" + std::to_string(i), "R" + std::to_string(i), false);
  const pairo::ItemsRead read = pairo::ReadMatchItems(pairo::ItemsOf(other), 2, l);
  EXPECT_EQ(read.pairs, 4);
  EXPECT_EQ(l.Count(), 6);
  EXPECT_EQ(l.GetQuestionText(1), "L1");
  EXPECT_EQ(l.GetQuestionText(2), "dog");
  EXPECT_EQ(l.GetQuestionExtra(3), "");
  EXPECT_TRUE(l.GetQuestionFlag(5));
  EXPECT_EQ(l.GetQuestionText(6), "L6");
  // Items without a default right item leave the default box alone.
  TQList none;
  const pairo::ItemsRead bare =
      pairo::ReadMatchItems("<pair><left-item><text>a</text></left-item></pair>", 0, none);
  EXPECT_FALSE(bare.hasDefault);
  EXPECT_EQ(none.GetQuestionText(1), "a");
  EXPECT_FALSE(none.GetQuestionFlag(1));
}

TEST(MatchFile, OldFilesGiveTheirPairsKeysAndDefaults) {
  TempDir dir;
  dir.Write("old.pry",
            "[FileInfo]\r\nVersion=2\r\n\r\n"
            "[Title]\r\nstrExerciseTitle=Line one\x1AJour\r\n\r\n"
            "[Config]\r\nstrCheckCaption=Check\r\nstrExerciseSubtitle=a\x1A"
            "b\r\n"
            "IncludeNextEx=1\r\nstrPageBGColor=#123456\r\n\r\n"
            "[Item1]\r\nLeftBit=one\r\nRightBit=un{ReturnToken}x\r\nFix=1\r\n\r\n"
            "[Item3]\r\nLeftBit=three\r\nRightBit=trois\r\n\r\n"
            "[Item100]\r\nRightBit=cent\r\n\r\n");
  TDataFile file(dir.File("old.pry"));
  const pairo::OldMatch old = pairo::ReadOldMatch(file, "current.htm");
  EXPECT_EQ(old.version, 2);
  EXPECT_EQ(old.title, "Line one\r\nJour");
  EXPECT_EQ(old.nextExURL, "current.htm");
  EXPECT_EQ(old.checkCaption, "Check");
  EXPECT_EQ(old.defaultRight, "???");
  TQList pairs;
  pairo::PutOldPairs(old, pairs);
  ASSERT_EQ(pairs.Count(), 100);
  EXPECT_EQ(pairs.GetQuestionExtra(1), "un\r\nx");
  EXPECT_TRUE(pairs.GetQuestionFlag(1));
  EXPECT_TRUE(pairs.QuestionIsEmpty(2));
  EXPECT_EQ(pairs.GetQuestionText(3), "three");
  EXPECT_FALSE(pairs.GetQuestionFlag(3));
  EXPECT_EQ(pairs.GetQuestionExtra(100), "cent");

  ConfigValues current = configdoc::Defaults(configdoc::Program::Pairo);
  current.checked["chkIncludeBack"] = true;
  current.text["editGuessCorrect"] = "kept";
  const ConfigValues cfg = pairo::ReadOldMatchConfig(file, current);
  EXPECT_EQ(cfg.Text("mmoExerciseSubtitle"), "a\r\nb");
  EXPECT_EQ(cfg.Text("editCheck"), "Check");
  EXPECT_TRUE(cfg.Checked("chkIncludeNextEx"));
  EXPECT_TRUE(cfg.Checked("chkIncludeBack"));  // absent: its current state
  EXPECT_EQ(cfg.Text("editPageBGColor"), "#123456");
  EXPECT_EQ(cfg.Text("editTitleColor"), current.Text("editTitleColor"));
  EXPECT_EQ(cfg.Text("editGuessCorrect"), "kept");  // no key in old files

  dir.Write("v1.pry", "[FileInfo]\r\nVersion=1\r\n\r\n[Default]\r\nDefault=--\r\n\r\n");
  TDataFile v1(dir.File("v1.pry"));
  const pairo::OldMatch refused = pairo::ReadOldMatch(v1, "");
  EXPECT_LT(refused.version, pairo::kOldMinVersion);
  EXPECT_EQ(refused.defaultRight, "--");
}

TEST(MatchFile, ExamplesOpen) {
  std::string text;
  ASSERT_TRUE(LoadTextFile(std::string(PAIRO_EXAMPLES_DIR) + "/capitals-reading.pry", text));
  ASSERT_TRUE(pairo::IsMatchDocument(text));
  const exercisedoc::Parts parts = pairo::ReadMatchXML(text, "", "");
  EXPECT_TRUE(GetBoolByPath(parts.reading, "include-reading", false));
  TQList pairs;
  const pairo::ItemsRead read = pairo::ReadMatchItems(parts.body, 1, pairs);
  EXPECT_GE(read.pairs, 5);
  // Saved again as the program would save it, the example keeps its bytes.
  const ConfigValues cfg = configdoc::ReadConfigXML(configdoc::Program::Pairo,
                                                    GetValueByPath(text, pairo::kFileRoot, ""),
                                                    configdoc::Defaults(configdoc::Program::Pairo));
  TempDir dir;
  ASSERT_TRUE(SaveXMLFile(
      dir.File("again.pry"),
      pairo::BuildMatchFileText(6, parts.title, MakeElement(parts.reading, "reading"),
                                read.defaultRight, pairs,
                                configdoc::MakeConfigXML(configdoc::Program::Pairo, cfg))));
  EXPECT_EQ(dir.Read("again.pry"), tavrel::testing::ReadFileBytes(std::string(PAIRO_EXAMPLES_DIR) +
                                                                  "/capitals-reading.pry"));

  const std::string oldName = std::string(PAIRO_EXAMPLES_DIR) + "/colours-oldformat.pry";
  ASSERT_TRUE(LoadTextFile(oldName, text));
  EXPECT_FALSE(pairo::IsMatchDocument(text));
  TDataFile file(oldName);
  const pairo::OldMatch old = pairo::ReadOldMatch(file, "");
  EXPECT_GE(old.version, pairo::kOldMinVersion);
  TQList oldPairs;
  pairo::PutOldPairs(old, oldPairs);
  EXPECT_GE(oldPairs.Count(), 5);
}
