// The Ctrl+Alt markup shortcuts: the replacement table on a focused memo and
// edit box, the keys that do nothing, the pop-up link, and the way a Qt key
// event reaches the table.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>
#include <memory>

#include "platform/qt/QtText.h"
#include "platform/qt/Widgets.h"
#include "shared/forms/EditFunctions.h"
#include "support/FakePlatform.h"

namespace {

using tavrel::testing::FakePlatform;

// A form with a memo, an edit box and a button.  "pre SEL post" is typed
// into the box under test with SEL selected.
class MarkupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(form.get());
    memo = new tavrel::TMemo(form.get(), "mmoText");
    edit = new tavrel::TEdit(form.get(), "editText");
    button = new QPushButton("OK", form.get());
    layout->addWidget(memo);
    layout->addWidget(edit);
    layout->addWidget(button);
    form->show();
    form->activateWindow();
  }

  void Prepare(tavrel::IEditControl* box, const std::string& before, const std::string& sel,
               const std::string& after) {
    box->SetText(before + sel + after);
    box->Widget()->setFocus();
    if (auto* m = dynamic_cast<tavrel::TMemo*>(box)) {
      QTextCursor c = m->textCursor();
      // The memo holds a line break as one character.
      const int start = static_cast<int>(tavrel::toQStringLines(before).size());
      c.setPosition(start);
      c.setPosition(start + static_cast<int>(sel.size()), QTextCursor::KeepAnchor);
      m->setTextCursor(c);
    } else {
      static_cast<tavrel::TEdit*>(box)->setSelection(static_cast<int>(before.size()),
                                                      static_cast<int>(sel.size()));
    }
    ASSERT_EQ(tavrel::FocusedControl(form.get()), box->Widget());
    ASSERT_EQ(box->SelText(), sel);
  }

  FakePlatform fake;
  std::unique_ptr<QWidget> form;
  tavrel::TMemo* memo = nullptr;
  tavrel::TEdit* edit = nullptr;
  QPushButton* button = nullptr;
};

struct Row {
  int key;
  std::string result;  // what replaces the selection "sel"
};

const Row kTable[] = {
    {13, "<BR>"},
    {'R', "<BR>"},
    {'H', "<HR>"},
    {38, "<SUP>sel</SUP>"},
    {107, "<SUP>sel</SUP>"},
    {40, "<SUB>sel</SUB>"},
    {109, "<SUB>sel</SUB>"},
    {39, "<BLOCKQUOTE>sel</BLOCKQUOTE>"},
    {'B', "<B>sel</B>"},
    {'I', "<I>sel</I>"},
    {'U', "<U>sel</U>"},
    {'C', "<CENTER>sel</CENTER>"},
    {188, "<FONT SIZE=-1>sel</FONT>"},
    {60, "<FONT SIZE=-1>sel</FONT>"},
    {190, "<FONT SIZE=+1>sel</FONT>"},
    {62, "<FONT SIZE=+1>sel</FONT>"},
    {'F', "<FONT FACE=\"\" SIZE=\"\" COLOR=\"\">sel</FONT>"},
    {'L', "<A HREF=\"\" TARGET=\"\">sel</A>"},
    {'G', "<IMG SRC=\"\" WIDTH=\"\" HEIGHT=\"\" ALIGN=\"\">"},
    {'P', "<IMG SRC=\"\" WIDTH=\"\" HEIGHT=\"\" ALIGN=\"\">"},
    {'E', "<EMBED SRC=\"\" WIDTH=\"\" HEIGHT=\"\" HIDDEN=\"FALSE\" AUTOSTART=\"\">"},
    {'A', "'sel'"},
    {'Q', "\"sel\""},
    // Keys from 37 up that the table does not name keep the selection.
    {37, "sel"},
    {'J', "sel"},
    {'K', "sel"},
    {'M', "sel"},
    {'5', "sel"},
    {46, "sel"},
};

TEST_F(MarkupTest, TableOnAMemoReplacesTheSelectionAndLeavesTheCaretAfterIt) {
  for (const Row& row : kTable) {
    Prepare(memo, "pre\r\n", "sel", " post");
    HandleMarkupShortcut(form.get(), row.key);
    EXPECT_EQ(memo->Text(), "pre\r\n" + row.result + " post") << "key " << row.key;
    EXPECT_FALSE(memo->HasSelection()) << "key " << row.key;
    EXPECT_EQ(memo->textCursor().position(), static_cast<int>(4 + row.result.size()))
        << "key " << row.key;
  }
}

