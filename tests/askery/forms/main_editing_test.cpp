// Editing a quiz in the main window: typing, the spinner, Page Up/Down,
// answer scrolling, change tracking, angle brackets, the Edit and Insert
// menus and the key shortcuts.
#include <QMenu>

#include "main_fixture.h"

namespace mainwin_test {
namespace {

TEST_F(MainWindowTest, TypedQuestionIsStoredWhenTheSpinnerMovesOnAndShownWhenItComesBack) {
  Type(main->mmoTitle, "Capitals");
  Type(main->mmoQuestion, "France?");
  Type(Answer(1), "Paris");
  Type(Answer(2), "paris");
  EXPECT_TRUE(main->FChanged);

  main->SpinQNum->setValue(2);
  EXPECT_EQ(main->FCurrQ, 2);
  EXPECT_EQ(main->mmoQuestion->Text(), "");
  EXPECT_EQ(AnswerTexts(), (std::vector<std::string>{"", "", "", ""}));
  EXPECT_EQ(List().GetQuestionText(1), "France?");
  EXPECT_EQ(List().GetAnswerCount(1), 4);  // all four boxes are stored, empty ones too
  EXPECT_EQ(List().GetAnswerText(1, 2), "paris");
  EXPECT_TRUE(main->mmoQuestion->hasFocus() || main->focusWidget() == main->mmoQuestion);

  Type(main->mmoQuestion, "Spain?");
  main->SpinQNum->setValue(1);
  EXPECT_EQ(main->mmoQuestion->Text(), "France?");
  EXPECT_EQ(AnswerTexts(), (std::vector<std::string>{"Paris", "paris", "", ""}));
  EXPECT_EQ(List().GetQuestionText(2), "Spain?");
  EXPECT_EQ(main->mmoTitle->Text(), "Capitals");
}

TEST_F(MainWindowTest, ShowingAnotherQuestionCountsAsAChange) {
  Quiz({"One", "Two"});
  EXPECT_FALSE(main->FChanged);
  main->SpinQNum->setValue(2);
  EXPECT_TRUE(main->FChanged);
  main->FChanged = false;
  main->mmoTitle->SetText("x");
  EXPECT_TRUE(main->FChanged);
}

TEST_F(MainWindowTest, StoredAnswersBecomeCorrectWithoutFeedback) {
  List().SetAnswer(1, 1, "maybe", "a feedback", 0);
  main->ShowQuestion(1);
  main->StashQuestion();
  EXPECT_EQ(List().GetAnswerText(1, 1), "maybe");
  EXPECT_EQ(List().GetAnswerFeedback(1, 1), "");
  EXPECT_EQ(List().GetAnswerCorrect(1, 1), 1);
}

TEST_F(MainWindowTest, MovingBeyondTheEndAndBackLeavesAnEmptyQuestion) {
  Quiz({"Only"});
  main->SpinQNum->setValue(4);
  main->SpinQNum->setValue(1);
  EXPECT_EQ(List().Count(), 4);
  EXPECT_TRUE(List().QuestionIsEmpty(4));
}

TEST_F(MainWindowTest, PageUpAndPageDownStepThroughTheQuestions) {
  Quiz({"One", "Two", "Three"});
  main->mmoQuestion->setFocus();
  Key(main->mmoQuestion, Qt::Key_PageDown);
  EXPECT_EQ(main->SpinQNum->value(), 2);
  EXPECT_EQ(main->mmoQuestion->Text(), "Two");
  Key(main->mmoQuestion, Qt::Key_PageUp);
  Key(main->mmoQuestion, Qt::Key_PageUp);  // at 1: nothing
  EXPECT_EQ(main->SpinQNum->value(), 1);
  EXPECT_EQ(main->mmoQuestion->Text(), "One");

  // On the spinner the keys step by one as well, not by the spin box's page.
  Key(main->SpinQNum, Qt::Key_PageDown);
  EXPECT_EQ(main->SpinQNum->value(), 2);

  main->SpinQNum->setValue(1000000);
  Key(main->mmoQuestion, Qt::Key_PageDown);
  EXPECT_EQ(main->SpinQNum->value(), 1000000);
  EXPECT_EQ(main->FCurrQ, 1000000);
}

TEST_F(MainWindowTest, SevenAnswersScrollUpToFourToSeven) {
  for (int j = 1; j <= 7; ++j) List().SetAnswer(1, j, "a" + std::to_string(j), "", 1);
  main->ShowQuestion(1);
  EXPECT_EQ(AnswerNumbers(), (std::vector<std::string>{"1", "2", "3", "4"}));
  main->spdAnsDownClick();  // at offset 0: nothing
  EXPECT_EQ(main->pnlAnsLabel->Tag, 0);
  EXPECT_EQ(AnswerTexts(), (std::vector<std::string>{"a1", "a2", "a3", "a4"}));

  main->spdAnsUp->click();
  main->spdAnsUp->click();
  main->spdAnsUp->click();
  EXPECT_EQ(main->pnlAnsLabel->Tag, 3);
  EXPECT_EQ(AnswerTexts(), (std::vector<std::string>{"a4", "a5", "a6", "a7"}));
  EXPECT_EQ(AnswerNumbers(), (std::vector<std::string>{"4", "5", "6", "7"}));

  // An edit while scrolled goes to the answer shown.
  Answer(4)->SetText("seven");
  main->spdAnsDown->click();
  EXPECT_EQ(List().GetAnswerText(1, 7), "seven");
  EXPECT_EQ(AnswerNumbers(), (std::vector<std::string>{"3", "4", "5", "6"}));

  // Scrolling has no upper bound: boxes beyond the last answer are empty.
  for (int i = 0; i < 6; ++i) main->spdAnsUpClick();
  EXPECT_EQ(AnswerNumbers(), (std::vector<std::string>{"9", "10", "11", "12"}));
  EXPECT_EQ(AnswerTexts(), (std::vector<std::string>{"", "", "", ""}));

  // Another question starts at the first answer again.
  main->SpinQNum->setValue(2);
  EXPECT_EQ(main->pnlAnsLabel->Tag, 0);
  EXPECT_EQ(AnswerNumbers(), (std::vector<std::string>{"1", "2", "3", "4"}));
}

TEST_F(MainWindowTest, AngleBracketsInAnAnswerBecomeSquareOnLeaving) {
  Type(Answer(1), "a<b>");
  fake.Answer(ModalResult::OK);
  main->mmoAnswer1Exit(Answer(1));
  EXPECT_EQ(Answer(1)->Text(), "a[b]");
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].text,
            "Angle brackets are tag delimiters in HTML, so they have been replaced with square "
            "brackets in your answer.");
  EXPECT_EQ(fake.messages[0].type, MsgType::Warning);
  EXPECT_EQ(fake.messages[0].buttons, tavrel::mbOK | tavrel::mbHelp);
  EXPECT_EQ(fake.messages[0].helpContext, 14500);

