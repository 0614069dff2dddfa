// The main window's life cycle and file commands: creation, layout, New, the
// save question, Save and Save As, recent files, dropped files, the command
// line, closing, and the Options and Help commands.
#include <QDropEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>
#include <QUrl>
#include <cstdio>
#include <functional>
#include <initializer_list>

#include "main_fixture.h"
#include "shared/core/FileFunctions.h"
#include "shared/forms/TLFunctions.h"
#include "support/ResourceLimits.h"

namespace mainwin_test {
namespace {

const char* const kSaveQuestionUntitled =
    "The quiz  has changed.\r\rDo you want to save the changes?";

TEST_F(MainWindowTest, StartsUntitledWithItsMenusToolbarAndStatusBar) {
  EXPECT_EQ(main->windowTitle().toStdString(), "Askery: [Untitled]");
  EXPECT_EQ(main->AppTitle(), "Askery");
  EXPECT_FALSE(main->FChanged);
  EXPECT_EQ(main->FCurrQ, 1);
  EXPECT_EQ(main->SpinQNum->value(), 1);
  EXPECT_EQ(main->SpinQNum->minimum(), 1);
  EXPECT_EQ(main->SpinQNum->maximum(), 1000000);
  // Typed digits do not change the number; the arrows step it.
  main->SpinQNum->setFocus();
  Key(main->SpinQNum, Qt::Key_7, Qt::NoModifier, "7");
  EXPECT_EQ(main->SpinQNum->value(), 1);
  main->SpinQNum->stepUp();
  EXPECT_EQ(main->SpinQNum->value(), 2);
  EXPECT_EQ(main->FCurrQ, 2);
  Key(main->SpinQNum, Qt::Key_Up);
  EXPECT_EQ(main->SpinQNum->value(), 3);
  EXPECT_EQ(main->StatusPanelText(1).rfind("Config: ", 0), 0u);
  EXPECT_TRUE(main->acceptDrops());
  for (bool used : main->FUsesTemplate) EXPECT_TRUE(used);
  EXPECT_EQ(main->dlgSaveFile.defaultExt, "aky");
  EXPECT_EQ(main->dlgSaveFile.filter, "Askerine files (*.aky)|*.aky");
  EXPECT_EQ(main->dlgSaveWeb.filter, "HTML files (*.htm)|*.htm");
  EXPECT_EQ(main->dlgOpenFile.helpContext, 54);
  EXPECT_EQ(main->dlgSaveWeb.helpContext, 6000);

  std::vector<std::string> menus;
  for (QAction* a : main->menuBar()->actions()) menus.push_back(a->text().toStdString());
  EXPECT_EQ(menus, (std::vector<std::string>{"&File", "&Edit", "&Insert", "&Manage Questions",
                                             "&Options", "&Help"}));
  EXPECT_EQ(main->mnuNew->shortcut(), QKeySequence("Ctrl+N"));
  EXPECT_EQ(main->mnuAddReadingText->shortcut(), QKeySequence("Ctrl+R"));
  EXPECT_EQ(main->mnuSelectAll->shortcut(), QKeySequence("Ctrl+A"));
  EXPECT_EQ(main->mnuReloadConfig->text().toStdString(), "Reload config info from data file");
  EXPECT_FALSE(main->mnuLastFileDivider->isVisible());
  EXPECT_EQ(main->spdToDHTML->toolTip().toStdString(), "Compile this quiz into a Web page");
  EXPECT_EQ(main->spdNew->toolTip().toStdString(), "Start a new quiz");
  EXPECT_EQ(main->AnswerBox(3), main->mmoAnswer3);
  EXPECT_EQ(main->mmoAnswer4->toolTip().toStdString(), "Correct answer #4");
  EXPECT_EQ(main->pnlAnsLabel->text().toStdString(), "Correct Answers");
}

TEST_F(MainWindowTest, LayoutFollowsTheClientSize) {
  main->FormResize(598, 405);
  EXPECT_EQ(main->mmoTitle->width(), 469);
  EXPECT_EQ(main->mmoTitle->pos(), QPoint(115, 40));
  EXPECT_EQ(main->mmoQuestion->geometry(), QRect(116, 84, 469, 44));
  EXPECT_EQ(main->pnlAnsLabel->y(), 139);
  EXPECT_EQ(main->pnlAnsLabel->width(), 525);
  EXPECT_EQ(main->spdAnsUp->y(), 139);
  EXPECT_EQ(main->spdAnsDown->y(), main->spdAnsUp->y() + main->spdAnsUp->height());
  const int first = 139 + main->pnlAnsLabel->height() + 11;
  for (int k = 1; k <= 4; ++k) {
    const int top = first + (k - 1) * (44 + 7);
    EXPECT_EQ(main->AnswerPanel(k)->y(), top) << k;
    EXPECT_EQ(main->AnswerPanel(k)->height(), 44) << k;
    EXPECT_EQ(main->AnswerBox(k)->geometry(), QRect(60, top, 525, 44)) << k;
  }
  // (H - 140) / 6 to the nearest integer, halves to even: 45 for 410, 46 for 416.
  main->FormResize(700, 410);
  EXPECT_EQ(main->mmoQuestion->height(), 45);
  main->FormResize(700, 416);
  EXPECT_EQ(main->mmoQuestion->height(), 46);
  EXPECT_EQ(main->mmoAnswer2->width(), 627);
  // Below the designed minimum nothing becomes negative.
  main->FormResize(100, 100);
  EXPECT_EQ(main->mmoQuestion->height(), 0);
  EXPECT_EQ(main->mmoTitle->width(), 0);
}

// --- New and the save question -------------------------------------------------------

TEST_F(MainWindowTest, NewAfterScrollingLeavesAnEmptyEditorAtQuestionOne) {
  main->mmoTitle->SetText("Quiz");
  for (int j = 1; j <= 6; ++j) List().SetAnswer(7, j, "x" + std::to_string(j), "", 1);
  main->SpinQNum->setValue(7);
  main->spdAnsUpClick();
  main->spdAnsUpClick();
  main->FFileName = files.File("old.aky");
  main->dlgSaveWeb.fileName = "old.htm";
  fake.Answer(ModalResult::No);
  main->spdNew->click();
  EXPECT_EQ(AnswerTexts(), (std::vector<std::string>{"", "", "", ""}));
  EXPECT_EQ(AnswerNumbers(), (std::vector<std::string>{"1", "2", "3", "4"}));
  EXPECT_EQ(main->SpinQNum->value(), 1);
  EXPECT_EQ(main->FCurrQ, 1);
  EXPECT_EQ(main->pnlAnsLabel->Tag, 0);
  EXPECT_EQ(main->mmoTitle->Text(), "");
  EXPECT_EQ(main->mmoQuestion->Text(), "");
  EXPECT_EQ(List().Count(), 0);
  EXPECT_FALSE(main->FChanged);
  EXPECT_EQ(main->FFileName, "");
  EXPECT_EQ(main->dlgSaveWeb.fileName, "");
  EXPECT_EQ(main->windowTitle().toStdString(), "Askery: [Untitled]");
  EXPECT_EQ(fake.MessageTexts(),
            std::vector<std::string>{"The quiz " + files.File("old.aky") +
                                     " has changed.\r\rDo you want to save the changes?"});
  EXPECT_EQ(fake.messages[0].type, MsgType::Confirmation);
  EXPECT_EQ(fake.messages[0].buttons, tavrel::mbYesNoCancel | tavrel::mbHelp);
  EXPECT_EQ(fake.messages[0].helpContext, 4000);
}

TEST_F(MainWindowTest, NewClearsTheReading) {
  reading->chkIncludeReading->setChecked(true);
  reading->mmoReadingText->SetText("text");
  main->FChanged = false;
  main->NewQuiz();  // unchanged quiz: no question
  EXPECT_FALSE(reading->chkIncludeReading->isChecked());
  EXPECT_EQ(reading->mmoReadingText->Text(), "");
}

TEST_F(MainWindowTest, SaveQuestionAnsweredCancelKeepsEverything) {
  Type(main->mmoQuestion, "keep me");
  fake.Answer(ModalResult::Cancel);
  EXPECT_FALSE(main->NewQuiz());
  EXPECT_EQ(main->mmoQuestion->Text(), "keep me");
  EXPECT_TRUE(main->FChanged);
  EXPECT_EQ(fake.MessageTexts(), std::vector<std::string>{kSaveQuestionUntitled});

  fake.Answer(ModalResult::Cancel);
  EXPECT_FALSE(main->FormCloseQuery());
  fake.Answer(ModalResult::Cancel);
  EXPECT_FALSE(main->close());
  EXPECT_TRUE(main->isVisible());
}

TEST_F(MainWindowTest, SaveQuestionAnsweredYesSavesFirst) {
  Type(main->mmoQuestion, "saved");
  fake.Answer(ModalResult::Yes);
  fake.ChooseSave(files.File("first"));
  EXPECT_TRUE(main->NewQuiz());
  EXPECT_TRUE(FileExists(files.File("first.aky")));
  EXPECT_NE(files.Read("first.aky").find("saved"), std::string::npos);
  EXPECT_EQ(main->mmoQuestion->Text(), "");
  EXPECT_EQ(main->FFileName, "");

  // Yes with a cancelled Save As stops the New.
  Type(main->mmoQuestion, "again");
  fake.Answer(ModalResult::Yes);
  fake.CancelSave();
  EXPECT_FALSE(main->NewQuiz());
  EXPECT_EQ(main->mmoQuestion->Text(), "again");
  EXPECT_TRUE(main->FChanged);
}

TEST_F(MainWindowTest, UnchangedQuizClosesWithoutAQuestion) {
  EXPECT_TRUE(main->FormCloseQuery());
  EXPECT_TRUE(main->close());
  EXPECT_FALSE(main->acceptDrops());
  EXPECT_TRUE(fake.messages.empty());
  // The settings went to the registry.
  tavrel::TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(std::string(kTavrelBaseKey) + "\\Askery\\Config", false));
  EXPECT_EQ(reg.ReadString("MainFontName"), main->dlgMainFont.name);
}

// --- Save and Save As ------------------------------------------------------------------

TEST_F(MainWindowTest, SaveAsAppendsTheExtensionOnlyWhenAkyOccursNowhere) {
  Type(main->mmoQuestion, "Q");
  fake.ChooseSave(files.File("quiz"));
  EXPECT_TRUE(main->SaveAs());
  EXPECT_EQ(main->FFileName, files.File("quiz.aky"));
  EXPECT_FALSE(main->FChanged);
  EXPECT_EQ(main->windowTitle().toStdString(), "Askery: " + files.File("quiz.aky"));
  EXPECT_EQ(main->FLastFiles[1], files.File("quiz.aky"));
  EXPECT_TRUE(main->mnuLastFile[1]->isVisible());
  ASSERT_EQ(fake.saveRequests.size(), 1u);
  EXPECT_EQ(fake.saveRequests[0].helpContext, 4000);
  // The dialog sees only the name typed; Save As asks itself (below).
  EXPECT_FALSE(fake.saveRequests[0].overwritePrompt);
  EXPECT_TRUE(fake.saveRequests[0].pathMustExist);

  fake.ChooseSave(files.File("quiz.aky.bak"));
  EXPECT_TRUE(main->SaveAs());
  EXPECT_EQ(main->FFileName, files.File("quiz.aky.bak"));
  EXPECT_TRUE(FileExists(files.File("quiz.aky.bak")));

  fake.ChooseSave(files.File("quiz.AKY"));
  EXPECT_TRUE(main->SaveAs());
  EXPECT_EQ(main->FFileName, files.File("quiz.AKY.aky"));
  EXPECT_TRUE(FileExists(files.File("quiz.AKY.aky")));
  EXPECT_FALSE(FileExists(files.File("quiz.AKY")));
}

// The question names the file really written: the typed name with the
// extension added, not a file of the typed name.  No writes nothing.
TEST_F(MainWindowTest, SaveAsAsksBeforeReplacingTheFileItWrites) {
  files.Write("Unit 3.1.aky", "colleague's quiz");
  files.Write("Unit 3.1", "unrelated");
  Type(main->mmoQuestion, "mine");
  const std::string real = files.File("Unit 3.1.aky");
  fake.ChooseSave(files.File("Unit 3.1"));
  fake.Answer(ModalResult::No);
  EXPECT_FALSE(main->SaveAs());
  EXPECT_EQ(fake.MessageTexts(),
            (std::vector<std::string>{real + " already exists.\r\nDo you want to replace it?"}));
  EXPECT_EQ(fake.messages[0].buttons, tavrel::mbYesNo);
  EXPECT_EQ(files.Read("Unit 3.1.aky"), "colleague's quiz");
  EXPECT_EQ(files.Read("Unit 3.1"), "unrelated");
  EXPECT_TRUE(main->FChanged);
  EXPECT_EQ(main->FFileName, "");

  fake.ChooseSave(files.File("Unit 3.1"));
  fake.Answer(ModalResult::Yes);
  EXPECT_TRUE(main->SaveAs());
  EXPECT_NE(files.Read("Unit 3.1.aky").find("mine"), std::string::npos);
  EXPECT_EQ(main->FFileName, real);
  // A new name asks nothing.
  fake.ClearRecords();
  fake.ChooseSave(files.File("fresh"));
  EXPECT_TRUE(main->SaveAs());
  EXPECT_TRUE(fake.messages.empty());
}

// Another program (a colleague's window on the same shared file) saved it
// after this window read it: Save asks, and No leaves file and quiz as they
// are.  The window's own saves are no change.
TEST_F(MainWindowTest, SaveAsksBeforeOverwritingAFileChangedOnDisk) {
  const std::string file = files.File("shared.aky");
  main->mmoQuestion->SetText("first");
  fake.ChooseSave(file);
  ASSERT_TRUE(main->SaveAs());
  main->NewQuiz();
  fake.ChooseOpen(file);
  main->spdLoadQuizClick();
  ASSERT_EQ(main->FFileName, file);
  Type(main->mmoQuestion, " mine");
  EXPECT_TRUE(main->Save());  // unchanged on disk: no question
  Type(main->mmoQuestion, " more");
  EXPECT_TRUE(main->Save());
  EXPECT_TRUE(fake.messages.empty());

  // The colleague's save: same size, another file in its place.
  const std::string theirs = files.Read("shared.aky");
  files.Write("colleague.tmp", theirs);
  ASSERT_EQ(std::rename(files.File("colleague.tmp").c_str(), file.c_str()), 0);
  Type(main->mmoQuestion, "!");
  const std::string question = "The file " + file +
                               " has been changed by another program since it was opened or "
                               "saved.\r\n\r\nDo you want to replace it?";
  fake.Answer(ModalResult::Yes);  // the save question at close
  fake.Answer(ModalResult::No);   // replace it?
  EXPECT_FALSE(main->close());
  EXPECT_EQ(fake.MessageTexts(),
            (std::vector<std::string>{"The quiz " + file + " has changed.\r\rDo you want to save the changes?",
                                      question}));
  EXPECT_EQ(fake.messages[1].type, MsgType::Confirmation);
  EXPECT_EQ(fake.messages[1].buttons, tavrel::mbYesNo);
  EXPECT_TRUE(main->FChanged);
  EXPECT_EQ(files.Read("shared.aky"), theirs);
  EXPECT_EQ(main->FFileName, file);

  fake.ClearRecords();
  fake.Answer(ModalResult::Yes);
  EXPECT_TRUE(main->Save());
  EXPECT_FALSE(main->FChanged);
  EXPECT_NE(files.Read("shared.aky").find("mine more!"), std::string::npos);
  EXPECT_EQ(fake.MessageTexts(), (std::vector<std::string>{question}));
}

TEST_F(MainWindowTest, QuestionsAboutTheDataFileNameItAsTheFolderHoldsItAndDefaultToNo) {
  int n = 0;
  tavrel::testing::CheckDataFileQuestionsNameTheRealFile(*main, fake, files, [&] {
    main->mmoQuestion->SetText("edit " + std::to_string(++n));
    main->FChanged = true;
  });
}

TEST_F(MainWindowTest, SaveWritesUnderTheCurrentNameOrAsksForOne) {
  Type(main->mmoQuestion, "one");
  fake.ChooseSave(files.File("q.aky"));
  main->spdSaveQuiz->click();  // untitled: Save As
  EXPECT_EQ(main->FFileName, files.File("q.aky"));
  Type(main->mmoQuestion, " two");
  EXPECT_TRUE(main->FChanged);
  main->spdSaveQuizClick();
  EXPECT_FALSE(main->FChanged);
  EXPECT_NE(files.Read("q.aky").find("one two"), std::string::npos);
  EXPECT_EQ(fake.saveRequests.size(), 1u);

  fake.CancelSave();
  EXPECT_FALSE(main->SaveAs());
  EXPECT_EQ(main->FFileName, files.File("q.aky"));
}

TEST_F(MainWindowTest, FailedSaveWarnsAndKeepsTheQuizModified) {
  Type(main->mmoQuestion, "precious");
  const std::string bad = files.File("missing/folder/quiz.aky");
  fake.ChooseSave(bad);
  fake.Answer(ModalResult::OK);
  EXPECT_FALSE(main->SaveAs());
  EXPECT_TRUE(main->FChanged);
  EXPECT_EQ(main->FFileName, "");
  EXPECT_EQ(main->windowTitle().toStdString(), "Askery: [Untitled]");
  EXPECT_EQ(main->FLastFiles[1], "");
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].text, "Unable to save file: " + bad + "\r\nNo such file or directory");
  EXPECT_EQ(fake.messages[0].type, MsgType::Warning);
  EXPECT_EQ(fake.messages[0].buttons, tavrel::mbOK);
  EXPECT_EQ(fake.messages[0].helpContext, 4000);

  // Save under a name that cannot be written: the same, and closing stops.
  fake.ClearRecords();
  main->FFileName = bad;
  fake.Answer(ModalResult::Yes);  // save the changes?
  fake.Answer(ModalResult::OK);   // unable to save
  EXPECT_FALSE(main->close());
  EXPECT_TRUE(main->FChanged);
  EXPECT_EQ(fake.MessageTexts(),
            (std::vector<std::string>{"The quiz " + bad + " has changed.\r\rDo you want to save the changes?",
                                      "Unable to save file: " + bad + "\r\nNo such file or directory"}));
}

