// The aligned grid without its window: per-cell, per-column, per-row and
// fixed-line display properties with their lookup, cell hints, keeping all
// of it with the cells when rows and columns are inserted, exchanged and
// moved, the next-cell and Tab rules, clipboard texts and the sort.
//
// It works on the texts of a TStringGridData owned by the caller.  The
// window derives from it to hide its editor around maintenance, repaint,
// and move the focus to the next control; the virtual steps below are
// where it does so.
//
// Lookup of alignment, word wrap and editability for a cell, first set
// value wins: the cell's record; the column's record (of the fixed-column
// list for a fixed cell, else of the column list); the row's record (fixed
// or not likewise); the grid-wide value.  Fonts and brushes are found the
// same way, ending at the fixed font/brush for fixed cells and the grid's
// font/brush for the others.  Selection colours look at cell, column and
// row records (never the fixed lists), then the grid's selection colours.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "aligrid/core/CellProperties.h"
#include "aligrid/core/GridData.h"
#include "aligrid/core/Sparse.h"
#include "aligrid/core/Stream.h"

using TPropLine = SparseLine<std::unique_ptr<TCellProperties>>;
using TPropGrid = SparseGrid<std::unique_ptr<TCellProperties>>;

class TAlignGridCore : public TStreamComponent {
 public:
  explicit TAlignGridCore(TStringGridData& data);
  virtual ~TAlignGridCore();
  TAlignGridCore(const TAlignGridCore&) = delete;
  TAlignGridCore& operator=(const TAlignGridCore&) = delete;

  TStringGridData& Data;

  // --- Grid-wide settings --------------------------------------------------
  TMyAlign Alignment = alLeft;
  T_Wordwrap Wordwrap = ww_none;
  bool Editable = true;
  TColor SelectedCellColor = clActiveCaption;
  TColor SelectedFontColor = clWhite;
  bool ForceEditable = false;
  bool PasteOnlyEditable = false;
  int FixedStyleCols = 0;
  int FixedStyleRows = 0;
  TMyFont FixedFont;    // a fresh default font, not a copy of the grid's
  TMyBrush FixedBrush;  // colour follows the grid's fixed colour
  T_nextcell NextCellEdit = nc_rightdown;
  T_nextcell NextCellTab = nc_rightdown;
  T_lastcell AfterLastCellEdit = lc_newcolrow;
  T_lastcell AfterLastCellTab = lc_first;
  // Makes every property record; a descendant may hand out its own class.
  std::function<std::unique_ptr<TCellProperties>(TAlignGridCore*)> CellPropertiesClass;
  // The comparisons of the sort; by default the texts' bytes.
  std::function<t_relation(int colrow, int a, int b)> OnCompareCol;
  std::function<t_relation(int colrow, int a, int b)> OnCompareRow;

  // The cell the editor holds, (-1, -1) when none; kept with its cell by
  // the maintenance below.
  int EditedCol = -1;
  int EditedRow = -1;

  // --- Stored properties ---------------------------------------------------
  TPropLine PropCol, PropRow, PropFixedCol, PropFixedRow;
  TPropGrid PropCell;
  SparseGrid<std::string> HintCell;

  // --- Lookups -------------------------------------------------------------
  bool IsFixedCell(int col, int row) const;
  TMyAlign GetAlignCell(int col, int row) const;
  T_Wordwrap GetWordwrapCell(int col, int row) const;
  bool GetEditCell(int col, int row) const;
  TColor GetColorCell(int col, int row) const;
  TColor GetSelectedColorCell(int col, int row) const;
  TColor GetSelectedFontColorCell(int col, int row) const;
  std::string GetHintCell(int col, int row) const;
  const TMyFont& GetCellFont(int col, int row) const;
  const TMyBrush& GetCellBrush(int col, int row) const;

  // --- Setters and creating getters ----------------------------------------
  // Negative indexes are ignored; a creating getter given one hands out a
  // scratch object that no lookup reads.
  void SetAlignCell(int col, int row, TMyAlign a);
  void SetAlignCol(int col, TMyAlign a);
  void SetFixedAlignCol(int col, TMyAlign a);
  void SetAlignRow(int row, TMyAlign a);
  void SetFixedAlignRow(int row, TMyAlign a);
  void SetWordwrapCell(int col, int row, T_Wordwrap w);
  void SetWordwrapCol(int col, T_Wordwrap w);
  void SetWordwrapRow(int row, T_Wordwrap w);
  void SetEditCell(int col, int row, bool editable);
  void SetEditCol(int col, bool editable);
  void SetEditRow(int row, bool editable);
  TMyFont& GetFontCell(int col, int row);
  TMyFont& GetFontCol(int col);
  TMyFont& GetFontFixedCol(int col);
  TMyFont& GetFontRow(int row);
  TMyFont& GetFontFixedRow(int row);
  TMyBrush& GetBrushCell(int col, int row);
  TMyBrush& GetBrushCol(int col);
  TMyBrush& GetBrushFixedCol(int col);
  TMyBrush& GetBrushRow(int row);
  TMyBrush& GetBrushFixedRow(int row);
  void SetColorFixedRow(int row, TColor c);
  void SetSelectedColorCell(int col, int row, TColor c);
  void SetSelectedColorCol(int col, TColor c);
  void SetSelectedColorRow(int row, TColor c);
  // An empty text removes the hint.
  void SetHintCell(int col, int row, const std::string& hint);

