// Ctrl+Alt markup shortcuts of the edit boxes: the key typed with exactly
// Ctrl and Alt held turns the selection of the focused edit box into HTML
// (a tag around it, a line break, a picture or link skeleton ...).
//
// Keys are given as Windows virtual-key codes, the codes the shortcut table
// is written in: letters as their upper-case ASCII code, digits as their
// ASCII code, Backspace 8, Tab 9, Enter 13, Esc 27, Space 32, Page Up/Down
// 33/34, End 35, Home 36, Left/Up/Right/Down 37-40, Insert 45, Delete 46,
// numeric-pad digits 96-105, * 106, + 107, - 109, . 110, / 111, F1-F12
// 112-123, ; 186, = 187, comma 188, - 189, full stop 190, / 191, ` 192,
// [ 219, \ 220, ] 221, ' 222, and the characters '<' and '>' (reported as
// keys of their own on some keyboards) as 60 and 62.
#pragma once

#include <string>

class QKeyEvent;
class QWidget;

// Virtual-key codes the shortcut table names.
enum MarkupKey : int {
  vkBack = 8,
  vkReturn = 13,
  vkLeft = 37,
  vkUp = 38,
  vkRight = 39,
  vkDown = 40,
  vkAdd = 107,
  vkSubtract = 109,
  vkLess = 60,
  vkGreater = 62,
  vkComma = 188,
  vkPeriod = 190,
};

// Result := "<" + tag + ">" + text, followed by "</" + tag + ">" when closing.
void WrapInTag(const std::string& tag, const std::string& text, bool closing,
               std::string& result);

// Replaces the selection of form's focused edit box (one-line or multi-line)
// by the markup that belongs to key; the caret ends after it with nothing
// selected.  Keys below 37 other than Enter, and a focus on anything but an
// edit box, do nothing.  Ctrl+Alt+D asks for a pop-up message through the
// platform's input box.
void HandleMarkupShortcut(QWidget* form, int key);

// The virtual-key code of a Qt key event, 0 for keys the table cannot name
// (modifier keys alone, unknown keys).
int VirtualKeyCode(const QKeyEvent* e);

// True when exactly Ctrl and Alt are held: no Shift, no Meta.  The
// numeric-pad flag does not count as a modifier.
bool IsExactlyCtrlAlt(const QKeyEvent* e);

// The key preview of a form: a key typed with exactly Ctrl and Alt goes to
// HandleMarkupShortcut and counts as consumed (true), whatever it did; any
// other key is left alone (false).
bool HandleMarkupKeyEvent(QWidget* form, const QKeyEvent* e);
