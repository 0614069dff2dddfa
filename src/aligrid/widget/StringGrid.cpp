#include "aligrid/widget/StringGrid.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <algorithm>

#include "platform/core/Platform.h"
#include "platform/qt/QtText.h"

// --- Canvas ----------------------------------------------------------------

void TGridCanvas::FillRect(const QRect& r) {
  if (Painter == nullptr || Grid == nullptr || Brush.Style() == bsClear) return;
  Painter->fillRect(r, Grid->ResolveColor(Brush.Color()));
}

// --- In-place editor -------------------------------------------------------

TInplaceEdit::TInplaceEdit(TStringGrid* grid) : QPlainTextEdit(grid->viewport()), grid_(grid) {
  setFrameStyle(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setContextMenuPolicy(Qt::NoContextMenu);
  setTabChangesFocus(false);
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  document()->setDocumentMargin(1);
  hide();
  connect(this, &QPlainTextEdit::textChanged, this, &TInplaceEdit::TextEdited);
}

std::string TInplaceEdit::Text() const { return tavrel::fromQStringLines(toPlainText()); }

void TInplaceEdit::SetText(const std::string& text) {
  const QString q = tavrel::toQStringLines(text);
  if (q != toPlainText()) setPlainText(q);
}

int TInplaceEdit::SelStart() const { return textCursor().selectionStart(); }
int TInplaceEdit::SelLength() const {
  return textCursor().selectionEnd() - textCursor().selectionStart();
}

void TInplaceEdit::SetSel(int start, int length) {
  QTextCursor c = textCursor();
  const int end = static_cast<int>(toPlainText().size());
  start = std::clamp(start, 0, end);
  c.setPosition(start);
  c.setPosition(length < 0 ? end : std::clamp(start + length, start, end), QTextCursor::KeepAnchor);
  setTextCursor(c);
}

void TInplaceEdit::Deselect() {
  QTextCursor c = textCursor();
  c.movePosition(QTextCursor::End);
  setTextCursor(c);
}

void TInplaceEdit::SelectAll() { selectAll(); }

void TInplaceEdit::SetEditFont(const TMyFont& font) {
  setFont(TStringGrid::ToQFont(font));
  QPalette pal = palette();
  pal.setColor(QPalette::Text, grid_->ResolveColor(font.Color()));
  setPalette(pal);
}

void TInplaceEdit::SetEditColor(TColor background) {
  QPalette pal = palette();
  pal.setColor(QPalette::Base, grid_->ResolveColor(background));
  setPalette(pal);
}

void TInplaceEdit::UpdateContents() {
  updating_ = true;
  SetText(grid_->GetEditText(grid_->Col(), grid_->Row()));
  updating_ = false;
}

void TInplaceEdit::TextEdited() {
  if (updating_ || grid_->inplaceCol_ < 0) return;
  updating_ = true;
  grid_->SetEditText(grid_->inplaceCol_, grid_->inplaceRow_, Text());
  updating_ = false;
}

void TInplaceEdit::KeyDown(int& key, TShiftState shift) {
  auto toGrid = [&] { grid_->KeyDown(key, shift); key = 0; };
  const QTextCursor c = textCursor();
  const bool noSel = !c.hasSelection();
  switch (key) {
    case VK_UP: case VK_DOWN: case VK_PRIOR: case VK_NEXT:
      toGrid();
      break;
    case VK_ESCAPE:
      grid_->KeyDown(key, shift);  // the character phase still follows
      break;
    case VK_LEFT:
      if ((shift & ssCtrl) || (noSel && c.position() == 0)) toGrid();
      break;
    case VK_RIGHT:
      if ((shift & ssCtrl) || (noSel && c.position() == toPlainText().size())) toGrid();
      break;
    case VK_HOME: case VK_END:
      if (shift & ssCtrl) toGrid();
      break;
    case VK_TAB:
      if (!(shift & ssAlt) && (grid_->Options() & goTabs)) toGrid();
      break;
    case VK_F2:
      Deselect();
      key = 0;
      break;
    case VK_INSERT:
      if (shift == 0) toGrid();
      break;
    default:
      break;
  }
}

void TInplaceEdit::KeyPress(char& key) {
  grid_->KeyPress(key);
  switch (key) {
    case 9: case 27:
      key = 0;
      break;
    case 13: {
      const QTextCursor c = textCursor();
      if (c.selectionStart() == 0 && c.selectionEnd() == toPlainText().size())
        Deselect();
      else
        SelectAll();
      key = 0;
      break;
    }
    default:
      if ((key == 8 || key == 22 || key == 24 || static_cast<unsigned char>(key) >= 32) &&
          !grid_->CanEditModify())
        key = 0;
      break;
  }
}

void TInplaceEdit::CharMessage(char key, const QString& text) {
  char k = key;
  KeyPress(k);
  if (k == 0 || !isVisible()) return;
  if (k == 8) {
    QTextCursor c = textCursor();
    if (!c.hasSelection()) c.deletePreviousChar();
    else c.removeSelectedText();
    setTextCursor(c);
  } else if (k == 13) {
    insertPlainText("\n");
  } else if (static_cast<unsigned char>(k) >= 32) {
    insertPlainText(k == key ? text : tavrel::toQString(std::string(1, k)));
  }
}

bool TInplaceEdit::event(QEvent* e) {
  if (e->type() == QEvent::ShortcutOverride) {
    // The edit's own clipboard keys and Tab belong to it, not to menus.
    auto* k = static_cast<QKeyEvent*>(e);
    if (k->matches(QKeySequence::Copy) || k->matches(QKeySequence::Cut) ||
        k->matches(QKeySequence::Paste) || k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) {
      e->accept();
      return true;
    }
  }
  return QPlainTextEdit::event(e);
}

bool TInplaceEdit::focusNextPrevChild(bool next) {
  if (grid_->Options() & goTabs) return false;  // Tab is the grid's key
  return grid_->FocusBeside(next);
}

void TInplaceEdit::keyPressEvent(QKeyEvent* e) {
  e->accept();
  // Clipboard keys of the edit go through the platform's clipboard.
  if (e->matches(QKeySequence::Copy) || e->matches(QKeySequence::Cut)) {
    const QString sel = textCursor().selectedText().replace(QChar::ParagraphSeparator, '\n');
    if (!sel.isEmpty()) tavrel::platform().setClipboardText(tavrel::fromQStringLines(sel));
    if (e->matches(QKeySequence::Cut) && grid_->CanEditModify()) textCursor().removeSelectedText();
    return;
  }
  if (e->matches(QKeySequence::Paste)) {
    if (grid_->CanEditModify())
      insertPlainText(tavrel::toQStringLines(tavrel::platform().clipboardText()));
    return;
  }
  int key = TStringGrid::VirtualKey(e);
  KeyDown(key, TStringGrid::ShiftOf(e->modifiers()));
  const bool keyDone = key == 0;
  char code = 0;
  std::string text;
  if (TStringGrid::CharCode(e, code, text)) {
    grid_->SetKeyText(text, e->text());
    char k = code;
    KeyPress(k);
    if (k == 0 || !isVisible()) return;
    if (k != code) {
      CharMessage(k, QString());
      return;
    }
    if (k == 13) {
      insertPlainText("\n");
      return;
    }
    QPlainTextEdit::keyPressEvent(e);
    return;
  }
  if (!keyDone && isVisible()) QPlainTextEdit::keyPressEvent(e);
}

void TInplaceEdit::focusInEvent(QFocusEvent* e) {
  QPlainTextEdit::focusInEvent(e);
  grid_->FocusEntered(this);
}

void TInplaceEdit::focusOutEvent(QFocusEvent* e) {
  QPlainTextEdit::focusOutEvent(e);
  if (e->reason() != Qt::ActiveWindowFocusReason && e->reason() != Qt::PopupFocusReason)
    grid_->FocusLeft(QApplication::focusWidget());
}

// --- Grid: construction and counts -------------------------------------------

TStringGrid::TStringGrid(QWidget* parent) : QAbstractScrollArea(parent) {
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setMouseTracking(true);
  canvas_.Grid = this;
  data_.Font.SetHeight(13);
  data_.Font.changed = false;
  data_.Font.OnChange = [this] { Invalidate(); };
  data_.Brush.OnChange = [this] { Invalidate(); };
  ResizeLists();
  topRow_ = data_.FixedRows();
  leftCol_ = data_.FixedCols();
  anchorCol_ = Col();
  anchorRow_ = Row();
  UpdateTracking();
  UpdateScrollBars();
}

TStringGrid::~TStringGrid() { DestroyEditor(); }

void TStringGrid::DestroyEditor() {
  destroying_ = true;
  delete editor_;
  editor_ = nullptr;
}

void TStringGrid::ResizeLists() {
  colWidths_.resize(static_cast<std::size_t>(ColCount()), defaultColWidth_);
  rowHeights_.resize(static_cast<std::size_t>(RowCount()), defaultRowHeight_);
  if (tabStops_.size() > colWidths_.size()) tabStops_.resize(colWidths_.size());
  anchorCol_ = std::clamp(anchorCol_, FixedCols(), ColCount() - 1);
  anchorRow_ = std::clamp(anchorRow_, FixedRows(), RowCount() - 1);
  topRow_ = std::clamp(topRow_, FixedRows(), std::max(FixedRows(), MaxTopRow()));
  leftCol_ = std::clamp(leftCol_, FixedCols(), std::max(FixedCols(), MaxLeftCol()));
}

void TStringGrid::CountsChanged() {
  ResizeLists();
  UpdateScrollBars();
  Invalidate();
}

void TStringGrid::SetColCount(int n) {
  data_.SetColCount(n);
  ResizeLists();
  UpdateScrollBars();
  if (editorMode_) UpdateEdit();
  Invalidate();
}

void TStringGrid::SetRowCount(int n) {
  data_.SetRowCount(n);
  ResizeLists();
  UpdateScrollBars();
  if (editorMode_) UpdateEdit();
  Invalidate();
}

void TStringGrid::SetFixedCols(int n) {
  data_.SetFixedCols(n);
  ResizeLists();
  leftCol_ = std::max(leftCol_, FixedCols());
  UpdateScrollBars();
  Invalidate();
}

void TStringGrid::SetFixedRows(int n) {
  data_.SetFixedRows(n);
  ResizeLists();
  topRow_ = std::max(topRow_, FixedRows());
  UpdateScrollBars();
  Invalidate();
}

void TStringGrid::SetCells(int col, int row, const std::string& text) {
  data_.SetCell(col, row, text);
  if (editor_ && !editor_->updating_ && editor_->isVisible() && col == inplaceCol_ &&
      row == inplaceRow_)
    editor_->UpdateContents();
  Invalidate();
}

void TStringGrid::SetEditText(int col, int row, const std::string& text) {
  data_.SetCell(col, row, text);
  Invalidate();
}

// --- Sizes -----------------------------------------------------------------

void TStringGrid::SetDefaultColWidth(int w) {
  defaultColWidth_ = std::max(0, w);
  std::fill(colWidths_.begin(), colWidths_.end(), defaultColWidth_);
  ColWidthsChanged();
  UpdateScrollBars();
  UpdateEdit();
  Invalidate();
}

void TStringGrid::SetDefaultRowHeight(int h) {
  defaultRowHeight_ = std::max(0, h);
  std::fill(rowHeights_.begin(), rowHeights_.end(), defaultRowHeight_);
  RowHeightsChanged();
  UpdateScrollBars();
  UpdateEdit();
  Invalidate();
}

int TStringGrid::ColWidths(int col) const {
  return col >= 0 && col < ColCount() ? colWidths_[static_cast<std::size_t>(col)] : 0;
}

int TStringGrid::RowHeights(int row) const {
  return row >= 0 && row < RowCount() ? rowHeights_[static_cast<std::size_t>(row)] : 0;
}

void TStringGrid::SetColWidths(int col, int w) {
  if (col < 0 || col >= ColCount()) return;
  colWidths_[static_cast<std::size_t>(col)] = std::max(0, w);
  ColWidthsChanged();
  UpdateScrollBars();
  if (editor_ && editor_->isVisible()) UpdateEdit();
  Invalidate();
}

void TStringGrid::SetRowHeights(int row, int h) {
  if (row < 0 || row >= RowCount()) return;
  rowHeights_[static_cast<std::size_t>(row)] = std::max(0, h);
  RowHeightsChanged();
  UpdateScrollBars();
  if (editor_ && editor_->isVisible()) UpdateEdit();
  Invalidate();
}

void TStringGrid::SetGridLineWidth(int w) {
  gridLineWidth_ = std::clamp(w, 0, 100);
  UpdateScrollBars();
  Invalidate();
}

void TStringGrid::SetOptions(unsigned o) {
  options_ = o;
  UpdateTracking();
  if (!(options_ & goEditing) || (options_ & goRowSelect)) HideEditor();
  if (options_ & goAlwaysShowEditor) ShowEditor();
  UpdateScrollBars();
  Invalidate();
}

void TStringGrid::UpdateTracking() {
  verticalScrollBar()->setTracking(ThumbTracking());
  horizontalScrollBar()->setTracking(ThumbTracking());
}

void TStringGrid::SetScrollBars(TScrollStyle s) {
  scrollBars_ = s;
  UpdateScrollBars();
}

void TStringGrid::SetDefaultDrawing(bool on) {
  defaultDrawing_ = on;
  Invalidate();
}

void TStringGrid::SetFixedColor(TColor c) {
  data_.FixedColor = c;
  Invalidate();
}

bool TStringGrid::TabStops(int col) const {
  if (col < 0 || col >= ColCount()) return false;
  return static_cast<std::size_t>(col) >= tabStops_.size() || tabStops_[static_cast<std::size_t>(col)];
}

void TStringGrid::SetTabStops(int col, bool stop) {
  if (col < 0 || col >= ColCount()) return;
  if (tabStops_.size() < colWidths_.size()) tabStops_.resize(colWidths_.size(), 1);
  tabStops_[static_cast<std::size_t>(col)] = stop ? 1 : 0;
}

// --- Geometry --------------------------------------------------------------

int TStringGrid::LineAfterCol(int col) const {
  return (options_ & (col < FixedCols() ? goFixedVertLine : goVertLine)) ? gridLineWidth_ : 0;
}

int TStringGrid::LineAfterRow(int row) const {
  return (options_ & (row < FixedRows() ? goFixedHorzLine : goHorzLine)) ? gridLineWidth_ : 0;
}

int TStringGrid::MaxTopRow() const {
  int avail = viewport()->height();
  for (int r = 0; r < FixedRows(); ++r) avail -= RowHeights(r) + LineAfterRow(r);
  int top = RowCount() - 1;
  int used = 0;
  for (int r = RowCount() - 1; r >= FixedRows(); --r) {
    used += RowHeights(r) + LineAfterRow(r);
    if (used > avail) break;
    top = r;
  }
  return std::max(top, FixedRows());
}

int TStringGrid::MaxLeftCol() const {
  int avail = viewport()->width();
  for (int c = 0; c < FixedCols(); ++c) avail -= ColWidths(c) + LineAfterCol(c);
  int left = ColCount() - 1;
  int used = 0;
  for (int c = ColCount() - 1; c >= FixedCols(); --c) {
    used += ColWidths(c) + LineAfterCol(c);
    if (used > avail) break;
    left = c;
  }
  return std::max(left, FixedCols());
}

int TStringGrid::VisibleColCount() const {
  int x = 0;
  for (int c = 0; c < FixedCols(); ++c) x += ColWidths(c) + LineAfterCol(c);
  int n = 0;
  for (int c = leftCol_; c < ColCount(); ++c) {
    x += ColWidths(c);
    if (x > viewport()->width()) break;
    x += LineAfterCol(c);
    ++n;
  }
  return std::max(n, 1);
}

int TStringGrid::VisibleRowCount() const {
  int y = 0;
  for (int r = 0; r < FixedRows(); ++r) y += RowHeights(r) + LineAfterRow(r);
  int n = 0;
  for (int r = topRow_; r < RowCount(); ++r) {
    y += RowHeights(r);
    if (y > viewport()->height()) break;
    y += LineAfterRow(r);
    ++n;
  }
  return std::max(n, 1);
}

QRect TStringGrid::CellRect(int col, int row) const {
  if (!data_.InGrid(col, row)) return {};
  if (col >= FixedCols() && col < leftCol_) return {};
  if (row >= FixedRows() && row < topRow_) return {};
  int x = 0;
  for (int c = 0; c < std::min(col, FixedCols()); ++c) x += ColWidths(c) + LineAfterCol(c);
  for (int c = leftCol_; c < col; ++c) x += ColWidths(c) + LineAfterCol(c);
  int y = 0;
  for (int r = 0; r < std::min(row, FixedRows()); ++r) y += RowHeights(r) + LineAfterRow(r);
  for (int r = topRow_; r < row; ++r) y += RowHeights(r) + LineAfterRow(r);
  if (x >= viewport()->width() || y >= viewport()->height()) return {};
  return QRect(x, y, ColWidths(col), RowHeights(row));
}

void TStringGrid::MouseToCell(int x, int y, int& col, int& row) const {
  col = row = -1;
  if (x >= 0) {
    int cx = 0;
    for (int c = 0; c < ColCount(); ++c) {
      if (c == FixedCols() && c < leftCol_) c = leftCol_;
      const int next = cx + ColWidths(c) + LineAfterCol(c);
      if (x < next) {
        col = c;
        break;
      }
      cx = next;
    }
  }
  if (y >= 0) {
    int cy = 0;
    for (int r = 0; r < RowCount(); ++r) {
      if (r == FixedRows() && r < topRow_) r = topRow_;
      const int next = cy + RowHeights(r) + LineAfterRow(r);
      if (y < next) {
        row = r;
        break;
      }
      cy = next;
    }
  }
}

// --- Scrolling -------------------------------------------------------------

void TStringGrid::UpdateScrollBars() {
  syncingScroll_ = true;
  const auto policy = [&](bool on) { return on ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff; };
  setVerticalScrollBarPolicy(policy(scrollBars_ == ssVertical || scrollBars_ == ssBoth));
  setHorizontalScrollBarPolicy(policy(scrollBars_ == ssHorizontal || scrollBars_ == ssBoth));
  verticalScrollBar()->setRange(0, MaxTopRow() - FixedRows());
  verticalScrollBar()->setPageStep(VisibleRowCount());
  horizontalScrollBar()->setRange(0, MaxLeftCol() - FixedCols());
  horizontalScrollBar()->setPageStep(VisibleColCount());
  topRow_ = std::clamp(topRow_, FixedRows(), MaxTopRow());
  leftCol_ = std::clamp(leftCol_, FixedCols(), MaxLeftCol());
  verticalScrollBar()->setValue(topRow_ - FixedRows());
  horizontalScrollBar()->setValue(leftCol_ - FixedCols());
  syncingScroll_ = false;
}

void TStringGrid::scrollContentsBy(int, int) {
  if (syncingScroll_) return;
  const int top = FixedRows() + verticalScrollBar()->value();
  const int left = FixedCols() + horizontalScrollBar()->value();
  if (top == topRow_ && left == leftCol_) return;
  topRow_ = top;
  leftCol_ = left;
  TopLeftChanged();
}

void TStringGrid::SetTopRow(int r) {
  r = std::clamp(r, FixedRows(), MaxTopRow());
  if (r == topRow_) return;
  topRow_ = r;
  syncingScroll_ = true;
  verticalScrollBar()->setValue(topRow_ - FixedRows());
  syncingScroll_ = false;
  TopLeftChanged();
}

void TStringGrid::SetLeftCol(int c) {
  c = std::clamp(c, FixedCols(), MaxLeftCol());
  if (c == leftCol_) return;
  leftCol_ = c;
  syncingScroll_ = true;
  horizontalScrollBar()->setValue(leftCol_ - FixedCols());
  syncingScroll_ = false;
  TopLeftChanged();
}

void TStringGrid::TopLeftChanged() {
  if (editor_ && editorMode_) UpdateEdit();
  Invalidate();
  if (OnTopLeftChanged) OnTopLeftChanged(this);
}

void TStringGrid::ClampInView(int col, int row) {
  if (row >= FixedRows()) {
    if (row < topRow_) {
      SetTopRow(row);
    } else {
      int avail = viewport()->height();
      for (int r = 0; r < FixedRows(); ++r) avail -= RowHeights(r) + LineAfterRow(r);
      int top = row;
      int used = RowHeights(row);
      while (top - 1 >= FixedRows() && used + LineAfterRow(top - 1) + RowHeights(top - 1) <= avail) {
        --top;
        used += RowHeights(top) + LineAfterRow(top);
      }
      if (topRow_ < top) SetTopRow(top);
    }
  }
  if (col >= FixedCols()) {
    if (col < leftCol_) {
      SetLeftCol(col);
    } else {
      int avail = viewport()->width();
      for (int c = 0; c < FixedCols(); ++c) avail -= ColWidths(c) + LineAfterCol(c);
      int left = col;
      int used = ColWidths(col);
      while (left - 1 >= FixedCols() && used + LineAfterCol(left - 1) + ColWidths(left - 1) <= avail) {
        --left;
        used += ColWidths(left) + LineAfterCol(left);
      }
      if (leftCol_ < left) SetLeftCol(left);
    }
  }
}

void TStringGrid::resizeEvent(QResizeEvent* e) {
  QAbstractScrollArea::resizeEvent(e);
  UpdateScrollBars();
  if (editor_ && editor_->isVisible()) UpdateEdit();
  Resized();
}

// --- Current cell and selection ---------------------------------------------

bool TStringGrid::SelectCell(int col, int row) {
  bool can = true;
  if (OnSelectCell) OnSelectCell(this, col, row, can);
  return can;
}

void TStringGrid::MoveCurrent(int col, int row, bool moveAnchor, bool show) {
  if (col < FixedCols() || row < FixedRows() || col >= ColCount() || row >= RowCount()) return;
  if (!SelectCell(col, row)) return;
  data_.SetColRaw(col);
  data_.SetRowRaw(row);
  if (!(options_ & goAlwaysShowEditor)) HideEditor();
  if (moveAnchor || !(options_ & goRangeSelect)) {
    anchorCol_ = col;
    anchorRow_ = row;
  }
  if (show) ClampInView(col, row);
  Invalidate();
}

void TStringGrid::SetAnchor(int col, int row) {
  anchorCol_ = std::clamp(col, FixedCols(), ColCount() - 1);
  anchorRow_ = std::clamp(row, FixedRows(), RowCount() - 1);
  Invalidate();
}

void TStringGrid::FocusCell(int col, int row, bool moveAnchor) {
  MoveCurrent(col, row, moveAnchor, true);
  UpdateEdit();
}

void TStringGrid::SetCol(int c) {
  if (c != Col()) FocusCell(c, Row(), true);
}

void TStringGrid::SetRow(int r) {
  if (r != Row()) FocusCell(Col(), r, true);
}

TGridRect TStringGrid::Selection() const {
  TGridRect r;
  r.Left = std::min(anchorCol_, Col());
  r.Right = std::max(anchorCol_, Col());
  r.Top = std::min(anchorRow_, Row());
  r.Bottom = std::max(anchorRow_, Row());
  if (options_ & goRowSelect) {
    r.Left = FixedCols();
    r.Right = ColCount() - 1;
  }
  return r;
}

void TStringGrid::SetSelection(TGridRect r) {
  const int ac = std::clamp(r.Left, FixedCols(), ColCount() - 1);
  const int ar = std::clamp(r.Top, FixedRows(), RowCount() - 1);
  const int fc = std::clamp(r.Right, FixedCols(), ColCount() - 1);
  const int fr = std::clamp(r.Bottom, FixedRows(), RowCount() - 1);
  MoveCurrent(fc, fr, true, true);
  if (Col() == fc && Row() == fr && (options_ & goRangeSelect)) {
    anchorCol_ = ac;
    anchorRow_ = ar;
  }
  UpdateEdit();
  Invalidate();
}

// --- Editor ----------------------------------------------------------------

TInplaceEdit* TStringGrid::CreateEditor() { return new TInplaceEdit(this); }

bool TStringGrid::CanEditShow() {
  return (options_ & goEditing) && !(options_ & goRowSelect) && editorMode_;
}

bool TStringGrid::CanEditModify() { return true; }

void TStringGrid::SetEditorMode(bool on) {
  if (on)
    ShowEditor();
  else
    HideEditor();
}

void TStringGrid::ShowEditor() {
  editorMode_ = true;
  UpdateEdit();
}

void TStringGrid::HideEditor() {
  editorMode_ = false;
  HideEdit();
}

void TStringGrid::HideEdit() {
  if (editor_ == nullptr) return;
  inplaceCol_ = inplaceRow_ = -1;
  if (editor_->isVisible()) {
    const bool hadFocus = editor_->hasFocus();
    if (hadFocus) setFocus(Qt::OtherFocusReason);
    editor_->hide();
  }
  Invalidate();
}

void TStringGrid::UpdateEdit() {
  if (editor_ == nullptr) {
    editor_ = CreateEditor();
    editor_->hide();
  }
  if (!CanEditShow()) return;
  if (Col() != inplaceCol_ || Row() != inplaceRow_) {
    HideEdit();
    inplaceCol_ = Col();
    inplaceRow_ = Row();
    editor_->UpdateContents();
    editor_->SelectAll();
  }
  if (!CanEditShow()) return;
  const QRect r = CellRect(Col(), Row());
  if (r.isEmpty()) {
    editor_->hide();
    return;
  }
  editor_->setGeometry(r);
  const bool focusIt = hasFocus();
  editor_->show();
  if (focusIt) editor_->setFocus(Qt::OtherFocusReason);
}

void TStringGrid::ShowEditorChar(char key, const QString& text) {
  ShowEditor();
  if (editor_ && editor_->isVisible()) {
    QPointer<TInplaceEdit> ed = editor_;
    QMetaObject::invokeMethod(
        editor_, [ed, key, text] {
          if (ed) ed->CharMessage(key, text);
        },
        Qt::QueuedConnection);
  }
}

bool TStringGrid::IsActiveControl() const {
  return hasFocus() || (editor_ && editor_->hasFocus());
}

// --- Moves -----------------------------------------------------------------

namespace {
int Moved(int i, int from, int to) {
  if (i == from) return to;
  if (from < to && i > from && i <= to) return i - 1;
  if (to < from && i >= to && i < from) return i + 1;
  return i;
}
template <typename V>
void MoveEntry(V& v, int from, int to) {
  auto f = v.begin() + from, t = v.begin() + to;
  if (from < to)
    std::rotate(f, f + 1, t + 1);
  else
    std::rotate(t, f, f + 1);
}
}  // namespace

void TStringGrid::MoveColumn(int from, int to) {
  if (from == to || from < 0 || to < 0 || from >= ColCount() || to >= ColCount()) return;
  MoveEntry(colWidths_, from, to);
  const int col = Moved(Col(), from, to);
  anchorCol_ = Moved(anchorCol_, from, to);
  ColumnMoved(from, to);
  data_.SetColRaw(col);
  if (editor_ && editorMode_) UpdateEdit();
  Invalidate();
}

void TStringGrid::MoveRow(int from, int to) {
  if (from == to || from < 0 || to < 0 || from >= RowCount() || to >= RowCount()) return;
  MoveEntry(rowHeights_, from, to);
  const int row = Moved(Row(), from, to);
  anchorRow_ = Moved(anchorRow_, from, to);
  RowMoved(from, to);
  data_.SetRowRaw(row);
  if (editor_ && editorMode_) UpdateEdit();
  Invalidate();
}

void TStringGrid::RowMoved(int from, int to) { data_.MoveRowData(from, to); }
void TStringGrid::ColumnMoved(int from, int to) { data_.MoveColData(from, to); }

// --- Painting --------------------------------------------------------------

void TStringGrid::Invalidate() { viewport()->update(); }

QColor TStringGrid::ResolveColor(TColor c) const {
  if (!IsSystemColor(c)) return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
  const QPalette& p = palette();
  switch (c) {
    case clBtnFace: return p.color(QPalette::Button);
    case clActiveCaption: return p.color(QPalette::Highlight);
    case clInfoText: return p.color(QPalette::ToolTipText);
    case clInfoBk: return p.color(QPalette::ToolTipBase);
    case clWindow: return p.color(QPalette::Base);
    case clWindowText: return p.color(QPalette::Text);
    case clHighlight: return p.color(QPalette::Highlight);
    case clHighlightText: return p.color(QPalette::HighlightedText);
    default: return p.color(QPalette::Window);
  }
}

QFont TStringGrid::ToQFont(const TMyFont& f) {
  QFont q(tavrel::toQString(f.Name()));
  q.setPixelSize(std::clamp(f.Height(), kMinFontHeight, kMaxFontHeight));
  q.setBold(f.Style() & fsBold);
  q.setItalic(f.Style() & fsItalic);
  q.setUnderline(f.Style() & fsUnderline);
  q.setStrikeOut(f.Style() & fsStrikeOut);
  if (f.Pitch() == fpFixed) q.setFixedPitch(true);
  return q;
}

void TStringGrid::DrawCell(int col, int row, QRect rect, TGridDrawState state) {
  if (defaultDrawing_) {
    QPainter& p = *canvas_.Painter;
    p.save();
    p.setClipRect(rect);
    p.setFont(ToQFont(canvas_.Font));
    p.setPen(ResolveColor(canvas_.Font.Color()));
    p.drawText(rect.adjusted(2, 2, -2, -2), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
               tavrel::toQString(Cells(col, row)));
    p.restore();
  }
  if (OnDrawCell) OnDrawCell(this, col, row, rect, state);
}

void TStringGrid::paintEvent(QPaintEvent*) {
  QPainter p(viewport());
  canvas_.Painter = &p;
  p.fillRect(viewport()->rect(), ResolveColor(data_.Brush.Color()));
  const int w = viewport()->width(), h = viewport()->height();
  std::vector<std::pair<int, int>> cols, rows;  // index, position
  int x = 0;
  for (int c = 0; c < ColCount() && x < w; ++c) {
    if (c == FixedCols() && c < leftCol_) c = leftCol_;
    cols.emplace_back(c, x);
    x += ColWidths(c) + LineAfterCol(c);
  }
  int y = 0;
  for (int r = 0; r < RowCount() && y < h; ++r) {
    if (r == FixedRows() && r < topRow_) r = topRow_;
    rows.emplace_back(r, y);
    y += RowHeights(r) + LineAfterRow(r);
  }
  const TGridRect sel = Selection();
  const bool focused = IsActiveControl();
  const QColor fixedLine = palette().color(QPalette::Shadow);
  const QColor line = palette().color(QPalette::Mid);
  for (auto [r, cy] : rows) {
    for (auto [c, cx] : cols) {
      const QRect rect(cx, cy, ColWidths(c), RowHeights(r));
      const bool fixed = c < FixedCols() || r < FixedRows();
      TGridDrawState state = 0;
      if (fixed) state |= gdFixed;
      if (!fixed && c == Col() && r == Row() && focused) state |= gdFocused;
      if (!fixed && c >= sel.Left && c <= sel.Right && r >= sel.Top && r <= sel.Bottom)
        state |= gdSelected;
      canvas_.Font.Assign(data_.Font);
      canvas_.Brush.Assign(data_.Brush);
      if (fixed) canvas_.Brush.SetColor(data_.FixedColor);
      if ((state & gdSelected) &&
          (!(state & gdFocused) || (options_ & (goDrawFocusSelected | goRowSelect)))) {
        canvas_.Brush.SetColor(clHighlight);
        canvas_.Font.SetColor(clHighlightText);
      }
      if (defaultDrawing_) canvas_.FillRect(rect);
      p.save();
      DrawCell(c, r, rect, state);
      p.restore();
      if (defaultDrawing_ && fixed && LineAfterCol(c) + LineAfterRow(r) > 0) {
        p.setPen(palette().color(QPalette::Light));
        p.drawLine(rect.topLeft(), rect.topRight());
        p.drawLine(rect.topLeft(), rect.bottomLeft());
      }
      if (defaultDrawing_ && (state & gdFocused) && !(options_ & goRowSelect) &&
          !(editor_ && editor_->isVisible())) {
        QPen pen(ResolveColor(clWindowText));
        pen.setStyle(Qt::DotLine);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect.adjusted(0, 0, -1, -1));
      }
      const int lw = LineAfterCol(c), lh = LineAfterRow(r);
      const QColor lc = fixed ? fixedLine : line;
      if (lw > 0) p.fillRect(QRect(rect.right() + 1, cy, lw, rect.height() + lh), lc);
      if (lh > 0) p.fillRect(QRect(cx, rect.bottom() + 1, rect.width() + lw, lh), lc);
    }
  }
  canvas_.Painter = nullptr;
}

