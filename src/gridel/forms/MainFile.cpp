// TfrmMain's data-file members: saving and loading ".gdl" crosswords and
// reading the older line-based crossword files.  The text is built and
// taken apart by CrosswordFile; this unit puts the pieces into the window
// and the configuration window.
#include <QAction>
#include <exception>
#include <optional>
#include <utility>

#include "gridel/core/CrosswordFile.h"
#include "gridel/forms/Config.h"
#include "gridel/forms/Main.h"
#include "platform/core/Platform.h"
#include "platform/qt/Widgets.h"
#include "shared/core/ConfigDocument.h"
#include "shared/core/DataFile.h"
#include "shared/core/FileFunctions.h"
#include "shared/core/HelpContexts.h"
#include "shared/core/XMLRoutines.h"
#include "shared/forms/TLFunctions.h"

namespace gridel {

using tavrel::ModalResult;
using tavrel::MsgType;
using tavrel::platform;

bool TfrmMain::SaveAsXML(const std::string& fileName) {
  tavrel::BusyCursor busy;
  const std::string config = DataFileConfigXML(frmConfig, configdoc::Program::Gridel);
  Crossword crossword;
  crossword.title = mmoTitle->Text();
  crossword.grid = FGrid;
  crossword.clues = FClues;
  // A file that cannot be written stays as it was, and the caller says so.
  if (!SaveCrosswordFile(fileName, GetMajorVersion(), crossword, config)) return false;
  AddRecentFile(fileName);
  return true;
}

// The crossword is read from the text LoadFile read.  A file refused as
// damaged, too old or too large leaves the crossword in the window and
// never becomes the current file.  The configuration the file carries is
// read, and the reload question asked, before anything in the window
// changes, so that a read that fails part-way leaves it all as it was.
bool TfrmMain::ReadDataFile(const std::string& fileName, const std::string& text) {
  tavrel::BusyCursor busy;
  const std::string nextEx = frmConfig ? frmConfig->ControlText("editNextExURL") : std::string();
  LoadedCrossword loaded = ReadCrosswordText(fileName, text, "", nextEx, FGridSize);
  if (loaded.status != LoadStatus::Loaded) {
    busy.release();
    if (loaded.status == LoadStatus::Damaged) {
      ShowDamagedFile(fileName);
    } else {
      const bool tooOld = loaded.status == LoadStatus::UnsupportedVersion;
      platform().messageDlg(loaded.message, tooOld ? MsgType::Error : MsgType::Warning,
                            tavrel::mbOK, tooOld ? kHelpOldVersion : kHelpSaveQuestion);
    }
    return false;
  }
  std::optional<ConfigValues> config;  // the configuration to reload, if any
  bool saveWithFile = FSaveWithFile;
  if (frmConfig) {
    // Read over the values in force once the file's next exercise is in.
    ConfigValues current = frmConfig->Values();
    current.text["editNextExURL"] = loaded.nextExURL;
    if (loaded.format == FileFormat::Xml) {
      if (mnuReloadConfig && mnuReloadConfig->isChecked())
        config = configdoc::ReadConfigXML(frmConfig->ConfigProgram(),
                                          GetValueByPath(loaded.text, kFileRoot, ""), current);
    } else if (loaded.carriesConfig) {
      busy.release();
      const bool reload =
          FSaveWithFile || platform().messageDlg(kReloadConfigQuestion, MsgType::Confirmation,
                                                 tavrel::mbYesNo, kHelpReloadConfig) == ModalResult::Yes;
      if (reload) {
        try {
          config = ReadOldCrosswordConfig(TDataFile(fileName, text), current);
          saveWithFile = true;
        } catch (const std::exception&) {
          // The crossword itself was read; its configuration stays as it was.
        }
      }
    }
  }

  ClearExercise();
  mmoTitle->SetText(loaded.crossword.title);
  FGrid = std::move(loaded.crossword.grid);
  RedrawGrid(FGrid.Size());
  FClues = std::move(loaded.crossword.clues);
  if (frmConfig) {
    // The next exercise's address always comes from the file.
    frmConfig->SetControlText("editNextExURL", loaded.nextExURL);
    if (config) frmConfig->SetValues(*config);
  }
  FSaveWithFile = saveWithFile;
  FUnreadable = loaded.unreadable;
  return true;
}

void TfrmMain::DataFileLoaded() {
  if (FUnreadable.count == 0) return;
  // The cells left empty are a change the teacher has not made: the
  // crossword stays modified, so that the loss is not saved unnoticed.
  FChanged = true;
  const UnreadableCells cells = FUnreadable;
  FUnreadable = {};
  platform().messageDlg(UnreadableCellsMessage(cells), MsgType::Warning, tavrel::mbOK,
                        kHelpGridelWindow);
}

}  // namespace gridel
