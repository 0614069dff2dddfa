// The crossword program's window "Configure output": the texts, captions,
// addresses, colours and switches of the crossword's web pages, loaded from
// and saved to the shared configuration file (its "gridel" section and the
// shared "global" one).
#pragma once

#include <string>

#include "shared/forms/ConfigFormBase.h"

class QAction;
class QCheckBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace tavrel {
class TEdit;
class TMemo;
}  // namespace tavrel

namespace gridel {

class TfrmConfig : public TConfigFormBase {
  Q_OBJECT
 public:
  explicit TfrmConfig(QWidget* parent = nullptr);
  ~TfrmConfig() override;

  configdoc::Program ConfigProgram() const override { return configdoc::Program::Gridel; }
  int WindowHelpContext() const override;
  int ConfigSaveHelpContext() const override;

  // OK: the shared steps, then the main window's status bar names the file.
  void btnOKClick();

  // Edit menu: the shared items and Undo and Delete.

  // "Titles/Instructions"
  tavrel::TMemo* mmoSubtitle = nullptr;
  tavrel::TMemo* mmoWelcome = nullptr;
  tavrel::TMemo* mmoInstructions = nullptr;
  // "Prompts/Feedback"
  tavrel::TEdit* editCluesAcross = nullptr;
  tavrel::TEdit* editCluesDown = nullptr;
  tavrel::TEdit* editCorrect = nullptr;
  tavrel::TEdit* editIncorrect = nullptr;
  tavrel::TEdit* editNextCorrect = nullptr;
  // "Button Captions"
  tavrel::TEdit* editCheck = nullptr;
  QCheckBox* chkIncludeHint = nullptr;
  tavrel::TEdit* editHint = nullptr;
  QCheckBox* chkIncludeHelp = nullptr;
  tavrel::TEdit* editHelp = nullptr;
  QCheckBox* chkIncludeNextEx = nullptr;
  tavrel::TEdit* editNextEx = nullptr;
  QCheckBox* chkIncludeContents = nullptr;
  tavrel::TEdit* editContents = nullptr;
  QCheckBox* chkIncludeBack = nullptr;
  tavrel::TEdit* editBack = nullptr;
  // "Settings/URLs": the base's controls.
  // "DHTML"
  tavrel::TEdit* editOKCaption = nullptr;
  tavrel::TEdit* editPopupBGColor = nullptr;
  QCheckBox* chkKeyNavigation = nullptr;
  QLabel* lblKeys = nullptr;

 private:
  void BuildPages();
};

}  // namespace gridel
