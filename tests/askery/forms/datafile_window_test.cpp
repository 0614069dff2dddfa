// The quiz data file through the main window: save, open, the reload
// option, old files, refused files, Append File and the command line.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include <QCheckBox>
#include <QComboBox>
#include <QApplication>
#include <QKeyEvent>

#include "askery/core/QuizFile.h"
#include "datafile_fixture.h"
#include "shared/core/ConfigDocument.h"
#include "shared/core/TQList.h"
#include "support/EncodedAlike.h"
#include "support/WindowTest.h"

using datafile_test::AskeryWindows;
using datafile_test::GoldenPath;
using tavrel::ModalResult;
using tavrel::MsgType;
using tavrel::testing::ReadFileBytes;

namespace {

std::string WithVersion(std::string doc) {
  const std::string six = "<version>6</version>";
  const size_t at = doc.find(six);
  if (at != std::string::npos) {
    doc.replace(at, six.size(), "<version>" + std::to_string(GetMajorVersion()) + "</version>");
  }
  return doc;
}

const char* const kOldQuiz =
    "[FileInfo]\r\nVersion=2\r\n\r\n"
    "[Title]\r\nstrQuizTitle=Capitals\r\n\r\n"
    "[NextEx]\r\nstrNextExURL=rivers.htm\r\n\r\n"
    "[Question1]\r\nQuestion=France?\r\nAnswer1=Paris\r\n\r\n"
    "[Question2]\r\nQuestion=Italy?\r\nAnswer1=Rome\r\nAnswer2=Roma\r\n\r\n"
    "[Config]\r\nstrQuizSubtitle=Europe\r\nstrCheckCaption=Try it\r\nIncludeHint=0\r\n";

}  // namespace

TEST_F(AskeryWindows, DatafileSaveWritesTheGoldenQuizAndLoadsItBack) {
  TQList& q = *main->FQuestions;
  q.SetQuestionText(1, "What is 2 + 2?");
  q.SetAnswer(1, 1, "4", "", 1);
  q.SetAnswer(1, 2, "four", "", 1);
  q.SetQuestionText(3, "Name a <b>noun</b> & an 'adjective' \"quoted\"");
  q.SetAnswer(3, 1, "a", "", 1);
  q.SetAnswer(3, 2, "", "", 1);
  q.SetAnswer(3, 3, "c", "Nearly & so", 0);
  q.SetAnswer(3, 5, "", "", 1);
  q.SetQuestionText(4, "A record without answers");
  q.SetQuestionText(5, "Line one\r\nLine two");
  q.SetAnswer(5, 1, "caf\xE9 \x80", "", 1);
  main->ShowQuestion(1);
  main->mmoTitle->SetText("My quiz & <i>friends</i>");

  const std::string file = dir.File("quiz.aky");
  ASSERT_TRUE(main->SaveAsXML(file));
  const std::string golden = WithVersion(ReadFileBytes(GoldenPath("quiz_saved.aky")));
  EXPECT_EQ(dir.Read("quiz.aky"), golden);

  main->FChanged = false;
  main->LoadFile(file);
  EXPECT_TRUE(fake.messages.empty());
  EXPECT_EQ(main->FFileName, file);
  EXPECT_FALSE(main->FChanged);
  EXPECT_EQ(main->FLastFiles[1], file);
  EXPECT_EQ(main->dlgSaveFile.fileName, file);
  EXPECT_EQ(main->mmoTitle->Text(), "My quiz & <i>friends</i>");
  EXPECT_EQ(main->FQuestions->Count(), 4);
  EXPECT_EQ(main->mmoQuestion->Text(), "What is 2 + 2?");
  EXPECT_EQ(main->FQuestions->GetAnswerCorrect(2, 3), 0);

  // Saving what was loaded gives the same bytes.
  ASSERT_TRUE(main->SaveAsXML(dir.File("again.aky")));
  EXPECT_EQ(dir.Read("again.aky"), golden);
}

