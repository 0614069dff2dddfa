#include "aligrid/core/AlignCore.h"

#include <algorithm>
#include <climits>
#include <initializer_list>
#include <cstdint>
#include <vector>

TAlignGridCore::TAlignGridCore(TStringGridData& data) : Data(data) {
  CellPropertiesClass = [](TAlignGridCore* g) { return std::make_unique<TCellProperties>(g); };
  FixedBrush.SetColor(Data.FixedColor);
  FixedBrush.changed = false;
  FixedFont.OnChange = [this] { Invalidate(); };
  FixedBrush.OnChange = [this] { Invalidate(); };
  StreamedCells = std::make_unique<SparseGrid<std::string>>();
}

TAlignGridCore::~TAlignGridCore() = default;

// --- Lookups ---------------------------------------------------------------

bool TAlignGridCore::IsFixedCell(int col, int row) const {
  return col < Data.FixedCols() || row < Data.FixedRows() || col < FixedStyleCols ||
         row < FixedStyleRows;
}

namespace {
const TCellProperties* Get(const TPropLine& line, int i) {
  const auto* p = line.Find(i);
  return p ? p->get() : nullptr;
}
}  // namespace

TAlignGridCore::Chain TAlignGridCore::RecordsOf(int col, int row) const {
  const bool fixed = IsFixedCell(col, row);
  const auto* cell = PropCell.Find(col, row);
  return Chain{{cell ? cell->get() : nullptr, Get(fixed ? PropFixedCol : PropCol, col),
                Get(fixed ? PropFixedRow : PropRow, row)}};
}

TMyAlign TAlignGridCore::GetAlignCell(int col, int row) const {
  TMyAlign a = Alignment;
  for (const TCellProperties* p : RecordsOf(col, row).rec)
    if (p && p->Align != alDefault) {
      a = p->Align;
      break;
    }
  return a == alDefault || a > alDefault ? alLeft : a;
}

T_Wordwrap TAlignGridCore::GetWordwrapCell(int col, int row) const {
  T_Wordwrap w = Wordwrap;
  for (const TCellProperties* p : RecordsOf(col, row).rec)
    if (p && p->Wordwrap != ww_default) {
      w = p->Wordwrap;
      break;
    }
  return w == ww_default || w > ww_default ? ww_none : w;
}

bool TAlignGridCore::GetEditCell(int col, int row) const {
  for (const TCellProperties* p : RecordsOf(col, row).rec)
    if (p && p->Edit != editInherit) return p->Edit == editYes;
  return Editable;
}

const TMyFont& TAlignGridCore::GetCellFont(int col, int row) const {
  for (const TCellProperties* p : RecordsOf(col, row).rec)
    if (p && p->Font) return *p->Font;
  return IsFixedCell(col, row) ? FixedFont : Data.Font;
}

const TMyBrush& TAlignGridCore::GetCellBrush(int col, int row) const {
  for (const TCellProperties* p : RecordsOf(col, row).rec)
    if (p && p->Brush) return *p->Brush;
  return IsFixedCell(col, row) ? FixedBrush : Data.Brush;
}

TColor TAlignGridCore::GetColorCell(int col, int row) const {
  return GetCellBrush(col, row).Color();
}

TColor TAlignGridCore::GetSelectedColorCell(int col, int row) const {
  const auto* cell = PropCell.Find(col, row);
  for (const TCellProperties* p : std::initializer_list<const TCellProperties*>{cell ? cell->get() : nullptr, Get(PropCol, col), Get(PropRow, row)})
    if (p && p->SelectedBrush) return p->SelectedBrush->Color();
  return SelectedCellColor;
}

TColor TAlignGridCore::GetSelectedFontColorCell(int col, int row) const {
  const auto* cell = PropCell.Find(col, row);
  for (const TCellProperties* p : std::initializer_list<const TCellProperties*>{cell ? cell->get() : nullptr, Get(PropCol, col), Get(PropRow, row)})
    if (p && p->SelectedFont) return p->SelectedFont->Color();
  return SelectedFontColor;
}

