// The matching main window's rows, keys, item commands, find and replace,
// the copy for printing and New.
#include <QGroupBox>
#include <QPushButton>
#include <QToolButton>
#include <QStatusBar>
#include <functional>
#include <initializer_list>

#include "pairo_fixture.h"
#include "support/ResourceLimits.h"

using namespace pairo_test;

TEST_F(PairoWindows, EditingStashWritesAllFiveRowsAndTheViewMovesByOnePair) {
  main->mmoNumA[1]->SetText("dog");
  main->mmoNumB[1]->SetText("chien");
  main->chkNumFix[2]->setChecked(true);
  EXPECT_TRUE(main->FChanged);

  main->btnUpClick();
  // Every row was written back, the empty ones too.
  EXPECT_EQ(List().Count(), 5);
  EXPECT_EQ(List().GetQuestionText(1), "dog");
  EXPECT_EQ(List().GetQuestionExtra(1), "chien");
  EXPECT_TRUE(List().GetQuestionFlag(2));
  EXPECT_EQ(main->FTopItem, 2);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"2:/*", "3:/", "4:/", "5:/", "6:/"}));
  EXPECT_EQ(QApplication::focusWidget(), main->mmoNumA[5]);

  main->btnDownClick();
  EXPECT_EQ(Rows()[0], "1:dog/chien");
  EXPECT_EQ(Rows()[1], "2:/*");
}

TEST_F(PairoWindows, EditingPageKeysMoveTheViewAndStopAtTheFirstPair) {
  Pairs(12);
  Key(main->mmoNumA[1], Qt::Key_PageDown);
  EXPECT_EQ(main->FTopItem, 1);
  EXPECT_EQ(Rows()[0], "1:L1/R1");

  for (int i = 0; i < 5; ++i) Key(main->mmoNumA[1], Qt::Key_PageUp);
  EXPECT_EQ(main->FTopItem, 6);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"6:L6/R6", "7:L7/R7", "8:L8/R8", "9:L9/R9",
                                              "10:L10/R10"}));
  // Beyond the end the rows read as empty.
  for (int i = 0; i < 5; ++i) Key(main->chkNumFix[1], Qt::Key_PageUp);
  EXPECT_EQ(Rows()[2], "13:/");

  for (int i = 0; i < 20; ++i) Key(main->mmoNumB[3], Qt::Key_PageDown);
  EXPECT_EQ(main->FTopItem, 1);
  EXPECT_EQ(Rows()[4], "5:L5/R5");
}

TEST_F(PairoWindows, EditingFixTicksAndShownPairsTravelWithTheirPairs) {
  Pairs(6);
  List().SetQuestionFlag(6, true);
  main->chkNumFix[3]->click();
  EXPECT_TRUE(main->FChanged);
  main->btnUpClick();
  EXPECT_EQ(Rows()[1], "3:L3/R3*");
  EXPECT_EQ(Rows()[4], "6:L6/R6*");
  main->chkNumFix[2]->click();  // pair 3 no longer fixed
  main->btnDownClick();
  EXPECT_FALSE(List().GetQuestionFlag(3));
  EXPECT_EQ(Rows()[2], "3:L3/R3");
}

TEST_F(PairoWindows, EditingRightItemsKeepAngleBracketsAndPastedLineBreaksBecomeBlanks) {
  main->mmoNumB[1]->setFocus();
  fake.clipboard = "one\r\ntwo <b>three</b>";
  main->mnuPasteClick();
  main->mmoNumA[1]->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(main->mmoNumB[1]->Text(), "one two <b>three</b>");
  EXPECT_TRUE(fake.messages.empty());
  // The title is one line too; left items take line breaks.
  main->mmoTitle->setFocus();
  main->mnuPasteClick();
  EXPECT_EQ(main->mmoTitle->Text(), "one two <b>three</b>");
  main->mmoNumA[2]->setFocus();
  main->mnuPasteClick();
  EXPECT_EQ(main->mmoNumA[2]->Text(), "one\r\ntwo <b>three</b>");
}

TEST_F(PairoWindows, NewKeepsTheDefaultRightItemAndEmptiesTheRest) {
  Pairs(8);
  main->btnUpClick();
  main->mmoTitle->SetText("Animals");
  main->mmoDefault->SetText("Choose...");
  main->FFileName = dir.File("old.pry");
  main->FChanged = false;

  main->spdNewClick();
  EXPECT_EQ(List().Count(), 0);
  EXPECT_EQ(main->FTopItem, 1);
  EXPECT_EQ(Rows()[0], "1:/");
  EXPECT_EQ(main->mmoTitle->Text(), "");
  EXPECT_EQ(main->mmoDefault->Text(), "Choose...");
  EXPECT_EQ(main->FFileName, "");
  EXPECT_FALSE(main->FChanged);
  EXPECT_EQ(main->windowTitle().toStdString(), "Pairo: [Untitled]");
}

