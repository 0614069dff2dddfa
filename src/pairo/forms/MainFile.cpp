// TfrmMain's data-file members: saving and loading ".pry" exercises,
// reading the older line-based matching files, and Append File.  The text
// itself is built and taken apart by MatchFile; this unit puts the pieces
// into the window, the configuration window and the pair list.
#include <QAction>
#include <exception>

#include "pairo/core/MatchFile.h"
#include "pairo/forms/Main.h"
#include "platform/core/Platform.h"
#include "platform/qt/QtText.h"
#include "platform/qt/Widgets.h"
#include "shared/core/ConfigDocument.h"
#include "shared/core/DataFile.h"
#include "shared/core/FileFunctions.h"
#include "shared/core/HelpContexts.h"
#include "shared/core/ReadingData.h"
#include "shared/core/XMLRoutines.h"
#include "shared/forms/ConfigFormBase.h"
#include "shared/forms/ReadingText.h"
#include "shared/forms/TLFunctions.h"

namespace pairo {

using tavrel::ModalResult;
using tavrel::MsgType;
using tavrel::platform;

namespace {

bool ReloadConfigTicked(const TfrmMain& w) {
  return w.mnuReloadConfig && w.mnuReloadConfig->isChecked();
}

std::string CurrentNextExURL() {
  return frmConfig ? frmConfig->ControlText("editNextExURL") : std::string();
}

void ShowUnableToLoad(const std::string& fileName) {
  platform().messageDlg(UnableToLoadMessage(fileName), MsgType::Warning, tavrel::mbOK,
                        kHelpSaveQuestion);
}

}  // namespace

bool TfrmMain::SaveAsXML(const std::string& fileName) {
  tavrel::BusyCursor busy;
  StashItems();
  const std::string config = DataFileConfigXML(frmConfig, configdoc::Program::Pairo);
  const std::string reading =
      ReadingElement(frmAddReadingText ? frmAddReadingText->Reading() : ReadingData{});
  const std::string doc = BuildMatchFileText(GetMajorVersion(), mmoTitle->Text(), reading,
                                             mmoDefault->Text(), *FQuestions, config);
  return SaveXMLFile(fileName, doc);
}

bool TfrmMain::ReadDataFile(const std::string& fileName, const std::string& text) {
  if (IsMatchDocument(text)) {
    tavrel::BusyCursor busy;
    ClearExercise();
    LoadXMLFile(text);
  } else if (!LoadOldFile(fileName, text)) {
    return false;
  }
  FTopItem = 1;
  ShowItems(1);
  return true;
}

void TfrmMain::LoadXMLFile(const std::string& fileText) {
  const exercisedoc::Parts parts = ReadMatchXML(fileText, mmoTitle->Text(), CurrentNextExURL());
  mmoTitle->SetText(parts.title);
  // The next exercise's address always comes from the file, whatever the
  // reload option says.
  if (frmConfig) frmConfig->SetControlText("editNextExURL", parts.nextExURL);
  if (frmAddReadingText) frmAddReadingText->LoadXMLReadingData(parts.reading);
  LoadXMLItems(parts.body, 1);
  if (frmConfig && ReloadConfigTicked(*this))
    frmConfig->ReadConfigXML(GetValueByPath(fileText, kFileRoot, ""));
}

void TfrmMain::LoadXMLItems(const std::string& itemsText, int firstNumber) {
  const ItemsRead read = ReadMatchItems(itemsText, firstNumber, *FQuestions);
  if (read.hasDefault) mmoDefault->SetText(read.defaultRight);
}

// The old file is taken apart before anything is cleared: a damaged or too
// old file leaves the exercise in the window and never becomes the current
// file, so a later Save cannot overwrite it.
bool TfrmMain::LoadOldFile(const std::string& fileName, const std::string& text) {
  if (!IsOldDataFile(text)) {
    ShowDamagedFile(fileName);
    return false;
  }
  tavrel::BusyCursor busy;
  const TDataFile file(fileName, text);
  const OldMatch old = ReadOldMatch(file, CurrentNextExURL());
  if (old.version < kOldMinVersion) {
    busy.release();
    platform().messageDlg("This file version is not supported by this version of Pairo.",
                          MsgType::Error, tavrel::mbOK, kHelpOldVersion);
    return false;
  }
  ClearExercise();
  mmoTitle->SetText(old.title);
  if (frmConfig) frmConfig->SetControlText("editNextExURL", old.nextExURL);
  if (!old.checkCaption.empty() && frmConfig) {
    bool reload = ReloadConfigTicked(*this);
    if (!reload) {
      busy.release();
      reload = platform().messageDlg(
                   "Do you want to reload the configuration information saved with this file?",
                   MsgType::Confirmation, tavrel::mbYesNo, kHelpReloadConfig) == ModalResult::Yes;
    }
    if (reload) {
      try {
        frmConfig->SetValues(ReadOldMatchConfig(file, frmConfig->Values()));
      } catch (const std::exception&) {
        ShowUnableToLoad(fileName);
      }
    }
  }
  mmoDefault->SetText(old.defaultRight);
  PutOldPairs(old, *FQuestions);
  return true;
}

void TfrmMain::mnuAppendFileClick() {
  StashItems();
  AppendFile(
      IsMatchDocument, [this](const std::string& text, int first) { LoadXMLItems(ItemsOf(text), first); },
      [this] { ShowItems(FTopItem); });
}

}  // namespace pairo
