// Saving and opening crosswords through the window, with scripted dialogs
// and real files: the round trip, old files, refused files, failed saves,
// the command line.
#include <cstdio>

#include "gridel/core/CrosswordFile.h"
#include "gridel_fixture.h"
#include "shared/core/FileFunctions.h"
#include "shared/forms/TLFunctions.h"
#include "support/EncodedAlike.h"

namespace gridel_test {
namespace {

class DataFileTest : public GridelTest {
 protected:
  // A crossword file of the given size with one letter in its last cell.
  std::string WriteSizedFile(const std::string& name, int size) {
    gridel::Crossword c;
    c.title = "Sized";
    c.grid = gridel::LetterGrid(size);
    c.grid.SetCell(size - 1, size - 1, "Q");
    const std::string path = files.File(name);
    files.Write(name, gridel::BuildCrosswordFileText(6, c, ""));
    return path;
  }
};

TEST_F(DataFileTest, SaveAsThenOpenBringsBackLettersTitleAndClues) {
  Letters({"CAT", "A..", "R.."});
  main->mmoTitle->SetText("Pets & <cars>");
  main->FClues = {{"CAT", "Says \"miaow\""}, {"CAR", ""}};
  main->FChanged = true;
  fake.ChooseSave(files.File("pets"));
  main->mnuSaveAsClick();
  EXPECT_TRUE(FileExists(files.File("pets.gdl")));
  EXPECT_EQ(main->FFileName, files.File("pets.gdl"));
  EXPECT_FALSE(main->FChanged);
  EXPECT_EQ(main->FLastFiles[1], files.File("pets.gdl"));

  main->spdNewClick();
  EXPECT_TRUE(main->NoLetters());
  fake.ChooseOpen(files.File("pets.gdl"));
  main->spdLoadQuizClick();
  EXPECT_EQ(Shown(0, 4), "CAT.");
  EXPECT_EQ(Shown(2, 4), "R...");
  EXPECT_EQ(main->mmoTitle->Text(), "Pets & <cars>");
  EXPECT_EQ(Pairs(main->FClues), (PairList{{"CAT", "Says \"miaow\""}, {"CAR", ""}}));
  EXPECT_FALSE(main->FChanged);
  EXPECT_EQ(main->windowTitle().toStdString(), "Gridel: " + files.File("pets.gdl"));
  EXPECT_TRUE(fake.messages.empty());
}

TEST_F(DataFileTest, QuestionsAboutTheDataFileNameItAsTheFolderHoldsItAndDefaultToNo) {
  int n = 0;
  tavrel::testing::CheckDataFileQuestionsNameTheRealFile(*main, fake, files, [&] {
    main->mmoTitle->SetText("edit " + std::to_string(++n));
    main->FChanged = true;
  });
}

TEST_F(DataFileTest, ACrosswordInUtf8ReadsAsTheSameCrosswordAndSavesInTheProgramsEncoding) {
  Letters({"CAT", "A..", "R.."});
  main->mmoTitle->SetText("K\xF8" "benhavn, &#321;\xF3" "d&#378;");
  main->FClues = {{"CAT", "&#1050;&#1086;&#1090; \xE9t\xE9"}, {"CAR", "Auto"}};
  fake.ChooseSave(files.File("pets"));
  main->mnuSaveAsClick();
  const std::string saved = files.Read("pets.gdl");
  int n = 0;
  for (const auto& [kind, bytes] : tavrel::testing::EncodedAlike(saved)) {
    SCOPED_TRACE(kind);
    const std::string name = "utf" + std::to_string(++n) + ".gdl";
    files.Write(name, bytes);
    main->spdNewClick();
    fake.ChooseOpen(files.File(name));
    main->spdLoadQuizClick();
    EXPECT_EQ(main->FFileName, files.File(name));
    EXPECT_EQ(Shown(0, 4), "CAT.");
    EXPECT_EQ(main->mmoTitle->toPlainText(), QString::fromUtf8("København, Łódź"));
    EXPECT_EQ(Pairs(main->FClues), (PairList{{"CAT", "&#1050;&#1086;&#1090; \xE9t\xE9"}, {"CAR", "Auto"}}));
    main->FChanged = true;
    main->spdSaveClick();
    EXPECT_EQ(files.Read(name), saved);
  }
  EXPECT_TRUE(fake.messages.empty()) << fake.MessageTexts()[0];
}

// Every road to a file asks about unsaved edits before it reads the file:
// the open crossword, opened again and saved on the question, shows the
// edit, whichever way it was opened and whatever its format.
TEST_F(DataFileTest, ReopeningTheChangedCurrentFileAfterSavingItShowsWhatWasSaved) {
  Letters({"CAT", "A..", "R.."});
  const std::string file = files.File("pets.gdl");
  fake.ChooseSave(file);
  main->mnuSaveAsClick();
  const std::string xml = files.Read("pets.gdl");
  const std::string old =
      "[FileInfo]\r\nVersion=3\r\n\r\n[GridV3]\r\nGridRow0=CAT\r\nGridRow1=A\xB6\xB6\r\n"
      "GridRow2=R\xB6\xB6\r\n";
  ReopenByEveryRoad(
      main, file, {xml, old},
      [&](const std::string&) {
        GoTo(1, 1);
        TypeOnGrid("x");
      },
      [&](const std::string&) { EXPECT_EQ(Shown(1, 3), "AX."); });
}

TEST_F(DataFileTest, ALargerFileEnlargesTheGridAndASmallerOneFillsItsCorner) {
  main->LoadFile(WriteSizedFile("big.gdl", 25));
  EXPECT_EQ(main->FGridSize, 25);
  EXPECT_EQ(main->CWGrid->ColCount(), 25);
  EXPECT_EQ(main->CWGrid->Cells(24, 24), "Q");

  main->LoadFile(WriteSizedFile("small.gdl", 15));
  EXPECT_EQ(main->FGridSize, 25);
  EXPECT_EQ(main->CWGrid->Cells(14, 14), "Q");
  EXPECT_EQ(main->CWGrid->Cells(24, 24), "");
}

TEST_F(DataFileTest, ARefusedFileIsNamedNeverBecomesCurrentAndTheCrosswordStays) {
  gridel::Crossword c;
  c.title = "Whole";
  c.grid.SetCell(0, 0, "W");
  c.clues = {{"WORD", "A clue"}};
  const std::string whole = gridel::BuildCrosswordFileText(6, c, "");
  // One row of 101 cells: the grid cannot hold it.
  std::string huge = "<tavrel-gridel-file><version>6</version><data><title>Huge</title><crossword><grid><row>";
  for (int col = 0; col < 101; ++col) huge += "<cell>A</cell>";
  huge += "</row></grid><clues></clues></crossword></data></tavrel-gridel-file>";
  const std::string damaged = " is damaged or incomplete. It has not been opened.";
  struct Case {
    const char* name;
    std::string bytes;
    std::string message;  // "" for the damaged-file message
  };
  const std::vector<Case> cases = {
      {"old.gdl", "[FileInfo]\r\nVersion=1\r\n\r\n[GridV3]\r\nGridRow0=XY\r\n",
       "This file version is not supported by this version of Gridel."},
      {"huge.gdl", huge, gridel::kTooLargeMessage},
      {"empty.gdl", "", ""},
      {"cut-in-the-grid.gdl", whole.substr(0, whole.find("<cell>") + 4), ""},
      {"cut-in-the-clues.gdl", whole.substr(0, whole.find("<def>") + 6), ""},
      {"quiz.gdl", "<tavrel-askery-file><version>6</version><data></data></tavrel-askery-file>", ""},
  };
  Letters({"HI"});
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    files.Write(k.name, k.bytes);
    main->FChanged = true;
    fake.ClearRecords();
    fake.Answer(ModalResult::No).Answer(ModalResult::OK);
    main->LoadFile(files.File(k.name));
    ASSERT_EQ(fake.messages.size(), 2u);
    EXPECT_EQ(fake.messages[0].type, MsgType::Confirmation);
    EXPECT_EQ(fake.messages[1].text, k.message.empty() ? "The file " + files.File(k.name) + damaged : k.message);
    EXPECT_EQ(fake.messages[1].type, k.message == gridel::kTooLargeMessage ? MsgType::Warning : MsgType::Error);
    EXPECT_EQ(Shown(0, 3), "HI.");
    EXPECT_TRUE(main->FChanged);
    EXPECT_EQ(main->FFileName, "");
    EXPECT_EQ(main->FLastFiles[1], "");
    EXPECT_EQ(main->FGridSize, gridel::kDefaultGridSize);
  }
}

// A file edited in a UTF-8 editor: the letters are read; what is not one
// letter is reported once, and the crossword stays modified.
TEST_F(DataFileTest, CellsThatAreNotOneLetterAreReportedOnceAndTheCrosswordStaysModified) {
  std::string text = "<tavrel-gridel-file><version>6</version><data><title>T</title><crossword><grid>"
                     "<row><cell>\xC5\x82</cell><cell>&#1103;</cell><cell>AB</cell>";
  for (int c = 0; c < 150; ++c) text += "<cell></cell>";
  text += "</row><row><cell>\x01</cell></row></grid><clues></clues></crossword></data></tavrel-gridel-file>";
  files.Write("utf8.gdl", text);
  fake.Answer(ModalResult::OK);
  main->LoadFile(files.File("utf8.gdl"));
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].text,
            "2 cells of this crossword's grid do not hold a single letter and have been left empty; "
            "the first is in row 1, column 3. Please check the grid before you save the crossword.");
  EXPECT_EQ(fake.messages[0].type, MsgType::Warning);
  EXPECT_EQ(main->FFileName, files.File("utf8.gdl"));
  EXPECT_TRUE(main->FChanged);
  EXPECT_EQ(main->FGridSize, gridel::kDefaultGridSize);
  EXPECT_EQ(main->Letter(0, 0) + main->Letter(1, 0), "&#321;&#1071;");

  // Saved and opened again: the same letters, nothing more to say.
  EXPECT_TRUE(main->Save());
  main->LoadFile(files.File("utf8.gdl"));
  EXPECT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(Shown(0, 3), "&#321;&#1071;.");
  EXPECT_FALSE(main->FChanged);
}