TEST_F(PairoWindows, NewAsksFirstAndCancelKeepsEverything) {
  Pairs(2);
  main->mmoNumA[1]->SetText("changed");
  fake.Answer(ModalResult::Cancel);
  main->spdNewClick();
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].text,
            "The exercise  has changed.\r\rDo you want to save the changes?");
  EXPECT_EQ(main->mmoNumA[1]->Text(), "changed");
}

TEST_F(PairoWindows, PrintCopyJumblesEveryRightItemAndListsTheKey) {
  Pairs(3);
  List().SetQuestionFlag(2, true);  // fixed pairs are jumbled here too
  main->mmoTitle->SetText("Capitals");
  // Typed and not yet stored: still printed.
  main->mmoNumB[3]->SetText("R3!");
  random = pairo::testing::ScriptedRandom({2, 0, 1});

  fake.Answer(ModalResult::OK);
  main->mnuExportForPrintingClick();
  EXPECT_EQ(fake.clipboard,
            "Capitals\r\n\r\n"
            "L1\t\t\tR2\r\nL2\t\t\tR1\r\nL3\t\t\tR3!\r\n"
            "\r\n\r\n----------Key----------\r\n\r\n"
            "L1\t\t\tR1\r\nL2\t\t\tR2\r\nL3\t\t\tR3!\r\n");
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].text,
            "A copy of the exercise has been placed on the clipboard for pasting into a "
            "word-processor.");
  EXPECT_EQ(fake.messages[0].type, MsgType::Information);
  // Rows stashed empty were removed, not printed.
  EXPECT_EQ(List().Count(), 3);
  EXPECT_FALSE(fake.busy);
}

TEST_F(PairoWindows, PrintCopyOfAnEmptyExerciseDoesNothing) {
  fake.clipboard = "before";
  main->mnuExportForPrintingClick();
  EXPECT_EQ(fake.clipboard, "before");
  EXPECT_TRUE(fake.messages.empty());
  EXPECT_FALSE(fake.busy);
}

TEST_F(PairoWindows, ItemCommandDeleteAsksAndRemovesThePair) {
  Pairs(6);
  NumberDialog("2");
  fake.Answer(ModalResult::OK);
  main->mnuDeleteItemClick();
  EXPECT_EQ(fake.messages.back().text, "Are you sure you want to delete item number 2?");
  EXPECT_EQ(fake.messages.back().defaultButton, tavrel::mbCancel);
  EXPECT_EQ(Rows()[1], "2:L3/R3");

  NumberDialog("1");
  fake.Answer(ModalResult::Cancel);
  main->mnuDeleteItemClick();
  EXPECT_EQ(Rows()[0], "1:L1/R1");

  NumberDialog("1", "", false);
  main->mnuDeleteItemClick();
  EXPECT_EQ(Rows()[0], "1:L1/R1");
}

TEST_F(PairoWindows, ItemCommandInsertBringsTheNewPairIntoView) {
  Pairs(14);
  NumberDialog("12");
  main->mnuInsertItemClick();
  EXPECT_EQ(main->FTopItem, 8);
  EXPECT_EQ(Rows()[4], "12:/");
  EXPECT_EQ(Rows()[3], "11:L11/R11");
  EXPECT_EQ(List().GetQuestionText(13), "L12");
  // Inserting within view leaves the view.
  NumberDialog("9");
  main->mnuInsertItemClick();
  EXPECT_EQ(main->FTopItem, 8);
  EXPECT_EQ(Rows()[1], "9:/");
}

TEST_F(PairoWindows, ItemCommandMoveShowsTheMovedPairFirstAndGrowsTheList) {
  Pairs(10);
  NumberDialog("9", "3");
  main->mnuMoveItemClick();
  EXPECT_EQ(main->FTopItem, 3);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"3:L9/R9", "4:L3/R3", "5:L4/R4", "6:L5/R5",
                                              "7:L6/R6"}));
  EXPECT_EQ(QApplication::focusWidget(), main->mmoNumA[1]);

  // A target the dialog accepts but the list does not hold yet.
  NumberDialog("1", "40");
  main->mnuMoveItemClick();
  EXPECT_EQ(List().Count(), 40);
  EXPECT_EQ(List().GetQuestionText(40), "L1");
  EXPECT_EQ(List().GetQuestionText(1), "L2");
  EXPECT_EQ(Rows()[0], "40:L1/R1");

  // Cancel: both numbers 0, nothing moves.
  main->StashItems();
  const auto before = LeftItems();
  NumberDialog("2", "5", false);
  main->mnuMoveItemClick();
  EXPECT_EQ(LeftItems(), before);
}

TEST_F(PairoWindows, ItemCommandShuffleRemovesEmptyPairsFirstAfterAsking) {
  Pairs(4);
  List().SetQuestionText(2, "");
  List().SetQuestionExtra(2, "");
  main->ShowItems(1);
  fake.Answer(ModalResult::No);
  main->mnuShuffleClick();
  EXPECT_EQ(List().Count(), 5);  // the stash wrote five rows; nothing else happened
  EXPECT_EQ(fake.messages.back().text,
            "This will shuffle the order of all the items in your exercise. Are you sure you "
            "want to continue?");

  random = pairo::testing::ScriptedRandom({0, 0, 0});
  fake.Answer(ModalResult::Yes);
  main->mnuShuffleClick();
  ASSERT_EQ(List().Count(), 3);
  std::vector<std::string> left = LeftItems();
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"L1", "L3", "L4"}));
  EXPECT_EQ(Rows()[0], "1:" + List().GetQuestionText(1) + "/" + List().GetQuestionExtra(1));
  EXPECT_EQ(Rows()[3], "4:/");
}

