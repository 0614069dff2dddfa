// The quiz program's window "Configure output": the texts, captions,
// addresses, colours and switches of the quiz's web pages, loaded from and
// saved to the shared configuration file.  Its controls are the configuration
// in force: the exporters take a snapshot (Values), the data-file writer
// embeds MakeConfigXML, the data-file loader refills it with ReadConfigXML.
#pragma once

#include <map>
#include <string>

#include "platform/core/Platform.h"
#include "shared/forms/ConfigFormBase.h"
#include "shared/core/ConfigValues.h"

class QAction;
class QCheckBox;
class QKeyEvent;
class QMenu;
class QMenuBar;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace tavrel {
class TEdit;
class TMemo;
class IEditControl;
}  // namespace tavrel

namespace askery {

class TfrmConfig : public TConfigFormBase {
  Q_OBJECT
 public:
  explicit TfrmConfig(QWidget* parent = nullptr);
  ~TfrmConfig() override;

  // --- TConfigFormBase ---------------------------------------------------
  // Loads a configuration file of either format.  Nothing happens for an
  // empty name or a file that does not exist.  Throws std::runtime_error
  // when the file exists but cannot be read.
  void LoadConfigFile(const std::string& fileName) override;
  std::string ControlText(const std::string& name) const override;
  bool ControlChecked(const std::string& name) const override;

  // --- The configuration document ------------------------------------------
  void ReadConfigXML(const std::string& doc);
  void MakeConfigXML(std::string& xml) const;
  // Writes the window's values into FConfigFileName; false when the file
  // could not be read (to keep its other sections) or written.
  bool WriteConfigFile();
  void LoadOldConfigFile(const std::string& fileName);

  // Every control's value, keyed by control name.
  ConfigValues Values() const;
  // Sets the controls named in values (the others keep theirs).
  void SetValues(const ConfigValues& values);
  // Sets one named box or check box; false when there is no such control.
  bool SetControlText(const std::string& name, const std::string& text);
  bool SetControlChecked(const std::string& name, bool checked);

  // --- Saving ----------------------------------------------------------------
  // The save question; true only when the user answered Yes and the
  // configuration was saved.
  bool AskSaveConfigChanges();
  bool SaveConfigFile();
  bool SaveConfigFileAs();

  // A relative link from the data file to a chosen HTML file; "" when none.
  void GetLink(std::string& link);

  // --- Handlers ----------------------------------------------------------------
  void FormShow();
  void mmoQuizTitleChange();
  void btnLoadClick();
  void btnSaveClick();
  void btnSaveAsClick();
  void btnAcceptClick();
  void btnHelpClick();
  void mnuCutClick();
  void mnuCopyClick();
  void mnuPasteClick();
  void mnuSelectAllClick();
  void mnuInsertClick();
  void mnuInsertPicFromURLClick();
  void mnuPicFromFileClick();
  void mnuInsertLinkToURLClick();
  void mnuInsertLinkToFileClick();
  void btnBrowseForBGGraphicClick();
  void btnBrowseForNextExClick();
  void btnBrowseForIndexClick();
  void spdColoursClick();
  // The window sees every key before its controls; true when the key was
  // consumed.
  bool FormKeyDown(const QKeyEvent* e);

  // --- State -----------------------------------------------------------------
  // The configuration was edited since the window was last shown, loaded or
  // saved.
  bool ConfigChanged = false;

  // --- Components --------------------------------------------------------------
  QTabWidget* PageControl1 = nullptr;
  QWidget* tabTitles = nullptr;
  QWidget* tabPrompts = nullptr;
  QWidget* tabButtons = nullptr;
  QWidget* tabSettings = nullptr;
  QWidget* tabReading = nullptr;
  QWidget* tabDHTML = nullptr;