// --- Keys ------------------------------------------------------------------

int TStringGrid::VirtualKey(const QKeyEvent* e) {
  const int k = e->key();
  switch (k) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab: case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Return: case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    default: break;
  }
  if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return 112 + (k - Qt::Key_F1);
  if ((k >= Qt::Key_A && k <= Qt::Key_Z) || (k >= Qt::Key_0 && k <= Qt::Key_9)) return k;
  return 0xFF;  // a key without a code of its own
}

TShiftState TStringGrid::ShiftOf(Qt::KeyboardModifiers m) {
  TShiftState s = 0;
  if (m & Qt::ShiftModifier) s |= ssShift;
  if (m & Qt::AltModifier) s |= ssAlt;
  if (m & Qt::ControlModifier) s |= ssCtrl;
  return s;
}

bool TStringGrid::CharCode(const QKeyEvent* e, char& code, std::string& text) {
  const auto m = e->modifiers();
  const bool ctrl = m & Qt::ControlModifier, alt = m & Qt::AltModifier;
  const int k = e->key();
  auto set = [&](char c) {
    code = c;
    text.assign(1, c);
    return true;
  };
  if (k == Qt::Key_Return || k == Qt::Key_Enter) return set(13);
  if (k == Qt::Key_Escape) return set(27);
  if (k == Qt::Key_Backspace) return set(8);
  if (k == Qt::Key_Tab || k == Qt::Key_Backtab) return set(9);
  if (ctrl && !alt) {
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return set(static_cast<char>(k - Qt::Key_A + 1));
    return false;
  }
  if (alt && !ctrl) return false;
  const QString t = e->text();
  if (t.isEmpty()) return false;
  if (t[0].unicode() < 32) return set(static_cast<char>(t[0].unicode()));
  const QString one = t[0].isHighSurrogate() && t.size() > 1 ? t.left(2) : t.left(1);
  text = tavrel::fromQString(one);
  code = text.size() == 1 ? text[0] : '&';
  return !text.empty();
}

