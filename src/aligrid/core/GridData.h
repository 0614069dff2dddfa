// What a plain string grid holds, without any window: the column and row
// counts and fixed counts, a text and an object per cell, the current cell,
// and the grid's own font, brush and fixed-cell colour.
//
// Texts and objects exist only inside the counts: cells outside the grid
// read as empty and ignore writes, and shrinking a count drops the cells
// that fall outside.  Counts are at least 1 and at most kMaxGridCount; a
// fixed count is always below its count.
#pragma once

#include <string>

#include "aligrid/core/FontBrush.h"
#include "aligrid/core/Sparse.h"

constexpr int kMaxGridCount = 1 << 20;

class TStringGridData {
 public:
  int ColCount() const { return colCount_; }
  int RowCount() const { return rowCount_; }
  int FixedCols() const { return fixedCols_; }
  int FixedRows() const { return fixedRows_; }
  void SetColCount(int n);
  void SetRowCount(int n);
  void SetFixedCols(int n);
  void SetFixedRows(int n);
  bool InGrid(int col, int row) const {
    return col >= 0 && row >= 0 && col < colCount_ && row < rowCount_;
  }

  const std::string& Cell(int col, int row) const;
  void SetCell(int col, int row, const std::string& text);
  void ClearTexts() { texts_.Clear(); }
  const SparseGrid<std::string>& Texts() const { return texts_; }
  void* Object(int col, int row) const;
  void SetObject(int col, int row, void* object);

  // The current (focus) cell.  The window moves it through its veto; these
  // only keep it inside the non-fixed cells.
  int Col() const { return col_; }
  int Row() const { return row_; }
  void SetColRaw(int c);
  void SetRowRaw(int r);

  // Texts and objects of whole rows and columns.  Indexes must be inside
  // the grid (callers check); a move shifts the rows between by one.
  void ExchangeRowData(int a, int b);
  void ExchangeColData(int a, int b);
  void MoveRowData(int from, int to);
  void MoveColData(int from, int to);
  // Adds a row or column at index (index <= count), shifting the later ones.
  void InsertRowData(int index);
  void InsertColData(int index);

  TMyFont Font;
  TMyBrush Brush;
  TColor FixedColor = clBtnFace;

 private:
  void ClampCurrent();
  int colCount_ = 5;
  int rowCount_ = 5;
  int fixedCols_ = 1;
  int fixedRows_ = 1;
  int col_ = 1;
  int row_ = 1;
  SparseGrid<std::string> texts_;
  SparseGrid<void*> objects_;
};
