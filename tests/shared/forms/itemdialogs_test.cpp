// The item dialogs (outline, item number, find and replace) working on a
// small main window that holds a question list.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt/Widgets.h"
#include "shared/forms/Arrange.h"
#include "shared/forms/MainFormBase.h"
#include "shared/forms/Replace.h"
#include "shared/core/TQList.h"
#include "shared/forms/WhatNumber.h"
#include "support/FakePlatform.h"

namespace {

using tavrel::ModalResult;
using tavrel::MsgType;
using tavrel::testing::FakePlatform;

class ListHost : public TMainFormBase {
 public:
  ListHost() { frmMain = this; }
  std::string AppTitle() const override { return "Askery"; }
  TQList* Questions() override { return &list; }
  void Redisplay() override { ++redisplays; }
  TQList list;
  int redisplays = 0;
};

std::vector<std::string> Texts(const TQList& list) {
  std::vector<std::string> out;
  for (int i = 1; i <= list.Count(); ++i) out.push_back(list.GetQuestionText(i));
  return out;
}

std::vector<std::string> OutlineLines(const TfrmArrange& dlg) {
  std::vector<std::string> lines;
  for (int i = 0; i < dlg.Outline1->topLevelItemCount(); ++i) {
    QTreeWidgetItem* top = dlg.Outline1->topLevelItem(i);
    lines.push_back(top->text(0).toStdString());
    for (int c = 0; c < top->childCount(); ++c) lines.push_back(top->child(c)->text(0).toStdString());
  }
  return lines;
}

class ItemDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host = std::make_unique<ListHost>();
    arrange = new TfrmArrange(host.get());
    number = new TfrmWhatNumber(host.get());
    replace = new TfrmReplace(host.get());
  }
  void TearDown() override {
    TfrmArrange::ModalHook = nullptr;
    TfrmWhatNumber::ModalHook = nullptr;
    TfrmReplace::ModalHook = nullptr;
    host.reset();
    EXPECT_TRUE(fake.AllAnswersUsed());
  }
  void Fill(const std::vector<std::string>& texts) {
    for (size_t i = 0; i < texts.size(); ++i)
      host->list.SetQuestionText(static_cast<int>(i) + 1, texts[i]);
  }
  // Types one key into a number box as the user would.
  void Key(QComboBox* box, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(box->lineEdit(), &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(box->lineEdit(), &release);
  }

  FakePlatform fake;
  std::unique_ptr<ListHost> host;
  TfrmArrange* arrange = nullptr;
  TfrmWhatNumber* number = nullptr;
  TfrmReplace* replace = nullptr;
};

// --- Outline ----------------------------------------------------------------------

TEST_F(ItemDialogsTest, OutlineShowsNumberedLinesWithTheTextsBelow) {
  Fill({"Alpha", "Beta", "Gamma"});
  EXPECT_EQ(arrange->windowTitle().toStdString(), "Change the Order of Questions");
  EXPECT_EQ(arrange->pnlTitle->text().toStdString(), "Drag and drop to move questions.");
  EXPECT_EQ(arrange->Outline1->toolTip().toStdString(),
            "Drag a question and drop it onto the number you want to move it to");
  arrange->FormShow();
  EXPECT_EQ(OutlineLines(*arrange),
            (std::vector<std::string>{"1.", "Alpha", "2.", "Beta", "3.", "Gamma"}));
  EXPECT_TRUE(arrange->Outline1->topLevelItem(2)->isExpanded());
  EXPECT_EQ(arrange->Outline1->LineOf(arrange->Outline1->topLevelItem(1)), 3);
  EXPECT_EQ(arrange->Outline1->LineOf(arrange->Outline1->topLevelItem(1)->child(0)), 4);
}

