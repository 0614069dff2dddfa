// Properties, hints, texts and objects travel together with their rows and
// columns; the current and the edited cell follow their content.
#include <gtest/gtest.h>

#include "aligrid/core/AlignCore.h"

namespace {

struct DataFirst {
  TStringGridData data;
};
struct Grid : DataFirst, TAlignGridCore {
  Grid() : TAlignGridCore(data) {
    data.SetColCount(4);
    data.SetRowCount(6);
  }
  // One marker per row in column 1: text, hint, alignment, object.
  void Mark(int row, const std::string& text, TMyAlign a) {
    data.SetCell(1, row, text);
    SetHintCell(1, row, "hint " + text);
    SetAlignCell(1, row, a);
    data.SetObject(1, row, &objects[row]);
  }
  void ExpectRow(int row, const std::string& text, TMyAlign a, int object) {
    SCOPED_TRACE("row " + std::to_string(row));
    EXPECT_EQ(data.Cell(1, row), text);
    EXPECT_EQ(GetHintCell(1, row), text.empty() ? "" : "hint " + text);
    EXPECT_EQ(GetAlignCell(1, row), a);
    EXPECT_EQ(data.Object(1, row), object < 0 ? nullptr : &objects[object]);
  }
  int objects[6] = {};
};

TEST(AlignMaintenance, InsertRowGoesBelowTheFixedRowsAndShiftsEverything) {
  Grid g;
  g.data.SetFixedRows(2);
  g.Mark(2, "x", alRight);
  g.SetAlignRow(3, alCenter);
  g.data.SetRowRaw(2);
  g.EditedCol = 1;
  g.EditedRow = 2;
  g.InsertRow(0);  // raised to the first non-fixed row
  EXPECT_EQ(g.data.RowCount(), 7);
  g.ExpectRow(2, "", alLeft, -1);
  g.ExpectRow(3, "x", alRight, 2);
  EXPECT_EQ(g.GetAlignCell(2, 4), alCenter);
  EXPECT_EQ(g.data.Row(), 3);
  EXPECT_EQ(g.EditedRow, 3);

  g.InsertRow(1000);  // lowered to the count: a new last row
  EXPECT_EQ(g.data.RowCount(), 8);
  g.ExpectRow(3, "x", alRight, 2);
}

TEST(AlignMaintenance, InsertColShiftsColumnListsButNotTheFixedOnes) {
  Grid g;
  g.data.SetCell(2, 1, "c");
  g.SetAlignCol(2, alRight);
  g.SetFixedAlignCol(2, alCenter);
  g.InsertCol(2);
  EXPECT_EQ(g.data.Cell(3, 1), "c");
  EXPECT_EQ(g.GetAlignCell(3, 1), alRight);
  EXPECT_EQ(g.GetAlignCell(2, 1), alLeft);
  EXPECT_EQ(g.GetAlignCell(2, 0), alCenter);  // fixed list stays put
}

TEST(AlignMaintenance, ExchangeRowsMovesContentAndTheFocusRowFollows) {
  Grid g;
  g.Mark(1, "a", alRight);
  g.Mark(4, "b", alCenter);
  g.data.SetRowRaw(1);
  g.EditedCol = 1;
  g.EditedRow = 4;
  g.ExchangeRows(1, 4);
  g.ExpectRow(1, "b", alCenter, 4);
  g.ExpectRow(4, "a", alRight, 1);
  EXPECT_EQ(g.data.Row(), 4);
  EXPECT_EQ(g.EditedRow, 1);
  g.ExchangeRows(1, 99);  // outside the grid: nothing
  g.ExchangeRows(-1, 1);
  g.ExpectRow(1, "b", alCenter, 4);
}

TEST(AlignMaintenance, MovesActAsListMovesInBothDirections) {
  Grid g;
  for (int r = 1; r < 6; ++r) g.Mark(r, std::string(1, char('a' + r)), r % 2 ? alRight : alCenter);
  g.EditedCol = 1;
  g.EditedRow = 3;
  g.data.SetRowRaw(5);
  g.MoveRow(1, 4);  // b c d e f -> c d e b f
  g.ExpectRow(1, "c", alCenter, 2);
  g.ExpectRow(3, "e", alCenter, 4);
  g.ExpectRow(4, "b", alRight, 1);
  g.ExpectRow(5, "f", alRight, 5);
  EXPECT_EQ(g.EditedRow, 2);  // the edited "d" moved up by one
  EXPECT_EQ(g.data.Row(), 5);
  g.MoveRow(4, 1);  // and back
  g.ExpectRow(1, "b", alRight, 1);
  g.ExpectRow(4, "e", alCenter, 4);
  EXPECT_EQ(g.EditedRow, 3);

  g.data.SetCell(3, 2, "z");
  g.SetHintCell(3, 2, "hz");
  g.EditedCol = 3;
  g.MoveColumn(3, 1);
  EXPECT_EQ(g.data.Cell(1, 2), "z");
  EXPECT_EQ(g.GetHintCell(1, 2), "hz");
  EXPECT_EQ(g.data.Cell(2, 2), "c");
  EXPECT_EQ(g.EditedCol, 1);
}

TEST(AlignMaintenance, ShrinkingTheGridDropsTextsButKeepsProperties) {
  Grid g;
  g.data.SetCell(3, 5, "gone");
  g.SetAlignCell(3, 5, alRight);
  g.data.SetRowCount(3);
  g.data.SetRowCount(6);
  EXPECT_EQ(g.data.Cell(3, 5), "");
  EXPECT_EQ(g.GetAlignCell(3, 5), alRight);
  g.data.SetCell(9, 9, "outside");
  EXPECT_EQ(g.data.Cell(9, 9), "");
}

}  // namespace
