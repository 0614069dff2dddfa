// TStringAlignGrid: a string grid whose cells carry alignment, word wrap,
// editability, brush and font set per cell, column, row, fixed column and
// fixed row (see aligrid/core/AlignCore.h for the lookup order), with
// in-place editing events, the next-cell rules after Enter and on Tab, cell
// hints, clipboard exchange of cell ranges and sorting.
//
// Editing events, for a cell (col, row):
//  - OnBeforeEdit when the editor opens on the cell (once per cell; it may
//    change the cell's text, which the editor then shows);
//  - OnValidateEdit(col, row, ok) when the edit ends by Enter, by moving to
//    another cell or by the focus leaving the grid; ok false puts the user
//    back into the cell with the editor open;
//  - OnAfterEdit after an accepted edit (after the move that ended it);
//  - OnCancelEdit after Escape, which restores the text the cell had when
//    the edit began.
// The editor writes the cell as the user types.  These hand-overs run as
// queued calls after the key or focus change that caused them, in order,
// and are dropped when the grid is gone.
//
// Keys: Tab and Shift+Tab step by NextCellTab with the AfterLastCellTab
// rule (the grid needs goTabs to receive Tab); Enter with AutoEditNextCell
// opens the next editable cell by NextCellEdit/AfterLastCellEdit;
// Shift+Insert pastes, Ctrl+Insert copies, Shift+Delete cuts the selection
// as Tab-separated lines through the platform's clipboard.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "aligrid/core/AlignCore.h"
#include "aligrid/widget/StringGrid.h"

class TStringAlignGrid;

// Where and how a cell hint shows.
struct THintInfo {
  QPoint HintPos;     // screen point: the cell's left edge, its bottom + 6
  QPoint CursorPos;   // viewport point of the mouse
  QRect CursorRect;   // the cell's rectangle in the viewport
};

using TCellEvent = std::function<void(TStringAlignGrid* sender, int col, int row)>;
using TCellEventBool = std::function<void(TStringAlignGrid* sender, int col, int row, bool& result)>;
using TShowHintCellProc = std::function<void(TStringAlignGrid* sender, int col, int row,
                                             std::string& hintStr, bool& canShow, THintInfo& info)>;
using TCompareFunction =
    std::function<t_relation(TStringAlignGrid* sender, int colrow, int compare1, int compare2)>;
using TColEvent = std::function<void(TStringAlignGrid* sender, int col)>;
using TRowEvent = std::function<void(TStringAlignGrid* sender, int row)>;
using TNotifyEvent = std::function<void(TStringAlignGrid* sender)>;
using TDrawTextHook = std::function<void(TStringAlignGrid* grid, int col, int row, TMyAlign& align,
                                         T_Wordwrap& wrap)>;
using TSortHandler =
    std::function<void(int colrow, int first, int last, bool sortRows, bool ascending)>;

class TNewInplaceEdit : public TInplaceEdit {
  Q_OBJECT
 public:
  explicit TNewInplaceEdit(TStringAlignGrid* grid);
  TMyAlign Alignment() const { return alignment_; }
  void SetAlignment(TMyAlign a);
  // The cell whose text the editor holds; -1 when none.
  int EditCol() const;
  int EditRow() const;

  bool MultiLine = false;
  bool BeforeEdit = false;
  std::string OldText;

 protected:
  void KeyDown(int& key, TShiftState shift) override;
  void KeyPress(char& key) override;

 private:
  TStringAlignGrid* align_;
  TMyAlign alignment_ = alLeft;
};

class TStringAlignGrid : public TStringGrid {
  Q_OBJECT
 public:
  explicit TStringAlignGrid(QWidget* parent = nullptr);
  ~TStringAlignGrid() override;

  // The property store and lookups (all accessor families live there).
  TAlignGridCore& Props() { return *core_; }
  const TAlignGridCore& Props() const { return *core_; }

