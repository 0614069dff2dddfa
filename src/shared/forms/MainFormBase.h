// The main window every program of the suite derives its TfrmMain from.  It
// holds the fields of the main-form contract that the shared dialogs and
// services use, and does the work that does not depend on the exercise:
// Save, Save As and the save question, New's question, Open, the recent
// files, dropped files, the files named on the command line, F1 on menus,
// the reload-configuration option, the Internet help items, the raw-HTML
// warning, the other windows shown modally, the toolbar's buttons and the
// status bar.
//
// What differs between the programs comes through the hooks below.  A
// program implements AppTitle (pure) and overrides DataFileExtension,
// ExerciseNoun, WindowHelpContext, SaveAsXML, LoadFile and ClearExercise
// (their defaults only serve the stand-in windows of tests); it may
// override the others.  The handler names of each program stay: where the work moved
// here a program's handler is a one-line forwarder (spdNewClick calls
// NewFile, for example).
#pragma once

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/Platform.h"
#include "shared/core/FileFunctions.h"
#include "shared/forms/EditMenu.h"
#include "shared/forms/ToolbarGlyphs.h"

class QAbstractButton;
class QAction;
class QDialog;
class QKeyEvent;
class QLabel;
class QMenu;
class QStatusBar;
class QToolBar;
class QToolButton;
class TQList;

namespace tavrel {
class TMemo;
}

// Template slots, in the order of FUsesTemplate.
enum TemplateSlot { tsFrameset = 0, tsWelcome = 1, tsCode = 2, tsDHTML = 3, tsReading = 4 };

class TMainFormBase : public QMainWindow {
  Q_OBJECT
 public:
  explicit TMainFormBase(QWidget* parent = nullptr);
  ~TMainFormBase() override;

  // ===== Hooks every program overrides ======================================

  // The application title: "Askery", "Pairo" or "Gridel".  It names the
  // registry key, the file type, the template files and the Internet help.
  virtual std::string AppTitle() const = 0;
  // The data file's extension without its dot ("aky"); Save As appends
  // "." + it to a chosen name that does not hold it.
  virtual std::string DataFileExtension() const { return {}; }
  // The exercise's noun in the save question: "quiz" gives "The quiz <file>
  // has changed."
  virtual std::string ExerciseNoun() const { return "exercise"; }
  // The help context F1 shows for the window itself.
  virtual int WindowHelpContext() const { return 0; }
  // Writes the exercise to fileName (the data-file writer); false when the
  // file could not be written (the previous file is then as it was).
  virtual bool SaveAsXML(const std::string& /*fileName*/) { return false; }
  // Puts the data file read from fileName (its whole text) into the window:
  // the whole text is read into a new exercise first, then ClearExercise and
  // the file's exercise.  A text the program cannot take (damaged, of an
  // unsupported version, too large) is refused with a message, false then;
  // it, and a read that fails part-way, leave the exercise in the window as
  // it was.  LoadFile calls it.
  virtual bool ReadDataFile(const std::string& /*fileName*/, const std::string& /*text*/) {
    return false;
  }
  // Runs once the file read by ReadDataFile is the current file: what the
  // reader had to leave out is reported here (and marks the exercise).
  virtual void DataFileLoaded() {}
  // New after the save question: empties the exercise and its editor.  The
  // base then clears FChanged.
  virtual void ClearExercise() {}

  // ===== Hooks a program may override =======================================

  // Applies dlgMainFont to the window's boxes (first showing, Font command),
  // usually with ApplyMainFont.
  virtual void AssignMainFont() {}
  // dlgMainFont on the boxes: the title takes only the font's name; each of
  // boxes the whole font (on the first box's own) and its colour.
  void ApplyMainFont(tavrel::TMemo* title, const std::vector<tavrel::TMemo*>& boxes);
  // Keys the window sees before its previewed controls (PreviewKeysOf);
  // true when the key was consumed.  F1 is handled before this is called
  // only when the program does not consume it here.
  virtual bool FormKeyDown(const QKeyEvent* e);
  // Shows the item whose number the spinner holds (after the outline dialog
  // reordered the list).
  virtual void Redisplay() {}
  // The item list of the quiz and matching programs; null in the crossword
  // program.
  virtual TQList* Questions() { return nullptr; }
  // Whether Save As puts the saved file at the top of the recent files
  // (the quiz program does; the matching program leaves that to loading).
  virtual bool SaveAsAddsRecentFile() const { return true; }
  // The window's life: first showing (main font, the raw font of the
  // template editor, the start-up configuration, the command-line files),
  // the question before closing, and the settings written at close.  An
  // override calls the base.
  virtual void FormShow();
  virtual bool FormCloseQuery();
  virtual void FormClose();