TEST_F(AskeryWindows, DatafileLettersOfEveryLanguageSurviveSaveAndReopen) {
  // Typed as a teacher types: key by key, letters Windows-1252 lacks included.
  auto type = [](tavrel::TMemo* box, const QString& text) {
    box->setFocus();
    box->moveCursor(QTextCursor::End);
    for (const QChar c : text) {
      QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
      QApplication::sendEvent(box, &press);
    }
  };
  main->ShowQuestion(1);
  type(main->mmoTitle, QString::fromUtf8("Города, Πόλεις, Miasta"));
  type(main->mmoQuestion, QString::fromUtf8("Stolica Polski? Столица? Πρωτεύουσα;"));
  type(main->AnswerBox(1), QString::fromUtf8("Łódź"));
  type(main->AnswerBox(2), QString::fromUtf8("Москва"));
  type(main->AnswerBox(3), QString::fromUtf8("Ελλάδα"));

  const std::string file = dir.File("letters.aky");
  ASSERT_TRUE(main->SaveAsXML(file));
  const std::string saved = dir.Read("letters.aky");
  EXPECT_NE(saved.find("&amp;#321;\xF3" "d&amp;#378;"), std::string::npos) << "kept as references";

  main->FChanged = false;
  main->LoadFile(file);
  EXPECT_EQ(main->mmoTitle->toPlainText(), QString::fromUtf8("Города, Πόλεις, Miasta"));
  EXPECT_EQ(main->mmoQuestion->toPlainText(), QString::fromUtf8("Stolica Polski? Столица? Πρωτεύουσα;"));
  EXPECT_EQ(main->AnswerBox(1)->toPlainText(), QString::fromUtf8("Łódź"));
  EXPECT_EQ(main->AnswerBox(2)->toPlainText(), QString::fromUtf8("Москва"));
  EXPECT_EQ(main->AnswerBox(3)->toPlainText(), QString::fromUtf8("Ελλάδα"));

  // An edit after reopening keeps the letters letters.
  type(main->AnswerBox(1), QString::fromUtf8(" Гданьск"));
  EXPECT_EQ(main->AnswerBox(1)->Text(), "&#321;\xF3" "d&#378; &#1043;&#1076;&#1072;&#1085;&#1100;&#1089;&#1082;");
  main->AnswerBox(1)->SetText("&#321;\xF3" "d&#378;");

  ASSERT_TRUE(main->SaveAsXML(dir.File("again.aky")));
  EXPECT_EQ(dir.Read("again.aky"), saved);

  // The same quiz written in UTF-8 by another tool reads as the same quiz
  // and is saved in the program's own encoding.
  main->FChanged = false;
  int n = 0;
  for (const auto& [kind, bytes] : tavrel::testing::EncodedAlike(saved)) {
    SCOPED_TRACE(kind);
    const std::string name = "utf" + std::to_string(++n) + ".aky";
    dir.Write(name, bytes);
    main->spdNewClick();
    main->LoadFile(dir.File(name));
    EXPECT_EQ(main->FFileName, dir.File(name));
    EXPECT_EQ(main->mmoTitle->toPlainText(), QString::fromUtf8("Города, Πόλεις, Miasta"));
    EXPECT_EQ(main->AnswerBox(1)->toPlainText(), QString::fromUtf8("Łódź"));
    EXPECT_EQ(main->AnswerBox(3)->toPlainText(), QString::fromUtf8("Ελλάδα"));
    ASSERT_TRUE(main->SaveAsXML(dir.File(name)));
    EXPECT_EQ(dir.Read(name), saved);
  }
}

TEST_F(AskeryWindows, DatafileReadingTravelsWithTheQuiz) {
  MakeQuiz(1, 1);
  reading->chkIncludeReading->setChecked(true);
  reading->mmoReadingTitle->SetText("Story & more");
  ASSERT_TRUE(main->SaveAsXML(dir.File("r.aky")));
  EXPECT_NE(dir.Read("r.aky").find("<reading-title>Story &amp; more</reading-title>"),
            std::string::npos);
  reading->ClearReading();
  main->FChanged = false;
  main->LoadFile(dir.File("r.aky"));
  EXPECT_EQ(reading->mmoReadingTitle->Text(), "Story & more");
  EXPECT_TRUE(reading->chkIncludeReading->isChecked());
}

