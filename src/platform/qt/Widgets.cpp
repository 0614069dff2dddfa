#include "platform/qt/Widgets.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>
#include <memory>

#include "platform/core/Platform.h"
#include "platform/qt/QtText.h"

namespace tavrel {

namespace {

// The clipboard keys go through the platform's clipboard, like the menus.
bool HandleClipboardKey(IEditControl& box, bool readOnly, QKeyEvent* e) {
  if (e->matches(QKeySequence::Paste)) {
    if (!readOnly) box.PasteFromClipboard();
  } else if (e->matches(QKeySequence::Copy)) {
    box.CopyToClipboard();
  } else if (e->matches(QKeySequence::Cut)) {
    if (!readOnly) box.CutToClipboard();
  } else {
    return false;
  }
  e->accept();
  return true;
}

// The widgets' own line-break characters as plain "\n".
QString plainBreaks(QString s) {
  s.replace(QChar(QChar::ParagraphSeparator), QLatin1Char('\n'));
  s.replace(QChar(QChar::LineSeparator), QLatin1Char('\n'));
  return s;
}

// Every kind of line break in text that comes in from outside, as "\n".
QString unifyBreaks(QString s) {
  s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return plainBreaks(s);
}

// Length of a text as it is stored: a line break is CR LF there.
int storedLength(const QString& s) {
  int n = 0;
  for (qsizetype i = 0; i < s.size(); ++i) {
    if (s.at(i).isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate()) ++i;
    n += s.at(i) == QLatin1Char('\n') ? 2 : 1;
  }
  return n;
}

// The longest head of s whose stored length fits in room; a character is
// never split.
QString headThatFits(const QString& s, int room) {
  if (room <= 0) return {};
  int used = 0;
  qsizetype i = 0;
  while (i < s.size()) {
    const qsizetype len =
        (s.at(i).isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate()) ? 2 : 1;
    const int w = s.at(i) == QLatin1Char('\n') ? 2 : 1;
    if (used + w > room) break;
    used += w;
    i += len;
  }
  return s.left(i);
}

bool isTypedText(const QKeyEvent* e) {
  if (e->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return false;
  const QString t = e->text();
  if (t.isEmpty()) return false;
  for (const QChar c : t)
    if (!c.isPrint() && c != QLatin1Char('\t')) return false;
  return true;
}

// A focus loss that counts as leaving the box: not the window losing the
// focus to another window or a popup menu.
bool leavesControl(const QFocusEvent* e) {
  return e->reason() != Qt::ActiveWindowFocusReason && e->reason() != Qt::PopupFocusReason;
}

// The same input event with its committed text cut to what fits; null when
// nothing had to be cut.
std::unique_ptr<QInputMethodEvent> fittedInput(const QInputMethodEvent* e, const QString& fitted) {
  if (fitted == e->commitString()) return nullptr;
  auto copy = std::make_unique<QInputMethodEvent>(e->preeditString(), e->attributes());
  copy->setCommitString(fitted, e->replacementStart(), e->replacementLength());
  return copy;
}

}  // namespace

// --- TMemo -----------------------------------------------------------------

TMemo::TMemo(QWidget* parent, const char* name) : QPlainTextEdit(parent) {
  if (name) setObjectName(QString::fromLatin1(name));
  setTabChangesFocus(true);
  connect(this, &QPlainTextEdit::textChanged, this, [this] {
    if (OnChange) OnChange();
  });
}

void TMemo::SetMaxLength(int maxLength) { maxLength_ = maxLength > 0 ? maxLength : 0; }

void TMemo::SetWantReturns(bool want) { wantReturns_ = want; }

void TMemo::SetWantTabs(bool want) {
  wantTabs_ = want;
  setTabChangesFocus(!want);
}

void TMemo::SetCentered(bool centered) {
  centered_ = centered;
  QTextOption option = document()->defaultTextOption();
  option.setAlignment(centered ? Qt::AlignHCenter : Qt::AlignLeft);
  document()->setDefaultTextOption(option);
  viewport()->update();
}

std::string TMemo::Text() const {
  return fromQStringLines(plainBreaks(document()->toRawText()));
}

void TMemo::SetText(const std::string& text) { setPlainText(toQStringLines(text)); }

std::string TMemo::SelText() const {
  return fromQStringLines(plainBreaks(textCursor().selectedText()));
}

void TMemo::SetSelText(const std::string& text) {
  insertPlainText(toQStringLines(text));
  ensureCursorVisible();
}

bool TMemo::HasSelection() const { return textCursor().hasSelection(); }

void TMemo::SelectAll() { selectAll(); }

void TMemo::CutToClipboard() {
  if (!HasSelection()) return;
  platform().setClipboardText(SelText());
  ClearSelection();
}

void TMemo::CopyToClipboard() {
  if (HasSelection()) platform().setClipboardText(SelText());
}

void TMemo::PasteFromClipboard() { insertTyped(toQStringLines(platform().clipboardText())); }

void TMemo::ClearSelection() {
  QTextCursor c = textCursor();
  if (!c.hasSelection()) return;
  c.removeSelectedText();
  setTextCursor(c);
}

void TMemo::Undo() { undo(); }

QString TMemo::fitToLimits(const QString& text) const {
  QString t = unifyBreaks(text);
  if (!wantReturns_) t.replace(QLatin1Char('\n'), QLatin1Char(' '));
  if (maxLength_ > 0) {
    const int current = storedLength(plainBreaks(document()->toRawText()));
    const int selected = storedLength(plainBreaks(textCursor().selectedText()));
    t = headThatFits(t, maxLength_ - (current - selected));
  }
  return t;
}

void TMemo::insertTyped(const QString& text) {
  if (text.isEmpty()) return;
  const QString t = fitToLimits(text);
  if (t.isEmpty()) {
    QApplication::beep();
    return;
  }
  insertPlainText(t);
  ensureCursorVisible();
}

void TMemo::keyPressEvent(QKeyEvent* e) {
  if (HandleClipboardKey(*this, isReadOnly(), e)) return;
  const int key = e->key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    if (!wantReturns_) {
      // Left to the window, so that its default button answers.
      e->ignore();
      return;
    }
    if (maxLength_ > 0 && !isReadOnly()) {
      insertTyped(QStringLiteral("\n"));
      e->accept();
      return;
    }
  }
  if (key == Qt::Key_Tab && !wantTabs_) {
    QPlainTextEdit::keyPressEvent(e);  // moves the focus on
    return;
  }
  if (maxLength_ > 0 && !isReadOnly() && isTypedText(e)) {
    insertTyped(e->text());
    e->accept();
    return;
  }
  QPlainTextEdit::keyPressEvent(e);
}

void TMemo::focusOutEvent(QFocusEvent* e) {
  QPlainTextEdit::focusOutEvent(e);
  if (OnExit && leavesControl(e)) OnExit();
}

void TMemo::insertFromMimeData(const QMimeData* source) {
  if (!source || !source->hasText() || isReadOnly()) return;
  const QString t = fitToLimits(source->text());
  if (t.isEmpty()) return;
  insertPlainText(t);
  ensureCursorVisible();
}

void TMemo::inputMethodEvent(QInputMethodEvent* e) {
  // Composed characters (dead keys, input methods) obey the limits as typed
  // ones do.
  if (!e->commitString().isEmpty() && !isReadOnly()) {
    if (auto fitted = fittedInput(e, fitToLimits(e->commitString()))) {
      QPlainTextEdit::inputMethodEvent(fitted.get());
      return;
    }
  }
  QPlainTextEdit::inputMethodEvent(e);
}

bool TMemo::canInsertFromMimeData(const QMimeData* source) const {
  return source && source->hasText();
}

// --- TEdit -----------------------------------------------------------------

TEdit::TEdit(QWidget* parent, const char* name) : QLineEdit(parent) {
  if (name) setObjectName(QString::fromLatin1(name));
  // Dropped text would pass by the length limit; edit boxes take none.
  setAcceptDrops(false);
  connect(this, &QLineEdit::textChanged, this, [this] {
    if (OnChange) OnChange();
  });
}

void TEdit::SetMaxLength(int maxLength) { maxLength_ = maxLength > 0 ? maxLength : 0; }

std::string TEdit::Text() const { return fromQString(text()); }

void TEdit::SetText(const std::string& text) {
  const QString q = toQString(text);
  if (q == this->text()) {
    // Setting the same text still counts as setting it, as in a memo.
    if (OnChange) OnChange();
    return;
  }
  setText(q);
}

std::string TEdit::SelText() const { return fromQString(selectedText()); }

void TEdit::SetSelText(const std::string& text) { insert(toQString(text)); }

bool TEdit::HasSelection() const { return hasSelectedText(); }

void TEdit::SelectAll() { selectAll(); }

void TEdit::CutToClipboard() {
  if (!hasSelectedText()) return;
  platform().setClipboardText(SelText());
  del();
}

void TEdit::CopyToClipboard() {
  if (hasSelectedText()) platform().setClipboardText(SelText());
}

void TEdit::PasteFromClipboard() {
  if (isReadOnly()) return;
  const QString t = fitToLimits(toQString(platform().clipboardText()));
  if (t.isEmpty()) return;
  insert(t);
}

void TEdit::ClearSelection() {
  if (hasSelectedText()) del();
}

void TEdit::Undo() { undo(); }

QString TEdit::fitToLimits(const QString& text) const {
  QString t = unifyBreaks(text);
  t.replace(QLatin1Char('\n'), QLatin1Char(' '));
  if (maxLength_ > 0) {
    const int current = static_cast<int>(this->text().size());
    const int selected = static_cast<int>(selectedText().size());
    t = headThatFits(t, maxLength_ - (current - selected));
  }
  return t;
}

void TEdit::keyPressEvent(QKeyEvent* e) {
  if (HandleClipboardKey(*this, isReadOnly(), e)) return;
  if (maxLength_ > 0 && !isReadOnly() && isTypedText(e)) {
    const QString t = fitToLimits(e->text());
    if (t.isEmpty()) {
      QApplication::beep();
    } else {
      insert(t);
    }
    e->accept();
    return;
  }
  QLineEdit::keyPressEvent(e);
}

void TEdit::focusOutEvent(QFocusEvent* e) {
  QLineEdit::focusOutEvent(e);
  if (OnExit && leavesControl(e)) OnExit();
}

void TEdit::contextMenuEvent(QContextMenuEvent* e) {
  // The menu's Paste goes the same way as Ctrl+V, so the limits hold.
  QMenu* menu = createStandardContextMenu();
  for (QAction* a : menu->actions()) {
    if (a->objectName() == QLatin1String("edit-paste")) {
      disconnect(a, &QAction::triggered, nullptr, nullptr);
      connect(a, &QAction::triggered, this, [this] { PasteFromClipboard(); });
    }
  }
  menu->exec(e->globalPos());
  delete menu;
}

void TEdit::inputMethodEvent(QInputMethodEvent* e) {
  if (maxLength_ > 0 && !e->commitString().isEmpty() && !isReadOnly()) {
    if (auto fitted = fittedInput(e, fitToLimits(e->commitString()))) {
      QLineEdit::inputMethodEvent(fitted.get());
      return;
    }
  }
  QLineEdit::inputMethodEvent(e);
}

// --- Lookup ----------------------------------------------------------------

IEditControl* AsEditControl(QWidget* w) {
  if (!w) return nullptr;
  if (auto* c = dynamic_cast<IEditControl*>(w)) return c;
  // The focus may sit on a memo's viewport.
  if (auto* memo = dynamic_cast<TMemo*>(w->parentWidget()); memo && memo->viewport() == w) return memo;
  return nullptr;
}

QWidget* FocusedControl(QWidget* form) {
  if (!form) return nullptr;
  QWidget* fw = QApplication::focusWidget();
  if (fw && (fw == form || form->isAncestorOf(fw))) return fw;
  return form->focusWidget();
}

}  // namespace tavrel
