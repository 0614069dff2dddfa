// TfrmMain's web exports: the checks, the dialogs, what the pages are made
// of (file name, title, configuration, templates); the page builders of
// CrosswordExport make the plan and RunExportPlan runs it.
#include "gridel/core/CrosswordExport.h"
#include "gridel/forms/AddClues.h"
#include "gridel/forms/Main.h"
#include "platform/qt/Widgets.h"
#include "shared/core/FileFunctions.h"
#include "shared/core/WebExport.h"
#include "shared/forms/ConfigFormBase.h"
#include "shared/forms/SourceEdit.h"

namespace gridel {

namespace {

CrosswordExportInput Gather(const TfrmMain& main, const std::string& fileName) {
  CrosswordExportInput in;
  in.fileName = fileName;
  in.title = main.mmoTitle->Text();
  if (frmConfig) in.config = frmConfig->Values();
  const TfrmSourceFiles* store = frmSourceFiles;
  in.frameset = ReadTemplateSource(main.FSourcePath, "gridel.ht_", store ? store->FFramesetText : "");
  in.welcome = ReadTemplateSource(main.FSourcePath, "gridelw.ht_", store ? store->FWelcomeText : "");
  in.code = ReadTemplateSource(main.FSourcePath, "gridelc.ht_", store ? store->FCodeText : "");
  in.dhtml = ReadTemplateSource(main.FSourcePath, "dgridel.ht_", store ? store->FDHTMLText : "");
  return in;
}

}  // namespace

// The checks both exports make first: letters in the grid, then the clues
// found afresh (the clue dialog shows them), then a clue for every word.
bool TfrmMain::ExportChecks() {
  Crossword crossword;
  crossword.grid = FGrid;
  crossword.clues = FClues;
  CrosswordWords words;
  const std::string warning = CheckBeforeExport(crossword, words);
  if (!FGrid.NoLetters()) {
    FClues = crossword.clues;
    if (frmAddClues) frmAddClues->ShowWords(words);
    FAllCluesDone = AllCluesDone(words);
  }
  if (warning.empty()) return true;
  tavrel::platform().messageDlg(warning, tavrel::MsgType::Warning, tavrel::mbOK, kCluesHelpContext);
  return false;
}

void TfrmMain::ExportPages(ExportPlan (*build)(const LetterGrid&, const CrosswordWords&,
                                               const CrosswordExportInput&)) {
  if (!ExportChecks()) return;
  std::string fileName;
  if (!ChooseExportFile(fileName)) return;
  tavrel::BusyCursor busy;
  if (NameHasBlank(ExtractFileName(fileName)) && !AskContinueWithBlank()) return;
  const CrosswordExportInput in = Gather(*this, fileName);
  const CrosswordWords words = FindWordsWithClues();
  RunExportPlan(build(FGrid, words, in), &busy);
}

// The numbered words with the clues the crossword holds (after the checks
// the pairs are exactly the words, across first).
CrosswordWords TfrmMain::FindWordsWithClues() const {
  ClueList pairs = FClues;
  return gridel::GenerateClues(FGrid, pairs);
}

}  // namespace gridel