TEST_F(AskeryWindows, DatafileFailedSaveIsNeverReportedAsSuccess) {
  MakeQuiz(2, 2);
  // A name that is taken by a folder cannot be written.
  const std::string file = dir.File("taken.aky");
  ASSERT_EQ(mkdir(file.c_str(), 0755), 0);
  EXPECT_FALSE(main->SaveAsXML(file));
  EXPECT_FALSE(main->SaveAsXML(dir.File("no/such/folder/quiz.aky")));

  // Save warns, keeps the quiz modified and tells the caller it failed.
  main->FFileName = file;
  main->FChanged = true;
  fake.Answer(ModalResult::OK);
  EXPECT_FALSE(main->Save());
  EXPECT_TRUE(main->FChanged);
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].text, "Unable to save file: " + file + "\r\nIs a directory");
}

TEST_F(AskeryWindows, DatafileFailedSaveInPlaceLeavesTheFileAsItWas) {
  main->mmoTitle->SetText("Long");
  MakeQuiz(100, 4);
  main->FFileName = tavrel::testing::FileInSharedFolder(dir, "quiz.aky");
  ASSERT_TRUE(main->Save());
  main->FQuestions->ClearQuestions();
  main->mmoTitle->SetText("Short");
  MakeQuiz(50, 4);
  if (!tavrel::testing::CheckFailedSaveInPlace(*main, fake))
    GTEST_SKIP() << "file modes do not restrain this user";
}

TEST_F(AskeryWindows, DatafileLoadOfMissingFileOrCancelledNewDoesNothing) {
  MakeQuiz(2, 1);
  main->FFileName = dir.File("current.aky");
  main->FChanged = true;
  main->LoadFile(dir.File("missing.aky"));
  EXPECT_TRUE(fake.messages.empty());
  EXPECT_EQ(main->FQuestions->Count(), 2);

  dir.Write("other.aky", ReadFileBytes(GoldenPath("quiz_saved.aky")));
  fake.Answer(ModalResult::Cancel);
  main->LoadFile(dir.File("other.aky"));
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].type, MsgType::Confirmation);
  EXPECT_EQ(main->FFileName, dir.File("current.aky"));
  EXPECT_EQ(main->FQuestions->GetQuestionText(1), "Q1");
  EXPECT_TRUE(main->FChanged);
}

TEST_F(AskeryWindows, DatafileReloadOptionDecidesWhetherTheEmbeddedConfigApplies) {
  ConfigValues saved = config->Values();
  saved.text["editCheck"] = "Check now";
  saved.text["editNextExURL"] = "part2.htm";
  saved.checked["chkIncludeHint"] = true;
  config->SetValues(saved);
  MakeQuiz(1, 1);
  ASSERT_TRUE(main->SaveAsXML(dir.File("c.aky")));

  config->SetControlText("editCheck", "Mine");
  config->SetControlText("editNextExURL", "elsewhere.htm");
  config->SetControlChecked("chkIncludeHint", false);
  SetReload(false);
  main->LoadFile(dir.File("c.aky"));
  EXPECT_EQ(config->ControlText("editCheck"), "Mine");
  EXPECT_EQ(config->ControlText("editNextExURL"), "part2.htm");  // always taken
  EXPECT_FALSE(config->ControlChecked("chkIncludeHint"));

  SetReload(true);
  main->LoadFile(dir.File("c.aky"));
  EXPECT_EQ(config->ControlText("editCheck"), "Check now");
  EXPECT_TRUE(config->ControlChecked("chkIncludeHint"));
}

