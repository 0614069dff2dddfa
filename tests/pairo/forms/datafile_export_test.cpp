// The matching data file and the web exports through the main window:
// save and open, failed saves, old and refused files, Append File, the
// command line, and both exports with scripted answers.
#include <sys/stat.h>
#include <unistd.h>

#include <QToolButton>
#include <filesystem>

#include "pairo/core/MatchExport.h"
#include "pairo_fixture.h"
#include "shared/core/FileFunctions.h"
#include "shared/core/ReadingData.h"
#include "platform/qt/QtText.h"
#include "shared/forms/TLFunctions.h"
#include "support/EncodedAlike.h"
#include "support/ResourceLimits.h"

using namespace pairo_test;
using tavrel::testing::ReadFileBytes;

namespace {

const char* const kOldFile =
    "[FileInfo]\r\nVersion=2\r\n\r\n"
    "[Title]\r\nstrExerciseTitle=Colours\r\n\r\n"
    "[NextEx]\r\nstrNextExURL=next.htm\r\n\r\n"
    "[Config]\r\nstrCheckCaption=Check it\r\nstrExerciseSubtitle=In French\r\n\r\n"
    "[Default]\r\nDefault=Pick one\r\n\r\n"
    "[Item1]\r\nLeftBit=red\r\nRightBit=rouge\r\nFix=0\r\n\r\n"
    "[Item3]\r\nLeftBit=blue\r\nRightBit=bleu\r\nFix=1\r\n\r\n";

}  // namespace

TEST_F(PairoWindows, DatafileSaveAsAndOpenRoundTripThroughTheWindow) {
  Pairs(3);
  main->chkNumFix[2]->setChecked(true);
  main->mmoNumA[3]->SetText("");  // a distractor: right item without a left one
  main->mmoTitle->SetText("Caf\xE9 <b>pairs</b>");
  main->mmoDefault->SetText("Choose & see");

  fake.ChooseSave(dir.File("ex"));
  main->mnuSaveAsClick();
  const std::string file = dir.File("ex.pry");
  EXPECT_EQ(main->FFileName, file);
  EXPECT_FALSE(main->FChanged);
  EXPECT_EQ(main->FLastFiles[1], "");  // Save As leaves the recent files to loading
  const std::string bytes = ReadFileBytes(file);
  EXPECT_EQ(bytes.rfind("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n", 0), 0u);
  EXPECT_NE(bytes.find("<default-right-item>Choose &amp; see</default-right-item>"),
            std::string::npos);

  main->spdNewClick();
  main->mmoDefault->SetText("other");
  main->FChanged = false;
  fake.ChooseOpen(file);
  main->spdLoadQuizClick();
  EXPECT_EQ(main->mmoTitle->Text(), "Caf\xE9 <b>pairs</b>");
  EXPECT_EQ(main->mmoDefault->Text(), "Choose & see");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"1:L1/R1", "2:L2/R2*", "3:/R3", "4:/", "5:/"}));
  EXPECT_EQ(List().Count(), 3);
  EXPECT_EQ(main->FLastFiles[1], file);
  EXPECT_FALSE(main->FChanged);
  EXPECT_NE(main->windowTitle().indexOf("ex.pry"), -1);

  // The recent file opens it again.
  main->spdNewClick();
  main->mnuLastFile1Click();
  EXPECT_EQ(Rows()[1], "2:L2/R2*");
  EXPECT_EQ(main->FFileName, file);
}

TEST_F(PairoWindows, DatafileQuestionsNameTheFileAsTheFolderHoldsItAndDefaultToNo) {
  int n = 0;
  tavrel::testing::CheckDataFileQuestionsNameTheRealFile(*main, fake, dir, [&] {
    main->mmoTitle->SetText("edit " + std::to_string(++n));
    main->FChanged = true;
  });
}

