// Clipboard texts of cell ranges and the sort of rows and columns.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "aligrid/core/AlignCore.h"

namespace {

struct DataFirst {
  TStringGridData data;
};
struct Grid : DataFirst, TAlignGridCore {
  Grid() : TAlignGridCore(data) {}
};
const TGridRect kAll{-1, -1, -1, -1};

TEST(ClipboardText, CopyWritesATabAfterEveryCellAndCrLfAfterEveryLine) {
  Grid g;
  g.data.SetCell(1, 1, "a");
  g.data.SetCell(2, 1, "b");
  g.data.SetCell(1, 2, "c");
  g.data.SetCell(2, 2, "d");
  EXPECT_EQ(g.CopyToText('\t', {1, 1, 2, 2}), "a\tb\t\r\nc\td\t\r\n");
  EXPECT_EQ(g.CopyToText('\t', {3, 4, 900, 900}), "\t\t\r\n");  // clamped to the grid
  g.data.SetColCount(2);
  g.data.SetRowCount(2);
  EXPECT_EQ(g.CopyToText(',', kAll), ",,\r\n,a,\r\n");
}

TEST(ClipboardText, PasteGrowsTheGridFromTheRangeStart) {
  Grid g;
  g.data.SetColCount(1);
  g.data.SetRowCount(1);
  g.PasteFromText("a\tb\t\r\nc\td\t\r\n", '\t', kAll);
  EXPECT_EQ(g.data.ColCount(), 2);
  EXPECT_EQ(g.data.RowCount(), 2);  // the trailing line break adds no row
  EXPECT_EQ(g.CopyToText('\t', kAll), "a\tb\t\r\nc\td\t\r\n");

  g.PasteFromText("x\ty", '\t', {5, 7, -1, -1});  // far beyond the grid
  EXPECT_EQ(g.data.ColCount(), 7);
  EXPECT_EQ(g.data.RowCount(), 8);
  EXPECT_EQ(g.data.Cell(5, 7), "x");
  EXPECT_EQ(g.data.Cell(6, 7), "y");

  g.PasteFromText("p\tq\nr\t\ts", '\t', {INT_MAX - 1, INT_MAX - 1, INT_MAX, INT_MAX});
  EXPECT_LE(g.data.ColCount(), kMaxGridCount);
}

TEST(ClipboardText, PasteFillsOnlyTheRangeSkipsEmptyLinesAndStopsAtNul) {
  Grid g;
  g.PasteFromText("one\ttwo\r\nthree\r\n", '\t', {1, 1, 1, 1});
  EXPECT_EQ(g.data.Cell(1, 1), "one");
  EXPECT_EQ(g.data.Cell(2, 1), "");
  EXPECT_EQ(g.data.Cell(1, 2), "");

  g.PasteFromText("a\r\n\r\nb\tc\r\n", '\t', {1, 1, -1, -1});
  EXPECT_EQ(g.data.Cell(1, 1), "a");
  EXPECT_EQ(g.data.Cell(1, 3), "b");  // the empty line used up row 2
  EXPECT_EQ(g.data.Cell(2, 3), "c");

  g.PasteFromText(std::string("n\0hidden", 8), '\t', {3, 1, -1, -1});
  EXPECT_EQ(g.data.Cell(3, 1), "n");
  EXPECT_EQ(g.data.RowCount(), 5);

  g.PasteFromText("\tkept", '\t', {1, 1, -1, -1});  // empty fields paste as empty
  EXPECT_EQ(g.data.Cell(1, 1), "");
  EXPECT_EQ(g.data.Cell(2, 1), "kept");
}

TEST(ClipboardText, PasteAndClearOnlyTouchEditableCellsWhenAsked) {
  Grid g;
  g.Editable = false;
  g.SetEditCol(2, true);
  g.PasteOnlyEditable = true;
  g.PasteFromText("a\tb\tc\r\n", '\t', {1, 1, -1, -1});
  EXPECT_EQ(g.data.Cell(1, 1), "");
  EXPECT_EQ(g.data.Cell(2, 1), "b");
  g.data.SetCell(1, 1, "keep");
  const TGridRect r{1, 1, 2, 1};
  EXPECT_EQ(g.CopyToText('\t', r), "keep\tb\t\r\n");
  g.ClearRange(r);
  EXPECT_EQ(g.data.Cell(1, 1), "keep");
  EXPECT_EQ(g.data.Cell(2, 1), "");
}

TEST(Sort, RowsByUnsignedBytesWithHintsAndPropertiesMoving) {
  Grid g;
  g.data.SetRowCount(5);
  const char* texts[] = {"b", "a", "B", "a"};
  for (int i = 0; i < 4; ++i) {
    g.data.SetCell(0, i + 1, texts[i]);
    g.SetHintCell(1, i + 1, std::to_string(i));
  }
  g.SetAlignRow(1, alRight);  // travels with "b"
  g.data.SetRowRaw(1);
  g.SortColRow(0, 1, 4, true, true);
  EXPECT_EQ(g.CopyToText(',', {0, 1, 0, 4}), "B,\r\na,\r\na,\r\nb,\r\n");
  EXPECT_EQ(g.GetAlignCell(2, 4), alRight);
  EXPECT_EQ(g.data.Row(), 4);  // the focus row followed "b"
  EXPECT_EQ(g.GetHintCell(1, 4), "0");

  g.data.SetCell(0, 1, "\xe9");  // bytes above 127 sort after ASCII
  g.SortColRow(0, 1, 4, true, false);
  EXPECT_EQ(g.CopyToText(',', {0, 1, 0, 4}), "\xe9,\r\nb,\r\na,\r\na,\r\n");
}

TEST(Sort, EqualKeysLandWhereThePartitionPutsThem) {
  Grid g;
  for (int r = 0; r < 3; ++r) {
    g.data.SetCell(1, r, "same");
    g.SetHintCell(1, r, std::to_string(r));
  }
  g.SortColRow(1, 0, 2, true, true);
  EXPECT_EQ(g.GetHintCell(1, 0) + g.GetHintCell(1, 1) + g.GetHintCell(1, 2), "120");

  // Columns by a row.
  g.data.SetCell(2, 4, "a");
  g.data.SetCell(3, 4, "c");
  g.data.SetCell(4, 4, "b");
  g.SortColRow(4, 2, 4, false, true);
  EXPECT_EQ(g.CopyToText(',', {2, 4, 4, 4}), "a,b,c,\r\n");
}

TEST(Sort, AComparisonThatIsNoOrderStaysInsideTheRange) {
  Grid g;
  g.data.SetRowCount(1500);
  for (int r = 0; r < 1500; ++r) g.data.SetCell(0, r, std::to_string(100000 + r));
  g.SortColRow(0, 0, 1499, true, true);  // sorted input: deep with plain recursion
  EXPECT_EQ(g.data.Cell(0, 1499), "101499");
  int calls = 0;
  g.OnCompareCol = [&](int, int a, int b) {
    ++calls;
    EXPECT_TRUE(a >= 10 && a <= 20 && b >= 10 && b <= 20);
    return relSmaller;  // "smaller" whatever is asked
  };
  g.SortColRow(0, 10, 20, true, true);
  EXPECT_GT(calls, 0);
  g.OnCompareCol = nullptr;
  g.data.SetCell(0, 0, "z");
  g.SortColRow(0, -50, 1, true, true);  // clamped to the grid
  EXPECT_EQ(g.data.Cell(0, 1), "z");
}

// Records every exchange the sort makes.
struct Recorder : Grid {
  std::vector<std::pair<int, int>> exchanges;
  void ExchangeRows(int a, int b) override {
    exchanges.emplace_back(a, b);
    Grid::ExchangeRows(a, b);
  }
  void ExchangeCols(int a, int b) override {
    exchanges.emplace_back(-a - 1, -b - 1);
    Grid::ExchangeCols(a, b);
  }
};

TEST(Sort, InputInOrderTakesExactlyTheExchangesOfThePartition) {
  // A caller's comparison that says the same as the grid's own is sorted
  // by the plain scan: the grid's own must give the same exchanges.
  const std::vector<std::vector<std::string>> inputs = {
      {"a", "b", "c", "d", "e", "f", "g"},
      {"a", "a", "b", "b", "b", "c", "c", "c", "c", "d"},
      {"x", "x", "x", "x", "x", "x", "x", "x"},
      {"a", "b", "b", "b", "b", "b", "b", "b", "b"},
      {"g", "f", "f", "c", "b", "b", "a"},  // in order for a descending sort
      {"b", "a", "c", "a", "b"},            // not in order
      {"a", "c", "e", "g", "i", "d"},       // in order but for a line added at the end
      {"a", "c", "c", "c", "e", "c"},
      {"b", "d", "f", "h", "a", "e"},
      {"h", "f", "d", "b", "e"},
      {"g", "f", "e", "d", "c", "b", "a"},  // in reverse order
      {"g", "f", "e", "d", "c", "b"},
  };
  // And many mixtures of few keys, in order, nearly in order and not.
  std::vector<std::vector<std::string>> more = inputs;
  unsigned seed = 7;
  for (int n = 2; n < 40; ++n) {
    std::vector<std::string> t;
    for (int k = 0; k < n; ++k) {
      seed = seed * 1103515245u + 12345u;
      t.push_back(std::string(1, static_cast<char>('a' + (seed >> 16) % 4)));
    }
    more.push_back(t);
    std::sort(t.begin(), t.end());
    more.push_back(t);
    t.push_back(std::string(1, static_cast<char>('a' + n % 5)));
    more.push_back(t);
    std::swap(t[0], t[t.size() / 2]);
    more.push_back(t);
    std::vector<std::string> down;
    for (int k = n; k > 0; --k) down.push_back(std::to_string(100 + k));
    more.push_back(down);
    down.push_back("150");
    more.push_back(down);
  }
  for (const bool rows : {true, false}) {
    for (const bool ascending : {true, false}) {
      for (const auto& texts : more) {
        const int n = static_cast<int>(texts.size());
        Recorder own, plain;
        plain.OnCompareCol = [&plain](int c, int a, int b) { return plain.CompareColCells(c, a, b); };
        plain.OnCompareRow = [&plain](int r, int a, int b) { return plain.CompareRowCells(r, a, b); };
        for (Recorder* g : {&own, &plain}) {
          g->data.SetRowCount(n + 1);
          g->data.SetColCount(n + 1);
          for (int k = 0; k < n; ++k) {
            const auto& t = texts[static_cast<std::size_t>(k)];
            rows ? g->data.SetCell(0, k + 1, t) : g->data.SetCell(k + 1, 0, t);
            rows ? g->SetHintCell(1, k + 1, std::to_string(k)) : g->SetHintCell(k + 1, 1, std::to_string(k));
          }
          g->SortColRow(0, 1, n, rows, ascending);
        }
        EXPECT_EQ(own.exchanges, plain.exchanges) << texts.size() << rows << ascending;
        EXPECT_EQ(own.CopyToText(',', kAll), plain.CopyToText(',', kAll));
      }
    }
  }
}

}  // namespace
