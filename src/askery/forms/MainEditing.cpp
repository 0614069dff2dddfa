// Askery's main window: editing the questions and answers, the Manage
// Questions commands, find and replace, the Edit and Insert menus, the
// Internet-help links and the copy for printing.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QSignalBlocker>
#include <QSpinBox>
#include <algorithm>

#include "askery/forms/Main.h"
#include "shared/forms/PictureLibrary.h"
#include "platform/qt/QtText.h"
#include "platform/core/Platform.h"
#include "platform/qt/Widgets.h"
#include "shared/forms/Arrange.h"
#include "shared/core/FileFunctions.h"
#include "shared/core/HelpContexts.h"
#include "shared/forms/EditMenu.h"
#include "shared/forms/InsertLink.h"
#include "shared/forms/ReadingText.h"
#include "shared/forms/Replace.h"
#include "shared/forms/WhatNumber.h"

namespace askery {

using tavrel::mbCancel;
using tavrel::mbHelp;
using tavrel::mbOK;
using tavrel::mbYesNo;
using tavrel::ModalResult;
using tavrel::MsgType;
using tavrel::platform;
using tavrel::TMemo;

namespace {
constexpr int kManageHelp = kHelpManageMenu;
const char* const kCRLF = "\r\n";
}  // namespace

// --- The editor and the list ----------------------------------------------------------

void TfrmMain::StashQuestion() {
  FQuestions->SetQuestionText(FCurrQ, mmoQuestion->Text());
  const int offset = pnlAnsLabel->Tag;
  for (int k = 1; k <= 4; ++k)
    FQuestions->SetAnswer(FCurrQ, offset + k, AnswerBox(k)->Text(), "", 1);
}

void TfrmMain::ShowQuestion(int q) {
  if (q < 1) return;
  mmoQuestion->SetText(FQuestions->GetQuestionText(q));
  pnlAnsLabel->Tag = 0;
  ShowAnswers(q);
}

void TfrmMain::ShowAnswers(int q) {
  const int offset = pnlAnsLabel->Tag;
  for (int k = 1; k <= 4; ++k) {
    AnswerBox(k)->SetText(FQuestions->GetAnswerText(q, offset + k));
    AnswerPanel(k)->setText(QString::number(offset + k));
  }
}

void TfrmMain::Redisplay() { ShowQuestion(SpinQNum->value()); }

void TfrmMain::SetSpinnerQuietly(int value) {
  const QSignalBlocker block(SpinQNum);
  SpinQNum->setValue(value);
}

void TfrmMain::ShowCurrentAfterListChange() {
  // The list was renumbered behind the editor, so what the boxes hold no
  // longer belongs to the number shown: refill them, never store them.
  int n = SpinQNum->value();
  const int count = FQuestions->Count();
  if (count >= 1 && n > count) n = count;
  n = std::max(n, 1);
  SetSpinnerQuietly(n);
  FCurrQ = n;
  ShowQuestion(n);
}

void TfrmMain::SpinQNumChange() {
  StashQuestion();
  FCurrQ = SpinQNum->value();
  ShowQuestion(FCurrQ);
  mmoQuestion->setFocus();
}

void TfrmMain::spdAnsUpClick() {
  StashQuestion();
  pnlAnsLabel->Tag = pnlAnsLabel->Tag + 1;
  ShowAnswers(FCurrQ);
}

void TfrmMain::spdAnsDownClick() {
  StashQuestion();
  if (pnlAnsLabel->Tag > 0) {
    pnlAnsLabel->Tag = pnlAnsLabel->Tag - 1;
    ShowAnswers(FCurrQ);
  }
}

void TfrmMain::mmoTitleChange() { FChanged = true; }

void TfrmMain::mmoAnswer1Exit(TMemo* box) {
  if (!box) return;
  std::string text = box->Text();
  if (text.find_first_of("<>") == std::string::npos) return;
  for (char& c : text) {
    if (c == '<') c = '[';
    else if (c == '>') c = ']';
  }
  box->SetText(text);
  platform().messageDlg(
      "Angle brackets are tag delimiters in HTML, so they have been replaced with square "
      "brackets in your answer.",
      MsgType::Warning, mbOK | mbHelp, kHelpFindReplace);
}

// --- Manage Questions -----------------------------------------------------------------------

void TfrmMain::mnuViewOutlineClick() {
  StashQuestion();
  if (!frmArrange) return;
  const int result = frmArrange->ShowModal();
  // Closed by its title bar after moving questions: the editor still holds
  // the question that stood at its number before, which must not be stored
  // over the one that stands there now.
  if (result != QDialog::Accepted && frmArrange->FMoves > 0) ShowCurrentAfterListChange();
}

void TfrmMain::ShowItemNumberDialog(const std::string& caption, bool withTarget, int preselect) {
  frmWhatNumber->lblQuestionNumber->setText(tavrel::toQString(caption));
  frmWhatNumber->lblQuestionNumber->setVisible(true);
  frmWhatNumber->lblToPosition->setText("to position number:");
  frmWhatNumber->lblToPosition->setVisible(withTarget);
  frmWhatNumber->cmbToPosition->setVisible(withTarget);
  frmWhatNumber->FillNumberLists();
  if (preselect >= 0) frmWhatNumber->cmbNumber->setCurrentIndex(preselect);
  frmWhatNumber->ShowModal();
}

void TfrmMain::mnuDeleteQuestionClick() {
  StashQuestion();
  if (!frmWhatNumber) return;
  FChosenNumber = 0;
  ShowItemNumberDialog("Delete question number:", false, -1);
  const int n = FChosenNumber;
  if (n < 1) return;
  const ModalResult r = platform().messageDlg(
      "Are you sure you want to delete question number " + std::to_string(n) + "?",
      MsgType::Warning, mbOK | mbCancel, kManageHelp, mbCancel);
  if (r != ModalResult::OK) return;
  SpinQNum->setValue(n);
  FCurrQ = n;
  FQuestions->DeleteQuestion(n);
  ShowQuestion(n);
}

void TfrmMain::mnuInsertQuestionClick() {
  StashQuestion();
  if (!frmWhatNumber) return;
  FChosenNumber = 0;
  ShowItemNumberDialog("Insert question at number:", false, -1);
  const int n = FChosenNumber;
  if (n < 1) return;
  SpinQNum->setValue(n);
  FCurrQ = n;
  FQuestions->InsertQuestion(n);
  ShowQuestion(n);
}

void TfrmMain::mnuMoveQuestionClick() {
  StashQuestion();
  if (!frmWhatNumber) return;
  FChosenNumber = 0;
  FToPosition = 0;
  ShowItemNumberDialog("Move question number:", true, -1);
  const int from = FChosenNumber;
  const int to = FToPosition;
  if (from == to || from < 1 || to < 1) return;
  SpinQNum->setValue(from);
  FCurrQ = from;
  // Either number may lie beyond the end: the list grows to the larger one
  // first, as writing there would grow it.
  while (FQuestions->Count() < std::max(from, to)) FQuestions->AddQuestion();
  FQuestions->Move(from - 1, to - 1);
  ShowQuestion(from);
}

void TfrmMain::mnuCloneQuestionClick() {
  StashQuestion();
  if (!frmWhatNumber) return;
  FChosenNumber = 0;
  ShowItemNumberDialog("Clone question number:", false, SpinQNum->value() - 1);
  const int n = FChosenNumber;
  // Only a question the list holds can be copied.
  if (n < 1 || n > FQuestions->Count()) return;
  const int copy = FQuestions->DuplicateQuestion(n);
  // Cloning removed the empty questions, so the numbers behind the editor
  // changed: show the copy straight from the list.
  SetSpinnerQuietly(copy);
  ShowCurrentAfterListChange();
}

void TfrmMain::mnuShuffleClick() {
  StashQuestion();
  const ModalResult r = platform().messageDlg(
      "This will shuffle the order of all the questions in your quiz. Are you sure you want to "
      "continue?",
      MsgType::Confirmation, mbYesNo, kManageHelp);
  if (r != ModalResult::Yes) return;
  FQuestions->Shuffle();
  FCurrQ = SpinQNum->value();
  ShowQuestion(FCurrQ);
}

void TfrmMain::FindAndReplace() {
  StashQuestion();
  if (!frmReplace) return;
  if (frmReplace->ShowModal() != QDialog::Accepted) return;
  const std::string find = frmReplace->editFind->Text();
  const std::string replacement = frmReplace->editReplace->Text();
  int n = 0;
  if (frmReplace->ScopeIndex() == 1)
    n = FQuestions->ReplaceInAll(find, replacement);
  else
    n = FQuestions->ReplaceInQuestion(find, replacement, SpinQNum->value());
  FCurrQ = SpinQNum->value();
  ShowQuestion(FCurrQ);
  platform().showMessage(std::to_string(n) + " replacements made.");
}

// --- Copy for printing ---------------------------------------------------------------------

void TfrmMain::mnuExportForPrintingClick() {
  tavrel::BusyCursor busy;
  StashQuestion();
  std::string t = mmoTitle->Text() + kCRLF + kCRLF;
  const int count = FQuestions->Count();
  for (int i = 1; i <= count; ++i) {
    if (FQuestions->QuestionIsEmpty(i)) continue;
    t += std::to_string(i) + ". " + FQuestions->GetQuestionText(i) + kCRLF;
  }
  if (frmAddReadingText && frmAddReadingText->chkIncludeReading->isChecked())
    t = frmAddReadingText->mmoReadingTitle->Text() + kCRLF + kCRLF +
        frmAddReadingText->mmoReadingText->Text() + kCRLF + kCRLF + t;
  t += std::string(kCRLF) + kCRLF + "----------Key----------" + kCRLF + kCRLF;
  for (int i = 1; i <= count; ++i) {
    if (FQuestions->QuestionIsEmpty(i)) continue;
    t += std::to_string(i) + ". " + FQuestions->GetQuestionText(i) + kCRLF;
    const int answers = FQuestions->TrimEmptyAnswers(i);
    for (int j = 1; j <= answers; ++j) t += "\t-" + FQuestions->GetAnswerText(i, j) + kCRLF;
    t += kCRLF;
  }
  platform().setClipboardText(t);
  busy.release();
  platform().messageDlg(
      "The quiz has been copied to the clipboard. You can now paste it into a word-processor.",
      MsgType::Information, mbOK, kHelpFileMenu);
}

// --- Edit menu ------------------------------------------------------------------------------

void TfrmMain::mnuEditClick() {
  EnableEditMenu({mnuUndo, mnuCut, mnuCopy, mnuPaste, mnuDelete, mnuSelectAll}, FocusedEdit(this));
}


// --- Insert menu -----------------------------------------------------------------------------

// The boxes whose text goes into the pages as HTML: the title and the
// question.
TMemo* TfrmMain::FocusedHTMLBox() {
  TMemo* m = FocusedMemo();
  return m && (m == mmoTitle || m == mmoQuestion) ? m : nullptr;
}

void TfrmMain::mnuInsertClick() { EnableInsertMenu(mnuPicture, mnuLink, FocusedHTMLBox() != nullptr); }

void TfrmMain::mnuToURLClick() { InsertIntoBox(FocusedHTMLBox(), InsertCommand::LinkToURL); }
void TfrmMain::mnuToFileClick() { InsertIntoBox(FocusedHTMLBox(), InsertCommand::LinkToFile); }
void TfrmMain::mnuFromWebURLClick() { InsertIntoBox(FocusedMemo(), InsertCommand::PictureFromWeb); }
void TfrmMain::mnuFromLocalFileClick() { InsertIntoBox(FocusedMemo(), InsertCommand::PictureFromFile); }

}  // namespace askery