TEST_F(MarkupTest, TableOnAnEditBoxReplacesTheSelection) {
  for (const Row& row : kTable) {
    Prepare(edit, "pre ", "sel", " post");
    HandleMarkupShortcut(form.get(), row.key);
    EXPECT_EQ(edit->Text(), "pre " + row.result + " post") << "key " << row.key;
    EXPECT_FALSE(edit->HasSelection()) << "key " << row.key;
    EXPECT_EQ(edit->cursorPosition(), static_cast<int>(4 + row.result.size())) << "key " << row.key;
  }
}

TEST_F(MarkupTest, WithoutASelectionTheMarkupGoesInAtTheCaret) {
  Prepare(memo, "one ", "", "two");
  HandleMarkupShortcut(form.get(), 'B');
  EXPECT_EQ(memo->Text(), "one <B></B>two");
  Prepare(edit, "x", "", "");
  HandleMarkupShortcut(form.get(), 'R');
  EXPECT_EQ(edit->Text(), "x<BR>");
}

TEST_F(MarkupTest, KeysBelowLeftOtherThanEnterDoNothing) {
  for (int key : {8, 9, 27, 32, 33, 36}) {
    Prepare(memo, "a", "sel", "b");
    HandleMarkupShortcut(form.get(), key);
    EXPECT_EQ(memo->Text(), "aselb") << "key " << key;
    EXPECT_EQ(memo->SelText(), "sel") << "key " << key;  // the selection stays too
  }
}

TEST_F(MarkupTest, NothingHappensWhenAButtonHasTheFocus) {
  memo->SetText("text");
  edit->SetText("edit");
  button->setFocus();
  ASSERT_EQ(tavrel::FocusedControl(form.get()), button);
  for (int key : {int('B'), int('R'), 13, int('D')}) HandleMarkupShortcut(form.get(), key);
  EXPECT_EQ(memo->Text(), "text");
  EXPECT_EQ(edit->Text(), "edit");
  EXPECT_TRUE(fake.inputPrompts.empty());  // no pop-up question either
}

TEST(WrapInTagTest, OpensAndOptionallyClosesTheTag) {
  std::string r;
  WrapInTag("SUP", "x", true, r);
  EXPECT_EQ(r, "<SUP>x</SUP>");
  WrapInTag("B", "", false, r);
  EXPECT_EQ(r, "<B>");
}

// --- The pop-up link --------------------------------------------------------------

TEST_F(MarkupTest, PopupLinkAsksForTheMessageAndWrapsTheSelection) {
  fake.Input("Well done");
  Prepare(memo, "", "word", "");
  HandleMarkupShortcut(form.get(), 'D');
  EXPECT_EQ(memo->Text(), "<A HREF=\"javascript:alert('Well done')\">word</A>");
  ASSERT_EQ(fake.inputPrompts.size(), 1u);
  // Caption, prompt and default text.
  EXPECT_EQ(fake.inputPrompts[0],
            "Create a popup message|What would you like the popup message to say?|Message");
  EXPECT_TRUE(fake.AllAnswersUsed());
}

TEST_F(MarkupTest, PopupMessageIsEscapedForTheScriptAndTheAttribute) {
  // An apostrophe and a backslash are escaped for the single-quoted script
  // string, a high character becomes its entity, and a double quote cannot
  // end the HREF attribute.
  fake.Input("It's \"caf\xE9\" a\\b");
  Prepare(edit, "", "x", "");
  HandleMarkupShortcut(form.get(), 'D');
  EXPECT_EQ(edit->Text(),
            "<A HREF=\"javascript:alert('It\\'s &quot;caf&eacute;&quot; a\\\\b')\">x</A>");
}

TEST_F(MarkupTest, CancelledPopupQuestionGivesTheDefaultMessage) {
  fake.CancelInput();
  Prepare(memo, "", "sel", "");
  HandleMarkupShortcut(form.get(), 'D');
  EXPECT_EQ(memo->Text(), "<A HREF=\"javascript:alert('Message')\">sel</A>");
}

// --- Key events -----------------------------------------------------------------------

