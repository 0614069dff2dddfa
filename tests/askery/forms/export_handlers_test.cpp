// The main window's web export commands, driven as the teacher drives them:
// a scripted save dialog and answers, real templates, real files.
#include <QDir>
#include <QRadioButton>
#include <QSpinBox>
#include <filesystem>
#include <regex>

#include "askery/forms/main_fixture.h"
#include "shared/core/FileFunctions.h"
#include "shared/forms/SourceEdit.h"
#include "shared/core/WebExport.h"

namespace mainwin_test {
namespace {

class ExportTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    ConfigValues v;
    v.text = {{"editCheck", "Check"},        {"editHint", "Hint"},
              {"editShow", "Show answer"},   {"editHelp", "Help"},
              {"editBack", "Back"},          {"editGuessCorrect", "Correct!"},
              {"mmoWelcome", "Welcome"},     {"editGuessIncorrect", "Wrong, isn't it?"}};
    v.checked = {{"chkIncludeHint", true}, {"chkIncludeShowAnswer", true},
                 {"chkIncludeHelp", true}, {"chkIncludeBack", true}};
    config->SetValues(v);
  }

  void EditQuestion(const std::string& question, const std::vector<std::string>& answers) {
    main->mmoQuestion->SetText(question);
    for (std::size_t k = 0; k < 4; ++k) Answer(static_cast<int>(k) + 1)->SetText(k < answers.size() ? answers[k] : "");
  }

  std::vector<std::string> FilesWritten() const { return files.FileNames(); }

  void AttachTypedReading(bool timer) {
    reading->chkIncludeReading->setChecked(true);
    reading->chkIncludeReadingClick();
    reading->chkTimer->setChecked(timer);
    reading->chkTimerClick();
    reading->mmoReadingTitle->SetText("Reading");
    reading->mmoReadingText->SetText("Some text.");
  }
};

TEST_F(ExportTest, FramesExportWritesThePagesAndReportsThem) {
  main->mmoTitle->SetText("Capitals");
  EditQuestion("Capital of France?", {"Paris"});
  fake.ChooseSave(files.File("quiz.htm")).Answer(ModalResult::Yes);
  main->spdToWebClick();

  ASSERT_EQ(fake.saveRequests.size(), 1u);
  EXPECT_EQ(fake.saveRequests[0].defaultExt, "htm");
  EXPECT_EQ(FilesWritten(), (std::vector<std::string>{"quiz.htm", "quizc.htm", "quizw.htm"}));
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].text,
            "Askery has created the following files:\r\n\r\nquiz.htm\r\nquizw.htm\r\nquizc.htm\r\n\r\n"
            "The root file name is quiz.htm. If this file is loaded into a browser, the quiz should "
            "appear.\r\n\r\nWould you like to view the quiz now?");
  EXPECT_EQ(fake.messages[0].buttons, tavrel::mbYesNoCancel);
  EXPECT_EQ(fake.opened, std::vector<std::string>{files.File("quiz.htm")});
  EXPECT_FALSE(fake.busy);
  // The question being edited went into the pages.
  const std::string code = files.Read("quizc.htm");
  EXPECT_NE(code.find("Capital of France?"), std::string::npos);
  EXPECT_NE(code.find("Answers[0][0]='Paris';"), std::string::npos);
  EXPECT_NE(code.find("var GuessIncorrect = 'Wrong, isn\\'t it?';"), std::string::npos);
}

TEST_F(ExportTest, ExportSaveAsAsksBeforeReplacingAPage) {
  EditQuestion("Capital of France?", {"Paris"});
  tavrel::testing::CheckExportSaveAsAsksBeforeReplacing(fake, files, [&] { main->spdToWebClick(); });
  tavrel::testing::CheckExportSaveAsAsksBeforeReplacing(fake, files, [&] { main->mnuToDHTMLClick(); });
}

TEST_F(ExportTest, ExportingAQuizWithoutEmptyQuestionsLeavesItUnmodified) {
  Quiz({"One", "Two"});
  List().SetAnswer(1, 1, "a", "", 1);
  List().SetAnswer(2, 1, "b", "", 1);
  main->ShowQuestion(1);
  main->FChanged = false;
  fake.ChooseSave(files.File("quiz.htm")).Answer(ModalResult::No);
  main->spdToWebClick();
  EXPECT_FALSE(main->FChanged);
  EXPECT_EQ(main->mmoQuestion->Text(), "One");
}

