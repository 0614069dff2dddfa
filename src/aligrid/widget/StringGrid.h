// TStringGrid: a grid of text cells on a scroll area, the base from which
// the aligned grid derives, and TInplaceEdit, its in-place editor.
//
// What the base does (the aligned grid and the programs rely on it):
//
// Cells and counts
//  - Texts (Windows-1252) and an untyped object per cell; cells outside the
//    counts read empty and ignore writes; shrinking a count drops them.
//  - ColCount/RowCount >= 1; FixedCols/FixedRows below them.  Fixed cells
//    are real cells with texts (headings), painted in the fixed colour and
//    never scrolled away.  New columns and rows get the default width and
//    height; widths and heights stay with their positions on insert and
//    travel with their column or row on a move.
// Current cell and selection
//  - Col/Row is the focus cell, always a non-fixed cell.  Every move of it
//    (mouse, keys, Tab, assigning Col or Row, FocusCell) first asks the
//    virtual SelectCell (by default the OnSelectCell event); a veto leaves
//    focus cell, selection and editor as they were.
//  - The selection is the rectangle between the anchor and the focus cell.
//    Without goRangeSelect the anchor follows the focus cell; with it Shift
//    (arrow keys or click) and dragging extend the selection.
//  - A keyboard move keeps the focus cell in view by scrolling TopRow and
//    LeftCol; arrows, Page Up/Down, Home/End (Ctrl for the grid's corners).
//  - Tab reaches the grid only with goTabs (otherwise, in the grid and in
//    its editor alike, Tab and Shift+Tab move the focus to the control after
//    or before the grid); the base then steps to the next column whose
//    TabStops flag is set (all are, until some are cleared).
// Editor
//  - One editor, made by the virtual CreateEditor the first time it is
//    shown and kept for the grid's life.  It is shown when the virtual
//    CanEditShow agrees: by default goEditing on, goRowSelect off and the
//    editor mode on.
//  - Editor mode goes on with F2, with Enter (which toggles it unless
//    goAlwaysShowEditor is set), with a click on the focus cell, and when a
//    printable character or Backspace is typed with goEditing: the editor
//    opens with all its text selected and receives the character.
//  - The editor writes the cell (SetEditText) as the user types.  Moving the
//    focus cell hides the editor unless goAlwaysShowEditor is set, in which
//    case it is shown again on the new cell.
//  - Up, Down, Page Up and Page Down typed in the editor move the grid's
//    focus cell; Left and Right do so at the edge of the text; Tab goes to
//    the grid.  Enter and Escape reach the grid's KeyPress.
// Keys
//  - A key event runs in two phases, as a desktop control sees it: the key
//    phase KeyDown(key, shift) with a Windows virtual-key code (the OnKeyDown
//    event first; a key set to 0 gets no further handling), then, for a key
//    that types a character and whatever the key phase did, the character phase
//    with the Windows-1252 code (Enter 13, Escape 27, Backspace 8, Tab 9,
//    Ctrl+letter 1-26) through WMChar and KeyPress (the OnKeyPress event
//    first).  A character outside Windows-1252 arrives as '&' and
//    KeyText() holds it whole as a character reference "&#NNNN;".
//  - Shift+Insert, Ctrl+Insert and Shift+Delete always reach the grid, even
//    where a window's menu uses them as shortcuts.
// Focus
//  - The grid and its editor count as one control: DoEnter runs when the
//    focus comes to either from elsewhere, DoExit when it leaves both.
// Moves and sizes
//  - MoveRow/MoveColumn move sizes and the focus cell and call the virtual
//    RowMoved/ColumnMoved, whose base moves the texts and objects as a list
//    move.  With goColMoving (goRowMoving) dragging a heading in the fixed
//    row (column) to another column (row) moves it there.
//  - With goColSizing (goRowSizing) the line after a column (row) in the
//    fixed cells can be dragged to size it.
// Painting
//  - Every visible cell is painted by the virtual DrawCell with its
//    rectangle (grid lines excluded) and state; before it the canvas holds
//    the grid's font and brush (the fixed colour for fixed cells, the
//    highlight colours for selected cells) and, with DefaultDrawing, the
//    cell is filled.  The base DrawCell draws the text 2 pixels in and
//    calls OnDrawCell.  Colours are 0x00BBGGRR; system colours come from
//    the palette.
#pragma once

