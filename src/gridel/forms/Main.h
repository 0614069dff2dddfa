// Gridel's main window: the crossword being written (a square letter grid,
// a title, the word and clue pairs), the file commands, the menus and the
// toolbar.  The letters live in a LetterGrid; CWGrid shows it and turns the
// keys typed on it into changes of the model.
//
// The window is split over several files: Main.cpp (creation, layout, menus,
// keys, the grid commands), MainFile.cpp (the data file) and MainExport.cpp
// (the web pages).
#pragma once

#include <QLabel>
#include <functional>
#include <string>

#include "gridel/core/CrosswordExport.h"
#include "gridel/core/CrosswordFile.h"
#include "gridel/core/LetterGrid.h"
#include "gridel/core/Words.h"
#include "shared/forms/MainFormBase.h"

class QAction;
class QMenu;
class QPushButton;
class QToolBar;
class QToolButton;
class QWidget;
class TMyFont;
class TStringAlignGrid;

namespace tavrel {
class TMemo;
}

namespace gridel {

class TfrmMain : public TMainFormBase {
  Q_OBJECT
 public:
  explicit TfrmMain(QWidget* parent = nullptr);
  ~TfrmMain() override;

  // --- TMainFormBase hooks -----------------------------------------------------
  std::string AppTitle() const override { return "Gridel"; }
  std::string DataFileExtension() const override { return "gdl"; }
  std::string ExerciseNoun() const override { return "crossword"; }
  int WindowHelpContext() const override;
  void ClearExercise() override;
  bool SaveAsXML(const std::string& fileName) override;
  bool ReadDataFile(const std::string& fileName, const std::string& text) override;
  void DataFileLoaded() override;
  void AssignMainFont() override;
  bool FormKeyDown(const QKeyEvent* e) override;
  void FormClose() override;
  void OpenRecentFile(int tag) override;

  // --- The crossword -------------------------------------------------------------
  LetterGrid FGrid;       // the letters; FGridSize is its size
  UnreadableCells FUnreadable;  // cells the last load could not read, reported once it ends
  ClueList FClues;        // (word, clue) pairs: FWordList and FClueList side by side
  int FGridSize = kDefaultGridSize;
  bool FAllCluesDone = false;
  int FTopRow = -1, FBottomRow = -1, FLeftCol = -1, FRightCol = -1;

  // --- Components ------------------------------------------------------------------
  TStringAlignGrid* CWGrid = nullptr;
  QLabel* pnlTitle = nullptr;
  tavrel::TMemo* mmoTitle = nullptr;
  QPushButton* btnAddClues = nullptr;
  QWidget* pnlMove = nullptr;
  QToolButton* spdUp = nullptr;
  QToolButton* spdLeft = nullptr;
  QToolButton* spdRight = nullptr;
  QToolButton* spdDown = nullptr;
  QToolBar* pnlToolbar = nullptr;
  QToolButton* spdNew = nullptr;
  QToolButton* spdLoadQuiz = nullptr;
  QToolButton* spdSave = nullptr;
  QToolButton* spdSaveAs = nullptr;
  QToolButton* spdConfig = nullptr;
  QToolButton* spdToWeb = nullptr;
  QToolButton* spdToDHTML = nullptr;

  QMenu* mnuFile = nullptr;
  QAction* mnuNew = nullptr;
  QAction* mnuOpen = nullptr;
  QAction* mnuSave = nullptr;
  QAction* mnuSaveAs = nullptr;
  QAction* mnuExportToWeb = nullptr;
  QAction* mnuExportToDHTML = nullptr;
  QAction* mnuExit = nullptr;
  QMenu* mnuInsert = nullptr;
  QMenu* mnuPicture = nullptr;
  QAction* mnuInsertWebPic = nullptr;
  QAction* mnuInsertLocalPic = nullptr;
  QMenu* mnuLink = nullptr;
  QAction* mnuToURL = nullptr;
  QAction* mnuToFile = nullptr;
  QMenu* mnuManageGrid = nullptr;
  QAction* mnuChangeGridSize = nullptr;
  QMenu* mnuOptions = nullptr;
  QAction* mnuConfigureOutput = nullptr;
  QAction* mnuEditHTML = nullptr;
  QAction* mnuFont = nullptr;
  QMenu* mnuHelp = nullptr;
  QAction* mnuContents = nullptr;
  QMenu* mnuInternetHelp = nullptr;
  QAction* mnuAbout = nullptr;

  // --- Window life (Main.cpp) -----------------------------------------------------
  void FormCreate();
  // Lays the controls out for a client area of w x h pixels.
  void FormResize(int w, int h);
  void spdNewClick() { NewFile(); }
  void spdSaveClick() { Save(); }
  void btnAddCluesClick();
  void mmoTitleChange() { FChanged = true; }

  // --- The letter grid ----------------------------------------------------------
  // Sets the size, lays out the cells, keeps the letters and sizes the font.
  void RedrawGrid(int newSize);
  // Shows every cell of the model in CWGrid.
  void ShowGrid();
  void FindGridSize();
  bool NoLetters() const { return FGrid.NoLetters(); }
  // A character typed on the current cell: its Windows-1252 code, or its
  // text (the reference of a character the code page cannot hold); the
  // grid's key-down phase (virtual-key codes).
  void CWGridKeyPress(int key);
  void CWGridKeyPress(const std::string& typed);
  void CWGridKeyDown(int& key, unsigned shift);
  void spdUpClick() { ShiftGrid(Shift::Up); }
  void spdDownClick() { ShiftGrid(Shift::Down); }
  void spdLeftClick() { ShiftGrid(Shift::Left); }
  void spdRightClick() { ShiftGrid(Shift::Right); }
  void ShiftGrid(Shift shift);
  void mnuChangeGridSizeClick();
  // The cell's letter, "" when empty (what the grid shows).
  std::string Letter(int col, int row) const { return FGrid.Cell(col, row); }

  // --- Words and clues -------------------------------------------------------------
  // Finds and numbers the words, attaches the stored clues and lays them out
  // in the clue dialog.
  void GenerateClues();

  // --- Edit and Insert menus -----------------------------------------------------
  tavrel::IEditControl* EditTarget() override;
  void mnuInsertClick();
  void mnuInsertWebPicClick();
  void mnuInsertLocalPicClick();
  void mnuToURLClick();
  void mnuToFileClick();

  // --- Web exports (MainExport.cpp) -----------------------------------------------
  void spdToWebClick() { ExportPages(BuildFramesExport); }
  void spdToDHTMLClick() { ExportPages(BuildSinglePageExport); }
  CrosswordWords FindWordsWithClues() const;

 protected:
  void resizeEvent(QResizeEvent* e) override;

 private:
  void CreateComponents();
  void CreateMenus();
  void CreateToolBar();
  void LayoutCentral();
  void ShowCell(int col, int row);
  void PasteIntoGrid();
  void CopyCellToClipboard(bool cut);
  // Whether an export may go on: letters present, every word with a clue.
  bool ExportChecks();
  // An export: the checks, the save dialog, then the pages build plans.
  void ExportPages(ExportPlan (*build)(const LetterGrid&, const CrosswordWords&,
                                       const CrosswordExportInput&));

  QWidget* central_ = nullptr;
};

// Gives a grid's font the name, size, style and colour of a font setting.
void ApplyFontSpec(const tavrel::FontSpec& chosen, TMyFont& font);

// The crossword program's main window (also reachable as frmMain).
extern TfrmMain* frmMainGridel;

}  // namespace gridel
