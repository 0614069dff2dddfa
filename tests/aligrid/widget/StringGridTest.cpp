// The base string grid's behaviour that the aligned grid and the programs
// rely on: editor mode, scrolling with the focus cell, moves, Tab and the
// clipboard keys against a window's own shortcuts.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>

#include "aligrid/widget/AlignGrid.h"
#include "support/FakePlatform.h"

namespace {

void Settle() {
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

struct Window {
  QWidget window;
  TStringGrid* grid;
  QLineEdit* next = new QLineEdit;
  explicit Window(TStringGrid* g = nullptr) : grid(g ? g : new TStringGrid) {
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(grid);
    layout->addWidget(next);
    window.resize(300, 200);
    window.show();
    window.activateWindow();
    grid->setFocus();
    Settle();
  }
  void Key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : grid;
    QTest::keyClick(target, k, m);
    Settle();
  }
};

TEST(StringGridBase, EditorModeFollowsEnterAndMovesUnlessAlwaysShown) {
  Window w;
  TStringGrid& g = *w.grid;
  g.SetOptions(g.Options() | goEditing);
  w.Key(Qt::Key_Return);
  EXPECT_TRUE(g.EditorMode());
  QTest::keyClicks(QApplication::focusWidget(), "hi");
  EXPECT_EQ(g.Cells(1, 1), "hi");
  w.Key(Qt::Key_Right);  // at the end of the text: the grid moves, the editor closes
  EXPECT_EQ(g.Col(), 2);
  EXPECT_FALSE(g.EditorMode());
  w.Key(Qt::Key_Return);
  w.Key(Qt::Key_Return);
  EXPECT_FALSE(g.EditorMode());

  g.SetOptions(g.Options() | goAlwaysShowEditor);
  EXPECT_TRUE(g.InplaceEditor()->isVisible());
  w.Key(Qt::Key_Down);
  EXPECT_EQ(g.Row(), 2);
  EXPECT_TRUE(g.InplaceEditor()->isVisible());
  EXPECT_EQ(g.InplaceEditor()->geometry(), g.CellRect(2, 2));
}

TEST(StringGridBase, KeyboardMovesScrollTheFocusCellIntoViewAboveTheFixedRow) {
  Window w;
  TStringGrid& g = *w.grid;
  g.SetRowCount(40);
  for (int i = 0; i < 30; ++i) w.Key(Qt::Key_Down);
  EXPECT_EQ(g.Row(), 31);
  EXPECT_GT(g.TopRow(), 1);
  EXPECT_FALSE(g.CellRect(1, 31).isEmpty());
  EXPECT_TRUE(g.CellRect(1, 1).isEmpty());
  EXPECT_FALSE(g.CellRect(1, 0).isEmpty());  // the fixed row stays
  int c, r;
  g.MouseToCell(g.CellRect(1, 0).center().x(), g.CellRect(1, 0).bottom() + 3, c, r);
  EXPECT_EQ(r, g.TopRow());
  g.MouseToCell(5000, 5, c, r);
  EXPECT_EQ(c, -1);
  w.Key(Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(g.Row(), 1);
  EXPECT_EQ(g.TopRow(), 1);
}

TEST(StringGridBase, RangeSelectionMovesAndShrinking) {
  Window w;
  TStringGrid& g = *w.grid;
  w.Key(Qt::Key_Right, Qt::ShiftModifier);
  w.Key(Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(g.Selection(), (TGridRect{1, 1, 2, 2}));
  g.SetCells(1, 3, "third");
  g.SetRowHeights(3, 40);
  g.SetRow(3);
  g.MoveRow(3, 1);
  EXPECT_EQ(g.Cells(1, 1), "third");
  EXPECT_EQ(g.RowHeights(1), 40);
  EXPECT_EQ(g.Row(), 1);
  g.SetCells(4, 4, "gone");
  g.SetColCount(3);
  g.SetColCount(5);
  EXPECT_EQ(g.Cells(4, 4), "");
}

TEST(StringGridBase, TabLeavesTheGridUnlessItWantsTabs) {
  Window w;
  w.Key(Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), w.next);
  w.grid->setFocus();
  w.grid->SetOptions(w.grid->Options() | goTabs);
  w.Key(Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), w.grid);
  EXPECT_EQ(w.grid->Col(), 2);
}

TEST(StringGridBase, TabInTheEditorLeavesTheGridUnlessItWantsTabs) {
  auto* aligned = new TStringAlignGrid;
  aligned->SetOptions(aligned->Options() | goEditing);
  Window w(aligned);
  w.Key(Qt::Key_F2);
  ASSERT_EQ(QApplication::focusWidget(), aligned->InplaceEditor());
  w.Key(Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), w.next);
  EXPECT_EQ(aligned->Col(), 1);
  aligned->setFocus();
  w.Key(Qt::Key_F2);
  w.Key(Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_NE(QApplication::focusWidget(), aligned);
  EXPECT_NE(QApplication::focusWidget(), aligned->InplaceEditor());
  EXPECT_EQ(aligned->Col(), 1);
  aligned->SetOptions(aligned->Options() | goTabs);
  aligned->setFocus();
  w.Key(Qt::Key_F2);
  w.Key(Qt::Key_Tab);
  EXPECT_EQ(aligned->Col(), 2);
  // Leaving at the end of the grid goes to the control after it too.
  aligned->AfterLastCellTab() = lc_exit;
  aligned->SetRowCount(2);
  aligned->SetCol(4);
  w.Key(Qt::Key_F2);
  ASSERT_EQ(QApplication::focusWidget(), aligned->InplaceEditor());
  w.Key(Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), w.next);
}