  // --- Grid-wide properties --------------------------------------------------
  TMyAlign Alignment() const { return core_->Alignment; }
  void SetAlignment(TMyAlign a);
  T_Wordwrap Wordwrap() const { return core_->Wordwrap; }
  void SetWordwrap(T_Wordwrap w);
  bool Editable() const { return core_->Editable; }
  void SetEditable(bool on) { core_->Editable = on; }
  void SetFixedColor(TColor c) override;
  TColor SelectedCellColor() const { return core_->SelectedCellColor; }
  void SetSelectedCellColor(TColor c);
  TColor SelectedFontColor() const { return core_->SelectedFontColor; }
  void SetSelectedFontColor(TColor c);
  void SetDrawSelection(bool on);
  void SetAutoAdjustLastCol(bool on);
  void SetGridLineWidth(int w) override;
  bool RedrawWhileScroll() const { return redrawWhileScroll_; }
  void SetRedrawWhileScroll(bool on);
  // Letter squares: a cell's text is one line whose baseline is placed so
  // that the tallest accented capitals and the deepest cedillas and ogoneks
  // of its font would lie within the cell together, centred in its height;
  // every cell shares that baseline.  Off: the text hangs from the top.
  void SetWholeLetters(bool on);
  // The ink those letters take together around the baseline in a font:
  // top() above it (negative), bottom() below it.
  static QRect LetterInk(const QFont& font);
  TMyFont& FixedFont() { return core_->FixedFont; }
  TMyBrush& FixedBrush() { return core_->FixedBrush; }

  bool ShowCellHints = true;
  bool SelectEditText = true;
  bool EditMultiline = false;
  bool AutoEditNextCell = false;
  bool HandleClipboard = true;
  // Two switches that repaint the whole grid after every scroll.
  bool RepaintAfterScroll = false;
  bool RepaintFixedAfterScroll = false;
  bool& Designing() { return core_->Designing; }
  bool& PasteOnlyEditable() { return core_->PasteOnlyEditable; }
  bool& ForceEditable() { return core_->ForceEditable; }
  int& FixedStyleCols() { return core_->FixedStyleCols; }
  int& FixedStyleRows() { return core_->FixedStyleRows; }
  T_nextcell& NextCellEdit() { return core_->NextCellEdit; }
  T_nextcell& NextCellTab() { return core_->NextCellTab; }
  T_lastcell& AfterLastCellEdit() { return core_->AfterLastCellEdit; }
  T_lastcell& AfterLastCellTab() { return core_->AfterLastCellTab; }

  // --- The accessors the programs use ------------------------------------------
  bool IsFixedCell(int col, int row) const { return core_->IsFixedCell(col, row); }
  TMyAlign GetAlignCell(int col, int row) const { return core_->GetAlignCell(col, row); }
  T_Wordwrap GetWordwrapCell(int col, int row) const { return core_->GetWordwrapCell(col, row); }
  bool GetEditCell(int col, int row) const { return core_->GetEditCell(col, row); }
  TColor GetColorCell(int col, int row) const { return core_->GetColorCell(col, row); }
  TColor GetSelectedColorCell(int col, int row) const { return core_->GetSelectedColorCell(col, row); }
  TColor GetSelectedFontColorCell(int col, int row) const {
    return core_->GetSelectedFontColorCell(col, row);
  }
  const TMyFont& GetCellFont(int col, int row) const { return core_->GetCellFont(col, row); }
  const TMyBrush& GetCellBrush(int col, int row) const { return core_->GetCellBrush(col, row); }
  std::string GetHintCell(int col, int row) const { return core_->GetHintCell(col, row); }
  void SetHintCell(int col, int row, const std::string& hint) { core_->SetHintCell(col, row, hint); }
  void SetAlignCell(int col, int row, TMyAlign a) { core_->SetAlignCell(col, row, a); }
  void SetAlignCol(int col, TMyAlign a) { core_->SetAlignCol(col, a); }
  void SetFixedAlignCol(int col, TMyAlign a) { core_->SetFixedAlignCol(col, a); }
  void SetAlignRow(int row, TMyAlign a) { core_->SetAlignRow(row, a); }
  void SetFixedAlignRow(int row, TMyAlign a) { core_->SetFixedAlignRow(row, a); }
  void SetEditCell(int col, int row, bool b) { core_->SetEditCell(col, row, b); }
  void SetEditCol(int col, bool b) { core_->SetEditCol(col, b); }
  void SetEditRow(int row, bool b) { core_->SetEditRow(row, b); }
  TMyFont& GetFontCell(int col, int row) { return core_->GetFontCell(col, row); }
  TMyFont& GetFontCol(int col) { return core_->GetFontCol(col); }
  TMyFont& GetFontFixedCol(int col) { return core_->GetFontFixedCol(col); }
  TMyFont& GetFontRow(int row) { return core_->GetFontRow(row); }
  TMyFont& GetFontFixedRow(int row) { return core_->GetFontFixedRow(row); }
  TMyBrush& GetBrushCell(int col, int row) { return core_->GetBrushCell(col, row); }
  TMyBrush& GetBrushCol(int col) { return core_->GetBrushCol(col); }
  TMyBrush& GetBrushFixedCol(int col) { return core_->GetBrushFixedCol(col); }
  TMyBrush& GetBrushRow(int row) { return core_->GetBrushRow(row); }
  TMyBrush& GetBrushFixedRow(int row) { return core_->GetBrushFixedRow(row); }
  void SetColorFixedRow(int row, TColor c) { core_->SetColorFixedRow(row, c); }
  void SetSelectedColorCell(int col, int row, TColor c) { core_->SetSelectedColorCell(col, row, c); }
  void SetSelectedColorCol(int col, TColor c) { core_->SetSelectedColorCol(col, c); }
  void SetSelectedColorRow(int row, TColor c) { core_->SetSelectedColorRow(row, c); }