TEST_F(AskeryWindows, DatafileOldQuizWithReloadQuestionAnsweredBothWays) {
  dir.Write("old.aky", kOldQuiz);
  config->SetControlText("editCheck", "Check");
  config->SetControlChecked("chkIncludeHint", true);
  config->SetControlChecked("chkIncludeBack", false);
  SetReload(true);

  fake.Answer(ModalResult::No);
  main->LoadFile(dir.File("old.aky"));
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].text,
            "Do you want to reload the configuration information saved with this file?");
  EXPECT_EQ(fake.messages[0].helpContext, 9000);
  EXPECT_EQ(config->ControlText("editCheck"), "Check");
  EXPECT_EQ(config->ControlText("editNextExURL"), "rivers.htm");
  EXPECT_EQ(main->mmoTitle->Text(), "Capitals");
  EXPECT_EQ(main->FQuestions->GetAnswerText(2, 2), "Roma");
  EXPECT_EQ(main->FQuestions->GetAnswerCorrect(2, 2), 1);
  EXPECT_EQ(main->mmoQuestion->Text(), "France?");
  EXPECT_EQ(main->FFileName, dir.File("old.aky"));
  EXPECT_FALSE(main->FChanged);
  EXPECT_EQ(main->FLastFiles[1], dir.File("old.aky"));

  fake.ClearRecords();
  fake.Answer(ModalResult::Yes);
  main->LoadFile(dir.File("old.aky"));
  EXPECT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(config->ControlText("mmoQuizSubtitle"), "Europe");
  EXPECT_EQ(config->ControlText("editCheck"), "Try it");
  EXPECT_FALSE(config->ControlChecked("chkIncludeHint"));
  EXPECT_TRUE(config->ControlChecked("chkIncludeBack"));  // absent: on

  // A reading that fails part-way names the file it could not finish and
  // leaves the quiz, its title, its name and its flag as they were.
  main->mmoTitle->SetText("Mine");
  main->FQuestions->SetQuestionText(1, "Mine?");
  main->SetCurrentFile(dir.File("mine.aky"));
  const std::string caption = main->windowTitle().toStdString();
  fake.ClearRecords();
  fake.RunOutOfMemory().Answer(ModalResult::OK);
  main->LoadFile(dir.File("old.aky"));
  ASSERT_EQ(fake.messages.size(), 2u);
  EXPECT_EQ(fake.messages[1].text,
            "Unable to load the file " + dir.File("old.aky") + ". There may be a disk error.");
  EXPECT_EQ(main->mmoTitle->Text(), "Mine");
  EXPECT_EQ(main->FQuestions->GetQuestionText(1), "Mine?");
  EXPECT_EQ(main->FQuestions->GetAnswerText(2, 2), "Roma");
  EXPECT_EQ(main->FFileName, dir.File("mine.aky"));
  EXPECT_EQ(main->windowTitle().toStdString(), caption);
  EXPECT_FALSE(main->FChanged);
  EXPECT_EQ(main->FLastFiles[1], dir.File("mine.aky"));

  // Neither the option nor SaveWithFile: no question at all.
  fake.ClearRecords();
  SetReload(false);
  main->FSaveWithFile = false;
  main->LoadFile(dir.File("old.aky"));
  EXPECT_TRUE(fake.messages.empty());
}

TEST_F(AskeryWindows, DatafileRefusedFileIsNamedAndDoesNotBecomeCurrent) {
  MakeQuiz(2, 1);
  ASSERT_TRUE(main->SaveAsXML(dir.File("whole.aky")));
  const std::string whole = dir.Read("whole.aky");
  const std::string before = main->windowTitle().toStdString();
  const std::string tooOld = "This file version is not supported by this version of Askery.";
  const std::string damaged = " is damaged or incomplete. It has not been opened.";
  struct Case {
    const char* name;
    std::string bytes;
    bool damaged;  // else of an unsupported version
  };
  for (const Case& c :
       {Case{"v1.aky", "[FileInfo]\r\nVersion=1\r\n\r\n[Title]\r\nstrQuizTitle=T\r\n", false},
        Case{"absurd.aky", "[FileInfo]\r\nVersion=4294967298\r\n", false},
        Case{"empty.aky", "", true},
        Case{"binary.aky", std::string("\x7F\x45\x4C\x46\x00\x01\xFF\xFE", 8), true},
        Case{"garbage.aky", "<tavrel-askery-file><data><title>no version", true},
        Case{"cut-in-a-question.aky", whole.substr(0, whole.find("<question>") + 12), true},
        Case{"matching.aky",
             "<tavrel-pairo-file><version>6</version><data><title>P</title></data></tavrel-pairo-file>",
             true}}) {
    SCOPED_TRACE(c.name);
    dir.Write(c.name, c.bytes);
    fake.ClearRecords();
    fake.Answer(ModalResult::OK);
    main->LoadFile(dir.File(c.name));
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].text, c.damaged ? "The file " + dir.File(c.name) + damaged : tooOld);
    EXPECT_EQ(fake.messages[0].type, MsgType::Error);
    EXPECT_EQ(fake.messages[0].helpContext, c.damaged ? 4000 : 24000);
    EXPECT_EQ(main->FFileName, "");
    EXPECT_EQ(main->FLastFiles[1], "");
    EXPECT_EQ(main->windowTitle().toStdString(), before);
    EXPECT_EQ(main->FQuestions->GetQuestionText(2), "Q2");
    EXPECT_EQ(dir.Read(c.name), c.bytes);
  }
  // A later Save asks for a name instead of overwriting the refused file.
  fake.CancelSave();
  EXPECT_FALSE(main->Save());
  EXPECT_EQ(dir.Read("v1.aky"), "[FileInfo]\r\nVersion=1\r\n\r\n[Title]\r\nstrQuizTitle=T\r\n");

  fake.ClearRecords();
  fake.Answer(ModalResult::OK);
  main->LoadOldFile(dir.File("gone.aky"));
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].text, "The file " + dir.File("gone.aky") + " cannot be found.");
  EXPECT_EQ(fake.messages[0].helpContext, 4000);
}

