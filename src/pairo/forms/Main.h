// Pairo's main window: one matching exercise at a time, five pairs of left
// and right items in view, the default right item, the file commands, the
// menus and the toolbar.
//
// The window is split over several files: Main.cpp (creation, layout, menus,
// keys, fonts, New), MainEditing.cpp (the rows and the Manage Items
// commands, find and replace, the Edit and Insert menus, the copy for
// printing), MainFile.cpp (the data file) and MainExport.cpp (the web pages).
#pragma once

#include <QLabel>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "shared/core/TQList.h"
#include "shared/forms/MainFormBase.h"

class QAction;
class QCheckBox;
class QMenu;
class QPushButton;
class QToolBar;
class QToolButton;
class QKeyEvent;

namespace tavrel {
class TMemo;
}

namespace pairo {

class IMixRandom;

class TfrmMain : public TMainFormBase {
  Q_OBJECT
 public:
  explicit TfrmMain(QWidget* parent = nullptr);
  ~TfrmMain() override;

  // --- TMainFormBase hooks -----------------------------------------------------
  std::string AppTitle() const override { return "Pairo"; }
  std::string DataFileExtension() const override { return "pry"; }
  std::string ExerciseNoun() const override { return "exercise"; }
  int WindowHelpContext() const override;
  // New after the save question: title, reading and pairs emptied; the
  // default right item stays.
  void ClearExercise() override;
  TQList* Questions() override { return FQuestions.get(); }
  // Shows the rows from FTopItem afresh from the list.
  void Redisplay() override;
  // Save As leaves the recent files to loading.
  bool SaveAsAddsRecentFile() const override { return false; }

  // --- Fields ----------------------------------------------------------------
  std::unique_ptr<TQList> FQuestions;  // the pairs; numbered from 1
  int FTopItem = 1;                    // pair shown in the first row
  // Jumbles the print copy's right items; null = the program's clock-seeded
  // source (tests set a fixed one).
  IMixRandom* PrintRandom = nullptr;
  // Jumbles the pairs for Shuffle Items and the options of the select-list
  // page; null = the program's source.
  IMixRandom* ShuffleRandom = nullptr;

  // --- Components ------------------------------------------------------------
  QToolBar* ToolBar1 = nullptr;
  QToolButton* spdNew = nullptr;
  QToolButton* spdLoadQuiz = nullptr;
  QToolButton* spdSave = nullptr;
  QToolButton* spdSaveAs = nullptr;
  QToolButton* spdShowReading = nullptr;
  QToolButton* spdConfig = nullptr;
  QToolButton* spdToWeb = nullptr;
  QToolButton* spdToDHTML = nullptr;

  QLabel* pnlTitle = nullptr;
  tavrel::TMemo* mmoTitle = nullptr;
  QLabel* pnlLeft = nullptr;
  QLabel* pnlRight = nullptr;
  QLabel* pnlFix = nullptr;
  std::array<QLabel*, 6> pnlNum{};              // pnlNum1..pnlNum5 (index 0 unused)
  std::array<tavrel::TMemo*, 6> mmoNumA{};      // mmoNum1A..mmoNum5A: left items
  std::array<tavrel::TMemo*, 6> mmoNumB{};      // mmoNum1B..mmoNum5B: right items
  std::array<QCheckBox*, 6> chkNumFix{};        // chkNum1Fix..chkNum5Fix
  QLabel* pnlDefault = nullptr;
  tavrel::TMemo* mmoDefault = nullptr;
  QToolButton* btnUp = nullptr;
  QToolButton* btnDown = nullptr;

