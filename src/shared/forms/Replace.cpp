#include "shared/forms/Replace.h"

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>

#include "platform/qt/Widgets.h"
#include "shared/forms/MainFormBase.h"
#include "shared/forms/ModalForm.h"

TfrmReplace* frmReplace = nullptr;
std::function<void(TfrmReplace&)> TfrmReplace::ModalHook;

TfrmReplace::TfrmReplace(QWidget* parent) : QDialog(parent) {
  frmReplace = this;
  setObjectName("frmReplace");
  setWindowTitle("Find and Replace");
  setWindowIcon(QApplication::windowIcon());
  setFixedSize(380, 214);

  lblFind = new QLabel("Find this:", this);
  lblFind->setGeometry(12, 10, 356, 18);
  editFind = new tavrel::TEdit(this, "editFind");
  editFind->setGeometry(12, 30, 356, 24);
  lblFind->setBuddy(editFind);

  lblReplace = new QLabel("Replace it with this:", this);
  lblReplace->setGeometry(12, 62, 356, 18);
  editReplace = new tavrel::TEdit(this, "editReplace");
  editReplace->setGeometry(12, 82, 356, 24);
  lblReplace->setBuddy(editReplace);

  rgScope = new QGroupBox("Scope", this);
  rgScope->setObjectName("rgScope");
  rgScope->setGeometry(12, 116, 220, 86);
  rbCurrentItem = new QRadioButton("Current item", rgScope);
  rbCurrentItem->setGeometry(12, 24, 200, 22);
  rbEntireExercise = new QRadioButton("Entire exercise", rgScope);
  rbEntireExercise->setGeometry(12, 52, 200, 22);
  rbCurrentItem->setChecked(true);

  btnOK = new QPushButton("&OK", this);
  btnOK->setObjectName("btnOK");
  btnOK->setGeometry(258, 136, 110, 27);
  btnOK->setAutoDefault(false);
  btnCancel = new QPushButton("&Cancel", this);
  btnCancel->setObjectName("btnCancel");
  btnCancel->setGeometry(258, 172, 110, 27);
  btnCancel->setDefault(true);

  TMainFormBase::ConnectCommand(btnOK, [this] { btnOKClick(); });
  TMainFormBase::ConnectCommand(btnCancel, [this] { btnCancelClick(); });
}

TfrmReplace::~TfrmReplace() {
  if (frmReplace == this) frmReplace = nullptr;
}

int TfrmReplace::ScopeIndex() const {
  if (rbEntireExercise->isChecked()) return 1;
  if (rbCurrentItem->isChecked()) return 0;
  return -1;
}

void TfrmReplace::SetScopeIndex(int index) {
  if (index == 1)
    rbEntireExercise->setChecked(true);
  else
    rbCurrentItem->setChecked(true);
}

void TfrmReplace::btnOKClick() { done(Accepted); }

void TfrmReplace::btnCancelClick() { done(Rejected); }

void TfrmReplace::FormShow() {
  if (frmMain) {
    const QRect main = frmMain->frameGeometry();
    move(main.center() - QPoint(width() / 2, height() / 2));
  }
  editFind->setFocus();
}

int TfrmReplace::ShowModal() { return ShowModalForm(*this, ModalHook); }

void TfrmReplace::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (!e->spontaneous()) FormShow();
}

void TfrmReplace::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
    btnCancelClick();
    return;
  }
  QDialog::keyPressEvent(e);
}