#include <QAbstractScrollArea>
#include <QPlainTextEdit>
#include <functional>
#include <string>
#include <vector>

#include "aligrid/core/GridData.h"

class QPainter;
class TStringGrid;

enum TGridOption : unsigned {
  goFixedVertLine = 1u << 0,
  goFixedHorzLine = 1u << 1,
  goVertLine = 1u << 2,
  goHorzLine = 1u << 3,
  goRangeSelect = 1u << 4,
  goDrawFocusSelected = 1u << 5,
  goRowSizing = 1u << 6,
  goColSizing = 1u << 7,
  goRowMoving = 1u << 8,
  goColMoving = 1u << 9,
  goEditing = 1u << 10,
  goTabs = 1u << 11,
  goRowSelect = 1u << 12,
  goAlwaysShowEditor = 1u << 13,
  goThumbTracking = 1u << 14,
};
constexpr unsigned kDefaultGridOptions =
    goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

enum TGridDrawStateBits : unsigned { gdSelected = 1, gdFocused = 2, gdFixed = 4 };
using TGridDrawState = unsigned;

// Windows virtual-key codes used by the key phase.
enum : int {
  VK_BACK = 8, VK_TAB = 9, VK_RETURN = 13, VK_SHIFT = 16, VK_CONTROL = 17, VK_MENU = 18,
  VK_ESCAPE = 27, VK_SPACE = 32, VK_PRIOR = 33, VK_NEXT = 34, VK_END = 35, VK_HOME = 36,
  VK_LEFT = 37, VK_UP = 38, VK_RIGHT = 39, VK_DOWN = 40, VK_INSERT = 45, VK_DELETE = 46,
  VK_F2 = 113
};

// What a drawing step paints with.
class TGridCanvas {
 public:
  QPainter* Painter = nullptr;
  TMyFont Font;
  TMyBrush Brush;
  // Fills r with the brush's colour.
  void FillRect(const QRect& r);
  const TStringGrid* Grid = nullptr;
};

// The in-place editor: a frameless multi-line edit over the focus cell.
class TInplaceEdit : public QPlainTextEdit {
  Q_OBJECT
 public:
  explicit TInplaceEdit(TStringGrid* grid);
  TStringGrid* Grid() const { return grid_; }

  std::string Text() const;
  void SetText(const std::string& text);
  int SelStart() const;
  int SelLength() const;
  void SetSel(int start, int length);  // length -1: to the end
  void Deselect();                      // caret to the end, nothing selected
  void SelectAll();
  void SetEditFont(const TMyFont& font);
  void SetEditColor(TColor background);
  // The two phases of a key; the grid also hands characters straight to
  // the character phase.
  virtual void KeyDown(int& key, TShiftState shift);
  virtual void KeyPress(char& key);
  void CharMessage(char key, const QString& text);

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  bool event(QEvent* e) override;
  // Without goTabs, Tab and Shift+Tab in the editor leave the grid.
  bool focusNextPrevChild(bool next) override;
  // Refills the text from the grid's focus cell without writing it back.
  void UpdateContents();
  friend class TStringGrid;
  bool updating_ = false;

 private:
  void TextEdited();
  TStringGrid* grid_;
};

class TStringGrid : public QAbstractScrollArea {
  Q_OBJECT
 public:
  explicit TStringGrid(QWidget* parent = nullptr);
  ~TStringGrid() override;

  // --- Cells and counts ----------------------------------------------------
  int ColCount() const { return data_.ColCount(); }
  int RowCount() const { return data_.RowCount(); }
  int FixedCols() const { return data_.FixedCols(); }
  int FixedRows() const { return data_.FixedRows(); }
  void SetColCount(int n);
  void SetRowCount(int n);
  void SetFixedCols(int n);
  void SetFixedRows(int n);
  std::string Cells(int col, int row) const { return data_.Cell(col, row); }
  void SetCells(int col, int row, const std::string& text);
  TStringGridData& GridData() { return data_; }

