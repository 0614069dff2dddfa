// The grid widgets offscreen: the base behaviour the aligned grid rests on,
// the editing hand-over and its events, the keys, mouse clicks and the
// clipboard through the scripted platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <string>
#include <vector>

#include "aligrid/widget/AlignGrid.h"
#include "support/FakePlatform.h"

namespace {

using tavrel::testing::FakePlatform;

// Lets the queued hand-over calls run.
void Settle() {
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

struct GridTest : ::testing::Test {
  FakePlatform fake;
  TStringAlignGrid grid;
  std::vector<std::string> events;

  void SetUp() override {
    grid.resize(400, 200);
    grid.SetOptions(grid.Options() | goEditing | goTabs);
    grid.show();
    grid.activateWindow();
    grid.setFocus();
    QApplication::processEvents();
    auto cell = [](int c, int r) { return "(" + std::to_string(c) + "," + std::to_string(r) + ")"; };
    grid.OnBeforeEdit = [&, cell](TStringAlignGrid*, int c, int r) { events.push_back("before" + cell(c, r)); };
    grid.OnAfterEdit = [&, cell](TStringAlignGrid*, int c, int r) { events.push_back("after" + cell(c, r)); };
    grid.OnCancelEdit = [&, cell](TStringAlignGrid*, int c, int r) { events.push_back("cancel" + cell(c, r)); };
    grid.OnValidateEdit = [&, cell](TStringAlignGrid*, int c, int r, bool&) {
      events.push_back("validate" + cell(c, r));
    };
  }
  QWidget* Target() {
    TInplaceEdit* ed = grid.InplaceEditor();
    return ed && ed->isVisible() ? static_cast<QWidget*>(ed) : &grid;
  }
  void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(Target(), static_cast<Qt::Key>(key), mods);
    Settle();
  }
  void Type(const char* text) {
    for (const char* p = text; *p; ++p) {
      QTest::keyClick(Target(), *p);
      Settle();
    }
  }
  bool EditorOpen() { return grid.InplaceEditor() && grid.InplaceEditor()->isVisible(); }
  void Click(int col, int row) {
    const QRect r = grid.CellRect(col, row);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
    Settle();
  }
};

TEST_F(GridTest, TypingOpensTheEditorWhichWritesTheCellAndEnterClosesIt) {
  Type("Ab");
  EXPECT_TRUE(EditorOpen());
  EXPECT_EQ(grid.Cells(1, 1), "Ab");
  Key(Qt::Key_Return);
  EXPECT_FALSE(EditorOpen());
  EXPECT_EQ(events, (std::vector<std::string>{"before(1,1)", "validate(1,1)", "after(1,1)"}));
  Key(Qt::Key_F2);  // F2 opens it again with the text
  EXPECT_TRUE(EditorOpen());
  EXPECT_EQ(grid.InplaceEditor()->Text(), "Ab");
  Key(Qt::Key_Down);  // Down in the editor moves the focus cell and commits
  EXPECT_FALSE(EditorOpen());
  EXPECT_EQ(grid.Row(), 2);
  EXPECT_EQ(events.back(), "after(1,1)");
  EXPECT_EQ(events.size(), 6u);
}

TEST_F(GridTest, EditingEventsComeInTheirOrderWithAutoEditNextCell) {
  grid.AutoEditNextCell = true;
  grid.OnBeforeEdit = [&](TStringAlignGrid* g, int c, int r) {
    events.push_back("before");
    g->SetCells(c, r, "pre");  // the editor shows what OnBeforeEdit left
  };
  Type("x");
  EXPECT_EQ(grid.Cells(1, 1), "x");  // the typed letter replaced the selected text
  Key(Qt::Key_Return);
  EXPECT_EQ(events, (std::vector<std::string>{"before", "validate(1,1)", "after(1,1)", "before"}));
  EXPECT_EQ(grid.Col(), 2);
  EXPECT_TRUE(EditorOpen());
  EXPECT_EQ(grid.InplaceEditor()->Text(), "pre");

  // Escape restores the text the cell had after OnBeforeEdit and cancels.
  grid.InplaceEditor()->SetText("changed");
  Key(Qt::Key_Escape);
  EXPECT_EQ(grid.Cells(2, 1), "pre");
  EXPECT_EQ(events.back(), "cancel(2,1)");
  EXPECT_FALSE(EditorOpen());
  Click(3, 2);  // a cancelled edit is not committed later
  EXPECT_EQ(events.back(), "cancel(2,1)");
}

TEST_F(GridTest, ARefusedEditKeepsTheUserInTheCell) {
  grid.OnValidateEdit = [&](TStringAlignGrid*, int c, int r, bool& ok) {
    events.push_back("validate");
    ok = !grid.Cells(c, r).empty() || c != 1;
  };
  Key(Qt::Key_F2);
  Key(Qt::Key_Return);  // empty: refused
  EXPECT_EQ(grid.Col(), 1);
  EXPECT_TRUE(EditorOpen());
  EXPECT_TRUE(grid.Editing());
  EXPECT_EQ(std::count(events.begin(), events.end(), "after(1,1)"), 0);

  Click(2, 2);  // leaving by mouse: refused again, back to (1, 1)
  EXPECT_EQ(grid.Col(), 1);
  EXPECT_EQ(grid.Row(), 1);
  EXPECT_TRUE(EditorOpen());
  Type("ok");
  Click(2, 2);  // accepted: the commit comes after the move
  EXPECT_EQ(grid.Col(), 2);
  EXPECT_EQ(events.back(), "after(1,1)");
}

TEST_F(GridTest, TwoCellsThatBothRefuseDoNotPassTheFocusToAndFro) {
  grid.SetOptions(grid.Options() | goAlwaysShowEditor);
  int validations = 0;
  grid.OnValidateEdit = [&](TStringAlignGrid*, int, int, bool& ok) {
    ++validations;
    ok = false;
  };
  Settle();
  Click(2, 1);
  Settle();
  EXPECT_LE(validations, 2);
  EXPECT_EQ(grid.Col(), 1);
  EXPECT_TRUE(EditorOpen());
}

TEST_F(GridTest, SelectCellVetoHoldsForMouseKeysTabAndAssignment) {
  grid.OnSelectCell = [](TStringGrid*, int c, int, bool& can) { can = c != 2; };
  Click(2, 1);
  EXPECT_EQ(grid.Col(), 1);
  Key(Qt::Key_Right);
  EXPECT_EQ(grid.Col(), 1);
  Key(Qt::Key_Tab);
  EXPECT_EQ(grid.Col(), 1);
  grid.SetCol(2);
  EXPECT_EQ(grid.Col(), 1);
  grid.SetCol(4);
  EXPECT_EQ(grid.Col(), 4);
  Key(Qt::Key_Tab);  // last cell of the row: to the next row
  EXPECT_EQ(grid.Col(), 1);
  EXPECT_EQ(grid.Row(), 2);
  Key(Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(grid.Col(), 4);
  EXPECT_EQ(grid.Row(), 1);
}

TEST_F(GridTest, OnlyTheEditableColumnOpensTheEditorOtherKeysReachKeyPress) {
  grid.SetEditable(false);
  grid.SetEditCol(2, true);
  std::string pressed;
  grid.OnKeyPress = [&](TStringGrid*, char& k) { pressed += k; };
  Type("q");
  EXPECT_FALSE(EditorOpen());
  EXPECT_EQ(pressed, "q");
  EXPECT_EQ(grid.Cells(1, 1), "");
  grid.SetCol(2);
  Type("w");
  EXPECT_TRUE(EditorOpen());
  EXPECT_EQ(grid.Cells(2, 1), "w");
}

TEST_F(GridTest, ALetterOutsideTheCodePageIsStoredAsACharacterReference) {
  std::string seen;
  grid.SetEditable(false);
  grid.OnKeyPress = [&](TStringGrid* g, char& k) { seen = std::string(1, k) + "|" + g->KeyText(); };
  QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(0x141)));
  QApplication::sendEvent(&grid, &press);
  Settle();
  EXPECT_EQ(seen, "&|&#321;");
  grid.SetEditable(true);
  QKeyEvent again(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(0x141)));
  QApplication::sendEvent(&grid, &again);
  Settle();
  EXPECT_EQ(grid.Cells(1, 1), "&#321;");
  EXPECT_EQ(grid.InplaceEditor()->toPlainText(), QString(QChar(0x141)));
}