TEST_F(DataFileTest, AFailedSaveIsReportedAndTheCrosswordStaysModifiedUnderItsName) {
  Letters({"OK"});
  main->FChanged = true;
  fake.ChooseSave(files.File("kept"));
  main->mnuSaveAsClick();
  main->FChanged = true;
  const std::string bad = files.File("no-such-folder/puzzle.gdl");
  fake.ChooseSave(bad).Answer(ModalResult::OK);
  EXPECT_FALSE(main->SaveAs());
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].text, "Unable to save file: " + bad + "\r\nNo such file or directory");
  EXPECT_TRUE(main->FChanged);
  EXPECT_EQ(main->FFileName, files.File("kept.gdl"));
  EXPECT_EQ(main->FLastFiles[1], files.File("kept.gdl"));
}

TEST_F(DataFileTest, AFailedSaveInPlaceLeavesTheFileAsItWas) {
  auto crossword = [&](const char* title, int size) {
    main->mmoTitle->SetText(title);
    main->FGrid = gridel::LetterGrid(size);
    for (int r = 0; r < size; ++r)
      for (int c = 0; c < size; ++c) main->FGrid.SetCell(c, r, "W");
    main->ShowGrid();
  };
  crossword("Long", 60);
  main->FFileName = tavrel::testing::FileInSharedFolder(files, "puzzle.gdl");
  ASSERT_TRUE(main->Save());
  crossword("Short", 40);
  if (!tavrel::testing::CheckFailedSaveInPlace(*main, fake))
    GTEST_SKIP() << "file modes do not restrain this user";
}

