// The reading dialog's rules: enabled states, the OK, Cancel and Delete
// questions, the undo copy that belongs to the open exercise, the options
// marking the exercise modified, the menus, the Ctrl+Alt keys and the
// layout.
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

#include "reading_fixture.h"

namespace reading_test {
namespace {

const char* const kOKQuestion =
    "This will replace any previous reading text with this one. Are you sure you want to do "
    "this?";
const char* const kCancelQuestion = "The text has changed. Do you want to discard the changes?";
const char* const kDeleteQuestion =
    "This will delete the reading text completely. Are you sure you want to do this?";

// Loads a typed reading with this title and text, as opening a file does.
void LoadTyped(TfrmAddReadingText& f, const std::string& title, const std::string& text) {
  f.LoadXMLReadingData("<include-reading>1</include-reading><reading-title>" + title +
                       "</reading-title><reading-text>" + text + "</reading-text>");
}

void ExpectQuestion(const tavrel::testing::RecordedMessage& m, const std::string& text) {
  EXPECT_EQ(m.text, text);
  EXPECT_EQ(m.type, MsgType::Confirmation);
  EXPECT_EQ(m.buttons, tavrel::mbYesNoCancel | tavrel::mbHelp);
  EXPECT_EQ(m.helpContext, 12500);
}

// --- Controls and enabled states ---------------------------------------------------

TEST_F(ReadingTest, NewDialogHoldsNoReadingWithItsOptionsDisabled) {
  EXPECT_EQ(form->windowTitle(), "Add Reading Text");
  EXPECT_FALSE(form->isModal());
  EXPECT_FALSE(form->chkIncludeReading->isChecked());
  EXPECT_TRUE(form->chkIncludeReading->isEnabled());
  EXPECT_FALSE(form->chkTimer->isChecked());
  EXPECT_FALSE(form->chkTimer->isEnabled());
  EXPECT_EQ(form->spinTimer->value(), 1);
  EXPECT_EQ(form->spinTimer->minimum(), 1);
  EXPECT_EQ(form->spinTimer->maximum(), 500);
  EXPECT_FALSE(form->spinTimer->isEnabled());
  EXPECT_TRUE(form->rbInternal->isChecked());
  EXPECT_FALSE(form->rbInternal->isEnabled());
  EXPECT_FALSE(form->rbExternal->isEnabled());
  EXPECT_FALSE(form->editReadingPath->isEnabled());
  EXPECT_FALSE(form->mmoReadingTitle->isEnabled());
  EXPECT_FALSE(form->mmoReadingText->isEnabled());
  EXPECT_EQ(form->chkIncludeReading->text(), "Include a reading text");
  EXPECT_EQ(form->lblTimer->text(), "Time limit (minutes):");
  EXPECT_EQ(form->rbInternal->text(), "From text entered below");
  EXPECT_EQ(form->rbExternal->text(), "External file");
}

TEST_F(ReadingTest, ClickRulesEnableTheControlsThatBelongToEachChoice) {
  Show();
  form->chkIncludeReading->click();
  EXPECT_TRUE(form->chkTimer->isEnabled());
  EXPECT_TRUE(form->rbExternal->isEnabled());
  EXPECT_TRUE(form->mmoReadingText->isEnabled());
  EXPECT_FALSE(form->editReadingPath->isEnabled());

  form->chkTimer->click();
  EXPECT_TRUE(form->spinTimer->isEnabled());
  EXPECT_TRUE(form->lblTimer->isEnabled());

  form->rbExternal->click();
  EXPECT_TRUE(form->editReadingPath->isEnabled());
  EXPECT_TRUE(form->btnBrowse->isEnabled());
  EXPECT_FALSE(form->mmoReadingTitle->isEnabled());
  EXPECT_FALSE(form->pnlTitle->isEnabled());

  form->rbInternal->click();
  form->chkIncludeReading->click();  // off again
  EXPECT_FALSE(form->chkTimer->isEnabled());
  EXPECT_FALSE(form->rbInternal->isEnabled());
  EXPECT_TRUE(form->mmoReadingTitle->isEnabled());
  EXPECT_TRUE(form->mmoReadingText->isEnabled());
}

TEST_F(ReadingTest, ChangingAnOptionMarksTheExerciseWithoutAQuestion) {
  using Change = std::function<void(TfrmAddReadingText&)>;
  const Change changes[] = {
      [](TfrmAddReadingText& f) { f.chkIncludeReading->click(); },
      [](TfrmAddReadingText& f) { f.chkTimer->click(); },
      [](TfrmAddReadingText& f) { f.spinTimer->stepUp(); },
      [](TfrmAddReadingText& f) { f.rbExternal->click(); },
      [](TfrmAddReadingText& f) { f.editReadingPath->SetText("r.htm"); },
  };
  for (const Change& change : changes) {
    form->LoadXMLReadingData(
        "<include-reading>1</include-reading><include-timer>1</include-timer>");
    Show();
    change(*form);
    EXPECT_TRUE(host->FChanged);
    form->btnOK->click();  // closes at once: only the text asks
    EXPECT_FALSE(form->isVisible());
  }
  EXPECT_TRUE(fake.messages.empty());
}

TEST_F(ReadingTest, BrowseFillsThePathFromAnHtmlFileDialog) {
  LoadTyped(*form, "", "");
  form->rbExternal->click();
  fake.ChooseOpen("/home/t/readings/story.htm");
  form->btnBrowse->click();
  EXPECT_EQ(form->editReadingPath->Text(), "/home/t/readings/story.htm");
  ASSERT_EQ(fake.openRequests.size(), 1u);
  EXPECT_EQ(fake.openRequests[0].filter, "HTML pages (*.htm, *.html)|*.htm;*.html");

  fake.CancelOpen();
  form->btnBrowse->click();
  EXPECT_EQ(form->editReadingPath->Text(), "/home/t/readings/story.htm");
}

// --- OK, Cancel, Delete ---------------------------------------------------------------

TEST_F(ReadingTest, OKWithoutTextChangesClosesWithoutAQuestion) {
  LoadTyped(*form, "T", "X");
  Show();
  form->btnOK->click();
  EXPECT_FALSE(form->isVisible());
  EXPECT_FALSE(host->FChanged);
  EXPECT_TRUE(fake.messages.empty());
}

TEST_F(ReadingTest, OKAfterEditingAsksAndYesKeepsTheTextAndMarksTheExercise) {
  LoadTyped(*form, "T", "X");
  Show();
  Type(form->mmoReadingText, "new text");
  fake.Answer(ModalResult::Yes);
  form->btnOK->click();
  ASSERT_EQ(fake.messages.size(), 1u);
  ExpectQuestion(fake.messages[0], kOKQuestion);
  EXPECT_FALSE(form->isVisible());
  EXPECT_TRUE(host->FChanged);
  EXPECT_EQ(Text(), "new text");
}

TEST_F(ReadingTest, OKAnsweredNoRestoresTheTextAndCancelStaysOpen) {
  LoadTyped(*form, "T", "X");
  Show();
  Type(form->mmoReadingTitle, "new title");
  fake.Answer(ModalResult::Cancel);
  form->btnOK->click();
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(Title(), "new title");

  fake.Answer(ModalResult::No);
  form->btnOK->click();
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(Title(), "T");
  EXPECT_EQ(Text(), "X");
  EXPECT_FALSE(host->FChanged);
}

TEST_F(ReadingTest, CancelAfterEditingAnsweredYesDiscardsTheEdits) {
  LoadTyped(*form, "T", "X");
  Show();
  Type(form->mmoReadingText, "edited");
  fake.Answer(ModalResult::Yes);
  form->btnCancel->click();
  ASSERT_EQ(fake.messages.size(), 1u);
  ExpectQuestion(fake.messages[0], kCancelQuestion);
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(Text(), "X");
}

TEST_F(ReadingTest, CancelAnsweredNoAsksTheOKQuestionNext) {
  LoadTyped(*form, "T", "X");
  Show();
  Type(form->mmoReadingText, "edited");
  fake.Answer(ModalResult::No).Answer(ModalResult::Cancel);
  form->btnCancel->click();
  ASSERT_EQ(fake.messages.size(), 2u);
  ExpectQuestion(fake.messages[0], kCancelQuestion);
  ExpectQuestion(fake.messages[1], kOKQuestion);
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(Text(), "edited");

  fake.Answer(ModalResult::No).Answer(ModalResult::Yes);
  form->btnCancel->click();
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(Text(), "edited");
  EXPECT_TRUE(host->FChanged);
}

TEST_F(ReadingTest, EscapeAndTheCloseBoxRunTheCancelRule) {
  LoadTyped(*form, "T", "X");
  Show();
  Type(form->mmoReadingText, "edited");
  fake.Answer(ModalResult::Cancel);
  form->close();
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(fake.messages.back().text, kCancelQuestion);

  fake.Answer(ModalResult::Yes);
  QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(form.get(), &esc);
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(Text(), "X");
}

TEST_F(ReadingTest, DeleteTextEmptiesTitleAndTextOnlyOnYes) {
  LoadTyped(*form, "T", "X");
  Show();
  fake.Answer(ModalResult::No);
  form->btnDeleteText->click();
  EXPECT_EQ(Text(), "X");
  EXPECT_FALSE(host->FChanged);

  fake.Answer(ModalResult::Yes);
  form->btnDeleteText->click();
  ASSERT_EQ(fake.messages.size(), 2u);
  ExpectQuestion(fake.messages[1], kDeleteQuestion);
  EXPECT_EQ(fake.messages[1].defaultButton, tavrel::mbNo);  // deleting: Enter keeps the text
  EXPECT_EQ(Title(), "");
  EXPECT_EQ(Text(), "");
  EXPECT_TRUE(host->FChanged);
  EXPECT_TRUE(form->isVisible());
}

TEST_F(ReadingTest, ShowingAgainStartsANewUndoCopy) {
  LoadTyped(*form, "T", "X");
  Show();
  Type(form->mmoReadingText, "kept");
  fake.Answer(ModalResult::Yes);
  form->btnOK->click();

  Show();
  EXPECT_FALSE(form->TextChanged());
  Type(form->mmoReadingText, "again");
  fake.Answer(ModalResult::Yes);
  form->btnCancel->click();
  EXPECT_EQ(Text(), "kept");
}

// --- The reading belongs to the open exercise -----------------------------------------------

TEST_F(ReadingTest, NewWhileTheDialogIsOpenNeverBringsBackTheOldReading) {
  LoadTyped(*form, "Old", "old text");
  Show();
  Type(form->mmoReadingText, "half edited");
  form->ClearReading();  // the main window's New
  EXPECT_EQ(Text(), "");
  EXPECT_FALSE(form->TextChanged());
  form->btnCancel->click();  // nothing to discard: no question
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(Title(), "");
  EXPECT_EQ(Text(), "");
}

TEST_F(ReadingTest, OpeningAnotherExerciseMakesItsReadingTheUndoCopy) {
  LoadTyped(*form, "A", "first");
  Show();
  Type(form->mmoReadingText, "edit of A");
  LoadTyped(*form, "B", "second");  // Open while the dialog stays open
  EXPECT_FALSE(form->TextChanged());
  Type(form->mmoReadingText, "edit of B");
  fake.Answer(ModalResult::Yes);
  form->btnCancel->click();
  EXPECT_EQ(Title(), "B");
  EXPECT_EQ(Text(), "second");
}

// --- Menus ----------------------------------------------------------------------------------

TEST_F(ReadingTest, EditMenuFollowsTheFocusedBoxAndActsOnMemosOnly) {
  LoadTyped(*form, "", "some text");
  form->rbExternal->setChecked(true);
  form->rbInternal->setChecked(true);
  Show();
  form->mmoReadingText->setFocus();
  form->mmoReadingText->selectAll();
  form->mnuEditPopup();
  EXPECT_TRUE(form->mnuCut->isEnabled());
  EXPECT_TRUE(form->mnuCopy->isEnabled());
  EXPECT_TRUE(form->mnuDelete->isEnabled());
  EXPECT_TRUE(form->mnuSelectAll->isEnabled());

  form->mnuCopy->trigger();
  EXPECT_EQ(fake.clipboard, "some text");
  form->mnuDelete->trigger();
  EXPECT_EQ(Text(), "");
  form->mnuEditPopup();
  EXPECT_FALSE(form->mnuCut->isEnabled());
  EXPECT_FALSE(form->mnuSelectAll->isEnabled());
  form->mnuPaste->trigger();
  EXPECT_EQ(Text(), "some text");

  // Another control: cut, copy and delete off, select all as it was.
  form->chkIncludeReading->setFocus();
  form->mnuEditPopup();
  EXPECT_FALSE(form->mnuCopy->isEnabled());
  EXPECT_FALSE(form->mnuSelectAll->isEnabled());

  // The path box is an edit box but not a memo: the menu does not act on it.
  form->rbExternal->setChecked(true);
  form->editReadingPath->SetText("path");
  form->editReadingPath->setFocus();
  form->editReadingPath->selectAll();
  form->mnuEditPopup();
  EXPECT_TRUE(form->mnuCut->isEnabled());
  form->mnuCut->trigger();
  EXPECT_EQ(form->editReadingPath->Text(), "path");
}

TEST_F(ReadingTest, InsertMenuIsForTheMemosOnly) {
  LoadTyped(*form, "", "");
  Show();
  form->mmoReadingTitle->setFocus();
  form->mnuInsertPopup();
  EXPECT_TRUE(form->mnuPicture->menuAction()->isEnabled());
  EXPECT_TRUE(form->mnuLink->menuAction()->isEnabled());
  form->btnOK->setFocus();
  form->mnuInsertPopup();
  EXPECT_FALSE(form->mnuPicture->menuAction()->isEnabled());
  EXPECT_FALSE(form->mnuLink->menuAction()->isEnabled());
}

TEST_F(ReadingTest, LinkMenuReplacesTheSelectionWithTheAnchor) {
  LoadTyped(*form, "", "read this page");
  Show();
  form->mmoReadingText->setFocus();
  QTextCursor c = form->mmoReadingText->textCursor();
  c.setPosition(5);
  c.setPosition(14, QTextCursor::KeepAnchor);
  form->mmoReadingText->setTextCursor(c);
  link->ModalHook = [](TfrmInsertLink& f) {
    EXPECT_EQ(f.editLinkText->Text(), "this page");
    f.editPath->SetText("http://example.org/");
    f.btnOK->click();
    return f.result();
  };
  form->mnuLinkToURL->trigger();
  EXPECT_EQ(Text(), "read <A HREF=\"http://example.org/\">this page</A>");
  EXPECT_TRUE(form->TextChanged());
}

TEST_F(ReadingTest, LinkToFileIsRefusedForAnUntitledExercise) {
  LoadTyped(*form, "", "words");
  Show();
  form->mmoReadingText->setFocus();
  form->mmoReadingText->selectAll();
  fake.Answer(ModalResult::OK);
  form->mnuLinkToFile->trigger();
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].helpContext, 5700);
  // The refused link leaves the selected text as it was.
  EXPECT_EQ(Text(), "words");
}