  // --- Rows and columns (properties, hints, texts and objects together) ------
  void InsertCol(int index);
  void InsertRow(int index);
  void ExchangeCols(int a, int b);
  void ExchangeRows(int a, int b);

  // --- Editing -----------------------------------------------------------------
  void StartCellEdit();
  void EndCellEdit(bool cancel);
  bool Editing() const { return editing_; }
  // After the grid's settings were loaded: the streamed cell texts, and the
  // editing state as a new form.
  virtual void Loaded();
  // The grid's counts, hints, texts and property lists as a stream, and
  // back.  A malformed stream keeps what was read before the fault and
  // throws EStreamError.
  std::string SaveToStream();
  void LoadFromStream(const std::string& bytes);

  // --- Clipboard, sort, layout ---------------------------------------------------
  void CopyToClipboard(char separator, TGridRect range);
  void PasteFromClipboard(char separator, TGridRect range);
  void WMCopy();
  void WMCut();
  void WMPaste();
  void SortColRow(int colrow, int first, int last, bool sortRows, bool ascending);
  void AdjustLastCol();

  // --- Events --------------------------------------------------------------------
  TCellEvent OnBeforeEdit, OnAfterEdit, OnCancelEdit;
  TCellEventBool OnValidateEdit;
  TShowHintCellProc OnShowHintCell;
  TCompareFunction OnCompareCol, OnCompareRow;  // none: the texts' bytes
  TNotifyEvent OnColWidthsChanged, OnRowHeightsChanged;
  TColEvent OnFixedColClick;
  TRowEvent OnFixedRowClick;
  TDrawTextHook DrawTextHook;
  TSortHandler SortHandler;

 protected:
  TInplaceEdit* CreateEditor() override;
  bool CanEditShow() override;
  void DrawCell(int col, int row, QRect rect, TGridDrawState state) override;
  virtual void PrepareCellCanvas(int col, int row, QRect& rect, TGridDrawState state);
  virtual void DrawCellText(int col, int row, QRect rect, TGridDrawState state);
  void KeyDown(int& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void WMChar(char key) override;
  void MouseDown(Qt::MouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(Qt::MouseButton button, TShiftState shift, int x, int y) override;
  void RowMoved(int from, int to) override;
  void ColumnMoved(int from, int to) override;
  void TopLeftChanged() override;
  void ColWidthsChanged() override;
  void RowHeightsChanged() override;
  void DoEnter() override;
  void DoExit() override;
  void Resized() override;
  // With RedrawWhileScroll the grid follows a dragged scroll box.
  bool ThumbTracking() const override { return redrawWhileScroll_ || TStringGrid::ThumbTracking(); }
  bool viewportEvent(QEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;

  // The hand-over steps (run as queued calls, WMEditBegin directly).
  void WMEditCancel(int col, int row);
  void WMEditEnter(int col, int row);
  void WMEditLeave(int col, int row);
  void WMEditBegin(int col, int row);
  void WMEditRestore();
  void WMEditIdle() {}
  void Post(std::function<void()> call);
  void SetupEditor();
  TNewInplaceEdit* NewEditor() const;

 private:
  friend class TNewInplaceEdit;
  class Core;
  void Commit(int col, int row, bool enter);
  void RefreshEditor();
  std::unique_ptr<TAlignGridCore> core_;
  bool editing_ = false;
  bool editorOpenAtExit_ = false;
  int savedSelStart_ = 0;
  int savedSelLength_ = 0;
  bool drawSelection_ = true;
  bool autoAdjustLastCol_ = false;
  bool redrawWhileScroll_ = false;
  bool wholeLetters_ = false;
  int hintCol_ = -1, hintRow_ = -1;
};
