// The template store: which templates each program loads, where the slot
// buttons go, the fallback to the supplied copies, and what Accept and
// Cancel do to the texts and files.
#include <QPushButton>

#include "sourceedit_fixture.h"

namespace sourceedit_test {
namespace {

std::vector<int> VisibleButtonTops(TfrmSourceFiles& f) {
  std::vector<int> tops;
  for (QToolButton* b : {f.spdFrameset, f.spdWelcome, f.spdCode, f.spdReading, f.spdDHTML})
    tops.push_back(b->isHidden() ? -1 : b->y());
  return tops;
}

TEST_F(SourceEditTest, QuizLoadsAllFiveTemplatesWhateverTheCaseOfTheirNames) {
  WriteTemplates("askery");
  TfrmSourceFiles& f = Create("Askery", QuizTemplates());

  EXPECT_TRUE(fake.messages.empty());
  EXPECT_EQ(f.FFramesetFile, source.File("askery.ht_"));
  EXPECT_EQ(f.FWelcomeFile, source.File("askeryw.ht_"));
  EXPECT_EQ(f.FCodeFile, source.File("askeryc.ht_"));
  EXPECT_EQ(f.FReadingFile, source.File("tavrelr.ht_"));
  EXPECT_EQ(f.FDHTMLFile, source.File("daskery.ht_"));
  EXPECT_EQ(f.FFramesetText, Page("askery.ht_"));
  EXPECT_EQ(f.FWelcomeText, Page("askeryw.ht_"));
  EXPECT_EQ(f.FCodeText, Page("askeryc.ht_"));
  EXPECT_EQ(f.FReadingText, Page("tavrelr.ht_"));
  EXPECT_EQ(f.FDHTMLText, Page("daskery.ht_"));
  EXPECT_EQ(f.windowTitle().toStdString(), "Edit Source Files");

  const int h = f.spdFrameset->height();
  EXPECT_EQ(VisibleButtonTops(f), (std::vector<int>{12, 12 + h, 12 + 2 * h, 12 + 3 * h, 12 + 4 * h}));
  EXPECT_EQ(frmSourceFiles, &f);
}

TEST_F(SourceEditTest, MatchingProgramLeavesOutTheWelcomePage) {
  WriteTemplates("pairo");
  TfrmSourceFiles& f = Create("Pairo", MatchingTemplates());
  const int h = f.spdFrameset->height();

  // Frameset, code, reading, DHTML stacked without a gap; welcome hidden.
  EXPECT_EQ(VisibleButtonTops(f), (std::vector<int>{12, -1, 12 + h, 12 + 2 * h, 12 + 3 * h}));
  EXPECT_GT(f.btnFont->y(), f.spdDHTML->y() + h);  // below the stack, not over it
  EXPECT_EQ(f.FWelcomeText, "");
  EXPECT_EQ(f.FCodeText, Page("pairoc.ht_"));

  source.Write("pairow.ht_", "old welcome\r\n");
  ShowModal([](TfrmSourceFiles& f) { f.btnAcceptClick(); });
  EXPECT_EQ(source.Read("pairow.ht_"), "old welcome\r\n");
  EXPECT_FALSE(std::filesystem::exists(source.File("Pairow.ht_")));
  EXPECT_TRUE(fake.messages.empty());
}

TEST_F(SourceEditTest, CrosswordProgramLeavesOutTheReadingPage) {
  WriteTemplates("gridel");
  source.Write("tavrelr.ht_", "reading as it was\r\n");
  TfrmSourceFiles& f = Create("Gridel", CrosswordTemplates());
  const int h = f.spdFrameset->height();

  EXPECT_EQ(VisibleButtonTops(f), (std::vector<int>{12, 12 + h, 12 + 2 * h, -1, 12 + 3 * h}));
  EXPECT_EQ(f.FReadingText, "");

  ShowModal([](TfrmSourceFiles& f) {
    f.mmoText->SetText("new frameset\r\n");
    f.btnAcceptClick();
  });
  EXPECT_EQ(source.Read("tavrelr.ht_"), "reading as it was\r\n");
  std::string text;
  ASSERT_TRUE(LoadTextFile(source.File("gridel.ht_"), text));
  EXPECT_EQ(text, "new frameset\r\n");
}

TEST_F(SourceEditTest, MissingTemplateWarnsOnceAndTakesTheSuppliedCopy) {
  WriteTemplates("askery");
  std::filesystem::remove(source.File("askeryc.ht_"));
  fake.Answer(ModalResult::OK);
  TfrmSourceFiles& f = Create("Askery", QuizTemplates());

  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].text, "Unable to load askeryc.ht_. Restoring default.");
  EXPECT_EQ(fake.messages[0].type, MsgType::Warning);
  EXPECT_EQ(fake.messages[0].buttons, tavrel::mbOK);
  EXPECT_EQ(fake.messages[0].helpContext, 33000);
  EXPECT_EQ(f.FCodeText, Page("supplied askeryc.ht_"));
  EXPECT_FALSE(f.spdCode->isHidden());
}