  // --- Sizes ---------------------------------------------------------------
  void SetDefaultColWidth(int w);   // also sets every column's width
  void SetDefaultRowHeight(int h);  // also sets every row's height
  int ColWidths(int col) const;
  int RowHeights(int row) const;
  void SetColWidths(int col, int w);
  void SetRowHeights(int row, int h);
  int GridLineWidth() const { return gridLineWidth_; }
  virtual void SetGridLineWidth(int w);
  unsigned Options() const { return options_; }
  void SetOptions(unsigned o);
  void SetScrollBars(TScrollStyle s);
  bool DefaultDrawing() const { return defaultDrawing_; }
  void SetDefaultDrawing(bool on);
  TMyFont& Font() { return data_.Font; }
  TMyBrush& Brush() { return data_.Brush; }
  TColor FixedColor() const { return data_.FixedColor; }
  virtual void SetFixedColor(TColor c);
  bool TabStops(int col) const;
  void SetTabStops(int col, bool stop);

  // --- Position ------------------------------------------------------------
  int Col() const { return data_.Col(); }
  int Row() const { return data_.Row(); }
  void SetCol(int c);  // through SelectCell
  void SetRow(int r);
  // Moves the focus cell (through SelectCell); the anchor too when asked.
  void FocusCell(int col, int row, bool moveAnchor);
  TGridRect Selection() const;
  void SetSelection(TGridRect r);
  int TopRow() const { return topRow_; }
  int LeftCol() const { return leftCol_; }
  void SetTopRow(int r);
  void SetLeftCol(int c);
  int VisibleColCount() const;
  int VisibleRowCount() const;
  // The cell's rectangle in the viewport (grid lines excluded); empty when
  // the cell is not in view.
  QRect CellRect(int col, int row) const;
  // The cell at a viewport point; -1 for a position beside the cells.
  void MouseToCell(int x, int y, int& col, int& row) const;

  // --- Editor --------------------------------------------------------------
  bool EditorMode() const { return editorMode_; }
  void SetEditorMode(bool on);
  void ShowEditor();
  void HideEditor();
  TInplaceEdit* InplaceEditor() const { return editor_; }
  // Whether the editor may change the text (true here).
  virtual bool CanEditModify();

  // --- Moves ---------------------------------------------------------------
  void MoveColumn(int from, int to);
  void MoveRow(int from, int to);

  void Invalidate();
  // What the drawing steps and OnDrawCell paint with while a cell is drawn.
  TGridCanvas& Canvas() { return canvas_; }
  QColor ResolveColor(TColor c) const;
  static QFont ToQFont(const TMyFont& f);
  // The text of the character being handled by the character phase.
  const std::string& KeyText() const { return keyText_; }
  // The same character as the desktop typed it.
  const QString& KeyQText() const { return keyQText_; }

  // --- Events --------------------------------------------------------------
  std::function<void(TStringGrid* sender, int col, int row, bool& canSelect)> OnSelectCell;
  std::function<void(TStringGrid* sender, int col, int row, const QRect& rect, TGridDrawState state)>
      OnDrawCell;
  std::function<void(TStringGrid* sender, int& key, TShiftState shift)> OnKeyDown;
  std::function<void(TStringGrid* sender, char& key)> OnKeyPress;
  std::function<void(TStringGrid* sender)> OnTopLeftChanged;