void TStringGrid::keyPressEvent(QKeyEvent* e) {
  e->accept();
  int key = VirtualKey(e);
  KeyDown(key, ShiftOf(e->modifiers()));
  char code = 0;
  std::string text;
  if (CharCode(e, code, text)) {
    SetKeyText(text, e->text());
    WMChar(code);
  }
}

void TStringGrid::WMChar(char key) {
  const unsigned char u = static_cast<unsigned char>(key);
  if ((options_ & goEditing) && (u == 8 || u >= 32)) {
    ShowEditorChar(key, keyQText_.isEmpty() ? tavrel::toQString(keyText_) : keyQText_);
    return;
  }
  KeyPress(key);
}

void TStringGrid::KeyPress(char& key) {
  if (OnKeyPress) OnKeyPress(this, key);
  if (key == 13 && !(options_ & goAlwaysShowEditor)) {
    if (editorMode_)
      HideEditor();
    else
      ShowEditor();
    key = 0;
  }
}

void TStringGrid::KeyDown(int& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
  if (key == 0) return;
  Navigate(key, shift);
}

void TStringGrid::Navigate(int key, TShiftState shift) {
  int c = Col(), r = Row();
  const bool extend = (shift & ssShift) && (options_ & goRangeSelect);
  switch (key) {
    case VK_UP: r = std::max(FixedRows(), r - 1); break;
    case VK_DOWN: r = std::min(RowCount() - 1, r + 1); break;
    case VK_LEFT: c = std::max(FixedCols(), c - 1); break;
    case VK_RIGHT: c = std::min(ColCount() - 1, c + 1); break;
    case VK_PRIOR: r = std::max(FixedRows(), r - VisibleRowCount()); break;
    case VK_NEXT: r = std::min(RowCount() - 1, r + VisibleRowCount()); break;
    case VK_HOME:
      c = FixedCols();
      if (shift & ssCtrl) r = FixedRows();
      break;
    case VK_END:
      c = ColCount() - 1;
      if (shift & ssCtrl) r = RowCount() - 1;
      break;
    case VK_TAB: {
      if (!(options_ & goTabs) || (shift & ssAlt)) return;
      const int n = (ColCount() - FixedCols()) * (RowCount() - FixedRows());
      for (int i = 0; i < n; ++i) {
        if (shift & ssShift) {
          if (--c < FixedCols()) c = ColCount() - 1, r = r > FixedRows() ? r - 1 : RowCount() - 1;
        } else if (++c >= ColCount()) {
          c = FixedCols(), r = r + 1 < RowCount() ? r + 1 : FixedRows();
        }
        if (TabStops(c)) break;
      }
      FocusCell(c, r, true);
      return;
    }
    case VK_F2:
      SetEditorMode(true);
      return;
    default:
      return;
  }
  if (c != Col() || r != Row()) {
    MoveCurrent(c, r, !extend, true);
    UpdateEdit();
  }
}