TEST_F(PairoWindows, DatafileInUtf8ReadsAsTheSameExerciseAndSavesInTheProgramsEncoding) {
  Pairs(2);
  main->mmoTitle->SetText("K\xF8" "benhavn, &#321;\xF3" "d&#378; \x80");
  main->mmoNumA[2]->SetText("&#1052;&#1086;&#1089;&#1082;&#1074;&#1072;");
  fake.ChooseSave(dir.File("ex"));
  main->mnuSaveAsClick();
  const std::string saved = ReadFileBytes(dir.File("ex.pry"));
  int n = 0;
  for (const auto& [kind, bytes] : tavrel::testing::EncodedAlike(saved)) {
    SCOPED_TRACE(kind);
    const std::string name = "utf" + std::to_string(++n) + ".pry";
    dir.Write(name, bytes);
    main->spdNewClick();
    fake.ChooseOpen(dir.File(name));
    main->spdLoadQuizClick();
    EXPECT_EQ(main->FFileName, dir.File(name));
    EXPECT_EQ(main->mmoTitle->toPlainText(), QString::fromUtf8("København, Łódź €"));
    EXPECT_EQ(main->mmoNumA[2]->toPlainText(), QString::fromUtf8("Москва"));
    EXPECT_EQ(Rows()[0], "1:L1/R1");
    main->FChanged = true;
    main->spdSaveClick();
    EXPECT_EQ(ReadFileBytes(dir.File(name)), saved);
  }
  EXPECT_TRUE(fake.messages.empty()) << fake.MessageTexts()[0];
}

TEST_F(PairoWindows, DatafileFailedSaveIsReportedKeepsTheNameAndStopsNew) {
  Pairs(2);
  main->FFileName = dir.File("gone/ex.pry");
  main->mmoNumA[1]->SetText("edited");

  fake.Answer(ModalResult::OK);
  main->spdSaveClick();
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].text,
            "Unable to save file: " + dir.File("gone/ex.pry") + "\r\nNo such file or directory");
  EXPECT_TRUE(main->FChanged);

  fake.ChooseSave(dir.File("gone/other.pry"));
  fake.Answer(ModalResult::OK);
  main->mnuSaveAsClick();
  EXPECT_EQ(main->FFileName, dir.File("gone/ex.pry"));
  EXPECT_TRUE(main->FChanged);

  // New waits on the save, which fails: nothing is cleared.
  fake.Answer(ModalResult::Yes);
  fake.Answer(ModalResult::OK);
  main->spdNewClick();
  EXPECT_EQ(main->mmoNumA[1]->Text(), "edited");
  EXPECT_EQ(main->FFileName, dir.File("gone/ex.pry"));
}

TEST_F(PairoWindows, ExportSaveAsAsksBeforeReplacingAPage) {
  Pairs(3);
  main->ShowItems(1);
  tavrel::testing::CheckExportSaveAsAsksBeforeReplacing(fake, dir, [&] { main->mnuExportToWeb->trigger(); });
}