TEST_F(GridTest, MultilineEditKeepsEnterAndArrowsInTheText) {
  grid.EditMultiline = true;
  Type("a");
  Key(Qt::Key_Return);
  Type("b");
  Key(Qt::Key_Up);
  EXPECT_EQ(grid.Row(), 1);
  EXPECT_EQ(grid.Cells(1, 1), "a\r\nb");
  EXPECT_TRUE(EditorOpen());
}

TEST_F(GridTest, ClipboardKeysGoThroughThePlatform) {
  grid.SetCells(1, 1, "a");
  grid.SetCells(2, 1, "b");
  grid.SetSelection({1, 1, 2, 1});
  Key(Qt::Key_Insert, Qt::ControlModifier);
  EXPECT_EQ(fake.clipboard, "a\tb\t\r\n");
  grid.SetSelection({3, 3, 3, 3});
  Key(Qt::Key_Insert, Qt::ShiftModifier);  // one cell selected: the first field only
  EXPECT_EQ(grid.Cells(3, 3), "a");
  EXPECT_EQ(grid.Cells(4, 3), "");
  grid.PasteOnlyEditable() = true;
  grid.SetEditCell(2, 1, false);
  grid.SetSelection({1, 1, 2, 1});
  Key(Qt::Key_Delete, Qt::ShiftModifier);
  EXPECT_EQ(fake.clipboard, "a\tb\t\r\n");
  EXPECT_EQ(grid.Cells(1, 1), "");
  EXPECT_EQ(grid.Cells(2, 1), "b");
}

