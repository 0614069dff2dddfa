// TfrmMain's web exports: the handlers gather what the pages are made of
// (file name, configuration, reading, templates), let the page builders of
// QuizExport make the plan, and run it.
#include "askery/forms/Config.h"
#include "askery/forms/Main.h"
#include "askery/core/QuizExport.h"
#include "askery/core/SuppliedTemplates.h"
#include "platform/qt/Widgets.h"
#include "shared/core/FileFunctions.h"
#include "shared/forms/ReadingText.h"
#include "shared/forms/SourceEdit.h"
#include "shared/core/TQList.h"
#include "shared/core/WebExport.h"

namespace askery {

namespace {

// Everything but the templates; the reading's output only for a
// browserVersion (TfrmAddReadingText::ForExport).
QuizExportInput GatherBasics(TfrmMain& main, const std::string& fileName,
                             int browserVersion = 0) {
  QuizExportInput in;
  in.fileName = fileName;
  in.title = main.mmoTitle ? main.mmoTitle->Text() : std::string();
  if (auto* config = dynamic_cast<TfrmConfig*>(frmConfig)) in.config = config->Values();
  if (frmAddReadingText) in.reading = frmAddReadingText->ForExport(browserVersion);
  return in;
}

void ReadTemplates(const TfrmMain& main, QuizExportInput& in) {
  const TemplateStore store = frmSourceFiles ? frmSourceFiles->Store() : TemplateStore{};
  auto read = [&main](const char* fileName, const std::string& storeText) {
    return ReadTemplateSource(main.FSourcePath, fileName, storeText, SuppliedTemplate(fileName));
  };
  in.frameset = read("askery.ht_", store.frameset);
  in.welcome = read("askeryw.ht_", store.welcome);
  in.code = read("askeryc.ht_", store.code);
  in.dhtml = read("daskery.ht_", store.dhtml);
}

}  // namespace

void TfrmMain::spdToWebClick() { ExportPages(3, BuildFramesExport); }

void TfrmMain::mnuToDHTMLClick() { ExportToDHTML(); }

void TfrmMain::ExportToDHTML() { ExportPages(4, BuildSinglePageExport); }

void TfrmMain::ExportPages(int browserVersion,
                           ExportPlan (*build)(TQList&, const QuizExportInput&)) {
  const TExerciseKeeper keep(*this);
  std::string fileName;
  if (!ChooseExportFile(fileName)) return;
  StashQuestion();
  tavrel::BusyCursor busy;
  if (NameHasBlank(ExtractFileName(fileName)) && !AskContinueWithBlank()) return;

  QuizExportInput in = GatherBasics(*this, fileName, browserVersion);
  ReadTemplates(*this, in);
  const int count = FQuestions->Count();
  const ExportPlan plan = build(*FQuestions, in);
  // Empty questions went: the editor's number may now belong to another one.
  if (FQuestions->Count() != count) ShowCurrentAfterListChange();
  RunExportPlan(plan, &busy);
}

void TfrmMain::MakeDHTMLCodePage(const std::string& readingFileName, std::string& page) {
  page.clear();
  QuizExportInput in = GatherBasics(*this, std::string());
  ReadTemplates(*this, in);
  ExportPlan plan;
  const int count = FQuestions->Count();
  page = MakeDHTMLPage(*FQuestions, in, readingFileName, plan);
  // Without a template there is no page.
  if (plan.abandoned) page.clear();
  ShowPlanMessages(plan);
  if (FQuestions->Count() != count) ShowCurrentAfterListChange();
}

}  // namespace askery