// --- Open, recent files, drops, command line ------------------------------------------

// A saved quiz file with one question.
std::string SaveQuiz(MainWindowTest* t, TfrmMain* main, FakePlatform& fake, const std::string& path,
                     const std::string& question) {
  main->mmoQuestion->SetText(question);
  fake.ChooseSave(path);
  EXPECT_TRUE(main->SaveAs());
  (void)t;
  return path;
}

TEST_F(MainWindowTest, OpenAsksFirstAndLoadsTheChosenFile) {
  const std::string a = SaveQuiz(this, main, fake, files.File("a.aky"), "from a");
  main->NewQuiz();
  Type(main->mmoQuestion, "unsaved");
  fake.Answer(ModalResult::Cancel);
  main->spdLoadQuizClick();
  EXPECT_EQ(main->mmoQuestion->Text(), "unsaved");
  EXPECT_TRUE(fake.openRequests.empty());

  // No at the first question discards nothing yet; the load asks again.
  fake.Answer(ModalResult::No);
  fake.ChooseOpen(a);
  fake.Answer(ModalResult::No);
  main->spdLoadQuizClick();
  EXPECT_EQ(main->mmoQuestion->Text(), "from a");
  EXPECT_EQ(main->FFileName, a);
  EXPECT_FALSE(main->FChanged);
  EXPECT_EQ(fake.messages.size(), 3u);

  fake.CancelOpen();
  main->spdLoadQuizClick();
  EXPECT_EQ(main->FFileName, a);
}