std::string TAlignGridCore::GetHintCell(int col, int row) const {
  const std::string* h = HintCell.Find(col, row);
  return h ? *h : std::string();
}

// --- Records ---------------------------------------------------------------

std::unique_ptr<TCellProperties> TAlignGridCore::NewRecord() {
  std::unique_ptr<TCellProperties> p;
  if (CellPropertiesClass) p = CellPropertiesClass(this);
  if (!p) p = std::make_unique<TCellProperties>(this);
  return p;
}

TCellProperties* TAlignGridCore::Scratch() {
  scratch_ = NewRecord();
  return scratch_.get();
}

TCellProperties& TAlignGridCore::CellRecord(int col, int row) {
  if (col < 0 || row < 0) return *Scratch();
  auto& slot = PropCell.At(col, row);
  if (!slot) slot = NewRecord();
  return *slot;
}

TCellProperties& TAlignGridCore::LineRecord(TPropLine& line, int index) {
  if (index < 0) return *Scratch();
  auto& slot = line.At(index);
  if (!slot) slot = NewRecord();
  return *slot;
}

void TAlignGridCore::PrepareFont(TMyFont& f, const TMyFont& from) {
  f.OnChange = nullptr;
  f.Assign(from);
  f.changed = false;
  f.OnChange = [this] { Invalidate(); };
}

void TAlignGridCore::PrepareBrush(TMyBrush& b, const TMyBrush& from) {
  b.OnChange = nullptr;
  b.Assign(from);
  b.changed = false;
  b.OnChange = [this] { Invalidate(); };
}

TMyFont& TAlignGridCore::FontOf(TCellProperties& p, const TMyFont& from) {
  if (!p.Font) {
    p.Font = std::make_unique<TMyFont>();
    PrepareFont(*p.Font, from);
  }
  return *p.Font;
}

TMyBrush& TAlignGridCore::BrushOf(TCellProperties& p) {
  if (!p.Brush) {
    p.Brush = std::make_unique<TMyBrush>();
    PrepareBrush(*p.Brush, Data.Brush);
  }
  return *p.Brush;
}

// --- Setters ---------------------------------------------------------------

void TAlignGridCore::SetAlignCell(int col, int row, TMyAlign a) {
  if (col < 0 || row < 0) return;
  CellRecord(col, row).Align = a;
  Invalidate();
}
void TAlignGridCore::SetAlignCol(int col, TMyAlign a) {
  if (col < 0) return;
  LineRecord(PropCol, col).Align = a;
  Invalidate();
}
void TAlignGridCore::SetFixedAlignCol(int col, TMyAlign a) {
  if (col < 0) return;
  LineRecord(PropFixedCol, col).Align = a;
  Invalidate();
}
void TAlignGridCore::SetAlignRow(int row, TMyAlign a) {
  if (row < 0) return;
  LineRecord(PropRow, row).Align = a;
  Invalidate();
}
void TAlignGridCore::SetFixedAlignRow(int row, TMyAlign a) {
  if (row < 0) return;
  LineRecord(PropFixedRow, row).Align = a;
  Invalidate();
}
void TAlignGridCore::SetWordwrapCell(int col, int row, T_Wordwrap w) {
  if (col < 0 || row < 0) return;
  CellRecord(col, row).Wordwrap = w;
  Invalidate();
}
void TAlignGridCore::SetWordwrapCol(int col, T_Wordwrap w) {
  if (col < 0) return;
  LineRecord(PropCol, col).Wordwrap = w;
  Invalidate();
}
void TAlignGridCore::SetWordwrapRow(int row, T_Wordwrap w) {
  if (row < 0) return;
  LineRecord(PropRow, row).Wordwrap = w;
  Invalidate();
}
void TAlignGridCore::SetEditCell(int col, int row, bool editable) {
  if (col < 0 || row < 0) return;
  CellRecord(col, row).Edit = editable ? editYes : editNo;
}
void TAlignGridCore::SetEditCol(int col, bool editable) {
  if (col < 0) return;
  LineRecord(PropCol, col).Edit = editable ? editYes : editNo;
}
void TAlignGridCore::SetEditRow(int row, bool editable) {
  if (row < 0) return;
  LineRecord(PropRow, row).Edit = editable ? editYes : editNo;
}