TEST_F(ReadingTest, PictureFromTheWebGoesIntoTheFocusedMemo) {
  host->FFileName = files.File("quiz.aky");
  LoadTyped(*form, "", "");
  Show();
  form->mmoReadingTitle->setFocus();
  fake.Input("http://example.org/p.gif");
  form->mnuPicFromURL->trigger();
  EXPECT_EQ(Title(), "<img src=\"http://example.org/p.gif\" alt=\"\">");
  EXPECT_EQ(host->dlgSaveWeb.initialDir, files.Path());
}

TEST_F(ReadingTest, FontMenuGivesTheTextTheFontAndTheTitleItsName) {
  tavrel::FontSpec chosen;
  chosen.name = "Courier";
  chosen.size = 17;
  chosen.bold = true;
  chosen.color = 0x000080;  // red, as 0x00BBGGRR
  fake.ChooseFont(chosen);
  const int titleSize = form->mmoReadingTitle->font().pointSize();
  form->mnuFont->trigger();
  EXPECT_EQ(form->mmoReadingText->font().family(), "Courier");
  EXPECT_EQ(form->mmoReadingText->font().pointSize(), 17);
  EXPECT_TRUE(form->mmoReadingText->font().bold());
  EXPECT_EQ(form->mmoReadingText->palette().color(QPalette::Text), QColor(128, 0, 0));
  EXPECT_EQ(form->mmoReadingTitle->font().family(), "Courier");
  EXPECT_EQ(form->mmoReadingTitle->font().pointSize(), titleSize);
  EXPECT_FALSE(form->mmoReadingTitle->font().bold());

  fake.CancelFont();
  form->mnuFont->trigger();
  EXPECT_EQ(form->mmoReadingText->font().pointSize(), 17);
  ASSERT_EQ(fake.fontRequests.size(), 2u);
  EXPECT_EQ(fake.fontRequests[1].name, "Courier");  // starts from the text's font
}

