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

  // --- TConfigFormBase hooks ---------------------------------------------
  configdoc::Program ConfigProgram() const override { return configdoc::Program::Askery; }
  int WindowHelpContext() const override;

  // --- Components --------------------------------------------------------------
  QWidget* tabTitles = nullptr;
  QWidget* tabPrompts = nullptr;
  QWidget* tabButtons = nullptr;
  QWidget* tabSettings = nullptr;
  QWidget* tabReading = nullptr;  // the base's reading page
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
  // Page "Settings/URLs" (with the base's addresses and colours)
  QCheckBox* chkCaseSensitive = nullptr;
  QCheckBox* chkContinuousScoring = nullptr;
  // Page "DHTML"
  tavrel::TEdit* editOKCaption = nullptr;
  tavrel::TEdit* editPopupBGColor = nullptr;
  QCheckBox* chkShuffleQs = nullptr;

 private:
  void BuildPages();
};

}  // namespace askery