TEST_F(DataFileTest, AnOldCrosswordIsImportedAndItsConfigurationReloadedOnYes) {
  const std::string fruit =
      "[FileInfo]\r\nVersion=3\r\n\r\n[Title]\r\nstrPuzzleTitle=Fruit\r\n\r\n"
      "[Config]\r\nstrCheckCaption=Check it\r\nstrGuessCorrect=Well done!\r\n\r\n"
      "[GridV3]\r\nGridRow0=PEA\xB6\r\nGridRow1=L\xB6P\r\n\r\n"
      "[Words]\r\nTotalWords=2\r\nWord0=PEA\r\nWord1=PL\r\n\r\n"
      "[Definitions]\r\nDef0=Green\r\nDef1=Not a word\r\n";
  files.Write("fruit.gdl", fruit);

  // A reload question that runs out of memory ends the load before anything
  // changed: the crossword, its name and its flag stay, and the user is told.
  Letters({"OK"});
  main->mmoTitle->SetText("Mine");
  fake.ChooseSave(files.File("mine.gdl"));
  main->mnuSaveAsClick();
  const std::string check = config->ControlText("editCheck");
  fake.RunOutOfMemory().Answer(ModalResult::OK);
  main->LoadFile(files.File("fruit.gdl"));
  ASSERT_EQ(fake.messages.size(), 2u);
  EXPECT_EQ(fake.messages[0].text, gridel::kReloadConfigQuestion);
  EXPECT_EQ(fake.messages[1].text, FileRefusalMessage(files.File("fruit.gdl"), FileRefusal::CannotRead));
  EXPECT_EQ(Shown(0, 4), "OK..");
  EXPECT_EQ(main->mmoTitle->Text(), "Mine");
  EXPECT_EQ(main->FFileName, files.File("mine.gdl"));
  EXPECT_EQ(main->windowTitle().toStdString(), "Gridel: " + files.File("mine.gdl"));
  EXPECT_FALSE(main->FChanged);
  EXPECT_EQ(config->ControlText("editCheck"), check);

  fake.ClearRecords();
  fake.Answer(ModalResult::Yes);
  main->LoadFile(files.File("fruit.gdl"));
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].text, gridel::kReloadConfigQuestion);
  EXPECT_EQ(main->mmoTitle->Text(), "Fruit");
  EXPECT_EQ(Shown(0, 4), "PEA.");
  EXPECT_EQ(Shown(1, 4), "L.P.");
  EXPECT_EQ(Pairs(main->FClues), (PairList{{"PEA", "Green"}, {"PL", "Not a word"}}));
  EXPECT_EQ(config->ControlText("editCheck"), "Check it");
  EXPECT_EQ(config->ControlText("editCorrect"), "Well done!");
  EXPECT_EQ(main->FFileName, files.File("fruit.gdl"));
  EXPECT_FALSE(main->FChanged);

  // The crossword and its configuration come from the text LoadFile read,
  // whatever the file holds by now.
  files.Write("fruit.gdl",
              "[FileInfo]\r\nVersion=3\r\n\r\n[Title]\r\nstrPuzzleTitle=Other\r\n\r\n"
              "[Config]\r\nstrCheckCaption=On disk\r\n\r\n[GridV3]\r\nGridRow0=NO\r\n");
  config->SetControlText("editCheck", check);
  fake.ClearRecords();
  ASSERT_TRUE(main->ReadDataFile(files.File("fruit.gdl"), fruit));
  EXPECT_EQ(main->mmoTitle->Text(), "Fruit");
  EXPECT_EQ(Shown(0, 4), "PEA.");
  EXPECT_EQ(config->ControlText("editCheck"), "Check it");
  ASSERT_EQ(std::remove(files.File("fruit.gdl").c_str()), 0);
  ASSERT_TRUE(main->ReadDataFile(files.File("fruit.gdl"), files.Read("mine.gdl")));
  EXPECT_EQ(main->mmoTitle->Text(), "Mine");
  EXPECT_TRUE(fake.messages.empty());
}