  // Without angle brackets nothing is said and nothing changes.
  main->FChanged = false;
  main->mmoAnswer1Exit(Answer(1));
  EXPECT_EQ(fake.messages.size(), 1u);
  EXPECT_FALSE(main->FChanged);

  // Leaving the box by the focus does the same; title and question may hold tags.
  Type(main->mmoQuestion, "<b>bold</b>");
  Type(Answer(2), "x>y");
  fake.Answer(ModalResult::OK);
  main->mmoQuestion->setFocus();
  QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(Answer(2), &out);
  EXPECT_EQ(Answer(2)->Text(), "x]y");
  EXPECT_EQ(main->mmoQuestion->Text(), "<b>bold</b>");
  EXPECT_TRUE(main->FChanged);
}

TEST_F(MainWindowTest, AnAnswerBoxHoldsOneLine) {
  fake.clipboard = "first\r\nsecond";
  Answer(1)->setFocus();
  main->mnuPasteClick();
  EXPECT_EQ(Answer(1)->Text(), "first second");
  Type(Answer(1), "\r!");
  EXPECT_EQ(Answer(1)->Text(), "first second!");
  // The question box takes line breaks.
  main->mmoQuestion->setFocus();
  main->mnuPasteClick();
  EXPECT_EQ(main->mmoQuestion->Text(), "first\r\nsecond");
  EXPECT_EQ(main->mmoTitle->MaxLength(), 960);
  EXPECT_EQ(main->mmoQuestion->MaxLength(), 960);
  EXPECT_EQ(Answer(3)->MaxLength(), 240);
  EXPECT_FALSE(main->mmoTitle->WantReturns());
}