TMyFont& TAlignGridCore::GetFontCell(int col, int row) {
  return FontOf(CellRecord(col, row), Data.Font);
}
TMyFont& TAlignGridCore::GetFontCol(int col) { return FontOf(LineRecord(PropCol, col), Data.Font); }
TMyFont& TAlignGridCore::GetFontFixedCol(int col) {
  return FontOf(LineRecord(PropFixedCol, col), Data.Font);
}
TMyFont& TAlignGridCore::GetFontRow(int row) { return FontOf(LineRecord(PropRow, row), Data.Font); }
TMyFont& TAlignGridCore::GetFontFixedRow(int row) {
  return FontOf(LineRecord(PropFixedRow, row), Data.Font);
}
TMyBrush& TAlignGridCore::GetBrushCell(int col, int row) { return BrushOf(CellRecord(col, row)); }
TMyBrush& TAlignGridCore::GetBrushCol(int col) { return BrushOf(LineRecord(PropCol, col)); }
TMyBrush& TAlignGridCore::GetBrushFixedCol(int col) { return BrushOf(LineRecord(PropFixedCol, col)); }
TMyBrush& TAlignGridCore::GetBrushRow(int row) { return BrushOf(LineRecord(PropRow, row)); }
TMyBrush& TAlignGridCore::GetBrushFixedRow(int row) { return BrushOf(LineRecord(PropFixedRow, row)); }

void TAlignGridCore::SetColorFixedRow(int row, TColor c) {
  if (row < 0) return;
  GetBrushFixedRow(row).SetColor(c);
  Invalidate();
}

namespace {
TMyBrush ColourBrush(TColor c) {
  TMyBrush b;
  b.SetColor(c);
  return b;
}
}  // namespace

void TAlignGridCore::SetSelectedColorCell(int col, int row, TColor c) {
  if (col < 0 || row < 0) return;
  const TMyBrush b = ColourBrush(c);
  CellRecord(col, row).SetSelectedBrush(&b);
  Invalidate();
}
void TAlignGridCore::SetSelectedColorCol(int col, TColor c) {
  if (col < 0) return;
  const TMyBrush b = ColourBrush(c);
  LineRecord(PropCol, col).SetSelectedBrush(&b);
  Invalidate();
}
void TAlignGridCore::SetSelectedColorRow(int row, TColor c) {
  if (row < 0) return;
  const TMyBrush b = ColourBrush(c);
  LineRecord(PropRow, row).SetSelectedBrush(&b);
  Invalidate();
}

void TAlignGridCore::SetHintCell(int col, int row, const std::string& hint) {
  if (col < 0 || row < 0) return;
  if (hint.empty())
    HintCell.Erase(col, row);
  else
    HintCell.At(col, row) = hint;
}

// --- Rows and columns ------------------------------------------------------

namespace {
// Where an index lands when the entry at from moves to to in a list.
int MovedIndex(int i, int from, int to) {
  if (i == from) return to;
  if (from < to && i > from && i <= to) return i - 1;
  if (to < from && i >= to && i < from) return i + 1;
  return i;
}
}  // namespace

void TAlignGridCore::InsertCol(int index) {
  if (Data.ColCount() >= kMaxGridCount) return;
  index = std::clamp(index, Data.FixedCols(), Data.ColCount());
  const int col = Data.Col();
  PropCol.InsertAt(index);
  PropCell.InsertCol(index);
  HintCell.InsertCol(index);
  Data.InsertColData(index);
  if (index <= col) Data.SetColRaw(col + 1);
  if (EditedCol >= 0 && index <= EditedCol) ++EditedCol;
  Invalidate();
}

