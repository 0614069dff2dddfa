// TfrmMain's data-file members: saving and loading ".gdl" crosswords and
// reading the older line-based crossword files.  The text is built and
// taken apart by CrosswordFile; this unit puts the pieces into the window
// and the configuration window.
#include <QAction>
#include <exception>

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

// The crossword reader reads the file by its name.  A file refused as
// damaged, too old or too large leaves the crossword in the window and
// never becomes the current file.
bool TfrmMain::ReadDataFile(const std::string& fileName, const std::string& /*text*/) {
  tavrel::BusyCursor busy;
  const std::string nextEx = frmConfig ? frmConfig->ControlText("editNextExURL") : std::string();
  const LoadedCrossword loaded = ReadCrosswordFile(fileName, "", nextEx, FGridSize);
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
  ClearExercise();

  mmoTitle->SetText(loaded.crossword.title);
  FGrid = loaded.crossword.grid;
  RedrawGrid(FGrid.Size());
  FClues = loaded.crossword.clues;
  if (frmConfig) {
    // The next exercise's address always comes from the file.
    frmConfig->SetControlText("editNextExURL", loaded.nextExURL);
    if (loaded.format == FileFormat::Xml) {
      if (mnuReloadConfig && mnuReloadConfig->isChecked())
        frmConfig->ReadConfigXML(GetValueByPath(loaded.text, kFileRoot, ""));
    } else if (loaded.carriesConfig) {
      busy.release();
      const bool reload =
          FSaveWithFile || platform().messageDlg(kReloadConfigQuestion, MsgType::Confirmation,
                                                 tavrel::mbYesNo, kHelpReloadConfig) == ModalResult::Yes;
      if (reload) {
        try {
          frmConfig->SetValues(ReadOldCrosswordConfig(TDataFile(fileName), frmConfig->Values()));
          FSaveWithFile = true;
        } catch (const std::exception&) {
          // The crossword itself was read; its configuration stays as it was.
        }
      }
    }
  }
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