TEST_F(MainWindowTest, RecentFileRunsNewThenLoads) {
  const std::string a = SaveQuiz(this, main, fake, files.File("a.aky"), "A");
  const std::string b = SaveQuiz(this, main, fake, files.File("b.aky"), "B");
  EXPECT_EQ(main->FLastFiles[1], b);
  EXPECT_EQ(main->FLastFiles[2], a);
  EXPECT_EQ(main->mnuLastFile[2]->text().toStdString(), "a.aky");
  Type(main->mmoQuestion, "!");
  fake.Answer(ModalResult::Cancel);
  main->mnuLastFile[2]->trigger();
  EXPECT_EQ(main->mmoQuestion->Text(), "B!");
  fake.Answer(ModalResult::No);
  main->mnuLastFile[2]->trigger();
  EXPECT_EQ(main->mmoQuestion->Text(), "A");
  EXPECT_EQ(main->FFileName, a);
  EXPECT_EQ(main->FLastFiles[1], a);
}

TEST_F(MainWindowTest, OnlyTheFirstDroppedFileIsOpened) {
  const std::string a = SaveQuiz(this, main, fake, files.File("a.aky"), "A");
  const std::string b = SaveQuiz(this, main, fake, files.File("b.aky"), "B");
  main->NewQuiz();
  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(a)), QUrl::fromLocalFile(QString::fromStdString(b)),
                QUrl::fromLocalFile(QString::fromStdString(files.File("none.aky")))});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(main->mmoQuestion->viewport(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  const bool delivered = QApplication::sendEvent(main->mmoQuestion->viewport(), &drop);
  EXPECT_TRUE(delivered);
  EXPECT_TRUE(drop.isAccepted());
  EXPECT_EQ(main->FFileName, a);
  EXPECT_EQ(main->mmoQuestion->Text(), "A");

  main->FilesDropped({files.File("none.aky"), b});  // the first does not exist: nothing
  EXPECT_EQ(main->FFileName, a);
  main->FilesDropped({});
  EXPECT_EQ(main->FFileName, a);
}

// Every road to a file asks about unsaved edits before it reads the file:
// the open quiz, opened again and saved on the question, shows the edit,
// whichever way it was opened and whatever its format.  A recent file that
// is gone is named and leaves the list, and the quiz stays.
TEST_F(MainWindowTest, EveryLoadRoadAsksFirstAndReadsWhatTheQuestionSaved) {
  const std::string file = SaveQuiz(this, main, fake, files.File("open.aky"), "saved");
  const std::string xml = files.Read("open.aky");
  const std::string oldQuiz = "[FileInfo]\r\nVersion=2\r\n\r\n[Question1]\r\nQuestion=old\r\n";
  std::string edited;
  ReopenByEveryRoad(
      main, file, {xml, oldQuiz},
      [&](const std::string& road) {
        Type(main->mmoQuestion, road);
        edited = main->mmoQuestion->Text();
      },
      [&](const std::string&) { EXPECT_EQ(main->mmoQuestion->Text(), edited); });

  const std::string gone = files.File("gone.aky");
  AddRecentFile(gone);
  Type(main->mmoQuestion, "!");
  edited = main->mmoQuestion->Text();
  fake.ClearRecords();
  fake.Answer(ModalResult::OK);
  main->mnuLastFile[1]->trigger();
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].text, "The file " + gone + " cannot be found.");
  EXPECT_EQ(main->mmoQuestion->Text(), edited);
  EXPECT_TRUE(main->FChanged);
  EXPECT_EQ(main->FFileName, file);
  EXPECT_EQ(main->FLastFiles[1], file);
  EXPECT_EQ(main->FLastFiles[2], "");
  EXPECT_EQ(main->mnuLastFile[1]->text().toStdString(), "open.aky");
}