void TAlignGridCore::InsertRow(int index) {
  if (Data.RowCount() >= kMaxGridCount) return;
  index = std::clamp(index, Data.FixedRows(), Data.RowCount());
  const int row = Data.Row();
  PropRow.InsertAt(index);
  PropCell.InsertRow(index);
  HintCell.InsertRow(index);
  Data.InsertRowData(index);
  if (index <= row) Data.SetRowRaw(row + 1);
  if (EditedRow >= 0 && index <= EditedRow) ++EditedRow;
  Invalidate();
}

void TAlignGridCore::ExchangeCols(int a, int b) {
  if (a == b || a < 0 || b < 0 || a >= Data.ColCount() || b >= Data.ColCount()) return;
  PropCol.Exchange(a, b);
  PropCell.ExchangeCols(a, b);
  HintCell.ExchangeCols(a, b);
  Data.ExchangeColData(a, b);
  if (Data.Col() == a)
    Data.SetColRaw(b);
  else if (Data.Col() == b)
    Data.SetColRaw(a);
  if (EditedCol == a)
    EditedCol = b;
  else if (EditedCol == b)
    EditedCol = a;
}

void TAlignGridCore::ExchangeRows(int a, int b) {
  if (a == b || a < 0 || b < 0 || a >= Data.RowCount() || b >= Data.RowCount()) return;
  PropRow.Exchange(a, b);
  PropCell.ExchangeRows(a, b);
  HintCell.ExchangeRows(a, b);
  Data.ExchangeRowData(a, b);
  if (Data.Row() == a)
    Data.SetRowRaw(b);
  else if (Data.Row() == b)
    Data.SetRowRaw(a);
  if (EditedRow == a)
    EditedRow = b;
  else if (EditedRow == b)
    EditedRow = a;
}

void TAlignGridCore::MovePropsCol(int from, int to) {
  if (from == to || from < 0 || to < 0) return;
  PropCol.Move(from, to);
  PropCell.MoveCol(from, to);
  HintCell.MoveCol(from, to);
  if (EditedCol >= 0) EditedCol = MovedIndex(EditedCol, from, to);
}

void TAlignGridCore::MovePropsRow(int from, int to) {
  if (from == to || from < 0 || to < 0) return;
  PropRow.Move(from, to);
  PropCell.MoveRow(from, to);
  HintCell.MoveRow(from, to);
  if (EditedRow >= 0) EditedRow = MovedIndex(EditedRow, from, to);
}

void TAlignGridCore::MoveColumn(int from, int to) {
  if (from == to || from < 0 || to < 0 || from >= Data.ColCount() || to >= Data.ColCount()) return;
  const int col = MovedIndex(Data.Col(), from, to);
  MovePropsCol(from, to);
  Data.MoveColData(from, to);
  Data.SetColRaw(col);
  Invalidate();
}

void TAlignGridCore::MoveRow(int from, int to) {
  if (from == to || from < 0 || to < 0 || from >= Data.RowCount() || to >= Data.RowCount()) return;
  const int row = MovedIndex(Data.Row(), from, to);
  MovePropsRow(from, to);
  Data.MoveRowData(from, to);
  Data.SetRowRaw(row);
  Invalidate();
}

// --- Clipboard texts -------------------------------------------------------

TGridRect TAlignGridCore::NormalizedCopyRange(TGridRect r) const {
  if (r.Right < r.Left || r.Right < 0) r.Right = Data.ColCount() - 1;
  if (r.Left < 0) r.Left = 0;
  if (r.Bottom < r.Top || r.Bottom < 0) r.Bottom = Data.RowCount() - 1;
  if (r.Top < 0) r.Top = 0;
  r.Right = std::min(r.Right, Data.ColCount() - 1);
  r.Bottom = std::min(r.Bottom, Data.RowCount() - 1);
  return r;
}