TEST_F(ReadingTest, HelpButtonShowsTheReadingHelp) {
  form->btnHelp->click();
  ASSERT_EQ(fake.helpShown.size(), 1u);
  EXPECT_EQ(fake.helpShown[0], 12500);
}

// --- Keys and layout ------------------------------------------------------------------------

TEST_F(ReadingTest, CtrlAltKeysTypedInAMemoBecomeMarkup) {
  LoadTyped(*form, "", "word");
  Show();
  form->mmoReadingText->setFocus();
  form->mmoReadingText->selectAll();
  QKeyEvent press(QEvent::KeyPress, Qt::Key_I, Qt::ControlModifier | Qt::AltModifier);
  QApplication::sendEvent(form->mmoReadingText, &press);
  EXPECT_EQ(Text(), "<I>word</I>");

  // Enter with Ctrl+Alt is a line break tag, not a new line.
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::ControlModifier | Qt::AltModifier);
  QApplication::sendEvent(form->mmoReadingText, &enter);
  EXPECT_EQ(Text(), "<I>word</I><BR>");

  // With Shift too the key is not a shortcut.
  QKeyEvent shifted(QEvent::KeyPress, Qt::Key_B,
                    Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
  QApplication::sendEvent(form->mmoReadingText, &shifted);
  EXPECT_EQ(Text().find("<B>"), std::string::npos);
}

TEST_F(ReadingTest, LayoutFollowsTheClientArea) {
  Show();
  for (QSize size : {QSize(700, 520), QSize(900, 640)}) {
    form->resize(size);
    QApplication::processEvents();
    const int w = form->pnlClient->width();
    const int h = form->pnlClient->height();
    EXPECT_EQ(form->btnOK->x(), w / 2 - 230);
    EXPECT_EQ(form->btnDeleteText->x(), w / 2 - 112);
    EXPECT_EQ(form->btnCancel->x(), w / 2 + 7);
    EXPECT_EQ(form->btnHelp->x(), w / 2 + 125);
    for (QPushButton* b : {form->btnOK, form->btnDeleteText, form->btnCancel, form->btnHelp})
      EXPECT_EQ(b->y(), h - 44);
    EXPECT_EQ(form->mmoReadingText->x(), 0);
    EXPECT_EQ(form->mmoReadingText->width(), w);
    EXPECT_EQ(form->mmoReadingText->geometry().bottom() + 1, h - 60);
    const QRect title = form->mmoReadingTitle->geometry();
    EXPECT_LE(std::abs(title.left() - (w - title.right() - 1)), 1);  // centred
  }
}

}  // namespace
}  // namespace reading_test