TEST_F(AskeryWindows, DatafileAppendReplacesWholeQuestionsAndMarksModified) {
  // The file to append: three questions with one answer each.
  MakeQuiz(3, 1);
  main->mmoTitle->SetText("Source");
  ASSERT_TRUE(main->SaveAsXML(dir.File("three.aky")));
  main->FChanged = false;
  main->NewQuiz();
  MakeQuiz(5, 6);
  main->FChanged = false;

  int offered = 0;
  std::string label;
  TfrmWhatNumber::ModalHook = [&](TfrmWhatNumber& d) {
    offered = d.cmbNumber->count();
    label = d.lblToPosition->text().toStdString();
    d.cmbNumber->setCurrentIndex(1);  // number 2
    d.cmbNumber->setEditText("2");
    d.btnOKClick();
  };
  fake.ChooseOpen(dir.File("three.aky"));
  main->mnuAppendFileClick();
  EXPECT_EQ(offered, 6);
  EXPECT_EQ(label, "from file: three.aky.");
  EXPECT_EQ(main->FQuestions->GetQuestionText(1), "Q1");
  EXPECT_EQ(main->FQuestions->GetAnswerCount(1), 6);
  for (int i = 2; i <= 4; ++i) {
    EXPECT_EQ(main->FQuestions->GetQuestionText(i), "Q" + std::to_string(i - 1));
    EXPECT_EQ(main->FQuestions->GetAnswerCount(i), 1) << i;
    EXPECT_EQ(main->FQuestions->GetAnswerText(i, 1), "A" + std::to_string(i - 1) + ".1");
  }
  EXPECT_EQ(main->FQuestions->GetQuestionText(5), "Q5");
  EXPECT_EQ(main->FQuestions->Count(), 6);  // the extra empty question stays
  EXPECT_TRUE(main->FChanged);
  EXPECT_TRUE(fake.messages.empty());
}