std::string TAlignGridCore::CopyToText(char separator, TGridRect range) const {
  const TGridRect r = NormalizedCopyRange(range);
  std::string out;
  for (int row = r.Top; row <= r.Bottom; ++row) {
    for (int col = r.Left; col <= r.Right; ++col) {
      out += Data.Cell(col, row);
      out += separator;
    }
    out += "\r\n";
  }
  return out;
}

namespace {
// Lines split at CR LF, a lone CR or a lone LF; a final line break adds no line.
std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}
}  // namespace

void TAlignGridCore::PasteFromText(const std::string& full, char separator, TGridRect r) {
  const std::string text = full.substr(0, full.find('\0'));
  if (r.Top < 0) r.Top = 0;
  if (r.Left < 0) r.Left = 0;
  if (r.Bottom < r.Top) r.Bottom = INT_MAX;
  if (r.Right < r.Left) r.Right = INT_MAX;
  std::int64_t row = r.Top;
  bool changed = false;
  for (const std::string& line : SplitLines(text)) {
    if (row > r.Bottom || row >= kMaxGridCount) break;
    if (Data.RowCount() <= row) SetGridRowCount(static_cast<int>(row) + 1);
    std::string s = line + separator;
    std::int64_t col = r.Left;
    while (col <= r.Right && col < kMaxGridCount && s.size() > 1) {
      if (col >= Data.ColCount()) SetGridColCount(static_cast<int>(col) + 1);
      const std::size_t sep = s.find(separator);
      const int c = static_cast<int>(col);
      const int rw = static_cast<int>(row);
      if (!PasteOnlyEditable || GetEditCell(c, rw)) {
        Data.SetCell(c, rw, s.substr(0, sep));
        changed = true;
      }
      s.erase(0, sep + 1);
      ++col;
    }
    ++row;
  }
  if (changed) Invalidate();
}

void TAlignGridCore::ClearRange(TGridRect range) {
  const TGridRect r = NormalizedCopyRange(range);
  for (int row = r.Top; row <= r.Bottom; ++row)
    for (int col = r.Left; col <= r.Right; ++col)
      if (!PasteOnlyEditable || GetEditCell(col, row)) Data.SetCell(col, row, std::string());
  Invalidate();
}

// --- Sort ------------------------------------------------------------------

namespace {
t_relation CompareTexts(const std::string& a, const std::string& b) {
  const int c = a.compare(b);  // char_traits<char>::compare compares as unsigned char
  return c < 0 ? relSmaller : c == 0 ? relEqual : relGreater;
}
}  // namespace

t_relation TAlignGridCore::CompareColCells(int colrow, int a, int b) const {
  return CompareTexts(Data.Cell(colrow, a), Data.Cell(colrow, b));
}

t_relation TAlignGridCore::CompareRowCells(int colrow, int a, int b) const {
  return CompareTexts(Data.Cell(a, colrow), Data.Cell(b, colrow));
}