TEST_F(PairoWindows, ExportOrSaveThatRunsOutOfMemoryIsReportedAndKeepsTheExercise) {
  const std::string noMemory = "There is not enough memory to finish this command.";
  // An export that fails half-way: the pairs it had changed come back.
  Pairs(3);
  List().SetQuestionExtra(2, "R2\r\nmore");
  main->ShowItems(1);
  main->StashItems();
  const int count = List().Count();
  ASSERT_GT(count, 3);  // trailing empty pairs, which an export removes
  main->FChanged = true;
  main->FSourcePath = dir.File("no-templates/");
  fake.ChooseSave(dir.File("match.htm"));
  fake.RunOutOfMemory().Answer(ModalResult::OK);  // while the export warns about its template
  main->mnuExportToWeb->trigger();
  EXPECT_EQ(fake.messages.back().text, noMemory);
  EXPECT_FALSE(FileExists(dir.File("match.htm")));
  EXPECT_EQ(List().Count(), count);
  EXPECT_EQ(List().GetQuestionExtra(2), "R2\r\nmore");
  EXPECT_TRUE(main->FChanged);

  if (!tavrel::testing::kMemoryLimitsWork) GTEST_SKIP() << "memory limits do not apply here";
  // A save that needs more memory than there is: reported, the file as it
  // was, the exercise still modified.
  dir.Write("ex.pry", "old");
  main->FFileName = dir.File("ex.pry");
  const std::string text(1000, 'x');
  for (int i = 1; i <= 20000; ++i) {
    List().SetQuestionText(i, text);
    List().SetQuestionExtra(i, text);
  }
  main->FChanged = true;
  const int status = tavrel::testing::RunWithMemoryHeadroom(8 << 20, [&] {
    fake.Answer(ModalResult::OK);
    const bool saved = main->Save();
    return !saved && main->FChanged &&
                   fake.messages.back().text == "Unable to save file: " + dir.File("ex.pry") +
                                                    "\r\nCannot allocate memory"
               ? 0
               : 1;
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(ReadFileBytes(dir.File("ex.pry")), "old");
}

TEST_F(PairoWindows, DatafileFailedSaveInPlaceLeavesTheFileAsItWas) {
  auto exercise = [&](const char* title, int pairs) {
    main->mmoTitle->SetText(title);
    List().ClearQuestions();
    for (int i = 1; i <= pairs; ++i) {
      List().SetQuestionText(i, std::string(200, 'l'));
      List().SetQuestionExtra(i, std::string(200, 'r'));
    }
    main->ShowItems(1);
  };
  exercise("Long", 200);
  main->FFileName = tavrel::testing::FileInSharedFolder(dir, "ex.pry");
  ASSERT_TRUE(main->Save());
  exercise("Short", 100);
  if (!tavrel::testing::CheckFailedSaveInPlace(*main, fake))
    GTEST_SKIP() << "file modes do not restrain this user";
}

TEST_F(PairoWindows, DatafileOldFileLoadsWithItsDefaultAndAsksAboutItsConfiguration) {
  dir.Write("old.pry", kOldFile);
  main->mmoDefault->SetText("mine");
  main->FChanged = false;
  fake.Answer(ModalResult::Yes);  // reload the configuration saved with it
  main->LoadFile(dir.File("old.pry"));
  EXPECT_EQ(fake.messages.back().text,
            "Do you want to reload the configuration information saved with this file?");
  EXPECT_EQ(main->mmoTitle->Text(), "Colours");
  EXPECT_EQ(main->mmoDefault->Text(), "Pick one");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"1:red/rouge", "2:/", "3:blue/bleu*", "4:/", "5:/"}));
  EXPECT_EQ(config->ControlText("editNextExURL"), "next.htm");
  EXPECT_EQ(config->ControlText("mmoExerciseSubtitle"), "In French");
  EXPECT_EQ(main->FFileName, dir.File("old.pry"));
  EXPECT_FALSE(main->FChanged);

  // A reading that fails part-way names the file it could not finish and
  // leaves the exercise, its title, its name and its flag as they were.
  main->mmoTitle->SetText("Mine");
  main->mmoDefault->SetText("mine");
  config->SetControlText("mmoExerciseSubtitle", "Mine");
  main->SetCurrentFile(dir.File("mine.pry"));
  const std::string caption = main->windowTitle().toStdString();
  fake.ClearRecords();
  fake.RunOutOfMemory().Answer(ModalResult::OK);
  main->LoadFile(dir.File("old.pry"));
  ASSERT_EQ(fake.messages.size(), 2u);
  EXPECT_EQ(fake.messages[1].text,
            "Unable to load the file " + dir.File("old.pry") + ". There may be a disk error.");
  EXPECT_EQ(main->mmoTitle->Text(), "Mine");
  EXPECT_EQ(main->mmoDefault->Text(), "mine");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"1:red/rouge", "2:/", "3:blue/bleu*", "4:/", "5:/"}));
  EXPECT_EQ(config->ControlText("mmoExerciseSubtitle"), "Mine");
  EXPECT_EQ(main->FFileName, dir.File("mine.pry"));
  EXPECT_EQ(main->windowTitle().toStdString(), caption);
  EXPECT_FALSE(main->FChanged);
}

