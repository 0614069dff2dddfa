// The Edit menu and the Insert menu's picture and link items of a window,
// over an edit control the window chooses (usually the focused one).  The
// main windows and the configuration windows of every program use these.
#pragma once

#include <string>

class QAction;
class QMenu;
class QWidget;

namespace tavrel {
class IEditControl;
}

// The control of form that has the focus, as an edit control; null when the
// focus is on anything else.
tavrel::IEditControl* FocusedEdit(QWidget* form);

// The Edit menu's items; any may be null.
struct EditMenuItems {
  QAction* undo = nullptr;
  QAction* cut = nullptr;
  QAction* copy = nullptr;
  QAction* paste = nullptr;
  QAction* del = nullptr;
  QAction* selectAll = nullptr;
};

// When the Edit menu opens: Cut and Copy only with a selection in target;
// Select All only when target holds text (left as it is without a target);
// Undo, Paste and Delete always.
void EnableEditMenu(const EditMenuItems& items, tavrel::IEditControl* target);

// The same for a window whose items follow the focused box alone: all
// disabled without a target; with one Undo, Paste and Select All, and with a
// selection in it Cut, Copy and Delete too.
void EnableEditMenuForBox(const EditMenuItems& items, tavrel::IEditControl* target);

enum class EditCommand { Undo, Cut, Copy, Paste, Delete, SelectAll };
// Runs the command on target; nothing without one.
void RunEditCommand(tavrel::IEditControl* target, EditCommand command);

enum class InsertCommand { PictureFromWeb, PictureFromFile, LinkToURL, LinkToFile };
// Asks for a picture (picture library: its web address, or a local file as
// an <img> tag relative to dataFileName) or a link (the link dialog, with the
// selection as the link's default text), and puts what comes back in place
// of target's selection; a cancelled choice (empty result) leaves the
// selection as it was.  Nothing happens without a target, or for a link
// while the link dialog does not exist.
void InsertIntoEdit(tavrel::IEditControl* target, InsertCommand command,
                    const std::string& dataFileName);

// Enables or disables the Insert menu's Picture and Link submenus.
void EnableInsertMenu(QMenu* picture, QMenu* link, bool enabled);
