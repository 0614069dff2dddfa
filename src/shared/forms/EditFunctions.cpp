#include "shared/forms/EditFunctions.h"

#include <QKeyEvent>
#include <QWidget>

#include "platform/core/Platform.h"
#include "platform/qt/Widgets.h"
#include "shared/core/StringFunctions.h"

void WrapInTag(const std::string& tag, const std::string& text, bool closing,
               std::string& result) {
  result = "<" + tag + ">" + text;
  if (closing) result += "</" + tag + ">";
}

namespace {

std::string Wrapped(const std::string& tag, const std::string& text) {
  std::string r;
  WrapInTag(tag, text, true, r);
  return r;
}

// The pop-up link of Ctrl+Alt+D around sel.  The message goes into a
// single-quoted script string inside a double-quoted attribute: apostrophes
// and backslashes are escaped for the script, and a double quote is written
// as an entity so that it cannot end the attribute.
std::string PopupLink(const std::string& sel) {
  std::string message = "Message";
  if (!tavrel::platform().inputQuery("Create a popup message",
                                     "What would you like the popup message to say?", message))
    message = "Message";
  const std::string m = ReplaceAll("\"", "&quot;", JSEscapeQuotes(HighCharsToEntities(message)));
  return "<A HREF=\"javascript:alert('" + m + "')\">" + sel + "</A>";
}

// The markup that replaces the selection sel for key (37 and up, or Enter).
std::string MarkupFor(int key, const std::string& sel) {
  switch (key) {
    case vkReturn:
    case 'R':
      return "<BR>";
    case 'H':
      return "<HR>";
    case vkUp:
    case vkAdd:
      return Wrapped("SUP", sel);
    case vkDown:
    case vkSubtract:
      return Wrapped("SUB", sel);
    case vkRight:
      return Wrapped("BLOCKQUOTE", sel);
    case 'B':
      return Wrapped("B", sel);
    case 'I':
      return Wrapped("I", sel);
    case 'U':
      return Wrapped("U", sel);
    case 'C':
      return Wrapped("CENTER", sel);
    case vkComma:
    case vkLess:
      return "<FONT SIZE=-1>" + sel + "</FONT>";
    case vkPeriod:
    case vkGreater:
      return "<FONT SIZE=+1>" + sel + "</FONT>";
    case 'F':
      return "<FONT FACE=\"\" SIZE=\"\" COLOR=\"\">" + sel + "</FONT>";
    case 'L':
      return "<A HREF=\"\" TARGET=\"\">" + sel + "</A>";
    case 'G':
    case 'P':
      return "<IMG SRC=\"\" WIDTH=\"\" HEIGHT=\"\" ALIGN=\"\">";
    case 'E':
      return "<EMBED SRC=\"\" WIDTH=\"\" HEIGHT=\"\" HIDDEN=\"FALSE\" AUTOSTART=\"\">";
    case 'A':
      return "'" + sel + "'";
    case 'Q':
      return "\"" + sel + "\"";
    case 'D':
      return PopupLink(sel);
    default:
      return sel;
  }
}

}  // namespace

void HandleMarkupShortcut(QWidget* form, int key) {
  if (key < vkLeft && key != vkReturn) return;
  if (!form) return;
  tavrel::IEditControl* edit = tavrel::AsEditControl(tavrel::FocusedControl(form));
  if (!edit) return;
  const std::string sel = edit->SelText();
  edit->SetSelText(MarkupFor(key, sel));
}

int VirtualKeyCode(const QKeyEvent* e) {
  if (!e) return 0;
  const int k = e->key();
  const bool keypad = (e->modifiers() & Qt::KeypadModifier) != 0;
  if (k >= Qt::Key_A && k <= Qt::Key_Z) return k;  // 'A'..'Z'
  if (k >= Qt::Key_0 && k <= Qt::Key_9) return keypad ? 96 + (k - Qt::Key_0) : k;
  if (k >= Qt::Key_F1 && k <= Qt::Key_F12) return 112 + (k - Qt::Key_F1);
  switch (k) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Pause: return 19;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Asterisk: return keypad ? 106 : 0;
    case Qt::Key_Plus: return keypad ? 107 : 187;
    case Qt::Key_Minus: return keypad ? 109 : 189;
    case Qt::Key_Period: return keypad ? 110 : 190;
    case Qt::Key_Slash: return keypad ? 111 : 191;
    case Qt::Key_Semicolon: return 186;
    case Qt::Key_Equal: return 187;
    case Qt::Key_Comma: return 188;
    case Qt::Key_QuoteLeft: return 192;
    case Qt::Key_BracketLeft: return 219;
    case Qt::Key_Backslash: return 220;
    case Qt::Key_BracketRight: return 221;
    case Qt::Key_Apostrophe: return 222;
    case Qt::Key_Less: return 60;
    case Qt::Key_Greater: return 62;
    default: return 0;
  }
}

bool IsExactlyCtrlAlt(const QKeyEvent* e) {
  if (!e) return false;
  const Qt::KeyboardModifiers held =
      e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier |
                        Qt::MetaModifier);
  return held == (Qt::ControlModifier | Qt::AltModifier);
}

bool HandleMarkupKeyEvent(QWidget* form, const QKeyEvent* e) {
  if (!IsExactlyCtrlAlt(e)) return false;
  // Pressing Ctrl or Alt themselves reports them as keys; nothing to do yet.
  const int vk = VirtualKeyCode(e);
  if (vk != 0) HandleMarkupShortcut(form, vk);
  return true;
}
