#include "shared/forms/EditMenu.h"

#include <QAction>
#include <QMenu>

#include "platform/qt/Widgets.h"
#include "shared/forms/InsertLink.h"
#include "shared/forms/PictureLibrary.h"

tavrel::IEditControl* FocusedEdit(QWidget* form) {
  return tavrel::AsEditControl(tavrel::FocusedControl(form));
}

void EnableEditMenu(const EditMenuItems& items, tavrel::IEditControl* target) {
  const bool selection = target && target->HasSelection();
  if (items.cut) items.cut->setEnabled(selection);
  if (items.copy) items.copy->setEnabled(selection);
  if (target && items.selectAll) items.selectAll->setEnabled(!target->Text().empty());
  for (QAction* a : {items.undo, items.paste, items.del})
    if (a) a->setEnabled(true);
}

void EnableEditMenuForBox(const EditMenuItems& items, tavrel::IEditControl* target) {
  const bool selection = target && target->HasSelection();
  for (QAction* a : {items.undo, items.paste, items.selectAll})
    if (a) a->setEnabled(target != nullptr);
  for (QAction* a : {items.cut, items.copy, items.del})
    if (a) a->setEnabled(selection);
}

void RunEditCommand(tavrel::IEditControl* target, EditCommand command) {
  if (!target) return;
  switch (command) {
    case EditCommand::Undo: target->Undo(); break;
    case EditCommand::Cut: target->CutToClipboard(); break;
    case EditCommand::Copy: target->CopyToClipboard(); break;
    case EditCommand::Paste: target->PasteFromClipboard(); break;
    case EditCommand::Delete: target->ClearSelection(); break;
    case EditCommand::SelectAll: target->SelectAll(); break;
  }
}

void InsertIntoEdit(tavrel::IEditControl* target, InsertCommand command,
                    const std::string& dataFileName) {
  if (!target) return;
  std::string html;
  switch (command) {
    case InsertCommand::PictureFromWeb:
      tavrel::GetWebPicTag(html);
      break;
    case InsertCommand::PictureFromFile:
      tavrel::GetPicInfo(true, dataFileName, html);
      break;
    case InsertCommand::LinkToURL:
    case InsertCommand::LinkToFile:
      if (!frmInsertLink) return;
      frmInsertLink->ShowMe(command == InsertCommand::LinkToFile, dataFileName, html,
                            target->SelText());
      break;
  }
  // A cancelled dialog gives nothing, and the selected text stays.
  if (!html.empty()) target->SetSelText(html);
}

void EnableInsertMenu(QMenu* picture, QMenu* link, bool enabled) {
  for (QMenu* m : {picture, link}) {
    if (!m) continue;
    m->setEnabled(enabled);
    m->menuAction()->setEnabled(enabled);
  }
}
