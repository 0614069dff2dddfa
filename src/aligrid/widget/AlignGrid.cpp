#include "aligrid/widget/AlignGrid.h"

#include <QFontMetrics>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QTextDocument>
#include <QTextOption>
#include <QToolTip>

#include "platform/core/Platform.h"
#include "platform/qt/QtText.h"

// The core with the window's own steps: maintenance hides and shows the
// editor, repaints go to the viewport, growing the grid resizes it.
class TStringAlignGrid::Core final : public TAlignGridCore {
 public:
  explicit Core(TStringAlignGrid* g) : TAlignGridCore(g->GridData()), g_(g) {}
  void InsertCol(int index) override { g_->InsertCol(index); }
  void InsertRow(int index) override { g_->InsertRow(index); }
  void ExchangeCols(int a, int b) override { g_->ExchangeCols(a, b); }
  void ExchangeRows(int a, int b) override { g_->ExchangeRows(a, b); }
  void Invalidate() override { g_->Invalidate(); }
  void FocusNextControl() override { g_->FocusNextControl(); }
  bool IsTabStop(int col) const override { return g_->TabStops(col); }
  bool OwnComparison(bool rows) const override {
    return rows ? !g_->OnCompareCol : !g_->OnCompareRow;
  }
  void SetGridColCount(int n) override { g_->SetColCount(n); }
  void SetGridRowCount(int n) override { g_->SetRowCount(n); }
  void SetGridFixedCols(int n) override { g_->SetFixedCols(n); }
  void SetGridFixedRows(int n) override { g_->SetFixedRows(n); }
  void Loaded() override { g_->Loaded(); }

 private:
  TStringAlignGrid* g_;
};

// --- Editor ----------------------------------------------------------------

TNewInplaceEdit::TNewInplaceEdit(TStringAlignGrid* grid) : TInplaceEdit(grid), align_(grid) {
  SetAlignment(alLeft);
}

int TNewInplaceEdit::EditCol() const { return align_->core_->EditedCol; }
int TNewInplaceEdit::EditRow() const { return align_->core_->EditedRow; }

void TNewInplaceEdit::SetAlignment(TMyAlign a) {
  alignment_ = a;
  QTextOption o = document()->defaultTextOption();
  const Qt::Alignment h = a == alRight ? Qt::AlignRight : a == alCenter ? Qt::AlignHCenter : Qt::AlignLeft;
  if (o.alignment() == h) return;
  const int start = SelStart(), length = SelLength();
  o.setAlignment(h);
  document()->setDefaultTextOption(o);
  updating_ = true;
  const QString text = toPlainText();
  setPlainText(text);  // lays the text out again with the new alignment
  updating_ = false;
  SetSel(start, length);
}

void TNewInplaceEdit::KeyDown(int& key, TShiftState shift) {
  if (MultiLine && key >= VK_PRIOR && key <= VK_DOWN) return;  // stays in the text
  TInplaceEdit::KeyDown(key, shift);
}

void TNewInplaceEdit::KeyPress(char& key) {
  const int c = EditCol(), r = EditRow();
  if (c == -1 || r == -1) {
    key = 0;
    return;
  }
  if (key == 13) {
    if (!MultiLine) {
      align_->Post([g = align_, c, r] { g->WMEditEnter(c, r); });
      TInplaceEdit::KeyPress(key);
    } else if (!Grid()->CanEditModify()) {
      key = 0;
    }
    return;  // with MultiLine the edit takes it as a line break
  }
  if (key == 27 && !MultiLine) {
    SetText(OldText);
    align_->Post([g = align_, c, r] { g->WMEditCancel(c, r); });
    key = 13;
    TInplaceEdit::KeyPress(key);
    return;
  }
  if (key == 9) {
    key = 0;
    return;
  }
  TInplaceEdit::KeyPress(key);
}

// --- Grid ------------------------------------------------------------------

TStringAlignGrid::TStringAlignGrid(QWidget* parent)
    : TStringGrid(parent), core_(std::make_unique<Core>(this)) {
  core_->FixedBrush.SetColor(FixedColor());
  core_->FixedBrush.changed = false;
  core_->OnCompareCol = [this](int colrow, int a, int b) {
    return OnCompareCol ? OnCompareCol(this, colrow, a, b) : core_->CompareColCells(colrow, a, b);
  };
  core_->OnCompareRow = [this](int colrow, int a, int b) {
    return OnCompareRow ? OnCompareRow(this, colrow, a, b) : core_->CompareRowCells(colrow, a, b);
  };
  SortHandler = [this](int colrow, int first, int last, bool rows, bool asc) {
    core_->SortColRow(colrow, first, last, rows, asc);
  };
}