class CommandLineTest : public MainWindowTest {
 protected:
  void SetUp() override {
    // The files must exist before the window first shows.
    TfrmMain* saved = nullptr;
    (void)saved;
    files.Write("b.aky", QuizText("from b"));
    files.Write("c.aky", QuizText("from c"));
    MainWindowTest::SetUp();
  }
  std::vector<std::string> CommandLine() const override {
    return {"askery", files.File("b.aky"), "\\s", files.File("nothing.aky"), files.File("c.aky")};
  }
  static std::string QuizText(const std::string& question) {
    return "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n\r\n<tavrel-askery-file>\r\n"
           "<version>6</version>\r\n\r\n<data>\r\n<title>T</title>\r\n\r\n<questions>\r\n\r\n\r\n"
           "<question-record>\r\n<question>" +
           question +
           "</question>\r\n\r\n</question-record>\r\n</questions>\r\n</data>\r\n\r\n"
           "</tavrel-askery-file>\r\n";
  }
};

TEST_F(CommandLineTest, EveryExistingFileOnTheCommandLineIsOpenedInTurn) {
  EXPECT_EQ(main->FFileName, files.File("c.aky"));
  EXPECT_EQ(main->mmoQuestion->Text(), "from c");
  EXPECT_EQ(main->FLastFiles[2], files.File("b.aky"));
  EXPECT_FALSE(main->FChanged);
  EXPECT_TRUE(fake.messages.empty());
}

