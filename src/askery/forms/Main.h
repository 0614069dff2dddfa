// Askery's main window: one quiz at a time, a question and four of its
// answers in view, the file commands, the menus and the toolbar.
//
// The window is split over several files: Main.cpp (creation, layout, menus,
// file commands), MainEditing.cpp (question editing and the Manage Questions
// commands), MainFile.cpp (the data file) and MainExport.cpp (the web pages).
#pragma once

#include <QLabel>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "shared/forms/MainFormBase.h"
#include "shared/core/TQList.h"

class QAction;
class QDialog;
class QMenu;
class QSpinBox;
class QToolBar;
class QToolButton;
class QKeyEvent;
class QDragEnterEvent;
class QDropEvent;

namespace tavrel {
class TMemo;
}

namespace askery {

// A caption panel with a Tag, as the answer-label panel keeps the answer
// offset in it.
class TTagPanel : public QLabel {
  Q_OBJECT
 public:
  explicit TTagPanel(const QString& caption, QWidget* parent = nullptr);
  int Tag = 0;
};

class TfrmMain : public TMainFormBase {
  Q_OBJECT
 public:
  explicit TfrmMain(QWidget* parent = nullptr);
  ~TfrmMain() override;

  // --- TMainFormBase hooks -----------------------------------------------------
  std::string AppTitle() const override { return "Askery"; }
  std::string DataFileExtension() const override { return "aky"; }
  std::string ExerciseNoun() const override { return "quiz"; }
  int WindowHelpContext() const override;
  // New after the save question: empty editor, reading and list.
  void ClearExercise() override;
  TQList* Questions() override { return FQuestions.get(); }
  // Shows the question whose number the spinner holds.
  void Redisplay() override;

  // --- Fields ----------------------------------------------------------------
  std::unique_ptr<TQList> FQuestions;  // the quiz; numbered from 1
  int FCurrQ = 1;                      // question shown in the editor

  // --- Components ------------------------------------------------------------
  QToolBar* ToolBar1 = nullptr;
  QToolButton* spdNew = nullptr;
  QToolButton* spdLoadQuiz = nullptr;
  QToolButton* spdSaveQuiz = nullptr;
  QToolButton* spdSaveAs = nullptr;
  QToolButton* spdShowReading = nullptr;
  QToolButton* spdConfig = nullptr;
  QToolButton* spdToWeb = nullptr;
  QToolButton* spdToDHTML = nullptr;

  QLabel* lblTitle = nullptr;
  QLabel* lblQuestion = nullptr;
  QLabel* lblQNum = nullptr;
  tavrel::TMemo* mmoTitle = nullptr;
  QSpinBox* SpinQNum = nullptr;
  tavrel::TMemo* mmoQuestion = nullptr;
  tavrel::TMemo* mmoAnswer1 = nullptr;
  tavrel::TMemo* mmoAnswer2 = nullptr;
  tavrel::TMemo* mmoAnswer3 = nullptr;
  tavrel::TMemo* mmoAnswer4 = nullptr;
  TTagPanel* pnlAns1Label = nullptr;
  TTagPanel* pnlAns2Label = nullptr;
  TTagPanel* pnlAns3Label = nullptr;
  TTagPanel* pnlAns4Label = nullptr;
  TTagPanel* pnlAnsLabel = nullptr;  // Tag: the answer offset
  QToolButton* spdAnsUp = nullptr;
  QToolButton* spdAnsDown = nullptr;