TEST(VirtualKeyCodeTest, QtKeysMapToTheCodesOfTheTable) {
  struct Case {
    int qtKey;
    Qt::KeyboardModifiers mods;
    int vk;
  };
  const Qt::KeyboardModifiers none = Qt::NoModifier;
  const Qt::KeyboardModifiers pad = Qt::KeypadModifier;
  const Case cases[] = {
      {Qt::Key_A, none, 'A'},          {Qt::Key_Z, none, 'Z'},
      {Qt::Key_R, none, 'R'},          {Qt::Key_0, none, '0'},
      {Qt::Key_7, pad, 103},           {Qt::Key_Return, none, 13},
      {Qt::Key_Enter, pad, 13},        {Qt::Key_Backspace, none, 8},
      {Qt::Key_Tab, none, 9},          {Qt::Key_Escape, none, 27},
      {Qt::Key_Space, none, 32},       {Qt::Key_Home, none, 36},
      {Qt::Key_Left, none, 37},        {Qt::Key_Up, none, 38},
      {Qt::Key_Right, none, 39},       {Qt::Key_Down, none, 40},
      {Qt::Key_Delete, none, 46},      {Qt::Key_Plus, pad, 107},
      {Qt::Key_Minus, pad, 109},       {Qt::Key_Plus, none, 187},
      {Qt::Key_Minus, none, 189},      {Qt::Key_Comma, none, 188},
      {Qt::Key_Period, none, 190},     {Qt::Key_Less, none, 60},
      {Qt::Key_Greater, none, 62},     {Qt::Key_F1, none, 112},
      {Qt::Key_Control, none, 0},      {Qt::Key_Alt, none, 0},
  };
  for (const Case& c : cases) {
    QKeyEvent e(QEvent::KeyPress, c.qtKey, c.mods | Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(VirtualKeyCode(&e), c.vk) << "Qt key 0x" << std::hex << c.qtKey;
  }
}

TEST(IsExactlyCtrlAltTest, OnlyCtrlAndAltTogetherCount) {
  struct Case {
    Qt::KeyboardModifiers mods;
    bool exact;
  };
  const Case cases[] = {
      {Qt::ControlModifier | Qt::AltModifier, true},
      {Qt::ControlModifier | Qt::AltModifier | Qt::KeypadModifier, true},
      {Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier, false},
      {Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier, false},
      {Qt::ControlModifier, false},
      {Qt::AltModifier, false},
      {Qt::NoModifier, false},
  };
  for (const Case& c : cases) {
    QKeyEvent e(QEvent::KeyPress, Qt::Key_B, c.mods);
    EXPECT_EQ(IsExactlyCtrlAlt(&e), c.exact) << c.mods.toInt();
  }
}

TEST_F(MarkupTest, KeyEventWithCtrlAltIsHandledAndConsumed) {
  Prepare(memo, "", "bold", "");
  QKeyEvent b(QEvent::KeyPress, Qt::Key_B, Qt::ControlModifier | Qt::AltModifier);
  EXPECT_TRUE(HandleMarkupKeyEvent(form.get(), &b));
  EXPECT_EQ(memo->Text(), "<B>bold</B>");

  // Numeric-pad plus is superscript; the plus of the main keyboard is not.
  Prepare(memo, "", "2", "");
  QKeyEvent padPlus(QEvent::KeyPress, Qt::Key_Plus,
                    Qt::ControlModifier | Qt::AltModifier | Qt::KeypadModifier);
  EXPECT_TRUE(HandleMarkupKeyEvent(form.get(), &padPlus));
  EXPECT_EQ(memo->Text(), "<SUP>2</SUP>");

  // Backspace is consumed but changes nothing.
  Prepare(memo, "a", "b", "c");
  QKeyEvent back(QEvent::KeyPress, Qt::Key_Backspace, Qt::ControlModifier | Qt::AltModifier);
  EXPECT_TRUE(HandleMarkupKeyEvent(form.get(), &back));
  EXPECT_EQ(memo->Text(), "abc");
}

TEST_F(MarkupTest, KeyEventWithOtherModifiersIsLeftAlone) {
  Prepare(edit, "", "word", "");
  for (Qt::KeyboardModifiers mods :
       {Qt::KeyboardModifiers(Qt::ControlModifier),
        Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier}) {
    QKeyEvent e(QEvent::KeyPress, Qt::Key_B, mods);
    EXPECT_FALSE(HandleMarkupKeyEvent(form.get(), &e));
  }
  EXPECT_EQ(edit->Text(), "word");
}

}  // namespace