TEST_F(MainWindowTest, EditMenuFollowsTheFocusedBox) {
  Type(main->mmoQuestion, "Hello");
  main->mmoQuestion->setFocus();
  main->mnuEditClick();
  EXPECT_FALSE(main->mnuCut->isEnabled());
  EXPECT_FALSE(main->mnuCopy->isEnabled());
  EXPECT_TRUE(main->mnuSelectAll->isEnabled());

  main->mnuSelectAllClick();
  main->mnuEditClick();
  EXPECT_TRUE(main->mnuCut->isEnabled());
  EXPECT_TRUE(main->mnuCopy->isEnabled());
  main->spdCopy->click();
  EXPECT_EQ(fake.clipboard, "Hello");
  main->mnuCutClick();
  EXPECT_EQ(main->mmoQuestion->Text(), "");
  main->mnuEditClick();
  EXPECT_FALSE(main->mnuSelectAll->isEnabled());
  EXPECT_TRUE(main->mnuUndo->isEnabled());
  EXPECT_TRUE(main->mnuPaste->isEnabled());
  EXPECT_TRUE(main->mnuDelete->isEnabled());
  main->spdPaste->click();
  EXPECT_EQ(main->mmoQuestion->Text(), "Hello");
  main->mnuSelectAllClick();
  main->mnuDeleteClick();
  EXPECT_EQ(main->mmoQuestion->Text(), "");

  // The spinner is no edit box: Cut and Copy off, Select All as it was.
  main->mnuSelectAll->setEnabled(true);
  main->SpinQNum->setFocus();
  main->mnuEditClick();
  EXPECT_FALSE(main->mnuCut->isEnabled());
  EXPECT_FALSE(main->mnuCopy->isEnabled());
  EXPECT_TRUE(main->mnuSelectAll->isEnabled());
  fake.clipboard = "zzz";
  main->mnuPasteClick();  // nothing to paste into
  EXPECT_EQ(main->mmoQuestion->Text(), "");
}

TEST_F(MainWindowTest, UndoTakesBackTheLastEdit) {
  Type(Answer(2), "abc");
  Answer(2)->setFocus();
  main->spdUndo->click();
  EXPECT_NE(Answer(2)->Text(), "abc");
}

TEST_F(MainWindowTest, InsertMenuOffersPicturesAndLinksInTitleAndQuestionOnly) {
  main->mmoQuestion->setFocus();
  main->mnuInsertClick();
  EXPECT_TRUE(main->mnuPicture->menuAction()->isEnabled());
  EXPECT_TRUE(main->mnuLink->menuAction()->isEnabled());
  Answer(1)->setFocus();
  main->mnuInsertClick();
  EXPECT_FALSE(main->mnuPicture->menuAction()->isEnabled());
  EXPECT_FALSE(main->mnuLink->menuAction()->isEnabled());
  main->mmoTitle->setFocus();
  main->mnuInsertClick();
  EXPECT_TRUE(main->mnuLink->menuAction()->isEnabled());
}

TEST_F(MainWindowTest, PictureFromTheWebReplacesTheSelectionAndSetsTheWebFolder) {
  main->FFileName = files.File("quiz.aky");
  Type(main->mmoQuestion, "Look: HERE");
  main->mmoQuestion->setFocus();
  QTextCursor c = main->mmoQuestion->textCursor();
  c.movePosition(QTextCursor::End);
  c.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor, 4);
  main->mmoQuestion->setTextCursor(c);
  fake.Input("http://example.org/p.gif");
  main->mnuFromWebURLClick();
  const std::string text = main->mmoQuestion->Text();
  EXPECT_EQ(text.rfind("Look: <img", 0), 0u) << text;
  EXPECT_NE(text.find("http://example.org/p.gif"), std::string::npos);
  EXPECT_EQ(text.find("HERE"), std::string::npos);
  EXPECT_EQ(main->dlgSaveWeb.initialDir, files.Path());
}

TEST_F(MainWindowTest, CtrlAltKeysGoToTheMarkupShortcuts) {
  Type(main->mmoQuestion, "word");
  main->mmoQuestion->setFocus();
  main->mmoQuestion->SelectAll();
  Key(main->mmoQuestion, Qt::Key_B, Qt::ControlModifier | Qt::AltModifier);
  EXPECT_EQ(main->mmoQuestion->Text(), "<B>word</B>");
}

TEST_F(MainWindowTest, CtrlAltShiftROpensFindAndReplace) {
  Quiz({"cat and cat"});
  TfrmReplace::ModalHook = [](TfrmReplace& d) {
    d.editFind->SetText("cat");
    d.editReplace->SetText("dog");
    d.SetScopeIndex(0);
    d.btnOKClick();
  };
  main->mmoQuestion->setFocus();
  Key(main->mmoQuestion, Qt::Key_R, Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
  EXPECT_EQ(main->mmoQuestion->Text(), "dog and dog");
  EXPECT_EQ(fake.MessageTexts(), std::vector<std::string>{"2 replacements made."});
  EXPECT_TRUE(fake.messages[0].plain);
}

TEST_F(MainWindowTest, F1OpensTheWindowHelpAndMenusKeepTheirOwn) {
  main->mmoQuestion->setFocus();
  Key(main->mmoQuestion, Qt::Key_F1);
  EXPECT_EQ(fake.helpShown, std::vector<int>{14000});
  Key(main->mnuManageQuestions, Qt::Key_F1);
  Key(main->mnuPicture, Qt::Key_F1);
  EXPECT_EQ(fake.helpShown, (std::vector<int>{14000, 8500, 5500}));
}

}  // namespace
}  // namespace mainwin_test