TEST_F(DataFileTest, TheEmbeddedConfigurationIsTakenOnlyWithTheReloadOptionButTheNextExerciseAlways) {
  config->SetControlText("editCorrect", "Saved & sound");
  config->SetControlText("editNextExURL", "next.htm");
  Letters({"OK"});
  fake.ChooseSave(files.File("conf.gdl"));
  main->mnuSaveAsClick();
  config->SetControlText("editCorrect", "Changed since");
  config->SetControlText("editNextExURL", "elsewhere.htm");

  main->LoadFile(files.File("conf.gdl"));
  EXPECT_EQ(config->ControlText("editCorrect"), "Changed since");
  EXPECT_EQ(config->ControlText("editNextExURL"), "next.htm");

  fake.Answer(ModalResult::OK);
  main->mnuReloadConfigClick();
  ASSERT_TRUE(main->mnuReloadConfig->isChecked());
  main->LoadFile(files.File("conf.gdl"));
  EXPECT_EQ(config->ControlText("editCorrect"), "Saved & sound");
}

TEST_F(DataFileTest, ARecentFileIsLoadedEvenWhenItsNewStepWasCancelled) {
  const std::string path = WriteSizedFile("recent.gdl", 20);
  main->FLastFiles[2] = path;
  Letters({"AB"});
  main->FChanged = true;
  // Cancel in New's question, then No in the load's own question.
  fake.Answer(ModalResult::Cancel).Answer(ModalResult::No);
  main->mnuLastFile1Click(2);
  EXPECT_EQ(fake.messages.size(), 2u);
  EXPECT_EQ(main->FFileName, path);
  EXPECT_EQ(main->mmoTitle->Text(), "Sized");

  // A recent file that is gone is named before New and leaves the list; the
  // crossword stays as it was.
  const std::string gone = files.File("gone.gdl");
  AddRecentFile(gone);
  main->FChanged = true;
  fake.ClearRecords();
  fake.Answer(ModalResult::OK);
  main->mnuLastFile1Click(1);
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].text, "The file " + gone + " cannot be found.");
  EXPECT_EQ(main->mmoTitle->Text(), "Sized");
  EXPECT_TRUE(main->FChanged);
  EXPECT_EQ(main->FFileName, path);
  EXPECT_EQ(main->FLastFiles[1], path);
  EXPECT_EQ(main->mnuLastFile[1]->text().toStdString(), "recent.gdl");
}

