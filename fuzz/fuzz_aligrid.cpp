// The aligned grid's core under arbitrary index sequences and clipboard
// texts: counts, property setters with any index, insert, exchange, move,
// paste, copy, cut, sort (the grid's own comparisons against a caller's
// that says the same) and the next-cell rules.  Nothing may read or
// write outside the grid, and the current cell stays a non-fixed cell.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "aligrid/core/AlignCore.h"

namespace {

struct DataFirst {
  TStringGridData data;
};

struct Grid : DataFirst, TAlignGridCore {
  Grid() : TAlignGridCore(data) {}
  bool IsTabStop(int col) const override { return col % 3 != 1; }
};

struct Reader {
  const std::uint8_t* p;
  std::size_t n;
  bool More() const { return n > 0; }
  std::uint8_t Byte() {
    if (n == 0) return 0;
    --n;
    return *p++;
  }
  // A small index, sometimes negative or past the grid.
  int Index() { return static_cast<int>(Byte() % 48) - 4; }
  std::string Text() {
    const std::size_t len = Byte() % 40;
    std::string s;
    for (std::size_t i = 0; i < len && n > 0; ++i) s += static_cast<char>(Byte());
    return s;
  }
};

void CheckGrid(const Grid& g) {
  const TStringGridData& d = g.data;
  fuzzsupport::Check(d.ColCount() >= 1 && d.RowCount() >= 1);
  fuzzsupport::Check(d.FixedCols() < d.ColCount() && d.FixedRows() < d.RowCount());
  fuzzsupport::Check(d.Col() >= d.FixedCols() && d.Col() < d.ColCount());
  fuzzsupport::Check(d.Row() >= d.FixedRows() && d.Row() < d.RowCount());
  const std::string all = g.CopyToText('\t', {-1, -1, -1, -1});
  std::size_t lines = 0;
  for (std::size_t i = 0; i + 1 < all.size(); ++i)
    if (all[i] == '\r' && all[i + 1] == '\n') ++lines;
  fuzzsupport::Check(static_cast<int>(lines) >= d.RowCount());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Grid g;
  Reader in{data, size};
  int ops = 0;
  while (in.More() && ops++ < 200) {
    if (g.data.ColCount() > 80 || g.data.RowCount() > 80) break;  // keep runs short
    switch (in.Byte() % 21) {
      case 0: g.data.SetColCount(in.Index()); break;
      case 1: g.data.SetRowCount(in.Index()); break;
      case 2: g.data.SetFixedCols(in.Index()); break;
      case 3: g.data.SetFixedRows(in.Index()); break;
      case 4: g.data.SetCell(in.Index(), in.Index(), in.Text()); break;
      case 5: g.SetAlignCell(in.Index(), in.Index(), static_cast<TMyAlign>(in.Byte() % 5)); break;
      case 6: g.GetFontCol(in.Index()).SetHeight(in.Index() * 1000); break;
      case 7: g.SetHintCell(in.Index(), in.Index(), in.Text()); break;
      case 8: g.InsertRow(in.Index()); break;
      case 9: g.InsertCol(in.Index()); break;
      case 10: g.ExchangeRows(in.Index(), in.Index()); break;
      case 11: g.ExchangeCols(in.Index(), in.Index()); break;
      case 12: g.MoveRow(in.Index(), in.Index()); break;
      case 13: g.MoveColumn(in.Index(), in.Index()); break;
      case 14: {
        const TGridRect r{in.Index(), in.Index(), in.Index(), in.Index()};
        g.PasteOnlyEditable = in.Byte() & 1;
        g.PasteFromText(in.Text(), static_cast<char>(in.Byte() % 2 ? '\t' : ','), r);
        break;
      }
      case 15: g.ClearRange({in.Index(), in.Index(), in.Index(), in.Index()}); break;
      case 16: g.SortColRow(in.Index(), in.Index(), in.Index(), in.Byte() & 1, in.Byte() & 2); break;
      case 17: {
        int c = g.data.Col(), r = g.data.Row();
        g.NextCellTab = static_cast<T_nextcell>(in.Byte() % 8);
        g.AfterLastCellTab = static_cast<T_lastcell>(in.Byte() % 4);
        g.TabTarget(in.Byte() & 1, c, r);
        fuzzsupport::Check(g.data.InGrid(c, r));
        break;
      }
      case 18: {
        int c = g.data.Col(), r = g.data.Row();
        g.NextCellEdit = static_cast<T_nextcell>(in.Byte() % 8);
        g.AfterLastCellEdit = static_cast<T_lastcell>(in.Byte() % 4);
        g.Editable = in.Byte() & 1;
        g.SetEditCol(in.Index(), true);
        g.NextEditCell(c, r);
        fuzzsupport::Check((c == -1 && r == -1) || g.data.InGrid(c, r));
        break;
      }
      case 19: {
        // The grid's own comparisons and a caller's that says the same sort
        // alike: once the lines of a column as they are, and again after a
        // line is changed at the end of the sorted list.
        const int n = g.data.RowCount();
        const int col = in.Byte() % g.data.ColCount();
        const bool ascending = in.Byte() & 1;
        const std::string last = in.Text();
        Grid own, plain;
        plain.OnCompareCol = [&plain](int c, int a, int b) { return plain.CompareColCells(c, a, b); };
        for (Grid* s : {&own, &plain}) {
          s->data.SetColCount(2);
          s->data.SetRowCount(n);
          for (int r = 0; r < n; ++r) {
            s->data.SetCell(0, r, g.data.Cell(col, r));
            s->data.SetCell(1, r, std::to_string(r));
          }
          s->SortColRow(0, 0, n - 1, true, ascending);
          s->data.SetCell(0, n - 1, last);
          s->SortColRow(0, 0, n - 1, true, ascending);
        }
        fuzzsupport::Check(own.CopyToText(',', {-1, -1, -1, -1}) == plain.CopyToText(',', {-1, -1, -1, -1}));
        break;
      }
      default: g.data.SetColRaw(in.Index()); g.data.SetRowRaw(in.Index()); break;
    }
    CheckGrid(g);
    (void)g.GetCellFont(in.Index(), in.Index());
    (void)g.GetEditCell(in.Index(), in.Index());
  }
  return 0;
}