  // ===== Shared commands =====================================================

  // The save question ("The <noun> <file> has changed. ..."): Yes saves,
  // No goes on, Cancel stops; true when the caller may go on.
  bool SaveChanges();
  // Saves under FFileName (Save As while untitled); true when saved.  A
  // failed write says so, with the system's reason, and leaves FChanged
  // set.  A file changed on disk since the window read or wrote it is
  // replaced only when the user says so.  Save As asks before it replaces
  // an existing file (the one written, after the extension is added).
  bool Save();
  bool SaveAs();
  // An export's Save As: the root page chosen in dlgSaveWeb, and the
  // question before an existing page of that name is replaced.  False when
  // the dialog was cancelled or the answer was No.
  bool ChooseExportFile(std::string& fileName);
  // The New command: the save question when changed, then ClearExercise.
  // False when the user cancelled (nothing was cleared).
  bool NewFile();
  // Opens a data file, whichever command asked (Open, recent files, dropped
  // files, command line).  A file that cannot be read (a folder, a pipe or a
  // device, one that may not be read) is named and refused before anything
  // is asked; a missing one is passed over without a word.  Then the save
  // question (Cancel loads nothing), and only then is the file read, so that
  // a file the question saved is read as saved.  A file that is refused
  // leaves the exercise as it was.
  void LoadFile(const std::string& fileName);
  // Open: the save question when changed, then the open dialog and LoadFile.
  void spdLoadQuizClick();
  void mnuSaveAsClick();
  // Recent file tag (1..5): LoadFile of FLastFiles[tag].  A file that is no
  // longer there is named, its entry leaves the list, and the exercise stays.
  // The recent-file items reach it through the handler the five share,
  // mnuLastFile1Click(tag), or a program's handler of each item
  // (mnuLastFile3Click() calls OpenRecentFile(3)); a program that runs New
  // first overrides it.
  virtual void OpenRecentFile(int tag);
  void mnuLastFile1Click(int tag) { OpenRecentFile(tag); }
  void spdQuitClick();
  // Files dropped on the window: the first one is opened.
  void FilesDropped(const std::vector<std::string>& paths);
  // Opens the files named on the command line in turn: data files with
  // LoadFile, ".cfg" files into the configuration window.
  void OpenCommandLineFiles();
  // The settings read at the window's creation, in this order: the file
  // type's open command, the fonts, the save folder, the file paths (recent
  // files, configuration file, template folder) and the window placement.
  void ReadStartSettings();
  // Sets up the three file dialogs at the window's creation: the data file's
  // for opening (openFilter; extension added to a typed name only where
  // openAddsExtension) and for saving (saveFilter, extension), and the web
  // exports' one for HTML pages; each with its help context and checks.
  void SetUpFileDialogs(const char* openFilter, const char* saveFilter, const char* extension,
                        bool openAddsExtension);

  // The end of every successful load: the exercise as loaded, unmodified,
  // under its file name, at the top of the recent files.
  void SetCurrentFile(const std::string& fileName);
  // Messages of a file that was not read: the reason it could not be, or a
  // text that is no data file the program knows (empty, cut short, another
  // kind of file).  Both name the file.
  void ShowFileRefusal(const std::string& fileName, FileRefusal why);
  void ShowDamagedFile(const std::string& fileName);
  // For a recent-file command, before anything is asked: false, after
  // saying why, when FLastFiles[tag] cannot be read; a file that is no
  // longer there also leaves the list.
  bool RecentFileReadable(int tag);
  // Append File of the programs with an item list: the open dialog; a file
  // that is missing, cannot be read, is damaged or is an old line-based file
  // is refused with a message; otherwise the number to append from is asked
  // (the first empty item is offered, and one number past the list can be
  // chosen) and append gets the file's text and the chosen number.  show
  // redisplays the items afterwards, chosen or not.
  void AppendFile(const std::function<bool(const std::string& text)>& isDocument,
                  const std::function<void(const std::string& text, int firstNumber)>& append,
                  const std::function<void()>& show);

