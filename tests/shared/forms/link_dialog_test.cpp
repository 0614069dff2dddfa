// The link dialog: the anchor it builds, the folder guard and its
// once-per-run question, links to files made relative to the data file, and
// the picture button.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <filesystem>
#include <memory>
#include <optional>

#include "platform/qt/QtText.h"
#include "platform/qt/Widgets.h"
#include "shared/forms/InsertLink.h"
#include "shared/forms/MainFormBase.h"
#include "support/FakePlatform.h"
#include "support/TempDir.h"

namespace {

using tavrel::ModalResult;
using tavrel::MsgType;
using tavrel::testing::FakePlatform;
using tavrel::testing::TempDir;

class HostWindow : public TMainFormBase {
 public:
  HostWindow() { frmMain = this; }
  std::string AppTitle() const override { return "Askery"; }
};

const char* const kUntitledWarning =
    "The program needs to know where you will save your HTML file so that it can construct a "
    "relative URL. Please save your data file in the folder where you will put your HTML file "
    "when it is created, then try again.";

class LinkDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host = std::make_unique<HostWindow>();
    dialog = std::make_unique<TfrmInsertLink>(host.get());
    std::filesystem::create_directories(dir.Path() + "unit1");
    std::filesystem::create_directories(dir.Path() + "pics");
    dataFile = dir.File("unit1/quiz.aky");
    dir.Write("unit1/quiz.aky", "<tavrel-askery-file/>");
    host->FFileName = dataFile;
  }

  // The user's part of the modal dialog: what it sees, what it types, and
  // the button it presses.
  struct Seen {
    bool shown = false;
    std::string path, target, linkText;
  };
  // Scripts the next showing: records what the dialog shows, optionally
  // types a path and a target, then presses OK or Cancel.
  void Script(bool ok, const std::optional<std::string>& path = std::nullopt,
              const std::optional<std::string>& target = std::nullopt) {
    dialog->ModalHook = [=, this](TfrmInsertLink& f) {
      seen.shown = true;
      seen.path = f.editPath->Text();
      seen.target = tavrel::fromQString(f.cmbTarget->currentText());
      seen.linkText = f.editLinkText->Text();
      if (path) f.editPath->SetText(*path);
      if (target) f.cmbTarget->setEditText(tavrel::toQString(*target));
      (ok ? f.btnOK : f.btnCancel)->click();
      return f.result();
    };
  }
  void TypeAndPressOK(const std::string& path, const std::string& target) {
    Script(true, path, target);
  }
  void PressOK() { Script(true); }
  void PressCancel() { Script(false); }

  std::string ConfirmationText() const {
    return "In order to create a relative link, the program will assume that your HTML file "
           "will be saved in the same location as your data file is currently saved: \r\n\r\n" +
           dir.Path() +
           "unit1/\r\n\r\nIf you wish to change this, please cancel this operation and save "
           "your data file in the folder where you intend to place the HTML files.";
  }

  FakePlatform fake;
  TempDir dir;
  std::string dataFile;
  std::unique_ptr<HostWindow> host;
  std::unique_ptr<TfrmInsertLink> dialog;
  Seen seen;
};

// --- Links to web addresses ------------------------------------------------------------

TEST_F(LinkDialogTest, LinkToAWebAddressWithTargetAndDefaultText) {
  TypeAndPressOK("http://example.org/a.htm", "_blank");
  std::string out;
  dialog->ShowMe(false, dataFile, out, "the text");
  EXPECT_EQ(out, "<A HREF=\"http://example.org/a.htm\" TARGET=\"_blank\">the text</A>");
  EXPECT_TRUE(seen.shown);
  EXPECT_EQ(seen.path, "");
  EXPECT_EQ(seen.linkText, "the text");
  EXPECT_TRUE(fake.messages.empty());  // no folder question for a web address
}

TEST_F(LinkDialogTest, EmptyDefaultTextGivesClickHereAndEmptyTargetGivesNoTarget) {
  TypeAndPressOK("http://example.org/", "");
  std::string out;
  dialog->ShowMe(false, "", out, "");
  EXPECT_EQ(seen.linkText, "Click here");
  EXPECT_EQ(out, "<A HREF=\"http://example.org/\">Click here</A>");
}

TEST_F(LinkDialogTest, LinkTextMayHoldHtmlAndNothingIsEscaped) {
  TypeAndPressOK("a b.htm?x=1&y=\"2\"", "my frame");
  std::string out;
  dialog->ShowMe(false, dataFile, out, "<IMG SRC=\"p.gif\">");
  EXPECT_EQ(out, "<A HREF=\"a b.htm?x=1&y=\"2\"\" TARGET=\"my frame\"><IMG SRC=\"p.gif\"></A>");
}

