// The find-and-replace form: collects what to find, what to put instead and
// where (the current item or the whole exercise).  The search itself is the
// main window's; it reads the three fields after an OK.
#pragma once

#include <QDialog>
#include <functional>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace tavrel {
class TEdit;
}

class TfrmReplace : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmReplace(QWidget* parent = nullptr);
  ~TfrmReplace() override;

  QLabel* lblFind = nullptr;
  tavrel::TEdit* editFind = nullptr;
  QLabel* lblReplace = nullptr;
  tavrel::TEdit* editReplace = nullptr;
  // Radio group "Scope": 0 "Current item" (selected at start), 1 "Entire
  // exercise".
  QGroupBox* rgScope = nullptr;
  QRadioButton* rbCurrentItem = nullptr;
  QRadioButton* rbEntireExercise = nullptr;
  QPushButton* btnOK = nullptr;
  QPushButton* btnCancel = nullptr;  // default and cancel button

  int ScopeIndex() const;
  void SetScopeIndex(int index);

  void btnOKClick();
  void btnCancelClick();
  // Centres the form on the main window and gives the find box the focus.
  void FormShow();

  // Shows the form modally; QDialog::Accepted after OK, Rejected otherwise.
  // When ModalHook is set it takes the place of the event loop: FormShow
  // runs, then the hook, which drives the form through its handlers (tests).
  int ShowModal();
  static std::function<void(TfrmReplace&)> ModalHook;

 protected:
  void showEvent(QShowEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
};

// The program's one find-and-replace form (set when it is created).
extern TfrmReplace* frmReplace;
