// The link dialog: builds an HTML anchor to a web address typed in or to a
// local file whose path is made relative to the data file's folder.  Its
// CheckRootDir is the guard that every link or picture made relative to the
// data file passes: it refuses while the exercise has never been saved, and
// once per run asks the user to confirm that the web pages will be written
// to the data file's folder.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "platform/core/Platform.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace tavrel {
class TEdit;
}

class TfrmInsertLink : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmInsertLink(QWidget* parent = nullptr);
  ~TfrmInsertLink() override;

  // Runs the dialog.  toFile: first checks the folder (CheckRootDir), then
  // lets the user choose the file and puts its relative path in the path
  // box.  output is the anchor on OK, empty when nothing is to be inserted.
  // The link text starts as defaultLinkText, or "Click here" when that is
  // empty.
  void ShowMe(bool toFile, const std::string& dataFileName, std::string& output,
              const std::string& defaultLinkText);

  // True when a path relative to dataFileName may be made (see above).
  bool CheckRootDir(const std::string& dataFileName);

  // Web path ("../" steps, "/" separators) from the folder of fromFile (the
  // data file) to toFile; whole folder names are compared.  Paths on
  // different drives give a warning and the bare file name.
  void GetRelativePath(const std::string& fromFile, const std::string& toFile,
                       std::string& result);

  // Picture button: a local picture's tag replaces the selection of the link
  // text, once CheckRootDir agrees for the data file of the last ShowMe.
  void btnPictureClick();

  // Runs the dialog modally and returns its result (Accepted or Rejected).
  // When ModalHook is set it is called instead of exec(), so that tests can
  // fill the fields and press a button without blocking.
  virtual int RunModal();
  std::function<int(TfrmInsertLink&)> ModalHook;

  // Set by the first folder question of the run, whatever its answer.
  bool FolderConfirmed() const { return FRootDirAsked; }

  tavrel::TEdit* editPath = nullptr;
  QComboBox* cmbTarget = nullptr;
  tavrel::TEdit* editLinkText = nullptr;
  QGroupBox* gbLink = nullptr;
  QPushButton* btnPicture = nullptr;
  QPushButton* btnOK = nullptr;
  QPushButton* btnCancel = nullptr;
  QPushButton* btnHelp = nullptr;
  tavrel::FileDialogOptions dlgLinkFile;

 private:
  std::string FDataFileName;   // data file of the last ShowMe
  bool FRootDirAsked = false;  // folder confirmation asked in this run
};

// The program's link dialog (set when it is created).
extern TfrmInsertLink* frmInsertLink;
