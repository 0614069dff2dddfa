// The main window's letter grid as the teacher uses it: typing, moving,
// emptying, shifting, resizing and the size setting kept between runs.
#include <QImage>
#include <QPushButton>
#include <QToolButton>
#include <cstdlib>
#include <iterator>
#include <new>

#include "gridel_fixture.h"

namespace gridel_test {
namespace {

using gridel::kDefaultGridSize;

TEST_F(GridelTest, TypedLettersFillTheCurrentCellUpperCasedAndMarkTheCrosswordChanged) {
  GoTo(2, 3);
  TypeOnGrid("a");
  EXPECT_EQ(main->Letter(2, 3), "A");
  EXPECT_EQ(main->CWGrid->Cells(2, 3), "A");
  EXPECT_TRUE(main->FChanged);
  // The current cell stays where it was: the next letter replaces this one.
  TypeOnGrid("<");
  EXPECT_EQ(main->Letter(2, 3), "[");
  EXPECT_EQ(main->CWGrid->Col(), 2);
  EXPECT_EQ(main->CWGrid->Row(), 3);
  TypeOnGrid(">");
  EXPECT_EQ(main->Letter(2, 3), "]");
  TypeOnGrid(QString::fromUtf8("é"));
  EXPECT_EQ(main->Letter(2, 3), "\xC9");
  // Sharp s has no capital of its own in the code page: it stays one letter.
  TypeOnGrid(QString::fromUtf8("ß"));
  EXPECT_EQ(main->Letter(2, 3), "\xDF");
  TypeOnGrid(" ");
  EXPECT_EQ(main->Letter(2, 3), "");
  TypeOnGrid("7");
  Key(main->CWGrid, Qt::Key_Backspace, Qt::NoModifier, "\b");
  EXPECT_EQ(main->Letter(2, 3), "");
}

TEST_F(GridelTest, ControlKeysChangeNothingAndALetterOfAnyLanguageIsTakenUpperCased) {
  GoTo(1, 1);
  TypeOnGrid("q");
  main->FChanged = false;
  Key(main->CWGrid, Qt::Key_Return, Qt::NoModifier, "\r");
  Key(main->CWGrid, Qt::Key_Escape, Qt::NoModifier, "\x1b");
  Key(main->CWGrid, Qt::Key_B, Qt::ControlModifier, "\x02");
  EXPECT_EQ(main->Letter(1, 1), "Q");
  EXPECT_FALSE(main->FChanged);
  // Kept as its character reference, shown as the letter.
  TypeOnGrid(QString::fromUtf8("ł"));
  EXPECT_EQ(main->Letter(1, 1), "&#321;");
  EXPECT_TRUE(main->FChanged);
  GoTo(2, 1);
  TypeOnGrid(QString::fromUtf8("я"));
  EXPECT_EQ(main->CWGrid->Cells(2, 1), "&#1071;");
  GoTo(3, 1);
  TypeOnGrid(QString::fromUtf8("中"));
  EXPECT_EQ(main->Letter(3, 1), "&#20013;");
}

TEST_F(GridelTest, ArrowsMoveTheCurrentCellAndDeleteEmptiesIt) {
  GoTo(0, 0);
  main->CWGrid->setFocus();
  Key(main->CWGrid, Qt::Key_Right);
  Key(main->CWGrid, Qt::Key_Right);
  Key(main->CWGrid, Qt::Key_Down);
  EXPECT_EQ(main->CWGrid->Col(), 2);
  EXPECT_EQ(main->CWGrid->Row(), 1);
  TypeOnGrid("x");
  Key(main->CWGrid, Qt::Key_Left);
  TypeOnGrid("w");
  EXPECT_EQ(Shown(1, 4), ".WX.");

  main->FChanged = false;
  Key(main->CWGrid, Qt::Key_Delete);
  EXPECT_EQ(Shown(1, 4), "..X.");
  EXPECT_TRUE(main->FChanged) << "Delete is a change like any other";
}

TEST_F(GridelTest, PasteAndCutThroughTheGridsKeysFollowTheCellRuleAndMarkTheChange) {
  GoTo(1, 0);
  fake.clipboard = "a\tbc\t\xDF\r\nd";
  main->CWGrid->setFocus();
  Key(main->CWGrid, Qt::Key_Insert, Qt::ShiftModifier);
  // "bc" is not one letter: its cell stays empty.
  EXPECT_EQ(Shown(0, 5), ".A.\xDF.");
  EXPECT_EQ(Shown(1, 5), ".D...");
  EXPECT_TRUE(main->FChanged);

  main->FChanged = false;
  Key(main->CWGrid, Qt::Key_Delete, Qt::ShiftModifier);
  EXPECT_EQ(fake.clipboard, "A");
  EXPECT_EQ(Shown(0, 5), "...\xDF.");
  EXPECT_TRUE(main->FChanged);
}

TEST_F(GridelTest, ShiftsAskBeforeLettersFallOffAndEveryShiftIsAChange) {
  Letters({"AB..", "C..."});
  // Nothing on the bottom edge: no question.
  main->spdDownClick();
  EXPECT_TRUE(fake.messages.empty());
  EXPECT_EQ(Shown(0, 3), "...");
  EXPECT_EQ(Shown(1, 3), "AB.");
  EXPECT_TRUE(main->FChanged);

  // Letters on the left edge: No and Cancel change nothing.
  main->FChanged = false;
  fake.Answer(ModalResult::No).Answer(ModalResult::Cancel);
  main->spdLeftClick();
  main->spdLeftClick();
  ASSERT_EQ(fake.messages.size(), 2u);
  EXPECT_EQ(fake.messages[0].text,
            "Some letters will be lost from the left of the grid. Do you still want to move the "
            "grid left?");
  EXPECT_EQ(fake.messages[0].type, MsgType::Confirmation);
  EXPECT_EQ(Shown(1, 3), "AB.");
  EXPECT_FALSE(main->FChanged);

  fake.Answer(ModalResult::Yes);
  main->spdLeftClick();
  EXPECT_EQ(Shown(1, 3), "B..");
  EXPECT_EQ(Shown(2, 3), "...");
  EXPECT_TRUE(main->FChanged);

  main->FChanged = false;
  main->spdUpClick();
  main->spdRightClick();
  EXPECT_EQ(Shown(0, 3), ".B.");
  EXPECT_TRUE(main->FChanged);
}

TEST_F(GridelTest, TheSizeDialogRefusesInItsOrderAndGrowingKeepsTheLetters) {
  main->FGrid.SetCell(9, 2, "Z");
  main->ShowGrid();
  fake.Input("abc").Input("101").Input("9").Input("3").Input("12");
  for (int i = 0; i < 4; ++i) fake.Answer(ModalResult::OK);
  main->mnuChangeGridSizeClick();
  main->mnuChangeGridSizeClick();
  main->mnuChangeGridSizeClick();
  main->mnuChangeGridSizeClick();
  ASSERT_EQ(fake.messages.size(), 4u);
  EXPECT_EQ(fake.messages[0].text, "Not a valid number.");
  EXPECT_EQ(fake.messages[1].text,
            "This is larger than the program can easily show. Please number less than 101.");
  EXPECT_EQ(fake.messages[2].text,
            "This is too small for your current crossword. You will lose data if you do this.");
  EXPECT_EQ(fake.messages[3].text,
            "This is too small for your current crossword. You will lose data if you do this.");
  EXPECT_EQ(main->FGridSize, kDefaultGridSize);
  EXPECT_EQ(fake.inputPrompts.front(), "Change grid size|Type a new size for your grid:|20");

  main->mnuChangeGridSizeClick();
  EXPECT_EQ(main->FGridSize, 12);
  EXPECT_EQ(main->CWGrid->ColCount(), 12);
  EXPECT_EQ(main->CWGrid->RowCount(), 12);
  EXPECT_EQ(main->CWGrid->Cells(9, 2), "Z");
  EXPECT_FALSE(main->FChanged) << "the size travels with the file but is no change of it";

  fake.CancelInput();
  main->mnuChangeGridSizeClick();
  EXPECT_EQ(main->FGridSize, 12);
}

TEST_F(GridelTest, ResizingLaysTheCellsOutAndATinyWindowStillHasCellsOfOnePixel) {
  main->resize(900, 700);
  QApplication::processEvents();
  const int big = main->CWGrid->ColWidths(0);
  const int bigLetters = main->CWGrid->Font().Height();
  EXPECT_GT(big, 20);
  EXPECT_EQ(main->CWGrid->RowHeights(5), big);
  // Every cell fits inside the grid control.
  EXPECT_LE(kDefaultGridSize * big, main->CWGrid->width());
  EXPECT_LE(kDefaultGridSize * big, main->CWGrid->height());

  main->setMinimumSize(0, 0);
  main->FormResize(100, 50);
  EXPECT_EQ(main->CWGrid->width(), 0);
  EXPECT_EQ(main->CWGrid->height(), 0);
  EXPECT_EQ(main->CWGrid->ColWidths(0), 1);
  EXPECT_GE(main->CWGrid->Font().Height(), 1);
  EXPECT_LT(main->CWGrid->Font().Height(), bigLetters) << "the letters shrink with the cells";
}

// The first and last rows of a square that hold ink: pixels far from the
// square's own background.
struct InkRows {
  int top = -1;
  int bottom = -1;
};
InkRows InkIn(const QImage& image, const QRect& square) {
  const int background = qGray(image.pixel(square.left() + 1, square.top() + 1));
  InkRows ink;
  for (int y = square.top(); y <= square.bottom(); ++y)
    for (int x = square.left(); x <= square.right(); ++x)
      if (std::abs(qGray(image.pixel(x, y)) - background) > 40) {
        if (ink.top < 0) ink.top = y;
        ink.bottom = y;
        break;
      }
  return ink;
}

TEST_F(GridelTest, AccentedCapitalsAreDrawnWholeInTheirSquaresLargeAndSmall) {
  // Letters with their accents or marks beside the same letters without.
  struct Pair {
    const char* marked;
    const char* plain;
    bool above;  // else below
  };
  const Pair pairs[] = {{"\xC9", "E", true},     {"\xD3", "O", true},     {"&#377;", "Z", true},
                        {"\xC5", "A", true},     {"&#268;", "C", true},    {"\xC7", "C", false},
                        {"&#260;", "A", false}, {"&#280;", "E", false}};
  // The window as it opens, and the smallest the program lets it become
  // with a grid of ten.
  for (const bool smallest : {false, true}) {
    SCOPED_TRACE(smallest ? "smallest" : "default");
    if (smallest) {
      fake.Input("10");
      main->mnuChangeGridSizeClick();
      main->resize(1, 1);
      QApplication::processEvents();
    }
    int col = 0;
    for (const Pair& p : pairs) {
      main->FGrid.SetCell(col, 1, p.marked);
      main->FGrid.SetCell(col++, 2, p.plain);
    }
    main->ShowGrid();
    GoTo(0, 3);  // the current square is drawn in other colours
    const QImage image = main->CWGrid->grab().toImage();
    const int side = main->CWGrid->ColWidths(0);
    EXPECT_GE(side, smallest ? 12 : 17);
    for (int i = 0; i < static_cast<int>(std::size(pairs)); ++i) {
      SCOPED_TRACE(pairs[i].marked);
      // Ink can only lie where the text may go; ink on its first or last
      // row would be an accent or a tail cut off there.
      const QRect room = main->CWGrid->CellRect(i, 1).adjusted(1, 1, -1, -1);
      const int down = main->CWGrid->CellRect(i, 2).top() - room.top() + 1;
      const InkRows marked = InkIn(image, room);
      InkRows plain = InkIn(image, main->CWGrid->CellRect(i, 2).adjusted(1, 1, -1, -1));
      ASSERT_GE(marked.top, 0);
      ASSERT_GE(plain.top, 0);
      plain.top -= down;  // in the marked letter's rows
      plain.bottom -= down;
      EXPECT_GT(marked.top, room.top());
      EXPECT_LT(marked.bottom, room.bottom());
      if (pairs[i].above) {
        EXPECT_LT(marked.top, plain.top) << "the accent shows above the letter";
        EXPECT_EQ(marked.bottom, plain.bottom);
      } else {
        EXPECT_GT(marked.bottom, plain.bottom) << "the mark shows below the letter";
        EXPECT_EQ(marked.top, plain.top);
      }
    }
  }
}

TEST_F(GridelTest, NewEmptiesTheCrosswordAndKeepsTheGridSize) {
  fake.Input("8");
  main->mnuChangeGridSizeClick();
  Letters({"HI"});
  main->mmoTitle->SetText("Greetings");
  main->FClues = {{"HI", "A greeting"}};
  fake.Answer(ModalResult::No);
  main->FChanged = true;
  main->spdNewClick();
  EXPECT_TRUE(main->NoLetters());
  EXPECT_EQ(Shown(0, 2), "..");
  EXPECT_TRUE(main->FClues.empty());
  EXPECT_EQ(main->mmoTitle->Text(), "");
  EXPECT_EQ(main->FGridSize, 8);
  EXPECT_FALSE(main->FChanged);
  EXPECT_EQ(main->windowTitle().toStdString(), "Gridel: [Untitled]");
}

TEST_F(GridelTest, TheEditAndInsertMenusActOnTheTitleOnly) {
  main->CWGrid->setFocus();
  main->mnuInsertClick();
  EXPECT_FALSE(main->mnuPicture->isEnabled());
  EXPECT_FALSE(main->mnuLink->isEnabled());
  main->mnuEditClick();
  EXPECT_FALSE(main->mnuPaste->isEnabled());
  EXPECT_FALSE(main->mnuUndo->isEnabled());

  main->mmoTitle->setFocus();
  main->mnuInsertClick();
  EXPECT_TRUE(main->mnuPicture->isEnabled());
  fake.Input("http://example.com/a.png");
  main->mnuInsertWebPicClick();
  EXPECT_EQ(main->mmoTitle->Text(), "<img src=\"http://example.com/a.png\" alt=\"\">");
  EXPECT_TRUE(main->FChanged);

  // A link dialog left with Cancel inserts nothing and keeps the selected text.
  main->mmoTitle->SetText("Planets");
  main->mmoTitle->selectAll();
  link->ModalHook = [](TfrmInsertLink& f) {
    f.btnCancel->click();
    return f.result();
  };
  main->mnuToURLClick();
  EXPECT_EQ(main->mmoTitle->Text(), "Planets");
}

// --- The grid size kept in the settings ------------------------------------------

class StoredSizeTest : public GridelTest, public ::testing::WithParamInterface<std::pair<std::string, int>> {
 protected:
  void BeforeCreation() override {
    tavrel::TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Software\\Corvane\\Tavrel\\Gridel\\Config", true));
    reg.WriteString("MaxGridSize", GetParam().first);
  }
};

TEST_P(StoredSizeTest, OnlyAWholeNumberFromOneToAHundredIsUsed) {
  EXPECT_EQ(main->FGridSize, GetParam().second);
  EXPECT_EQ(main->CWGrid->ColCount(), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Values, StoredSizeTest,
                         ::testing::Values(std::make_pair(std::string("15"), 15),
                                           std::make_pair(std::string("4"), 4),
                                           std::make_pair(std::string("3"), 3),
                                           std::make_pair(std::string("1"), 1),
                                           std::make_pair(std::string("100"), 100),
                                           std::make_pair(std::string("0"), kDefaultGridSize),
                                           std::make_pair(std::string("-3"), kDefaultGridSize),
                                           std::make_pair(std::string("101"), kDefaultGridSize),
                                           std::make_pair(std::string("12x"), kDefaultGridSize)));

class TinyStoredSizeTest : public GridelTest {
 protected:
  void BeforeCreation() override {
    tavrel::TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Software\\Corvane\\Tavrel\\Gridel\\Config", true));
    reg.WriteString("MaxGridSize", "2");
  }
};

TEST_F(TinyStoredSizeTest, AGridOfTwoTakesLettersKeepsTheSizeDialogsRulesAndExports) {
  ASSERT_EQ(main->FGridSize, 2);
  GoTo(0, 0);
  TypeOnGrid("o");
  GoTo(1, 0);
  TypeOnGrid("x");
  EXPECT_EQ(Shown(0, 2), "OX");
  // The letters of such large cells are drawn from the top and still fit.
  main->resize(900, 700);
  QApplication::processEvents();
  EXPECT_GT(main->CWGrid->RowHeights(0), 200);
  EXPECT_LE(QFontMetrics(TStringGrid::ToQFont(main->CWGrid->Font())).height(), main->CWGrid->RowHeights(0) - 4);
  fake.Input("3").Answer(ModalResult::OK);
  main->mnuChangeGridSizeClick();
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].text,
            "This is too small to make a useful crossword. You need a grid at least 4 X 4.");
  EXPECT_EQ(fake.inputPrompts.front(), "Change grid size|Type a new size for your grid:|2");
  EXPECT_EQ(main->FGridSize, 2);