// --- Options and Help --------------------------------------------------------------------

TEST_F(MainWindowTest, ReloadOptionChangesOnlyWhenConfirmed) {
  const bool before = main->mnuReloadConfig->isChecked();
  fake.Answer(ModalResult::Cancel);
  main->mnuReloadConfig->trigger();
  EXPECT_EQ(main->mnuReloadConfig->isChecked(), before);
  tavrel::TRegistry reg;
  const std::string key = std::string(kTavrelBaseKey) + "\\Askery\\Config";
  EXPECT_FALSE(reg.OpenKey(key, false) && reg.ValueExists("ReloadFromFile"));
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].text,
            "This will change the way data and configuration information is saved. Are you sure "
            "you want to change this setting?");
  EXPECT_EQ(fake.messages[0].buttons, tavrel::mbOK | tavrel::mbCancel | tavrel::mbHelp);
  EXPECT_EQ(fake.messages[0].helpContext, 9000);

  fake.Answer(ModalResult::OK);
  main->mnuReloadConfig->trigger();
  EXPECT_EQ(main->mnuReloadConfig->isChecked(), !before);
  ASSERT_TRUE(reg.OpenKey(key, false));
  EXPECT_EQ(reg.ReadString("ReloadFromFile"), before ? "False" : "True");
  fake.Answer(ModalResult::OK);
  main->mnuReloadConfigClick();
  EXPECT_EQ(reg.ReadString("ReloadFromFile"), before ? "True" : "False");
}

