// The Manage Questions commands with the item-number dialog and the outline,
// find and replace, and the copy for printing.
#include <QCheckBox>

#include "main_fixture.h"

namespace mainwin_test {
namespace {

// --- Delete --------------------------------------------------------------------------

TEST_F(MainWindowTest, DeleteAsksThenShowsTheQuestionThatTookThePlace) {
  Quiz({"A", "B", "C"});
  Type(main->mmoQuestion, "!");  // the edit is stored before the command
  NumberDialog("2");
  fake.Answer(ModalResult::OK);
  main->mnuDeleteQuestionClick();
  EXPECT_EQ(QuestionTexts(), (std::vector<std::string>{"A!", "C"}));
  EXPECT_EQ(main->SpinQNum->value(), 2);
  EXPECT_EQ(main->FCurrQ, 2);
  EXPECT_EQ(main->mmoQuestion->Text(), "C");
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].text, "Are you sure you want to delete question number 2?");
  EXPECT_EQ(fake.messages[0].type, MsgType::Warning);
  EXPECT_EQ(fake.messages[0].buttons, tavrel::mbOK | tavrel::mbCancel);
  EXPECT_EQ(fake.messages[0].defaultButton, tavrel::mbCancel);
  EXPECT_EQ(fake.messages[0].helpContext, 8500);
  EXPECT_EQ(number->lblQuestionNumber->text().toStdString(), "Delete question number:");
  EXPECT_TRUE(number->cmbToPosition->isHidden());
}