  // Menus and their items.
  QMenu* mnuFile = nullptr;
  QAction* mnuNew = nullptr;
  QAction* mnuOpen = nullptr;
  QAction* mnuSave = nullptr;
  QAction* mnuSaveAs = nullptr;
  QAction* mnuAddReadingText = nullptr;
  QAction* mnuAppendFile = nullptr;
  QAction* mnuToHTML = nullptr;
  QAction* mnuToDHTML = nullptr;
  QAction* mnuExportForPrinting = nullptr;
  QAction* mnuExit = nullptr;
  QMenu* mnuInsert = nullptr;
  QMenu* mnuPicture = nullptr;
  QAction* mnuFromWebURL = nullptr;
  QAction* mnuFromLocalFile = nullptr;
  QMenu* mnuLink = nullptr;
  QAction* mnuToURL = nullptr;
  QAction* mnuToFile = nullptr;
  QMenu* mnuManageQuestions = nullptr;
  QAction* mnuViewOutline = nullptr;
  QAction* mnuDeleteQuestion = nullptr;
  QAction* mnuInsertQuestion = nullptr;
  QAction* mnuMoveQuestion = nullptr;
  QAction* mnuCloneQuestion = nullptr;
  QAction* mnuShuffle = nullptr;
  QMenu* mnuOptions = nullptr;
  QAction* mnuConfigureOutput = nullptr;
  QAction* mnuEditHTML = nullptr;
  QAction* mnuFonts = nullptr;
  // mnuReloadConfig: TMainFormBase.
  QMenu* mnuHelp = nullptr;
  QAction* mnuHelpContents = nullptr;
  QMenu* mnuInternetHelp = nullptr;
  QAction* mnuFAQ = nullptr;            // Tag 1
  QAction* mnuBulletinBoard = nullptr;  // Tag 2
  QAction* mnuEMailHelp = nullptr;      // Tag 3
  QAction* mnuAbout = nullptr;

  // The four answer boxes and their number panels, 1..4 (index 0 unused).
  tavrel::TMemo* AnswerBox(int k) const;
  TTagPanel* AnswerPanel(int k) const;

  // --- Window life cycle (Main.cpp) ------------------------------------------
  void FormCreate();
  // Lays the controls out for a client area of w x h pixels (the area below
  // the menu bar and above the status bar).
  void FormResize(int w, int h);
  // The keys the window sees before its controls; true when consumed.
  bool FormKeyDown(const QKeyEvent* e) override;
  void AssignMainFont() override;

  // --- File commands (Main.cpp; the work is TMainFormBase's) ------------------
  // The New command as a function: false when the user cancelled its save
  // question (nothing was cleared).  spdNewClick calls it.
  bool NewQuiz() { return NewFile(); }
  void spdNewClick() { NewFile(); }
  void spdSaveQuizClick() { Save(); }

  // --- Question editing (MainEditing.cpp) ------------------------------------
  void StashQuestion();
  void ShowQuestion(int q);
  void ShowAnswers(int q);
  // Shows the current question afresh from the list after a command
  // renumbered the list behind the editor (never stashes).
  void ShowCurrentAfterListChange();
  void SpinQNumChange();
  void spdAnsUpClick();
  void spdAnsDownClick();
  void mmoTitleChange();
  void mmoAnswer1Exit(tavrel::TMemo* box);
  void FindAndReplace();

  void mnuViewOutlineClick();
  void mnuDeleteQuestionClick();
  void mnuInsertQuestionClick();
  void mnuMoveQuestionClick();
  void mnuCloneQuestionClick();
  void mnuShuffleClick();
  void mnuExportForPrintingClick();

  // Edit menu: enabling when opened, actions on the focused box.
  // The commands work on the focused memo; the items follow any focused box.
  void mnuEditClick() override;
  // Insert menu.
  void mnuInsertClick();
  void mnuToURLClick();
  void mnuToFileClick();
  void mnuFromWebURLClick();
  void mnuFromLocalFileClick();

  // --- Data file (MainFile.cpp) ------------------------------------------------
  bool SaveAsXML(const std::string& fileName) override;  // false when not written
  bool ReadDataFile(const std::string& fileName, const std::string& text) override;
  void LoadXMLQuestions(const std::string& questionsText, int firstNumber);
  void LoadOldFile(const std::string& fileName);
  void mnuAppendFileClick();

  // --- Web exports (MainExport.cpp) --------------------------------------------
  void spdToWebClick();
  void mnuToDHTMLClick();
  void ExportToDHTML();
  void MakeDHTMLCodePage(const std::string& readingFileName, std::string& page);

 protected:
  void resizeEvent(QResizeEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void CreateComponents();
  void CreateMenus();
  void CreateToolBar();
  void LayoutCentral();
  void SetSpinnerQuietly(int value);
  tavrel::TMemo* FocusedHTMLBox();
  void ShowItemNumberDialog(const std::string& caption, bool withTarget, int preselect);

  QWidget* central_ = nullptr;
};

// The quiz program's main window (also reachable as frmMain).
extern TfrmMain* frmMainAskery;

}  // namespace askery