TStringAlignGrid::~TStringAlignGrid() { DestroyEditor(); }

void TStringAlignGrid::Post(std::function<void()> call) {
  QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
}

TNewInplaceEdit* TStringAlignGrid::NewEditor() const {
  return dynamic_cast<TNewInplaceEdit*>(InplaceEditor());
}

void TStringAlignGrid::SetAlignment(TMyAlign a) {
  if (a == core_->Alignment) return;
  core_->Alignment = a;
  Invalidate();
}

void TStringAlignGrid::SetWordwrap(T_Wordwrap w) {
  if (w == core_->Wordwrap) return;
  core_->Wordwrap = w;
  Invalidate();
}

void TStringAlignGrid::SetFixedColor(TColor c) {
  TStringGrid::SetFixedColor(c);
  core_->FixedBrush.SetColor(c);
  Invalidate();
}

void TStringAlignGrid::SetSelectedCellColor(TColor c) {
  core_->SelectedCellColor = c;
  Invalidate();
}

void TStringAlignGrid::SetSelectedFontColor(TColor c) {
  core_->SelectedFontColor = c;
  Invalidate();
}

void TStringAlignGrid::SetDrawSelection(bool on) {
  drawSelection_ = on;
  Invalidate();
}

void TStringAlignGrid::SetAutoAdjustLastCol(bool on) {
  autoAdjustLastCol_ = on;
  if (on) AdjustLastCol();
}

void TStringAlignGrid::SetGridLineWidth(int w) {
  const int old = GridLineWidth();
  TStringGrid::SetGridLineWidth(w);
  if (GridLineWidth() != old && autoAdjustLastCol_) AdjustLastCol();
}

void TStringAlignGrid::SetRedrawWhileScroll(bool on) {
  redrawWhileScroll_ = on;
  UpdateTracking();
}

// --- Rows and columns --------------------------------------------------------

void TStringAlignGrid::InsertCol(int index) {
  const bool hide = InplaceEditor() && InplaceEditor()->isVisible() &&
                    std::max(index, FixedCols()) <= core_->EditedCol;
  if (hide) HideEditor();
  const int anchor = AnchorCol(), count = ColCount();
  core_->TAlignGridCore::InsertCol(index);
  CountsChanged();
  // The selection keeps its cells, as the focus cell does.
  if (ColCount() != count && std::max(index, FixedCols()) <= anchor) SetAnchor(anchor + 1, AnchorRow());
  if (hide) ShowEditor();
}

void TStringAlignGrid::InsertRow(int index) {
  const bool hide = InplaceEditor() && InplaceEditor()->isVisible() &&
                    std::max(index, FixedRows()) <= core_->EditedRow;
  if (hide) HideEditor();
  const int anchor = AnchorRow(), count = RowCount();
  core_->TAlignGridCore::InsertRow(index);
  CountsChanged();
  if (RowCount() != count && std::max(index, FixedRows()) <= anchor) SetAnchor(AnchorCol(), anchor + 1);
  if (hide) ShowEditor();
}

void TStringAlignGrid::ExchangeCols(int a, int b) {
  if (a == b) return;
  const bool hide = InplaceEditor() && InplaceEditor()->isVisible() &&
                    (core_->EditedCol == a || core_->EditedCol == b);
  if (hide) HideEditor();
  const int anchor = AnchorCol();
  core_->TAlignGridCore::ExchangeCols(a, b);
  if (a != b && a >= 0 && b >= 0 && a < ColCount() && b < ColCount())
    SetAnchor(anchor == a ? b : anchor == b ? a : anchor, AnchorRow());
  if (hide) ShowEditor();
}

void TStringAlignGrid::ExchangeRows(int a, int b) {
  if (a == b) return;
  const bool hide = InplaceEditor() && InplaceEditor()->isVisible() &&
                    (core_->EditedRow == a || core_->EditedRow == b);
  if (hide) HideEditor();
  const int anchor = AnchorRow();
  core_->TAlignGridCore::ExchangeRows(a, b);
  if (a != b && a >= 0 && b >= 0 && a < RowCount() && b < RowCount())
    SetAnchor(AnchorCol(), anchor == a ? b : anchor == b ? a : anchor);
  if (hide) ShowEditor();
}