bool TStringGrid::focusNextPrevChild(bool next) {
  if (options_ & goTabs) return false;
  return QAbstractScrollArea::focusNextPrevChild(next);
}

bool TStringGrid::event(QEvent* e) {
  if (e->type() == QEvent::ShortcutOverride) {
    auto* k = static_cast<QKeyEvent*>(e);
    const auto mods = k->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if ((k->key() == Qt::Key_Insert && (mods == Qt::ShiftModifier || mods == Qt::ControlModifier)) ||
        (k->key() == Qt::Key_Delete && mods == Qt::ShiftModifier) ||
        ((options_ & goTabs) && (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab))) {
      e->accept();
      return true;
    }
  }
  return QAbstractScrollArea::event(e);
}

// --- Mouse -----------------------------------------------------------------

void TStringGrid::mousePressEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  MouseDown(e->button(), ShiftOf(e->modifiers()), p.x(), p.y());
}

void TStringGrid::MouseDown(Qt::MouseButton button, TShiftState shift, int x, int y) {
  const bool hadFocus = IsActiveControl();
  if (!hasFocus() && !(editor_ && editor_->hasFocus())) setFocus(Qt::MouseFocusReason);
  if (button != Qt::LeftButton) return;
  int c, r;
  MouseToCell(x, y, c, r);
  if (c < 0 || r < 0) return;
  // Sizing by a line and moving by a heading, in the fixed cells.
  if (r < FixedRows() && (options_ & goColSizing) && SizingLine(x, true) >= 0) {
    gridState_ = gsColSizing;
    sizingIndex_ = SizingLine(x, true);
    return;
  }
  if (c < FixedCols() && (options_ & goRowSizing) && SizingLine(y, false) >= 0) {
    gridState_ = gsRowSizing;
    sizingIndex_ = SizingLine(y, false);
    return;
  }
  if (r < FixedRows() && c >= FixedCols() && (options_ & goColMoving)) {
    gridState_ = gsColMoving;
    sizingIndex_ = c;
    return;
  }
  if (c < FixedCols() && r >= FixedRows() && (options_ & goRowMoving)) {
    gridState_ = gsRowMoving;
    sizingIndex_ = r;
    return;
  }
  if (c < FixedCols() || r < FixedRows()) return;
  selecting_ = true;
  if ((shift & ssShift) && (options_ & goRangeSelect)) {
    MoveCurrent(c, r, false, true);
    UpdateEdit();
    return;
  }
  const bool wasCurrent = c == Col() && r == Row();
  FocusCell(c, r, true);
  if (wasCurrent && hadFocus && (options_ & goEditing) && !editorMode_) ShowEditor();
}

