// The configuration window every program derives its TfrmConfig from.  The
// program builds its pages of boxes and check boxes and binds each to its
// control name (Bind); the base keeps the values by those names and does
// the work every program's window shares: Load, Save, Save As, OK and the
// save question, the configuration document in either format, the Edit and
// Insert menus, the browse buttons (next exercise, contents page,
// background picture), the colour chart, F1 and the markup shortcuts.
//
// Hooks: a program overrides ConfigProgram (which program's document and
// registry key) and WindowHelpContext; the defaults only serve the
// stand-in windows of tests.  An edit of any bound box or check box marks
// the configuration changed (ConfigEdited).  The buttons and menu items run
// their handlers through TMainFormBase::ConnectCommand, so that a failure is
// reported, not thrown into the event loop.
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <initializer_list>
#include <map>
#include <string>

#include "platform/core/Platform.h"
#include "shared/core/ConfigDocument.h"
#include "shared/core/ConfigValues.h"

class QAction;
class QCheckBox;
class QGridLayout;
class QKeyEvent;
class QMenu;
class QMenuBar;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace tavrel {
class IEditControl;
class TEdit;
class TMemo;
}

class TConfigFormBase : public QDialog {
  Q_OBJECT
 public:
  explicit TConfigFormBase(QWidget* parent = nullptr);
  ~TConfigFormBase() override;

  // ===== Hooks ===================================================================
  // The program whose configuration document the window edits; it also
  // names the registry key that keeps the configuration file's path.
  virtual configdoc::Program ConfigProgram() const { return configdoc::Program::Askery; }
  // The help context of the window (F1 where a control has none, Help).
  virtual int WindowHelpContext() const { return 0; }
  // The help context of the question whether to save a changed configuration.
  virtual int ConfigSaveHelpContext() const;

  // ===== Values ================================================================
  // Loads a configuration file of either format into the window.  Nothing
  // happens for an empty name or a file that does not exist.  Throws
  // std::runtime_error when the file exists but cannot be read.
  virtual void LoadConfigFile(const std::string& fileName);
  // Text of a named box ("editGraphicURL") or state of a named check box;
  // "" and false when this program's window has no such control.
  virtual std::string ControlText(const std::string& name) const;
  virtual bool ControlChecked(const std::string& name) const;
  // Sets one named box or check box; false when there is no such control.
  bool SetControlText(const std::string& name, const std::string& text);
  bool SetControlChecked(const std::string& name, bool checked);
  // Every bound control's value, keyed by control name.
  ConfigValues Values() const;
  // Sets the controls named in values (the others keep theirs).
  void SetValues(const ConfigValues& values);

  // The configuration document: read from / made for a data file's
  // embedded configuration; written into FConfigFileName (false, said with
  // its reason, when the file could not be read, to keep its other
  // sections, or written).
  void ReadConfigXML(const std::string& doc);
  void MakeConfigXML(std::string& xml) const;
  bool WriteConfigFile();
  void LoadOldConfigFile(const std::string& fileName);

  // ===== Saving ================================================================
  // The save question; true only when the user answered Yes and the
  // configuration was saved.
  bool AskSaveConfigChanges();
  bool SaveConfigFile();
  bool SaveConfigFileAs();

  // A relative link from the data file to a chosen HTML file; "" when none
  // (the exercise was never saved, or nothing was chosen).
  void GetLink(std::string& link);

  // ===== Handlers ==============================================================
  void FormShow();
  // Any edit of a bound control: the configuration has changed.
  void ConfigEdited() { ConfigChanged = true; }
  void btnLoadClick();
  void btnSaveClick();
  void btnSaveAsClick();
  // Marks the exercise changed when the configuration was; asks to save;
  // writes the configuration file's path to the registry unless the save
  // was refused or failed; closes.
  void btnAcceptClick();
  void btnHelpClick();
  void mnuCutClick();
  void mnuCopyClick();
  void mnuPasteClick();
  void mnuSelectAllClick();
  // Picture and Link are enabled only on a box whose text goes into the
  // pages (bound with a positive tag).
  void mnuInsertClick();
  void mnuInsertPicFromURLClick();
  void mnuPicFromFileClick();
  void mnuInsertLinkToURLClick();
  void mnuInsertLinkToFileClick();
  // The browse buttons fill the boxes "editGraphicURL", "editNextExURL" and
  // "editContentsURL".
  void btnBrowseForBGGraphicClick();
  void btnBrowseForNextExClick();
  void btnBrowseForIndexClick();
  void spdColoursClick();
  // The window sees every key before its controls; true when consumed.
  bool FormKeyDown(const QKeyEvent* e);

  // The configuration was edited since the window was last shown, loaded or
  // saved.
  bool ConfigChanged = false;
  // Path of the configuration file loaded into or last saved from the
  // window; "" until then.
  std::string FConfigFileName;

  // The pages (BuildWindow).
  QTabWidget* PageControl1 = nullptr;

  // Controls every program's pages have (AddBrowseRows, AddColourRows).
  tavrel::TEdit* editGraphicURL = nullptr;
  tavrel::TEdit* editNextExURL = nullptr;
  tavrel::TEdit* editContentsURL = nullptr;
  QPushButton* btnBrowseForBGGraphic = nullptr;
  QPushButton* btnBrowseForNextEx = nullptr;
  QPushButton* btnBrowseForIndex = nullptr;
  tavrel::TEdit* editNavBarColor = nullptr;
  tavrel::TEdit* editPageBGColor = nullptr;
  tavrel::TEdit* editTitleColor = nullptr;
  tavrel::TEdit* editExBGColor = nullptr;
  tavrel::TEdit* editTextColor = nullptr;
  QToolButton* spdColours = nullptr;
  // The page "Reading" of the programs with a reading text (AddReadingPage).
  tavrel::TEdit* editStartReading = nullptr;
  tavrel::TEdit* editShowReadingAgain = nullptr;
  tavrel::TEdit* editRemainingTime = nullptr;
  tavrel::TEdit* editTimesUp = nullptr;
  tavrel::TEdit* editClickToShow = nullptr;

