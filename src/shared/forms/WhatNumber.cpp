#include "shared/forms/WhatNumber.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include "platform/core/Platform.h"
#include "platform/qt/QtText.h"
#include "shared/forms/MainFormBase.h"
#include "shared/core/StringFunctions.h"
#include "shared/core/TQList.h"
#include "shared/forms/ModalForm.h"

TfrmWhatNumber* frmWhatNumber = nullptr;
std::function<void(TfrmWhatNumber&)> TfrmWhatNumber::ModalHook;

namespace {

QComboBox* MakeNumberBox(QWidget* parent, const char* name) {
  auto* box = new QComboBox(parent);
  box->setObjectName(name);
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->lineEdit()->setMaxLength(3);
  box->setEditText("1");
  return box;
}

// The number in a box, or 0 when it holds no valid one.
int ValidNumber(const QComboBox* box) {
  int n = 0;
  if (!StrToIntStrict(tavrel::fromQString(box->currentText()), n)) return 0;
  return (n >= 1 && n <= TfrmWhatNumber::kMaxNumber) ? n : 0;
}

}  // namespace

TfrmWhatNumber::TfrmWhatNumber(QWidget* parent) : QDialog(parent) {
  frmWhatNumber = this;
  setObjectName("frmWhatNumber");
  setWindowTitle("What Number?");
  setFixedSize(330, 132);

  lblQuestionNumber = new QLabel("Question number:", this);
  lblQuestionNumber->setObjectName("lblQuestionNumber");
  lblQuestionNumber->setGeometry(12, 14, 230, 20);
  cmbNumber = MakeNumberBox(this, "cmbNumber");
  cmbNumber->setGeometry(250, 12, 66, 24);

  lblToPosition = new QLabel("to position number:", this);
  lblToPosition->setObjectName("lblToPosition");
  lblToPosition->setGeometry(12, 50, 230, 20);
  cmbToPosition = MakeNumberBox(this, "cmbToPosition");
  cmbToPosition->setGeometry(250, 48, 66, 24);
  lblToPosition->hide();
  cmbToPosition->hide();

  btnOK = new QPushButton("OK", this);
  btnOK->setObjectName("btnOK");
  btnOK->setGeometry(72, 92, 88, 27);
  btnOK->setAutoDefault(false);
  btnCancel = new QPushButton("Cancel", this);
  btnCancel->setObjectName("btnCancel");
  btnCancel->setGeometry(170, 92, 88, 27);
  btnCancel->setDefault(true);

  TMainFormBase::ConnectCommand(btnOK, [this] { btnOKClick(); });
  TMainFormBase::ConnectCommand(btnCancel, [this] { btnCancelClick(); });
  // The focused combo box hands its keys to its line edit directly, past any
  // filter of the line edit: the filter watches both.
  for (QComboBox* box : {cmbNumber, cmbToPosition}) {
    box->installEventFilter(this);
    box->lineEdit()->installEventFilter(this);
  }
}

TfrmWhatNumber::~TfrmWhatNumber() {
  if (frmWhatNumber == this) frmWhatNumber = nullptr;
}

void TfrmWhatNumber::FillNumberLists() {
  const int count = (frmMain && frmMain->Questions()) ? frmMain->Questions()->Count() : 0;
  QStringList numbers;
  numbers.reserve(count);
  for (int i = 1; i <= count; ++i) numbers << QString::number(i);
  for (QComboBox* box : {cmbNumber, cmbToPosition}) {
    const QString typed = box->currentText();
    box->clear();
    box->addItems(numbers);
    box->setEditText(typed);
  }
}

void TfrmWhatNumber::btnOKClick() {
  const int n = ValidNumber(cmbNumber);
  int m = 0;
  bool valid = n != 0;
  if (valid && !cmbToPosition->isHidden()) {
    m = ValidNumber(cmbToPosition);
    valid = m != 0;
  }
  if (!valid) {
    tavrel::platform().messageDlg("This is not a valid question number.", tavrel::MsgType::Warning,
                                  tavrel::mbOK, kHelpContext);
  } else if (frmMain) {
    frmMain->FChosenNumber = n;
    frmMain->FToPosition = m;
  }
  done(Accepted);
}

void TfrmWhatNumber::btnCancelClick() {
  if (frmMain) {
    frmMain->FChosenNumber = 0;
    frmMain->FToPosition = 0;
  }
  done(Rejected);
}

void TfrmWhatNumber::FormShow() { cmbNumber->setFocus(); }

bool TfrmWhatNumber::NumberKeyPress(QComboBox* box, int key, const QString& text,
                                    Qt::KeyboardModifiers modifiers) {
  // Keys that type nothing (Backspace, Delete, arrows), dialog keys and
  // shortcuts keep their usual meaning; some platforms give the editing keys
  // a control character as their text.
  if (text.isEmpty() || text[0].unicode() < 0x20 || text[0].unicode() == 0x7f) return false;
  if (key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Return ||
      key == Qt::Key_Enter || key == Qt::Key_Escape)
    return false;
  if (modifiers & (Qt::ControlModifier | Qt::MetaModifier)) return false;
  if (text.size() == 1 && text[0] >= QLatin1Char('0') && text[0] <= QLatin1Char('9'))
    return false;
  box->lineEdit()->insert("1");
  return true;
}

int TfrmWhatNumber::ShowModal() { return ShowModalForm(*this, ModalHook); }

void TfrmWhatNumber::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (!e->spontaneous()) FormShow();
}

bool TfrmWhatNumber::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(e);
    for (QComboBox* box : {cmbNumber, cmbToPosition}) {
      if ((watched == box || watched == box->lineEdit()) &&
          NumberKeyPress(box, k->key(), k->text(), k->modifiers()))
        return true;
    }
  }
  return QDialog::eventFilter(watched, e);
}

void TfrmWhatNumber::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_F1 && e->modifiers() == Qt::NoModifier) {
    tavrel::platform().showHelp(kHelpContext);
    return;
  }
  // Escape is the Cancel button.
  if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
    btnCancelClick();
    return;
  }
  QDialog::keyPressEvent(e);
}