TEST_F(AskeryWindows, DatafileAppendRefusals) {
  MakeQuiz(2, 1);
  fake.CancelOpen();
  main->mnuAppendFileClick();
  EXPECT_TRUE(fake.messages.empty());

  fake.ChooseOpen(dir.File("nowhere.aky")).Answer(ModalResult::OK);
  main->mnuAppendFileClick();
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].text, "Unable to find file: nowhere.aky.");
  EXPECT_EQ(fake.messages[0].helpContext, 7000);

  fake.ClearRecords();
  dir.Write("old.aky", kOldQuiz);
  fake.ChooseOpen(dir.File("old.aky")).Answer(ModalResult::OK);
  main->mnuAppendFileClick();
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].text,
            "This is an old Askery file. You will need to load and resave in order to append it.");
  EXPECT_EQ(main->FQuestions->Count(), 2);

  // A pipe is refused as unreadable at once.
  fake.ClearRecords();
  ASSERT_EQ(::mkfifo(dir.File("pipe.aky").c_str(), 0644), 0);
  fake.ChooseOpen(dir.File("pipe.aky")).Answer(ModalResult::OK);
  ::alarm(30);  // a hang ends the test program
  main->mnuAppendFileClick();
  ::alarm(0);
  EXPECT_EQ(fake.MessageTexts(),
            (std::vector<std::string>{dir.File("pipe.aky") +
                                      " is not a regular file (it is a pipe or a device). It has "
                                      "not been opened."}));
  EXPECT_EQ(main->FQuestions->Count(), 2);

  // An empty file is no old quiz: it is damaged.
  fake.ClearRecords();
  dir.Write("empty.aky", "");
  fake.ChooseOpen(dir.File("empty.aky")).Answer(ModalResult::OK);
  main->mnuAppendFileClick();
  EXPECT_EQ(fake.MessageTexts(),
            (std::vector<std::string>{"The file " + dir.File("empty.aky") +
                                      " is damaged or incomplete. It has not been opened."}));
  EXPECT_EQ(main->FQuestions->Count(), 2);

  // Cancelling the number dialog appends nothing.
  fake.ClearRecords();
  ASSERT_TRUE(main->SaveAsXML(dir.File("two.aky")));
  TfrmWhatNumber::ModalHook = [](TfrmWhatNumber& d) { d.btnCancelClick(); };
  fake.ChooseOpen(dir.File("two.aky"));
  main->mnuAppendFileClick();
  EXPECT_EQ(main->FQuestions->GetQuestionText(1), "Q1");
  EXPECT_EQ(main->FQuestions->GetAnswerCount(1), 4);  // the editor's four boxes
  EXPECT_TRUE(fake.messages.empty());
}

TEST_F(AskeryWindows, DatafileCommandLineLoadsConfigurationThenEachQuizInOrder) {
  ConfigValues v = configdoc::Defaults(configdoc::Program::Askery);
  v.text["editCheck"] = "From a.cfg";
  ASSERT_TRUE(configdoc::SaveConfigToFile(configdoc::Program::Askery, dir.File("a.cfg"), v, 6));
  MakeQuiz(1, 1);
  main->mmoTitle->SetText("Quiz B");
  ASSERT_TRUE(main->SaveAsXML(dir.File("b.aky")));
  main->mmoTitle->SetText("Quiz C");
  ASSERT_TRUE(main->SaveAsXML(dir.File("c.aky")));
  main->FChanged = false;

  main->FConfigFile = dir.File("missing-startup.cfg");
  tavrel::setCommandLine(
      {"askery", "\\S", dir.File("a.cfg"), dir.File("b.aky"), dir.File("c.aky")});
  // Loading the configuration marks the quiz modified, so opening b first
  // asks about saving the (empty) quiz.
  fake.Answer(ModalResult::No);
  main->FormShow();
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].type, MsgType::Confirmation);
  EXPECT_EQ(config->FConfigFileName, dir.File("a.cfg"));
  EXPECT_EQ(config->ControlText("editCheck"), "From a.cfg");
  EXPECT_EQ(main->FFileName, dir.File("c.aky"));
  EXPECT_EQ(main->mmoTitle->Text(), "Quiz C");
  EXPECT_EQ(main->FLastFiles[1], dir.File("c.aky"));
  EXPECT_EQ(main->FLastFiles[2], dir.File("b.aky"));
  EXPECT_FALSE(main->FChanged);
}

TEST_F(AskeryWindows, DatafileCommandLineNamesRelativeToTheStartFolderBecomeFullPaths) {
  ConfigValues v = configdoc::Defaults(configdoc::Program::Askery);
  ASSERT_TRUE(configdoc::SaveConfigToFile(configdoc::Program::Askery, dir.File("a.cfg"), v, 6));
  MakeQuiz(1, 1);
  ASSERT_TRUE(main->SaveAsXML(dir.File("b.aky")));
  main->FChanged = false;
  main->FConfigFile = dir.File("missing-startup.cfg");

  // Started from the quiz's folder with bare names, as a teacher types them.
  char* before = ::getcwd(nullptr, 0);
  ASSERT_NE(before, nullptr);
  ASSERT_EQ(::chdir(dir.Path().c_str()), 0);
  tavrel::setCommandLine({"askery", "\\S", "a.cfg", "./sub/../b.aky"});
  ::mkdir(dir.File("sub").c_str(), 0700);
  fake.Answer(ModalResult::No);
  main->FormShow();
  EXPECT_EQ(::chdir(before), 0);
  std::free(before);

  // The names kept for later runs (recent files, save folder, configuration
  // file) still lead to the files from any other folder.
  EXPECT_EQ(config->FConfigFileName, dir.File("a.cfg"));
  EXPECT_EQ(main->FFileName, dir.File("b.aky"));
  EXPECT_EQ(main->FLastFiles[1], dir.File("b.aky"));
  EXPECT_EQ(main->dlgSaveFile.fileName, dir.File("b.aky"));
}