  // Buttons below the pages (BuildButtons).
  QPushButton* btnLoad = nullptr;
  QPushButton* btnSave = nullptr;
  QPushButton* btnSaveAs = nullptr;
  QPushButton* btnAccept = nullptr;
  QPushButton* btnHelp = nullptr;

  // Adds Undo and Delete to the Edit menu (with Ctrl+Z and Ctrl+Del and a
  // divider above Select All where asked) and enables the Edit items by the
  // focused box whenever the menu opens.
  void AddUndoAndDelete(int helpContext, bool withShortcuts);
  void mnuEditClick();
  void mnuUndoClick();
  void mnuDeleteClick();

  // Menus (BuildMenus).
  QMenuBar* MainMenu1 = nullptr;
  QMenu* mnuEdit = nullptr;
  QAction* mnuCut = nullptr;
  QAction* mnuCopy = nullptr;
  QAction* mnuPaste = nullptr;
  QAction* mnuSelectAll = nullptr;
  // Undo and Delete, in the windows that add them (AddUndoAndDelete).
  QAction* mnuUndo = nullptr;
  QAction* mnuDelete = nullptr;
  QMenu* mnuInsert = nullptr;
  QMenu* mnuPicture = nullptr;
  QAction* mnuInsertPicFromURL = nullptr;
  QAction* mnuPicFromFile = nullptr;
  QMenu* mnuLink = nullptr;
  QAction* mnuInsertLinkToURL = nullptr;
  QAction* mnuInsertLinkToFile = nullptr;

  // File dialogs.
  tavrel::FileDialogOptions OpenDialog1;
  tavrel::FileDialogOptions SaveDialog1;
  tavrel::FileDialogOptions dlgOpenHTML;

 protected:
  // Binds a box to its control name: its changes mark the configuration
  // changed; tag > 0 marks a box whose text goes into the pages as HTML.
  void Bind(const char* name, tavrel::IEditControl* edit, QWidget* widget, int helpContext,
            int tag);
  void Bind(const char* name, QCheckBox* check, int helpContext);
  // The five buttons below the pages; acceptHint is the OK button's hint.
  void BuildButtons(const char* acceptHint);
  // The window "Configure output": the menus, the pages (buildPages fills
  // PageControl1), the five buttons centred below, the first page shown.
  // The window's size is the program's own.
  void BuildWindow(int helpContext, const char* acceptHint, const std::function<void()>& buildPages);

  // --- Pages, built from the program's tables of controls ---------------------
  // A caption above a memo that takes its share of the page's height.
  struct TMemoRow {
    const char* name;
    const char* caption;
    tavrel::TMemo** memo;
    const char* hint = nullptr;
  };
  // A caption beside a box.
  struct TEditRow {
    const char* name;
    const char* caption;
    tavrel::TEdit** edit;
    int maxLength;
    int helpContext;
    int tag;  // see Bind
    const char* hint = nullptr;
  };
  // A check box that includes a button in the pages, with the button's caption.
  struct TButtonRow {
    const char* checkName;
    const char* checkCaption;
    QCheckBox** check;
    const char* editName;
    tavrel::TEdit** edit;
  };
  // A new page at the end of PageControl1.
  QWidget* AddPage(const char* caption, int helpContext);
  // Memos one below the other (bound with tag 1).
  void AddMemoRows(QWidget* page, int helpContext, std::initializer_list<TMemoRow> rows);
  // Rows from `row` on: the caption in column 0 (over labelSpan columns),
  // the box in editColumn.
  void AddEditRows(QGridLayout* grid, int& row, std::initializer_list<TEditRow> rows, int editColumn = 1,
                   int labelSpan = 1);
  // Rows of a check box (column 0), "Caption:" (1) and the caption's box (2).
  void AddButtonRows(QGridLayout* grid, int& row, int helpContext, std::initializer_list<TButtonRow> rows);
  // The three addresses with their browse buttons (box over columns 1-2,
  // button in 3); editHints, when given, are the boxes' hints in order.
  void AddBrowseRows(QGridLayout* grid, int& row, int helpContext,
                     const std::array<const char*, 3>* editHints = nullptr);
  // The five colour boxes, with the colour chart button beside the first two.
  void AddColourRows(QGridLayout* grid, int& row, int helpContext);
  // The page "Reading": the captions of the reading text's buttons and times.
  QWidget* AddReadingPage();
  // A box of the pages with its maximum length.
  static tavrel::TEdit* NewEdit(QWidget* page, int maxLength);
  // The Edit and Insert menus.
  void BuildMenus();
  // Last step of a program's constructor: the dialogs' filters, the key
  // preview of every control, and frmConfig.
  void FinishCreation();

  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  tavrel::IEditControl* FocusedBoundEdit() const;
  void ReplaceSelection(const std::string& text);
  void AfterInsert();
  void SetLoadedCaption();
  void ShowHelpFor(QWidget* widget);

  std::map<std::string, tavrel::IEditControl*> edits_;
  std::map<std::string, QCheckBox*> checks_;
};

// The program's one configuration window (set when it is created).
extern TConfigFormBase* frmConfig;

// The configuration a data file embeds: the window's, or the program's
// defaults when there is no window.
std::string DataFileConfigXML(const TConfigFormBase* config, configdoc::Program program);