TEST_F(MainWindowTest, RawHtmlWarningComesOncePerRun) {
  fake.Answer(ModalResult::OK);
  main->mnuEditHTMLClick();
  main->mnuEditHTMLClick();
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].text,
            "Please note that editing the raw HTML files may cause your Web pages to fail.");
  EXPECT_EQ(fake.messages[0].helpContext, 33000);
  EXPECT_TRUE(main->mnuEditHTML->isEnabled());
}

TEST_F(MainWindowTest, FontGoesWholeToQuestionAndAnswersButOnlyByNameToTheTitle) {
  tavrel::FontSpec chosen;
  chosen.name = "Courier New";
  chosen.size = 17;
  chosen.bold = true;
  chosen.color = 0x0000FF;  // red
  const int titleSize = main->mmoTitle->font().pointSize();
  fake.ChooseFont(chosen);
  main->mnuFontsClick();
  EXPECT_EQ(main->dlgMainFont.name, "Courier New");
  EXPECT_EQ(main->mmoQuestion->font().pointSize(), 17);
  EXPECT_TRUE(main->mmoAnswer2->font().bold());
  EXPECT_EQ(main->mmoAnswer4->palette().color(QPalette::Text), QColor(255, 0, 0));
  EXPECT_EQ(main->mmoTitle->font().family().toStdString(), "Courier New");
  EXPECT_EQ(main->mmoTitle->font().pointSize(), titleSize);
  EXPECT_FALSE(main->mmoTitle->font().bold());

  fake.CancelFont();
  main->mnuFontsClick();
  EXPECT_EQ(main->dlgMainFont.size, 17);
}