TEST(StringGridBase, ClipboardKeysReachTheGridBeforeAWindowShortcut) {
  tavrel::testing::FakePlatform fake;
  auto* aligned = new TStringAlignGrid;
  Window w(aligned);
  int cuts = 0;
  QAction cut(&w.window);
  cut.setShortcuts({QKeySequence(Qt::SHIFT | Qt::Key_Delete), QKeySequence(Qt::SHIFT | Qt::Key_Insert)});
  QObject::connect(&cut, &QAction::triggered, [&] { ++cuts; });
  w.window.addAction(&cut);
  int f5 = 0;  // the window's shortcuts are live
  QAction probe(&w.window);
  probe.setShortcut(QKeySequence(Qt::Key_F5));
  QObject::connect(&probe, &QAction::triggered, [&] { ++f5; });
  w.window.addAction(&probe);
  w.Key(Qt::Key_F5);
  EXPECT_EQ(f5, 1);
  aligned->SetCells(1, 1, "x");
  w.Key(Qt::Key_Delete, Qt::ShiftModifier);
  EXPECT_EQ(cuts, 0);
  EXPECT_EQ(fake.clipboard, "x\t\r\n");
  EXPECT_EQ(aligned->Cells(1, 1), "");
  w.Key(Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(aligned->Cells(1, 1), "x");
  EXPECT_EQ(cuts, 0);
}

}  // namespace

namespace {

QColor PixelOf(TStringGrid& g, int col, int row) {
  const QImage img = g.viewport()->grab().toImage();
  const QRect r = g.CellRect(col, row);
  return img.pixelColor(r.right() - 2, r.bottom() - 2);  // away from any text
}

TEST(AlignGridPainting, SelectionColoursUnlessDrawSelectionIsOffAndOwnerDrawing) {
  TStringAlignGrid g;
  g.resize(400, 200);
  g.show();
  Settle();
  g.GetBrushCell(2, 2).SetColor(clYellow);
  g.SetSelectedColorCell(3, 2, clNavy);
  g.SetOptions(g.Options() | goDrawFocusSelected);  // the focus cell (3, 2) too
  g.SetSelection({2, 2, 3, 2});
  EXPECT_EQ(PixelOf(g, 2, 2), g.ResolveColor(g.SelectedCellColor()));
  EXPECT_EQ(PixelOf(g, 3, 2), QColor(0, 0, 0x80));
  g.SetDrawSelection(false);
  EXPECT_EQ(PixelOf(g, 2, 2), QColor(255, 255, 0));
  g.SetColorFixedRow(0, clMaroon);
  EXPECT_EQ(PixelOf(g, 2, 0), QColor(0x80, 0, 0));

  int drawn = 0;
  g.OnDrawCell = [&](TStringGrid*, int, int, const QRect&, TGridDrawState) { ++drawn; };
  g.SetDefaultDrawing(false);
  const QColor before = PixelOf(g, 2, 2);
  EXPECT_GT(drawn, 0);
  EXPECT_NE(before, QColor(255, 255, 0));  // nothing filled but by OnDrawCell
}

TEST(AlignGridHints, TheHintOfTheCellUnderTheMouseShowsBelowIt) {
  TStringAlignGrid g;
  g.resize(400, 200);
  g.show();
  Settle();
  g.SetHintCell(2, 2, "a hint");
  std::vector<std::string> seen;
  QPoint at;
  g.OnShowHintCell = [&](TStringAlignGrid*, int c, int r, std::string& hint, bool&, THintInfo& info) {
    seen.push_back(std::to_string(c) + "," + std::to_string(r) + ":" + hint);
    at = info.HintPos;
  };
  g.setToolTip("the control's own hint");
  for (auto [c, r] : {std::pair{2, 2}, {3, 3}}) {
    const QRect rect = g.CellRect(c, r);
    QHelpEvent e(QEvent::ToolTip, rect.center(), g.viewport()->mapToGlobal(rect.center()));
    QApplication::sendEvent(g.viewport(), &e);
    if (c == 2) {
      EXPECT_EQ(at, g.viewport()->mapToGlobal(QPoint(rect.left(), rect.bottom() + 7)));
    }
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"2,2:a hint", "3,3:"}));
}