TEST_F(LinkDialogTest, CancelGivesNothing) {
  PressCancel();
  std::string out = "old";
  dialog->ShowMe(false, dataFile, out, "text");
  EXPECT_TRUE(seen.shown);
  EXPECT_EQ(out, "");
}

TEST_F(LinkDialogTest, TargetIsKeptAndPathAndTextAreSetAnewForEachLink) {
  TypeAndPressOK("first.htm", "_top");
  std::string out;
  dialog->ShowMe(false, dataFile, out, "one");
  PressOK();
  dialog->ShowMe(false, dataFile, out, "");
  EXPECT_EQ(seen.path, "");
  EXPECT_EQ(seen.target, "_top");
  EXPECT_EQ(seen.linkText, "Click here");
  EXPECT_EQ(out, "<A HREF=\"\" TARGET=\"_top\">Click here</A>");
}

TEST_F(LinkDialogTest, TargetComboOffersTheFourFrameNamesAndStartsEmpty) {
  ASSERT_EQ(dialog->cmbTarget->count(), 4);
  EXPECT_EQ(dialog->cmbTarget->itemText(0), "_blank");
  EXPECT_EQ(dialog->cmbTarget->itemText(1), "_self");
  EXPECT_EQ(dialog->cmbTarget->itemText(2), "_parent");
  EXPECT_EQ(dialog->cmbTarget->itemText(3), "_top");
  EXPECT_TRUE(dialog->cmbTarget->isEditable());
  EXPECT_EQ(dialog->cmbTarget->currentText(), "");
  EXPECT_EQ(dialog->windowTitle(), "Insert Link");
}

// --- Links to files -------------------------------------------------------------------------

TEST_F(LinkDialogTest, FileLinkIsRefusedWhileTheExerciseIsUntitled) {
  PressOK();
  for (const std::string& name : {std::string(), dir.File("never-saved.aky")}) {
    fake.Answer(ModalResult::OK);
    std::string out = "old";
    dialog->ShowMe(true, name, out, "text");
    EXPECT_EQ(out, "");
  }
  EXPECT_FALSE(seen.shown);
  EXPECT_TRUE(fake.openRequests.empty());
  ASSERT_EQ(fake.messages.size(), 2u);
  for (const auto& m : fake.messages) {
    EXPECT_EQ(m.text, kUntitledWarning);
    EXPECT_EQ(m.type, MsgType::Warning);
    EXPECT_EQ(m.buttons, static_cast<unsigned>(tavrel::mbOK));
    EXPECT_EQ(m.helpContext, 5700);
  }
  // A refusal is no folder question: the first link of a saved quiz asks.
  EXPECT_FALSE(dialog->FolderConfirmed());
}

TEST_F(LinkDialogTest, FileLinkAsksForTheFolderOnceAndMakesThePathRelative) {
  fake.Answer(ModalResult::OK).ChooseOpen(dir.File("pics/page.htm"));
  PressOK();
  std::string out;
  dialog->ShowMe(true, dataFile, out, "");
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].text, ConfirmationText());
  EXPECT_EQ(fake.messages[0].type, MsgType::Confirmation);
  EXPECT_EQ(fake.messages[0].buttons, static_cast<unsigned>(tavrel::mbOKCancel));
  EXPECT_EQ(fake.messages[0].helpContext, 5700);
  ASSERT_EQ(fake.openRequests.size(), 1u);
  EXPECT_EQ(fake.openRequests[0].filter, "All files (*.*)|*.*");
  EXPECT_EQ(fake.openRequests[0].helpContext, 5700);
  EXPECT_EQ(seen.path, "../pics/page.htm");
  EXPECT_EQ(out, "<A HREF=\"../pics/page.htm\">Click here</A>");

  // The second file link of the run asks no question.
  fake.ChooseOpen(dir.File("unit1/next.htm"));
  dialog->ShowMe(true, dataFile, out, "next");
  EXPECT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(out, "<A HREF=\"next.htm\">next</A>");
}

TEST_F(LinkDialogTest, FolderQuestionCancelledIsNotAskedAgain) {
  fake.Answer(ModalResult::Cancel);
  PressOK();
  std::string out = "old";
  dialog->ShowMe(true, dataFile, out, "x");
  EXPECT_EQ(out, "");
  EXPECT_FALSE(seen.shown);
  EXPECT_TRUE(fake.openRequests.empty());
  EXPECT_TRUE(dialog->FolderConfirmed());

  fake.ChooseOpen(dir.File("unit1/b.gif"));
  dialog->ShowMe(true, dataFile, out, "x");
  EXPECT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(out, "<A HREF=\"b.gif\">x</A>");
}