  // The record of a list at an index, created when missing (scratch for a
  // negative index).
  TCellProperties& CellRecord(int col, int row);
  TCellProperties& LineRecord(TPropLine& line, int index);

  // --- Rows and columns ----------------------------------------------------
  // Insert positions are raised to the fixed count and lowered to the
  // count; exchange and move ignore indexes outside the grid.  Properties,
  // hints, texts and objects travel together; the current and the edited
  // cell follow their content.
  virtual void InsertCol(int index);
  virtual void InsertRow(int index);
  virtual void ExchangeCols(int a, int b);
  virtual void ExchangeRows(int a, int b);
  // Properties, hints and the edited cell only (the texts are the base
  // grid's part of a move).
  void MovePropsCol(int from, int to);
  void MovePropsRow(int from, int to);
  // A whole move: properties, hints, texts, objects, current cell.
  void MoveColumn(int from, int to);
  void MoveRow(int from, int to);

  // --- Clipboard texts -----------------------------------------------------
  // Every cell of the range followed by the separator, every line by CR LF.
  // A range side below 0 (or right/bottom before left/top) means the grid's
  // edge; the range is clamped to the grid.
  std::string CopyToText(char separator, TGridRect range) const;
  // Fills the range from its top-left cell (a side below 0 means "from the
  // start", right/bottom before left/top "no limit"), growing the grid to
  // hold what is pasted.  The text is taken up to its first NUL.
  void PasteFromText(const std::string& text, char separator, TGridRect range);
  // Empties the cells of the range (only editable ones with PasteOnlyEditable).
  void ClearRange(TGridRect range);
  TGridRect NormalizedCopyRange(TGridRect range) const;

  // --- Sort ----------------------------------------------------------------
  t_relation CompareColCells(int colrow, int a, int b) const;
  t_relation CompareRowCells(int colrow, int a, int b) const;
  // Sorts rows (or columns) first..last by the texts of column (or row)
  // colrow, exchanging whole rows (columns) as it goes.
  void SortColRow(int colrow, int first, int last, bool sortRows, bool ascending);

  // --- Navigation ----------------------------------------------------------
  // One step in a direction with the end-of-grid rule; (-1, -1) when there
  // is no next cell.
  void NextCell(T_nextcell direction, T_lastcell action, int& col, int& row);
  // The next editable cell after an Enter.
  void NextEditCell(int& col, int& row);
  // Where Tab (Shift+Tab with reverse) goes from (col, row).
  void TabTarget(bool reverse, int& col, int& row);
  static T_nextcell Reversed(T_nextcell d);

  // --- Steps a window overrides --------------------------------------------
  virtual void Invalidate() {}
  virtual void FocusNextControl() {}
  virtual bool IsTabStop(int /*col*/) const { return true; }
  // Whether the sort compares with the grid's own text comparisons (true
  // unless a comparison of the caller's is set for rows or columns).
  virtual bool OwnComparison(bool rows) const { return rows ? !OnCompareCol : !OnCompareRow; }
  // Growing the grid for a paste.
  virtual void SetGridColCount(int n) { Data.SetColCount(n); }
  virtual void SetGridRowCount(int n) { Data.SetRowCount(n); }
  virtual void SetGridFixedCols(int n) { Data.SetFixedCols(n); }
  virtual void SetGridFixedRows(int n) { Data.SetFixedRows(n); }

  // --- Streaming (WriteComponent / ReadComponent) --------------------------
  // The counts and fixed counts, then the hints and cell texts (only when a
  // stream held them), the five property lists (always), and the older
  // property names (read only).  Indexes outside 0..65535 are skipped;
  // counts are kept within 1..65536.
  std::vector<std::pair<std::string, std::int32_t>> IntegerProperties() const override;
  void SetIntegerProperty(const std::string& name, std::int32_t value) override;
  void DefineProperties(TFiler& filer) override;
  // Every cell takes its streamed text, or none; the store is freed unless
  // the grid is being designed.
  void Loaded() override;
  static void WriteFont(TWriter& w, const TMyFont& f);
  static std::unique_ptr<TMyFont> ReadFont(TReader& r);
  static void WriteBrush(TWriter& w, const TMyBrush& b);
  static std::unique_ptr<TMyBrush> ReadBrush(TReader& r);
  bool Designing = false;
  bool HintsRead = false;
  bool CellsRead = false;
  std::unique_ptr<SparseGrid<std::string>> StreamedCells;

 protected:
  // The cell's, column's and row's records in lookup order (null when absent).
  struct Chain {
    const TCellProperties* rec[3];
  };
  Chain RecordsOf(int col, int row) const;
  TCellProperties* Scratch();
  std::unique_ptr<TCellProperties> NewRecord();
  void PrepareFont(TMyFont& f, const TMyFont& from);
  void PrepareBrush(TMyBrush& b, const TMyBrush& from);
  TMyFont& FontOf(TCellProperties& p, const TMyFont& from);
  TMyBrush& BrushOf(TCellProperties& p);

 private:
  std::unique_ptr<TCellProperties> scratch_;
};