// The hourglass of an export goes when the export ends, also when a reading
// went with the pages and gave its own warning on the way.
TEST_F(ExportTest, TheCursorComesBackAfterExportsWithAReading) {
  EditQuestion("Q", {"a"});
  AttachTypedReading(true);
  fake.ChooseSave(files.File("quiz.htm")).Answer(ModalResult::No);
  main->spdToWebClick();
  EXPECT_GT(fake.busyChanges, 0);
  EXPECT_FALSE(fake.busy);
  fake.ClearRecords();

  reading->rbExternal->setChecked(true);
  reading->rbSourceClick();
  reading->editReadingPath->SetText("neither a file nor an address");
  fake.ChooseSave(files.File("single.htm")).Answer(ModalResult::OK).Answer(ModalResult::No);
  main->mnuToDHTMLClick();
  EXPECT_EQ(fake.MessageTexts().front(),
            "You have not specified a correct file and path for your reading text file.");
  EXPECT_FALSE(fake.busy);
  EXPECT_TRUE(fake.AllAnswersUsed());
}

TEST_F(ExportTest, CancelledDialogOrBlankAnsweredNoWritesNothing) {
  fake.CancelSave();
  main->spdToWebClick();
  fake.ChooseSave(files.File("my quiz.htm")).Answer(ModalResult::No);
  main->spdToWebClick();
  fake.ChooseSave(files.File("my quiz.htm")).Answer(ModalResult::Cancel);
  main->mnuToDHTMLClick();
  EXPECT_TRUE(FilesWritten().empty());
  ASSERT_EQ(fake.messages.size(), 2u);
  EXPECT_EQ(fake.messages[0].text, kBlankInNameMessage);
  EXPECT_EQ(fake.messages[0].helpContext, 6000);
  EXPECT_FALSE(fake.busy);
}

TEST_F(ExportTest, BlankAnsweredYesGoesOn) {
  fake.ChooseSave(files.File("my quiz.htm")).Answer(ModalResult::Yes).Answer(ModalResult::No);
  main->spdToWebClick();
  EXPECT_EQ(FilesWritten(), (std::vector<std::string>{"my quiz.htm", "my quizc.htm", "my quizw.htm"}));
}

TEST_F(ExportTest, EmptyQuestionsGoAndTheEditorShowsTheListAfresh) {
  Quiz({"One", "", "Three"});
  List().SetAnswer(1, 1, "a", "", 1);
  List().SetAnswer(3, 1, "c", "", 1);
  main->SpinQNum->setValue(3);
  QApplication::processEvents();
  fake.ChooseSave(files.File("quiz.htm")).Answer(ModalResult::No);
  main->spdToWebClick();
  EXPECT_EQ(QuestionTexts(), (std::vector<std::string>{"One", "Three"}));
  // Nothing stale is stored over another question afterwards.
  main->StashQuestion();
  List().RemoveEmptyQuestions();
  EXPECT_EQ(QuestionTexts(), (std::vector<std::string>{"One", "Three"}));
  const std::string code = files.Read("quizc.htm");
  EXPECT_NE(code.find("Answers[1][0]='c';"), std::string::npos);
  EXPECT_EQ(code.find("Answers[2]"), std::string::npos);
}

TEST_F(ExportTest, AnExportThatRunsOutOfMemoryIsReportedAndKeepsTheEmptyQuestions) {
  Quiz({"One", "", "Three"});
  main->FChanged = false;
  TempDir empty;
  main->FSourcePath = empty.Path();
  fake.ChooseSave(files.File("quiz.htm"));
  fake.RunOutOfMemory().Answer(ModalResult::OK);  // while it warns about a template
  main->mnuToHTML->trigger();
  EXPECT_EQ(fake.MessageTexts().back(), "There is not enough memory to finish this command.");
  EXPECT_EQ(QuestionTexts(), (std::vector<std::string>{"One", "", "Three"}));
  EXPECT_FALSE(main->FChanged);
  EXPECT_TRUE(FilesWritten().empty());
}

TEST_F(ExportTest, MissingTemplatesWarnAndFallBack) {
  TempDir empty;
  main->FSourcePath = empty.Path();
  EditQuestion("Q", {"a"});
  fake.ChooseSave(files.File("quiz.htm"))
      .Answer(ModalResult::OK)
      .Answer(ModalResult::OK)
      .Answer(ModalResult::OK)
      .Answer(ModalResult::No);
  main->spdToWebClick();
  EXPECT_EQ(fake.MessageTexts()[0], "Unable to find source file askery.ht_. Reverting to default.");
  EXPECT_EQ(fake.MessageTexts()[1], "Unable to find source file askeryw.ht_. Reverting to default.");
  EXPECT_EQ(fake.MessageTexts()[2], "Unable to find source file askeryc.ht_. Reverting to default.");
  EXPECT_EQ(fake.messages[2].helpContext, 33000);
}

TEST_F(ExportTest, SinglePageExportWritesOneFile) {
  EditQuestion("Caf\xE9?", {" caf\xE9 "});
  fake.ChooseSave(files.File("one.htm")).Answer(ModalResult::No);
  main->mnuToDHTMLClick();
  EXPECT_EQ(FilesWritten(), std::vector<std::string>{"one.htm"});
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].text, "Askery has created the following file:\r\n\r\n" +
                                       files.File("one.htm") +
                                       "\r\n\r\nIf this file is loaded into a browser, the quiz "
                                       "should appear.\r\n\r\nWould you like to view the quiz now?");
  EXPECT_EQ(fake.messages[0].buttons, tavrel::mbYesNo);
  EXPECT_NE(files.Read("one.htm").find("I[0][1][0][0]='caf%E9';"), std::string::npos);
}

