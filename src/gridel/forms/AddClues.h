// The clue dialog "Add Clues": the words across and down found in the
// letter grid, numbered, each with its clue.  Only the clue column can be
// typed into; the Insert menu puts a picture or a link in front of the
// remembered clue.  Closing the dialog stores the clues in the main window's
// crossword.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "gridel/core/Words.h"
#include "platform/core/Platform.h"

class QMenu;
class QMenuBar;
class QAction;
class QPushButton;
class TStringAlignGrid;

namespace gridel {

class TfrmAddClues : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmAddClues(QWidget* parent = nullptr);
  ~TfrmAddClues() override;

  // Lays the words out in the two grids (rows from 1, the heading in row 0)
  // and forgets the remembered clue cell.
  void ShowWords(const CrosswordWords& words);
  // The rows of a grid up to the first empty word, as words with clues.
  std::vector<Word> Rows(int grid) const;
  // The main window's pairs from the rows: across first, then down.
  void SaveWordsAndClues();
  // Sets the main window's FAllCluesDone.
  void CheckAllClues();
  void AssignFont(const tavrel::FontSpec& font);

  // Shows the dialog modally, then runs the closing steps.  When ModalHook
  // is set it stands in for the dialog's event loop (tests).
  void ShowModal();
  std::function<void(TfrmAddClues&)> ModalHook;

  void FormResize(int w, int h);
  void FormClose();
  void btnOKClick() { accept(); }
  void mnuInsertClick();
  void mnuToURLClick();
  void mnuToFileClick();
  void mnuInsertWebPicClick();
  void mnuInsertLocalPicClick();

  // The remembered clue cell: grid 1 (across) or 2 (down), its column and row.
  int LastClueGrid = 1;
  int LastClueCol = 2;
  int LastClueRow = 1;

  TStringAlignGrid* AcrossGrid = nullptr;
  TStringAlignGrid* DownGrid = nullptr;
  QPushButton* btnOK = nullptr;
  QMenuBar* MainMenu1 = nullptr;
  QMenu* mnuInsert = nullptr;
  QMenu* mnuPicture = nullptr;
  QAction* mnuInsertWebPic = nullptr;
  QAction* mnuInsertLocalPic = nullptr;
  QMenu* mnuLink = nullptr;
  QAction* mnuToURL = nullptr;
  QAction* mnuToFile = nullptr;

 protected:
  void resizeEvent(QResizeEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void SetUpGrid(TStringAlignGrid* grid, const char* heading);
  void FillGrid(TStringAlignGrid* grid, const std::vector<Word>& words);
  TStringAlignGrid* GridOf(int which) const { return which == 2 ? DownGrid : AcrossGrid; }
  bool GridFocused() const;
  // Puts html in front of the remembered clue; nothing for a row without a word.
  void InsertIntoClue(const std::string& html);
  QWidget* client_ = nullptr;
};

extern TfrmAddClues* frmAddClues;

}  // namespace gridel