int TStringGrid::SizingLine(int pos, bool cols) const {
  const int count = cols ? ColCount() : RowCount();
  for (int i = 0; i < count; ++i) {
    const QRect r = cols ? CellRect(i, 0) : CellRect(0, i);
    if (r.isNull()) continue;
    const int edge = cols ? r.right() + 1 : r.bottom() + 1;
    if (pos >= edge - 3 && pos <= edge + 3) return i;
  }
  return -1;
}

void TStringGrid::mouseMoveEvent(QMouseEvent* e) {
  const QPoint at = e->position().toPoint();
  if (gridState_ == gsColSizing || gridState_ == gsRowSizing) {
    const bool cols = gridState_ == gsColSizing;
    const QRect r = cols ? CellRect(sizingIndex_, 0) : CellRect(0, sizingIndex_);
    if (!r.isNull()) {
      if (cols)
        SetColWidths(sizingIndex_, std::max(0, at.x() - r.left()));
      else
        SetRowHeights(sizingIndex_, std::max(0, at.y() - r.top()));
    }
    return;
  }
  if (gridState_ == gsNormal && !(e->buttons() & Qt::LeftButton)) {
    int c, r;
    MouseToCell(at.x(), at.y(), c, r);
    const bool colLine = r >= 0 && r < FixedRows() && (options_ & goColSizing) && SizingLine(at.x(), true) >= 0;
    const bool rowLine = c >= 0 && c < FixedCols() && (options_ & goRowSizing) && SizingLine(at.y(), false) >= 0;
    if (colLine)
      viewport()->setCursor(Qt::SplitHCursor);
    else if (rowLine)
      viewport()->setCursor(Qt::SplitVCursor);
    else
      viewport()->unsetCursor();
  }
  if (!selecting_ || !(e->buttons() & Qt::LeftButton) || !(options_ & goRangeSelect)) return;
  int c, r;
  const QPoint p = e->position().toPoint();
  MouseToCell(p.x(), p.y(), c, r);
  if (c >= FixedCols() && r >= FixedRows() && (c != Col() || r != Row())) MoveCurrent(c, r, false, true);
}