TEST_F(SourceEditTest, MissingTemplateAndMissingCopyLeaveTheSlotEmptyWithOneMessage) {
  WriteTemplates("askery");
  std::filesystem::remove(source.File("tavrelr.ht_"));
  std::filesystem::remove(program.File("SrcBackup/tavrelr.ht_"));
  fake.Answer(ModalResult::OK);
  TfrmSourceFiles& f = Create("Askery", QuizTemplates());

  EXPECT_EQ(fake.MessageTexts(), std::vector<std::string>{"Unable to load tavrelr.ht_. Restoring default."});
  EXPECT_EQ(f.FReadingText, "");
  EXPECT_FALSE(f.spdReading->isHidden());
}

TEST_F(SourceEditTest, AnEmptyTemplateCountsAsMissingAndAnEmptySlotIsNeverWritten) {
  WriteTemplates("pairo");
  source.Write("pairoc.ht_", "");
  std::filesystem::remove(source.File("dpairo.ht_"));
  std::filesystem::remove(program.File("SrcBackup/dpairo.ht_"));
  fake.Answer(ModalResult::OK).Answer(ModalResult::OK);
  TfrmSourceFiles& f = Create("Pairo", MatchingTemplates());

  EXPECT_EQ(fake.MessageTexts(), (std::vector<std::string>{"Unable to load pairoc.ht_. Restoring default.",
                                                           "Unable to load dpairo.ht_. Restoring default."}));
  EXPECT_EQ(f.FCodeText, Page("supplied pairoc.ht_"));
  EXPECT_EQ(f.FDHTMLText, "");

  fake.ClearRecords();
  ShowModal([](TfrmSourceFiles& f) { f.btnAcceptClick(); });
  EXPECT_TRUE(fake.messages.empty());
  EXPECT_EQ(source.Read("pairoc.ht_"), Page("supplied pairoc.ht_"));
  EXPECT_FALSE(std::filesystem::exists(source.File("dpairo.ht_")));
  EXPECT_FALSE(std::filesystem::exists(source.File("dPairo.ht_")));
}

TEST_F(SourceEditTest, AcceptWritesEveryUsedTemplateAndClosesAccepted) {
  WriteTemplates("askery");
  TfrmSourceFiles& f = Create("Askery", QuizTemplates());

  const int r = ShowModal([](TfrmSourceFiles& f) {
    f.mmoText->SetText("edited frameset\r\n");
    f.spdCode->click();
    f.mmoText->SetText("edited code\r\nsecond line\r\n");
    f.btnAcceptClick();
  });

  EXPECT_EQ(r, QDialog::Accepted);
  EXPECT_TRUE(fake.messages.empty());
  EXPECT_EQ(f.FCodeText, "edited code\r\nsecond line\r\n");  // stored by Accept
  for (const auto& [name, expected] :
       std::vector<std::pair<std::string, std::string>>{{"askery.ht_", "edited frameset\r\n"},
                                                        {"askeryc.ht_", "edited code\r\nsecond line\r\n"},
                                                        {"askeryw.ht_", Page("askeryw.ht_")},
                                                        {"tavrelr.ht_", Page("tavrelr.ht_")},
                                                        {"daskery.ht_", Page("daskery.ht_")}}) {
    std::string text;
    ASSERT_TRUE(LoadTextFile(source.File(name), text)) << name;
    EXPECT_EQ(text, expected) << name;
  }
  // Only the lower-case files that were found were written.
  EXPECT_FALSE(std::filesystem::exists(source.File("Askery.ht_")));
}