TEST_F(GridTest, FixedClicksNameTheLineAndClicksBesideTheCellsNothing) {
  std::vector<int> cols, rows;
  grid.OnFixedColClick = [&](TStringAlignGrid*, int c) { cols.push_back(c); };
  grid.OnFixedRowClick = [&](TStringAlignGrid*, int r) { rows.push_back(r); };
  Click(3, 0);
  Click(0, 2);
  Click(0, 0);
  QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(395, 5));
  EXPECT_EQ(cols, std::vector<int>{3});
  EXPECT_EQ(rows, std::vector<int>{2});
}

TEST_F(GridTest, InsertAndMoveKeepTheEditorOnItsCell) {
  Type("e");
  grid.InsertRow(1);
  EXPECT_EQ(grid.Row(), 2);
  EXPECT_EQ(grid.Cells(1, 2), "e");
  EXPECT_TRUE(EditorOpen());
  grid.MoveRow(2, 4);
  EXPECT_EQ(grid.Row(), 4);
  EXPECT_EQ(grid.Cells(1, 4), "e");
  Key(Qt::Key_Return);
  EXPECT_EQ(events.back(), "after(1,4)");
}

}  // namespace

namespace {

TEST(AlignGridStream, AGridLoadsWhatAnotherWroteAndStartsWithItsEditorClosed) {
  TStringAlignGrid source;
  source.SetColCount(3);
  source.SetRowCount(12);
  source.SetFixedAlignRow(0, alCenter);
  source.SetEditCol(2, false);
  source.Props().CellsRead = true;
  source.SetCells(2, 11, "last");
  const std::string bytes = source.SaveToStream();

  TStringAlignGrid target;
  target.SetOptions(target.Options() | goEditing);
  target.SetCells(1, 1, "before");
  target.ShowEditor();
  target.LoadFromStream(bytes);
  EXPECT_EQ(target.RowCount(), 12);
  EXPECT_EQ(target.ColCount(), 3);
  EXPECT_EQ(target.Cells(2, 11), "last");
  EXPECT_EQ(target.Cells(1, 1), "");
  EXPECT_EQ(target.GetAlignCell(2, 0), alCenter);
  EXPECT_FALSE(target.GetEditCell(2, 4));
  EXPECT_FALSE(target.EditorMode());
  target.SetRow(11);  // the grown grid is laid out: its last row can be reached
  EXPECT_EQ(target.Row(), 11);
  EXPECT_THROW(target.LoadFromStream(bytes.substr(0, bytes.size() / 2)), EStreamError);
}

}  // namespace

namespace {

TEST_F(GridTest, TheSelectionStaysOnTheFocusCellWhenItsRowOrColumnShifts) {
  grid.SetRow(2);
  grid.ExchangeRows(2, 4);
  EXPECT_EQ(grid.Row(), 4);
  EXPECT_EQ(grid.Selection(), (TGridRect{1, 4, 1, 4}));
  grid.InsertCol(1);
  EXPECT_EQ(grid.Col(), 2);
  EXPECT_EQ(grid.Selection(), (TGridRect{2, 4, 2, 4}));
  fake.clipboard.clear();
  grid.SetCells(2, 4, "x");
  Key(Qt::Key_Insert, Qt::ControlModifier);
  EXPECT_EQ(fake.clipboard, "x\t\r\n");
}

TEST_F(GridTest, APasteIntoTheEditedCellShowsInTheEditorAndIsNotTypedOver) {
  Type("a");
  fake.clipboard = "pasted";
  grid.PasteFromClipboard('\t', {1, 1, 1, 1});
  EXPECT_EQ(grid.InplaceEditor()->Text(), "pasted");
  QTest::keyClick(grid.InplaceEditor(), Qt::Key_End);
  Type("b");
  EXPECT_EQ(grid.Cells(1, 1), "pastedb");
}

TEST_F(GridTest, OnDrawCellPaintsTheWholeCellAfterTheText) {
  grid.SetCells(2, 2, "text");
  grid.OnDrawCell = [](TStringGrid* g, int c, int r, const QRect& rect, TGridDrawState) {
    if (c == 2 && r == 2) g->Canvas().Painter->fillRect(rect, Qt::red);
  };
  const QRect rect = grid.CellRect(2, 2);
  const QImage image = grid.viewport()->grab().toImage();
  EXPECT_EQ(image.pixelColor(rect.topLeft()), QColor(Qt::red));
  EXPECT_EQ(image.pixelColor(rect.bottomRight()), QColor(Qt::red));
}

}  // namespace