void TStringAlignGrid::RowMoved(int from, int to) {
  core_->MovePropsRow(from, to);
  TStringGrid::RowMoved(from, to);
}

void TStringAlignGrid::ColumnMoved(int from, int to) {
  core_->MovePropsCol(from, to);
  TStringGrid::ColumnMoved(from, to);
}

// --- Editing -----------------------------------------------------------------

TInplaceEdit* TStringAlignGrid::CreateEditor() {
  core_->EditedCol = core_->EditedRow = -1;
  return new TNewInplaceEdit(this);
}

void TStringAlignGrid::SetupEditor() {
  TNewInplaceEdit* ed = NewEditor();
  if (ed == nullptr) return;
  ed->SetAlignment(GetAlignCell(Col(), Row()));
  ed->SetEditFont(core_->GetCellFont(Col(), Row()));
  ed->SetEditColor(GetColorCell(Col(), Row()));
  core_->EditedCol = Col();
  core_->EditedRow = Row();
  ed->MultiLine = EditMultiline;
  ed->setLineWrapMode(EditMultiline ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

bool TStringAlignGrid::CanEditShow() {
  if ((Options() & goAlwaysShowEditor) && !EditorMode()) SetEditorModeFlag(true);
  bool result = TStringGrid::CanEditShow();
  TNewInplaceEdit* ed = NewEditor();
  if (ed == nullptr) return result;
  const int c = core_->EditedCol, r = core_->EditedRow;
  if (c != Col() || r != Row()) {
    if (c >= 0 && r >= 0) Post([this, c, r] { WMEditLeave(c, r); });
    ed->BeforeEdit = false;
  }
  if (!core_->Designing) result = result && (GetEditCell(Col(), Row()) || core_->ForceEditable);
  if (result) {
    SetupEditor();
    if (!ed->BeforeEdit) {
      ed->BeforeEdit = true;
      WMEditBegin(Col(), Row());
      ed->OldText = Cells(Col(), Row());
    }
    if (!SelectEditText) ed->Deselect();
    Post([this] { WMEditIdle(); });
  } else {
    core_->EditedCol = core_->EditedRow = -1;
    if (EditorMode()) HideEditor();
  }
  return result;
}

void TStringAlignGrid::WMEditBegin(int col, int row) {
  if (col >= 0 && row >= 0 && OnBeforeEdit) OnBeforeEdit(this, col, row);
  editing_ = true;
}

void TStringAlignGrid::WMEditCancel(int col, int row) {
  editing_ = false;
  TNewInplaceEdit* ed = NewEditor();
  if (ed) ed->BeforeEdit = false;
  // A cancelled edit is over: no later move commits it.
  if (ed && !ed->isVisible() && core_->EditedCol == col && core_->EditedRow == row)
    core_->EditedCol = core_->EditedRow = -1;
  if (col >= 0 && row >= 0 && OnCancelEdit) OnCancelEdit(this, col, row);
}

void TStringAlignGrid::WMEditEnter(int col, int row) { Commit(col, row, true); }
void TStringAlignGrid::WMEditLeave(int col, int row) { Commit(col, row, false); }

void TStringAlignGrid::Commit(int col, int row, bool enter) {
  editing_ = false;
  TNewInplaceEdit* ed = NewEditor();
  if (ed) ed->BeforeEdit = false;
  // An edit whose editor is closed is over: a later move must not commit
  // it a second time.
  if (ed && !ed->isVisible() && core_->EditedCol == col && core_->EditedRow == row)
    core_->EditedCol = core_->EditedRow = -1;
  if (col >= 0 && row >= 0) {
    bool ok = true;
    if (OnValidateEdit) OnValidateEdit(this, col, row, ok);
    if (!ok) {
      // Back into the refused cell; the cell being left is not committed
      // on the way, so two refusing cells cannot pass the focus to and fro.
      core_->EditedCol = core_->EditedRow = -1;
      FocusCell(col, row, true);
      StartCellEdit();
    } else if (OnAfterEdit) {
      OnAfterEdit(this, col, row);
    }
  }
  if (enter && AutoEditNextCell && !editing_ && col >= 0 && row >= 0) {
    int c = Col(), r = Row();
    core_->NextEditCell(c, r);
    if (c >= 0 && r >= 0) {
      core_->EditedCol = core_->EditedRow = -1;
      FocusCell(c, r, true);
      StartCellEdit();
    }
  }
}

void TStringAlignGrid::WMEditRestore() {
  ShowEditor();
  if (TInplaceEdit* ed = InplaceEditor(); ed && ed->isVisible())
    ed->SetSel(savedSelStart_, savedSelLength_);
}

void TStringAlignGrid::StartCellEdit() {
  ShowEditor();
  editing_ = true;
}

void TStringAlignGrid::EndCellEdit(bool cancel) {
  editing_ = false;
  TNewInplaceEdit* ed = NewEditor();
  if (ed == nullptr || !ed->isVisible()) return;
  if (!cancel) {
    HideEditor();
    core_->EditedCol = core_->EditedRow = -1;
    Commit(Col(), Row(), false);
  } else {
    ed->CharMessage(27, QString());
  }
}

std::string TStringAlignGrid::SaveToStream() { return WriteComponent(*core_); }

void TStringAlignGrid::LoadFromStream(const std::string& bytes) { ReadComponent(*core_, bytes); }

void TStringAlignGrid::Loaded() {
  core_->TAlignGridCore::Loaded();
  editorOpenAtExit_ = Options() & goAlwaysShowEditor;
  if (editorOpenAtExit_ && SelectEditText) savedSelLength_ = -1;
  HideEditor();
}

void TStringAlignGrid::DoEnter() {
  TStringGrid::DoEnter();
  if (editorOpenAtExit_ && (Options() & goAlwaysShowEditor)) Post([this] { WMEditRestore(); });
}

void TStringAlignGrid::DoExit() {
  TInplaceEdit* ed = InplaceEditor();
  if (ed && EditorMode()) {
    editorOpenAtExit_ = true;
    savedSelStart_ = ed->SelStart();
    savedSelLength_ = ed->SelLength();
    EndCellEdit(false);
  }
  if (editing_) {
    // The edit was refused: the user stays in the grid.
    QPointer<TStringAlignGrid> self = this;
    Post([self] {
      if (self && self->InplaceEditor()) self->InplaceEditor()->setFocus(Qt::OtherFocusReason);
    });
    return;
  }
  TStringGrid::DoExit();
  SetEditorModeFlag(false);
}

// --- Keys and mouse ------------------------------------------------------------

void TStringAlignGrid::KeyDown(int& key, TShiftState shift) {
  if (key == VK_TAB && !(shift & ssAlt)) {
    int c = Col(), r = Row();
    core_->TabTarget(shift & ssShift, c, r);
    FocusCell(c, r, true);
    key = 0;
  } else if (key == VK_INSERT && (shift & ssShift)) {
    WMPaste();
  } else if (key == VK_INSERT && (shift & ssCtrl)) {
    WMCopy();
  } else if (key == VK_DELETE && (shift & ssShift)) {
    WMCut();
  }
  TStringGrid::KeyDown(key, shift);
}

void TStringAlignGrid::KeyPress(char& key) {
  if (key == 13 && EditMultiline) {
    key = 0;
    return;
  }
  TStringGrid::KeyPress(key);
}

void TStringAlignGrid::WMChar(char key) {
  const unsigned char u = static_cast<unsigned char>(key);
  if (!(Options() & goEditing) || (u < 32 && u != 8)) {
    TStringGrid::WMChar(key);
    return;
  }
  ShowEditorChar(key, KeyQText().isEmpty() ? tavrel::toQString(KeyText()) : KeyQText());
  if (!EditorMode()) {
    char k = key;
    KeyPress(k);
  }
}

void TStringAlignGrid::MouseDown(Qt::MouseButton button, TShiftState shift, int x, int y) {
  int c = -1, r = -1;
  MouseToCell(x, y, c, r);
  if (c >= 0 && r >= 0 && !(c < FixedCols() && r < FixedRows())) {
    if (c < FixedCols()) {
      if (OnFixedRowClick) OnFixedRowClick(this, r);
    } else if (r < FixedRows()) {
      if (OnFixedColClick) OnFixedColClick(this, c);
    }
  }
  TStringGrid::MouseDown(button, shift, x, y);
}

void TStringAlignGrid::MouseUp(Qt::MouseButton button, TShiftState shift, int x, int y) {
  TStringGrid::MouseUp(button, shift, x, y);
  if (autoAdjustLastCol_) AdjustLastCol();
}

void TStringAlignGrid::mouseMoveEvent(QMouseEvent* e) {
  if (hintCol_ >= 0 || hintRow_ >= 0) {
    int c, r;
    const QPoint p = e->position().toPoint();
    MouseToCell(p.x(), p.y(), c, r);
    if (c != hintCol_ || r != hintRow_) {
      QToolTip::hideText();
      hintCol_ = hintRow_ = -1;
    }
  }
  TStringGrid::mouseMoveEvent(e);
}

bool TStringAlignGrid::viewportEvent(QEvent* e) {
  if (e->type() == QEvent::ToolTip && ShowCellHints) {
    auto* he = static_cast<QHelpEvent*>(e);
    int c, r;
    MouseToCell(he->pos().x(), he->pos().y(), c, r);
    hintCol_ = c;
    hintRow_ = r;
    const QRect rect = CellRect(c, r);
    THintInfo info;
    info.CursorPos = he->pos();
    info.CursorRect = rect;
    info.HintPos = viewport()->mapToGlobal(QPoint(rect.left(), rect.bottom() + 1 + 6));
    std::string hint = GetHintCell(c, r);
    bool canShow = true;
    if (OnShowHintCell) OnShowHintCell(this, c, r, hint, canShow, info);
    if (canShow && !hint.empty())
      QToolTip::showText(info.HintPos, tavrel::toQString(hint), viewport(), rect);
    else
      QToolTip::hideText();
    return true;
  }
  return TStringGrid::viewportEvent(e);
}

// --- Drawing -----------------------------------------------------------------

void TStringAlignGrid::DrawCell(int col, int row, QRect rect, TGridDrawState state) {
  PrepareCellCanvas(col, row, rect, state);
  DrawCellText(col, row, rect, state);
  if (OnDrawCell) OnDrawCell(this, col, row, rect, state);
}

void TStringAlignGrid::PrepareCellCanvas(int col, int row, QRect& rect, TGridDrawState state) {
  TGridCanvas& cv = Canvas();
  cv.Font.Assign(core_->GetCellFont(col, row));
  cv.Brush.Assign(core_->GetCellBrush(col, row));
  if (drawSelection_ && (state & gdSelected) &&
      !((state & gdFocused) && !(Options() & (goDrawFocusSelected | goRowSelect)))) {
    cv.Brush.SetColor(core_->GetSelectedColorCell(col, row));
    cv.Font.SetColor(core_->GetSelectedFontColorCell(col, row));
  }
  if (!DefaultDrawing()) return;
  cv.FillRect(rect);
  // Where a grid line is switched off the text may use its place: a missing
  // vertical line widens the cell to the right, a missing horizontal one
  // lengthens it downwards.
  const bool fixed = (state & gdFixed) != 0;
  const unsigned o = Options();
  if (!(o & (fixed ? goFixedVertLine : goVertLine))) rect.setRight(rect.right() + GridLineWidth());
  if (!(o & (fixed ? goFixedHorzLine : goHorzLine))) rect.setBottom(rect.bottom() + GridLineWidth());
}

void TStringAlignGrid::DrawCellText(int col, int row, QRect rect, TGridDrawState) {
  if (!DefaultDrawing()) return;
  TMyAlign align = GetAlignCell(col, row);
  T_Wordwrap wrap = GetWordwrapCell(col, row);
  if (DrawTextHook) DrawTextHook(this, col, row, align, wrap);
  // Letter squares give the letter all but a pixel on each side.
  const int inset = wholeLetters_ ? 1 : 2;
  const QRect r = rect.adjusted(inset, inset, -inset, -inset);
  if (r.width() <= 0 || r.height() <= 0) return;
  QPainter& p = *Canvas().Painter;
  // The clip is the text's alone: OnDrawCell, which follows, paints the
  // whole cell.
  p.save();
  int flags = Qt::AlignTop;
  flags |= align == alRight ? Qt::AlignRight : align == alCenter ? Qt::AlignHCenter : Qt::AlignLeft;
  QString text = tavrel::toQString(Cells(col, row));
  text.replace("\r\n", "\n").replace('\r', '\n');
  const QFont font = ToQFont(Canvas().Font);
  p.setFont(font);
  p.setPen(ResolveColor(Canvas().Font.Color()));
  p.setClipRect(r);
  if (wholeLetters_ && wrap != ww_wordwrap && !text.contains('\n')) {
    const QFontMetrics fm(font);
    const QRect ink = LetterInk(font);
    const int baseline = r.top() + (r.height() - ink.height()) / 2 - ink.top();
    const int advance = fm.horizontalAdvance(text);
    const int x = align == alRight    ? r.right() + 1 - advance
                  : align == alCenter ? r.left() + (r.width() - advance) / 2
                                      : r.left();
    p.drawText(QPoint(x, baseline), text);
    p.restore();
    return;
  }
  if (wrap == ww_wordwrap) {
    flags |= Qt::TextWordWrap;
  } else if (wrap == ww_ellipsis) {
    const QFontMetrics fm(font);
    QStringList lines = text.split('\n');
    for (QString& l : lines) l = fm.elidedText(l, Qt::ElideRight, r.width());
    text = lines.join('\n');
  }
  p.drawText(r, flags, text);
  p.restore();
}

void TStringAlignGrid::SetWholeLetters(bool on) {
  if (wholeLetters_ == on) return;
  wholeLetters_ = on;
  Invalidate();
}

QRect TStringAlignGrid::LetterInk(const QFont& font) {
  // Accents over capitals (acute, ring, dot, caron, circumflex, double
  // acute) and marks under them (cedilla, ogonek, comma), with the capitals
  // that reach below the baseline themselves.
  static const QString letters = QString::fromUtf8(
      "\u00C5\u00C1\u00C9\u00D3\u0179\u017B\u010C\u0158\u00C2\u00D6\u0150\u01FA"
      "\u00C7\u0104\u0118\u015E\u0162\u0218QJ");
  const QFontMetrics fm(font);
  QRect ink;
  for (const QChar c : letters) ink |= fm.boundingRect(c);
  if (ink.isEmpty()) ink = QRect(0, -fm.ascent(), 1, std::max(1, fm.height()));
  return ink;
}

// --- Scrolling and layout ----------------------------------------------------

void TStringAlignGrid::TopLeftChanged() {
  TStringGrid::TopLeftChanged();
  if (EditorMode()) Post([this] { WMEditIdle(); });
  if (RepaintAfterScroll || RepaintFixedAfterScroll) viewport()->repaint();
}

void TStringAlignGrid::ColWidthsChanged() {
  if (OnColWidthsChanged) OnColWidthsChanged(this);
}

void TStringAlignGrid::RowHeightsChanged() {
  if (OnRowHeightsChanged) OnRowHeightsChanged(this);
}

void TStringAlignGrid::Resized() {
  if (autoAdjustLastCol_) AdjustLastCol();
}

void TStringAlignGrid::AdjustLastCol() {
  int sum = 0;
  for (int c = 0; c < ColCount() - 1; ++c) sum += ColWidths(c);
  const int lines = (Options() & (goVertLine | goFixedVertLine)) ? ColCount() * GridLineWidth() : 0;
  const int client = viewport()->width();
  if (sum >= client) return;
  const int w = client - sum - lines;
  if (w >= 1 && w != ColWidths(ColCount() - 1)) SetColWidths(ColCount() - 1, w);
}

// --- Clipboard and sort --------------------------------------------------------

void TStringAlignGrid::RefreshEditor() {
  if (TInplaceEdit* ed = InplaceEditor(); ed && ed->isVisible()) {
    // The editor takes the cell's new text, or the next key would write
    // its old one back.
    HideEdit();
    ShowEditor();
  }
  Invalidate();
}

void TStringAlignGrid::CopyToClipboard(char separator, TGridRect range) {
  tavrel::platform().setClipboardText(core_->CopyToText(separator, range));
}

void TStringAlignGrid::PasteFromClipboard(char separator, TGridRect range) {
  core_->PasteFromText(tavrel::platform().clipboardText(), separator, range);
  RefreshEditor();
}

void TStringAlignGrid::WMCopy() {
  if (HandleClipboard) CopyToClipboard('\t', Selection());
}

void TStringAlignGrid::WMCut() {
  if (!HandleClipboard) return;
  const TGridRect range = core_->NormalizedCopyRange(Selection());
  CopyToClipboard('\t', range);
  core_->ClearRange(range);
  RefreshEditor();
}

void TStringAlignGrid::WMPaste() {
  if (HandleClipboard) PasteFromClipboard('\t', Selection());
}

void TStringAlignGrid::SortColRow(int colrow, int first, int last, bool sortRows, bool ascending) {
  core_->SortColRow(colrow, first, last, sortRows, ascending);
}