TEST_F(SourceEditTest, AcceptWarnsForAnUnwritableTemplateAndKeepsTheEditForTheSession) {
  WriteTemplates("askery");
  TfrmSourceFiles& f = Create("Askery", QuizTemplates());
  // A folder in place of the code template: it cannot be replaced.
  std::filesystem::remove(source.File("askeryc.ht_"));
  std::filesystem::create_directory(source.File("askeryc.ht_"));

  fake.Answer(ModalResult::OK);
  ShowModal([](TfrmSourceFiles& f) {
    f.spdCode->click();
    f.mmoText->SetText("kept code\r\n");
    f.spdWelcome->click();
    f.mmoText->SetText("kept welcome\r\n");
    f.btnAcceptClick();
  });

  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].text,
            "Unable to save the Code file. Changes will be retained for this session only.");
  EXPECT_EQ(fake.messages[0].type, MsgType::Warning);
  EXPECT_EQ(fake.messages[0].buttons, tavrel::mbOK);
  EXPECT_EQ(fake.messages[0].helpContext, 33000);
  // The next slot was still written.
  std::string text;
  ASSERT_TRUE(LoadTextFile(source.File("askeryw.ht_"), text));
  EXPECT_EQ(text, "kept welcome\r\n");
  // The exporters' fallback and the next showing have the unsaved edit.
  EXPECT_EQ(f.FCodeText, "kept code\r\n");
  ShowModal([this](TfrmSourceFiles& f) {
    f.spdCode->click();
    EXPECT_EQ(Memo(), "kept code\r\n");
  });
}

TEST_F(SourceEditTest, EveryFailedSaveIsReportedInSlotOrder) {
  WriteTemplates("askery");
  TfrmSourceFiles& f = Create("Askery", QuizTemplates());
  std::filesystem::remove_all(source.Path());  // the whole template folder is gone

  for (int i = 0; i < 5; ++i) fake.Answer(ModalResult::OK);
  ShowModal([](TfrmSourceFiles& f) { f.btnAcceptClick(); });

  const std::string tail = " file. Changes will be retained for this session only.";
  EXPECT_EQ(fake.MessageTexts(),
            (std::vector<std::string>{"Unable to save the Frameset" + tail, "Unable to save the Welcome" + tail,
                                      "Unable to save the Code" + tail, "Unable to save the Reading" + tail,
                                      "Unable to save the DHTML" + tail}));
  EXPECT_EQ(f.FDHTMLText, Page("daskery.ht_"));
}

TEST_F(SourceEditTest, CancelDiscardsTheEditsAndTheNextShowingStartsFromDisk) {
  WriteTemplates("askery");
  TfrmSourceFiles& f = Create("Askery", QuizTemplates());

  const int r = ShowModal([](TfrmSourceFiles& f) {
    f.mmoText->SetText("cancelled frameset\r\n");
    f.spdCode->click();  // stores the frameset edit
    f.mmoText->SetText("cancelled code\r\n");
    f.spdFrameset->click();  // stores the code edit
    f.mmoText->SetText("cancelled again\r\n");
    f.btnCancelClick();
  });

  EXPECT_EQ(r, QDialog::Rejected);
  EXPECT_EQ(f.FFramesetText, Page("askery.ht_"));
  EXPECT_EQ(f.FCodeText, Page("askeryc.ht_"));
  EXPECT_EQ(source.Read("askery.ht_"), Page("askery.ht_"));
  ShowModal([this](TfrmSourceFiles& f) {
    EXPECT_EQ(Memo(), Page("askery.ht_"));
    f.spdCode->click();
    EXPECT_EQ(Memo(), Page("askeryc.ht_"));
  });
  EXPECT_TRUE(fake.messages.empty());
}

TEST_F(SourceEditTest, CancelReloadsWithTheWarningsAndFallbacks) {
  WriteTemplates("askery");
  TfrmSourceFiles& f = Create("Askery", QuizTemplates());
  std::filesystem::remove(source.File("daskery.ht_"));

  fake.Answer(ModalResult::OK);
  ShowModal([](TfrmSourceFiles& f) { f.btnCancelClick(); });

  EXPECT_EQ(fake.MessageTexts(), std::vector<std::string>{"Unable to load daskery.ht_. Restoring default."});
  EXPECT_EQ(f.FDHTMLText, Page("supplied daskery.ht_"));
}

TEST_F(SourceEditTest, ClosingByTheTitleBarKeepsTheEditsInMemoryWithoutSaving) {
  WriteTemplates("askery");
  Create("Askery", QuizTemplates());

  ShowModal([](TfrmSourceFiles& f) {
    f.mmoText->SetText("unsaved frameset\r\n");
    f.close();
  });

  EXPECT_EQ(source.Read("askery.ht_"), Page("askery.ht_"));
  // The next showing stores the memo first, so the edit is the store's text.
  ShowModal([this](TfrmSourceFiles& f) {
    EXPECT_EQ(f.FFramesetText, "unsaved frameset\r\n");
    EXPECT_EQ(Memo(), "unsaved frameset\r\n");
  });
}

}  // namespace
}  // namespace sourceedit_test