class CommandLineTest : public DataFileTest {
 protected:
  void BeforeCreation() override {
    gridel::Crossword c;
    c.title = "From the command line";
    c.grid.SetCell(0, 0, "Z");
    files.Write("cmd.gdl", gridel::BuildCrosswordFileText(6, c, ""));
  }
  std::vector<std::string> CommandLine() const override {
    return {"gridel", "\\s", files.File("cmd.gdl")};
  }
};

TEST_F(CommandLineTest, AFileNamedOnTheCommandLineIsOpenedAtTheFirstShowing) {
  EXPECT_EQ(main->mmoTitle->Text(), "From the command line");
  EXPECT_EQ(main->CWGrid->Cells(0, 0), "Z");
  EXPECT_EQ(main->FFileName, files.File("cmd.gdl"));
  EXPECT_FALSE(main->FChanged);
}

TEST_F(DataFileTest, ADroppedFileIsOpenedAfterTheSaveQuestion) {
  const std::string path = WriteSizedFile("dropped.gdl", 20);
  Letters({"AB"});
  main->FChanged = true;
  fake.Answer(ModalResult::No);
  main->FilesDropped({path});
  EXPECT_EQ(main->mmoTitle->Text(), "Sized");
  EXPECT_EQ(main->FFileName, path);

  // Cancel in the save question loads nothing.
  main->FChanged = true;
  fake.Answer(ModalResult::Cancel);
  main->FilesDropped({WriteSizedFile("other.gdl", 20)});
  EXPECT_EQ(main->FFileName, path);
}

}  // namespace
}  // namespace gridel_test
