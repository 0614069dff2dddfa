// The export commands driven through the window: the checks before anything
// is asked, scripted save dialogs and answers, real templates, real files.
#include <filesystem>

#include "gridel/core/CrosswordExport.h"
#include "gridel_fixture.h"
#include "shared/core/FileFunctions.h"

namespace gridel_test {
namespace {

class ExportTest : public GridelTest {
 protected:
  void SetUp() override {
    GridelTest::SetUp();
    Letters({"CAT", "A..", "R.."});
    main->mmoTitle->SetText("Pets");
    config->SetControlText("editCheck", "Check");
  }
  std::vector<std::string> FilesWritten() const { return files.FileNames(); }
};

TEST_F(ExportTest, AnEmptyGridOrAMissingClueStopsBeforeTheSaveDialog) {
  main->FGrid.Clear();
  fake.Answer(ModalResult::OK).Answer(ModalResult::OK);
  main->spdToWebClick();
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].text, "There are no letters in the grid.");
  EXPECT_EQ(fake.messages[0].helpContext, 18500);

  Letters({"CAT", "A..", "R.."});
  main->FClues = {{"CAT", "Pet"}};
  main->spdToDHTMLClick();
  ASSERT_EQ(fake.messages.size(), 2u);
  EXPECT_EQ(fake.messages[1].text, "You haven't entered all the clues yet.");
  EXPECT_TRUE(fake.saveRequests.empty());
  EXPECT_FALSE(main->FAllCluesDone);
  // The clue dialog shows the words found, ready for the missing clue.
  EXPECT_EQ(clues->DownGrid->Cells(1, 1), "CAR");
}

TEST_F(ExportTest, AnExportThatRunsOutOfMemoryIsReportedAndTheCrosswordStays) {
  main->FClues = {{"car", "Drives"}, {"CAT", "Pet"}};
  main->FChanged = true;
  fake.ChooseSave(files.File("pets.htm"));
  fake.RunOutOfMemory().Answer(ModalResult::OK);  // at the final report
  main->mnuExportToWeb->trigger();
  ASSERT_EQ(fake.messages.size(), 2u);
  EXPECT_EQ(fake.messages[1].text, "There is not enough memory to finish this command.");
  EXPECT_TRUE(main->FChanged);
  EXPECT_EQ(main->FGrid.Cell(0, 2), "R");
}

TEST_F(ExportTest, TheFramesExportWritesThreePagesAndOffersToOpenTheRoot) {
  main->FClues = {{"car", "Drives"}, {"CAT", "Pet's name: \"Tom\""}};
  fake.ChooseSave(files.File("pets.htm")).Answer(ModalResult::Yes);
  main->spdToWebClick();
  EXPECT_EQ(FilesWritten(), (std::vector<std::string>{"pets.htm", "petsc.htm", "petsw.htm"}));
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].text.rfind("Gridel has produced three HTML files, ", 0), 0u);
  ASSERT_EQ(fake.opened.size(), 1u);
  EXPECT_EQ(fake.opened[0], files.File("pets.htm"));
  const std::string code = files.Read("petsc.htm");
  EXPECT_NE(code.find("Drives"), std::string::npos);
  EXPECT_EQ(code.find("[Grid]"), std::string::npos);
  // The pairs now hold exactly the words, across first.
  EXPECT_EQ(Pairs(main->FClues), (PairList{{"CAT", "Pet's name: \"Tom\""}, {"CAR", "Drives"}}));
}

TEST_F(ExportTest, ExportSaveAsAsksBeforeReplacingAPage) {
  main->FClues = {{"CAT", "Pet"}, {"CAR", "Drives"}};
  tavrel::testing::CheckExportSaveAsAsksBeforeReplacing(fake, files, [&] { main->spdToWebClick(); });
  tavrel::testing::CheckExportSaveAsAsksBeforeReplacing(fake, files, [&] { main->spdToDHTMLClick(); });
}

TEST_F(ExportTest, TheSinglePageExportWritesOnePageAndAFailedWriteIsReported) {
  main->FClues = {{"CAT", "Pet"}, {"CAR", "Drives"}};
  fake.ChooseSave(files.File("one.htm")).Answer(ModalResult::No);
  main->spdToDHTMLClick();
  EXPECT_EQ(FilesWritten(), (std::vector<std::string>{"one.htm"}));
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].text.rfind("Gridel has created the following file:", 0), 0u);
  EXPECT_TRUE(fake.opened.empty());
  EXPECT_NE(files.Read("one.htm").find("GridMap"), std::string::npos);

  fake.ClearRecords();
  const std::string bad = files.File("missing/one.htm");
  fake.ChooseSave(bad);
  main->spdToDHTMLClick();
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].text, "Unable to save file: " + bad + "\r\nNo such file or directory");
}

TEST_F(ExportTest, ACancelledDialogOrARefusedBlankWritesNothing) {
  main->FClues = {{"CAT", "Pet"}, {"CAR", "Drives"}};
  fake.CancelSave();
  main->spdToWebClick();
  fake.ChooseSave(files.File("my pets.htm")).Answer(ModalResult::No);
  main->spdToWebClick();
  EXPECT_TRUE(FilesWritten().empty());
}

}  // namespace
}  // namespace gridel_test