TEST_F(PairoWindows, DatafileRefusedFilesAreNamedWithTheReasonAndNeverBecomeTheCurrentFile) {
  Pairs(2);
  ASSERT_TRUE(main->SaveAsXML(dir.File("whole.pry")));
  const std::string whole = dir.Read("whole.pry");
  std::string tooOld = kOldFile;
  tooOld.replace(tooOld.find("Version=2"), 9, "Version=1");
  ASSERT_EQ(::mkfifo(dir.File("pipe.pry").c_str(), 0644), 0);
  ASSERT_EQ(::symlink("/dev/zero", dir.File("zero.pry").c_str()), 0);
  ASSERT_EQ(::mkdir(dir.File("folder.pry").c_str(), 0755), 0);
  const std::string damaged = " is damaged or incomplete. It has not been opened.";
  const std::string notRegular = " is not a regular file (it is a pipe or a device). It has not been opened.";
  struct Case {
    const char* name;
    std::string bytes;  // written unless empty and the name is no regular file
    std::string message;
    MsgType type;
  };
  const std::vector<Case> cases = {
      {"tooold.pry", tooOld, "This file version is not supported by this version of Pairo.", MsgType::Error},
      {"empty.pry", "", "The file %s" + damaged, MsgType::Error},
      {"cut-in-a-pair.pry", whole.substr(0, whole.find("<right-item>") + 15), "The file %s" + damaged,
       MsgType::Error},
      {"quiz.pry",
       "<tavrel-askery-file><version>6</version><data><title>Q</title></data></tavrel-askery-file>",
       "The file %s" + damaged, MsgType::Error},
      {"pipe.pry", "", "%s" + notRegular, MsgType::Warning},
      {"zero.pry", "", "%s" + notRegular, MsgType::Warning},
      {"folder.pry", "", "%s is a folder, not a file. It has not been opened.", MsgType::Warning},
  };
  main->FFileName = dir.File("mine.pry");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (!c.bytes.empty() || std::string(c.name) == "empty.pry") dir.Write(c.name, c.bytes);
    std::string expected = c.message;
    if (expected.find("%s") != std::string::npos) expected.replace(expected.find("%s"), 2, dir.File(c.name));
    fake.ClearRecords();
    fake.Answer(ModalResult::OK);
    ::alarm(30);  // a hang ends the test program
    main->LoadFile(dir.File(c.name));
    ::alarm(0);
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].text, expected);
    EXPECT_EQ(fake.messages[0].type, c.type);
    EXPECT_EQ(main->FFileName, dir.File("mine.pry"));
    EXPECT_EQ(Rows()[0], "1:L1/R1");
    EXPECT_EQ(main->FLastFiles[1], "");
  }

  // A folder named on the command line is named too.
  fake.ClearRecords();
  fake.Answer(ModalResult::OK);
  tavrel::setCommandLine({"pairo", "\\S", dir.File("folder.pry")});
  main->OpenCommandLineFiles();
  EXPECT_EQ(fake.MessageTexts(),
            (std::vector<std::string>{dir.File("folder.pry") + " is a folder, not a file. It has not been opened."}));
  fake.ClearRecords();

  // A missing file does nothing at all.
  main->LoadFile(dir.File("missing.pry"));
  EXPECT_TRUE(fake.messages.empty());
  EXPECT_EQ(main->FFileName, dir.File("mine.pry"));
}

// Every road to a file asks about unsaved edits before it reads the file:
// the file that is open, opened again and saved on the question, shows the
// edit, whichever way it was opened and whatever its format.  A recent file
// that is gone is named and leaves the list, and the exercise stays.
TEST_F(PairoWindows, DatafileEveryLoadRoadAsksFirstAndReadsWhatTheQuestionSaved) {
  const std::string file = dir.File("open.pry");
  Pairs(2);
  ASSERT_TRUE(main->SaveAsXML(file));
  const std::string xml = dir.Read("open.pry");
  SetReload(true);  // the old file's configuration is taken without a question
  ReopenByEveryRoad(
      main, file, {xml, kOldFile},
      [&](const std::string& road) { main->mmoNumA[1]->SetText("edited on " + road); },
      [&](const std::string& road) { EXPECT_EQ(main->mmoNumA[1]->Text(), "edited on " + road); });

  const std::string gone = dir.File("gone.pry");
  AddRecentFile(gone);
  main->mmoNumA[1]->SetText("kept");
  fake.ClearRecords();
  fake.Answer(ModalResult::OK);
  main->mnuLastFile1Click();
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].text, "The file " + gone + " cannot be found.");
  EXPECT_EQ(main->mmoNumA[1]->Text(), "kept");
  EXPECT_TRUE(main->FChanged);
  EXPECT_EQ(main->FFileName, file);
  EXPECT_EQ(main->FLastFiles[1], file);
  EXPECT_EQ(main->FLastFiles[2], "");
  EXPECT_EQ(main->mnuLastFile[1]->text().toStdString(), "open.pry");
  EXPECT_FALSE(main->mnuLastFile[2]->isVisible());
}

