#include "aligrid/core/GridData.h"

#include <algorithm>

namespace {
const std::string kEmpty;
}

void TStringGridData::SetColCount(int n) {
  n = std::clamp(n, 1, kMaxGridCount);
  if (n < colCount_) {
    texts_.Truncate(n, rowCount_);
    objects_.Truncate(n, rowCount_);
  }
  colCount_ = n;
  if (fixedCols_ >= n) fixedCols_ = n - 1;
  ClampCurrent();
}

void TStringGridData::SetRowCount(int n) {
  n = std::clamp(n, 1, kMaxGridCount);
  if (n < rowCount_) {
    texts_.Truncate(colCount_, n);
    objects_.Truncate(colCount_, n);
  }
  rowCount_ = n;
  if (fixedRows_ >= n) fixedRows_ = n - 1;
  ClampCurrent();
}

void TStringGridData::SetFixedCols(int n) {
  fixedCols_ = std::clamp(n, 0, colCount_ - 1);
  ClampCurrent();
}

void TStringGridData::SetFixedRows(int n) {
  fixedRows_ = std::clamp(n, 0, rowCount_ - 1);
  ClampCurrent();
}

void TStringGridData::ClampCurrent() {
  col_ = std::clamp(col_, fixedCols_, colCount_ - 1);
  row_ = std::clamp(row_, fixedRows_, rowCount_ - 1);
}

void TStringGridData::SetColRaw(int c) {
  col_ = c;
  ClampCurrent();
}

void TStringGridData::SetRowRaw(int r) {
  row_ = r;
  ClampCurrent();
}

const std::string& TStringGridData::Cell(int col, int row) const {
  const std::string* s = texts_.Find(col, row);
  return s ? *s : kEmpty;
}

void TStringGridData::SetCell(int col, int row, const std::string& text) {
  if (!InGrid(col, row)) return;
  if (text.empty())
    texts_.Erase(col, row);
  else
    texts_.At(col, row) = text;
}

void* TStringGridData::Object(int col, int row) const {
  void* const* o = objects_.Find(col, row);
  return o ? *o : nullptr;
}

void TStringGridData::SetObject(int col, int row, void* object) {
  if (!InGrid(col, row)) return;
  if (object == nullptr)
    objects_.Erase(col, row);
  else
    objects_.At(col, row) = object;
}

void TStringGridData::ExchangeRowData(int a, int b) {
  texts_.ExchangeRows(a, b);
  objects_.ExchangeRows(a, b);
}

void TStringGridData::ExchangeColData(int a, int b) {
  texts_.ExchangeCols(a, b);
  objects_.ExchangeCols(a, b);
}

void TStringGridData::MoveRowData(int from, int to) {
  texts_.MoveRow(from, to);
  objects_.MoveRow(from, to);
}

void TStringGridData::MoveColData(int from, int to) {
  texts_.MoveCol(from, to);
  objects_.MoveCol(from, to);
}

void TStringGridData::InsertRowData(int index) {
  SetRowCount(rowCount_ + 1);
  texts_.InsertRow(index);
  objects_.InsertRow(index);
}

void TStringGridData::InsertColData(int index) {
  SetColCount(colCount_ + 1);
  texts_.InsertCol(index);
  objects_.InsertCol(index);
}
