// The memo and edit boxes: Windows-1252 text with CR LF breaks, the one-line
// memo, length limits on what the user types or pastes, the clipboard through
// the platform, and the change and exit notifications.
#include <gtest/gtest.h>

#include <QDialog>
#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/Widgets.h"
#include "support/FakePlatform.h"

namespace {

using tavrel::TEdit;
using tavrel::TMemo;

// Sends a key press as the keyboard would; true when some widget took it.
bool Press(QWidget* w, int key, const QString& text = {}, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QKeyEvent e(QEvent::KeyPress, key, mods, text);
  QApplication::sendEvent(w, &e);
  return e.isAccepted();
}

void Type(QWidget* w, const QString& text) {
  for (const QChar c : text) Press(w, 0, QString(c));
}

class EditWidgetsTest : public ::testing::Test {
 protected:
  tavrel::testing::FakePlatform fake;
};

TEST_F(EditWidgetsTest, MemoKeepsWindowsTextAndLineBreaks) {
  TMemo memo(nullptr, "mmoQuestion");
  EXPECT_EQ(memo.objectName(), "mmoQuestion");
  memo.SetText("caf\xE9 \x80\r\nsecond\xA0line\r\n");
  EXPECT_TRUE(memo.toPlainText().startsWith(QString::fromUtf8("café €\nsecond")));
  EXPECT_EQ(memo.Text(), "caf\xE9 \x80\r\nsecond\xA0line\r\n");

  // What the code page cannot hold comes back as a character reference.
  memo.SetText("");
  memo.insertPlainText(QString::fromUtf8("x √ y"));
  EXPECT_EQ(memo.Text(), "x &#8730; y");

  memo.SetText("one\r\ntwo");
  memo.SelectAll();
  EXPECT_TRUE(memo.HasSelection());
  EXPECT_EQ(memo.SelText(), "one\r\ntwo");
  memo.SetSelText("new\r\ntext");
  EXPECT_FALSE(memo.HasSelection());
  EXPECT_EQ(memo.Text(), "new\r\ntext");
  EXPECT_EQ(memo.textCursor().position(), memo.toPlainText().size());
}

TEST_F(EditWidgetsTest, OneLineMemoLeavesEnterToTheWindow) {
  QDialog dialog;
  auto* memo = new TMemo(&dialog, "mmoTitle");
  auto* ok = new QPushButton("OK", &dialog);
  ok->setDefault(true);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(memo);
  layout->addWidget(ok);
  int clicks = 0;
  QObject::connect(ok, &QPushButton::clicked, [&] { ++clicks; });

  dialog.show();  // a hidden default button does not answer
  memo->SetWantReturns(false);
  memo->SetText("Title");
  memo->moveCursor(QTextCursor::End);
  Press(memo, Qt::Key_Return, "\r");
  EXPECT_EQ(memo->Text(), "Title");
  EXPECT_EQ(clicks, 1);  // the default button answered

  memo->SetWantReturns(true);
  Press(memo, Qt::Key_Return, "\r");
  EXPECT_EQ(memo->Text(), "Title\r\n");
  EXPECT_EQ(clicks, 1);
}

TEST_F(EditWidgetsTest, PastedLineBreaksBecomeBlanksInAOneLineMemo) {
  TMemo memo;
  memo.SetWantReturns(false);
  fake.clipboard = "first\r\nsecond\rthird\nfourth";
  memo.PasteFromClipboard();
  EXPECT_EQ(memo.Text(), "first second third fourth");

  // Ctrl+V takes the same road.
  memo.SetText("");
  fake.clipboard = "a\r\nb";
  Press(&memo, Qt::Key_V, "\x16", Qt::ControlModifier);
  EXPECT_EQ(memo.Text(), "a b");

  TMemo multi;
  fake.clipboard = "a\r\nb";
  multi.PasteFromClipboard();
  EXPECT_EQ(multi.Text(), "a\r\nb");
}

TEST_F(EditWidgetsTest, MemoLengthLimitHoldsForTheUserOnly) {
  TMemo memo;
  memo.SetMaxLength(5);
  memo.SetText("1234567");  // the program may set more
  EXPECT_EQ(memo.Text(), "1234567");

  memo.SetText("abc");
  memo.moveCursor(QTextCursor::End);
  Type(&memo, "defg");
  EXPECT_EQ(memo.Text(), "abcde");

  memo.SetText("abc");
  memo.moveCursor(QTextCursor::End);
  fake.clipboard = "xyz";
  memo.PasteFromClipboard();
  EXPECT_EQ(memo.Text(), "abcxy");

  // A selection makes room for what replaces it.
  memo.SelectAll();
  fake.clipboard = "123456";
  memo.PasteFromClipboard();
  EXPECT_EQ(memo.Text(), "12345");

  // Characters composed with dead keys or an input method too.
  memo.SetText("abcd");
  memo.moveCursor(QTextCursor::End);
  QInputMethodEvent composed;
  composed.setCommitString(QString::fromUtf8("éè"));
  QApplication::sendEvent(&memo, &composed);
  EXPECT_EQ(memo.Text(), "abcd\xE9");

  // A line break counts as the two characters it is stored as.
  memo.SetText("abc");
  memo.moveCursor(QTextCursor::End);
  fake.clipboard = "\r\nxy";
  memo.PasteFromClipboard();
  EXPECT_EQ(memo.Text(), "abc\r\n");
}

TEST_F(EditWidgetsTest, MemoClipboardGoesThroughThePlatform) {
  TMemo memo;
  memo.SetText("one\r\ntwo");
  memo.SelectAll();
  memo.CopyToClipboard();
  EXPECT_EQ(fake.clipboard, "one\r\ntwo");
  memo.CutToClipboard();
  EXPECT_EQ(memo.Text(), "");
  fake.clipboard = "pasted";
  memo.PasteFromClipboard();
  EXPECT_EQ(memo.Text(), "pasted");
  memo.Undo();
  EXPECT_EQ(memo.Text(), "");

  // Nothing selected: copy and cut leave the clipboard alone.
  memo.SetText("text");
  memo.CopyToClipboard();
  memo.CutToClipboard();
  EXPECT_EQ(fake.clipboard, "pasted");
  EXPECT_EQ(memo.Text(), "text");
}

TEST_F(EditWidgetsTest, ChangeAndExitNotifications) {
  TMemo memo;
  int changes = 0, exits = 0;
  memo.OnChange = [&] { ++changes; };
  memo.OnExit = [&] { ++exits; };
  memo.SetText("a");
  EXPECT_EQ(changes, 1);
  memo.SetText("a");  // a refill with the same text counts too
  EXPECT_EQ(changes, 2);
  Type(&memo, "b");
  EXPECT_EQ(changes, 3);

  QFocusEvent tabOut(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(&memo, &tabOut);
  EXPECT_EQ(exits, 1);
  // Another window taking the focus is no exit from the box.
  QFocusEvent windowOut(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
  QApplication::sendEvent(&memo, &windowOut);
  EXPECT_EQ(exits, 1);

  TEdit edit;
  int editChanges = 0, editExits = 0;
  edit.OnChange = [&] { ++editChanges; };
  edit.OnExit = [&] { ++editExits; };
  edit.SetText("x");
  edit.SetText("x");
  EXPECT_EQ(editChanges, 2);
  Type(&edit, "y");
  EXPECT_EQ(editChanges, 3);
  QFocusEvent out(QEvent::FocusOut, Qt::MouseFocusReason);
  QApplication::sendEvent(&edit, &out);
  EXPECT_EQ(editExits, 1);
}

TEST_F(EditWidgetsTest, EditBoxLimitsAndClipboard) {
  TEdit edit(nullptr, "editGuessCorrect");
  edit.SetMaxLength(4);
  edit.SetText("123456");
  EXPECT_EQ(edit.Text(), "123456");  // set by the program: kept whole

  edit.SetText("ab");
  edit.end(false);
  Type(&edit, "cdef");
  EXPECT_EQ(edit.Text(), "abcd");

  edit.SetText("ab");
  edit.end(false);
  fake.clipboard = "x\r\nyz";
  edit.PasteFromClipboard();
  EXPECT_EQ(edit.Text(), "abx ");

  edit.SetMaxLength(0);
  edit.SetText("caf\xE9");
  edit.end(false);
  fake.clipboard = "1\r\n2";
  Press(&edit, Qt::Key_V, "\x16", Qt::ControlModifier);
  EXPECT_EQ(edit.Text(), "caf\xE9" "1 2");

  edit.SelectAll();
  edit.CutToClipboard();
  EXPECT_EQ(fake.clipboard, "caf\xE9" "1 2");
  EXPECT_EQ(edit.Text(), "");

  // Deleting with nothing selected deletes nothing.
  edit.SetText("keep");
  edit.setCursorPosition(0);
  edit.ClearSelection();
  EXPECT_EQ(edit.Text(), "keep");

  edit.setSelection(1, 2);
  edit.SetSelText("\x80");
  EXPECT_EQ(edit.Text(), "k\x80p");
  edit.insert(QString::fromUtf8("→"));
  EXPECT_EQ(edit.Text(), "k\x80&#8594;p");
}

TEST_F(EditWidgetsTest, FocusedControlAndEditControlLookup) {
  QWidget form;
  auto* memo = new TMemo(&form, "mmoQuestion");
  auto* edit = new TEdit(&form, "editTitle");
  auto* layout = new QVBoxLayout(&form);
  layout->addWidget(memo);
  layout->addWidget(edit);
  EXPECT_EQ(tavrel::AsEditControl(memo), memo);
  EXPECT_EQ(tavrel::AsEditControl(memo->viewport()), memo);
  EXPECT_EQ(tavrel::AsEditControl(edit), edit);
  EXPECT_EQ(tavrel::AsEditControl(&form), nullptr);
  EXPECT_TRUE(tavrel::AsEditControl(memo)->IsMemo());
  EXPECT_FALSE(tavrel::AsEditControl(edit)->IsMemo());

  form.show();
  form.activateWindow();
  edit->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(tavrel::FocusedControl(&form), edit);

  // Focus elsewhere: the form's own record of its focused child.
  QWidget other;
  auto* otherEdit = new TEdit(&other);
  other.show();
  other.activateWindow();
  QApplication::setActiveWindow(&other);
  otherEdit->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(tavrel::FocusedControl(&form), edit);
  EXPECT_EQ(tavrel::FocusedControl(nullptr), nullptr);
}

}  // namespace