  main->FClues = {{"OX", "An animal"}};
  fake.ChooseSave(files.File("ox.htm")).Answer(ModalResult::No);
  main->spdToDHTMLClick();
  const std::string page = files.Read("ox.htm");
  EXPECT_NE(page.find("WinLetters[1] = 'X';"), std::string::npos);
  EXPECT_NE(page.find("An animal"), std::string::npos);
}

TEST_F(GridelTest, ClosingAnUnchangedCrosswordAsksNothingAndStoresTheGridSize) {
  fake.Input("30");
  main->mnuChangeGridSizeClick();
  main->close();
  EXPECT_TRUE(fake.messages.empty());
  tavrel::TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("Software\\Corvane\\Tavrel\\Gridel\\Config", false));
  EXPECT_EQ(reg.ReadString("MaxGridSize"), "30");
}

TEST_F(GridelTest, ClosingAChangedCrosswordAsksAndCancelKeepsTheWindowOpen) {
  GoTo(0, 0);
  TypeOnGrid("k");
  fake.Answer(ModalResult::Cancel);
  main->close();
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].text.rfind("The crossword ", 0), 0u)
      << fake.messages[0].text;
  EXPECT_TRUE(main->isVisible());
}


// Every button wired to a handler that can fail runs it as a command: one
// that runs out of memory (at its question, or as the clue window opens) is
// reported, changes nothing, and the program goes on.
TEST_F(GridelTest, ButtonsReportACommandThatRunsOutOfMemoryAndTheProgramGoesOn) {
  const int last = kDefaultGridSize - 1;
  clues->ModalHook = [](TfrmAddClues&) { throw std::bad_alloc(); };
  struct Case {
    const char* name;
    QAbstractButton* button;
    bool atQuestion;  // else the clue window fails to open
  };
  for (const Case& c : {Case{"spdUp", main->spdUp, true}, Case{"spdDown", main->spdDown, true},
                        Case{"spdLeft", main->spdLeft, true},
                        Case{"spdRight", main->spdRight, true},
                        Case{"btnAddClues", main->btnAddClues, false},
                        Case{"config OK", config->btnAccept, true}}) {
    SCOPED_TRACE(c.name);
    fake.ClearRecords();
    Letters({"AB", "C."});  // letters on the top and left edges
    main->FGrid.SetCell(last, last, "Z");  // and on the bottom and right ones
    main->ShowGrid();
    config->ConfigChanged = true;  // OK asks whether to save it
    if (c.atQuestion) fake.RunOutOfMemory();
    fake.Answer(ModalResult::OK);
    c.button->click();
    ASSERT_FALSE(fake.messages.empty());
    EXPECT_EQ(fake.messages.back().text, "There is not enough memory to finish this command.");
    EXPECT_EQ(Shown(0, 3) + Shown(1, 3), "AB.C..");
    EXPECT_EQ(main->Letter(last, last), "Z");
  }
  clues->ModalHook = nullptr;
  EXPECT_TRUE(main->isVisible());
}

}  // namespace
}  // namespace gridel_test
