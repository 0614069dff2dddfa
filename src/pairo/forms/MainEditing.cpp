// Pairo's main window: the five rows and the list behind them, the Manage
// Items commands, find and replace, the Edit and Insert menus and the copy
// for printing.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QSignalBlocker>
#include <optional>

#include "pairo/core/MixStringList.h"
#include "pairo/core/PairEditing.h"
#include "pairo/forms/Main.h"
#include "platform/core/Platform.h"
#include "platform/qt/QtText.h"
#include "platform/qt/Widgets.h"
#include "shared/core/FileFunctions.h"
#include "shared/core/HelpContexts.h"
#include "shared/forms/Arrange.h"
#include "shared/forms/EditMenu.h"
#include "shared/forms/ReadingText.h"
#include "shared/forms/Replace.h"
#include "shared/forms/WhatNumber.h"

namespace pairo {

using tavrel::mbCancel;
using tavrel::mbOK;
using tavrel::mbYesNo;
using tavrel::ModalResult;
using tavrel::MsgType;
using tavrel::platform;
using tavrel::TMemo;

// --- The rows and the list ---------------------------------------------------------------

void TfrmMain::ShowItems(int t) {
  if (t < 1) t = 1;
  for (int k = 1; k <= 5; ++k) {
    const int p = t + k - 1;
    pnlNum[k]->setText(QString::number(p));
    mmoNumA[k]->SetText(FQuestions->GetQuestionText(p));
    mmoNumB[k]->SetText(FQuestions->GetQuestionExtra(p));
    // Refilling the rows counts as a change, as typing does.
    chkNumFix[k]->setChecked(FQuestions->GetQuestionFlag(p));
    mmoNum1AChange();
  }
}

void TfrmMain::StashItems() {
  for (int k = 1; k <= 5; ++k) {
    const int p = FTopItem + k - 1;
    FQuestions->SetQuestionText(p, mmoNumA[k]->Text());
    FQuestions->SetQuestionExtra(p, mmoNumB[k]->Text());
    FQuestions->SetQuestionFlag(p, chkNumFix[k]->isChecked());
  }
}

void TfrmMain::ChangePosition(bool forward) {
  StashItems();
  FTopItem += forward ? 1 : -1;
  if (FTopItem < 1) FTopItem = 1;
  ShowItems(FTopItem);
}

void TfrmMain::Redisplay() { ShowItems(FTopItem); }

void TfrmMain::RefreshRowsIfStale() {
  for (int k = 1; k <= 5; ++k) {
    const int p = FTopItem + k - 1;
    if (mmoNumA[k]->Text() != FQuestions->GetQuestionText(p) ||
        mmoNumB[k]->Text() != FQuestions->GetQuestionExtra(p) ||
        chkNumFix[k]->isChecked() != FQuestions->GetQuestionFlag(p)) {
      ShowItems(FTopItem);
      return;
    }
  }
}

void TfrmMain::btnUpClick() {
  ChangePosition(true);
  mmoNumA[5]->setFocus();
}

void TfrmMain::btnDownClick() {
  if (FTopItem != 1) ChangePosition(false);
}

void TfrmMain::mmoNum1AChange() { FChanged = true; }

// --- Manage Items --------------------------------------------------------------------------

void TfrmMain::mnuViewOutlineClick() {
  StashItems();
  if (!frmArrange) return;
  frmArrange->ShowModal();
  // The outline may have reordered the pairs behind the rows, also when it
  // was closed by its title bar: show what the list holds now.
  RefreshRowsIfStale();
}

int TfrmMain::ShowItemNumberDialog(const std::string& caption, bool withTarget) {
  frmWhatNumber->lblQuestionNumber->setText(tavrel::toQString(caption));
  frmWhatNumber->lblQuestionNumber->setVisible(true);
  frmWhatNumber->lblToPosition->setText("to position number:");
  frmWhatNumber->lblToPosition->setVisible(withTarget);
  frmWhatNumber->cmbToPosition->setVisible(withTarget);
  frmWhatNumber->FillNumberLists();
  return frmWhatNumber->ShowModal();
}

void TfrmMain::mnuDeleteItemClick() {
  StashItems();
  if (!frmWhatNumber) return;
  FChosenNumber = 0;
  ShowItemNumberDialog("Delete item number:", false);
  const int n = FChosenNumber;
  if (n <= 0) return;
  const ModalResult r = platform().messageDlg(
      "Are you sure you want to delete item number " + std::to_string(n) + "?", MsgType::Warning,
      mbOK | mbCancel, kHelpManageMenu, mbCancel);
  if (r == ModalResult::Cancel) return;
  FQuestions->DeleteQuestion(n);
  Redisplay();
}

void TfrmMain::mnuInsertItemClick() {
  StashItems();
  if (!frmWhatNumber) return;
  FChosenNumber = 0;
  ShowItemNumberDialog("Insert item at number:", false);
  const int n = FChosenNumber;
  if (n == 0) return;
  FQuestions->InsertQuestion(n);
  // The new pair comes into view.
  while (FTopItem < n - 4) ++FTopItem;
  Redisplay();
}

void TfrmMain::mnuMoveItemClick() {
  StashItems();
  if (!frmWhatNumber) return;
  FChosenNumber = 0;
  FToPosition = 0;
  ShowItemNumberDialog("Move item number:", true);
  const int from = FChosenNumber;
  const int to = FToPosition;
  // A number the list does not hold yet grows it first, as the setters do.
  if (!MovePair(*FQuestions, from, to)) return;
  FTopItem = to;
  ShowItems(FTopItem);
  mmoNumA[1]->setFocus();
}

void TfrmMain::mnuShuffleClick() {
  StashItems();
  const ModalResult r = platform().messageDlg(
      "This will shuffle the order of all the items in your exercise. Are you sure you want to "
      "continue?",
      MsgType::Confirmation, mbYesNo, kHelpManageMenu);
  if (r != ModalResult::Yes) return;
  ShuffleItems(*FQuestions, ShuffleRandom ? *ShuffleRandom : MixRandom());
  Redisplay();
}

void TfrmMain::FindAndReplace() {
  StashItems();
  if (!frmReplace) return;
  frmReplace->rgScope->setVisible(false);
  const int result = frmReplace->ShowModal();
  frmReplace->rgScope->setVisible(true);
  if (result != QDialog::Accepted) return;
  const int n = FQuestions->ReplaceInAll(frmReplace->editFind->Text(), frmReplace->editReplace->Text());
  ShowItems(FTopItem);
  platform().showMessage(std::to_string(n) + " replacements made.");
}

// --- Copy for printing ---------------------------------------------------------------------

void TfrmMain::mnuExportForPrintingClick() {
  tavrel::BusyCursor busy;
  StashItems();
  std::optional<PrintReading> reading;
  if (frmAddReadingText && frmAddReadingText->chkIncludeReading->isChecked())
    reading = PrintReading{frmAddReadingText->mmoReadingTitle->Text(),
                           frmAddReadingText->mmoReadingText->Text()};
  const std::optional<std::string> text =
      PrintCopyText(*FQuestions, mmoTitle->Text(), reading, PrintRandom ? *PrintRandom : MixRandom());
  if (!text) return;
  platform().setClipboardText(*text);
  busy.release();
  platform().messageDlg(kPrintCopyMessage, MsgType::Information, mbOK, kHelpFileMenu);
}

// --- Edit menu ------------------------------------------------------------------------------

// Every box of this window, memo or not.
tavrel::IEditControl* TfrmMain::EditTarget() { return FocusedEdit(this); }

// --- Insert menu -----------------------------------------------------------------------------

// Every memo of this window takes pictures and links (title, items, default).
void TfrmMain::mnuInsertClick() { EnableInsertMenu(mnuPicture, mnuLink, FocusedMemo() != nullptr); }

void TfrmMain::mnuToURLClick() { InsertIntoBox(FocusedEdit(this), InsertCommand::LinkToURL); }
void TfrmMain::mnuToFileClick() { InsertIntoBox(FocusedEdit(this), InsertCommand::LinkToFile); }
void TfrmMain::mnuFromWebURLClick() { InsertIntoBox(FocusedMemo(), InsertCommand::PictureFromWeb); }
void TfrmMain::mnuFromLocalFileClick() { InsertIntoBox(FocusedMemo(), InsertCommand::PictureFromFile); }

}  // namespace pairo