TEST_F(ExportTest, SinglePageExportWithAReading) {
  AttachTypedReading(true);
  EditQuestion("Q", {"a"});
  fake.ChooseSave(files.File("quiz.htm")).Answer(ModalResult::No);
  main->ExportToDHTML();
  EXPECT_EQ(FilesWritten(), (std::vector<std::string>{"quiz.htm", "quizc.htm", "quizr.htm"}));
  EXPECT_EQ(fake.messages[0].text.find("Askery has created the following files:\r\n\r\nquiz.htm\r\n"
                                       "quizc.htm\r\nquizr.htm\r\n\r\n"),
            0u);
  EXPECT_NE(files.Read("quizc.htm").find("var ReadingFileName = 'quizr.htm';"), std::string::npos);
  EXPECT_NE(files.Read("quizr.htm").find("Some text."), std::string::npos);
}

TEST_F(ExportTest, AReadingPageThatCannotBeWrittenIsReportedAndNotListed) {
  AttachTypedReading(false);
  QDir(QString::fromStdString(files.Path())).mkdir("quizr.htm");  // a folder in the way
  EditQuestion("Q", {"a"});
  fake.ChooseSave(files.File("quiz.htm")).Answer(ModalResult::No);
  main->spdToWebClick();
  ASSERT_EQ(fake.messages.size(), 2u);
  EXPECT_TRUE(fake.messages[0].plain);
  EXPECT_EQ(fake.messages[0].text, "Unable to save file: quizr.htm\r\nIs a directory");
  EXPECT_NE(fake.messages[1].text.find("files:\r\n\r\nquiz.htm\r\nquizw.htm\r\nquizc.htm\r\n\r\n"),
            std::string::npos);
}

TEST_F(ExportTest, MakeDHTMLCodePageBuildsTheExercisePage) {
  EditQuestion("Q", {"a"});
  main->StashQuestion();
  std::string page = "stale page text";
  main->MakeDHTMLCodePage("", page);
  EXPECT_NE(page.find("I[0][1][0][0]='a';"), std::string::npos);
  EXPECT_EQ(page.find("stale page text"), std::string::npos);
}

// Exporting with the supplied templates leaves none of the placeholders or
// section markers in any page, whatever the settings.
TEST_F(ExportTest, SuppliedTemplatesLeaveNoMarkersInThePages) {
  static const std::regex marker(
      R"(\[/?(str[A-Za-z]+|incl[A-Za-z]+|bool[A-Za-z]+|V[34]BrowserVersion|NoReading|Reading|)"
      R"(NoTimer|Timer|StartQuestionLoop|EndQuestionLoop|Questions|Question|QNum|Answers|)"
      R"(CheckButton|HintButton|ShowButton|HelpButton|NextExButton|TopNextExButton|)"
      R"(ContentsButton|BackButton|CheckCaption|HintCaption|ShowCaption|HelpCaption|)"
      R"(WelcomeFileName|CodeFileName|ReadingFileName|TimerValue|CaseSensitive)\])");
  EditQuestion("Q", {"a", "b"});
  int exports = 0;
  for (int variant = 0; variant < 8; ++variant) {
    const bool all = variant % 2 == 0;
    for (const char* box : {"chkIncludeHint", "chkIncludeShowAnswer", "chkIncludeHelp",
                            "chkIncludeBack", "chkIncludeNextEx", "chkIncludeContents",
                            "chkShuffleQs", "chkContinuousScoring", "chkCaseSensitive"})
      config->SetControlChecked(box, all);
    reading->chkIncludeReading->setChecked(variant >= 2);
    reading->chkIncludeReadingClick();
    reading->chkTimer->setChecked(variant >= 4);
    reading->chkTimerClick();
    if (variant >= 6) {
      reading->rbExternal->setChecked(true);
      reading->rbSourceClick();
      reading->editReadingPath->SetText("http://example.org/reading.htm");
    }
    for (bool single : {false, true}) {
      TempDir out;
      fake.ChooseSave(out.File("quiz.htm")).Answer(ModalResult::No);
      if (single)
        main->mnuToDHTMLClick();
      else
        main->spdToWebClick();
      ++exports;
      for (const auto& e : std::filesystem::directory_iterator(out.Path())) {
        const std::string text = tavrel::testing::ReadFileBytes(e.path().string());
        std::smatch m;
        EXPECT_FALSE(std::regex_search(text, m, marker))
            << e.path() << " variant " << variant << ": " << m.str();
        EXPECT_EQ(text.find("[/"), std::string::npos) << e.path();
      }
    }
  }
  EXPECT_EQ(exports, 16);
}

}  // namespace
}  // namespace mainwin_test