TEST_F(PairoWindows, DatafileAppendAddsTheFilesPairsFromTheChosenNumber) {
  Pairs(2);
  main->mmoDefault->SetText("appended default");
  fake.ChooseSave(dir.File("other.pry"));
  main->mnuSaveAsClick();

  main->spdNewClick();
  main->mmoDefault->SetText("???");
  Pairs(3);  // unchanged again
  int preselected = -1;
  std::string target;
  TfrmWhatNumber::ModalHook = [&](TfrmWhatNumber& d) {
    preselected = d.cmbNumber->currentIndex() + 1;
    target = d.lblToPosition->text().toStdString();
    d.cmbNumber->setEditText("3");
    d.btnOKClick();
  };
  fake.ChooseOpen(dir.File("other.pry"));
  main->mnuAppendFileClick();
  EXPECT_EQ(preselected, 4);  // the first empty pair
  EXPECT_EQ(target, "from file: other.pry.");
  EXPECT_EQ(LeftItems()[2], "L1");
  EXPECT_EQ(LeftItems()[3], "L2");
  EXPECT_EQ(Rows()[2], "3:L1/R1");
  EXPECT_EQ(main->mmoDefault->Text(), "appended default");
  EXPECT_TRUE(main->FChanged);

  // An old file cannot be appended.
  dir.Write("old.pry", kOldFile);
  fake.ChooseOpen(dir.File("old.pry"));
  fake.Answer(ModalResult::OK);
  main->mnuAppendFileClick();
  EXPECT_EQ(fake.messages.back().text,
            "This is an old Pairo file. You will need to load and resave in order to append it.");
}

TEST_F(PairoWindows, DatafileCommandLineAndDroppedFilesOpenData) {
  Pairs(2);
  fake.ChooseSave(dir.File("cmd.pry"));
  main->mnuSaveAsClick();
  main->spdNewClick();
  tavrel::setCommandLine({"pairo", "\\S", dir.File("cmd.pry")});
  main->OpenCommandLineFiles();
  EXPECT_EQ(Rows()[1], "2:L2/R2");
  EXPECT_EQ(main->FFileName, dir.File("cmd.pry"));

  main->spdNewClick();
  main->FilesDropped({dir.File("cmd.pry")});
  EXPECT_EQ(Rows()[0], "1:L1/R1");
}

TEST_F(PairoWindows, DatafileANameHoldingACharacterReferenceIsItsOwnFileByEveryRoad) {
  // "lit&#26085;.pry" beside "lit\u65E5.pry": two files, whichever road names
  // them, as the dialogs and the command line hand names over.
  const QString literal = QString::fromStdString(dir.Path()) + "lit&#26085;.pry";
  const QString letter = QString::fromStdString(dir.Path()) + QString::fromUtf8("lit日.pry");
  auto onDisk = [](const QString& name) { return ReadFileBytes(name.toStdString()); };
  Pairs(1);
  main->mmoTitle->SetText("Letter");
  fake.ChooseSave(tavrel::pathFromQString(letter));
  main->mnuSaveAsClick();
  ASSERT_NE(onDisk(letter).find("Letter"), std::string::npos);

  // Named on the command line while it does not exist: nothing opens, not
  // even the other file.
  main->spdNewClick();
  tavrel::setCommandLine({"pairo", "\\S", tavrel::pathFromQString(literal)});
  main->OpenCommandLineFiles();
  EXPECT_EQ(main->FFileName, "");
  EXPECT_EQ(main->mmoTitle->Text(), "");

  main->mmoTitle->SetText("Literal");
  fake.ChooseSave(tavrel::pathFromQString(literal));
  main->mnuSaveAsClick();
  main->spdNewClick();
  main->OpenCommandLineFiles();
  EXPECT_EQ(main->mmoTitle->Text(), "Literal");
  EXPECT_TRUE(main->windowTitle().endsWith(literal)) << main->windowTitle().toStdString();
  EXPECT_EQ(main->mnuLastFile[1]->text(), QString("lit&&#26085;.pry"));

  // Saved over itself, never over the other; the recent file opens it.
  main->mmoTitle->SetText("Literal again");
  main->spdSaveClick();
  EXPECT_NE(onDisk(literal).find("Literal again"), std::string::npos);
  EXPECT_NE(onDisk(letter).find("Letter"), std::string::npos);
  main->spdNewClick();
  main->mnuLastFile1Click();
  EXPECT_EQ(main->mmoTitle->Text(), "Literal again");
  EXPECT_EQ(tavrel::pathToQString(main->FFileName), literal);
  EXPECT_TRUE(fake.messages.empty()) << fake.MessageTexts()[0];
}