TEST(AlignGridFocus, ARefusedEditKeepsTheFocusInTheGridAndTheEditorComesBack) {
  auto* aligned = new TStringAlignGrid;
  aligned->SetOptions(aligned->Options() | goEditing);
  Window w(aligned);
  bool accept = false;
  aligned->OnValidateEdit = [&](TStringAlignGrid*, int, int, bool& ok) { ok = accept; };
  w.Key(Qt::Key_F2);
  ASSERT_TRUE(aligned->InplaceEditor()->isVisible());
  w.next->setFocus();
  Settle();
  EXPECT_TRUE(aligned->Editing());
  EXPECT_TRUE(aligned->InplaceEditor()->isVisible());
  EXPECT_EQ(QApplication::focusWidget(), aligned->InplaceEditor());
  accept = true;
  w.next->setFocus();
  Settle();
  EXPECT_EQ(QApplication::focusWidget(), w.next);
  EXPECT_FALSE(aligned->InplaceEditor()->isVisible());

  accept = false;
  aligned->setFocus();
  w.Key(Qt::Key_F2);
  delete aligned;  // with its editor focused and an edit open: no steps run on a half-gone grid
  w.grid = nullptr;
  Settle();
}

TEST(AlignGridFocus, PendingHandOversAreDroppedWithTheGrid) {
  auto* g = new TStringAlignGrid;
  g->SetOptions(g->Options() | goEditing);
  g->show();
  g->setFocus();
  Settle();
  int after = 0;
  g->OnAfterEdit = [&](TStringAlignGrid*, int, int) { ++after; };
  QTest::keyClick(g, Qt::Key_A);  // the character is handed to the editor later
  QCoreApplication::processEvents();
  QTest::keyClick(g->InplaceEditor(), Qt::Key_Return);  // the commit is queued
  delete g;
  Settle();
  EXPECT_EQ(after, 0);
}

}  // namespace

namespace {

TEST(StringGridBase, HeadingsDragToMoveAndLinesDragToSize) {
  TStringAlignGrid g;
  g.resize(500, 200);
  g.SetOptions(g.Options() | goColMoving | goColSizing);
  g.show();
  Settle();
  g.SetCells(3, 0, "third");
  g.SetCells(3, 2, "data");
  g.SetAlignCol(3, alRight);
  g.SetColWidths(3, 90);
  QWidget* vp = g.viewport();
  QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, g.CellRect(3, 0).center());
  QTest::mouseMove(vp, g.CellRect(1, 0).center());
  QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, g.CellRect(1, 0).center());
  EXPECT_EQ(g.Cells(1, 0), "third");
  EXPECT_EQ(g.Cells(1, 2), "data");
  EXPECT_EQ(g.GetAlignCell(1, 2), alRight);
  EXPECT_EQ(g.ColWidths(1), 90);

  const QRect first = g.CellRect(1, 0);
  const QPoint line(first.right() + 1, first.center().y());
  QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, line);
  QTest::mouseMove(vp, line + QPoint(25, 0));
  QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, line + QPoint(25, 0));
  EXPECT_EQ(g.ColWidths(1), 115);
}

}  // namespace

namespace {

TEST(AlignGridLayout, TheLastColumnFillsTheWidthButNeverBelowOnePixel) {
  TStringAlignGrid g;
  g.SetScrollBars(ssNone);
  g.resize(400, 150);
  g.show();
  Settle();
  const int client = g.viewport()->width();
  g.SetAutoAdjustLastCol(true);
  EXPECT_EQ(g.ColWidths(4), client - 4 * 64 - 5);
  g.SetColWidths(0, client - 3 * 64 - 3);  // the others leave 3 pixels, the lines take 5
  g.SetColWidths(4, 50);
  g.AdjustLastCol();
  EXPECT_EQ(g.ColWidths(4), 50);
}

TEST(AlignGridLayout, RedrawWhileScrollOutlivesALaterChangeOfOptions) {
  TStringAlignGrid g;
  EXPECT_FALSE(g.verticalScrollBar()->hasTracking());
  g.SetRedrawWhileScroll(true);
  g.SetOptions(g.Options() | goEditing);
  EXPECT_TRUE(g.verticalScrollBar()->hasTracking());
  EXPECT_TRUE(g.horizontalScrollBar()->hasTracking());
  g.SetRedrawWhileScroll(false);
  EXPECT_FALSE(g.verticalScrollBar()->hasTracking());
}

}  // namespace
