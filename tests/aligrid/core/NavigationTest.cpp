// The next-cell tables, Tab and Shift+Tab, and the next editable cell.
#include <gtest/gtest.h>

#include <utility>

#include "aligrid/core/AlignCore.h"

namespace {

struct DataFirst {
  TStringGridData data;
};
struct Grid : DataFirst, TAlignGridCore {
  int exits = 0;
  std::vector<int> stops;  // tab-stop columns; empty: all columns
  Grid() : TAlignGridCore(data) {
    data.SetColCount(4);  // non-fixed columns 1..3
    data.SetRowCount(4);  // non-fixed rows 1..3
  }
  void FocusNextControl() override { ++exits; }
  bool IsTabStop(int col) const override {
    return stops.empty() || std::find(stops.begin(), stops.end(), col) != stops.end();
  }
  std::pair<int, int> Next(T_nextcell d, T_lastcell a, int col, int row) {
    NextCell(d, a, col, row);
    return {col, row};
  }
  std::pair<int, int> Tab(bool shift, int col, int row) {
    TabTarget(shift, col, row);
    return {col, row};
  }
};
using P = std::pair<int, int>;

TEST(NextCell, EachDirectionStepsWrapsAndStartsOverAtItsFirstCell) {
  Grid g;
  EXPECT_EQ(g.Next(nc_rightdown, lc_first, 1, 1), P(2, 1));
  EXPECT_EQ(g.Next(nc_rightdown, lc_first, 3, 1), P(1, 2));
  EXPECT_EQ(g.Next(nc_rightdown, lc_first, 3, 3), P(1, 1));
  EXPECT_EQ(g.Next(nc_downright, lc_first, 1, 3), P(2, 1));
  EXPECT_EQ(g.Next(nc_downright, lc_first, 3, 3), P(1, 1));
  EXPECT_EQ(g.Next(nc_leftdown, lc_first, 1, 1), P(3, 2));
  EXPECT_EQ(g.Next(nc_leftdown, lc_first, 1, 3), P(3, 1));
  EXPECT_EQ(g.Next(nc_downleft, lc_first, 1, 3), P(3, 1));
  EXPECT_EQ(g.Next(nc_leftup, lc_first, 1, 2), P(3, 1));
  EXPECT_EQ(g.Next(nc_leftup, lc_first, 1, 1), P(3, 3));
  EXPECT_EQ(g.Next(nc_upleft, lc_first, 1, 1), P(3, 3));
  EXPECT_EQ(g.Next(nc_rightup, lc_first, 3, 1), P(1, 3));
  EXPECT_EQ(g.Next(nc_upright, lc_first, 3, 1), P(1, 3));
  EXPECT_EQ(g.Next(nc_rightdown, lc_stop, 3, 3), P(-1, -1));
  EXPECT_EQ(g.Next(nc_rightdown, lc_exit, 3, 3), P(-1, -1));
  EXPECT_EQ(g.exits, 1);
}

TEST(NextCell, NewRowOrColumnAtTheEndOfEachDirection) {
  struct Case {
    T_nextcell d;
    P from, to;
    int cols, rows;
  } cases[] = {
      {nc_rightdown, {3, 3}, {1, 4}, 4, 5}, {nc_downright, {3, 3}, {4, 1}, 5, 4},
      {nc_leftdown, {1, 3}, {3, 4}, 4, 5},  {nc_downleft, {1, 3}, {1, 1}, 5, 4},
      {nc_leftup, {1, 1}, {3, 1}, 4, 5},    {nc_upleft, {1, 1}, {1, 3}, 5, 4},
      {nc_rightup, {3, 1}, {1, 1}, 4, 5},   {nc_upright, {3, 1}, {4, 3}, 5, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.d));
    Grid g;
    g.data.SetCell(1, 1, "first");
    EXPECT_EQ(g.Next(c.d, lc_newcolrow, c.from.first, c.from.second), c.to);
    EXPECT_EQ(g.data.ColCount(), c.cols);
    EXPECT_EQ(g.data.RowCount(), c.rows);
  }
  Grid g;
  g.data.SetCell(1, 1, "first");
  g.Next(nc_leftup, lc_newcolrow, 1, 1);  // a row inserted before the first
  EXPECT_EQ(g.data.Cell(1, 2), "first");
}

TEST(TabRules, ShiftTabReversesAndWrapsAtBothEdges) {
  Grid g;
  EXPECT_EQ(g.Tab(false, 3, 3), P(1, 1));  // lc_first from the last cell
  EXPECT_EQ(g.Tab(true, 1, 1), P(3, 3));   // reversed: nc_leftup, its first cell
  g.AfterLastCellTab = lc_stop;
  EXPECT_EQ(g.Tab(false, 3, 3), P(3, 3));  // the focus stays
  g.NextCellTab = nc_downright;
  EXPECT_EQ(g.Tab(true, 2, 1), P(1, 3));  // reversed: nc_upleft
  EXPECT_EQ(g.Tab(true, 1, 1), P(1, 1));
  EXPECT_EQ(TAlignGridCore::Reversed(nc_downleft), nc_upright);
  EXPECT_EQ(TAlignGridCore::Reversed(nc_rightup), nc_leftdown);
}

TEST(TabRules, TabStopsAreHonouredAndNoStopsAddOnlyOneRow) {
  Grid g;
  g.stops = {3};
  EXPECT_EQ(g.Tab(false, 1, 1), P(3, 1));
  EXPECT_EQ(g.Tab(false, 3, 1), P(3, 2));
  g.stops = {0};  // only a fixed column: no cell can be a stop
  g.AfterLastCellTab = lc_newcolrow;
  EXPECT_EQ(g.Tab(false, 3, 3), P(1, 4));
  EXPECT_EQ(g.data.RowCount(), 5);

  // Down-left inserts a new first column each time it runs out; when that
  // column is no stop the walk ends at the second one.
  Grid left;
  left.stops = {3};
  left.NextCellTab = nc_downleft;
  left.AfterLastCellTab = lc_newcolrow;
  EXPECT_EQ(left.Tab(false, 2, 1), P(1, 1));
  EXPECT_EQ(left.data.ColCount(), 6);
}

TEST(NextEditCell, SkipsReadOnlyCellsComesBackOrStopsAtANewRow) {
  Grid g;
  g.Editable = false;
  g.SetEditCol(2, true);
  int c = 2, r = 1;
  g.NextEditCell(c, r);
  EXPECT_EQ(P(c, r), P(2, 2));
  c = 2, r = 3;
  g.NextEditCell(c, r);  // lc_newcolrow: a new row, whatever its editability
  EXPECT_EQ(P(c, r), P(1, 4));
  EXPECT_EQ(g.data.RowCount(), 5);

  Grid single;
  single.Editable = false;
  single.SetEditCell(2, 2, true);
  single.AfterLastCellEdit = lc_first;
  c = 2, r = 2;
  single.NextEditCell(c, r);
  EXPECT_EQ(P(c, r), P(2, 2));
}

}  // namespace