void TAlignGridCore::SortColRow(int colrow, int first, int last, bool sortRows, bool ascending) {
  const int count = sortRows ? Data.RowCount() : Data.ColCount();
  first = std::max(first, 0);
  last = std::min(last, count - 1);
  if (colrow < 0 || last - first <= 0) return;
  const t_relation wanted = ascending ? relSmaller : relGreater;
  auto compare = [&](int a, int b) {
    if (sortRows)
      return OnCompareCol ? OnCompareCol(colrow, a, b) : CompareColCells(colrow, a, b);
    return OnCompareRow ? OnCompareRow(colrow, a, b) : CompareRowCells(colrow, a, b);
  };
  auto exchange = [&](int a, int b) {
    if (sortRows)
      ExchangeRows(a, b);
    else
      ExchangeCols(a, b);
  };
  auto partition = [&](int lo, int hi) {
    int i = lo;
    int j = hi - 1;
    for (;;) {
      while (i < hi && compare(i, hi) == wanted) ++i;
      while (j > lo && compare(hi, j) == wanted) --j;
      if (j <= i) break;
      exchange(i, j);
      ++i;
      --j;
    }
    exchange(i, hi);
    return i;
  };
  // The same partition on a range in order but for its last line (the
  // pivot), under the grid's own comparisons (a total order of the texts).
  // The rising index stops at the first line not before the pivot, the
  // falling one at the last line the pivot is not before (or at lo): both
  // found by halving.  Any lines between them equal the pivot, so the scan
  // only exchanges equal lines pairwise and then the pivot: exactly the
  // exchanges of the scan above, without its comparisons.  Afterwards the
  // lower part is in order and the upper one in order but for its last
  // line, so sorted or nearly sorted input costs n log n, not n squared;
  // input in reverse order is handled below in n.
  auto firstWhere = [](int a, int b, auto pred) {  // pred false...true on [a, b)
    while (a < b) {
      const int m = a + (b - a) / 2;
      if (pred(m))
        b = m;
      else
        a = m + 1;
    }
    return a;
  };
  auto partitionOrdered = [&](int lo, int hi) {
    int i = firstWhere(lo, hi, [&](int k) { return compare(k, hi) != wanted; });
    int j = std::max(lo, firstWhere(lo, hi, [&](int k) { return compare(hi, k) == wanted; }) - 1);
    while (j > i) {
      exchange(i, j);
      ++i;
      --j;
    }
    exchange(i, hi);
    return i;
  };
  const bool own = OwnComparison(sortRows);
  auto orderedButLast = [&](int lo, int hi) {
    if (!own) return false;
    for (int k = lo; k + 1 < hi; ++k)
      if (compare(k + 1, k) == wanted) return false;
    return true;
  };
  // A range in strictly the opposite order (each line before the one
  // above it): the scan exchanges its ends and leaves the pivot at the
  // lowest place, then the old first line, now last and the greatest, stays
  // where it is (an exchange with itself), and the same follows inside.
  auto reversed = [&](int lo, int hi) {
    if (!own) return false;
    for (int k = lo; k < hi; ++k)
      if (compare(k + 1, k) != wanted) return false;
    return true;
  };
  auto sortReversed = [&](int lo, int hi) {
    while (hi - lo > 0) {
      exchange(lo, hi);
      ++lo;
      if (hi - lo > 0) {
        exchange(hi, hi);
        --hi;
      }
    }
  };
  // Recurse into the smaller part and loop over the larger, so that the
  // depth stays logarithmic whatever the comparisons say.
  std::function<void(int, int, bool)> sort = [&](int lo, int hi, bool ordered) {
    while (hi - lo > 0) {
      if (!ordered && reversed(lo, hi)) {
        sortReversed(lo, hi);
        return;
      }
      if (!ordered) ordered = orderedButLast(lo, hi);
      const int p = ordered ? partitionOrdered(lo, hi) : partition(lo, hi);
      if (p - lo < hi - p) {
        sort(lo, p - 1, ordered);
        lo = p + 1;
      } else {
        sort(p + 1, hi, ordered);
        hi = p - 1;
      }
    }
  };
  sort(first, last, false);
  Invalidate();
}

// --- Navigation ------------------------------------------------------------

T_nextcell TAlignGridCore::Reversed(T_nextcell d) {
  switch (d) {
    case nc_rightdown: return nc_leftup;
    case nc_leftup: return nc_rightdown;
    case nc_downright: return nc_upleft;
    case nc_upleft: return nc_downright;
    case nc_leftdown: return nc_rightup;
    case nc_rightup: return nc_leftdown;
    case nc_downleft: return nc_upright;
    case nc_upright: return nc_downleft;
  }
  return d;
}

