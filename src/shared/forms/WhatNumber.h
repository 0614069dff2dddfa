// The item-number dialog: asks for the number of the question to delete,
// insert, move, clone or append at, and for a move also the position to move
// it to.  The quiz and matching programs share it; its results go to the main
// window's FChosenNumber and FToPosition (0 = nothing chosen).
#pragma once

#include <QDialog>
#include <functional>

#include "shared/core/HelpContexts.h"

class QComboBox;
class QLabel;
class QPushButton;

class TfrmWhatNumber : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kHelpContext = kHelpManageMenu;
  // The highest number the dialog accepts, whatever the list holds.
  static constexpr int kMaxNumber = 100;

  explicit TfrmWhatNumber(QWidget* parent = nullptr);
  ~TfrmWhatNumber() override;

  // --- Components ----------------------------------------------------------
  QLabel* lblQuestionNumber = nullptr;  // caption set by the caller
  QComboBox* cmbNumber = nullptr;
  QLabel* lblToPosition = nullptr;      // hidden unless the caller shows it
  QComboBox* cmbToPosition = nullptr;   // hidden unless the caller shows it
  QPushButton* btnOK = nullptr;
  QPushButton* btnCancel = nullptr;     // default and cancel button

  // Fills both lists with "1" up to the number of items of the main window's
  // list.  The typed texts stay as they were.
  void FillNumberLists();
  // Validates the typed numbers (1..100) into the main window's fields, with
  // a warning for a bad one; closes with OK in every case.
  void btnOKClick();
  // Both main-window values := 0; closes with Cancel.
  void btnCancelClick();
  void FormShow();
  // Key filter of the two boxes: true when the key was handled (any typed
  // character other than a digit becomes "1"; Backspace deletes as usual).
  bool NumberKeyPress(QComboBox* box, int key, const QString& text,
                      Qt::KeyboardModifiers modifiers);

  // Shows the dialog modally; QDialog::Accepted after OK, Rejected after
  // Cancel or the title bar's close box.  When ModalHook is set it takes the
  // place of the event loop: FormShow runs, then the hook, which drives the
  // dialog through its handlers (tests).
  int ShowModal();
  static std::function<void(TfrmWhatNumber&)> ModalHook;

 protected:
  void showEvent(QShowEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
};

// The program's one item-number dialog (set when it is created).
extern TfrmWhatNumber* frmWhatNumber;