void TStringGrid::mouseReleaseEvent(QMouseEvent* e) {
  selecting_ = false;
  const QPoint p = e->position().toPoint();
  const GridState state = gridState_;
  gridState_ = gsNormal;
  if (state == gsColMoving || state == gsRowMoving) {
    int c, r;
    MouseToCell(p.x(), p.y(), c, r);
    if (state == gsColMoving && c >= FixedCols() && c != sizingIndex_) MoveColumn(sizingIndex_, c);
    if (state == gsRowMoving && r >= FixedRows() && r != sizingIndex_) MoveRow(sizingIndex_, r);
  }
  MouseUp(e->button(), ShiftOf(e->modifiers()), p.x(), p.y());
}

void TStringGrid::MouseUp(Qt::MouseButton, TShiftState, int, int) {}

// --- Focus -----------------------------------------------------------------

void TStringGrid::focusInEvent(QFocusEvent* e) {
  QAbstractScrollArea::focusInEvent(e);
  FocusEntered(this);
}

void TStringGrid::focusOutEvent(QFocusEvent* e) {
  QAbstractScrollArea::focusOutEvent(e);
  if (e->reason() != Qt::ActiveWindowFocusReason && e->reason() != Qt::PopupFocusReason)
    FocusLeft(QApplication::focusWidget());
  Invalidate();
}

void TStringGrid::FocusEntered(QWidget*) {
  if (destroying_) return;
  Invalidate();
  if (inFocus_) return;
  inFocus_ = true;
  DoEnter();
}

void TStringGrid::FocusLeft(QWidget* to) {
  if (!inFocus_ || destroying_) return;
  if (to == this || (editor_ && to == editor_)) return;
  inFocus_ = false;
  DoExit();
}

void TStringGrid::FocusNextControl() {
  if (window() == this) return;
  FocusBeside(true);
}

bool TStringGrid::FocusBeside(bool next) {
  // The editor joins the window's focus chain when it is first made, at its
  // end, so the chain is walked from the grid and the grid's own children
  // are passed over.
  for (QWidget* w = next ? nextInFocusChain() : previousInFocusChain(); w != this;
       w = next ? w->nextInFocusChain() : w->previousInFocusChain()) {
    if (w == nullptr) return false;
    if (isAncestorOf(w) || w->window() != window()) continue;
    if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy()) {
      w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
      return true;
    }
  }
  return false;
}