TEST_F(PairoWindows, ExportSelectListPageThroughTheWindow) {
  Pairs(3);
  main->mmoNumB[2]->SetText("R1");  // the same answer twice: one option
  main->btnUpClick();               // leaves pairs 4 and 5 stashed empty
  const std::string page = dir.File("match.htm");
  fake.ChooseSave(page);
  fake.Answer(ModalResult::No);  // do not view it
  main->spdToWebClick();
  const std::string html = ReadFileBytes(page);
  ASSERT_FALSE(html.empty());
  EXPECT_NE(html.find("CorrectAnswers[0]="), std::string::npos);
  EXPECT_NE(html.find("<OPTION>???"), std::string::npos);
  EXPECT_EQ(fake.messages.back().text.rfind("Pairo has created the following files:", 0), 0u);
  EXPECT_EQ(List().Count(), 3);  // trailing empty pairs went

  // Fewer than two answers to mix: refused, nothing written.
  main->FChanged = false;
  main->spdNewClick();
  Pairs(1);
  fake.ChooseSave(dir.File("one.htm"));
  fake.Answer(ModalResult::OK);
  main->spdToWebClick();
  EXPECT_EQ(fake.messages.back().text, pairo::kNotEnoughToMix);
  EXPECT_FALSE(FileExists(dir.File("one.htm")));
}

TEST_F(PairoWindows, ExportDragAndDropAsksAboutLongExercisesFirst) {
  Pairs(13);
  fake.Answer(ModalResult::No);
  main->mnuExportToDHTMLClick();
  EXPECT_EQ(fake.messages.back().text.rfind("You have 13 items in this exercise. ", 0), 0u);
  EXPECT_TRUE(fake.saveRequests.empty());

  const std::string page = dir.File("drag.htm");
  fake.Answer(ModalResult::Yes);
  fake.ChooseSave(page);
  fake.Answer(ModalResult::No);
  main->mnuExportToDHTMLClick();
  const std::string html = ReadFileBytes(page);
  EXPECT_NE(html.find("DragStuff[12]"), std::string::npos);
  EXPECT_EQ(fake.messages.back().text.rfind("Pairo has created the following file:", 0), 0u);

  // A cancelled file dialog ends the export silently.
  const size_t shown = fake.messages.size();
  List().ClearQuestions();
  Pairs(2);
  fake.CancelSave();
  main->mnuExportToDHTMLClick();
  EXPECT_EQ(fake.messages.size(), shown);
}

TEST_F(PairoWindows, ExportWithAReadingWritesItsPagesBesideTheChosenOne) {
  Pairs(3);
  ReadingData r;
  r.include = true;
  r.timer = true;
  r.minutes = 2;
  r.title = "About capitals";
  r.text = "Capitals are cities.";
  reading->SetReading(r);
  main->FChanged = false;

  fake.ChooseSave(dir.File("withreading.htm"));
  fake.Answer(ModalResult::No);
  main->spdToWebClick();
  EXPECT_NE(ReadFileBytes(dir.File("withreadingr.htm")).find("Capitals are cities."),
            std::string::npos);
  EXPECT_NE(ReadFileBytes(dir.File("withreadingc.htm")).find("CorrectAnswers"), std::string::npos);
  EXPECT_NE(ReadFileBytes(dir.File("withreading.htm")).find("withreadingc.htm"), std::string::npos);
  EXPECT_NE(fake.messages.back().text.find("withreading.htm\r\nwithreadingr.htm\r\nwithreadingc.htm"),
            std::string::npos)
      << fake.messages.back().text;

  // The print copy puts the reading in front.
  fake.Answer(ModalResult::OK);
  main->mnuExportForPrintingClick();
  EXPECT_EQ(fake.clipboard.rfind("About capitals\r\n\r\nCapitals are cities.\r\n\r\n", 0), 0u);
}

// --- The template editor and the exports share the template folder ---------