TEST_F(AskeryWindows, DatafileSuppliedExamplesOpen) {
  std::string here = __FILE__;
  const std::string examples = here.substr(0, here.rfind('/')) + "/../../../examples/";
  SetReload(false);
  main->FSaveWithFile = false;
  for (const char* name : {"capitals.aky", "francais-cafe.aky", "synonyms.aky"}) {
    SCOPED_TRACE(name);
    const std::string bytes = ReadFileBytes(examples + name);
    ASSERT_FALSE(bytes.empty());
    main->LoadFile(examples + name);
    EXPECT_TRUE(fake.messages.empty());
    EXPECT_EQ(main->FFileName, examples + name);
    EXPECT_GE(main->FQuestions->Count(), 5);
    // Saved by our writer: saving it again gives the same bytes, apart from
    // the program's version.
    config->ReadConfigXML(bytes);
    ASSERT_TRUE(main->SaveAsXML(dir.File(name)));
    EXPECT_EQ(dir.Read(name), WithVersion(bytes));
  }
  EXPECT_GE(main->FQuestions->GetAnswerCount(1), 10);  // synonyms: many answers

  main->LoadFile(examples + "animals-oldformat.aky");
  EXPECT_TRUE(fake.messages.empty());
  EXPECT_EQ(main->mmoTitle->Text(), "Animals and their young");
  EXPECT_EQ(main->FQuestions->GetQuestionText(6), "What is a young frog called?\r\n(It lives in water.)");
  EXPECT_EQ(main->FQuestions->GetAnswerText(4, 3), "filly");
  EXPECT_EQ(config->ControlText("editNextExURL"), "plants.htm");
}

TEST_F(AskeryWindows, DatafilePipesAndDevicesNamedAtStartAreRefusedAsUnreadable) {
  ASSERT_EQ(::mkfifo(dir.File("pipe.cfg").c_str(), 0644), 0);
  ASSERT_EQ(::mkfifo(dir.File("pipe.aky").c_str(), 0644), 0);
  ASSERT_EQ(::symlink("/dev/zero", dir.File("zero.cfg").c_str()), 0);
  ASSERT_EQ(::symlink("/dev/zero", dir.File("zero.aky").c_str()), 0);
  ASSERT_EQ(::mkdir(dir.File("folder.aky").c_str(), 0755), 0);
  // The stored configuration path names a pipe; the command line a pipe,
  // links to a device that never ends, and a folder.
  main->FConfigFile = dir.File("pipe.cfg");
  tavrel::setCommandLine({"askery", "\\S", dir.File("pipe.aky"), dir.File("zero.cfg"),
                          dir.File("zero.aky"), dir.File("folder.aky")});
  fake.Answer(ModalResult::OK).Answer(ModalResult::OK).Answer(ModalResult::OK);
  fake.Answer(ModalResult::OK);
  ::alarm(30);  // a hang ends the test program
  main->FormShow();
  ::alarm(0);
  const std::string notRegular = " is not a regular file (it is a pipe or a device). It has not been opened.";
  EXPECT_EQ(fake.MessageTexts(),
            (std::vector<std::string>{"Configuration file not found. Using default configuration.",
                                      dir.File("pipe.aky") + notRegular,
                                      "Unable to read the configuration file " +
                                          dir.File("zero.cfg") + ".",
                                      dir.File("zero.aky") + notRegular,
                                      dir.File("folder.aky") +
                                          " is a folder, not a file. It has not been opened."}));
  EXPECT_EQ(main->FFileName, "");
  EXPECT_EQ(config->FConfigFileName, "");
  EXPECT_FALSE(main->FChanged);
}
