// TfrmMain's data-file members: saving and loading ".pry" exercises,
// reading the older line-based matching files, and Append File.  The text
// itself is built and taken apart by MatchFile; this unit puts the pieces
// into the window, the configuration window and the pair list.
#include <QAction>
#include <exception>
#include <optional>
#include <utility>

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

// An exercise read from a data file apart from the window, so that a read
// that fails part-way leaves the exercise in the window as it was.
struct ReadMatch {
  std::string title;
  std::string nextExURL;
  std::optional<ReadingData> reading;       // XML files; an old file's reading is cleared
  std::optional<std::string> defaultRight;  // when the file has one
  TQList pairs;
  std::optional<ConfigValues> config;  // the configuration to reload
};

// The configuration values in force once the file's next exercise is in.
ConfigValues ValuesWithNextEx(const std::string& nextExURL) {
  ConfigValues values = frmConfig->Values();
  values.text["editNextExURL"] = nextExURL;
  return values;
}

ReadMatch ReadXMLMatch(const TfrmMain& w, const std::string& text) {
  const MatchXMLParts parts = ReadMatchXML(text, "", CurrentNextExURL());
  ReadMatch match;
  match.title = parts.title;
  // The next exercise's address always comes from the file, whatever the
  // reload option says.
  match.nextExURL = parts.nextExURL;
  if (frmAddReadingText) match.reading = ReadReadingElement(parts.reading);
  const ItemsRead read = ReadMatchItems(parts.items, 1, match.pairs);
  if (read.hasDefault) match.defaultRight = read.defaultRight;
  if (frmConfig && ReloadConfigTicked(w)) {
    match.config = configdoc::ReadConfigXML(frmConfig->ConfigProgram(),
                                            GetValueByPath(text, kFileRoot, ""),
                                            ValuesWithNextEx(match.nextExURL));
  }
  return match;
}

// Reads an old line-based file, read as text, asking whether to reload the
// configuration it carries.  None when the file is refused (damaged, too
// old, or a read that could not be finished), after saying why.
std::optional<ReadMatch> ReadOldMatchFile(TfrmMain& w, const std::string& fileName,
                                          const std::string& text) {
  if (!IsOldDataFile(text)) {
    w.ShowDamagedFile(fileName);
    return std::nullopt;
  }
  tavrel::BusyCursor busy;
  const TDataFile file(fileName, text);
  const OldMatch old = ReadOldMatch(file, CurrentNextExURL());
  if (old.version < kOldMinVersion) {
    busy.release();
    platform().messageDlg("This file version is not supported by this version of Pairo.",
                          MsgType::Error, tavrel::mbOK, kHelpOldVersion);
    return std::nullopt;
  }
  try {
    ReadMatch match;
    match.title = old.title;
    match.nextExURL = old.nextExURL;
    match.defaultRight = old.defaultRight;
    if (!old.checkCaption.empty() && frmConfig) {
      bool reload = ReloadConfigTicked(w);
      if (!reload) {
        busy.release();
        reload = platform().messageDlg(
                     "Do you want to reload the configuration information saved with this file?",
                     MsgType::Confirmation, tavrel::mbYesNo, kHelpReloadConfig) == ModalResult::Yes;
      }
      if (reload) match.config = ReadOldMatchConfig(file, ValuesWithNextEx(match.nextExURL));
    }
    PutOldPairs(old, match.pairs);
    return match;
  } catch (const std::exception&) {
    busy.release();
    ShowUnableToLoad(fileName);
  }
  return std::nullopt;
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

// The whole file is read before the exercise in the window is replaced.
bool TfrmMain::ReadDataFile(const std::string& fileName, const std::string& text) {
  std::optional<ReadMatch> match;
  if (IsMatchDocument(text)) {
    tavrel::BusyCursor busy;
    match = ReadXMLMatch(*this, text);
  } else {
    match = ReadOldMatchFile(*this, fileName, text);
  }
  if (!match) return false;
  {
    tavrel::BusyCursor busy;
    ClearExercise();
    mmoTitle->SetText(match->title);
    if (frmConfig) {
      frmConfig->SetControlText("editNextExURL", match->nextExURL);
      if (match->config) frmConfig->SetValues(*match->config);
    }
    if (frmAddReadingText && match->reading) frmAddReadingText->SetReading(*match->reading);
    if (match->defaultRight) mmoDefault->SetText(*match->defaultRight);
    *FQuestions = std::move(match->pairs);
  }
  FTopItem = 1;
  ShowItems(1);
  return true;
}

void TfrmMain::LoadXMLItems(const std::string& itemsText, int firstNumber) {
  const ItemsRead read = ReadMatchItems(itemsText, firstNumber, *FQuestions);
  if (read.hasDefault) mmoDefault->SetText(read.defaultRight);
}

void TfrmMain::mnuAppendFileClick() {
  StashItems();
  AppendFile(
      IsMatchDocument, [this](const std::string& text, int first) { LoadXMLItems(ItemsOf(text), first); },
      [this] { ShowItems(FTopItem); });
}

}  // namespace pairo