  // The Edit menu (AddEditMenu) and the toolbar's editing buttons.  The
  // commands work on EditTarget; opening the menu enables its items by the
  // target (EnableEditMenuForBox) unless the program overrides mnuEditClick.
  virtual tavrel::IEditControl* EditTarget();
  virtual void mnuEditClick();
  void mnuUndoClick();
  void mnuCutClick();
  void mnuCopyClick();
  void mnuPasteClick();
  void mnuDeleteClick();
  void mnuSelectAllClick();

  void mnuConfigureOutputClick();
  void spdConfigClick();
  // The raw-HTML warning (once per window), then the template editor.
  void mnuEditHTMLClick();
  void mnuFontsClick();
  // Asks, then toggles mnuReloadConfig and writes ReloadFromFile under the
  // program's registry key.
  void mnuReloadConfigClick();
  void mnuAddReadingTextClick();
  void mnuHelpContentsClick();
  void mnuAboutClick();
  // Internet help: 1 FAQ, 2 bulletin board, 3 e-mail.
  void mnuInternetHelpClick(int tag);

  // Runs a command of a menu item, a button, a dropped file or the command
  // line so that no exception reaches the event loop: one that ends the
  // command (more than memory holds, above all) is reported in a message,
  // and the program goes on.  Any window's handlers may run through it.
  static void RunCommand(const std::function<void()>& command);
  // Connects a button's click or an item's trigger to a handler run by
  // RunCommand; the connection lives as long as the button or item.
  static void ConnectCommand(QAbstractButton* button, std::function<void()> click);
  static void ConnectCommand(QAction* item, std::function<void()> click);

  // Shows a form of another unit modally (configuration window, about box)
  // and returns its result.  When ModalFormHook is set it takes the place of
  // the form's event loop (tests drive the form through it).
  int RunModalForm(QDialog& form);
  std::function<int(QDialog&)> ModalFormHook;

  // Status bar panel text; panels are numbered 1 to 3 (panel 1 shows the
  // configuration file).
  std::string StatusPanelText(int panel) const;
  void SetStatusPanelText(int panel, const std::string& text);

  // ===== Fields of the main-form contract ====================================
  std::string FFileName;  // current data file; "" = untitled
  bool FChanged = false;
  std::array<std::string, 6> FLastFiles;  // entries 1..5 used; 1 = newest
  bool FSaveWithFile = false;
  std::string FConfigFile;
  std::string FSourcePath;  // template folder, trailing "/"
  std::array<bool, 5> FUsesTemplate{};
  int FChosenNumber = 0;
  int FToPosition = 0;
  bool RawHTMLWarned = false;  // the raw-HTML warning was shown

  // Dialog and font components, kept as their properties; they are run
  // through the platform (tavrel::platform().openDialog(dlgOpenFile) ...).
  tavrel::FileDialogOptions dlgOpenFile;
  tavrel::FileDialogOptions dlgSaveFile;
  tavrel::FileDialogOptions dlgSaveWeb;
  tavrel::FontSpec dlgMainFont;
  tavrel::FontSpec dlgRawFont;

  // Recent-file menu items (index 1..5 used) and the divider above them;
  // check item of the reload-configuration option.  Created by the program,
  // usually with AddRecentFileItems and AddReloadConfigItem.
  std::array<QAction*, 6> mnuLastFile{};
  QAction* mnuLastFileDivider = nullptr;
  QAction* mnuReloadConfig = nullptr;

  QStatusBar* StatusBar1 = nullptr;

  // The Edit menu (AddEditMenu).
  QMenu* mnuEdit = nullptr;
  QAction* mnuUndo = nullptr;
  QAction* mnuCut = nullptr;
  QAction* mnuCopy = nullptr;
  QAction* mnuPaste = nullptr;
  QAction* mnuDelete = nullptr;
  QAction* mnuSelectAll = nullptr;

