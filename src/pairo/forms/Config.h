// The matching program's window "Configure output": the texts, captions,
// addresses, colours and switches of the matching pages, loaded from and
// saved to the shared configuration file.  Its controls are the
// configuration in force: the exporters take a snapshot (Values), the
// data-file writer embeds MakeConfigXML, the loader refills it.
#pragma once

#include <string>

#include "shared/forms/ConfigFormBase.h"

class QCheckBox;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace tavrel {
class TEdit;
class TMemo;
}  // namespace tavrel

namespace pairo {

class TfrmConfig : public TConfigFormBase {
  Q_OBJECT
 public:
  explicit TfrmConfig(QWidget* parent = nullptr);
  ~TfrmConfig() override;

  configdoc::Program ConfigProgram() const override { return configdoc::Program::Pairo; }
  int WindowHelpContext() const override;
  int ConfigSaveHelpContext() const override;

  // OK: the exercise becomes modified by a changed configuration only while
  // the reload option is ticked; the save question; the configuration path
  // into the registry (unless the save was declined or failed); the status
  // bar names the configuration file; the window closes.
  void btnOKClick();

  QWidget* tabTitles = nullptr;
  QWidget* tabPrompts = nullptr;
  QWidget* tabSettings = nullptr;
  QWidget* tabReading = nullptr;
  QWidget* tabDHTML = nullptr;

  // Page "Titles/Instructions"
  tavrel::TMemo* mmoExerciseSubtitle = nullptr;
  tavrel::TMemo* mmoInstructions = nullptr;
  // Page "Prompts/Feedback/Button Captions"
  tavrel::TEdit* editYourScoreIs = nullptr;
  tavrel::TEdit* editCorrectIndicator = nullptr;
  tavrel::TEdit* editIncorrectIndicator = nullptr;
  tavrel::TEdit* editCheck = nullptr;
  QCheckBox* chkIncludeNextEx = nullptr;
  tavrel::TEdit* editNextEx = nullptr;
  QCheckBox* chkIncludeContents = nullptr;
  tavrel::TEdit* editContents = nullptr;
  QCheckBox* chkIncludeBack = nullptr;
  tavrel::TEdit* editBack = nullptr;
  // Pages "Settings/URLs" and "Reading": the base's controls.
  // Page "DHTML"
  tavrel::TEdit* editOKCaption = nullptr;
  tavrel::TEdit* editPopupBGColor = nullptr;
  tavrel::TEdit* editGuessCorrect = nullptr;
  tavrel::TEdit* editGuessIncorrect = nullptr;


 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildPages();
};

}  // namespace pairo