TEST_F(ItemDialogsTest, DroppingATextOnANumberMovesTheItemThere) {
  Fill({"A", "B", "C"});
  arrange->FormShow();
  ASSERT_TRUE(arrange->Outline1MouseDown(2));  // A's text line
  EXPECT_TRUE(arrange->Outline1DragDrop(arrange->FDragSource, 5));  // onto "3."
  EXPECT_EQ(Texts(host->list), (std::vector<std::string>{"B", "C", "A"}));
  EXPECT_EQ(OutlineLines(*arrange), (std::vector<std::string>{"1.", "B", "2.", "C", "3.", "A"}));

  host->list.ClearQuestions();
  Fill({"A", "B", "C"});
  arrange->BuildStructure();
  ASSERT_TRUE(arrange->Outline1MouseDown(6));  // C's text line
  EXPECT_TRUE(arrange->Outline1DragDrop(6, 1));  // onto "1."
  EXPECT_EQ(Texts(host->list), (std::vector<std::string>{"C", "A", "B"}));
  EXPECT_EQ(arrange->FMoves, 2);
}

TEST_F(ItemDialogsTest, DropsOntoTheOwnNumberOrATextLineChangeNothing) {
  Fill({"A", "B", "C"});
  arrange->FormShow();
  EXPECT_FALSE(arrange->Outline1MouseDown(3));  // a number line only selects
  EXPECT_EQ(arrange->FDragSource, 0);
  ASSERT_TRUE(arrange->Outline1MouseDown(4));
  EXPECT_FALSE(arrange->Outline1DragDrop(4, 3));  // B onto "2."
  EXPECT_FALSE(arrange->Outline1DragDrop(4, 6));  // onto C's text
  EXPECT_FALSE(arrange->Outline1DragDrop(4, 9));  // beyond the lines
  EXPECT_EQ(Texts(host->list), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(arrange->FMoves, 0);
}

TEST_F(ItemDialogsTest, AnEmptyOutlineStartsNoDrag) {
  arrange->FormShow();
  EXPECT_EQ(arrange->Outline1->topLevelItemCount(), 0);
  EXPECT_FALSE(arrange->Outline1MouseDown(2));
  EXPECT_EQ(arrange->FDragSource, 0);
  EXPECT_FALSE(arrange->Outline1DragDrop(2, 1));
}

TEST_F(ItemDialogsTest, OkRedisplaysTheMainWindowAndTheTitleBarKeepsTheMoves) {
  Fill({"A", "B"});
  TfrmArrange::ModalHook = [](TfrmArrange& d) {
    d.Outline1MouseDown(4);
    d.Outline1DragDrop(4, 1);
    d.btnAcceptClick();
  };
  EXPECT_EQ(arrange->ShowModal(), QDialog::Accepted);
  EXPECT_EQ(host->redisplays, 1);
  EXPECT_EQ(Texts(host->list), (std::vector<std::string>{"B", "A"}));

  TfrmArrange::ModalHook = [](TfrmArrange& d) {
    d.Outline1MouseDown(4);
    d.Outline1DragDrop(4, 1);
    d.close();
  };
  EXPECT_EQ(arrange->ShowModal(), QDialog::Rejected);
  EXPECT_EQ(host->redisplays, 1);
  EXPECT_EQ(Texts(host->list), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(arrange->FMoves, 1);
}

TEST_F(ItemDialogsTest, OutlineLayoutFollowsTheClientSize) {
  arrange->resize(500, 400);
  arrange->FormResize();
  EXPECT_EQ(arrange->pnlTitle->width(), 498);
  EXPECT_EQ(arrange->Outline1->width(), 474);
  EXPECT_EQ(arrange->Outline1->height(), 306);
  EXPECT_EQ(arrange->btnAccept->x(), 250 - (arrange->btnAccept->width() + 4));
  EXPECT_EQ(arrange->btnHelp->x(), 254);
  EXPECT_EQ(arrange->btnAccept->y(), 353);
  EXPECT_EQ(arrange->btnHelp->y(), 353);
  arrange->btnHelpClick();
  EXPECT_EQ(fake.helpShown, std::vector<int>{8500});
}

TEST_F(ItemDialogsTest, OutlineOfManyItemsIsBuiltOnce) {
  std::vector<std::string> texts;
  for (int i = 1; i <= 500; ++i) texts.push_back("Q" + std::to_string(i));
  Fill(texts);
  arrange->FormShow();
  EXPECT_EQ(arrange->Outline1->topLevelItemCount(), 500);
  EXPECT_EQ(arrange->Outline1->ItemAtLine(1000)->text(0).toStdString(), "Q500");
  EXPECT_EQ(arrange->Outline1->ItemAtLine(1001), nullptr);
}

// --- Item number --------------------------------------------------------------------

TEST_F(ItemDialogsTest, NumberDialogStartsWithOneAndHidesTheTarget) {
  EXPECT_EQ(number->windowTitle().toStdString(), "What Number?");
  EXPECT_EQ(number->cmbNumber->currentText().toStdString(), "1");
  EXPECT_EQ(number->cmbToPosition->currentText().toStdString(), "1");
  EXPECT_TRUE(number->cmbToPosition->isHidden());
  EXPECT_TRUE(number->lblToPosition->isHidden());
  EXPECT_EQ(number->lblToPosition->text().toStdString(), "to position number:");
  EXPECT_TRUE(number->btnCancel->isDefault());
  EXPECT_EQ(number->cmbNumber->lineEdit()->maxLength(), 3);
}

TEST_F(ItemDialogsTest, FillNumberListsOffersEveryNumberAndKeepsTheTypedText) {
  Fill({"A", "B", "C"});
  number->cmbNumber->setEditText("7");
  number->FillNumberLists();
  ASSERT_EQ(number->cmbNumber->count(), 3);
  EXPECT_EQ(number->cmbNumber->itemText(0).toStdString(), "1");
  EXPECT_EQ(number->cmbNumber->itemText(2).toStdString(), "3");
  EXPECT_EQ(number->cmbToPosition->count(), 3);
  EXPECT_EQ(number->cmbNumber->currentText().toStdString(), "7");
  host->list.ClearQuestions();
  number->FillNumberLists();
  EXPECT_EQ(number->cmbNumber->count(), 0);
  EXPECT_EQ(number->cmbNumber->currentText().toStdString(), "7");
}

TEST_F(ItemDialogsTest, TypedNonDigitsBecomeOnes) {
  // Keys go where the user's keys go: to the focused box of the shown dialog.
  number->show();
  QApplication::setActiveWindow(number);
  number->FormShow();
  QApplication::processEvents();
  auto type = [](int key, const QString& text) {
    QWidget* focused = QApplication::focusWidget();
    ASSERT_NE(focused, nullptr);
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(focused, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(focused, &release);
  };
  QLineEdit* edit = number->cmbNumber->lineEdit();
  edit->clear();
  type(Qt::Key_A, "a");
  type(Qt::Key_5, "5");
  EXPECT_EQ(edit->text().toStdString(), "15");
  type(Qt::Key_Backspace, "\b");  // deletes, as anywhere else
  EXPECT_EQ(edit->text().toStdString(), "1");
  type(Qt::Key_X, "x");
  type(Qt::Key_4, "4");
  type(Qt::Key_5, "5");  // at most three characters
  EXPECT_EQ(edit->text().toStdString(), "114");
  edit->setCursorPosition(0);
  type(Qt::Key_Delete, "\x7f");  // keys that type nothing act as usual
  EXPECT_EQ(edit->text().toStdString(), "14");

  number->cmbToPosition->show();
  number->cmbToPosition->setFocus();
  number->cmbToPosition->lineEdit()->clear();
  type(Qt::Key_Minus, "-");
  EXPECT_EQ(number->cmbToPosition->currentText().toStdString(), "1");
}

TEST_F(ItemDialogsTest, OkStoresValidNumbers) {
  host->FChosenNumber = -5;
  host->FToPosition = -5;
  number->cmbNumber->setEditText("100");
  number->btnOKClick();
  EXPECT_EQ(host->FChosenNumber, 100);
  EXPECT_EQ(host->FToPosition, 0);  // no target shown
  EXPECT_EQ(number->result(), QDialog::Accepted);

  number->cmbToPosition->setVisible(true);
  number->cmbNumber->setEditText("2");
  number->cmbToPosition->setEditText("5");
  number->btnOKClick();
  EXPECT_EQ(host->FChosenNumber, 2);
  EXPECT_EQ(host->FToPosition, 5);
  EXPECT_TRUE(fake.messages.empty());
}

TEST_F(ItemDialogsTest, OkRefusesNumbersOutsideOneToHundredWhateverTheListHolds) {
  std::vector<std::string> texts(150, "q");
  Fill(texts);
  number->FillNumberLists();
  for (const char* bad : {"120", "0", "", "1x", "101"}) {
    host->FChosenNumber = 0;
    host->FToPosition = 0;
    number->cmbNumber->setEditText(bad);
    number->setResult(QDialog::Rejected);
    fake.Answer(ModalResult::OK);
    number->btnOKClick();
    EXPECT_EQ(host->FChosenNumber, 0) << bad;
    EXPECT_EQ(number->result(), QDialog::Accepted) << bad;  // closes with OK all the same
  }
  ASSERT_EQ(fake.messages.size(), 5u);
  EXPECT_EQ(fake.messages[0].text, "This is not a valid question number.");
  EXPECT_EQ(fake.messages[0].type, MsgType::Warning);
  EXPECT_EQ(fake.messages[0].buttons, tavrel::mbOK);
  EXPECT_EQ(fake.messages[0].helpContext, 8500);

  // A bad target refuses both numbers.
  fake.ClearRecords();
  number->cmbToPosition->setVisible(true);
  number->cmbNumber->setEditText("3");
  number->cmbToPosition->setEditText("");
  fake.Answer(ModalResult::OK);
  number->btnOKClick();
  EXPECT_EQ(host->FChosenNumber, 0);
  EXPECT_EQ(host->FToPosition, 0);
  EXPECT_EQ(fake.MessageTexts(), std::vector<std::string>{"This is not a valid question number."});
}

TEST_F(ItemDialogsTest, CancelAndEscapeStoreZeroInBoth) {
  host->FChosenNumber = 4;
  host->FToPosition = 6;
  number->btnCancelClick();
  EXPECT_EQ(host->FChosenNumber, 0);
  EXPECT_EQ(host->FToPosition, 0);
  EXPECT_EQ(number->result(), QDialog::Rejected);

  host->FChosenNumber = 4;
  TfrmWhatNumber::ModalHook = [](TfrmWhatNumber& d) {
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&d, &esc);
  };
  EXPECT_EQ(number->ShowModal(), QDialog::Rejected);
  EXPECT_EQ(host->FChosenNumber, 0);
}

// --- Find and replace ------------------------------------------------------------------

TEST_F(ItemDialogsTest, ReplaceFormCollectsTheFieldsAndScope) {
  EXPECT_EQ(replace->windowTitle().toStdString(), "Find and Replace");
  EXPECT_EQ(replace->rgScope->title().toStdString(), "Scope");
  EXPECT_EQ(replace->rbCurrentItem->text().toStdString(), "Current item");
  EXPECT_EQ(replace->rbEntireExercise->text().toStdString(), "Entire exercise");
  EXPECT_EQ(replace->ScopeIndex(), 0);
  EXPECT_TRUE(replace->btnCancel->isDefault());

  TfrmReplace::ModalHook = [](TfrmReplace& d) {
    d.editFind->SetText("cat");
    d.editReplace->SetText("dog");
    d.SetScopeIndex(1);
    d.btnOKClick();
  };
  EXPECT_EQ(replace->ShowModal(), QDialog::Accepted);
  EXPECT_EQ(replace->editFind->Text(), "cat");
  EXPECT_EQ(replace->editReplace->Text(), "dog");
  EXPECT_EQ(replace->ScopeIndex(), 1);

  TfrmReplace::ModalHook = [](TfrmReplace& d) { d.btnCancelClick(); };
  EXPECT_EQ(replace->ShowModal(), QDialog::Rejected);
  // The fields stay for the next use.
  EXPECT_EQ(replace->editFind->Text(), "cat");
}

}  // namespace