TEST_F(MainWindowTest, InternetHelpOpensTheAddressesAndWarnsWhenItCannot) {
  main->mnuFAQ->trigger();
  main->mnuBulletinBoard->trigger();
  main->mnuEMailHelp->trigger();
  ASSERT_EQ(fake.opened.size(), 3u);
  EXPECT_EQ(fake.opened[0].rfind("https://tavrel.example.org/", 0), 0u);
  EXPECT_EQ(fake.opened[1].rfind("https://tavrel.example.org/", 0), 0u);
  std::string version;
  GetVersionString(version);
  EXPECT_EQ(fake.opened[2],
            "mailto:support@tavrel.example.org?subject=Tavrel - Askery v" + version);

  fake.SetShellOpenFails(true);
  fake.Answer(ModalResult::OK);
  main->mnuInternetHelpClick(1);
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].text,
            "Unable to connect. Please see the Help for details on how to contact us by e-mail "
            "or through our Web site.");
  EXPECT_EQ(fake.messages[0].helpContext, 1000);
}

TEST_F(MainWindowTest, HelpContentsAndAboutAndConfiguration) {
  main->spdHelp->click();
  main->mnuHelpContents->trigger();
  EXPECT_EQ(fake.helpContentsShown, 2);

  std::vector<std::string> shown;
  main->ModalFormHook = [&shown](QDialog& d) {
    shown.push_back(d.metaObject()->className());
    return static_cast<int>(QDialog::Rejected);
  };
  main->mnuConfigureOutputClick();
  main->spdConfig->click();
  EXPECT_EQ(shown, (std::vector<std::string>{"askery::TfrmConfig", "askery::TfrmConfig"}));
}