  // The toolbar buttons every window has (AddToolBar).
  QToolButton* spdCut = nullptr;
  QToolButton* spdCopy = nullptr;
  QToolButton* spdPaste = nullptr;
  QToolButton* spdUndo = nullptr;
  QToolButton* spdHelp = nullptr;
  QToolButton* spdQuit = nullptr;

  // The property that carries a menu's, item's or control's help context.
  static constexpr const char* kHelpContextProperty = "helpContext";

 protected:
  // Creates StatusBar1 with three panels of the given widths and installs it.
  void CreateStatusBar(const std::array<int, 3>& widths = {400, 150, 50});

  // Menu building: a menu of the menu bar or a submenu with its help
  // context (F1 on it shows that context, or its highlighted item's own),
  // and an item with its handler.
  QMenu* AddMenu(const char* caption, const char* name, int helpContext);
  QMenu* AddSubmenu(QMenu* parent, const char* caption, const char* name, int helpContext);
  QAction* AddItem(QMenu* menu, const char* caption, const char* name, std::function<void()> click,
                   const QKeySequence& shortcut = QKeySequence());
  // The Edit menu: Undo | Cut, Copy, Paste, Delete | Select All.
  void AddEditMenu();
  // The hidden divider and the five hidden recent-file items: item k runs
  // clicks[k - 1] where given, else mnuLastFile1Click(k).
  void AddRecentFileItems(QMenu* file, const std::array<std::function<void()>, 5>& clicks = {});
  // The checkable reload-configuration item; its tick changes only when the
  // user confirms (mnuReloadConfigClick).
  void AddReloadConfigItem(QMenu* options, const char* caption);
  // The memo of the window that has the focus; null when the focus is on
  // anything else.
  tavrel::TMemo* FocusedMemo();
  // Inserts a picture or link into box (nothing without one); the web pages'
  // save folder becomes the data file's.
  void InsertIntoBox(tavrel::IEditControl* box, InsertCommand command);

  // A toolbar button with a drawn glyph.
  QToolButton* AddToolButton(QToolBar* bar, const char* name, TavrelGlyph glyph, const char* hint,
                             std::function<void()> click);
  // One button of a toolbar; an empty entry ({}) is a separator.
  struct TToolButtonSpec {
    QToolButton** button = nullptr;
    const char* name = nullptr;
    TavrelGlyph glyph{};
    const char* hint = nullptr;
    std::function<void()> click;
  };
  // The window's fixed toolbar across the top of `parent`: the program's
  // file buttons, the edit buttons, the program's own buttons, then Help and
  // Quit, each group apart.
  QToolBar* AddToolBar(QWidget* parent, const char* name, int width, int height,
                       const std::vector<TToolButtonSpec>& fileButtons,
                       const std::vector<TToolButtonSpec>& ownButtons);

  // The window sees the keys of w first (FormKeyDown), and files dropped on
  // w (or its viewport, for a scrolling box) are the window's.
  void PreviewKeysOf(QWidget* w);
  bool IsKeyPreviewed(const QObject* w) const;

  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dropEvent(QDropEvent* e) override;

 private:
  // SaveAsXML, false also when it throws (the file is then as it was): the
  // failure is reported with its reason.  A file written becomes the one
  // this window knows.
  bool SaveGuarded(const std::string& fileName);
  // Before a save writes over fileName: false when it was changed on disk
  // since this window read or wrote it and the user would not replace it.
  bool ReplacesChangedFileOnlyIfAsked(const std::string& fileName);

  // The data file as this window last read or wrote it.
  std::string knownFile_;
  FileIdentity knownIdentity_;

  bool shown_ = false;
  std::vector<const QObject*> keyPreview_;
  std::array<QLabel*, 3> statusPanels_{};
};

// Kept by an export while it runs: when an exception ends the export, the
// item list and the modified flag are put back as they were and the items
// are shown again, so that a failed export leaves the exercise as it was.
class TExerciseKeeper {
 public:
  explicit TExerciseKeeper(TMainFormBase& window);
  ~TExerciseKeeper();
  TExerciseKeeper(const TExerciseKeeper&) = delete;
  TExerciseKeeper& operator=(const TExerciseKeeper&) = delete;

 private:
  TMainFormBase& window_;
  int exceptions_;
  bool changed_;
  std::unique_ptr<TQList> items_;
};

// The program's one main window (set when it is created).
extern TMainFormBase* frmMain;