TEST_F(MainWindowTest, DeleteCancelledInTheDialogOrTheQuestionChangesNothing) {
  Quiz({"A", "B", "C"});
  NumberDialog("2", "", false);
  main->mnuDeleteQuestionClick();
  NumberDialog("2");
  fake.Answer(ModalResult::Cancel);
  main->mnuDeleteQuestionClick();
  EXPECT_EQ(QuestionTexts(), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(main->SpinQNum->value(), 1);

  // A number beyond the list deletes nothing.
  NumberDialog("9");
  fake.Answer(ModalResult::OK);
  main->mnuDeleteQuestionClick();
  EXPECT_EQ(QuestionTexts(), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(main->mmoQuestion->Text(), "");
}

TEST_F(MainWindowTest, RefusedNumberLeavesTheListAlone) {
  std::vector<std::string> many(150, "q");
  Quiz(many);
  NumberDialog("120");
  fake.Answer(ModalResult::OK);  // "This is not a valid question number."
  main->mnuDeleteQuestionClick();
  EXPECT_EQ(List().Count(), 150);
  EXPECT_EQ(fake.MessageTexts(), std::vector<std::string>{"This is not a valid question number."});
}

// --- Insert --------------------------------------------------------------------------

TEST_F(MainWindowTest, InsertPutsAnEmptyQuestionAtTheNumber) {
  Quiz({"A", "B", "C"});
  NumberDialog("2");
  main->mnuInsertQuestionClick();
  EXPECT_EQ(QuestionTexts(), (std::vector<std::string>{"A", "", "B", "C"}));
  EXPECT_EQ(main->SpinQNum->value(), 2);
  EXPECT_EQ(main->mmoQuestion->Text(), "");
  EXPECT_TRUE(fake.messages.empty());
  EXPECT_EQ(number->lblQuestionNumber->text().toStdString(), "Insert question at number:");

  NumberDialog("7");
  main->mnuInsertQuestionClick();
  EXPECT_EQ(List().Count(), 7);
  EXPECT_EQ(main->SpinQNum->value(), 7);
}

// --- Move --------------------------------------------------------------------------

TEST_F(MainWindowTest, MoveTakesAQuestionToAnotherPosition) {
  Quiz({"Q1", "Q2", "Q3", "Q4", "Q5"});
  NumberDialog("2", "5");
  main->mnuMoveQuestionClick();
  EXPECT_EQ(QuestionTexts(), (std::vector<std::string>{"Q1", "Q3", "Q4", "Q5", "Q2"}));
  EXPECT_EQ(main->SpinQNum->value(), 2);
  EXPECT_EQ(main->mmoQuestion->Text(), "Q3");
  EXPECT_FALSE(number->cmbToPosition->isHidden());
  EXPECT_FALSE(number->lblToPosition->isHidden());
  EXPECT_EQ(number->lblQuestionNumber->text().toStdString(), "Move question number:");

  NumberDialog("3", "3");  // the same number: nothing
  main->mnuMoveQuestionClick();
  NumberDialog("1", "4", false);
  main->mnuMoveQuestionClick();
  EXPECT_EQ(QuestionTexts(), (std::vector<std::string>{"Q1", "Q3", "Q4", "Q5", "Q2"}));
}

TEST_F(MainWindowTest, MoveWithNumbersBeyondTheListGrowsItFirst) {
  Quiz({"A", "B", "C"});
  NumberDialog("2", "7");
  main->mnuMoveQuestionClick();
  EXPECT_EQ(QuestionTexts(), (std::vector<std::string>{"A", "C", "", "", "", "", "B"}));
  EXPECT_EQ(main->mmoQuestion->Text(), "C");

  NumberDialog("9", "1");
  main->mnuMoveQuestionClick();
  ASSERT_EQ(List().Count(), 9);
  EXPECT_EQ(List().GetQuestionText(2), "A");
  EXPECT_EQ(List().GetQuestionText(1), "");
  EXPECT_EQ(main->SpinQNum->value(), 9);
}

// --- Clone --------------------------------------------------------------------------

TEST_F(MainWindowTest, CloneAppendsACopyAndShowsIt) {
  Quiz({"Q1", "Q2", "Q3", "Q4", "Q5"});
  List().SetAnswer(3, 1, "ans", "", 1);
  main->SpinQNum->setValue(3);
  TfrmWhatNumber::ModalHook = [this](TfrmWhatNumber& d) {
    // The number box offers the question being edited.
    EXPECT_EQ(d.cmbNumber->currentText().toStdString(), "3");
    EXPECT_TRUE(d.cmbToPosition->isHidden());
    EXPECT_FALSE(d.lblQuestionNumber->isHidden());
    EXPECT_EQ(d.lblQuestionNumber->text().toStdString(), "Clone question number:");
    (void)this;
    d.btnOKClick();
  };
  main->mnuCloneQuestionClick();
  EXPECT_EQ(List().Count(), 6);
  EXPECT_EQ(main->SpinQNum->value(), 6);
  EXPECT_EQ(main->FCurrQ, 6);
  EXPECT_EQ(main->mmoQuestion->Text(), "Q3");
  EXPECT_EQ(Answer(1)->Text(), "ans");
}

TEST_F(MainWindowTest, CloneAfterRemovingEmptyQuestionsNeverStoresTheStaleEditor) {
  Quiz({"A", "", "C", "D"});
  main->SpinQNum->setValue(4);  // editing D
  NumberDialog("1");
  main->mnuCloneQuestionClick();
  // The empty question went, so the copy of A is number 4: the editor shows it.
  EXPECT_EQ(main->SpinQNum->value(), 4);
  EXPECT_EQ(main->mmoQuestion->Text(), "A");
  main->SpinQNum->setValue(1);
  EXPECT_EQ(QuestionTexts(), (std::vector<std::string>{"A", "C", "D", "A"}));
}

TEST_F(MainWindowTest, CloneOfAQuestionThatDoesNotExistDoesNothing) {
  Quiz({"A", "B"});
  NumberDialog("7");
  main->mnuCloneQuestionClick();
  EXPECT_EQ(QuestionTexts(), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(main->SpinQNum->value(), 1);
  NumberDialog("1", "", false);
  main->mnuCloneQuestionClick();
  EXPECT_EQ(List().Count(), 2);
}

// --- Shuffle --------------------------------------------------------------------------

TEST_F(MainWindowTest, ShuffleAsksAndKeepsEveryNonEmptyQuestion) {
  Quiz({"A", "", "B", "C"});
  fake.Answer(ModalResult::No);
  main->mnuShuffleClick();
  EXPECT_EQ(List().Count(), 4);
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].text,
            "This will shuffle the order of all the questions in your quiz. Are you sure you want "
            "to continue?");
  EXPECT_EQ(fake.messages[0].type, MsgType::Confirmation);
  EXPECT_EQ(fake.messages[0].buttons, tavrel::mbYesNo);

  fake.Answer(ModalResult::Yes);
  main->mnuShuffleClick();
  std::vector<std::string> texts = QuestionTexts();
  std::sort(texts.begin(), texts.end());
  EXPECT_EQ(texts, (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(main->mmoQuestion->Text(), List().GetQuestionText(1));
}

// --- Outline --------------------------------------------------------------------------

TEST_F(MainWindowTest, OutlineReordersAndOkShowsTheNewQuestionAtTheNumber) {
  Quiz({"A", "B", "C"});
  Type(main->mmoQuestion, "1");  // stored before the outline opens
  TfrmArrange::ModalHook = [](TfrmArrange& d) {
    ASSERT_EQ(d.Outline1->topLevelItemCount(), 3);
    EXPECT_EQ(d.Outline1->ItemAtLine(2)->text(0).toStdString(), "A1");
    d.Outline1MouseDown(2);
    d.Outline1DragDrop(2, 5);
    d.btnAcceptClick();
  };
  main->mnuViewOutlineClick();
  EXPECT_EQ(QuestionTexts(), (std::vector<std::string>{"B", "C", "A1"}));
  EXPECT_EQ(main->mmoQuestion->Text(), "B");
}

TEST_F(MainWindowTest, OutlineClosedByItsTitleBarStillRefreshesTheEditor) {
  Quiz({"A", "B", "C"});
  TfrmArrange::ModalHook = [](TfrmArrange& d) {
    d.Outline1MouseDown(6);
    d.Outline1DragDrop(6, 1);
    d.close();
  };
  main->mnuViewOutlineClick();
  EXPECT_EQ(main->mmoQuestion->Text(), "C");
  main->SpinQNum->setValue(2);
  EXPECT_EQ(QuestionTexts(), (std::vector<std::string>{"C", "A", "B"}));
}

// --- Find and replace --------------------------------------------------------------------

TEST_F(MainWindowTest, FindAndReplaceInTheCurrentQuestionOrEverywhere) {
  Quiz({"a cat", "", "the cat"});
  List().SetAnswer(1, 1, "cat", "", 1);
  main->ShowQuestion(1);
  auto script = [](int scope) {
    TfrmReplace::ModalHook = [scope](TfrmReplace& d) {
      d.editFind->SetText("cat");
      d.editReplace->SetText("dog");
      d.SetScopeIndex(scope);
      d.btnOKClick();
    };
  };
  script(0);
  main->FindAndReplace();
  EXPECT_EQ(main->mmoQuestion->Text(), "a dog");
  EXPECT_EQ(Answer(1)->Text(), "dog");
  EXPECT_EQ(List().GetQuestionText(3), "the cat");
  EXPECT_EQ(fake.MessageTexts(), std::vector<std::string>{"2 replacements made."});

  fake.ClearRecords();
  main->mmoQuestion->SetText("cat again");
  script(1);
  main->FindAndReplace();
  EXPECT_EQ(QuestionTexts(), (std::vector<std::string>{"dog again", "the dog"}));
  EXPECT_EQ(main->mmoQuestion->Text(), "dog again");
  EXPECT_EQ(fake.MessageTexts(), std::vector<std::string>{"2 replacements made."});

  fake.ClearRecords();
  TfrmReplace::ModalHook = [](TfrmReplace& d) { d.btnCancelClick(); };
  main->FindAndReplace();
  EXPECT_TRUE(fake.messages.empty());
}

// --- Copy for printing ------------------------------------------------------------------

TEST_F(MainWindowTest, PrintCopyListsTheQuestionsThenTheKey) {
  main->mmoTitle->SetText("Quiz");
  Quiz({"One?", "", "Three?", "Four?"});
  List().SetAnswer(1, 1, "1", "", 1);
  List().SetAnswer(1, 2, "", "", 1);
  List().SetAnswer(1, 3, "one", "", 1);
  List().SetAnswer(1, 4, "", "", 1);
  main->ShowQuestion(1);
  List().SetAnswer(3, 1, "3", "", 1);
  fake.Answer(ModalResult::OK);
  main->mnuExportForPrintingClick();
  EXPECT_EQ(fake.clipboard,
            "Quiz\r\n\r\n"
            "1. One?\r\n3. Three?\r\n4. Four?\r\n"
            "\r\n\r\n----------Key----------\r\n\r\n"
            "1. One?\r\n\t-1\r\n\t-\r\n\t-one\r\n\r\n"
            "3. Three?\r\n\t-3\r\n\r\n"
            "4. Four?\r\n\r\n");
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].text,
            "The quiz has been copied to the clipboard. You can now paste it into a "
            "word-processor.");
  EXPECT_EQ(fake.messages[0].type, MsgType::Information);
  EXPECT_EQ(fake.messages[0].helpContext, 7000);
  EXPECT_EQ(List().GetAnswerCount(1), 3);  // trailing empty answers went
  EXPECT_FALSE(fake.busy);
}

TEST_F(MainWindowTest, PrintCopyPutsAnIncludedReadingFirst) {
  main->mmoTitle->SetText("T");
  Quiz({"Q"});
  reading->chkIncludeReading->setChecked(true);
  reading->mmoReadingTitle->SetText("Story");
  reading->mmoReadingText->SetText("Once.");
  fake.Answer(ModalResult::OK);
  main->mnuExportForPrintingClick();
  EXPECT_EQ(fake.clipboard.rfind("Story\r\n\r\nOnce.\r\n\r\nT\r\n\r\n1. Q\r\n", 0), 0u)
      << fake.clipboard;
}

}  // namespace
}  // namespace mainwin_test
