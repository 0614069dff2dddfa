// The reading text of a quiz or matching exercise: a passage shown beside the
// exercise on the web pages, optionally with a countdown timer, either typed
// in (title and text) or taken from an external HTML file or web address.
//
// The modeless dialog TfrmAddReadingText is at once the editor of the
// reading and its owner for the exercise that the main window has open: the
// reading is the state of its controls.  It writes and reads the data file's
// `reading` element and builds the reading page.
#pragma once

#include <QDialog>
#include <string>

// IsWebAddress: the test that tells a reading given by its web address.
#include "shared/core/ReadingData.h"
#include "shared/core/ReadingPage.h"

class QAction;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace tavrel {
class IEditControl;
class TEdit;
class TMemo;
}  // namespace tavrel

class TfrmAddReadingText : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmAddReadingText(QWidget* parent = nullptr);
  ~TfrmAddReadingText() override;

  // Shows the dialog beside the main window without blocking it (brings it
  // to the front when it is already open).
  void ShowReading();

  // The reading the controls hold, and setting them (the reading set
  // becomes the one Cancel and No go back to).
  ReadingData Reading() const;
  void SetReading(const ReadingData& reading);
  // The `reading` element of the data file (the writer places it in `data`).
  void ReportXMLReadingData(std::string& xml) const;
  // Sets the controls from the content of a data file's `reading` element.
  void LoadXMLReadingData(const std::string& xml);
  // New exercise: no reading, typed source, empty path, title and text; the
  // timer settings stay.
  void ClearReading();
  // The reading page (browserVersion 3: frames export, 4: single-page
  // export), an external file's text, or the web address of the reading;
  // empty with a warning when the external path is neither.  The warnings
  // are returned for the export to show in their place; none is shown here.
  ReadingOutput GetReadingOutput(int browserVersion) const;
  // The reading as an export takes it: the include and timer boxes and the
  // minutes; for a browserVersion (3 or 4, as above) and an included
  // reading, also its output and the warnings making it gave.
  ExportReading ForExport(int browserVersion = 0) const;

  // Title and text typed since the dialog was shown (or the reading loaded).
  bool TextChanged() const { return FTextChanged; }

  // Handlers.
  void chkIncludeReadingClick();
  void rbSourceClick();
  void chkTimerClick();
  void btnBrowseClick();
  void btnOKClick();
  void btnCancelClick();
  void btnDeleteTextClick();
  void btnHelpClick();
  void mnuEditPopup();
  void mnuInsertPopup();
  void mnuUndoClick();
  void mnuCutClick();
  void mnuCopyClick();
  void mnuPasteClick();
  void mnuDeleteClick();
  void mnuSelectAllClick();
  void mnuFontClick();
  void mnuLinkClick(bool toFile);
  void mnuPictureClick(bool fromFile);
  void FormResize();

  // Controls (the reading lives in them).
  QCheckBox* chkIncludeReading = nullptr;
  QCheckBox* chkTimer = nullptr;
  QLabel* lblTimer = nullptr;
  QSpinBox* spinTimer = nullptr;
  QGroupBox* gbSource = nullptr;
  QRadioButton* rbInternal = nullptr;
  QRadioButton* rbExternal = nullptr;
  tavrel::TEdit* editReadingPath = nullptr;
  QPushButton* btnBrowse = nullptr;
  QFrame* pnlTitle = nullptr;
  tavrel::TMemo* mmoReadingTitle = nullptr;
  tavrel::TMemo* mmoReadingText = nullptr;
  QPushButton* btnOK = nullptr;
  QPushButton* btnDeleteText = nullptr;
  QPushButton* btnCancel = nullptr;
  QPushButton* btnHelp = nullptr;
  QWidget* pnlClient = nullptr;  // the client area below the menu bar

  QMenuBar* mnuMain = nullptr;
  QMenu* mnuEdit = nullptr;
  QAction* mnuUndo = nullptr;
  QAction* mnuCut = nullptr;
  QAction* mnuCopy = nullptr;
  QAction* mnuPaste = nullptr;
  QAction* mnuDelete = nullptr;
  QAction* mnuSelectAll = nullptr;
  QAction* mnuFont = nullptr;
  QMenu* mnuInsert = nullptr;
  QMenu* mnuPicture = nullptr;
  QAction* mnuPicFromURL = nullptr;
  QAction* mnuPicFromFile = nullptr;
  QMenu* mnuLink = nullptr;
  QAction* mnuLinkToURL = nullptr;
  QAction* mnuLinkToFile = nullptr;

 public slots:
  // Esc, the close box and Cancel all run the Cancel rule.
  void reject() override;

 protected:
  void showEvent(QShowEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void BuildMenus();
  void BuildControls();
  void Close();
  void RememberText();
  void RestoreText();
  void MarkExerciseChanged();
  tavrel::IEditControl* FocusedEdit();
  tavrel::TMemo* FocusedMemo();
  void InstallKeyPreview();

  std::string FOldTitle;
  std::string FOldText;
  bool FTextChanged = false;
  bool FLoading = false;  // controls set by the program, not the user
};

// The program's reading dialog (set when it is created).
extern TfrmAddReadingText* frmAddReadingText;