// A template folder of the test's own, named in the settings, made from the
// supplied templates; the messages of the start are kept.
class PairoOwnTemplates : public PairoWindows {
 protected:
  QWidget* CreateForms() override {
    QWidget* w = PairoWindows::CreateForms();
    startMessages = fake.MessageTexts();
    return w;
  }
  void BeforeCreation() override {
    for (const char* name : {"pairo.ht_", "dpairo.ht_", "tavrelr.ht_"})
      templates.Write(name, Supplied(name));
    tavrel::TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Software\\Corvane\\Tavrel\\Pairo\\Config\\FilePaths", true));
    reg.WriteString("SourceFiles", templates.Path());
    Templates();
  }
  // Changes to the template folder before the program starts.
  virtual void Templates() {}
  static std::string Supplied(const std::string& name) {
    return ReadFileBytes(tavrel::programFolder() + "SrcBackup/" + name);
  }
  // Edit Raw HTML: the code template gets a line at its end; Accept.
  void EditCodeTemplate(const std::string& line) {
    TfrmSourceFiles::ModalHook = [line](TfrmSourceFiles& f) {
      f.spdCode->click();
      f.mmoText->SetText(f.mmoText->Text() + line + "\r\n");
      f.btnAcceptClick();
    };
    fake.Answer(ModalResult::OK);  // editing raw HTML may break the pages
    main->mnuEditHTMLClick();
    TfrmSourceFiles::ModalHook = nullptr;
    EXPECT_EQ(fake.MessageTexts().size(), 1u);  // no failed save
    fake.ClearRecords();
  }
  std::string ExportSelectList() {
    Pairs(3);
    fake.ChooseSave(dir.File("match.htm"));
    fake.Answer(ModalResult::No);
    main->spdToWebClick();
    return ReadFileBytes(dir.File("match.htm"));
  }
  std::vector<std::string> TemplateFiles() const { return templates.FileNames(); }

  TempDir templates;
  std::vector<std::string> startMessages;
};

class PairoWithoutCodeTemplate : public PairoOwnTemplates {
 protected:
  void Templates() override { fake.Answer(ModalResult::OK); }
};

TEST_F(PairoWithoutCodeTemplate, TemplatesEditedAfterAMissingOneAreWhatTheExportUses) {
  EXPECT_EQ(startMessages, std::vector<std::string>{"Unable to load pairoc.ht_. Restoring default."});
  EditCodeTemplate("<!-- the teacher's own line -->");
  // The new template carries the name the program ships it under.
  EXPECT_EQ(TemplateFiles(),
            (std::vector<std::string>{"dpairo.ht_", "pairo.ht_", "pairoc.ht_", "tavrelr.ht_"}));

  const std::string page = ExportSelectList();
  EXPECT_NE(page.find("<!-- the teacher's own line -->"), std::string::npos);
  EXPECT_EQ(fake.MessageTexts().size(), 1u);  // the report alone
}

// Templates whose names differ from the supplied ones in letter case, one of
// them present in both spellings.
class PairoTemplatesInOtherCase : public PairoOwnTemplates {
 protected:
  void Templates() override {
    std::filesystem::remove(templates.File("dpairo.ht_"));
    templates.Write("DPAIRO.HT_", Supplied("dpairo.ht_") + "<!-- the upper-case copy -->\r\n");
    templates.Write("Pairoc.ht_", Supplied("pairoc.ht_"));
    templates.Write("pairoc.ht_", Supplied("pairoc.ht_"));
  }
};

TEST_F(PairoTemplatesInOtherCase, AreFoundAndWrittenBackUnderTheirOwnNames) {
  EXPECT_TRUE(startMessages.empty());
  EditCodeTemplate("<!-- the teacher's own line -->");
  EXPECT_EQ(TemplateFiles(), (std::vector<std::string>{"DPAIRO.HT_", "Pairoc.ht_", "pairo.ht_",
                                                       "pairoc.ht_", "tavrelr.ht_"}));
  EXPECT_NE(ExportSelectList().find("<!-- the teacher's own line -->"), std::string::npos);

  fake.ChooseSave(dir.File("drag.htm"));
  fake.Answer(ModalResult::No);
  main->mnuExportToDHTMLClick();
  EXPECT_NE(ReadFileBytes(dir.File("drag.htm")).find("<!-- the upper-case copy -->"), std::string::npos);
  EXPECT_EQ(fake.MessageTexts().size(), 2u);  // the two reports
}