void TAlignGridCore::NextCell(T_nextcell direction, T_lastcell action, int& col, int& row) {
  const int FC = Data.FixedCols(), FR = Data.FixedRows();
  const int CC = Data.ColCount(), RC = Data.RowCount();
  bool end = false;
  switch (direction) {
    case nc_rightdown:
      if (++col >= CC) col = FC, ++row;
      end = row >= RC;
      break;
    case nc_downright:
      if (++row >= RC) row = FR, ++col;
      end = col >= CC;
      break;
    case nc_leftdown:
      if (--col < FC) col = CC - 1, ++row;
      end = row >= RC;
      break;
    case nc_downleft:
      if (++row >= RC) row = FR, --col;
      end = col < FC;
      break;
    case nc_leftup:
      if (--col < FC) col = CC - 1, --row;
      end = row < FR;
      break;
    case nc_upleft:
      if (--row < FR) row = RC - 1, --col;
      end = col < FC;
      break;
    case nc_rightup:
      if (++col >= CC) col = FC, --row;
      end = row < FR;
      break;
    case nc_upright:
      if (--row < FR) row = RC - 1, ++col;
      end = col >= CC;
      break;
  }
  if (!end) return;
  col = row = -1;
  switch (action) {
    case lc_newcolrow:
      switch (direction) {
        case nc_rightdown: InsertRow(RC); col = FC; row = Data.RowCount() - 1; break;
        case nc_downright: InsertCol(CC); col = Data.ColCount() - 1; row = FR; break;
        case nc_leftdown: InsertRow(RC); col = CC - 1; row = Data.RowCount() - 1; break;
        case nc_downleft: InsertCol(FC); col = FC; row = FR; break;
        case nc_leftup: InsertRow(FR); col = CC - 1; row = FR; break;
        case nc_upleft: InsertCol(FC); col = FC; row = RC - 1; break;
        case nc_rightup: InsertRow(FR); col = FC; row = FR; break;
        case nc_upright: InsertCol(CC); col = Data.ColCount() - 1; row = RC - 1; break;
      }
      break;
    case lc_stop:
      break;
    case lc_first:
      switch (direction) {
        case nc_rightdown: case nc_downright: col = FC; row = FR; break;
        case nc_leftdown: case nc_downleft: col = CC - 1; row = FR; break;
        case nc_leftup: case nc_upleft: col = CC - 1; row = RC - 1; break;
        case nc_rightup: case nc_upright: col = FC; row = RC - 1; break;
      }
      break;
    case lc_exit:
      FocusNextControl();
      break;
  }
}

void TAlignGridCore::NextEditCell(int& col, int& row) {
  const int startCol = col, startRow = row;
  for (;;) {
    const int cc = Data.ColCount(), rc = Data.RowCount();
    NextCell(NextCellEdit, AfterLastCellEdit, col, row);
    if (col == startCol && row == startRow) return;
    if (col == -1 && row == -1) return;
    if (cc != Data.ColCount() || rc != Data.RowCount()) return;
    if (GetEditCell(col, row)) return;
  }
}

void TAlignGridCore::TabTarget(bool reverse, int& col, int& row) {
  const T_nextcell dir = reverse ? Reversed(NextCellTab) : NextCellTab;
  const int startCol = col, startRow = row;
  bool anyStop = false;
  for (int c = Data.FixedCols(); c < Data.ColCount() && !anyStop; ++c) anyStop = IsTabStop(c);
  int insertions = 0;
  for (;;) {
    const int cc = Data.ColCount(), rc = Data.RowCount();
    NextCell(dir, AfterLastCellTab, col, row);
    if (col == startCol && row == startRow) return;
    if (col == -1 && row == -1) {
      col = startCol;
      row = startRow;
      return;
    }
    if (IsTabStop(col)) return;
    // With no column to stop at, one new row or column is enough; a walk
    // that only ever meets new columns which are no stops (a new first
    // column, again and again) ends at the second one.
    if (cc != Data.ColCount() || rc != Data.RowCount()) {
      if (!anyStop || ++insertions >= 2) return;
    }
  }
}