TEST_F(PairoWindows, FindAndReplaceWorksOnAllPairsWithoutAScopeChoice) {
  Pairs(7);
  main->mmoNumB[2]->SetText("R2 and R2");
  bool scopeShown = true;
  TfrmReplace::ModalHook = [&scopeShown](TfrmReplace& r) {
    scopeShown = r.rgScope->isVisible();
    r.editFind->SetText("R");
    r.editReplace->SetText("Right ");
    r.btnOKClick();
  };
  Key(main->mmoNumA[1], Qt::Key_R, Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
  EXPECT_FALSE(scopeShown);
  ASSERT_FALSE(fake.messages.empty());
  EXPECT_TRUE(fake.messages.back().plain);
  EXPECT_EQ(fake.messages.back().text, "8 replacements made.");
  EXPECT_EQ(List().GetQuestionExtra(7), "Right 7");
  EXPECT_EQ(Rows()[1], "2:L2/Right 2 and Right 2");

  TfrmReplace::ModalHook = [](TfrmReplace& r) { r.btnCancelClick(); };
  const size_t shown = fake.messages.size();
  main->FindAndReplace();
  EXPECT_EQ(fake.messages.size(), shown);
}

TEST_F(PairoWindows, OutlineReorderedPairsAreShownAfreshNotStashedOver) {
  Pairs(3);
  TfrmArrange::ModalHook = [this](TfrmArrange&) { List().Move(0, 2); };
  main->mnuViewOutlineClick();
  EXPECT_EQ(Rows()[0], "1:L2/R2");
  main->btnUpClick();
  EXPECT_EQ(LeftItems()[0], "L2");
  EXPECT_EQ(LeftItems()[2], "L1");
}

TEST_F(PairoWindows, WindowKeepsItsSmallestClientAreaAndPanelWidths) {
  main->resize(300, 200);
  QApplication::processEvents();
  EXPECT_GE(main->centralWidget()->width(), 500);
  EXPECT_GE(main->centralWidget()->height(), 410);
  EXPECT_EQ(main->StatusPanelText(1).rfind("Config: ", 0), 0u);
  EXPECT_EQ(main->windowTitle().left(7), "Pairo: ");
}

TEST_F(PairoWindows, HelpKeyAndEditMenuFollowTheFocusedBox) {
  Key(main->mmoNumB[2], Qt::Key_F1);
  ASSERT_EQ(fake.helpShown.size(), 1u);
  EXPECT_EQ(fake.helpShown[0], 21500);

  main->mmoNumA[1]->SetText("left");
  main->mmoNumA[1]->setFocus();
  QApplication::processEvents();
  main->mnuEditClick();
  EXPECT_TRUE(main->mnuUndo->isEnabled());
  EXPECT_TRUE(main->mnuSelectAll->isEnabled());
  EXPECT_FALSE(main->mnuCut->isEnabled());
  EXPECT_FALSE(main->mnuDelete->isEnabled());
  main->mnuSelectAllClick();
  main->mnuEditClick();
  EXPECT_TRUE(main->mnuDelete->isEnabled());
  main->mnuDeleteClick();
  EXPECT_EQ(main->mmoNumA[1]->Text(), "");

  main->chkNumFix[1]->setFocus();
  QApplication::processEvents();
  main->mnuEditClick();
  EXPECT_FALSE(main->mnuUndo->isEnabled());
  EXPECT_FALSE(main->mnuPaste->isEnabled());
}

// Every button wired to a handler that can fail runs it as a command: one
// that runs out of memory (at its question, or, with memory really short,
// showing a pair too large to copy) is reported, and the program goes on.
TEST_F(PairoWindows, ButtonsReportACommandThatRunsOutOfMemoryAndTheProgramGoesOn) {
  const std::string big(32 << 20, 'x');
  struct Case {
    const char* name;
    std::function<void()> arrange;
    QAbstractButton* button;
    bool memoryShort;  // else the command runs out of memory at its question
  };
  for (const Case& c : std::initializer_list<Case>{
           {"btnUp", [&] { List().SetQuestionText(6, big); }, main->btnUp, true},  // shown next
           {"btnDown",
            [&] {
              List().SetQuestionText(6, "");
              main->FTopItem = 2;
              main->ShowItems(2);
              List().SetQuestionText(1, big);  // shown next
            },
            main->btnDown, true},
           {"config OK", [&] { config->ConfigChanged = true; }, config->btnAccept, false}}) {
    SCOPED_TRACE(c.name);
    c.arrange();
    tavrel::testing::ExpectOutOfMemoryReported(fake, [&] { c.button->click(); }, c.memoryShort);
  }
  EXPECT_TRUE(main->isVisible());
}