 protected:
  virtual TInplaceEdit* CreateEditor();
  virtual bool CanEditShow();
  virtual bool SelectCell(int col, int row);
  virtual void DrawCell(int col, int row, QRect rect, TGridDrawState state);
  virtual void KeyDown(int& key, TShiftState shift);
  virtual void KeyPress(char& key);
  virtual void WMChar(char key);
  virtual void MouseDown(Qt::MouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(Qt::MouseButton button, TShiftState shift, int x, int y);
  virtual void RowMoved(int from, int to);
  virtual void ColumnMoved(int from, int to);
  virtual void TopLeftChanged();
  virtual void ColWidthsChanged() {}
  virtual void RowHeightsChanged() {}
  virtual void DoEnter() {}
  virtual void DoExit() {}
  virtual std::string GetEditText(int col, int row) { return Cells(col, row); }
  virtual void SetEditText(int col, int row, const std::string& text);
  virtual void Resized() {}
  // Opens the editor and hands it a character.
  void ShowEditorChar(char key, const QString& text);
  // Shows, moves or hides the editor to match the editor mode and focus cell.
  void UpdateEdit();
  void HideEdit();
  // True while the grid or its editor holds the focus.
  bool IsActiveControl() const;
  // After the data's counts changed behind the grid's back (an insert).
  void CountsChanged();
  // Whether the view follows a dragged scroll box (goThumbTracking here);
  // UpdateTracking applies it to the scroll bars.
  virtual bool ThumbTracking() const { return (options_ & goThumbTracking) != 0; }
  void UpdateTracking();
  // The selection's anchor cell, for maintenance that moves its content.
  int AnchorCol() const { return anchorCol_; }
  int AnchorRow() const { return anchorRow_; }
  void SetAnchor(int col, int row);
  // Sets the editor-mode flag alone (for a CanEditShow that turns it on).
  void SetEditorModeFlag(bool on) { editorMode_ = on; }
  // Focus to the next control of the window, as Tab would.
  void FocusNextControl();
  // Focus to the next (or previous) control of the window beside the grid
  // and its editor; false when there is none.
  bool FocusBeside(bool next);
  // For destructors: no more focus steps, and the editor goes first, while
  // the grid is still whole.
  void DestroyEditor();

  void paintEvent(QPaintEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  bool event(QEvent* e) override;
  bool focusNextPrevChild(bool next) override;
  void scrollContentsBy(int dx, int dy) override;

  friend class TInplaceEdit;
  // Key and character phases of a Qt key event, shared with the editor.
  static int VirtualKey(const QKeyEvent* e);
  static TShiftState ShiftOf(Qt::KeyboardModifiers m);
  static bool CharCode(const QKeyEvent* e, char& code, std::string& text);
  void FocusEntered(QWidget* from);
  void FocusLeft(QWidget* to);
  void SetKeyText(const std::string& t, const QString& q) {
    keyText_ = t;
    keyQText_ = q;
  }

  TStringGridData data_;

 private:
  void MoveCurrent(int col, int row, bool moveAnchor, bool show);
  void ClampInView(int col, int row);
  void UpdateScrollBars();
  int LineAfterCol(int col) const;
  int LineAfterRow(int row) const;
  int MaxTopRow() const;
  int MaxLeftCol() const;
  void Navigate(int key, TShiftState shift);
  void ResizeLists();

  std::vector<int> colWidths_, rowHeights_;
  std::vector<char> tabStops_;
  int defaultColWidth_ = 64;
  int defaultRowHeight_ = 24;
  int gridLineWidth_ = 1;
  unsigned options_ = kDefaultGridOptions;
  TScrollStyle scrollBars_ = ssBoth;
  bool defaultDrawing_ = true;
  int anchorCol_ = 1, anchorRow_ = 1;
  int topRow_ = 1, leftCol_ = 1;
  bool editorMode_ = false;
  TInplaceEdit* editor_ = nullptr;
  int inplaceCol_ = -1, inplaceRow_ = -1;
  bool selecting_ = false;
  enum GridState { gsNormal, gsColSizing, gsRowSizing, gsColMoving, gsRowMoving };
  GridState gridState_ = gsNormal;
  int sizingIndex_ = -1;
  // The column (or row) whose right (bottom) line lies within 3 pixels of
  // pos, or -1.
  int SizingLine(int pos, bool cols) const;
  bool syncingScroll_ = false;
  bool inFocus_ = false;
  bool destroying_ = false;
  TGridCanvas canvas_;
  std::string keyText_;
  QString keyQText_;
};