TEST_F(LinkDialogTest, CancelledFileDialogGivesNothing) {
  fake.Answer(ModalResult::OK).CancelOpen();
  PressOK();
  std::string out = "old";
  dialog->ShowMe(true, dataFile, out, "x");
  EXPECT_EQ(out, "");
  EXPECT_FALSE(seen.shown);
}

TEST_F(LinkDialogTest, CheckRootDirAnswersAsTheUserDid) {
  fake.Answer(ModalResult::OK).Answer(ModalResult::OK).Answer(ModalResult::OK);
  EXPECT_FALSE(dialog->CheckRootDir(""));
  EXPECT_TRUE(dialog->CheckRootDir(dataFile));
  EXPECT_TRUE(dialog->CheckRootDir(dataFile));
  EXPECT_FALSE(dialog->CheckRootDir(dir.File("unit1/missing.aky")));
  EXPECT_EQ(fake.messages.size(), 3u);  // untitled, question, untitled
  EXPECT_TRUE(fake.AllAnswersUsed());
}

// --- Relative paths ------------------------------------------------------------------------------

TEST_F(LinkDialogTest, RelativePathsCompareWholeFolderNames) {
  struct Case {
    std::string from, to, result;
  };
  const Case cases[] = {
      {"/home/t/quiz/unit1/a.aky", "/home/t/quiz/pics/b.gif", "../pics/b.gif"},
      {"/home/t/quiz/unit1/a.aky", "/home/t/quiz/unit1/b.gif", "b.gif"},
      {"/home/t/quiz/a.aky", "/home/t/quiz/unit1/deep/b.gif", "unit1/deep/b.gif"},
      {"/home/t/quiz/a.aky", "/home/t/quiz2/p.htm", "../quiz2/p.htm"},
      {"/home/t/quiz2/a.aky", "/home/t/quiz/p.htm", "../quiz/p.htm"},
      {"/home/t/quiz/unit1/a.aky", "/srv/www/p.htm", "../../../../srv/www/p.htm"},
      {"/home/t/quiz/a.aky", "/home/t/quiz/a.htm", "a.htm"},
  };
  for (const Case& c : cases) {
    std::string r;
    dialog->GetRelativePath(c.from, c.to, r);
    EXPECT_EQ(r, c.result) << c.from << " -> " << c.to;
  }
  EXPECT_TRUE(fake.messages.empty());
}

TEST_F(LinkDialogTest, PathsThatStartDifferentlyGiveTheBareFileName) {
  fake.Answer(ModalResult::OK);
  std::string r;
  dialog->GetRelativePath("/home/t/a.aky", "D:/pics/b.gif", r);
  EXPECT_EQ(r, "b.gif");
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].text,
            "These files are on different drives, so no relative path can be created.");
  EXPECT_EQ(fake.messages[0].type, MsgType::Warning);
  EXPECT_EQ(fake.messages[0].buttons, static_cast<unsigned>(tavrel::mbOK));
  EXPECT_EQ(fake.messages[0].helpContext, 0);
}

// --- Picture button ------------------------------------------------------------------------------

TEST_F(LinkDialogTest, PictureButtonPutsATagIntoTheLinkText) {
  fake.Answer(ModalResult::OK).ChooseOpen(dir.File("pics/cat.gif"));
  dialog->ModalHook = [this](TfrmInsertLink& f) {
    f.editPath->SetText("http://example.org/");
    f.editLinkText->selectAll();
    f.btnPicture->click();
    seen.linkText = f.editLinkText->Text();
    f.btnOK->click();
    return f.result();
  };
  std::string out;
  dialog->ShowMe(false, dataFile, out, "");
  EXPECT_EQ(seen.linkText, "<img src=\"../pics/cat.gif\" alt=\"cat\">");
  EXPECT_EQ(out, "<A HREF=\"http://example.org/\"><img src=\"../pics/cat.gif\" alt=\"cat\"></A>");
  ASSERT_EQ(fake.openRequests.size(), 1u);
}

TEST_F(LinkDialogTest, PictureButtonIsRefusedForAnUntitledExercise) {
  fake.Answer(ModalResult::OK);
  dialog->ModalHook = [this](TfrmInsertLink& f) {
    f.btnPicture->click();
    seen.linkText = f.editLinkText->Text();
    f.btnCancel->click();
    return f.result();
  };
  std::string out;
  dialog->ShowMe(false, "", out, "words");
  EXPECT_EQ(seen.linkText, "words");
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].text, kUntitledWarning);
  EXPECT_TRUE(fake.openRequests.empty());
}

TEST_F(LinkDialogTest, HelpButtonShowsTheDialogsHelp) {
  dialog->btnHelp->click();
  ASSERT_EQ(fake.helpShown.size(), 1u);
  EXPECT_EQ(fake.helpShown[0], 5700);
}

}  // namespace
