// The clue dialog as the teacher uses it: the words found and numbered, only
// the clue column typed into, links and pictures put in front of a clue,
// and the clues kept in the crossword when the dialog closes.
#include "gridel_fixture.h"

namespace gridel_test {
namespace {

class ClueDialogTest : public GridelTest {
 protected:
  void SetUp() override {
    GridelTest::SetUp();
    Letters({"CAT", "A..", "R.."});
  }
  std::vector<std::string> Row(TStringAlignGrid* g, int row) const {
    return {g->Cells(0, row), g->Cells(1, row), g->Cells(2, row)};
  }
  // The dialog on screen, as its event loop would have it.
  static void Show(TfrmAddClues& d) {
    d.show();
    QApplication::setActiveWindow(&d);
    QApplication::processEvents();
  }
  static void TypeInto(TStringAlignGrid* g, const QString& text) {
    g->setFocus();
    for (QChar ch : text) {
      QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : g;
      Key(target, ch.toUpper().unicode(), Qt::NoModifier, QString(ch));
      QApplication::processEvents();
    }
  }
};

TEST_F(ClueDialogTest, TheWordsAreListedNumberedAndOnlyTheClueColumnCanBeTyped) {
  main->FClues = {{"car", "Has four wheels"}};
  bool shown = false;
  clues->ModalHook = [&](TfrmAddClues& d) {
    Show(d);
    shown = true;
    EXPECT_EQ(Row(d.AcrossGrid, 0), (std::vector<std::string>{"Across", "Words", "Definitions"}));
    EXPECT_EQ(Row(d.DownGrid, 0), (std::vector<std::string>{"Down", "Words", "Definitions"}));
    EXPECT_EQ(Row(d.AcrossGrid, 1), (std::vector<std::string>{"1", "CAT", ""}));
    // The stored clue follows its word, whatever its letter case.
    EXPECT_EQ(Row(d.DownGrid, 1), (std::vector<std::string>{"1", "CAR", "Has four wheels"}));
    EXPECT_EQ(d.AcrossGrid->Cells(1, 2), "");

    EXPECT_FALSE(d.AcrossGrid->GetEditCell(0, 1));
    EXPECT_FALSE(d.AcrossGrid->GetEditCell(1, 1));
    EXPECT_TRUE(d.AcrossGrid->GetEditCell(2, 1));
    // The number and word columns cannot even be selected.
    d.AcrossGrid->FocusCell(1, 1, true);
    EXPECT_EQ(d.AcrossGrid->Col(), 2);

    d.AcrossGrid->FocusCell(2, 1, true);
    TypeInto(d.AcrossGrid, "Pet");
    d.btnOKClick();
  };
  main->btnAddCluesClick();
  ASSERT_TRUE(shown);
  EXPECT_EQ(Pairs(main->FClues), (PairList{{"CAT", "Pet"}, {"CAR", "Has four wheels"}}));
  EXPECT_TRUE(main->FAllCluesDone);
  EXPECT_TRUE(main->FChanged);
}

TEST_F(ClueDialogTest, AWordWithoutAClueLeavesTheCluesUndoneAndOldCluesGo) {
  main->FClues = {{"CAT", "Pet"}, {"DOG", "Barks"}};
  clues->ModalHook = [](TfrmAddClues& d) { d.btnOKClick(); };
  main->btnAddCluesClick();
  EXPECT_EQ(Pairs(main->FClues), (PairList{{"CAT", "Pet"}, {"CAR", ""}}));
  EXPECT_FALSE(main->FAllCluesDone);
}

TEST_F(ClueDialogTest, TheCluesFollowTheirWordsWhenTheGridIsShifted) {
  main->FClues = {{"CAT", "Pet"}, {"CAR", "Drives"}};
  main->spdDownClick();
  main->spdRightClick();
  clues->ModalHook = [this](TfrmAddClues& d) {
    EXPECT_EQ(Row(d.AcrossGrid, 1), (std::vector<std::string>{"1", "CAT", "Pet"}));
    EXPECT_EQ(Row(d.DownGrid, 1), (std::vector<std::string>{"1", "CAR", "Drives"}));
    d.btnOKClick();
  };
  main->btnAddCluesClick();
  EXPECT_TRUE(main->FAllCluesDone);
}

TEST_F(ClueDialogTest, InsertPutsThePictureInFrontOfTheRememberedClueAndNothingIntoAnEmptyRow) {
  main->FClues = {{"CAR", "Drives"}};
  clues->ModalHook = [this](TfrmAddClues& d) {
    Show(d);
    d.DownGrid->setFocus();
    d.DownGrid->FocusCell(2, 1, true);
    d.mnuInsertClick();
    EXPECT_TRUE(d.mnuPicture->isEnabled());
    fake.Input("http://example.com/car.png");
    d.mnuInsertWebPicClick();
    EXPECT_EQ(d.DownGrid->Cells(2, 1), "<img src=\"http://example.com/car.png\" alt=\"\">Drives");

    // A row without a word takes nothing: the text would be dropped on closing.
    d.DownGrid->FocusCell(2, 4, true);
    fake.Input("http://example.com/lost.png");
    d.mnuInsertWebPicClick();
    EXPECT_EQ(d.DownGrid->Cells(2, 4), "");

    // Focus on the OK button: the items are off and do nothing.
    d.btnOK->setFocus();
    d.mnuInsertClick();
    EXPECT_FALSE(d.mnuLink->isEnabled());
    d.btnOKClick();
  };
  main->btnAddCluesClick();
  EXPECT_EQ(main->FClues[1].clue, "<img src=\"http://example.com/car.png\" alt=\"\">Drives");

  // Generating the clues again forgets the remembered cell.
  EXPECT_EQ(clues->LastClueGrid, 2);
  main->GenerateClues();
  EXPECT_EQ(clues->LastClueGrid, 1);
  EXPECT_EQ(clues->LastClueRow, 1);
}

TEST_F(ClueDialogTest, AnEmptyGridShowsEmptyLists) {
  Letters({});
  main->FGrid.Clear();
  main->ShowGrid();
  clues->ModalHook = [this](TfrmAddClues& d) {
    EXPECT_EQ(Row(d.AcrossGrid, 1), (std::vector<std::string>{"", "", ""}));
    EXPECT_EQ(Row(d.DownGrid, 1), (std::vector<std::string>{"", "", ""}));
    d.btnOKClick();
  };
  main->btnAddCluesClick();
  EXPECT_TRUE(main->FClues.empty());
  EXPECT_TRUE(main->FAllCluesDone);
}

}  // namespace
}  // namespace gridel_test