  // Page "Titles/Instructions"
  tavrel::TMemo* mmoQuizSubtitle = nullptr;
  tavrel::TMemo* mmoWelcome = nullptr;
  tavrel::TMemo* mmoInstructions = nullptr;
  // Page "Prompts/Feedback"
  tavrel::TEdit* editGuessCorrect = nullptr;
  tavrel::TEdit* editGuessIncorrect = nullptr;
  tavrel::TEdit* editTheseAnswersToo = nullptr;
  tavrel::TEdit* editThisMuch = nullptr;
  tavrel::TEdit* editPleaseEnter = nullptr;
  tavrel::TEdit* editTheseWords = nullptr;
  tavrel::TEdit* editNextCorrect = nullptr;
  tavrel::TEdit* editCorrectList = nullptr;
  tavrel::TEdit* editCorrectFirstTime = nullptr;
  tavrel::TEdit* editYourScoreIs = nullptr;
  // Page "Button Captions"
  tavrel::TEdit* editCheck = nullptr;
  QCheckBox* chkIncludeHint = nullptr;
  tavrel::TEdit* editHint = nullptr;
  QCheckBox* chkIncludeShowAnswer = nullptr;
  tavrel::TEdit* editShow = nullptr;
  QCheckBox* chkIncludeHelp = nullptr;
  tavrel::TEdit* editHelp = nullptr;
  QCheckBox* chkIncludeNextEx = nullptr;
  tavrel::TEdit* editNextEx = nullptr;
  QCheckBox* chkIncludeContents = nullptr;
  tavrel::TEdit* editContents = nullptr;
  QCheckBox* chkIncludeBack = nullptr;
  tavrel::TEdit* editBack = nullptr;
  // Page "Settings/URLs"
  tavrel::TEdit* editGraphicURL = nullptr;
  tavrel::TEdit* editNextExURL = nullptr;
  tavrel::TEdit* editContentsURL = nullptr;
  QPushButton* btnBrowseForBGGraphic = nullptr;
  QPushButton* btnBrowseForNextEx = nullptr;
  QPushButton* btnBrowseForIndex = nullptr;
  QCheckBox* chkCaseSensitive = nullptr;
  QCheckBox* chkContinuousScoring = nullptr;
  tavrel::TEdit* editNavBarColor = nullptr;
  tavrel::TEdit* editPageBGColor = nullptr;
  tavrel::TEdit* editTitleColor = nullptr;
  tavrel::TEdit* editExBGColor = nullptr;
  tavrel::TEdit* editTextColor = nullptr;
  QToolButton* spdColours = nullptr;
  // Page "Reading"
  tavrel::TEdit* editStartReading = nullptr;
  tavrel::TEdit* editShowReadingAgain = nullptr;
  tavrel::TEdit* editRemainingTime = nullptr;
  tavrel::TEdit* editTimesUp = nullptr;
  tavrel::TEdit* editClickToShow = nullptr;
  // Page "DHTML"
  tavrel::TEdit* editOKCaption = nullptr;
  tavrel::TEdit* editPopupBGColor = nullptr;
  QCheckBox* chkShuffleQs = nullptr;

  // Buttons below the pages
  QPushButton* btnLoad = nullptr;
  QPushButton* btnSave = nullptr;
  QPushButton* btnSaveAs = nullptr;
  QPushButton* btnAccept = nullptr;
  QPushButton* btnHelp = nullptr;

  // Menus
  QMenuBar* MainMenu1 = nullptr;
  QMenu* mnuEdit = nullptr;
  QAction* mnuCut = nullptr;
  QAction* mnuCopy = nullptr;
  QAction* mnuPaste = nullptr;
  QAction* mnuSelectAll = nullptr;
  QMenu* mnuInsert = nullptr;
  QMenu* mnuPicture = nullptr;
  QAction* mnuInsertPicFromURL = nullptr;
  QAction* mnuPicFromFile = nullptr;
  QMenu* mnuLink = nullptr;
  QAction* mnuInsertLinkToURL = nullptr;
  QAction* mnuInsertLinkToFile = nullptr;

  // File dialogs
  tavrel::FileDialogOptions OpenDialog1;
  tavrel::FileDialogOptions SaveDialog1;
  tavrel::FileDialogOptions dlgOpenHTML;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildPages();
  void BuildButtons();
  void BuildMenus();
  void Bind(const char* name, tavrel::IEditControl* edit, QWidget* widget, int helpContext,
            int tag);
  void Bind(const char* name, QCheckBox* check, int helpContext);
  tavrel::IEditControl* FocusedEdit() const;
  void ReplaceSelection(const std::string& text);
  void AfterInsert();
  void SetLoadedCaption();
  void ShowHelpFor(QWidget* widget);

  std::map<std::string, tavrel::IEditControl*> edits_;
  std::map<std::string, QCheckBox*> checks_;
};

}  // namespace askery