  // Menus and their items.
  QMenu* mnuFile = nullptr;
  QAction* mnuNew = nullptr;
  QAction* mnuOpen = nullptr;
  QAction* mnuSave = nullptr;
  QAction* mnuSaveAs = nullptr;
  QAction* mnuAddReadingText = nullptr;
  QAction* mnuAppendFile = nullptr;
  QAction* mnuExportToWeb = nullptr;
  QAction* mnuExportToDHTML = nullptr;
  QAction* mnuExportForPrinting = nullptr;
  QAction* mnuExit = nullptr;
  QMenu* mnuInsert = nullptr;
  QMenu* mnuPicture = nullptr;
  QAction* mnuFromWebURL = nullptr;
  QAction* mnuFromLocalFile = nullptr;
  QMenu* mnuLink = nullptr;
  QAction* mnuToURL = nullptr;
  QAction* mnuToFile = nullptr;
  QMenu* mnuManageItems = nullptr;
  QAction* mnuViewOutline = nullptr;
  QAction* mnuDeleteItem = nullptr;
  QAction* mnuInsertItem = nullptr;
  QAction* mnuMoveItem = nullptr;
  QAction* mnuShuffle = nullptr;
  QMenu* mnuOptions = nullptr;
  QAction* mnuConfigureOutput = nullptr;
  QAction* mnuEditHTML = nullptr;
  QAction* mnuFonts = nullptr;
  // mnuReloadConfig: TMainFormBase.
  QMenu* mnuHelp = nullptr;
  QAction* mnuContents = nullptr;
  QMenu* mnuInternetHelp = nullptr;
  QAction* mnuFAQ = nullptr;            // Tag 1
  QAction* mnuBulletinBoard = nullptr;  // Tag 2
  QAction* mnuEMailHelp = nullptr;      // Tag 3
  QAction* mnuAbout = nullptr;

  // --- Window life cycle (Main.cpp) ------------------------------------------
  void FormCreate();
  // Lays the controls out for a client area of w x h pixels (the area below
  // the menu bar and above the status bar).
  void FormResize(int w, int h);
  bool FormKeyDown(const QKeyEvent* e) override;
  void AssignMainFont() override;

  // --- File commands (the work is TMainFormBase's) -----------------------------
  void spdNewClick() { NewFile(); }
  void spdSaveClick() { Save(); }
  void mnuContentsClick() { mnuHelpContentsClick(); }
  // The five recent-file items, each with a handler of its own.
  using TMainFormBase::mnuLastFile1Click;
  void mnuLastFile1Click() { OpenRecentFile(1); }
  void mnuLastFile2Click() { OpenRecentFile(2); }
  void mnuLastFile3Click() { OpenRecentFile(3); }
  void mnuLastFile4Click() { OpenRecentFile(4); }
  void mnuLastFile5Click() { OpenRecentFile(5); }
  void mnuEmailClick(int tag) { mnuInternetHelpClick(tag); }

  // --- Pair editing (MainEditing.cpp) ----------------------------------------
  // Pairs t..t+4 into the five rows.
  void ShowItems(int t);
  // The five rows into pairs FTopItem..FTopItem+4, empty ones too.
  void StashItems();
  void ChangePosition(bool forward);
  void btnUpClick();
  void btnDownClick();
  // The one change handler of the title, item, default and fix boxes.
  void mmoNum1AChange();
  // Leaving a right item or the default: right items keep angle brackets.
  void mmoNum1BExit() {}
  void FindAndReplace();

  void mnuViewOutlineClick();
  void mnuDeleteItemClick();
  void mnuInsertItemClick();
  void mnuMoveItemClick();
  void mnuShuffleClick();
  void mnuExportForPrintingClick();

  tavrel::IEditControl* EditTarget() override;
  void mnuInsertClick();
  void mnuToURLClick();
  void mnuToFileClick();
  void mnuFromWebURLClick();
  void mnuFromLocalFileClick();

  // --- Data file (MainFile.cpp) ------------------------------------------------
  bool SaveAsXML(const std::string& fileName) override;  // false when not written
  bool ReadDataFile(const std::string& fileName, const std::string& text) override;
  void LoadXMLItems(const std::string& itemsText, int firstNumber);
  void mnuAppendFileClick();

  // --- Web exports (MainExport.cpp) --------------------------------------------
  void spdToWebClick();
  void mnuExportToDHTMLClick();
  void ExportToDHTML();

 protected:
  void resizeEvent(QResizeEvent* e) override;

 private:
  void CreateComponents();
  void CreateMenus();
  void CreateToolBar();
  int ShowItemNumberDialog(const std::string& caption, bool withTarget);
  // After a command changed pairs in the list behind the rows: shows them
  // afresh when any row no longer shows its pair.
  void RefreshRowsIfStale();

  QWidget* central_ = nullptr;
};

// The matching program's main window (also reachable as frmMain).
extern TfrmMain* frmMainPairo;

}  // namespace pairo