// Every button or item wired to a handler that can fail runs it as a
// command: one that runs out of memory (at its question, or, with memory
// really short, showing answers too large to copy) is reported, and the
// program goes on.
TEST_F(MainWindowTest, ButtonsReportACommandThatRunsOutOfMemoryAndTheProgramGoesOn) {
  main->FQuestions->SetAnswer(1, 5, std::string(32 << 20, 'x'), "", 1);
  struct Case {
    const char* name;
    std::function<void()> press;
    bool memoryShort;  // else the command runs out of memory at its question
  };
  for (const Case& c : std::initializer_list<Case>{
           {"spdAnsUp", [&] { main->spdAnsUp->click(); }, true},
           {"spdAnsDown",
            [&] {
              main->pnlAnsLabel->Tag = 5;  // answers 6 to 9 stashed, 5 to 8 shown
              main->spdAnsDown->click();
            },
            true},
           {"config OK",
            [&] {
              config->ConfigChanged = true;
              config->btnAccept->click();
            },
            false},
           {"mnuReloadConfig", [&] { main->mnuReloadConfig->trigger(); }, false}}) {
    SCOPED_TRACE(c.name);
    tavrel::testing::ExpectOutOfMemoryReported(fake, c.press, c.memoryShort);
  }
  EXPECT_FALSE(main->mnuReloadConfig->isChecked());
  EXPECT_TRUE(main->isVisible());
}

}  // namespace
}  // namespace mainwin_test
