// TfrmMain's web exports: the handlers gather what the pages are made of
// (file name, configuration, reading, templates), let the page builders of
// MatchExport make the plan, and run it.
#include "pairo/core/MatchExport.h"
#include "pairo/forms/Main.h"
#include "pairo/forms/SuppliedTemplates.h"
#include "platform/core/Platform.h"
#include "platform/qt/Widgets.h"
#include "shared/core/FileFunctions.h"
#include "shared/core/WebExport.h"
#include "shared/forms/ConfigFormBase.h"
#include "shared/forms/ReadingText.h"
#include "shared/forms/SourceEdit.h"

namespace pairo {

using tavrel::platform;

namespace {

void ShowMessage(const ExportMessage& m) {
  if (m.plain)
    platform().showMessage(m.text);
  else
    platform().messageDlg(m.text, m.type, m.buttons, m.helpContext);
}

// Everything the pages are made of.
void Gather(TfrmMain& main, const std::string& fileName, int browserVersion,
            MatchExportInput& in) {
  in.fileName = fileName;
  in.title = main.mmoTitle->Text();
  in.defaultRight = main.mmoDefault->Text();
  if (frmConfig) in.config = frmConfig->Values();
  if (frmAddReadingText) in.reading = frmAddReadingText->ForExport(browserVersion);
  const TemplateStore store = frmSourceFiles ? frmSourceFiles->Store() : TemplateStore{};
  auto read = [&main](const char* name, const std::string& storeText) {
    return ReadTemplateSource(main.FSourcePath, name, storeText, SuppliedTemplate(name));
  };
  in.frameset = read("pairo.ht_", store.frameset);
  in.code = read("pairoc.ht_", store.code);
  in.dhtml = read("dpairo.ht_", store.dhtml);
}

}  // namespace

void TfrmMain::spdToWebClick() {
  ExportPages(3, [this](const MatchExportInput& in) {
    return BuildSelectListExport(*FQuestions, in, ShuffleRandom ? *ShuffleRandom : MixRandom());
  });
}

void TfrmMain::mnuExportToDHTMLClick() {
  StashItems();
  if (const auto question = LongExerciseQuestion(CountItemsForWarning(*FQuestions))) {
    if (platform().messageDlg(question->text, question->type, question->buttons,
                              question->helpContext) != tavrel::ModalResult::Yes)
      return;
  }
  ExportToDHTML();
}

void TfrmMain::ExportToDHTML() {
  ExportPages(4, [this](const MatchExportInput& in) { return BuildDragDropExport(*FQuestions, in); });
}

void TfrmMain::ExportPages(int browserVersion,
                           const std::function<MatchExport(const MatchExportInput&)>& build) {
  const TExerciseKeeper keep(*this);
  StashItems();
  std::string fileName;
  if (!ChooseExportFile(fileName)) return;
  tavrel::BusyCursor busy;
  if (NameHasBlank(ExtractFileName(fileName)) && !AskContinueWithBlank()) return;

  MatchExportInput in;
  Gather(*this, fileName, browserVersion, in);
  const MatchExport result = build(in);
  // Trailing empty pairs went and line breaks of mixed right items became
  // blanks: the rows show the list as it is now.
  RefreshRowsIfStale();
  if (result.refusal) {
    busy.release();
    ShowMessage(*result.refusal);
    return;
  }
  RunExportPlan(result.plan, &busy);
}

}  // namespace pairo
